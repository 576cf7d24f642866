// The user's and the company's data (UserSettings) in the per-user settings
// store: application "morvane7.0", section "Startup", every value a string.
#pragma once

#include "common/ProgramRecords.h"
#include "platform/SettingsStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

inline constexpr const char* kSettingsApplication = "morvane7.0";
inline constexpr const char* kSettingsSection = "Startup";

// One key of the section, in the order in which the keys are read and written.
struct IniKey {
    const char* key;
    const char* defaultValue;           // returned for a missing key
    std::string UserSettings::*field;   // nullptr for "UserMSCode", the one number
};

// The fourteen keys with their defaults.
const std::vector<IniKey>& iniKeys();

// Reads every key into its field; a missing key gives its default.
// "UserMSCode" is converted: its leading number (0 when it has none),
// rounded half to even to 16 bits (run-time error 6 outside that range).
// Arms no handler: a failure belongs to the caller's statement.
void LoadIni(UserSettings& settings, const SettingsStore& store);

// Writes every field to its key; gUserMSCode as its plain decimal text.
void SaveIni(const UserSettings& settings, SettingsStore& store);

// The stored form of gUserMSCode read back: leading number, rounded.
std::int16_t userMSCodeOf(const std::string& stored);

}  // namespace morvane
