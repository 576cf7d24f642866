// The file commands through the real main window: their menu items and toolbar
// buttons are live, Save writes the window's inputs to the file the dialog
// names, and Open brings a changed input back and shows the file's name.
#include "app/CalculationFile.h"
#include "app/qt/frmMain.h"
#include "common/qt/CodeEvents.h"
#include "gui/TextFits.h"
#include "mainwindow/qt/MainInputPages.h"
#include "support/ShellFakes.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QTabWidget>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include <sys/stat.h>

using namespace morvane;
using namespace morvane::testing;

namespace {

class NoSwitch : public LanguageSwitch {
public:
    void subgChangeLanguage() override {}
};

struct Rig {
    Rig()
    {
        std::filesystem::create_directories(fakes.services.programFolder / "calculations");
        window = new frmMain(state, fakes.services, languageSwitch);
        window->setFileDialogs(dialogs);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    }
    ~Rig() { delete window.data(); }
    QAction* action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    QString panel() const { return window->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel1"))->text(); }
    MainInputPages& pages() const { return *window->inputPages(); }
    std::string calc(const char* name) const
    {
        return (fakes.services.programFolder / "calculations" / name).string();
    }

    TestTracer tracer;
    QTemporaryDir folder;
    FakeShellServices fakes{folder.path().toStdString()};
    ScriptedFileDialogs dialogs;
    ProgramState state;
    NoSwitch languageSwitch;
    QPointer<frmMain> window;
};

double number(const QLineEdit* box) { return box->text().trimmed().toDouble(); }

}  // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

private slots:
    void commandsAreLive();
    void saveThenOpenRestoresAChangedInput();
    void toolbarSaveWritesWithoutDialogOnceNamed();
    void openThatLoadsNothingKeepsTheKnownDp();
    void openOfANamedPipeEndsAtOnce();
    void damagedFileAnsweredAnyWayLeavesTheOpenFileCurrent();
    void fileTheWindowCannotShowLeavesEveryBox();
    void saveOfInputsThatDoNotReadKeepsTheOldFile();
    void germanTextsSurviveSaveAndOpen();
    void pressureAndTemperatureInOtherUnitsComeBackAsTyped();
    void longPathKeepsTheWindowsWidthAndShowsTheFileName();
    void boxesShowTheirTextFromTheStartAfterOpenAndNew();
};

void TestFileCommands::commandsAreLive()
{
    Rig rig;
    for (const char* name : {"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs", "tbButton_Neu",
                             "tbButton_Öffnen", "tbButton_Speichern"})
        QVERIFY2(rig.window->findChild<QAction*>(QString::fromUtf8(name))->isEnabled(), name);
}

void TestFileCommands::saveThenOpenRestoresAChangedInput()
{
    Rig rig;
    rig.pages().Text23->setText(QStringLiteral("Kunde Süd GmbH"));
    rig.pages().Text16->setText(QStringLiteral("350"));
    rig.pages().Text12->setPlainText(QStringLiteral("erste Zeile"));
    rig.dialogs.saveAnswer = rig.calc("FT-101");
    rig.action("mnuFileSave")->trigger();
    const std::string file = rig.calc("FT-101.mv5");
    QVERIFY(std::filesystem::exists(file));
    QCOMPARE(rig.state.doc.gDateiname, file);
    QCOMPARE(rig.panel(), QString::fromStdString(file));
    QCOMPARE(rig.dialogs.asked.size(), std::size_t(1));
    QCOMPARE(rig.dialogs.asked[0].first, std::string("Speichern"));
    QCOMPARE(rig.dialogs.asked[0].second, rig.calc(""));

    // New empties the inputs and forgets the name; the inputs are changed again.
    rig.action("mnuFileNew")->trigger();
    QCOMPARE(rig.panel(), QString());
    rig.pages().Text23->setText(QStringLiteral("anders"));
    rig.pages().Text16->setText(QStringLiteral("100"));
    rig.pages().Text12->setPlainText(QString());

    rig.dialogs.openAnswer = file;
    rig.window->findChild<QAction*>(QString::fromUtf8("tbButton_Öffnen"))->trigger();
    QCOMPARE(rig.dialogs.asked.back().first, std::string("Öffnen"));
    QCOMPARE(rig.pages().Text23->text(), QStringLiteral("Kunde Süd GmbH"));
    QCOMPARE(number(rig.pages().Text16), 350.0);
    QCOMPARE(rig.pages().Text12->toPlainText(), QStringLiteral("erste Zeile"));
    QCOMPARE(rig.state.doc.gDateiname, file);
    QCOMPARE(rig.panel(), QString::fromStdString(file));
    QVERIFY(rig.tracer.responder.reports.empty());
    QVERIFY(rig.fakes.messages.shown.empty());
}

