#include "common/ResourceTexts.h"

#include "platform/RuntimeError.h"

#include <charconv>

namespace morvane {

namespace {

const char kProgramTable[] =
#include "texts/StringTableData.inc"
    ;

std::string unescape(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char c = s[++i];
            out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> cols;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            cols.push_back(line.substr(start));
            return cols;
        }
        cols.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

}  // namespace

ResourceTexts::ResourceTexts(std::string_view tableText)
{
    std::size_t pos = 0;
    while (pos < tableText.size()) {
        auto end = tableText.find('\n', pos);
        if (end == std::string_view::npos)
            end = tableText.size();
        std::string_view line = tableText.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const auto cols = splitTabs(line);
        std::int32_t id = 0;
        const auto r = std::from_chars(cols[0].data(), cols[0].data() + cols[0].size(), id);
        if (r.ec != std::errc() || cols.size() < 3)
            continue;
        if (!cols[1].empty())
            strings_[id + OffsetGerman] = unescape(cols[1]);
        if (!cols[2].empty())
            strings_[id + OffsetEnglish] = unescape(cols[2]);
        if (cols.size() > 3 && !cols[3].empty())
            origins_[id] = std::string(cols[3]);
    }
}

const ResourceTexts& ResourceTexts::program()
{
    static const ResourceTexts table{std::string_view(kProgramTable, sizeof kProgramTable - 1)};
    return table;
}

const std::string* ResourceTexts::find(std::int32_t id) const
{
    const auto it = strings_.find(id);
    return it == strings_.end() ? nullptr : &it->second;
}

const std::string& ResourceTexts::LoadResString(std::int32_t id) const
{
    if (const std::string* s = find(id))
        return *s;
    raiseError(ResourceNotFound, "Resource with identifier '" + std::to_string(id) + "' not found");
}

std::vector<std::int32_t> ResourceTexts::germanIds() const
{
    std::vector<std::int32_t> ids;
    for (const auto& [id, text] : strings_)
        if (id < OffsetEnglish)
            ids.push_back(id);
    return ids;
}

std::string ResourceTexts::origin(std::int32_t germanId) const
{
    const auto it = origins_.find(germanId);
    return it == origins_.end() ? std::string() : it->second;
}

std::string resText(std::int32_t id, std::int32_t sprachOffset)
{
    return ResourceTexts::program().LoadResString(id + sprachOffset);
}

std::string withValues(std::string text, std::initializer_list<std::string> values)
{
    char mark[] = "%1";
    for (const std::string& value : values) {
        const auto at = text.find(mark);
        if (at != std::string::npos)
            text.replace(at, 2, value);
        ++mark[1];
    }
    return text;
}

}  // namespace morvane
