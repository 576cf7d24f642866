#include "mainwindow/StrCheck.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <charconv>

namespace morvane {

namespace {

// The length as the runtime counts a string: in UTF-16 units, so a character
// outside the Basic Multilingual Plane (four UTF-8 bytes) counts twice and
// every other character once, whatever its number of UTF-8 bytes.
std::size_t characterCount(const std::string& utf8)
{
    std::size_t n = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0u) != 0x80u)
            n += byte >= 0xF0u ? 2 : 1;
    }
    return n;
}

}  // namespace

void str_check(std::string& text)
{
    if (characterCount(text) > 32767)
        raiseError(err::Overflow);
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == ',')
            out += '.';
        else if (c == ' ')
            continue;
        else if ((c >= '0' && c <= '9') || c == '.' || c == '-')
            out += c;
        else
            break;
    }
    text = std::move(out);
}

namespace {

// The longest leading part of the form: optional "-", digits with at most one
// point; empty when it holds no digit.
std::string_view leadingNumberText(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-')
        ++i;
    bool point = false;
    bool digit = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            break;
    }
    return digit ? s.substr(0, i) : std::string_view();
}

}  // namespace

double leadingNumber(std::string_view s)
{
    const std::string_view number = leadingNumberText(s);
    if (number.empty())
        return 0.0;
    // from_chars ignores the locale: the point is always the decimal separator.
    double value = 0.0;
    const char* first = number.data();
    const char* last = number.data() + number.size();
    if (*first == '-')
        ++first;
    std::from_chars(first, last, value);
    return number[0] == '-' ? -value : value;
}

bool holdsNumber(std::string text)
{
    str_check(text);
    return !leadingNumberText(text).empty();
}

bool isOneNumber(std::string text)
{
    std::erase(text, ' ');
    if (text.empty())
        return true;
    std::replace(text.begin(), text.end(), ',', '.');
    return leadingNumberText(text).size() == text.size();
}

double readNumber(std::string text)
{
    str_check(text);
    return leadingNumber(text);
}

}  // namespace morvane