void TestFileCommands::toolbarSaveWritesWithoutDialogOnceNamed()
{
    Rig rig;
    rig.dialogs.saveAnswer = rig.calc("a.mv5");
    QAction* save = rig.window->findChild<QAction*>(QString::fromUtf8("tbButton_Speichern"));
    save->trigger();
    QCOMPARE(rig.dialogs.asked.size(), std::size_t(1));
    // A change saved by the toolbar's Save goes to the same file, no dialog.
    rig.pages().Text23->setText(QStringLiteral("zweiter Stand"));
    rig.dialogs.saveAnswer.reset();
    save->trigger();
    QCOMPARE(rig.dialogs.asked.size(), std::size_t(1));
    rig.pages().Text23->setText(QString());
    rig.dialogs.openAnswer = rig.calc("a.mv5");
    rig.action("mnuFileOpen")->trigger();
    QCOMPARE(rig.pages().Text23->text(), QStringLiteral("zweiter Stand"));

    // Save As cancelled keeps the name and writes nothing.
    rig.pages().Text23->setText(QStringLiteral("nicht gespeichert"));
    rig.action("mnuFileSaveAs")->trigger();
    QCOMPARE(rig.dialogs.asked.size(), std::size_t(3));
    QCOMPARE(rig.state.doc.gDateiname, rig.calc("a.mv5"));
    rig.action("mnuFileOpen")->trigger();
    QCOMPARE(rig.pages().Text23->text(), QStringLiteral("zweiter Stand"));
    QVERIFY(rig.tracer.responder.reports.empty());
}

