// The main window's frame commands on a window built here: placement, the two
// ways to exit, help, File > Close and New, the options and about windows over
// it, and the error-test panel's toggle.
#include "app/IniSettings.h"
#include "common/DocumentOpen.h"
#include "common/ProgramIdentity.h"
#include "app/qt/frmAbout.h"
#include "app/qt/frmMain.h"
#include "app/qt/frmOptions.h"
#include "common/qt/CodeEvents.h"
#include "gui/ModalDriver.h"
#include "mainwindow/qt/MainInputPages.h"
#include "reports/results_window/qt/frmResult.h"
#include "support/ReferenceCases.h"
#include "support/ShellFakes.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iostream>
#include <sstream>

using namespace morvane;
using namespace morvane::testing;

namespace {

class CountingSwitch : public LanguageSwitch {
public:
    void subgChangeLanguage() override { ++calls; }
    int calls = 0;
};

struct FrameRig {
    FrameRig() { window = new frmMain(state, fakes.services, languageSwitch); }
    ~FrameRig()
    {
        delete window.data();
    }
    void show()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    }
    QAction* action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    std::optional<std::string> placement(const char* key) const
    {
        return fakes.settings.value(kProgramTitle, "Settings", key);
    }
    std::size_t startupKeys() const
    {
        std::size_t n = 0;
        for (const auto& [k, v] : fakes.settings.values)
            n += std::get<0>(k) == "morvane7.0" && std::get<1>(k) == "Startup";
        return n;
    }

    TestTracer tracer;
    QTemporaryDir folder;
    FakeShellServices fakes{folder.path().toStdString()};
    ProgramState state;
    CountingSwitch languageSwitch;
    QPointer<frmMain> window;
};

}  // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

private slots:
    void firstStartPlacementAndLoad();
    void storedPlacementIsUsedAndStoredOnClose();
    void closingMinimisedKeepsThePlacement();
    void tenStartsLeaveTheWindowWhereItWas();
    void positionOffEveryScreenOpensOnThePrimary();
    void printingWithoutPrinterAsksWhereTheFolderTakesNoFile();
    void exitButtonStoresTheSettingsFileExitDoesNot();
    void aStoreThatCannotBeWrittenAtTheEnd();
    void f1OpensTheHelpPage_data();
    void f1OpensTheHelpPage();
    void missingHelpPageIsAMessage();
    void helpPageWithoutAProgramNamesItsPath();
    void statusBarShowsFileDateAndTime();
    void newAndCloseStartANewCalculation();
    void optionsAndAboutAreModalOverTheMainWindow();
    void languageMenuAsksForTheOtherLanguageOnly();
    void errorTestPanelToggles();
};

void TestMainFrame::firstStartPlacementAndLoad()
{
    FrameRig rig;
    rig.fakes.settings.setValue("morvane7.0", "Startup", "UserName", "Erika");
    rig.show();
    // 1000, 1000, 8835 x 8715 twips at 15 per pixel.
    QCOMPARE(rig.window->pos(), QPoint(67, 67));
    QCOMPARE(rig.window->size(), QSize(589, 581));
    QCOMPARE(rig.state.settings.gUserName, std::string("Erika"));
    QCOMPARE(rig.state.config.gConfEventsAus, False);
    QCOMPARE(rig.window->windowTitle(), QStringLiteral("morvane 7 PRO"));
    // The input pages' tab captions are fixed texts.
    QStringList tabs;
    for (int i = 0; i < rig.window->SSTab1()->count(); ++i)
        tabs << rig.window->SSTab1()->tabText(i);
    QCOMPARE(tabs, QStringList({"Medium", "dp-Element", "Flowdata", "Address / Notes", "Config Selection"}));
    QVERIFY(rig.tracer.responder.reports.empty());
}

void TestMainFrame::storedPlacementIsUsedAndStoredOnClose()
{
    FrameRig rig;
    rig.fakes.settings.setValue(kProgramTitle, "Settings", "MainLeft", "1500");
    rig.fakes.settings.setValue(kProgramTitle, "Settings", "MainTop", "750");
    rig.fakes.settings.setValue(kProgramTitle, "Settings", "MainWidth", "9000");
    rig.fakes.settings.setValue(kProgramTitle, "Settings", "MainHeight", "9600");
    rig.show();
    QCOMPARE(rig.window->pos(), QPoint(100, 50));
    QCOMPARE(rig.window->size(), QSize(600, 640));
    rig.window->move(40, 20);
    rig.window->close();
    QCOMPARE(rig.placement("MainLeft"), std::optional<std::string>("600"));
    QCOMPARE(rig.placement("MainTop"), std::optional<std::string>("300"));
    QCOMPARE(rig.placement("MainWidth"), std::optional<std::string>("9000"));
    QCOMPARE(rig.placement("MainHeight"), std::optional<std::string>("9600"));
}

