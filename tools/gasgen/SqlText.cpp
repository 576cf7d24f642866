#include "tools/gasgen/SqlText.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace gasgen {

std::string sqlNumber(double value, int significantDigits)
{
    if (!std::isfinite(value))
        throw std::domain_error("an SQL number must be finite");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", significantDigits, value);
    std::string s = buf;
    return s == "-0" ? "0" : s;
}

std::string sqlComment(const std::string& text)
{
    std::istringstream in(text);
    std::string line, out;
    while (std::getline(in, line))
        out += line.empty() ? "--\n" : "-- " + line + "\n";
    return out;
}

}  // namespace gasgen
