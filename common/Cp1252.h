// Windows-1252, the ANSI code page of the files the program shares with the
// older installations, against the UTF-8 the program keeps its texts in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvane {

// Windows-1252 bytes 0x80..0x9F as Unicode code points; the five bytes the code
// page leaves open map to the C1 control of the same number, as the system's
// conversion does.
inline constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Appends the code point `cp` (at most 0x10FFFF) to `out` in UTF-8.
void appendUtf8(std::string& out, char32_t cp);

// Windows-1252 bytes as UTF-8; every byte has a character.
std::string fromCp1252(std::string_view bytes);

// One code point of UTF-8 at pos, or nothing when the bytes there are not a
// well-formed sequence.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos);

// The UTF-8 text in Windows-1252, or nothing when it holds a character the code
// page lacks (or bytes that are not UTF-8).
std::optional<std::string> toCp1252(std::string_view utf8);

}  // namespace morvane
