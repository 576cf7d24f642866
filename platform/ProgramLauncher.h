// Stands for starting another program by its path in a normal, focused window
// (the runtime's Shell with vbNormalFocus).
#pragma once

#include <string>

namespace morvane {

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // false when nothing could be started at that path.
    virtual bool start(const std::string& path) = 0;
};

}  // namespace morvane
