// The end of the program from the error dialog's Quit: at once, with no
// window's closing handler, but with the application object ended first. On
// X11 the clipboard belongs to the running program; ending the application
// hands a clipboard it owns (the error protocol copied for e-mail) to the
// desktop's clipboard manager, where there is one, before the process goes.
#pragma once

#include <QApplication>

#include <memory>

namespace morvane {

[[noreturn]] void quitApplication(std::unique_ptr<QApplication>& app, int exitCode);

}  // namespace morvane
