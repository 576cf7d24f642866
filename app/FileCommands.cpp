#include "app/FileCommands.h"

#include "common/ResourceTexts.h"
#include "engine/TypeKey.h"
#include "tracing/ErrPtnr.h"
#include "tracing/Guard.h"

#include <cstdint>
#include <system_error>
#include <utility>

namespace morvane {

namespace {

// A window that does not hand over a callback has nothing to do for it.
template <class F, class... A>
void call(const F& f, A&&... args)
{
    if (f)
        f(std::forward<A>(args)...);
}

}  // namespace

std::string withDefaultExtension(const std::string& path, const std::string& ext)
{
    if (path.empty() || std::filesystem::path(path).has_extension())
        return path;
    return path + "." + ext;
}

FileCommands::FileCommands(ProgramState& state, FileDialogs& dialogs, MessageBoxSink& messages,
                           std::filesystem::path programFolder, FileCommandWindow window)
    : state_(state), dialogs_(dialogs), messages_(messages), programFolder_(std::move(programFolder)),
      window_(std::move(window))
{
}

std::string FileCommands::initialFolder() const
{
    // With the separator at the end, as the dialog is given a folder.
    return (programFolder_ / kCalculationsFolder / "").string();
}

std::string FileCommands::askSaveName(const char* filter)
{
    defaultExt_ = "mv5";
    const auto chosen = dialogs_.saveFile(resText(kSaveDialogCaption, state_.ui.gSprachOffset), initialFolder(), filter);
    if (!chosen)
        return {};
    return withDefaultExtension(*chosen, defaultExt_);
}

bool FileCommands::readWholeWindow(Guard& g)
{
    bool readable = true;
    if (!g.step([&] { readable = !window_.inputsReadable || window_.inputsReadable(); }) || !readable)
        return false;
    // A reading that lost a statement to a run-time error, whatever the answer
    // (Next among them), left the state with the inputs read before the error
    // and older values after it: such a state is no calculation to save.
    const std::uint64_t leftBefore = errPtnr().stepsLeftByError();
    return g.step([&] { call(window_.readWindow); }) && errPtnr().stepsLeftByError() == leftBefore;
}

bool FileCommands::writeFile(const std::string& previousName)
{
    if (SaveMvl(state_, window_.configRows ? window_.configRows() : ConfigRowsSnapshot{}))
        return true;
    // Not written: the name the calculation had stays current and shown.
    state_.doc.gDateiname = previousName;
    call(window_.showFileName, state_.doc.gDateiname);
    return false;
}

void FileCommands::mnuFileNew_Click()
{
    Guard g("frmMain", "mnuFileNew_Click", "Private Sub mnuFileNew_Click()");
    // The reset also empties the file name panel.
    if (!g.step([&] { call(window_.resetWindow); }))
        return;
    if (!g.step([&] { state_.doc.gDateiname.clear(); }))
        return;
    if (!g.step([&] { call(window_.repaint); }))
        return;
}

void FileCommands::mnuFileOpen_Click()
{
    Guard g("frmMain", "mnuFileOpen_Click", "Private Sub mnuFileOpen_Click()");
    std::string name;
    if (!g.step([&] {
            const auto chosen = dialogs_.openFile(resText(kOpenDialogCaption, state_.ui.gSprachOffset), initialFolder(), kFilterSave);
            if (!chosen || chosen->empty())
                return false;  // cancelled
            name = *chosen;
            // A bare name that is no file takes the dialog's default extension.
            std::error_code ec;
            if (!std::filesystem::exists(name, ec))
                name = withDefaultExtension(name, defaultExt_);
            return true;
        }))
        return;
    const std::string previous = state_.doc.gDateiname;
    if (!g.step([&] { state_.doc.gDateiname = name; }))
        return;
    // LoadMvl reports its own failures and changes nothing unless the file
    // reached the state.
    LoadResult loaded = LoadResult::Failed;
    if (!g.step([&] { loaded = LoadMvl(state_, messages_); }))
        loaded = LoadResult::Failed;
    // Only a loaded file is written into the window. After a refused or failed
    // load the window keeps what it showed, and so does the state: the
    // calculation on the screen stays the current one, under its name. (The
    // state then holds the values of the last reading of the window, which are
    // not in the window's units - the known dp is kPa in the state and mbar in
    // its box - so writing them back would show the known dp ten times too
    // small.)
    if (loaded != LoadResult::Loaded) {
        state_.doc.gDateiname = previous;
        if (!g.step([&] { call(window_.showFileName, state_.doc.gDateiname); }))
            return;
        g.step([&] { call(window_.repaint); });
        return;
    }
    // Also puts gDateiname into the status bar. The reader refuses a file whose
    // values the window cannot show; should the writing still fail (the
    // model's configuration table cannot be read), whatever the answer in the
    // error dialog, the window holds part of the file: the file is then not
    // current, so that no Save without a dialog writes that mixture over it.
    // So are configuration rows that the model loaded for them cannot take
    // (more rows than the model has: its table is gone from the database, has
    // fewer fields now, or the file's count is damaged): the next Save would
    // write the file again without them. The window shows the rows the model
    // has, and a message says what was left out and why Save asks for a name.
    const std::uint64_t leftBefore = errPtnr().stepsLeftByError();
    const ConfAuswahl& rows = state_.config.gConfAuswahl;
    const bool windowWritten = g.step([&] { call(window_.writeWindow); }) &&
                               errPtnr().stepsLeftByError() == leftBefore;
    const bool rowsLeftOut = windowWritten && window_.writeWindow && isConfiguredModel(rows.ComboIndex) &&
                             rows.Anzahl > state_.config.gConfFeldAnzahl;
    if (!windowWritten || rowsLeftOut) {
        const std::string file = state_.doc.gDateiname;
        state_.doc.gDateiname.clear();
        g.step([&] { call(window_.showFileName, state_.doc.gDateiname); });
        if (rowsLeftOut)
            g.step([&] {
                messages_.show({withValues(resText(TextConfigRowsLeftOut, state_.ui.gSprachOffset),
                                           {file, std::to_string(rows.Anzahl),
                                            std::to_string(state_.config.gConfFeldAnzahl)}),
                                {}, MessageIcon::None, MessageButtons::Ok});
            });
        return;
    }
    if (!g.step([&] { call(window_.repaint); }))
        return;
}

void FileCommands::mnuFileSave_Click()
{
    Guard g("frmMain", "mnuFileSave_Click", "Private Sub mnuFileSave_Click()");
    if (!readWholeWindow(g))
        return;
    const std::string previous = state_.doc.gDateiname;
    if (!g.step([&] {
            if (!state_.doc.gDateiname.empty())
                return true;
            const std::string name = askSaveName(kFilterSave);
            if (name.empty())
                return false;  // cancelled
            state_.doc.gDateiname = name;
            return true;
        }))
        return;
    if (!g.step([&] { return writeFile(previous); }))
        return;
    if (!g.step([&] { call(window_.showFileName, state_.doc.gDateiname); }))
        return;
}

void FileCommands::mnuFileSaveAs_Click()
{
    Guard g("frmMain", "mnuFileSaveAs_Click", "Private Sub mnuFileSaveAs_Click()");
    if (!readWholeWindow(g))
        return;
    // Cancelling keeps gDateiname; the state has been read all the same.
    const std::string previous = state_.doc.gDateiname;
    if (!g.step([&] {
            const std::string name = askSaveName(kFilterSaveAs);
            if (name.empty())
                return false;
            state_.doc.gDateiname = name;
            return true;
        }))
        return;
    if (!g.step([&] { return writeFile(previous); }))
        return;
    if (!g.step([&] { call(window_.showFileName, state_.doc.gDateiname); }))
        return;
}

}  // namespace morvane
