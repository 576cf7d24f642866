// Literals and comments of the SQL text that the generator writes.
#pragma once

#include <string>

namespace gasgen {

// A number with the given count of significant digits, trailing zeros dropped
// ("1.25", "-50", "0.9876543211"). Throws std::domain_error for NaN or infinity.
std::string sqlNumber(double value, int significantDigits);

inline std::string sqlNull() { return "NULL"; }

// Each line of text as an SQL line comment ("-- ..."); empty lines become "--".
std::string sqlComment(const std::string& text);

}  // namespace gasgen
