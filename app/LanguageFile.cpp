#include "app/LanguageFile.h"

#include "common/ResourceTexts.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

namespace morvane {

namespace {

constexpr int PathFileAccessError = 75;
constexpr int BadFileNameOrNumber = 52;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A decimal number as the whole of token: sign, digits, an optional fraction
// and an optional exponent.
bool isDecimalNumber(std::string_view token)
{
    std::size_t i = 0;
    if (i < token.size() && (token[i] == '+' || token[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < token.size() && token[i] >= '0' && token[i] <= '9')
        ++i, ++digits;
    if (i < token.size() && token[i] == '.') {
        ++i;
        while (i < token.size() && token[i] >= '0' && token[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < token.size() && (token[i] == 'E' || token[i] == 'e')) {
        ++i;
        if (i < token.size() && (token[i] == '+' || token[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < token.size() && token[i] >= '0' && token[i] <= '9')
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    return i == token.size();
}

}  // namespace

std::int32_t validLanguageOffset(std::int32_t offset)
{
    return offset == OffsetGerman ? OffsetGerman : OffsetEnglish;
}

std::string languageCode(std::int32_t offset)
{
    return validLanguageOffset(offset) == OffsetGerman ? "DE" : "EN";
}

void setLanguage(UiZustand& ui, std::int32_t offset)
{
    ui.gSprachOffset = validLanguageOffset(offset);
    ui.gSprachKuerzel = languageCode(ui.gSprachOffset);
}

std::int32_t readLanguageNumber(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    if (start == text.size())
        raiseError(err::InputPastEndOfFile);
    std::size_t end = start;
    while (end < text.size() && !isBlank(text[end]) && text[end] != ',')
        ++end;
    const std::string token(text.substr(start, end - start));
    if (!isDecimalNumber(token))
        raiseError(err::TypeMismatch);
    const double value = std::strtod(token.c_str(), nullptr);
    // The default rounding mode rounds halves to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max())
        raiseError(err::Overflow);
    return static_cast<std::int32_t>(rounded);
}

std::int32_t fncgGetLanguage(const std::filesystem::path& programFolder)
{
    Guard g("modConfigSelect", "fncgGetLanguage", "Function fncgGetLanguage() As Long");
    std::int32_t result = 0;
    const std::filesystem::path file = programFolder / kLanguageFileName;
    bool exists = false;
    if (!g.step([&] {
            std::error_code ec;
            exists = std::filesystem::exists(file, ec);
        }))
        return result;
    if (!exists) {
        result = OffsetEnglish;
        return result;
    }
    std::ifstream in;
    if (!g.step([&] {
            in.open(file, std::ios::binary);
            if (!in || std::filesystem::is_directory(file))
                raiseError(PathFileAccessError);
        }))
        return result;
    if (!g.step([&] {
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            result = readLanguageNumber(text);
        }))
        return result;
    if (!g.step([&] { in.close(); }))
        return result;
    return result;
}

void subgSavaLanguage(const std::filesystem::path& programFolder, std::int32_t sprachOffset)
{
    Guard g("modConfigSelect", "subgSavaLanguage", "Sub subgSavaLanguage()");
    const std::filesystem::path file = programFolder / kLanguageFileName;
    std::ofstream out;
    if (!g.step([&] {
            out.open(file, std::ios::binary | std::ios::trunc);
            if (!out)
                raiseError(PathFileAccessError);
        }))
        return;
    if (!g.step([&] {
            if (!out.is_open())
                raiseError(BadFileNameOrNumber);
            out << sprachOffset << "\r\n";
            out.flush();
            if (!out)
                raiseError(PathFileAccessError);
        }))
        return;
    if (!g.step([&] { out.close(); }))
        return;
}

}  // namespace morvane
