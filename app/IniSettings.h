// The user's and the company's data (UserSettings) in the per-user settings
// store: application "morvane7.0", section "Startup", every value a string.
#pragma once

#include "common/ProgramRecords.h"
#include "platform/SettingsStore.h"

#include <cstdint>
#include <optional>
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

// Reads every key into its field; a missing key gives its default. Writes
// nothing. "UserMSCode" is converted: its leading number as the runtime's Val
// reads it (0 when it has none, as for "abc"), rounded half to even to 16 bits.
// A value that gives no 16-bit number (99999, 1e400) is damage of that key
// alone: it takes 0, every other key loads as stored, and the key is in the
// result (empty when every key was read). Arms no handler: a failure belongs
// to the caller's statement.
std::vector<std::string> LoadIni(UserSettings& settings, const SettingsStore& store);

// Writes every field to its key; gUserMSCode as its plain decimal text. False
// when a key could not be written (the store's file cannot be written); the
// other keys are written all the same.
bool SaveIni(const UserSettings& settings, SettingsStore& store);

// "The settings could not be stored in <file>": the message for a SaveIni that
// failed, naming the store's file.
inline constexpr std::int32_t TextSettingsNotStored = 1911;
std::string settingsNotStoredMessage(const SettingsStore& store, std::int32_t sprachOffset);

// "The setting <key> in <file> holds no value it can take; it counts as 0
// ...": the message for a key that LoadIni found damaged.
inline constexpr std::int32_t TextSettingDamaged = 1912;
std::string settingsKeyDamagedMessage(const SettingsStore& store, const std::string& key, std::int32_t sprachOffset);

// The stored form of gUserMSCode read back: leading number, rounded; nothing
// when that is no 16-bit number.
std::optional<std::int16_t> userMSCodeOf(const std::string& stored);

}  // namespace morvane
