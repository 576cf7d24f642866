#include "reports/logo/LogoParams.h"

#include "common/Cp1252.h"
#include "platform/RuntimeNumbers.h"
#include "tracing/Guard.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace morvane {

namespace {

// One numeric input field as a 16-bit whole number: blanks around it are
// skipped, an empty field is 0, a decimal is rounded half to even as an
// assignment to a 16-bit integer rounds; anything else is no number.
std::optional<std::int16_t> wholeNumber(std::string_view field)
{
    const auto first = field.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::int16_t{0};
    const auto last = field.find_last_not_of(" \t");
    const auto v = decimalNumber(field.substr(first, last - first + 1));
    if (!v)
        return std::nullopt;
    return roundedInteger(*v);
}

struct LogoValues {
    std::string file;
    std::int16_t numbers[4] = {0, 0, 0, 0};
};

// The whole file, or nothing when it cannot be read to the fourth number.
std::optional<LogoValues> parseLogoFile(const std::string& content)
{
    LogoValues v;
    std::size_t pos = content.find('\n');
    if (pos == std::string::npos && content.empty())
        return std::nullopt;
    std::string_view first(content.data(), pos == std::string::npos ? content.size() : pos);
    if (!first.empty() && first.back() == '\r')
        first.remove_suffix(1);
    v.file = fromCp1252(first);
    if (pos == std::string::npos)
        return std::nullopt;  // the numbers are missing
    ++pos;
    int count = 0;
    while (count < 4) {
        if (pos >= content.size())
            return std::nullopt;  // input past end of file
        const std::size_t end = content.find_first_of(",\n", pos);
        std::string_view field(content.data() + pos, (end == std::string::npos ? content.size() : end) - pos);
        if (!field.empty() && field.back() == '\r')
            field.remove_suffix(1);
        const bool lineEnd = end == std::string::npos || content[end] == '\n';
        pos = end == std::string::npos ? content.size() : end + 1;
        // A line end after nothing (an empty line) gives no field.
        if (lineEnd && field.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        const auto n = wholeNumber(field);
        if (!n)
            return std::nullopt;
        v.numbers[count++] = *n;
    }
    return v;
}

}  // namespace

void sublLoadLogoParams(DokumentDaten& doc, const std::filesystem::path& programFolder)
{
    Guard g("Module1", "sublLoadLogoParams", "Private Sub sublLoadLogoParams()");
    std::optional<LogoValues> read;
    // File errors from here on go to the defaults, never to the error dialog.
    g.step([&] {
        std::ifstream in(programFolder / kLogoParamFile, std::ios::binary);
        if (!in)
            return;
        const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad())
            return;
        read = parseLogoFile(content);
    });
    g.step([&] {
        if (read) {
            doc.gLogoDatei = read->file;
            doc.gLogoX = read->numbers[0];
            doc.gLogoY = read->numbers[1];
            doc.gLogoBreite = read->numbers[2];
            doc.gLogoHoehe = read->numbers[3];
        } else {
            doc.gLogoDatei = kLogoDefaultFile;
            doc.gLogoX = kLogoDefaultX;
            doc.gLogoY = kLogoDefaultY;
            doc.gLogoBreite = 0;
            doc.gLogoHoehe = 0;
        }
    });
}

}  // namespace morvane
