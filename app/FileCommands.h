// The main window's file commands New, Open, Save and Save As: the file dialogs
// they set up, the current file name gDateiname and the order of reading the
// window, writing the file, reading the file and writing the window.
//
// The commands know nothing of the window's widgets: the window hands over what
// they need of it as callbacks (read its inputs into the state, write the state
// into its inputs, reset its inputs, show the file name in the status bar,
// repaint, copy out its configurator rows). Each command registers with the
// tracer as the window's handler of the same name ("frmMain",
// "mnuFileSave_Click" ...), so a failure inside it reaches the error dialog.
//
// The dialogs (captions in the window's language, filters the same in both):
//   Open     caption text 1011 "Öffnen" / "Open",    filter "morvanePro Files (*.mv5)|*.mv5"
//   Save     caption text 1012 "Speichern" / "Save", filter "morvanePro Files (*.mv5)|*.mv5"
//   Save As  caption text 1012,                      filter "morvane Files (*.mv5)|*.mv5"
// all starting in the "calculations" folder of the program folder. A cancelled
// dialog ends the command without a message.
//
// Default extension: a name typed without an extension in a save dialog gets
// ".mv5". The open dialog takes the extension the dialog last had: ".mvl" (the
// extension of the earliest releases) until a save dialog has been set up, then
// ".mv5"; it is added only when the name as typed is not an existing file.
#pragma once

#include "app/CalculationFile.h"
#include "engine/ProgramState.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "tracing/Guard.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace morvane {

inline constexpr std::int32_t kOpenDialogCaption = 1011;
inline constexpr std::int32_t kSaveDialogCaption = 1012;
inline constexpr const char* kFilterSave = "morvanePro Files (*.mv5)|*.mv5";
inline constexpr const char* kFilterSaveAs = "morvane Files (*.mv5)|*.mv5";
inline constexpr const char* kCalculationsFolder = "calculations";

// "The configuration of this file has %2 rows where the model has %3. The
// extra rows were left out ...", %1 the file.
inline constexpr std::int32_t TextConfigRowsLeftOut = 1910;

// What the commands need of the main window.
struct FileCommandWindow {
    // Whether the window's inputs can be read as they are meant (every number
    // box in use holds one number); the window says where not. Save and Save
    // As read and write nothing otherwise.
    std::function<bool()> inputsReadable;
    // ReadOberflaeche: the window's inputs into the calculation state.
    std::function<void()> readWindow;
    // WriteOberflaeche: the state (and the loaded configuration) into the
    // window's inputs; it also shows gDateiname in the status bar.
    std::function<void()> writeWindow;
    // ResetOberflaeche: every input to its default; it also empties the status
    // bar's file-name panel.
    std::function<void()> resetWindow;
    // The text of the status bar's first panel.
    std::function<void(const std::string&)> showFileName;
    // Redraws the window.
    std::function<void()> repaint;
    // The element-type list and the configuration rows as they stand now, for
    // the configuration section of the file.
    std::function<ConfigRowsSnapshot()> configRows;
};

class FileCommands {
public:
    FileCommands(ProgramState& state, FileDialogs& dialogs, MessageBoxSink& messages,
                 std::filesystem::path programFolder, FileCommandWindow window);

    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();

    // The folder every file dialog starts in: program folder & "calculations/".
    std::string initialFolder() const;
    // The extension the next open dialog adds to a bare name ("mvl" or "mv5").
    const std::string& openDefaultExtension() const { return defaultExt_; }

private:
    // Shows the save dialog with the given filter; empty when cancelled.
    std::string askSaveName(const char* filter);
    // ReadOberflaeche; false, and nothing may be saved, when the window says
    // its inputs cannot be read as meant (then nothing is read) or the
    // reading met a run-time error, whatever the answer.
    bool readWholeWindow(Guard& g);
    // SaveMvl; when the file is not written, previousName becomes current
    // and shown again and the result is false.
    bool writeFile(const std::string& previousName);

    ProgramState& state_;
    FileDialogs& dialogs_;
    MessageBoxSink& messages_;
    std::filesystem::path programFolder_;
    FileCommandWindow window_;
    // The dialog's default extension, kept from one use to the next like the
    // window's dialog control keeps it.
    std::string defaultExt_ = "mvl";
};

// The chosen name with ".ext" added when it has no extension of its own.
std::string withDefaultExtension(const std::string& path, const std::string& ext);

}  // namespace morvane
