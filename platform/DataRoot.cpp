#include "platform/DataRoot.h"

#include <cstdlib>
#include <system_error>

namespace morvane {

std::filesystem::path executableFolder()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path();
    return exe.parent_path();
}

std::filesystem::path defaultDataRoot()
{
    const char* home = std::getenv("MORVANE_HOME");
    if (home != nullptr && *home != '\0')
        return std::filesystem::path(home);
    return executableFolder();
}

}  // namespace morvane
