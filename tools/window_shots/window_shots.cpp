// Pictures of the shell's windows in both languages, for looking at them:
// with MORVANE_SCREENSHOT_DIR set, each window is drawn offscreen into a PNG
// file there (never into the source tree). Without it nothing is drawn.
#include "app/IniSettings.h"
#include "common/qt/WindowFonts.h"
#include "app/qt/frmAbout.h"
#include "app/qt/frmMain.h"
#include "app/qt/frmOptions.h"
#include "app/qt/frmSplash.h"
#include "reports/results_window/qt/frmResult.h"
#include "support/ReferenceCases.h"
#include "support/ShellFakes.h"
#include "tracing/qt/ErrorDialogWindow.h"
#include "tracing/qt/ErrorTestPanel.h"

#include <QDir>
#include <QTabWidget>
#include <QTest>

using namespace morvane;
using namespace morvane::testing;

namespace {

class NoSwitch : public LanguageSwitch {
public:
    void subgChangeLanguage() override {}
};

struct NoPrinterDialog : PrinterDialog {
    PrintTarget ShowPrinter(const std::string&) override { return {}; }
};

void shoot(QWidget& w, const QString& folder, const QString& name)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPixmap picture = w.grab();
    QCOMPARE(picture.size(), w.size());
    QVERIFY(picture.save(QDir(folder).filePath(name + QStringLiteral(".png"))));
}

}  // namespace

class TestWindowShots : public QObject {
    Q_OBJECT

private slots:
    void shots_data();
    void shots();
};

void TestWindowShots::shots_data()
{
    QTest::addColumn<int>("offset");
    QTest::newRow("de") << 0;
    QTest::newRow("en") << 10000;
}

void TestWindowShots::shots()
{
    const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("MORVANE_SCREENSHOT_DIR is not set");
    QDir().mkpath(folder);
    QFETCH(int, offset);
    const QString lang = QString::fromLatin1(QTest::currentDataTag());
    installFontSubstitutes();
    TestTracer tracer;
    FakeShellServices fakes;
    ProgramState state;
    state.ui.gSprachOffset = offset;
    LoadIni(state.settings, fakes.settings);

    auto* splash = new frmSplash(offset);
    shoot(*splash, folder, "splash-" + lang);
    splash->close();

    frmOptions options(state.settings, fakes.settings, offset);
    shoot(options, folder, "options-user-" + lang);
    options.findChild<QTabWidget*>()->setCurrentIndex(1);
    shoot(options, folder, "options-company-" + lang);

    frmAbout about(fakes.services, offset);
    shoot(about, folder, "about-" + lang);

    NoSwitch noSwitch;
    auto* main = new frmMain(state, fakes.services, noSwitch);
    shoot(*main, folder, "main-" + lang);
    // The hidden error-test panel, shown.
    if (auto* panel = main->findChild<ErrorTestPanel*>()) {
        panel->show();
        shoot(*main, folder, "main-errortest-" + lang);
    }
    delete main;

    // The error dialog with all four continue buttons.
    {
        ErrorDialogWindow dialog;
        ErrorReport report;
        report.number = 11;
        report.description = "Division by zero";
        report.module = "frmMain";
        report.procedure = "Command1_Click";
        report.line = 120;
        report.caption = "morvane 7.0.12 - Error Message";
        dialog.showError(report);
        dialog.ArrangeFrames(15);
        shoot(dialog, folder, "errordialog-" + lang);
    }

    // The results window of the water orifice, with the flow range on.
    {
        ProgramState results;
        results.ui.gSprachOffset = offset;
        fillWaterOrifice(results);
        results.calc.gMehrereBetriebspunkte = 1;
        NoPrinterDialog printerDialog;
        QtResultsWindow window(results, printerDialog);
        window.show();
        shoot(*window.window(), folder, "results-" + lang);
    }
    QVERIFY(tracer.responder.reports.empty());
}

QTEST_MAIN(TestWindowShots)
#include "window_shots.moc"
