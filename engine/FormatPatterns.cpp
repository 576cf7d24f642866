#include "engine/FormatPatterns.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace morvane {

namespace {

// The decimal exponent of |value| (not 0): 2 for 123.4, -4 for 0.00012.
int decimalExponent(double value)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific, 14);
    *r.ptr = '\0';
    return std::atoi(std::strchr(buf, 'e') + 1);
}

// |value| · 10^decimals rounded half away from zero, as a decimal integer text,
// taken from the 15 significant digits of |value|.
std::string scaledDigits(double value, int decimals)
{
    if (value == 0.0)
        return "0";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific, 14);
    *r.ptr = '\0';
    // buf: d.dddddddddddddde[+-]XX
    std::string digits(1, buf[0]);
    const char* p = buf + 2;
    while (*p != 'e')
        digits += *p++;
    const int exp10 = std::atoi(p + 1);
    const int keep = exp10 + 1 + decimals;  // digits of `digits` left of the cut
    if (keep < 0)
        return "0";
    if (keep >= static_cast<int>(digits.size()))
        return digits + std::string(static_cast<std::size_t>(keep) - digits.size(), '0');
    std::string kept = digits.substr(0, static_cast<std::size_t>(keep));
    if (digits[static_cast<std::size_t>(keep)] >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i)
            kept[static_cast<std::size_t>(i)] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[static_cast<std::size_t>(i)];
    }
    const auto nonZero = kept.find_first_not_of('0');
    return nonZero == std::string::npos ? "0" : kept.substr(nonZero);
}

}  // namespace

std::string formatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        raiseError(err::Overflow);
    std::string n = scaledDigits(value, decimals);
    if (n.size() < static_cast<std::size_t>(decimals) + 1)
        n.insert(0, static_cast<std::size_t>(decimals) + 1 - n.size(), '0');
    if (decimals > 0)
        n.insert(n.size() - static_cast<std::size_t>(decimals), 1, '.');
    const bool zero = n.find_first_not_of("0.") == std::string::npos;
    return value < 0.0 && !zero ? "-" + n : n;
}

std::string formatFixed(double value, int decimals, char decimalSeparator)
{
    std::string t = formatFixed(value, decimals);
    if (const auto dot = t.find('.'); dot != std::string::npos)
        t[dot] = decimalSeparator;
    return t;
}

std::string formatScientific(double value, int decimals, char decimalSeparator)
{
    if (!std::isfinite(value))
        raiseError(err::Overflow);
    int exp10 = 0;
    std::string n(static_cast<std::size_t>(decimals) + 1, '0');
    if (value != 0.0) {
        exp10 = decimalExponent(value);
        n = scaledDigits(value, decimals - exp10);
        if (n.size() > static_cast<std::size_t>(decimals) + 1) {  // 9.996 rounded up to 10.00
            n.pop_back();
            ++exp10;
        }
    }
    std::string t = n.substr(0, 1);
    if (decimals > 0)
        t += decimalSeparator + n.substr(1);
    const int e = exp10 < 0 ? -exp10 : exp10;
    t += exp10 < 0 ? "E-" : "E+";
    if (e < 10)
        t += '0';
    t += std::to_string(e);
    const bool zero = n.find_first_not_of('0') == std::string::npos;
    return value < 0.0 && !zero ? "-" + t : t;
}

std::string formatUpTo(double value, int decimals)
{
    std::string t = formatFixed(value, decimals);
    if (t.find('.') != std::string::npos) {
        while (t.back() == '0')
            t.pop_back();
        if (t.back() == '.')
            t.pop_back();
    }
    return t == "-0" ? "0" : t;
}

namespace {

// The places that give |value| (not 0) 4 significant digits; one fewer where
// the rounding carries into a fifth (0.000099996 is 0.0001000).
int fourSignificantPlaces(double value)
{
    const int places = 3 - decimalExponent(value);
    return scaledDigits(value, places).size() > 4 ? places - 1 : places;
}

// Whether the value lies within 1 % of what the pattern text t (a point as
// separator) reads.
bool readsWithinOnePercent(const std::string& t, double value)
{
    double read = 0.0;
    std::from_chars(t.data(), t.data() + t.size(), read);
    return std::fabs(read - value) <= 0.01 * std::fabs(value);
}

// The places of value's text through a pattern of `decimals` places, kept
// within 1 % (formatFixedNear).
int nearPlaces(double value, int decimals)
{
    if (value == 0.0 || readsWithinOnePercent(formatFixed(value, decimals), value))
        return decimals;
    return fourSignificantPlaces(value);
}

// The places that give |value| 12 significant digits (at least `atLeast`).
int twelveSignificantPlaces(double value, int atLeast)
{
    return value == 0.0 ? atLeast : std::max(atLeast, 11 - decimalExponent(value));
}

std::string withSeparator(std::string t, char decimalSeparator)
{
    if (const auto dot = t.find('.'); dot != std::string::npos)
        t[dot] = decimalSeparator;
    return t;
}

}  // namespace

std::string formatFixedNear(double value, int decimals, char decimalSeparator)
{
    return formatFixed(value, nearPlaces(value, decimals), decimalSeparator);
}

std::string formatUpToNear(double value, int decimals, char decimalSeparator)
{
    const int places = nearPlaces(value, decimals);
    return withSeparator(places == decimals ? formatUpTo(value, decimals) : formatFixed(value, places),
                         decimalSeparator);
}

bool sameToTwelveDigits(double a, double b)
{
    return formatScientific(a, 11) == formatScientific(b, 11);
}

ValueAndLimit formatUpToApart(double value, double limit, int decimals)
{
    ValueAndLimit t{formatUpToNear(value, decimals), formatUpToNear(limit, decimals)};
    const int valueCap = twelveSignificantPlaces(value, decimals);
    const int limitCap = twelveSignificantPlaces(limit, decimals);
    for (int places = std::max(nearPlaces(value, decimals), nearPlaces(limit, decimals)) + 1;
         t.value == t.limit && (places <= valueCap || places <= limitCap); ++places)
        t = {formatUpTo(value, std::min(places, valueCap)), formatUpTo(limit, std::min(places, limitCap))};
    return t;
}

std::string formatFixedNearOrScientific(double value, int decimals, char decimalSeparator,
                                        const std::function<bool(const std::string&)>& fits)
{
    const std::string t = formatFixedNear(value, decimals, decimalSeparator);
    return fits(t) ? t : formatScientific(value, 3, decimalSeparator);
}

}  // namespace morvane
