// Stands for the runtime's error object: a run-time error is an error number and a
// description, handed to the tracer's error dialog by the guard of the procedure
// in which it is raised.
#pragma once

#include <cmath>
#include <stdexcept>
#include <string>

namespace morvane {

namespace err {
inline constexpr int InvalidArgument = 5;    // invalid procedure call or argument
inline constexpr int Overflow = 6;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIoError = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidPropertyValue = 380;
}  // namespace err

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& description);
    int number() const { return number_; }
    const std::string& description() const { return description_; }

private:
    int number_;
    std::string description_;
};

// The standard description of an error number ("Division by zero", ...).
std::string standardDescription(int number);

[[noreturn]] void raiseError(int number);
[[noreturn]] void raiseError(int number, const std::string& description);

// Arithmetic that raises the run-time error where a plain double would turn into
// an infinity or NaN. The formulas call these on every operation, so the checks
// are inline and only the raising is out of line.
inline double checkedFinite(double x)  // 5 for NaN, 6 for an infinity
{
    if (!std::isfinite(x)) [[unlikely]]
        raiseError(std::isnan(x) ? err::InvalidArgument : err::Overflow);
    return x;
}

inline double checkedDivide(double numerator, double denominator)  // 11
{
    if (denominator == 0.0) [[unlikely]]
        raiseError(err::DivisionByZero);
    return checkedFinite(numerator / denominator);
}

double checkedSqrt(double x);                     // 5 for x < 0
double checkedLog(double x);                      // 5 for x <= 0
double checkedPow(double base, double exponent);  // 5 when not real, 6 on overflow

}  // namespace morvane
