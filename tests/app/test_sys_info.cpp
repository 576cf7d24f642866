// The about window's registry lookup and the start of the system-information
// program, against a fake registry and launcher; and the Linux registry,
// which finds nothing, so the message is what the user gets.
#include "common/ProgramIdentity.h"
#include "app/SysInfo.h"
#include "platform/LinuxRegistry.h"
#include "platform/RuntimeError.h"
#include "support/ShellFakes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace morvane {
namespace {

using namespace morvane::testing;
namespace fs = std::filesystem;

constexpr const char* kSomeKey = "SOFTWARE\\Some\\Key";

std::string bytes(std::initializer_list<int> values)
{
    std::string s;
    for (const int v : values)
        s += static_cast<char>(v);
    return s;
}

TEST(GetKeyValue, ValueTypes)
{
    struct Row {
        const char* shows;
        std::uint32_t type;
        std::string stored;
        std::string expected;
    } rows[] = {
        {"a string as it stands", REG_SZ_TYPE, "C:\\Tools\\msinfo32.exe", "C:\\Tools\\msinfo32.exe"},
        {"a string cut at its first zero byte", REG_SZ_TYPE, bytes({'a', 'b', 0, 'c'}), "ab"},
        {"a 32-bit value: bytes last to first in hex, cut at a zero byte", REG_DWORD_TYPE,
         bytes({0x2A, 0x01, 0, 0}), "&h12A"},
        {"a 32-bit value whose bytes are all set", REG_DWORD_TYPE, bytes({0x01, 0x02, 0x0F, 0xFF}), "&hFFF21"},
        {"an expandable string leaves the text as it was", REG_EXPAND_SZ_TYPE, "%SystemRoot%", "before"},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        FakeRegistry registry;
        registry.keys[kSomeKey]["V"] = {r.type, r.stored};
        std::string value = r.type == REG_EXPAND_SZ_TYPE ? "before" : "";
        EXPECT_TRUE(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, kSomeKey, "V", value)) << r.shows;
        EXPECT_EQ(value, r.expected) << r.shows;
        EXPECT_TRUE(registry.open_.empty()) << r.shows << ": key left open";
        EXPECT_EQ(registry.accessAsked, std::vector<std::uint32_t>{0x2003F}) << r.shows;
    }
}

TEST(GetKeyValue, FailuresGiveFalseAndAnEmptyValue)
{
    TestTracer tracer;
    FakeRegistry registry;
    registry.keys[kSomeKey]["Long"] = {REG_SZ_TYPE, std::string(1025, 'x')};  // does not fit the buffer
    for (const auto& [key, valueName] : {std::pair{"SOFTWARE\\Missing", "V"}, {kSomeKey, "Missing"},
                                         {kSomeKey, "Long"}}) {
        std::string value = "old";
        EXPECT_FALSE(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, key, valueName, value)) << valueName;
        EXPECT_EQ(value, "") << valueName;
    }
    EXPECT_TRUE(registry.open_.empty());
    EXPECT_TRUE(tracer.responder.reports.empty());
}

TEST(GetKeyValue, ValueFillingTheBufferIsAnErrorAndTheKeyIsClosed)
{
    TestTracer tracer;
    tracer.responder.answers = {ContExit};
    FakeRegistry registry;
    registry.keys[kSomeKey]["Full"] = {REG_SZ_TYPE, std::string(1024, 'x')};
    std::string value;
    EXPECT_FALSE(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, kSomeKey, "Full", value));
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, err::InvalidArgument);
    EXPECT_EQ(tracer.responder.reports[0].module, "frmAbout");
    EXPECT_EQ(tracer.responder.reports[0].procedure, "GetKeyValue");
    EXPECT_TRUE(registry.open_.empty());
}

class StartSysInfoTest : public ::testing::Test {
protected:
    TestTracer tracer;
    FakeRegistry registry;
    RecordingLauncher launcher;
    RecordingMessageBox messages;
    testing::TempFolder temp;
    const fs::path& folder = temp.path();
};

TEST_F(StartSysInfoTest, FirstKeyStartsItsPathAndTheSecondIsNotRead)
{
    registry.setString(kSysInfoPathKey, "PATH", "/opt/sysinfo/run");
    registry.setString(kSysInfoFolderKey, "MSINFO", folder.string());
    StartSysInfo(registry, launcher, messages);
    EXPECT_EQ(launcher.started, std::vector<std::string>{"/opt/sysinfo/run"});
    EXPECT_EQ(registry.opened, std::vector<std::string>{kSysInfoPathKey});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartSysInfoTest, SecondKeyNamesTheFolderOfMsinfo32)
{
    registry.setString(kSysInfoFolderKey, "MSINFO", folder.string());
    std::ofstream(folder / "MSINFO32.EXE") << "";
    StartSysInfo(registry, launcher, messages);
    EXPECT_EQ(launcher.started, std::vector<std::string>{(folder / "MSINFO32.EXE").string()});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartSysInfoTest, FolderWithoutMsinfo32GivesTheMessage)
{
    registry.setString(kSysInfoFolderKey, "MSINFO", folder.string());
    StartSysInfo(registry, launcher, messages);
    EXPECT_TRUE(launcher.started.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Systeminformationsprogramm zur Zeit nicht verfuegbar.");
}

TEST_F(StartSysInfoTest, LinuxRegistryFindsNothingSoTheMessageComes)
{
    LinuxRegistry noRegistry;
    StartSysInfo(noRegistry, launcher, messages);
    EXPECT_TRUE(launcher.started.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Systeminformationsprogramm zur Zeit nicht verfuegbar.");
    EXPECT_EQ(messages.shown[0].caption, kProgramTitle);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(tracer.responder.reports.empty());
}

TEST_F(StartSysInfoTest, PathThatDoesNotStartIsReported)
{
    tracer.responder.answers = {ContNext};
    registry.setString(kSysInfoPathKey, "PATH", "/nowhere/sysinfo");
    launcher.succeed = false;
    StartSysInfo(registry, launcher, messages);
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, err::FileNotFound);
    EXPECT_EQ(tracer.responder.reports[0].procedure, "StartSysInfo");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(VersionLabel, PlainDecimalNumbers)
{
    EXPECT_EQ(versionLabel({7, 1, 7}), "Version 7.1.7");
    EXPECT_EQ(versionLabel({7, 01, 0}), "Version 7.1.0");  // a minor written 01 is still 1
    EXPECT_EQ(versionLabel({10, 0, 120}), "Version 10.0.120");
}

}  // namespace
}  // namespace morvane
