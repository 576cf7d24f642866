// The wall clock of the error protocol and the status bar. The program reads
// the system's (platform/SystemClock.h); tests set the time.
#pragma once

#include <chrono>

namespace morvane {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point now() const = 0;
};

}  // namespace morvane
