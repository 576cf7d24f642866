// The start-up: the language from Lang.set, the splash while window messages
// are processed, the program folder and the configurator's flags, and the
// main window in that language.
#include "gui/ShellRig.h"

#include "common/ProgramIdentity.h"
#include "app/qt/frmSplash.h"

#include <QTest>

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

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void languageFromLangSet_data();
    void languageFromLangSet();
    void splashStaysForTheWaitWhileMessagesAreProcessed();
    void clockSetBackEndsTheWait();
    void programFolderAndConfiguratorFlags();
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

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
