// The start-up (Main) and the language switch (subgChangeLanguage): owns the
// one main window, gMainForm, and replaces it when the language changes.
#pragma once

#include "app/ShellServices.h"
#include "app/qt/frmMain.h"
#include "engine/ProgramState.h"
#include "platform/Clock.h"

#include <QPointer>

#include <chrono>

namespace morvane {

class ProgramShell : public LanguageSwitch {
public:
    // splashTime: how long the splash window stays (two seconds in the
    // program), measured on clock.
    ProgramShell(ProgramState& state, ShellServices& services, const Clock& clock,
                 std::chrono::milliseconds splashTime = std::chrono::seconds(2));

    // Language from Lang.set, the splash while window messages are processed,
    // the program folder as current folder, the configurator's limit checks in
    // warn mode, then the main window. Returns when the main window is shown.
    void Main();

    // Stores gSprachOffset in Lang.set and rebuilds the main window in that
    // language: the old window closes (its closing handler runs) and is
    // deleted later, a new one is shown and takes over the old one's inputs,
    // the page on view and the current file name.
    void subgChangeLanguage() override;

    frmMain* gMainForm() const { return gMainForm_.data(); }

private:
    void waitWithSplash();
    void showNewMainForm();

    ProgramState& state_;
    ShellServices& services_;
    const Clock& clock_;
    std::chrono::milliseconds splashTime_;
    QPointer<frmMain> gMainForm_;
};

}  // namespace morvane
