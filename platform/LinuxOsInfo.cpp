#include "platform/LinuxOsInfo.h"

#include <sys/utsname.h>

#include <charconv>
#include <fstream>
#include <sstream>

namespace morvane {

void parseKernelRelease(std::string_view release, OsDescription& into)
{
    int* const parts[] = {&into.majorVersion, &into.minorVersion, &into.buildNumber};
    for (int* part : parts)
        *part = 0;
    const char* p = release.data();
    const char* const end = release.data() + release.size();
    for (int* part : parts) {
        const auto [next, ec] = std::from_chars(p, end, *part);
        if (ec != std::errc{}) {
            *part = 0;
            return;
        }
        p = next;
        if (p == end || *p != '.')
            return;
        ++p;
    }
}

std::string prettyName(std::string_view osReleaseText)
{
    constexpr std::string_view key = "PRETTY_NAME=";
    std::size_t pos = 0;
    while (pos < osReleaseText.size()) {
        std::size_t eol = osReleaseText.find('\n', pos);
        if (eol == std::string_view::npos)
            eol = osReleaseText.size();
        std::string_view line = osReleaseText.substr(pos, eol - pos);
        pos = eol + 1;
        if (line.substr(0, key.size()) != key)
            continue;
        std::string_view value = line.substr(key.size());
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return {};
}

namespace {

std::string readOsRelease()
{
    // os-release(5): /etc/os-release, falling back to /usr/lib/os-release.
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream in(path);
        if (!in)
            continue;
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    return {};
}

}  // namespace

OsDescription LinuxOsInfo::describe() const
{
    OsDescription d;
    utsname u{};
    if (uname(&u) != 0) {
        d.systemName = "Linux";
        return d;
    }
    d.systemName = u.sysname;
    parseKernelRelease(u.release, d);
    const std::string distribution = prettyName(readOsRelease());
    d.extra = distribution.empty() ? std::string("kernel ") + u.release
                                   : distribution + ", kernel " + u.release;
    return d;
}

}  // namespace morvane