void TestMainFrame::closingMinimisedKeepsThePlacement()
{
    FrameRig rig;
    rig.fakes.settings.setValue(kProgramTitle, "Settings", "MainLeft", "1500");
    rig.show();
    rig.window->move(300, 300);
    rig.window->setWindowState(Qt::WindowMinimized);
    rig.window->close();
    QCOMPARE(rig.placement("MainLeft"), std::optional<std::string>("1500"));
    QVERIFY(!rig.placement("MainTop").has_value());
}

void TestMainFrame::tenStartsLeaveTheWindowWhereItWas()
{
    TestTracer tracer;
    QTemporaryDir folder;
    FakeShellServices fakes{folder.path().toStdString()};
    fakes.settings.setValue(kProgramTitle, "Settings", "MainLeft", "1500");
    fakes.settings.setValue(kProgramTitle, "Settings", "MainTop", "750");
    CountingSwitch languageSwitch;
    for (int start = 0; start < 10; ++start) {
        ProgramState state;
        QPointer<frmMain> window = new frmMain(state, fakes.services, languageSwitch);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
        QCOMPARE(window->frameGeometry().topLeft(), QPoint(100, 50));
        window->close();
        QTRY_VERIFY(window.isNull());
    }
    QCOMPARE(fakes.settings.value(kProgramTitle, "Settings", "MainLeft"), std::optional<std::string>("1500"));
    QCOMPARE(fakes.settings.value(kProgramTitle, "Settings", "MainTop"), std::optional<std::string>("750"));
}

void TestMainFrame::positionOffEveryScreenOpensOnThePrimary()
{
    FrameRig rig;
    rig.fakes.settings.setValue(kProgramTitle, "Settings", "MainLeft", "-90000");
    rig.fakes.settings.setValue(kProgramTitle, "Settings", "MainTop", "60000");
    rig.show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // 1000 twips in from the corner, less where the window would not fit.
    const QPoint in(std::max(0, std::min(67, screen.width() - rig.window->width())),
                    std::max(0, std::min(67, screen.height() - rig.window->height())));
    QCOMPARE(rig.window->pos(), screen.topLeft() + in);
    QVERIFY(screen.contains(rig.window->geometry().topLeft()));
    QVERIFY(rig.tracer.responder.reports.empty());
}

// No printer and a program folder that takes no file (below a regular file,
// so that even root cannot write there): the print asks where to save the
// protocol, writes it there and says where; no error dialog.
void TestMainFrame::printingWithoutPrinterAsksWhereTheFolderTakesNoFile()
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("a printer is installed here: the protocol would go to it");
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("plain file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TestTracer tracer;
    FakeShellServices fakes{(dir.path() + "/plain file/program").toStdString()};
    ProgramState state;
    CountingSwitch languageSwitch;
    QPointer<frmMain> window = new frmMain(state, fakes.services, languageSwitch);
    ScriptedFileDialogs dialogs;
    const QString answer = dir.filePath(QStringLiteral("Protokoll.pdf"));
    dialogs.saveAnswer = answer.toStdString();
    window->setFileDialogs(dialogs);
    struct : PrinterDialog {
        PrintTarget ShowPrinter(const std::string&) override { return {}; }  // cancelled
    } printerDialog;
    window->setPrinterDialog(printerDialog);
    window->show();
    fillWaterOrifice(state);
    window->resultsWindow()->show();
    QTest::mouseClick(window->resultsWindow()->window()->Command1(), Qt::LeftButton);
    QVERIFY(tracer.responder.reports.empty());
    QCOMPARE(dialogs.asked.size(), std::size_t{1});
    QCOMPARE(dialogs.asked[0].first, std::string("Kein Drucker: Protokoll als PDF-Datei speichern"));
    QVERIFY(QFileInfo(answer).size() > 0);
    QCOMPARE(fakes.messages.shown.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(fakes.messages.shown[0].text).contains(answer));
    window->resultsWindow()->window()->close();
    delete window.data();
}

