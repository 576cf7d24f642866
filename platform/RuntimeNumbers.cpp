#include "platform/RuntimeNumbers.h"

#include "platform/RuntimeError.h"

#include <cmath>
#include <limits>
#include <string>

namespace morvane {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal exponent of the first significant digit of a number that
// from_chars read from [first, last) (sign, digits, point, exponent): 0 for
// "5", 2 for "500", -1 for "0.5", 300 for "1e300". Only its sign is used, so
// the exponent is cut off far beyond any double.
long decimalMagnitude(const char* first, const char* last)
{
    const char* p = first;
    if (p != last && *p == '-')
        ++p;
    long magnitude = 0;
    bool significant = false;
    for (; p != last && isDigit(*p); ++p) {
        significant = significant || *p != '0';
        if (significant)
            ++magnitude;
    }
    if (p != last && *p == '.')
        for (++p; p != last && isDigit(*p) && !significant; ++p) {
            significant = *p != '0';
            if (!significant)
                --magnitude;
        }
    while (p != last && (isDigit(*p) || *p == '.'))
        ++p;
    long exponent = 0;
    if (p != last && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool negative = p != last && *p == '-';
        if (p != last && (*p == '-' || *p == '+'))
            ++p;
        for (; p != last && isDigit(*p); ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 1000000L);
        if (negative)
            exponent = -exponent;
    }
    // "500": three digits before the point, the first of them at 10^2.
    return magnitude + exponent - 1;
}

template <class Int>
std::optional<Int> rounded(double value)
{
    // nearbyint under the default rounding mode rounds halves to the even
    // neighbour; NaN fails both comparisons.
    const double r = std::nearbyint(value);
    if (!(r >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          r <= static_cast<double>(std::numeric_limits<Int>::max())))
        return std::nullopt;
    return static_cast<Int>(r);
}

}  // namespace

std::from_chars_result readDouble(const char* first, const char* last, double& value)
{
    const std::from_chars_result r = std::from_chars(first, last, value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        const bool negative = first != last && *first == '-';
        const double magnitude =
            decimalMagnitude(first, r.ptr) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        value = negative ? -magnitude : magnitude;
    }
    return r;
}

double runtimeVal(std::string_view text)
{
    const auto value = runtimeValInRange(text);
    if (!value)
        raiseError(err::Overflow);
    return *value;
}

std::optional<double> runtimeValInRange(std::string_view text)
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
    const auto r = readDouble(number.data(), number.data() + number.size(), value);
    if (r.ec == std::errc::result_out_of_range && std::isinf(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> decimalNumber(std::string_view token)
{
    std::size_t i = 0;
    if (i < token.size() && (token[i] == '+' || token[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < token.size() && isDigit(token[i]))
        ++i, ++digits;
    if (i < token.size() && token[i] == '.') {
        ++i;
        while (i < token.size() && isDigit(token[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < token.size() && (token[i] == 'E' || token[i] == 'e')) {
        ++i;
        if (i < token.size() && (token[i] == '+' || token[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < token.size() && isDigit(token[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != token.size())
        return std::nullopt;
    // from_chars takes a leading "-" but no leading "+".
    const char* first = token.data() + (token.front() == '+' ? 1 : 0);
    double value = 0.0;
    readDouble(first, token.data() + token.size(), value);
    return value;
}

std::optional<std::int16_t> roundedInteger(double value)
{
    return rounded<std::int16_t>(value);
}

std::optional<std::int32_t> roundedLong(double value)
{
    return rounded<std::int32_t>(value);
}

std::int16_t toInteger(double value)
{
    const auto r = roundedInteger(value);
    if (!r)
        raiseError(err::Overflow);
    return *r;
}

std::int32_t toLong(double value)
{
    const auto r = roundedLong(value);
    if (!r)
        raiseError(err::Overflow);
    return *r;
}

std::int32_t longOfDecimal(std::string_view token)
{
    const auto value = decimalNumber(token);
    if (!value)
        raiseError(err::TypeMismatch);
    return toLong(*value);
}

}  // namespace morvane