// A file saved deep in the folders: the status bar shows the path's end, the
// file's name, in the room it has; the window keeps its width.
void TestFileCommands::longPathKeepsTheWindowsWidthAndShowsTheFileName()
{
    Rig rig;
    const QSize before = rig.window->size();
    std::filesystem::path deep = rig.fakes.services.programFolder / "calculations";
    for (const char* folder : {"Projekte 2026", "Stadtwerke Musterstadt Versorgungsgesellschaft", "Fernwaermeleitung Nord",
                               "Berechnungen Messstellen Dampf und Kondensat"})
        deep /= folder;
    std::filesystem::create_directories(deep);
    const std::string file = (deep / "Messstelle FT-101 Dampf.mv5").string();
    rig.dialogs.saveAnswer = file;
    rig.action("mnuFileSaveAs")->trigger();
    QCOMPARE(rig.panel(), QString::fromStdString(file));
    QCoreApplication::processEvents();
    QCOMPARE(rig.window->size(), before);
    QVERIFY(rig.window->minimumSizeHint().width() <= before.width());
    // What the panel shows, drawn alone: its right part holds the name's
    // letters (the window's own grab draws the status bar as on screen).
    auto* panel = rig.window->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel1"));
    QVERIFY(panel->geometry().right() < rig.window->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel2"))->x());
    QCOMPARE(panel->toolTip(), QString::fromStdString(file));
    const QImage picture = panel->grab().toImage();
    const QRgb background = picture.pixel(picture.width() - 1, 0);
    int inked = 0;
    for (int x = picture.width() * 3 / 4; x < picture.width(); ++x)
        for (int y = 0; y < picture.height(); ++y)
            inked += picture.pixel(x, y) != background;
    QVERIFY2(inked > 20, "the end of the path is drawn");
    QVERIFY(rig.tracer.responder.reports.empty());
}

// A bore and a design flow of the solver's length, saved and opened again:
// the boxes show them from their first digit ("170.85...", not the tail
// "70.854109316157" with the leading 1 out of sight), and so does every box
// after Open and after New.
void TestFileCommands::boxesShowTheirTextFromTheStartAfterOpenAndNew()
{
    Rig rig;
    MainInputPages& p = rig.pages();
    setListIndex(p.Combo2, 9);  // orifice
    p.Text8->setText(QStringLiteral("250"));
    p.Text10->setText(QStringLiteral(" 170.854109316157"));
    p.Text18->setText(QStringLiteral(" 18.2752342592842"));
    rig.dialogs.saveAnswer = rig.calc("bore");
    rig.action("mnuFileSave")->trigger();
    rig.action("mnuFileNew")->trigger();
    QCOMPARE(boxesNotShowingTheirStart(rig.window), QStringList());

    rig.dialogs.openAnswer = rig.calc("bore.mv5");
    rig.action("mnuFileOpen")->trigger();
    QVERIFY(rig.tracer.responder.reports.empty());
    QCOMPARE(p.Text10->text(), QStringLiteral(" 170.854109316157"));
    for (QLineEdit* box : {p.Text10, p.Text18})
        QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) > box->contentsRect().width(),
                 "the text is wider than its box");
    QCOMPARE(boxesNotShowingTheirStart(rig.window), QStringList());

    // With MORVANE_SCREENSHOT_DIR set, the two pages as the user sees them.
    const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        auto* tabs = rig.window->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
        for (const int page : {1, 2}) {
            tabs->setCurrentIndex(page);
            QVERIFY(rig.window->grab().save(QDir(folder).filePath(QStringLiteral("opened_page%1.png").arg(page))));
        }
    }
}

// The known dp is typed in mbar and held in kPa: an Open that loads nothing must
// not write the state back into the box (it would show a tenth of the value).
void TestFileCommands::openThatLoadsNothingKeepsTheKnownDp()
{
    Rig rig;
    rig.pages().Text37->setText(QStringLiteral("50"));
    rig.dialogs.saveAnswer = rig.calc("dp.mv5");
    rig.action("mnuFileSave")->trigger();
    QCOMPARE(rig.state.calc.gDifferenzdruckSoll, 5.0);

    rig.dialogs.openAnswer = rig.calc("missing.mv5");
    rig.action("mnuFileOpen")->trigger();
    QCOMPARE(rig.tracer.responder.reports.size(), std::size_t(1));
    QCOMPARE(number(rig.pages().Text37), 50.0);
    // The saved file stays the current one.
    QCOMPARE(rig.panel(), QString::fromStdString(rig.calc("dp.mv5")));
    rig.pages().ReadOberflaeche(ReadingFor::Calculation);
    QCOMPARE(rig.state.calc.gDifferenzdruckSoll, 5.0);
}

// A named pipe chosen in the open dialog: the program must not wait for a
// writer. The error names the file, and the window keeps what it showed.
void TestFileCommands::openOfANamedPipeEndsAtOnce()
{
    Rig rig;
    rig.pages().Text37->setText(QStringLiteral("50"));
    const std::string pipe = rig.calc("pipe.mv5");
    QCOMPARE(::mkfifo(pipe.c_str(), 0600), 0);
    rig.dialogs.openAnswer = pipe;
    rig.action("mnuFileOpen")->trigger();
    QCOMPARE(rig.tracer.responder.reports.size(), std::size_t(1));
    QCOMPARE(rig.tracer.responder.reports[0].number, 75);
    QVERIFY(rig.tracer.responder.reports[0].description.find(pipe) != std::string::npos);
    QCOMPARE(number(rig.pages().Text37), 50.0);
    QCOMPARE(rig.panel(), QString());
    QCOMPARE(rig.state.doc.gDateiname, std::string());
}

