#include "app/LanguageFile.h"

#include "common/ResourceTexts.h"
#include "platform/RuntimeError.h"
#include "platform/RuntimeNumbers.h"
#include "tracing/Guard.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace morvane {

namespace {

constexpr int BadFileNameOrNumber = 52;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
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
    return longOfDecimal(text.substr(start, end - start));
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
                raiseError(err::PathFileAccessError);
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
                raiseError(err::PathFileAccessError);
        }))
        return;
    if (!g.step([&] {
            if (!out.is_open())
                raiseError(BadFileNameOrNumber);
            out << sprachOffset << "\r\n";
            out.flush();
            if (!out)
                raiseError(err::PathFileAccessError);
        }))
        return;
    if (!g.step([&] { out.close(); }))
        return;
}

}  // namespace morvane
