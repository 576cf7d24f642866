// What the error protocol says about the machine. The program asks the kernel
// (platform/LinuxOsInfo.h); tests give a fixed description.
#pragma once

#include <string>

namespace morvane {

struct OsDescription {
    std::string systemName;  // for example "Linux"
    int majorVersion = 0;
    int minorVersion = 0;
    int buildNumber = 0;
    std::string extra;  // release text of the kernel or the distribution
};

class OsInfo {
public:
    virtual ~OsInfo() = default;
    virtual OsDescription describe() const = 0;
};

}  // namespace morvane
