// Starting another program by its path, detached from this one, by QProcess.
#pragma once

#include "platform/ProgramLauncher.h"

namespace morvane {

class QtProgramLauncher : public ProgramLauncher {
public:
    bool start(const std::string& path) override;
};

}  // namespace morvane
