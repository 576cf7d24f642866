// The per-user settings store, by QSettings: one settings file per
// application, a group per section.
#pragma once

#include "platform/SettingsStore.h"

namespace morvane {

class QtSettingsStore : public SettingsStore {
public:
    // The organization names the folder in which the applications' files lie.
    explicit QtSettingsStore(std::string organization = "morvane");

    std::optional<std::string> value(const std::string& application, const std::string& section,
                                     const std::string& key) const override;
    void setValue(const std::string& application, const std::string& section, const std::string& key,
                  const std::string& value) override;

private:
    std::string organization_;
};

}  // namespace morvane
