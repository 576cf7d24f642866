// The file commands New, Open, Save and Save As over a stand-in window: the
// dialogs they set up, the round trip through the calculations folder of a
// temporary program folder, when Save asks for a name, what a cancelled dialog
// leaves, and failures reaching the error dialog without harming an old file.
#include "app/FileCommands.h"
#include "platform/RuntimeError.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace morvane {
namespace {

using testing::RecordingMessageBox;
using testing::TestTracer;
namespace fs = std::filesystem;

std::string readBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every dialog shown, with its texts, answered from a queue (nothing left:
// cancelled).
class Dialogs : public FileDialogs {
public:
    struct Asked {
        std::string kind, caption, folder, filter;
    };
    std::optional<std::string> openFile(const std::string& caption, const std::string& folder,
                                        const std::string& filter) override
    {
        return answer({"open", caption, folder, filter});
    }
    std::optional<std::string> saveFile(const std::string& caption, const std::string& folder,
                                        const std::string& filter) override
    {
        return answer({"save", caption, folder, filter});
    }
    std::vector<Asked> asked;
    std::deque<std::optional<std::string>> answers;

private:
    std::optional<std::string> answer(Asked a)
    {
        asked.push_back(std::move(a));
        if (answers.empty())
            return std::nullopt;
        auto next = answers.front();
        answers.pop_front();
        return next;
    }
};

// Two inputs, the status bar panel and the configurator rows of a window, and
// the log of what the commands asked of it.
struct Window {
    std::int16_t Combo1 = 0;  // gMediumNr
    std::string Text23;       // gKundeFirma1
    std::string statusPanel;
    ConfigRowsSnapshot rows;
    bool failRead = false;
    std::vector<std::string> log;
};

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() { fs::create_directories(programFolder / "calculations"); }

    FileCommands& commands()
    {
        if (!commands_) {
            FileCommandWindow w;
            w.readWindow = [this] {
                win.log.push_back("read");
                if (win.failRead)
                    raiseError(err::InvalidPropertyValue);
                state.calc.gMediumNr = win.Combo1;
                state.doc.gKundeFirma1 = win.Text23;
            };
            w.writeWindow = [this] {
                win.log.push_back("write");
                win.Combo1 = state.calc.gMediumNr;
                win.Text23 = state.doc.gKundeFirma1;
                win.statusPanel = state.doc.gDateiname;
            };
            w.resetWindow = [this] {
                win.log.push_back("reset");
                win.Combo1 = 0;
                win.Text23.clear();
                win.statusPanel.clear();
            };
            w.showFileName = [this](const std::string& name) {
                win.log.push_back("status");
                win.statusPanel = name;
            };
            w.repaint = [this] { win.log.push_back("repaint"); };
            w.configRows = [this] {
                win.log.push_back("rows");
                return win.rows;
            };
            commands_.emplace(state, dialogs, messages, programFolder, std::move(w));
        }
        return *commands_;
    }

    fs::path calc(const std::string& name) const { return programFolder / "calculations" / name; }
    std::string folderText() const { return (programFolder / "calculations" / "").string(); }

    TestTracer tracer;
    testing::TempFolder temp;
    const fs::path& programFolder = temp.path();
    ProgramState state;
    Dialogs dialogs;
    RecordingMessageBox messages;
    Window win;

private:
    std::optional<FileCommands> commands_;
};

TEST_F(FileCommandsTest, EachCommandSetsUpItsDialog)
{
    // The caption in the window's language, the filter the same in both.
    struct Row {
        std::int32_t sprachOffset;
        void (FileCommands::*command)();
        const char* kind;
        const char* caption;
        const char* filter;
    } rows[] = {
        {0, &FileCommands::mnuFileOpen_Click, "open", "Öffnen", "morvanePro Files (*.mv5)|*.mv5"},
        {0, &FileCommands::mnuFileSave_Click, "save", "Speichern", "morvanePro Files (*.mv5)|*.mv5"},
        {0, &FileCommands::mnuFileSaveAs_Click, "save", "Speichern", "morvane Files (*.mv5)|*.mv5"},
        {10000, &FileCommands::mnuFileOpen_Click, "open", "Open", "morvanePro Files (*.mv5)|*.mv5"},
        {10000, &FileCommands::mnuFileSave_Click, "save", "Save", "morvanePro Files (*.mv5)|*.mv5"},
        {10000, &FileCommands::mnuFileSaveAs_Click, "save", "Save", "morvane Files (*.mv5)|*.mv5"},
    };
    for (const Row& r : rows) {
        dialogs.asked.clear();
        state.ui.gSprachOffset = r.sprachOffset;
        (commands().*r.command)();
        ASSERT_EQ(dialogs.asked.size(), 1u) << r.caption << " " << r.filter;
        EXPECT_EQ(dialogs.asked[0].kind, r.kind);
        EXPECT_EQ(dialogs.asked[0].caption, r.caption);
        EXPECT_EQ(dialogs.asked[0].filter, r.filter);
        // The calculations folder of the program folder, ending in a separator.
        EXPECT_EQ(dialogs.asked[0].folder, folderText());
        EXPECT_EQ(dialogs.asked[0].folder.back(), '/');
    }
    EXPECT_TRUE(tracer.responder.reports.empty());
}

TEST_F(FileCommandsTest, SaveNewOpenRoundTrip)
{
    win.Combo1 = 4;
    win.Text23 = "Kunde & Söhne";
    win.rows.comboIndex = 2;
    win.rows.rows = {{3, "12.5"}};
    state.config.gConfFeldAnzahl = 1;
    // A name typed without extension gets ".mv5".
    dialogs.answers = {calc("pump").string()};
    commands().mnuFileSave_Click();

    const fs::path file = calc("pump.mv5");
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(state.doc.gDateiname, file.string());
    EXPECT_EQ(win.statusPanel, file.string());
    // The window is read before the dialog; the rows are taken for the file,
    // the panel is set after it.
    EXPECT_EQ(win.log, (std::vector<std::string>{"read", "rows", "status"}));

    win.log.clear();
    commands().mnuFileNew_Click();
    EXPECT_EQ(state.doc.gDateiname, "");
    EXPECT_EQ(win.statusPanel, "");
    EXPECT_EQ(win.log, (std::vector<std::string>{"reset", "repaint"}));

    // The state now differs from the file: the reset window read in again.
    win.log.clear();
    state.calc.gMediumNr = 0;
    state.doc.gKundeFirma1.clear();
    dialogs.answers = {file.string()};
    commands().mnuFileOpen_Click();
    EXPECT_EQ(win.log, (std::vector<std::string>{"write", "repaint"}));
    EXPECT_EQ(win.Combo1, 4);
    EXPECT_EQ(win.Text23, "Kunde & Söhne");
    EXPECT_EQ(win.statusPanel, file.string());
    EXPECT_EQ(state.doc.gDateiname, file.string());
    EXPECT_EQ(state.config.gConfAuswahl.ComboIndex, 2);
    EXPECT_EQ(state.config.gConfAuswahl.Anzahl, 1);
    EXPECT_EQ(state.config.gConfAuswahl.FeldIndex[0], 3);
    EXPECT_EQ(state.config.gConfAuswahl.Wert[0], 12.5);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(tracer.responder.reports.empty());
}

TEST_F(FileCommandsTest, SaveAsksForANameOnlyWhenThereIsNone)
{
    const fs::path first = calc("a.mv5");
    dialogs.answers = {first.string()};
    commands().mnuFileSave_Click();
    EXPECT_EQ(dialogs.asked.size(), 1u) << "Save right after start opens the dialog";

    // A second Save writes the changed input to the same file without a dialog.
    win.Combo1 = 7;
    commands().mnuFileSave_Click();
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(state.doc.gDateiname, first.string());
    state.calc.gMediumNr = 0;
    commands().mnuFileOpen_Click();  // cancelled: only to count the dialog
    dialogs.answers = {first.string()};
    commands().mnuFileOpen_Click();
    EXPECT_EQ(win.Combo1, 7);

    // After New the name is gone, so Save asks again.
    commands().mnuFileNew_Click();
    const std::size_t before = dialogs.asked.size();
    dialogs.answers = {calc("b.mv5").string()};
    commands().mnuFileSave_Click();
    EXPECT_EQ(dialogs.asked.size(), before + 1);
    EXPECT_TRUE(fs::exists(calc("b.mv5")));

    // Save As always asks and moves on to the new name.
    dialogs.answers = {calc("c.mv5").string()};
    commands().mnuFileSaveAs_Click();
    EXPECT_EQ(dialogs.asked.size(), before + 2);
    EXPECT_EQ(state.doc.gDateiname, calc("c.mv5").string());
    EXPECT_EQ(win.statusPanel, calc("c.mv5").string());
    EXPECT_TRUE(fs::exists(calc("c.mv5")));
    EXPECT_TRUE(tracer.responder.reports.empty());
}

TEST_F(FileCommandsTest, CancelledDialogLeavesEverything)
{
    struct Row {
        void (FileCommands::*command)();
        const char* name;       // gDateiname before the command
        const char* readsWindow;
        const char* shows;
    } rows[] = {
        {&FileCommands::mnuFileSave_Click, "", "read", "Save without a name, cancelled: the window has been read"},
        {&FileCommands::mnuFileSaveAs_Click, "old.mv5", "read", "Save As cancelled keeps the old name"},
        {&FileCommands::mnuFileOpen_Click, "old.mv5", "", "Open cancelled touches neither state nor window"},
    };
    for (const Row& r : rows) {
        win.log.clear();
        win.statusPanel = "panel";
        win.Combo1 = 5;
        state.calc.gMediumNr = 2;
        state.doc.gDateiname = *r.name ? calc(r.name).string() : "";
        const std::string nameBefore = state.doc.gDateiname;
        (commands().*r.command)();
        EXPECT_EQ(state.doc.gDateiname, nameBefore) << r.shows;
        EXPECT_EQ(win.statusPanel, "panel") << r.shows;
        EXPECT_EQ(state.calc.gMediumNr, *r.readsWindow ? 5 : 2) << r.shows;
        EXPECT_EQ(win.log, *r.readsWindow ? std::vector<std::string>{r.readsWindow} : std::vector<std::string>{})
            << r.shows;
        EXPECT_TRUE(fs::is_empty(programFolder / "calculations")) << r.shows;
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(tracer.responder.reports.empty());
}

TEST_F(FileCommandsTest, FailedWriteGoesToTheErrorDialogAndKeepsTheOldFile)
{
    // A file without any write bit is not replaced.
    const fs::path target = calc("locked.mv5");
    { std::ofstream(target, std::ios::binary) << "old contents\r\n"; }
    fs::permissions(target, fs::perms::owner_read);
    state.doc.gDateiname = target.string();
    commands().mnuFileSave_Click();
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].procedure, "SaveMvl");
    EXPECT_EQ(readBytes(target), "old contents\r\n");
    EXPECT_TRUE(dialogs.asked.empty());

