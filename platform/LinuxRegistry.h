// Stands for the Windows registry on Linux, which has none: no key opens, so
// every lookup through it finds nothing.
#pragma once

#include "platform/Registry.h"

namespace morvane {

class LinuxRegistry : public Registry {
public:
    std::optional<Key> open(std::uint32_t root, const std::string& keyName, std::uint32_t access) override;
    std::optional<RegistryValue> query(Key key, const std::string& valueName, std::size_t bufferSize) override;
    void close(Key key) override;
};

}  // namespace morvane
