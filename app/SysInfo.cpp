#include "app/SysInfo.h"

#include "common/ProgramIdentity.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace morvane {

namespace {

constexpr std::size_t kValueBufferSize = 1024;

// Closes an opened key when the function leaves, whichever way it leaves.
class OpenKey {
public:
    OpenKey(Registry& registry, Registry::Key key) : registry_(registry), key_(key) {}
    ~OpenKey() { registry_.close(key_); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    Registry::Key key() const { return key_; }

private:
    Registry& registry_;
    Registry::Key key_;
};

// The runtime's Hex of a byte: capitals, no leading zero.
std::string hexOf(unsigned char byte)
{
    char text[3];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(byte));
    return text;
}

}  // namespace

bool GetKeyValue(Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal)
{
    Guard g("frmAbout", "GetKeyValue",
            "Public Function GetKeyValue(KeyRoot As Long, KeyName As String, SubKeyRef As String, ByRef KeyVal As "
            "String) As Boolean",
            {{"KeyRoot", TraceValue(static_cast<long long>(KeyRoot))},
             {"KeyName", TraceValue(KeyName)},
             {"SubKeyRef", TraceValue(SubKeyRef)},
             {"KeyVal", TraceValue(KeyVal)}});
    bool result = false;
    std::optional<Registry::Key> opened;
    if (!g.step([&] { opened = registry.open(KeyRoot, KeyName, KEY_ALL_ACCESS_MASK); }))
        return result;
    if (!opened) {
        KeyVal.clear();
        return result;
    }
    const OpenKey key(registry, *opened);
    std::optional<RegistryValue> value;
    if (!g.step([&] { value = registry.query(key.key(), SubKeyRef, kValueBufferSize); }))
        return result;
    if (!value || value->bytes.size() > kValueBufferSize) {
        KeyVal.clear();
        return result;
    }
    std::string text;
    if (!g.step([&] {
            // The buffer starts as zero bytes; a value that fills it leaves no
            // zero byte to cut at.
            const auto nul = value->bytes.find('\0');
            if (nul == std::string::npos && value->bytes.size() == kValueBufferSize)
                raiseError(err::InvalidArgument);
            text = value->bytes.substr(0, nul);
        }))
        return result;
    if (!g.step([&] {
            if (value->type == REG_SZ_TYPE) {
                KeyVal = text;
            } else if (value->type == REG_DWORD_TYPE) {
                for (auto it = text.rbegin(); it != text.rend(); ++it)
                    KeyVal += hexOf(static_cast<unsigned char>(*it));
                KeyVal = "&h" + KeyVal;
            }
        }))
        return result;
    result = true;
    return result;
}

void StartSysInfo(Registry& registry, ProgramLauncher& launcher, MessageBoxSink& messages)
{
    Guard g("frmAbout", "StartSysInfo", "Public Sub StartSysInfo()");
    std::string path;
    bool found = false;
    if (!g.step([&] { found = GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, kSysInfoPathKey, "PATH", path); }))
        return;
    if (!found) {
        if (!g.step([&] {
                if (GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, kSysInfoFolderKey, "MSINFO", path)) {
                    // The registry names a folder; the program is MSINFO32.EXE in it.
                    const std::filesystem::path program = std::filesystem::path(path) / "MSINFO32.EXE";
                    std::error_code ec;
                    if (std::filesystem::is_regular_file(program, ec)) {
                        path = program.string();
                        found = true;
                    }
                }
            }))
            return;
    }
    if (!found) {
        if (!g.step([&] { messages.show({kSysInfoMissing, kProgramTitle, MessageIcon::None, MessageButtons::Ok}); }))
            return;
        return;
    }
    if (!g.step([&] {
            if (!launcher.start(path))
                raiseError(err::FileNotFound);
        }))
        return;
}

}  // namespace morvane