void TestMainFrame::exitButtonStoresTheSettingsFileExitDoesNot()
{
    {
        FrameRig rig;
        rig.show();
        rig.state.settings.gUserName = "applied";
        QTest::mouseClick(rig.window->findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
        QVERIFY(!rig.window->isVisible());
        QCOMPARE(rig.startupKeys(), std::size_t{14});
        QCOMPARE(rig.fakes.settings.value("morvane7.0", "Startup", "UserName"), std::optional<std::string>("applied"));
        QCOMPARE(rig.window->findChild<QPushButton*>(QStringLiteral("Command2"))->text(), QStringLiteral("Exit"));
    }
    {
        FrameRig rig;
        rig.show();
        rig.action("mnuExit")->trigger();
        QVERIFY(!rig.window->isVisible());
        QCOMPARE(rig.startupKeys(), std::size_t{0});
        QVERIFY(rig.placement("MainLeft").has_value());  // the closing handler ran
    }
}

// A store that refuses every write: the exit button names the settings' file
// in a message before the program ends; the window placement that cannot be
// stored is told on standard error only, never in a message.
void TestMainFrame::aStoreThatCannotBeWrittenAtTheEnd()
{
    struct Row {
        const char* command;
        bool settingsMessage;
    } rows[] = {{"Command2", true}, {"mnuExit", false}};
    for (const Row& r : rows) {
        FrameRig rig;
        rig.show();
        rig.fakes.settings.failWrites = true;
        std::ostringstream err;
        std::streambuf* const before = std::cerr.rdbuf(err.rdbuf());
        if (r.settingsMessage)
            QTest::mouseClick(rig.window->findChild<QPushButton*>(QString::fromLatin1(r.command)), Qt::LeftButton);
        else
            rig.action(r.command)->trigger();
        std::cerr.rdbuf(before);
        QVERIFY2(!rig.window->isVisible(), r.command);
        QVERIFY2(rig.tracer.responder.reports.empty(), r.command);
        QCOMPARE(rig.fakes.messages.shown.size(), std::size_t(r.settingsMessage ? 1 : 0));
        if (r.settingsMessage)
            QCOMPARE(rig.fakes.messages.shown[0].text, settingsNotStoredMessage(rig.fakes.settings, OffsetGerman));
        const std::string told = err.str();
        QVERIFY2(told.find("window placement") != std::string::npos, told.c_str());
        QVERIFY2(told.find(rig.fakes.settings.fileName(kProgramTitle)) != std::string::npos, told.c_str());
    }
}

void TestMainFrame::f1OpensTheHelpPage_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::newRow("F1") << int(Qt::NoModifier);
    QTest::newRow("Shift+F1") << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+F1") << int(Qt::ControlModifier);
}

