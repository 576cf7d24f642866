// The language switch through the main window's menu: Lang.set is written, the
// main window is rebuilt with every text in the new language and the work of
// the old one (its inputs, the configuration, the file name); choosing the
// language in force does nothing.
#include "gui/ShellRig.h"
#include "gui/TextFits.h"

#include "common/qt/CodeEvents.h"
#include "common/qt/Greying.h"
#include "mainwindow/qt/ConfigSelectPage.h"
#include "mainwindow/qt/MainInputPages.h"
#include "platform/qt/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>

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

// What the user sees of every input control of a main window, by its name:
// texts, selections, checks, whether it is greyed or hidden, and the
// background of a box or list (the window colour, greyed, or marked light red);
// of the labels whether they are greyed or hidden.
QStringList controlValues(QWidget* window)
{
    QStringList values;
    const QWidget* pages = window->findChild<QTabWidget*>();
    auto state = [&](const QWidget* w) {
        bool hidden = false;
        for (const QWidget* p = w; p != nullptr && p != pages; p = p->parentWidget())
            hidden = hidden || p->isHidden();
        return QStringLiteral(" enabled=%1 hidden=%2").arg(w->isEnabled()).arg(hidden);
    };
    auto background = [](const QWidget* w) { return QStringLiteral(" background=") + inputBackground(w).name(); };
    for (const QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (qobject_cast<const QComboBox*>(box->parentWidget()) == nullptr)
            values << box->objectName() + " text=" + box->text() + state(box) + background(box);
    }
    for (const QPlainTextEdit* box : window->findChildren<QPlainTextEdit*>()) {
        if (box->objectName() != QLatin1String("txtTypeDesc"))  // a description in the window's language
            values << box->objectName() + " text=" + box->toPlainText() + state(box);
    }
    for (const QComboBox* list : window->findChildren<QComboBox*>())
        values << list->objectName() + QStringLiteral(" index=%1 of %2").arg(list->currentIndex()).arg(list->count()) +
                      state(list) + background(list);
    for (const QLabel* label : window->findChildren<QLabel*>())
        values << label->objectName() + state(label);
    for (const QCheckBox* check : window->findChildren<QCheckBox*>())
        values << check->objectName() + QStringLiteral(" check=%1").arg(int(check->checkState())) + state(check);
    for (const QRadioButton* option : window->findChildren<QRadioButton*>())
        values << option->objectName() + QStringLiteral(" selected=%1").arg(option->isChecked()) + state(option);
    return values;
}

}  // namespace

class TestLanguageSwitch : public QObject {
    Q_OBJECT

private slots:
    void switchRebuildsTheWindow_data();
    void switchRebuildsTheWindow();
    void switchKeepsTheWork_data();
    void switchKeepsTheWork();
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
    // The new window carries on the work in the old one: the file stays
    // current and its name shown.
    QCOMPARE(rig.state.doc.gDateiname, std::string("/home/user/calculations/FT-101.mv5"));
    QCOMPARE(rig.main()->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel1"))->text(),
             QStringLiteral("/home/user/calculations/FT-101.mv5"));
    // The settings come from the store again.
    QCOMPARE(rig.state.settings.gUserName, std::string("stored name"));
    QVERIFY(rig.tracer.responder.reports.empty());
}

void TestLanguageSwitch::switchKeepsTheWork_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("menuItem");
    // The model the medium is left in, and the text in the temperature row
    // (limits -200 ... 650).
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("temperature");
    QTest::newRow("English to German") << QByteArray("10000\r\n") << "mnuGerman" << "Option2" << "-20";
    QTest::newRow("German to English") << QByteArray("0\r\n") << "mnuEnglish" << "Option2" << "-20";
    // The Redlich-Kwong name typed, then the medium list chosen, which greys
    // every property box; a temperature beyond its limit, marked light red.
    QTest::newRow("English to German, greyed name, marked value")
        << QByteArray("10000\r\n") << "mnuGerman" << "Option1" << "700";
    QTest::newRow("German to English, greyed name, marked value")
        << QByteArray("0\r\n") << "mnuEnglish" << "Option1" << "700";
}

