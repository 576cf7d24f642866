#include "platform/LinuxRegistry.h"

namespace morvane {

std::optional<Registry::Key> LinuxRegistry::open(std::uint32_t, const std::string&, std::uint32_t)
{
    return std::nullopt;
}

std::optional<RegistryValue> LinuxRegistry::query(Key, const std::string&, std::size_t)
{
    return std::nullopt;
}

void LinuxRegistry::close(Key) {}

}  // namespace morvane