    // Save As into a folder that is not there.
    tracer.responder.reports.clear();
    dialogs.answers = {(programFolder / "gone" / "x.mv5").string()};
    commands().mnuFileSaveAs_Click();
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_NE(tracer.responder.reports[0].description.find("x.mv5"), std::string::npos);
    EXPECT_FALSE(fs::exists(programFolder / "gone"));
    // The unwritten name becomes neither current nor shown.
    EXPECT_EQ(state.doc.gDateiname, target.string());
    win.statusPanel = target.string();
    tracer.responder.reports.clear();
    dialogs.answers = {(programFolder / "gone" / "y.mv5").string()};
    commands().mnuFileSaveAs_Click();
    EXPECT_EQ(state.doc.gDateiname, target.string());
    EXPECT_EQ(win.statusPanel, target.string());

    // A first Save whose name cannot be written leaves the calculation unnamed.
    state.doc.gDateiname.clear();
    win.statusPanel.clear();
    dialogs.answers = {(programFolder / "gone" / "z.mv5").string()};
    commands().mnuFileSave_Click();
    EXPECT_EQ(state.doc.gDateiname, "");
    EXPECT_EQ(win.statusPanel, "");
}

TEST_F(FileCommandsTest, WindowThatCannotBeReadWritesNothing)
{
    win.failRead = true;
    dialogs.answers = {calc("a.mv5").string()};
    commands().mnuFileSave_Click();
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, err::InvalidPropertyValue);
    EXPECT_EQ(tracer.responder.reports[0].module, "frmMain");
    EXPECT_EQ(tracer.responder.reports[0].procedure, "mnuFileSave_Click");
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(state.doc.gDateiname, "");
    EXPECT_TRUE(fs::is_empty(programFolder / "calculations"));
}