void TestMainFrame::f1OpensTheHelpPage()
{
    QFETCH(int, modifiers);
    FrameRig rig;
    const std::filesystem::path page = rig.fakes.services.programFolder / "Hilfe" / "help.html";
    std::filesystem::create_directories(page.parent_path());
    std::ofstream(page) << "<html></html>";
    rig.show();
    QTest::keyClick(rig.window.data(), Qt::Key_F1, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(rig.fakes.shell.opened, std::vector<std::string>{page.string()});
    QVERIFY(rig.fakes.messages.shown.empty());
    // Other keys do nothing.
    QTest::keyClick(rig.window.data(), Qt::Key_F2);
    QCOMPARE(rig.fakes.shell.opened.size(), std::size_t{1});
}

void TestMainFrame::missingHelpPageIsAMessage()
{
    FrameRig rig;
    rig.show();
    rig.action("mnuHelpApp")->trigger();
    QVERIFY(rig.fakes.shell.opened.empty());
    QCOMPARE(rig.fakes.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.fakes.messages.shown[0].text, std::string("Did not find help file: \\Hilfe\\help.html!"));
    QCOMPARE(rig.fakes.messages.shown[0].caption, std::string(kProgramTitle));
    QCOMPARE(rig.fakes.messages.shown[0].icon, MessageIcon::None);
}

void TestMainFrame::helpPageWithoutAProgramNamesItsPath()
{
    FrameRig rig;
    const std::filesystem::path page = rig.fakes.services.programFolder / "Hilfe" / "help.html";
    std::filesystem::create_directories(page.parent_path());
    std::ofstream(page) << "<html></html>";
    rig.fakes.shell.succeed = false;  // no program for the page
    rig.show();
    QTest::keyClick(rig.window.data(), Qt::Key_F1);
    QCOMPARE(rig.fakes.shell.opened.size(), std::size_t{1});
    QCOMPARE(rig.fakes.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.fakes.messages.shown[0].text, documentNotOpenedMessage(page.string(), rig.state.ui.gSprachOffset));
    QVERIFY(rig.fakes.messages.shown[0].text.find(page.string()) != std::string::npos);
}

void TestMainFrame::statusBarShowsFileDateAndTime()
{
    FrameRig rig;
    rig.show();
    auto panel = [&](const char* name) {
        auto* label = rig.window->findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<missing>");
    };
    QCOMPARE(panel("sbStatusBarPanel1"), QString());
    // The panels show the program's clock (the rig's stands at 10 December
    // 2026, 11:00:00).
    const QLocale locale;
    QCOMPARE(panel("sbStatusBarPanel2"), locale.toString(QDate(2026, 12, 10), QLocale::ShortFormat));
    QCOMPARE(panel("sbStatusBarPanel3"), locale.toString(QTime(11, 0), QLocale::ShortFormat));
    // The file-name panel takes the room; date and time stand at the right.
    QVERIFY(rig.window->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel1"))->geometry().right() <
            rig.window->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel2"))->geometry().left());
    QVERIFY(rig.window->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel2"))->geometry().right() <
            rig.window->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel3"))->geometry().left());
}

// New, its toolbar button and Close each start a new calculation: the
// inputs back at their defaults, the file name forgotten, nothing said.
void TestMainFrame::newAndCloseStartANewCalculation()
{
    for (const char* command : {"mnuFileNew", "tbButton_Neu", "mnuFileClose"}) {
        FrameRig rig;
        rig.show();
        MainInputPages& p = *rig.window->inputPages();
        const QString pressure = p.Text16->text();
        const QString customer = p.Text23->text();
        const int medium = p.Combo1->currentIndex();
        p.Text16->setText(QStringLiteral("350"));
        p.Text23->setText(QStringLiteral("Kunde Süd GmbH"));
        setListIndex(p.Combo1, 4);
        rig.state.doc.gDateiname = "/home/user/calculations/FT-101.mv5";
        auto* panel = rig.window->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel1"));
        panel->setText(QStringLiteral("FT-101.mv5"));
        rig.action(command)->trigger();
        QCOMPARE(rig.state.doc.gDateiname, std::string());
        QCOMPARE(panel->text(), QString());
        QCOMPARE(p.Text16->text(), pressure);
        QCOMPARE(p.Text23->text(), customer);
        QCOMPARE(p.Combo1->currentIndex(), medium);
        QVERIFY2(rig.fakes.messages.shown.empty(), command);
        QVERIFY(rig.window->isVisible());
        QVERIFY(rig.tracer.responder.reports.empty());
    }
}

void TestMainFrame::optionsAndAboutAreModalOverTheMainWindow()
{
    FrameRig rig;
    rig.show();
    QStringList seen;
    ModalDriver driver;
    driver
        .then([&](QWidget* modal) {
            seen << modal->metaObject()->className() << modal->windowTitle();
            QVERIFY(modal->parentWidget() == rig.window.data());
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
        })
        .then([&](QWidget* modal) {
            seen << modal->metaObject()->className() << modal->windowTitle();
            QVERIFY(modal->parentWidget() == rig.window.data());
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        });
    rig.action("mnuFileProperties")->trigger();
    rig.action("mnuHelpAbout")->trigger();
    QVERIFY(driver.allStepsRan());
    QVERIFY(!driver.hadToRescue());
    QCOMPARE(seen, QStringList({"morvane::frmOptions", "Einstellungen", "morvane::frmAbout", "Info Projekt1"}));
}

void TestMainFrame::languageMenuAsksForTheOtherLanguageOnly()
{
    FrameRig rig;
    rig.state.ui.gSprachOffset = 10000;
    rig.state.ui.gSprachKuerzel = "EN";
    rig.show();
    rig.action("mnuEnglish")->trigger();
    QCOMPARE(rig.languageSwitch.calls, 0);
    rig.action("mnuGerman")->trigger();
    QCOMPARE(rig.languageSwitch.calls, 1);
    QCOMPARE(rig.state.ui.gSprachOffset, 0);
}

void TestMainFrame::errorTestPanelToggles()
{
    FrameRig rig;
    rig.show();
    auto* panel = rig.window->findChild<QGroupBox*>(QStringLiteral("fraErrorTest"));
    auto* area = rig.window->findChild<QWidget*>(QStringLiteral("imgErrorDisplay"));
    QVERIFY(!panel->isVisible());
    QTest::mouseDClick(area, Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QTest::mouseDClick(area, Qt::LeftButton);
    QVERIFY(!panel->isVisible());
}

QTEST_MAIN(TestMainFrame)
#include "test_main_frame.moc"
