// Stands for "the program's folder": where the language file, databases, drawings,
// help page, calculations folder and error protocols live.
#pragma once

#include <filesystem>

namespace morvane {

// The folder named by $MORVANE_HOME when it is set and not empty, otherwise the
// folder of the running executable.
std::filesystem::path defaultDataRoot();

// The folder of the running executable (from /proc/self/exe).
std::filesystem::path executableFolder();

}  // namespace morvane
