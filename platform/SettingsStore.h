// The per-user settings store: string values by application, section and key.
// The program keeps them with QSettings (platform/qt/QtSettingsStore.h); tests
// keep them in memory.
#pragma once

#include <optional>
#include <string>

namespace morvane {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> value(const std::string& application, const std::string& section,
                                             const std::string& key) const = 0;
    // False when the value could not be stored (the file or its folder may not
    // be written, a folder stands where the file belongs).
    virtual bool setValue(const std::string& application, const std::string& section, const std::string& key,
                          const std::string& value) = 0;
    // Where an application's settings are kept, as a message names it.
    virtual std::string fileName(const std::string& application) const = 0;
};

}  // namespace morvane