TEST_F(FileCommandsTest, FileThatIsNotLoadedLeavesNoName)
{
    // Saved with the alternative database, opened without it after New: the
    // warning, the state as it was, and no name a later Save would write over.
    state.settings.gUserMSCode = 1;
    win.Combo1 = 4;
    dialogs.answers = {calc("ms.mv5").string()};
    commands().mnuFileSave_Click();
    state.settings.gUserMSCode = 0;
    commands().mnuFileNew_Click();
    state.calc.gMediumNr = 1;

    dialogs.answers = {calc("ms.mv5").string()};
    commands().mnuFileOpen_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kMsCodeMismatchText);
    EXPECT_EQ(state.calc.gMediumNr, 1);
    EXPECT_EQ(state.doc.gDateiname, "");
    EXPECT_EQ(win.statusPanel, "");
    EXPECT_EQ(win.Combo1, 0) << "the window keeps what it showed; nothing was loaded";

    // A missing file: error 53 in LoadMvl, no name kept either.
    dialogs.answers = {calc("missing.mv5").string()};
    commands().mnuFileOpen_Click();
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, err::FileNotFound);
    EXPECT_EQ(tracer.responder.reports[0].procedure, "LoadMvl");
    EXPECT_EQ(state.doc.gDateiname, "");
}

