// The system lines of the error protocol on Linux: uname and os-release.
#include "platform/LinuxOsInfo.h"

#include <gtest/gtest.h>

#include <sys/utsname.h>

namespace morvane {
namespace {

TEST(LinuxOsInfo, KernelRelease)
{
    struct Case {
        const char* release;
        int major, minor, build;
        const char* shows;
    };
    const Case cases[] = {
        {"6.1.0-18-amd64", 6, 1, 0, "a Debian kernel"},
        {"5.15.153.1-microsoft-standard-WSL2", 5, 15, 153, "a fourth number is dropped"},
        {"6.8.12", 6, 8, 12, "a plain release"},
        {"4.19", 4, 19, 0, "no patch level"},
        {"6.5-rc2", 6, 5, 0, "a release candidate"},
        {"", 0, 0, 0, "nothing at all"},
        {"unknown", 0, 0, 0, "no number"},
    };
    for (const auto& c : cases) {
        OsDescription d{"Linux", 9, 9, 9, ""};
        parseKernelRelease(c.release, d);
        EXPECT_EQ(d.majorVersion, c.major) << c.shows;
        EXPECT_EQ(d.minorVersion, c.minor) << c.shows;
        EXPECT_EQ(d.buildNumber, c.build) << c.shows;
    }
}

TEST(LinuxOsInfo, PrettyNameOfOsRelease)
{
    struct Case {
        const char* text;
        const char* name;
        const char* shows;
    };
    // The form of os-release(5), as Debian 12 ships it.
    const Case cases[] = {
        {"PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n",
         "Debian GNU/Linux 12 (bookworm)", "double quotes"},
        {"NAME=Fedora\nPRETTY_NAME='Fedora Linux 40'\n", "Fedora Linux 40", "single quotes, not on the first line"},
        {"PRETTY_NAME=Plain", "Plain", "no quotes, no final line feed"},
        {"NAME=\"Debian GNU/Linux\"\n", "", "no PRETTY_NAME"},
        {"XPRETTY_NAME=\"x\"\n", "", "the key must start the line"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(prettyName(c.text), c.name) << c.shows;
}

TEST(LinuxOsInfo, DescribesTheRunningSystem)
{
    utsname u{};
    ASSERT_EQ(uname(&u), 0);
    OsDescription expected;
    parseKernelRelease(u.release, expected);
    const OsDescription d = LinuxOsInfo().describe();
    EXPECT_EQ(d.systemName, u.sysname);
    EXPECT_EQ(d.majorVersion, expected.majorVersion);
    EXPECT_EQ(d.minorVersion, expected.minorVersion);
    EXPECT_NE(d.extra.find(std::string("kernel ") + u.release), std::string::npos) << d.extra;
}

}  // namespace
}  // namespace morvane
