#include "common/ResourceId.h"

#include "platform/RuntimeError.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace morvane {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Walks the text, skipping blanks between the characters it takes.
class Reader {
public:
    explicit Reader(std::string_view t) : t_(t) {}
    char peek()
    {
        while (i_ < t_.size() && isBlank(t_[i_]))
            ++i_;
        return i_ < t_.size() ? t_[i_] : '\0';
    }
    void take() { ++i_; }
    std::size_t position() const { return i_; }
    void reset(std::size_t pos) { i_ = pos; }

private:
    std::string_view t_;
    std::size_t i_ = 0;
};

}  // namespace

double leadingIdNumber(std::string_view text)
{
    Reader r(text);
    std::string mantissa;
    bool negative = false;
    if (r.peek() == '+' || r.peek() == '-') {
        negative = r.peek() == '-';
        r.take();
    }
    // Decimal magnitude of the mantissa's first significant digit, for telling
    // an overflow from an underflow below.
    long magnitude = 0;
    bool significant = false;
    int digits = 0;
    while (isDigit(r.peek())) {
        const char c = r.peek();
        r.take();
        mantissa += c;
        ++digits;
        if (c != '0')
            significant = true;
        if (significant)
            ++magnitude;
    }
    if (r.peek() == '.') {
        r.take();
        mantissa += '.';
        while (isDigit(r.peek())) {
            const char c = r.peek();
            r.take();
            mantissa += c;
            ++digits;
            if (c != '0')
                significant = true;
            if (!significant)
                --magnitude;
        }
    }
    if (digits == 0)
        return 0.0;

    // An exponent counts only when at least one digit follows the letter.
    long exponent = 0;
    const std::size_t beforeExponent = r.position();
    const char e = r.peek();
    if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
        r.take();
        bool negativeExponent = false;
        if (r.peek() == '+' || r.peek() == '-') {
            negativeExponent = r.peek() == '-';
            r.take();
        }
        if (isDigit(r.peek())) {
            while (isDigit(r.peek())) {
                if (exponent < 100000)
                    exponent = exponent * 10 + (r.peek() - '0');
                r.take();
            }
            if (negativeExponent)
                exponent = -exponent;
        } else {
            r.reset(beforeExponent);
        }
    }
    if (!significant)
        return 0.0;

    const std::string number = mantissa + 'e' + std::to_string(exponent);
    double value = 0.0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        if (magnitude + exponent > 0)
            raiseError(err::Overflow);
        return 0.0;
    }
    if (res.ec != std::errc() || !std::isfinite(value))
        raiseError(err::Overflow);
    return negative ? -value : value;
}

std::int32_t fullTextId(double number, std::int32_t offset)
{
    // nearbyint under the default rounding mode rounds half to even.
    const double id = std::nearbyint(static_cast<double>(offset) + checkedFinite(number));
    if (id < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        id > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        raiseError(err::Overflow);
    return static_cast<std::int32_t>(id);
}

std::optional<std::int32_t> realNumberId(std::string_view text, std::int32_t offset)
{
    const double n = leadingIdNumber(text);
    if (n == 0.0)
        return std::nullopt;
    return fullTextId(n, offset);
}

std::optional<std::int32_t> shortIntegerId(std::string_view text, std::int32_t offset)
{
    const double n = std::nearbyint(leadingIdNumber(text));
    if (n < std::numeric_limits<std::int16_t>::min() || n > std::numeric_limits<std::int16_t>::max())
        raiseError(err::Overflow);
    if (n <= 0.0)
        return std::nullopt;
    return offset + static_cast<std::int32_t>(n);
}

}  // namespace morvane
