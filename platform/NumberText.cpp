#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "platform/RuntimeError.h"

namespace morvane {

namespace {

// Rounds to 15 significant digits and writes all digits of that value in fixed
// notation. A fixed format would print the binary expansion of huge values
// (1e20 is exact, 1e23 is not), so the digits come from the scientific form and are placed
// around the decimal point by hand.
std::string fixed15(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(v), std::chars_format::scientific, 14);
    *r.ptr = '\0';
    // buf: d.dddddddddddddde[+-]XX
    std::string digits;
    digits += buf[0];
    const char* p = buf + 2;
    while (*p != 'e')
        digits += *p++;
    const int exp10 = std::atoi(p + 1);
    // Strip trailing zeros of the mantissa.
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out;
    if (digits == "0")
        return "0";
    const int pointPos = exp10 + 1;  // digits before the decimal point
    if (pointPos <= 0) {
        out = "0.";
        out.append(static_cast<size_t>(-pointPos), '0');
        out += digits;
    } else if (static_cast<size_t>(pointPos) >= digits.size()) {
        out = digits;
        out.append(static_cast<size_t>(pointPos) - digits.size(), '0');
    } else {
        out = digits.substr(0, static_cast<size_t>(pointPos)) + "." + digits.substr(static_cast<size_t>(pointPos));
    }
    return out;
}

}  // namespace

std::string displayText(double value)
{
    if (!std::isfinite(value))
        raiseError(err::Overflow);
    std::string body = fixed15(value);
    if (value < 0.0 && body != "0")
        return "-" + body;
    return body;
}

std::string strForm(double value)
{
    std::string t = displayText(value);
    return t[0] == '-' ? t : " " + t;
}

std::string strFormConverted(double value, double scale)
{
    constexpr int Significant = 12;
    if (!std::isfinite(value))
        raiseError(err::Overflow);
    const double magnitude = std::max(std::fabs(value), std::fabs(scale));
    if (value == 0.0 || !std::isfinite(magnitude))
        return strForm(value);
    // The value's digits down to the last of the 12 that the larger magnitude has.
    const int digits = Significant - static_cast<int>(std::floor(std::log10(magnitude)) -
                                                      std::floor(std::log10(std::fabs(value))));
    if (digits <= 0)
        return strForm(0.0);
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
    double rounded = value;
    std::from_chars(buf, r.ptr, rounded);
    return strForm(rounded);
}

}  // namespace morvane
