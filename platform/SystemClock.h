// Stands for the system clock: the local time of day that the trace and the
// error protocol stamp.
#pragma once

#include "platform/Clock.h"

namespace morvane {

class SystemClock : public Clock {
public:
    std::chrono::system_clock::time_point now() const override { return std::chrono::system_clock::now(); }
};

}  // namespace morvane