namespace {

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file with one of its lines (from 1) replaced.
std::string withLine(std::string bytes, int line, const std::string& value)
{
    std::size_t start = 0;
    for (int k = 1; k < line; ++k)
        start = bytes.find("\r\n", start) + 2;
    return bytes.replace(start, bytes.find("\r\n", start) - start, value);
}

}  // namespace

// Open A, then a B that does not load: B must not become the file that the
// next Save writes A's inputs over. A B with damaged content is named in the
// "not consistent" message; one that the file system refuses (a folder of
// that name) reaches the error dialog, whatever the answer there. A, which the
// window still shows, stays the current file: Save writes it without a
// dialog, and B stays as it was on disk.
void TestFileCommands::damagedFileAnsweredAnyWayLeavesTheOpenFileCurrent()
{
    struct Row {
        bool folder;
        std::optional<std::int16_t> answer;
        const char* shows;
    } rows[] = {
        {false, std::nullopt, "a Double out of range"},
        {true, ContNext, "a folder, Next"},
        {true, ContExit, "a folder, Exit"},
        {true, std::nullopt, "a folder, dialog closed"},
    };
    for (const Row& r : rows) {
        Rig rig;
        rig.pages().Text23->setText(QStringLiteral("Kunde A"));
        rig.dialogs.saveAnswer = rig.calc("A.mv5");
        rig.action("mnuFileSave")->trigger();
        const std::string a = rig.calc("A.mv5");
        const std::string b = rig.calc("B.mv5");
        if (r.folder) {
            std::filesystem::create_directory(b);
        } else {
            const std::string damaged = withLine(withLine(fileBytes(a), 54, "\"Kunde B\""), 151, "1E+400");
            std::ofstream(b, std::ios::binary) << damaged;
        }
        const std::string bBefore = r.folder ? std::string() : fileBytes(b);
        rig.tracer.responder.answers = {r.answer};
        rig.dialogs.openAnswer = b;
        rig.action("mnuFileOpen")->trigger();
        // A dialog closed without a choice repeats the statement (the last
        // answer stands); the script then leaves.
        const std::size_t reports = rig.tracer.responder.reports.size();
        if (r.folder) {
            QVERIFY2(reports >= 1, r.shows);
            QVERIFY2(rig.tracer.responder.reports[0].number == 75, r.shows);
            QVERIFY2(rig.fakes.messages.shown.empty(), r.shows);
        } else {
            QVERIFY2(reports == 0, r.shows);
            QVERIFY2(rig.fakes.messages.shown.size() == 1, r.shows);
            QCOMPARE(rig.fakes.messages.shown[0].text, inconsistentFileMessage(b));
        }
        QVERIFY2(rig.state.doc.gDateiname == a, r.shows);
        QVERIFY2(rig.panel() == QString::fromStdString(a), r.shows);
        QVERIFY2(rig.pages().Text23->text() == QStringLiteral("Kunde A"), r.shows);

        // Save writes A again, without a dialog.
        rig.pages().Text23->setText(QStringLiteral("Kunde A, geändert"));
        rig.dialogs.saveAnswer.reset();
        const std::size_t asked = rig.dialogs.asked.size();
        rig.action("mnuFileSave")->trigger();
        QVERIFY2(rig.dialogs.asked.size() == asked, r.shows);
        QVERIFY2(r.folder ? std::filesystem::is_directory(b) : fileBytes(b) == bBefore, r.shows);
        QVERIFY2(fileBytes(a).find("Kunde A, ge") != std::string::npos, r.shows);
        QVERIFY2(rig.tracer.responder.reports.size() == reports, r.shows);
    }
}

