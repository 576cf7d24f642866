// Stands for the operating-system version query: the system's name and kernel
// version from uname, and the distribution's name from os-release.
#pragma once

#include "platform/OsInfo.h"

#include <string>
#include <string_view>

namespace morvane {

class LinuxOsInfo : public OsInfo {
public:
    OsDescription describe() const override;
};

// The leading "major.minor.patch" of a kernel release such as "6.1.0-18-amd64";
// missing parts stay 0. The patch level stands in the build number.
void parseKernelRelease(std::string_view release, OsDescription& into);

// PRETTY_NAME of an os-release file's text, unquoted; "" when it has none.
std::string prettyName(std::string_view osReleaseText);

}  // namespace morvane
