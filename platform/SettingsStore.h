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
    virtual void setValue(const std::string& application, const std::string& section, const std::string& key,
                          const std::string& value) = 0;
};

}  // namespace morvane