// Open A, then B, whose values the window cannot show (a flow unit or medium
// its list lacks, a check box at 3): the "not consistent" message naming B,
// every box still shows A, and A stays the current file, the one Save writes.
void TestFileCommands::fileTheWindowCannotShowLeavesEveryBox()
{
    struct Row {
        std::vector<std::pair<int, const char*>> lines;  // file lines (from 1) replaced
        const char* shows;
    } rows[] = {
        {{{108, "99"}, {167, "99"}}, "flow unit 99"},
        {{{101, "99"}}, "medium 99"},
        {{{110, "3"}}, "the operating-points box at 3"},
    };
    for (const Row& r : rows) {
        Rig rig;
        rig.pages().Text23->setText(QStringLiteral("Kunde A"));
        rig.pages().Text16->setText(QStringLiteral("350"));
        rig.pages().Text18->setText(QStringLiteral("1200"));
        rig.pages().Text12->setPlainText(QStringLiteral("Messstelle A"));
        setListIndex(rig.pages().Combo8, 3);
        setListIndex(rig.pages().Combo1, 4);
        rig.dialogs.saveAnswer = rig.calc("A.mv5");
        rig.action("mnuFileSave")->trigger();
        const std::string a = rig.calc("A.mv5");
        const std::string b = rig.calc("B.mv5");
        {
            // B differs from A in every page's boxes, then in the value at fault.
            std::string bytes = fileBytes(a);
            for (const auto& [line, value] : std::vector<std::pair<int, const char*>>{
                     {53, "\"Messstelle B\""}, {54, "\"Kunde B\""}, {164, "999"}, {166, "7"}})
                bytes = withLine(bytes, line, value);
            for (const auto& [line, value] : r.lines)
                bytes = withLine(bytes, line, value);
            std::ofstream(b, std::ios::binary) << bytes;
        }
        InputControls before;
        rig.pages().toControls(before);
        const CalculationState stateBefore = rig.state.calc;

        rig.dialogs.openAnswer = b;
        rig.action("mnuFileOpen")->trigger();
        QVERIFY2(rig.tracer.responder.reports.empty(), r.shows);
        QVERIFY2(rig.fakes.messages.shown.size() == 1, r.shows);
        QCOMPARE(rig.fakes.messages.shown[0].text, inconsistentFileMessage(b));
        InputControls after;
        rig.pages().toControls(after);
        QVERIFY2(after == before, r.shows);
        QVERIFY2(rig.pages().Text12->toPlainText() == QStringLiteral("Messstelle A"), r.shows);
        QVERIFY2(rig.state.doc.gDateiname == a, r.shows);
        QVERIFY2(rig.panel() == QString::fromStdString(a), r.shows);
        QVERIFY2(rig.state.calc.gDruck == stateBefore.gDruck && rig.state.calc.gMediumNr == stateBefore.gMediumNr,
                 r.shows);

        // Save writes A, without a dialog.
        const std::size_t asked = rig.dialogs.asked.size();
        rig.action("mnuFileSave")->trigger();
        QVERIFY2(rig.dialogs.asked.size() == asked, r.shows);
        QVERIFY2(fileBytes(a).find("Kunde A") != std::string::npos, r.shows);
        QVERIFY2(fileBytes(b).find("Kunde B") != std::string::npos, r.shows);
    }
}

// A Save whose reading of the window meets an error (a list without a
// selection) would write the inputs read before the error beside values of an
// earlier reading. Whatever the answer, nothing is written and the file stays.
void TestFileCommands::saveOfInputsThatDoNotReadKeepsTheOldFile()
{
    for (const std::int16_t answer : {ContNext, ContExit}) {
        for (const char* command : {"mnuFileSave", "mnuFileSaveAs"}) {
            Rig rig;
            rig.pages().Text23->setText(QStringLiteral("Kunde A"));
            rig.dialogs.saveAnswer = rig.calc("A.mv5");
            rig.action("mnuFileSave")->trigger();
            const std::string a = rig.calc("A.mv5");
            const std::string before = fileBytes(a);
            QVERIFY(rig.tracer.responder.reports.empty());

            rig.pages().Text23->setText(QStringLiteral("Kunde neu"));
            rig.pages().Combo1->setCurrentIndex(-1);
            rig.tracer.responder.answers = {answer};
            rig.action(command)->trigger();
            QVERIFY2(!rig.tracer.responder.reports.empty(), command);
            QVERIFY2(fileBytes(a) == before, command);
            QCOMPARE(rig.state.doc.gDateiname, a);
            QCOMPARE(rig.panel(), QString::fromStdString(a));
        }
    }
}

