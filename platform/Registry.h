// Stands for the Windows registry (advapi32: RegOpenKeyExA, RegQueryValueExA,
// RegCloseKey), through which the about window finds the system-information
// program. Linux has no registry: LinuxRegistry opens no key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace morvane {

inline constexpr std::uint32_t HKEY_LOCAL_MACHINE_ROOT = 0x80000002u;

// Standard read rights with query, set, create-subkey, enumerate, notify and
// create-link.
inline constexpr std::uint32_t KEY_ALL_ACCESS_MASK = 0x2003Fu;

inline constexpr std::uint32_t REG_SZ_TYPE = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ_TYPE = 2;
inline constexpr std::uint32_t REG_DWORD_TYPE = 4;

// A value as stored: its type and its bytes.
struct RegistryValue {
    std::uint32_t type = 0;
    std::string bytes;
};

class Registry {
public:
    using Key = std::uint64_t;

    virtual ~Registry() = default;
    // An open key, or nothing when it does not exist or the rights are refused.
    virtual std::optional<Key> open(std::uint32_t root, const std::string& keyName, std::uint32_t access) = 0;
    // The value copied into a buffer of bufferSize bytes, or nothing when the
    // value does not exist or does not fit.
    virtual std::optional<RegistryValue> query(Key key, const std::string& valueName, std::size_t bufferSize) = 0;
    virtual void close(Key key) = 0;
};

}  // namespace morvane
