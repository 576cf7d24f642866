// The language switch through the main window's menu: Lang.set is written, the
// main window is rebuilt with every text in the new language and without the
// old file name; choosing the language in force does nothing.
#include "gui/ShellRig.h"
#include "gui/TextFits.h"

#include "platform/qt/Twips.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace morvane;
using namespace morvane::testing;

namespace {

// The texts of the frame: menu titles, menu items, toolbar tooltips.
QStringList frameTexts(const ShellRig& rig)
{
    QStringList texts;
    for (const char* menu : {"mnuFile", "mnuLanguage", "mnuHelp"})
        texts << rig.menuTitle(menu);
    for (const char* item : {"mnuFileNew", "mnuFileOpen", "mnuFileClose", "mnuFileSave", "mnuFileSaveAs",
                             "mnuFileProperties", "mnuExit", "mnuGerman", "mnuEnglish", "mnuHelpApp", "mnuHelpAbout"})
        texts << rig.action(item)->text();
    for (const char* key : {"Neu", "Öffnen", "Speichern"})
        texts << rig.main()->findChild<QAction*>(QStringLiteral("tbButton_") + QString::fromUtf8(key))->toolTip();
    return texts;
}

const QStringList kGerman{"&Datei", "Sprache", "&?", "&Neu", "Ö&ffnen...", "S&chließen", "&Speichern",
                          "Speichern &unter...", "Benutzereins&tellungen", "&Beenden", "Deutsch", "Englisch",
                          "Hilfe", "Inf&o ", "Neu", "Öffnen", "Speichern"};
const QStringList kEnglish{"&File", "Language", "&?", "&New", "&Open...", "&Close", "&Save", "Save &as...",
                           "&User Options", "&Exit", "Deutsch", "English", "Help", "&Info ", "New", "Open", "Save"};

}  // namespace

class TestLanguageSwitch : public QObject {
    Q_OBJECT

private slots:
    void switchRebuildsTheWindow_data();
    void switchRebuildsTheWindow();
    void currentLanguageDoesNothing_data();
    void currentLanguageDoesNothing();
    void unwritableLangSetSwitchesForThisRunOnly();
    void switchClosesEveryOtherWindowAndKeepsThePlacement();
    void switchDoesNotEndTheRunningProgram();
};

void TestLanguageSwitch::switchRebuildsTheWindow_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("oldTexts");
    QTest::addColumn<QStringList>("newTexts");
    QTest::newRow("German to English") << QByteArray("0\r\n") << "mnuEnglish" << QByteArray("10000\r\n") << "EN"
                                       << kGerman << kEnglish;
    QTest::newRow("English to German") << QByteArray("10000\r\n") << "mnuGerman" << QByteArray("0\r\n") << "DE"
                                       << kEnglish << kGerman;
}

void TestLanguageSwitch::switchRebuildsTheWindow()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, menuItem);
    QFETCH(QByteArray, after);
    QFETCH(QString, code);
    QFETCH(QStringList, oldTexts);
    QFETCH(QStringList, newTexts);
    ShellRig rig;
    rig.writeLangSet(before);
    rig.fakes.settings.setValue("morvane7.0", "Startup", "UserName", "stored name");
    rig.shell.Main();
    QCOMPARE(frameTexts(rig), oldTexts);

    // A calculation file in use, and a name applied in the options but not
    // stored.
    rig.state.doc.gDateiname = "/home/user/calculations/FT-101.mv5";
    rig.main()->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel1"))->setText("FT-101.mv5");
    rig.state.settings.gUserName = "applied only";
    QPointer<frmMain> old(rig.main());

    rig.action(menuItem.toLatin1().constData())->trigger();
    ShellRig::settle();

    QVERIFY(old.isNull());
    QVERIFY(rig.main() != nullptr);
    QVERIFY(rig.main()->isVisible());
    QCOMPARE(rig.langSetContent(), after);
    QCOMPARE(QString::fromStdString(rig.state.ui.gSprachKuerzel), code);
    QCOMPARE(frameTexts(rig), newTexts);
    // Its boxes show their default texts from the first character.
    QCOMPARE(boxesNotShowingTheirStart(rig.main()), QStringList());
    QCOMPARE(rig.action("mnuGerman")->isChecked(), code == "DE");
    QCOMPARE(rig.action("mnuEnglish")->isChecked(), code == "EN");
    // The new window shows default inputs; a plain Save must not write them
    // over the old file.
    QCOMPARE(rig.state.doc.gDateiname, std::string());
    QCOMPARE(rig.main()->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel1"))->text(), QString());
    // The settings come from the store again.
    QCOMPARE(rig.state.settings.gUserName, std::string("stored name"));
    QVERIFY(rig.tracer.responder.reports.empty());
}

