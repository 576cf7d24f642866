// morvane: design program for differential-pressure flow elements.
#include "common/ProgramIdentity.h"
#include "engine/ProgramState.h"
#include "app/ShellServices.h"
#include "common/qt/ProgramPicture.h"
#include "app/qt/ProgramQuit.h"
#include "app/qt/ProgramShell.h"
#include "common/qt/WindowFonts.h"
#include "platform/DataRoot.h"
#include "platform/LinuxRegistry.h"
#include "platform/SystemClock.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtProgramLauncher.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtShellOpen.h"
#include "tracing/ErrPtnr.h"
#include "tracing/qt/QtErrorReporting.h"

#include <QApplication>
#include <QIcon>

#include <clocale>
#include <memory>

int main(int argc, char** argv)
{
    using namespace morvane;
    auto app = std::make_unique<QApplication>(argc, argv);
    // QApplication takes the user's locale for the C library too; numbers in
    // files, tables and texts always use a point, so the C library keeps the
    // "C" rules for numbers (Qt's own QLocale is not affected).
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationDisplayName(QString::fromLatin1(kProgramTitle));
    QApplication::setWindowIcon(QIcon(programPicture(64)));
    installFontSubstitutes();
    // Windows without a font of their own (message boxes, file dialogs) take
    // the one the program's windows were designed with.
    QApplication::setFont(windowFont());
    errPtnr().setProgramIdentity(kExeName, kProgramVersion.major, kProgramVersion.minor, kProgramVersion.revision);
    errPtnr().setQuitHandler([&app](int code) { quitApplication(app, code); });
    const auto programFolder = defaultDataRoot();
    QtErrorReporting errors(programFolder, kProgramTitle);

    QtSettingsStore settings;
    QtMessageBox messages(kProgramTitle);
    QtShellOpen shell;
    LinuxRegistry registry;
    QtProgramLauncher launcher;
    SystemClock clock;
    QtClipboard clipboard;
    ShellServices services{settings, messages, shell, registry, launcher, clipboard, clock, programFolder};

    // The program-wide records live for the whole run.
    ProgramState state;
    ProgramShell program(state, services, clock);
    program.Main();
    return app->exec();
}
