// The start-up: the language from Lang.set, the splash while window messages
// are processed, the program folder and the configurator's flags, and the
// main window in that language.
#include "gui/ModalDriver.h"
#include "gui/ShellRig.h"

#include "app/IniSettings.h"
#include "common/ProgramIdentity.h"
#include "app/qt/frmSplash.h"
#include "platform/qt/QtSettingsStore.h"

#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <fstream>
#include <sstream>

using namespace morvane;
using namespace morvane::testing;

namespace {

int visibleSplashes()
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmSplash*>(w) && w->isVisible())
            ++n;
    return n;
}

int splashes()
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmSplash*>(w))
            ++n;
    return n;
}

std::string fileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void languageFromLangSet_data();
    void languageFromLangSet();
    void splashStaysForTheWaitWhileMessagesAreProcessed();
    void clockSetBackEndsTheWait();
    void programFolderAndConfiguratorFlags();
    void damagedSettingsNumberLosesNoOtherKey_data();
    void damagedSettingsNumberLosesNoOtherKey();
};

void TestStartup::languageFromLangSet_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("fileMenu");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("no Lang.set: English") << false << QByteArray() << 10000 << "EN" << "&File" << 0;
    QTest::newRow("0: German") << true << QByteArray("0\r\n") << 0 << "DE" << "&Datei" << 0;
    QTest::newRow("10000: English") << true << QByteArray("10000\r\n") << 10000 << "EN" << "&File" << 0;
    QTest::newRow("5: English, the file stays as it is") << true << QByteArray(" 5 \r\n") << 10000 << "EN" << "&File"
                                                        << 0;
    QTest::newRow("no number: the error dialog, then German") << true << QByteArray("") << 0 << "DE" << "&Datei"
                                                              << 1;
}

void TestStartup::languageFromLangSet()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, content);
    QFETCH(int, offset);
    QFETCH(QString, code);
    QFETCH(QString, fileMenu);
    QFETCH(int, dialogs);
    ShellRig rig;
    rig.tracer.responder.answers = {ContNext};
    if (fileExists)
        rig.writeLangSet(content);

    rig.shell.Main();

    QCOMPARE(rig.state.ui.gSprachOffset, offset);
    QCOMPARE(QString::fromStdString(rig.state.ui.gSprachKuerzel), code);
    QVERIFY(rig.main() != nullptr);
    QVERIFY(rig.main()->isVisible());
    QCOMPARE(rig.main()->windowTitle(), QString::fromLatin1(kMainWindowTitle));
    QCOMPARE(rig.menuTitle("mnuFile"), fileMenu);
    QCOMPARE(rig.action("mnuGerman")->isChecked(), offset == 0);
    QCOMPARE(rig.action("mnuEnglish")->isChecked(), offset == 10000);
    QCOMPARE(static_cast<int>(rig.tracer.responder.reports.size()), dialogs);
    if (dialogs)
        QCOMPARE(rig.tracer.responder.reports[0].procedure, std::string("fncgGetLanguage"));
    // Starting never writes the language file.
    QCOMPARE(rig.langSetContent(), fileExists ? content : QByteArray());
    QCOMPARE(std::filesystem::exists(rig.langSet()), fileExists);
}

void TestStartup::splashStaysForTheWaitWhileMessagesAreProcessed()
{
    // Two seconds measured on a clock that moves on half a second at each
    // reading: the wait takes four rounds and no time.
    ShellRig rig(std::chrono::seconds(2), std::chrono::milliseconds(500));
    QStringList seen;
    rig.clock.onRead = [&] {
        seen << QStringLiteral("splash %1, main %2").arg(visibleSplashes()).arg(rig.main() ? "yes" : "no");
    };
    rig.shell.Main();
    rig.clock.onRead = nullptr;
    QCOMPARE(seen, QStringList(5, QStringLiteral("splash 1, main no")));

    // Unloaded before the main window shows.
    QCOMPARE(visibleSplashes(), 0);
    ShellRig::settle();
    QCOMPARE(splashes(), 0);
    QVERIFY(rig.main()->isVisible());
}

void TestStartup::clockSetBackEndsTheWait()
{
    // The clock goes back half a second at each reading, as after a time-server
    // correction: measured on it the two seconds would never pass.
    ShellRig rig(std::chrono::seconds(2), std::chrono::milliseconds(-500));
    rig.shell.Main();
    QCOMPARE(rig.clock.readings, 2);  // the start and one round
    QCOMPARE(visibleSplashes(), 0);
    QVERIFY(rig.main()->isVisible());
}

void TestStartup::programFolderAndConfiguratorFlags()
{
    ShellRig rig;
    rig.state.config.gGrenzwertPruefung = 0;
    rig.state.config.gGrenzwertModus = 2;
    rig.shell.Main();
    QCOMPARE(std::filesystem::canonical(std::filesystem::current_path()),
             std::filesystem::canonical(rig.fakes.services.programFolder));
    QCOMPARE(rig.state.config.gGrenzwertPruefung, std::int16_t{1});
    QCOMPARE(rig.state.config.gGrenzwertModus, std::int16_t{1});
    // The build of the main window muted the configurator's handlers only while
    // it ran.
    QCOMPARE(rig.state.config.gConfEventsAus, False);
}

