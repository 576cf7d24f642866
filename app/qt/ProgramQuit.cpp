#include "app/qt/ProgramQuit.h"

#include <cstdlib>

namespace morvane {

void quitApplication(std::unique_ptr<QApplication>& app, int exitCode)
{
    // The windows and the rest of the run's objects are left as they are: the
    // process ends right after.
    app.reset();
    std::exit(exitCode);
}

}  // namespace morvane