void TestLanguageSwitch::currentLanguageDoesNothing_data()
{
    QTest::addColumn<QByteArray>("langSet");
    QTest::addColumn<QString>("menuItem");
    // Blanks around the number show that the file is not written anew.
    QTest::newRow("German while German") << QByteArray(" 0 \r\n") << "mnuGerman";
    QTest::newRow("English while English") << QByteArray(" 10000 \r\n") << "mnuEnglish";
}

void TestLanguageSwitch::currentLanguageDoesNothing()
{
    QFETCH(QByteArray, langSet);
    QFETCH(QString, menuItem);
    ShellRig rig;
    rig.writeLangSet(langSet);
    rig.shell.Main();
    rig.state.doc.gDateiname = "/home/user/calculations/FT-101.mv5";
    frmMain* before = rig.main();

    rig.action(menuItem.toLatin1().constData())->trigger();
    ShellRig::settle();

    QCOMPARE(rig.main(), before);
    QVERIFY(before->isVisible());
    // The tick stays on the language in force: a checkable menu item must not
    // clear it when it is chosen again.
    QCOMPARE(rig.action("mnuGerman")->isChecked(), menuItem == "mnuGerman");
    QCOMPARE(rig.action("mnuEnglish")->isChecked(), menuItem == "mnuEnglish");
    QCOMPARE(rig.langSetContent(), langSet);
    QCOMPARE(rig.state.doc.gDateiname, std::string("/home/user/calculations/FT-101.mv5"));
    // The window did not close: its placement was not stored.
    QVERIFY(!rig.fakes.settings.value("morvane 7 PRO", "Settings", "MainLeft").has_value());
}

void TestLanguageSwitch::unwritableLangSetSwitchesForThisRunOnly()
{
    ShellRig rig;
    rig.shell.Main();  // no Lang.set: English
    std::filesystem::create_directory(rig.langSet());  // nothing can be written there
    rig.tracer.responder.answers = {ContExit};

    rig.action("mnuGerman")->trigger();
    ShellRig::settle();

    QCOMPARE(rig.tracer.responder.reports.size(), std::size_t{1});
    QCOMPARE(rig.tracer.responder.reports[0].procedure, std::string("subgSavaLanguage"));
    QCOMPARE(rig.tracer.responder.reports[0].module, std::string("modConfigSelect"));
    QCOMPARE(rig.state.ui.gSprachOffset, 0);
    QCOMPARE(frameTexts(rig), kGerman);
}

void TestLanguageSwitch::switchClosesEveryOtherWindowAndKeepsThePlacement()
{
    ShellRig rig;
    rig.shell.Main();
    QWidget results;  // stands for a modeless window opened from the main window
    results.setWindowTitle(QStringLiteral("results"));
    results.show();
    rig.main()->move(200, 150);
    rig.main()->resize(600, 590);

    rig.action("mnuGerman")->trigger();
    ShellRig::settle();

    QVERIFY(!results.isVisible());
    QCOMPARE(rig.fakes.settings.value("morvane 7 PRO", "Settings", "MainLeft"), std::optional<std::string>("3000"));
    QCOMPARE(rig.fakes.settings.value("morvane 7 PRO", "Settings", "MainWidth"), std::optional<std::string>("9000"));
    QCOMPARE(rig.main()->pos(), QPoint(200, 150));
    QCOMPARE(rig.main()->size(), QSize(600, 590));
}

void TestLanguageSwitch::switchDoesNotEndTheRunningProgram()
{
    // Between closing the old window and showing the new one no window is
    // open; in the program's event loop that must not count as its end.
    ShellRig rig;
    rig.shell.Main();
    QPointer<frmMain> old(rig.main());
    QTimer::singleShot(0, [&] { rig.action("mnuGerman")->trigger(); });
    QTimer::singleShot(300, [] { QApplication::exit(7); });
    QCOMPARE(QApplication::exec(), 7);
    QVERIFY(old.isNull());
    QVERIFY(rig.main()->isVisible());
}

QTEST_MAIN(TestLanguageSwitch)
#include "test_language_switch.moc"