// A number in the settings file that cannot be read (UserMSCode beyond 16
// bits or beyond a double) is damage of that key alone: the start shows no
// error dialog, every other key is loaded as stored, a message names the
// settings file and the key, and the file stays as it is until OK in the
// options window or Exit writes every key as loaded, UserMSCode as 0. A text
// without a number reads as 0, as the runtime's Val reads it, without a word.
void TestStartup::damagedSettingsNumberLosesNoOtherKey_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<bool>("german");
    QTest::addColumn<bool>("byOk");
    for (const char* code : {"99999", "-99999", "1e400"}) {
        QTest::addRow("%s, German, then OK", code) << QByteArray(code) << true << true << true;
        QTest::addRow("%s, English, then Exit", code) << QByteArray(code) << true << false << false;
    }
    QTest::newRow("abc: 0 without a message") << QByteArray("abc") << false << false << false;
}

void TestStartup::damagedSettingsNumberLosesNoOtherKey()
{
    QFETCH(QByteArray, code);
    QFETCH(bool, damaged);
    QFETCH(bool, german);
    QFETCH(bool, byOk);
    QTemporaryDir home;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    const std::filesystem::path conf = std::filesystem::path(home.path().toStdString()) / "morvane-test" /
                                       "morvane7.0.conf";
    std::filesystem::create_directories(conf.parent_path());
    const std::string stored = "[Startup]\nUserName=Anna\nUserAbteilung=Verfahrenstechnik\nUserMSCode=" +
                               code.toStdString() +
                               "\nCompanyFirma1=Real Co\nCompanyStrasse=Hauptstr. 1\nCompanyTel=+49 1\n"
                               "CompanyFax=+49 2\nLanguageDeutsch=English\n";
    std::ofstream(conf, std::ios::binary) << stored;
    QtSettingsStore store("morvane-test");
    QCOMPARE(store.fileName("morvane7.0"), conf.string());

    ShellRig rig(std::chrono::milliseconds(0), std::chrono::milliseconds(0), &store);
    if (german)
        rig.writeLangSet("0\r\n");
    rig.shell.Main();

    QVERIFY(rig.main()->isVisible());
    QVERIFY(rig.tracer.responder.reports.empty());
    const UserSettings& u = rig.state.settings;
    QCOMPARE(u.gUserName, std::string("Anna"));
    QCOMPARE(u.gUserAbteilung, std::string("Verfahrenstechnik"));
    QCOMPARE(u.gUserDurchwahl, std::string("user-settings"));  // not stored: its default
    QCOMPARE(u.gUserMSCode, std::int16_t{0});
    QCOMPARE(u.gCompanyFirma1, std::string("Real Co"));
    QCOMPARE(u.gCompanyFirma2, std::string("Bitte geben Sie"));
    QCOMPARE(u.gCompanyStrasse, std::string("Hauptstr. 1"));
    QCOMPARE(u.gCompanyTel, std::string("+49 1"));
    QCOMPARE(u.gCompanyFax, std::string("+49 2"));
    QCOMPARE(u.gLanguageDeutsch, std::string("English"));
    const auto& shown = rig.fakes.messages.shown;
    if (damaged) {
        QCOMPARE(shown.size(), std::size_t{1});
        const std::string& text = shown[0].text;
        QCOMPARE(text, settingsKeyDamagedMessage(store, "UserMSCode", german ? 0 : 10000));
        QVERIFY2(text.find(conf.string()) != std::string::npos, text.c_str());
        QVERIFY2(text.find("UserMSCode") != std::string::npos, text.c_str());
        QVERIFY2(text.find(german ? "gilt als 0" : "counts as 0") != std::string::npos, text.c_str());
        QCOMPARE(shown[0].icon, MessageIcon::Exclamation);
    } else {
        QVERIFY(shown.empty());
    }
    // The start wrote nothing.
    QCOMPARE(fileBytes(conf), stored);

    if (byOk) {
        ModalDriver driver;
        driver.then([](QWidget* options) {
            QTest::mouseClick(options->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        });
        rig.main()->mnuFileProperties_Click();
        QVERIFY(driver.allStepsRan());
        QVERIFY(!driver.hadToRescue());
    } else {
        rig.main()->Command2_Click();
    }
    QVERIFY(rig.tracer.responder.reports.empty());
    QCOMPARE(rig.fakes.messages.shown.size(), std::size_t{damaged ? 1u : 0u});
    // Every key as loaded, the damaged one as 0.
    const auto key = [&](const char* name) { return store.value("morvane7.0", "Startup", name).value_or("<missing>"); };
    QCOMPARE(key("UserName"), std::string("Anna"));
    QCOMPARE(key("UserAbteilung"), std::string("Verfahrenstechnik"));
    QCOMPARE(key("UserDurchwahl"), std::string("user-settings"));
    QCOMPARE(key("UserMSCode"), std::string("0"));
    QCOMPARE(key("CompanyFirma1"), std::string("Real Co"));
    QCOMPARE(key("CompanyStrasse"), std::string("Hauptstr. 1"));
    QCOMPARE(key("CompanyTel"), std::string("+49 1"));
    QCOMPARE(key("CompanyFax"), std::string("+49 2"));
    QCOMPARE(key("LanguageDeutsch"), std::string("English"));
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
