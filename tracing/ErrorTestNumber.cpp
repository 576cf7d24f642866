#include "tracing/ErrorTestNumber.h"

#include "platform/RuntimeError.h"
#include "platform/RuntimeNumbers.h"

namespace morvane {

std::int32_t errorNumberOf(std::string_view text)
{
    return toLong(runtimeVal(text));
}

void raiseTestError(std::string_view text)
{
    const std::int32_t number = errorNumberOf(text);
    if (number == 0)
        raiseError(err::InvalidArgument);
    raiseError(number);
}

}  // namespace morvane
