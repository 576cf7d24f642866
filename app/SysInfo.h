// The about window's system-information button: the program is looked up in
// the registry and started; without it a message says it is not available.
// On Linux the registry finds nothing (platform/LinuxRegistry.h), so the
// message is what the user gets.
#pragma once

#include "platform/MessageBox.h"
#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"

#include <cstdint>
#include <string>

namespace morvane {

// Shown when no system-information program is found, the same German text in
// both languages.
inline constexpr const char* kSysInfoMissing = "Systeminformationsprogramm zur Zeit nicht verfuegbar.";

inline constexpr const char* kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// Reads value SubKeyRef of key KeyName under the root KeyRoot into KeyVal as
// text: a string value as it stands, a 32-bit value as "&h" and its bytes in
// hexadecimal from the last to the first. true on success; false, with KeyVal
// "", when the key or the value cannot be read (a value longer than 1024
// bytes among them). Any other value type leaves KeyVal as it was and is still
// a success. The key is closed on every path.
bool GetKeyValue(Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal);

// Starts the system-information program named by the registry (first the
// program path of kSysInfoPathKey, then the folder of kSysInfoFolderKey with
// MSINFO32.EXE in it), or shows kSysInfoMissing under the program title.
// A path that cannot be started is run-time error 53.
void StartSysInfo(Registry& registry, ProgramLauncher& launcher, MessageBoxSink& messages);

}  // namespace morvane
