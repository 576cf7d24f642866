// The platform services the shell's windows use, handed to them as one bundle:
// the program makes the real ones, tests recording fakes.
#pragma once

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"
#include "platform/SettingsStore.h"
#include "platform/ShellOpen.h"

#include <filesystem>

namespace morvane {

struct ShellServices {
    SettingsStore& settings;
    MessageBoxSink& messages;
    ShellOpen& shell;
    Registry& registry;
    ProgramLauncher& launcher;
    // The clipboard of the configurator's copy button.
    Clipboard& clipboard;
    // The date and time of the main window's status bar.
    const Clock& clock;
    // Where Lang.set, the help page and the calculations folder are.
    std::filesystem::path programFolder;
};

}  // namespace morvane
