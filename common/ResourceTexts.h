// The resource string table: every caption, list entry, tooltip and most
// messages, German at an id from 1000 and English at the same id + 10000.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

inline constexpr std::int32_t OffsetGerman = 0;
inline constexpr std::int32_t OffsetEnglish = 10000;

// Run-time error number for an id without a string.
inline constexpr int ResourceNotFound = 326;

class ResourceTexts {
public:
    // Parses the table's text form (data/texts/strings.tsv): lines
    // "id<TAB>German<TAB>English<TAB>origin", '#' starts a comment line, and the
    // escapes \n, \t and \\ stand for a line break, a tab and a backslash.
    explicit ResourceTexts(std::string_view tableText);

    // The table compiled into the program.
    static const ResourceTexts& program();

    // The string at a full id (offset included), or nullptr.
    const std::string* find(std::int32_t id) const;
    // The string at a full id; run-time error 326 when there is none.
    const std::string& LoadResString(std::int32_t id) const;

    // German ids (below 10000) in ascending order.
    std::vector<std::int32_t> germanIds() const;
    // The origin column of a German id: empty for texts the program was given,
    // otherwise the mark of the program's own addition.
    std::string origin(std::int32_t germanId) const;

private:
    std::map<std::int32_t, std::string> strings_;
    std::map<std::int32_t, std::string> origins_;
};

// The text at id + offset from the program's table (run-time error 326 when
// missing).
std::string resText(std::int32_t id, std::int32_t sprachOffset);

// The text with its marks %1, %2, ... replaced by the values given, in order;
// a mark the text lacks is left out.
std::string withValues(std::string text, std::initializer_list<std::string> values);

}  // namespace morvane
