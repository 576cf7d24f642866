#include "platform/RuntimeError.h"

#include <cmath>

namespace morvane {

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(std::to_string(number) + " (" + description + ")"), number_(number),
      description_(description)
{
}

std::string standardDescription(int number)
{
    switch (number) {
    case err::InvalidArgument: return "Invalid procedure call or argument";
    case err::Overflow: return "Overflow";
    case err::SubscriptOutOfRange: return "Subscript out of range";
    case err::DivisionByZero: return "Division by zero";
    case err::TypeMismatch: return "Type mismatch";
    case err::FileNotFound: return "File not found";
    case err::InputPastEndOfFile: return "Input past end of file";
    case err::InvalidPropertyValue: return "Invalid property value";
    case 7: return "Out of memory";
    case 52: return "Bad file name or number";
    case 54: return "Bad file mode";
    case 57: return "Device I/O error";
    case 61: return "Disk full";
    case 70: return "Permission denied";
    case 75: return "Path/File access error";
    case 76: return "Path not found";
    case 91: return "Object variable or With block variable not set";
    case 94: return "Invalid use of Null";
    case 3011: return "Object not found in the database";
    case 3265: return "Item not found in this collection";
    default: return "Application-defined or object-defined error";
    }
}

void raiseError(int number)
{
    throw RuntimeError(number, standardDescription(number));
}

void raiseError(int number, const std::string& description)
{
    throw RuntimeError(number, description);
}

double checkedSqrt(double x)
{
    if (!(x >= 0.0))
        raiseError(err::InvalidArgument);
    return std::sqrt(x);
}

double checkedLog(double x)
{
    if (!(x > 0.0))
        raiseError(err::InvalidArgument);
    return std::log(x);
}

double checkedPow(double base, double exponent)
{
    if (base == 0.0 && exponent < 0.0)
        raiseError(err::DivisionByZero);
    const double r = std::pow(base, exponent);
    if (std::isnan(r))
        raiseError(err::InvalidArgument);
    return checkedFinite(r);
}

}  // namespace morvane