// Texts as a German user types them, through the window's boxes: each comes
// back exactly, in a file of the earlier releases' code page while that code
// page holds every character, else in marked UTF-8.
void TestFileCommands::germanTextsSurviveSaveAndOpen()
{
    struct Row {
        const char* customer;
        const char* remark;
        bool marked;
    } rows[] = {
        {"Maß² GmbH, \"Werk 2\"", "Rohr Ø±2 mm\n5 µm, 12 €\n", false},
        {"Ω-Technik", "≈ 3 mm\n\"zitiert\"", true},
        {"", "\n\n", false},
    };
    for (const Row& r : rows) {
        Rig rig;
        rig.pages().Text23->setText(QString::fromUtf8(r.customer));
        rig.pages().Text12->setPlainText(QString::fromUtf8(r.remark));
        rig.dialogs.saveAnswer = rig.calc("texte.mv5");
        rig.action("mnuFileSave")->trigger();
        const std::string bytes = fileBytes(rig.calc("texte.mv5"));
        QCOMPARE(bytes.rfind("\xEF\xBB\xBF", 0) == 0, r.marked);

        rig.action("mnuFileNew")->trigger();
        rig.dialogs.openAnswer = rig.calc("texte.mv5");
        rig.action("mnuFileOpen")->trigger();
        QCOMPARE(rig.pages().Text23->text(), QString::fromUtf8(r.customer));
        QCOMPARE(rig.pages().Text12->toPlainText(), QString::fromUtf8(r.remark));
        QVERIFY(rig.tracer.responder.reports.empty());
        QVERIFY(rig.fakes.messages.shown.empty());

        // Saved again unchanged, the file is the same byte for byte.
        rig.action("mnuFileSave")->trigger();
        QVERIFY(fileBytes(rig.calc("texte.mv5")) == bytes);
    }
}

// A pressure or temperature typed in a unit other than the state's (kPa, °C)
// is converted on Save and back on Open: the box shows it again as typed, not
// with the conversion's last binary digits (0.1 °F as " 0.1", not
// " 0.100000000000001").
void TestFileCommands::pressureAndTemperatureInOtherUnitsComeBackAsTyped()
{
    struct Row {
        bool temperature;
        int unit;  // index of Combo11 (1 K, 2 °F) or Combo9 (1 bar, 2 Pa, 3 mbar, 4 psi)
        const char* typed;
        const char* shown;
    } rows[] = {
        {true, 2, "0.1", " 0.1"},      {true, 2, "-0,3", "-0.3"},   {true, 2, "451.2345", " 451.2345"},
        {true, 1, "5.5", " 5.5"},      {true, 1, "0.01", " 0.01"},  {true, 1, "9,9999", " 9.9999"},
        {false, 1, "1.013", " 1.013"}, {false, 4, "14.5", " 14.5"}, {false, 3, "0.3", " 0.3"},
        {false, 2, "101325", " 101325"},
    };
    Rig rig;
    for (const Row& r : rows) {
        rig.action("mnuFileNew")->trigger();
        QLineEdit* box = r.temperature ? rig.pages().Text17 : rig.pages().Text16;
        (r.temperature ? rig.pages().Combo11 : rig.pages().Combo9)->setCurrentIndex(r.unit);
        box->setText(QString::fromUtf8(r.typed));
        rig.dialogs.saveAnswer = rig.calc("units.mv5");
        rig.action("mnuFileSaveAs")->trigger();
        rig.action("mnuFileNew")->trigger();
        QCOMPARE(box->text(), QString());
        rig.dialogs.openAnswer = rig.calc("units.mv5");
        rig.action("mnuFileOpen")->trigger();
        QCOMPARE((r.temperature ? rig.pages().Combo11 : rig.pages().Combo9)->currentIndex(), r.unit);
        QCOMPARE(box->text(), QString::fromUtf8(r.shown));
    }
    QVERIFY(rig.tracer.responder.reports.empty());
    QVERIFY(rig.fakes.messages.shown.empty());
}

QTEST_MAIN(TestFileCommands)
#include "test_file_commands.moc"
