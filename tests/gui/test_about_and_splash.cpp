// The about and splash windows: their texts in both languages (no id left
// standing), the version line, and the system-information button, which on
// Linux finds nothing and says so.
#include "common/ProgramIdentity.h"
#include "app/qt/frmAbout.h"
#include "app/qt/frmSplash.h"
#include "platform/LinuxRegistry.h"
#include "support/ShellFakes.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace morvane;
using namespace morvane::testing;

namespace {

QString text(const QWidget& w, const char* name)
{
    return w.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

// A label or button showing nothing but a number is an id the loader missed.
QStringList rawIds(const QWidget& w)
{
    static const QRegularExpression number(QStringLiteral("^\\s*\\d+\\s*$"));
    QStringList found;
    for (const QLabel* l : w.findChildren<QLabel*>())
        if (number.match(l->text()).hasMatch())
            found << l->objectName();
    for (const QPushButton* b : w.findChildren<QPushButton*>())
        if (number.match(b->text()).hasMatch())
            found << b->objectName();
    if (number.match(w.windowTitle()).hasMatch())
        found << QStringLiteral("caption");
    return found;
}

}  // namespace

class TestAboutAndSplash : public QObject {
    Q_OBJECT

private slots:
    void aboutTexts_data();
    void aboutTexts();
    void sysInfoOnLinuxSaysNotAvailable();
    void sysInfoStartsWhatTheRegistryNames();
    void okClosesTheAbout();
    void splashTexts_data();
    void splashTexts();
};

void TestAboutAndSplash::aboutTexts_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("disclaimerWord");
    QTest::newRow("German") << 0
                            << "morvane ist ein Programm zur Berechnung der pravio und anderer dp-Primärelemente"
                            << "Gewähr";
    QTest::newRow("English") << 10000 << "morvane is a design software for differential pressure primary elements."
                             << "warranty";
}

void TestAboutAndSplash::aboutTexts()
{
    QFETCH(int, offset);
    QFETCH(QString, description);
    QFETCH(QString, disclaimerWord);
    TestTracer tracer;
    FakeShellServices fakes;
    frmAbout about(fakes.services, offset);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    // The same caption and button text in both languages.
    QCOMPARE(about.windowTitle(), QStringLiteral("Info Projekt1"));
    QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(), QStringLiteral("&System-Info..."));
    QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
    QCOMPARE(text(about, "lblVersion"), QString::fromStdString(versionLabel(kProgramVersion)));
    QCOMPARE(text(about, "lblTitle"), QString::fromLatin1(kProgramTitle));
    QCOMPARE(text(about, "lblDescription"), description);
    QVERIFY(text(about, "lblDisclaimer").contains(disclaimerWord));
    QCOMPARE(text(about, "Label1"), QString::fromStdString(makerTexts().name));
    QCOMPARE(rawIds(about), QStringList());
    QVERIFY(tracer.responder.reports.empty());
}

void TestAboutAndSplash::sysInfoOnLinuxSaysNotAvailable()
{
    TestTracer tracer;
    FakeShellServices fakes;
    LinuxRegistry noRegistry;
    ShellServices services{fakes.settings, fakes.messages, fakes.shell, noRegistry, fakes.launcher, fakes.clipboard,
                          fakes.clock, {}};
    frmAbout about(services, 10000);
    about.show();
    QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    QCOMPARE(fakes.messages.shown.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(fakes.messages.shown[0].text),
             QStringLiteral("Systeminformationsprogramm zur Zeit nicht verfuegbar."));
    QCOMPARE(fakes.messages.shown[0].caption, std::string(kProgramTitle));
    QVERIFY(fakes.launcher.started.empty());
    QVERIFY(about.isVisible());  // the about window stays open
}

void TestAboutAndSplash::sysInfoStartsWhatTheRegistryNames()
{
    TestTracer tracer;
    FakeShellServices fakes;
    fakes.registry.setString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", "/usr/bin/sysinfo-tool");
    frmAbout about(fakes.services, 0);
    about.show();
    QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    QCOMPARE(fakes.launcher.started, std::vector<std::string>{"/usr/bin/sysinfo-tool"});
    QVERIFY(fakes.messages.shown.empty());
    QVERIFY(about.isVisible());
}

void TestAboutAndSplash::okClosesTheAbout()
{
    TestTracer tracer;
    FakeShellServices fakes;
    frmAbout about(fakes.services, 0);
    about.show();
    QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void TestAboutAndSplash::splashTexts_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("notice");
    QTest::newRow("German") << 0
                            << "morvane ist ein Programm zur Berechnung der pravio und anderer dp-Primärelemente"
                            << "Alle Berechnungsergebnisse ohne Gewähr.";
    QTest::newRow("English") << 10000 << "morvane is a design software for differential pressure primary elements."
                             << "All calculation results without warranty.";
}

void TestAboutAndSplash::splashTexts()
{
    QFETCH(int, offset);
    QFETCH(QString, description);
    QFETCH(QString, notice);
    TestTracer tracer;
    auto* splash = new frmSplash(offset);
    QPointer<frmSplash> alive(splash);
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    QCOMPARE(text(*splash, "Label1"), QStringLiteral("morvane"));
    QCOMPARE(text(*splash, "Label2"), QStringLiteral("Version 7.1 Pro"));
    QCOMPARE(text(*splash, "Label5"), description);
    QCOMPARE(text(*splash, "Label6"), notice);
    QVERIFY(!splash->findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().isNull());
    QCOMPARE(rawIds(*splash), QStringList());
    // Closing unloads it.
    splash->close();
    QTRY_VERIFY(alive.isNull());
}

QTEST_MAIN(TestAboutAndSplash)
#include "test_about_and_splash.moc"