TEST_F(FileCommandsTest, DamagedFileAnsweredWithNextLeavesTheOpenFileCurrent)
{
    // Open A, then a B that does not load: B must not become the current
    // file, or the next Save would write A's calculation over it. A, which the
    // window and the state still hold, stays the current file. A B with
    // damaged content is named in the "not consistent" message; one that the
    // file system refuses (a folder of that name) reaches the error dialog,
    // answered with "next statement".
    struct Row {
        bool folder;
        const char* shows;
    } rows[] = {
        {false, "a Double beyond the double range"},
        {true, "a folder of that name, answered with Next"},
    };
    win.Combo1 = 4;
    dialogs.answers = {calc("a.mv5").string()};
    commands().mnuFileSave_Click();
    for (const Row& r : rows) {
        const fs::path b = calc(r.folder ? "b-folder.mv5" : "b.mv5");
        std::string damaged = readBytes(calc("a.mv5"));
        if (r.folder) {
            fs::create_directory(b);
        } else {
            // Double slot 14 (line 164) out of the double range.
            std::size_t at = 0;
            for (int line = 1; line < 164; ++line)
                at = damaged.find("\r\n", at) + 2;
            damaged.replace(at, damaged.find("\r\n", at) - at, "1E+999");
            std::ofstream(b, std::ios::binary) << damaged;
        }

        win.Combo1 = 4;
        dialogs.answers = {calc("a.mv5").string()};
        commands().mnuFileOpen_Click();
        ASSERT_EQ(state.doc.gDateiname, calc("a.mv5").string()) << r.shows;
        tracer.responder.reports.clear();
        tracer.responder.answers = {ContNext};
        messages.shown.clear();
        dialogs.answers = {b.string()};
        win.log.clear();
        commands().mnuFileOpen_Click();
        if (r.folder) {
            ASSERT_EQ(tracer.responder.reports.size(), 1u) << r.shows;
            EXPECT_EQ(tracer.responder.reports[0].number, 75) << r.shows;
            EXPECT_TRUE(messages.shown.empty()) << r.shows;
        } else {
            EXPECT_TRUE(tracer.responder.reports.empty()) << r.shows;
            ASSERT_EQ(messages.shown.size(), 1u) << r.shows;
            EXPECT_EQ(messages.shown[0].text, inconsistentFileMessage(b.string())) << r.shows;
        }
        EXPECT_EQ(state.doc.gDateiname, calc("a.mv5").string()) << r.shows;
        EXPECT_EQ(win.statusPanel, calc("a.mv5").string()) << r.shows;
        EXPECT_EQ(win.log, (std::vector<std::string>{"status", "repaint"})) << "the window is not written, " << r.shows;

        // Save writes A's calculation to A, without a dialog; B stays as it was.
        dialogs.asked.clear();
        win.Combo1 = 6;
        commands().mnuFileSave_Click();
        EXPECT_TRUE(dialogs.asked.empty()) << r.shows;
        if (r.folder) {
            EXPECT_TRUE(fs::is_directory(b)) << r.shows;
        } else {
            EXPECT_EQ(readBytes(b), damaged) << r.shows;
        }
        state.calc.gMediumNr = 0;
        dialogs.answers = {calc("a.mv5").string()};
        commands().mnuFileOpen_Click();
        EXPECT_EQ(win.Combo1, 6) << r.shows;
    }
}