// Every page filled and an RQ25 configured, then the other language: every
// control of the new window shows what it showed in the old one, control by
// control (texts as typed, empty boxes empty, lists, checks, options, what is
// greyed, marked and hidden), the configuration rows with their typed values,
// the page on view and the file name; nothing is written.
void TestLanguageSwitch::switchKeepsTheWork()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, menuItem);
    QFETCH(QString, model);
    QFETCH(QString, temperature);
    ShellRig rig;
    rig.writeLangSet(before);
    for (const char* db : {"morvdata5.sqlite", "morvdata5_alt.sqlite"})
        QFile::copy(QStringLiteral(MORVANE_PROGRAM_DIR "/") + QLatin1String(db), rig.folder.filePath(QLatin1String(db)));
    rig.fakes.settings.setValue("morvane7.0", "Startup", "UserName", "Erika");
    rig.shell.Main();
    MainInputPages& p = *rig.main()->inputPages();
    auto pick = [](QComboBox* list, int k) {
        list->setCurrentIndex(k);
        emit list->activated(k);
    };
    // Medium: a Redlich-Kwong name, then ideal gas typed with commas and
    // blanks; the other Redlich-Kwong boxes empty.
    p.Option3->click();
    p.Text14->setText(QStringLiteral("Rauchgas RK"));
    p.Option2->click();
    p.Text1->setText(QStringLiteral("1,293"));
    p.Text2->setText(QStringLiteral(" 0,998"));
    p.Text7->setText(QStringLiteral("0,0181"));
    p.Text29->setText(QStringLiteral("1,40"));
    p.Text13->setText(QString::fromUtf8("Rauchgas (trocken)"));
    // Element: an RQ25 in a duct, its configuration with typed values.
    pick(p.Combo2, 3);
    const int choices[] = {1, 23, 3, 2, 4, 2, 1, 2, 2, 2, 2};
    for (int row = 0; row < 11; ++row)
        pick(p.configPage()->cmbConfField(row), choices[row]);
    p.configPage()->txtValueEntry(7)->setText(QStringLiteral("1.5"));
    p.configPage()->txtValueEntry(8)->setText(temperature);
    p.configPage()->txtValueEntry(9)->setText(QStringLiteral("50"));
    p.Text15->setText(QStringLiteral("1,02"));
    p.Option16->click();
    p.Text8->setText(QStringLiteral("512,3"));
    setCheckValue(p.Check2, 1);
    p.Text22->setText(QStringLiteral("400"));
    p.Text9->setText(QStringLiteral("6,3"));
    rig.main()->findChild<QRadioButton*>(model)->click();
    // Flow data in units of their own, the range and the known dp.
    p.Text16->setText(QStringLiteral("2,5"));
    setListIndex(p.Combo9, 1);
    p.Text17->setText(QStringLiteral("68"));
    setListIndex(p.Combo11, 2);
    p.Text18->setText(QStringLiteral("12 000"));
    setListIndex(p.Combo8, 1);
    setCheckValue(p.Check1, 1);
    p.Text19->setText(QStringLiteral("14000"));
    p.Text20->setText(QStringLiteral("12000"));
    p.Text21->setText(QStringLiteral("3000"));
    setListIndex(p.Combo10, 3);
    setCheckValue(p.Check4, 1);
    p.Text37->setText(QStringLiteral("25"));
    p.Option18->click();
    // Address and notes.
    QLineEdit* address[] = {p.Text23, p.Text24, p.Text25, p.Text26, p.Text27, p.Text28,
                            p.Text31, p.Text32, p.Text33, p.Text34, p.Text35};
    for (QLineEdit* box : address)
        box->setText(QString::fromUtf8("Wert für ") + box->objectName());
    p.Text24->clear();
    p.Text36->setText(QStringLiteral("10.12.2026 09:30"));
    p.Text12->setPlainText(QString::fromUtf8("zwei\nZeilen Ä"));
    rig.main()->SSTab1()->setCurrentIndex(4);
    rig.state.doc.gDateiname = (rig.fakes.services.programFolder / "calculations" / "FT-101.mv5").string();
    rig.main()->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel1"))->setText(
        QString::fromStdString(rig.state.doc.gDateiname));

    const QStringList old = controlValues(rig.main());
    const QString oldCode = p.txtCodeDisplay->text();
    if (temperature == QLatin1String("-20"))
        QVERIFY(oldCode.contains(QStringLiteral("L1500 T-20C H150")));
    else
        QCOMPARE(inputBackground(p.configPage()->txtValueEntry(8)), QColor(255, 128, 128));
    QVERIFY(!p.Text14->isEnabled());
    QVERIFY2(old.size() > 90, qPrintable(QString::number(old.size())));  // every input control and row

    rig.action(menuItem.toLatin1().constData())->trigger();
    ShellRig::settle();

    const QStringList now = controlValues(rig.main());
    for (qsizetype i = 0; i < std::min(old.size(), now.size()); ++i)
        QCOMPARE(now[i], old[i]);
    QCOMPARE(now.size(), old.size());
    QCOMPARE(rig.main()->inputPages()->txtCodeDisplay->text(), oldCode);
    QCOMPARE(rig.main()->SSTab1()->currentIndex(), 4);
    QCOMPARE(rig.main()->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel1"))->text(),
             QString::fromStdString(rig.state.doc.gDateiname));
    QVERIFY(!std::filesystem::exists(rig.state.doc.gDateiname));
    QVERIFY(rig.tracer.responder.reports.empty());
    QVERIFY(rig.fakes.messages.shown.empty());

    // With MORVANE_SCREENSHOT_DIR set, the new window on four of its pages.
    const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        const QString name = QString::fromUtf8(QTest::currentDataTag()).replace(' ', '_');
        QVERIFY(QTest::qWaitForWindowExposed(rig.main()));
        for (const int page : {0, 1, 2, 4}) {
            rig.main()->SSTab1()->setCurrentIndex(page);
            QVERIFY(rig.main()->grab().save(QDir(folder).filePath(name + QStringLiteral("_page%1.png").arg(page))));
        }
    }
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
