#include "common/ResourceId.h"

#include "platform/RuntimeError.h"
#include "platform/RuntimeNumbers.h"

namespace morvane {

std::int32_t fullTextId(double number, std::int32_t offset)
{
    return toLong(static_cast<double>(offset) + checkedFinite(number));
}

std::optional<std::int32_t> realNumberId(std::string_view text, std::int32_t offset)
{
    const double n = runtimeVal(text);
    if (n == 0.0)
        return std::nullopt;
    return fullTextId(n, offset);
}

std::optional<std::int32_t> shortIntegerId(std::string_view text, std::int32_t offset)
{
    const std::int16_t n = toInteger(runtimeVal(text));
    if (n <= 0)
        return std::nullopt;
    return offset + n;
}

}  // namespace morvane