TEST_F(FileCommandsTest, OpenAddsTheDialogsDefaultExtension)
{
    struct Row {
        const char* typed;
        const char* opens;
        const char* shows;
    } rows[] = {
        {"early", "early.mvl", "before any save dialog a bare name takes .mvl"},
        {"later", "later.mv5", "after a save dialog it takes .mv5"},
        {"plain", "plain", "a bare name that is a file stays as it is"},
    };
    for (const Row& r : rows) {
        if (std::string(r.opens) == "later.mv5") {
            dialogs.answers = {std::nullopt};
            commands().mnuFileSaveAs_Click();  // cancelled, but the dialog was set up
        }
        state.doc.gDateiname = calc(r.opens).string();
        win.Combo1 = 3;
        commands().mnuFileSave_Click();
        ASSERT_TRUE(fs::exists(calc(r.opens))) << r.shows;
        win.Combo1 = 0;
        dialogs.answers = {calc(r.typed).string()};
        commands().mnuFileOpen_Click();
        EXPECT_EQ(state.doc.gDateiname, calc(r.opens).string()) << r.shows;
        EXPECT_EQ(win.Combo1, 3) << r.shows;
    }
    EXPECT_EQ(commands().openDefaultExtension(), "mv5");
    EXPECT_TRUE(tracer.responder.reports.empty());
}

TEST(FileCommandsNames, DefaultExtensionOnlyForBareNames)
{
    EXPECT_EQ(withDefaultExtension("/a/calc", "mv5"), "/a/calc.mv5");
    EXPECT_EQ(withDefaultExtension("/a/calc.mv5", "mv5"), "/a/calc.mv5");
    EXPECT_EQ(withDefaultExtension("/a/calc.txt", "mv5"), "/a/calc.txt");
    EXPECT_EQ(withDefaultExtension("/a.b/calc", "mvl"), "/a.b/calc.mvl");
    EXPECT_EQ(withDefaultExtension("", "mv5"), "");
}

}  // namespace
}  // namespace morvane
