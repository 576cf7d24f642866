#include "support/Fakes.h"

#include <ctime>

namespace morvane::testing {

FixedClock::FixedClock(int h, int m, int s)
{
    std::tm tm{};
    tm.tm_year = 126;
    tm.tm_mon = 11;
    tm.tm_mday = 10;
    tm.tm_hour = h;
    tm.tm_min = m;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    at = std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

}  // namespace morvane::testing
