#include "tracing/ErrorTestNumber.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace morvane {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

double leadingValue(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;

    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    // The longest leading part of the form digits [. digits] [E|D [sign] digits].
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    std::string number = s.substr(start, i - start);
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDigit(s[j])) {
            std::size_t k = j;
            while (k < s.size() && isDigit(s[k]))
                ++k;
            number += 'e';
            number += s.substr(i + 1, k - i - 1);
        }
    }
    double value = 0.0;
    // from_chars ignores the locale: the point is always the decimal separator.
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small reads as 0, too large is an overflow: decide by the decimal
        // exponent of the first significant digit.
        const std::size_t e = number.find('e');
        const std::string_view mantissa(number.data(), e == std::string::npos ? number.size() : e);
        long exponent = 0;
        if (e != std::string::npos) {
            std::string_view digitsOfExponent(number.data() + e + 1, number.size() - e - 1);
            const bool minus = !digitsOfExponent.empty() && digitsOfExponent.front() == '-';
            if (!digitsOfExponent.empty() && (digitsOfExponent.front() == '-' || digitsOfExponent.front() == '+'))
                digitsOfExponent.remove_prefix(1);
            for (const char c : digitsOfExponent)
                exponent = std::min(exponent * 10 + (c - '0'), 1000000L);
            if (minus)
                exponent = -exponent;
        }
        const std::string_view whole = mantissa.substr(0, mantissa.find('.'));
        const std::size_t firstSignificant = whole.find_first_not_of('0');
        long magnitude = 0;
        if (firstSignificant != std::string_view::npos) {
            magnitude = static_cast<long>(whole.size() - firstSignificant) - 1 + exponent;
        } else {
            const std::string_view fraction =
                whole.size() < mantissa.size() ? mantissa.substr(whole.size() + 1) : std::string_view{};
            magnitude = -static_cast<long>(fraction.find_first_not_of('0')) - 1 + exponent;
        }
        if (magnitude > 0)
            raiseError(err::Overflow);
        value = 0.0;
    }
    return negative ? -value : value;
}

std::int32_t errorNumberOf(std::string_view text)
{
    // nearbyint in the default rounding mode rounds halves to the even neighbour.
    const double rounded = std::nearbyint(leadingValue(text));
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        raiseError(err::Overflow);
    return static_cast<std::int32_t>(rounded);
}

void raiseTestError(std::string_view text)
{
    const std::int32_t number = errorNumberOf(text);
    if (number == 0)
        raiseError(err::InvalidArgument);
    raiseError(number);
}

}  // namespace morvane
