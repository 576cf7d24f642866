// The error dialog, driven offscreen: what it shows, its button sets, its
// closing, the pointer, and the protocol buttons over recording fakes.
#include "common/qt/WindowFonts.h"
#include "gui/ErrorDialogRig.h"
#include "gui/TextFits.h"
#include "tracing/qt/ErrorDialogWindow.h"
#include "tracing/qt/ErrorTestPanel.h"
#include "tracing/qt/QtErrorReporting.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace morvane;
using namespace morvane::testing;

class TestErrorDialog : public QObject {
    Q_OBJECT

private slots:
    void showsTheErrorOnDisplay();
    void continueButtonsFollowContBits_data();
    void continueButtonsFollowContBits();
    void closingBeforeAChoiceReturnsTheCodeChosenLast();
    void pointerIsResetBeforeShowing();
    void eMailButtonCopiesAndOpensTheMailProgram();
    void failingPrintoutIsToldAndTheDialogStays();
    void errorWhileOpenOpensNoSecondDialog();
    void installedReportingAnswersTheTracer();
    void everyTextFitsItsControl();
};

// The dialog with every button, and the error-test panel in a window of the
// program's font: no caption is cut off.
void TestErrorDialog::everyTextFitsItsControl()
{
    installFontSubstitutes();
    ErrorDialogWindow dialog;
    ErrorReport report;
    report.number = 11;
    report.description = "Division by zero";
    report.module = "frmMain";
    report.procedure = "Command1_Click";
    report.line = 120;
    dialog.showError(report);
    dialog.ArrangeFrames(15);
    QVERIFY2(clippedTexts(&dialog).isEmpty(), qPrintable(clippedTexts(&dialog).join("; ")));

    QWidget window;
    window.setFont(windowFont());
    auto* panel = new ErrorTestPanel(&window);
    panel->show();
    QVERIFY2(clippedTexts(&window).isEmpty(), qPrintable(clippedTexts(&window).join("; ")));
}

void TestErrorDialog::showsTheErrorOnDisplay()
{
    ErrorDialogRig rig;
    ModalDriver driver;
    rescueWithExit(driver);
    DialogView seen;
    QSize size;
    QPoint centreOffset;
    bool escapeClosed = true;
    driver.then([&](QWidget* w) {
        seen = DialogView::of(w);
        size = w->size();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        centreOffset = w->frameGeometry().center() - screen.center();
        // No cancel button: Escape neither chooses nor closes.
        QTest::keyClick(w, Qt::Key_Escape);
        escapeClosed = !w->isVisible();
        button(w, "cmdContinue1")->click();
    });
    rig.tracer->setCurrentError(11, "D");
    const std::int16_t code = rig.tracer->OnError("Module1", "BerechneDichte");

    QCOMPARE(code, ContNext);
    QVERIFY(driver.allStepsRan());
    QCOMPARE(seen.caption, QStringLiteral("morvane  V7.0.12 - Error Message"));
    QCOMPARE(seen.values, (QStringList{"11 (D)", "Module1", "BerechneDichte", "0"}));
    QCOMPARE(seen.comment, QStringLiteral("Please report this error to - halvern "));
    QCOMPARE(seen.protocolButtons, (QStringList{"&Print", "&EMail"}));
    // Four frames of 975, 1575, 735 and 855 twips, 7695 wide, at 15 twips a pixel.
    QCOMPARE(size, QSize(513, 276));
    QVERIFY2(std::abs(centreOffset.x()) <= 1 && std::abs(centreOffset.y()) <= 1, "centred on the screen");
    QVERIFY(!escapeClosed);
    // Hidden after the choice, not destroyed.
    QVERIFY(rig.dialog.window() != nullptr);
    QVERIFY(!rig.dialog.window()->isVisible());
}

void TestErrorDialog::continueButtonsFollowContBits_data()
{
    QTest::addColumn<int>("contBits");
    QTest::addColumn<QStringList>("shown");
    const QStringList all{"Repeat Command", "Goto Next Command", "Exit Procedure", "Quit Application"};
    QTest::newRow("255: all four") << 255 << all;
    QTest::newRow("5: Repeat and Exit") << 5 << QStringList{"Repeat Command", "Exit Procedure"};
    QTest::newRow("8: Quit only") << 8 << QStringList{"Quit Application"};
    QTest::newRow("0x1FA: higher bits ignored") << 0x1FA << QStringList{"Goto Next Command", "Quit Application"};
}

void TestErrorDialog::continueButtonsFollowContBits()
{
    QFETCH(int, contBits);
    QFETCH(QStringList, shown);
    ErrorDialogRig rig;
    ModalDriver driver;
    rescueWithExit(driver);
    DialogView seen;
    driver.then([&](QWidget* w) {
        seen = DialogView::of(w);
        // Every button answers with its own index, shown or not.
        button(w, "cmdContinue2")->click();
    });
    rig.tracer->setCurrentError(13, "Type mismatch");
    QCOMPARE(rig.tracer->OnError("frmMain", "cmdCalc_Click", static_cast<std::int16_t>(contBits)), ContExit);
    QCOMPARE(seen.continueButtons, shown);
}

void TestErrorDialog::closingBeforeAChoiceReturnsTheCodeChosenLast()
{
    ErrorDialogRig rig;
    ModalDriver driver;
    rescueWithExit(driver);
    driver.then([](QWidget* w) { w->close(); });
    rig.tracer->setCurrentError(11, "Division by zero");
    QCOMPARE(rig.tracer->OnError("Module1", "P"), ContRepeat);  // nothing chosen since the start
    QVERIFY2(rig.dialog.window() == nullptr, "closing destroys the window");

    driver.then([](QWidget* w) { button(w, "cmdContinue1")->click(); });
    QCOMPARE(rig.tracer->OnError("Module1", "P"), ContNext);
    driver.then([](QWidget* w) { w->close(); });
    QCOMPARE(rig.tracer->OnError("Module1", "P"), ContNext);  // the last choice stands
    QVERIFY(driver.allStepsRan());
    QVERIFY(!driver.hadToRescue());
}

void TestErrorDialog::pointerIsResetBeforeShowing()
{
    ErrorDialogRig rig;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    ModalDriver driver;
    rescueWithExit(driver);
    bool arrow = false;
    driver.then([&](QWidget* w) {
        arrow = QGuiApplication::overrideCursor() == nullptr;
        button(w, "cmdContinue2")->click();
    });
    rig.tracer->setCurrentError(11, "Division by zero");
    rig.tracer->OnError("Module1", "P");
    QVERIFY2(arrow, "every pointer set by the program is taken back");
    while (QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
}

void TestErrorDialog::eMailButtonCopiesAndOpensTheMailProgram()
{
    ErrorDialogRig rig;
    ModalDriver driver;
    rescueWithExit(driver);
    bool stillOpen = false;
    driver.then([&](QWidget* w) {
        QTest::mouseClick(button(w, "cmdProtocol2"), Qt::LeftButton);
        stillOpen = w->isVisible();
        button(w, "cmdContinue2")->click();
    });
    rig.tracer->setCurrentError(11, "D");
    QCOMPARE(rig.tracer->OnError("Module1", "BerechneDichte"), ContExit);

    QVERIFY(stillOpen);
    QCOMPARE(rig.shell.opened, std::vector<std::string>{"mailto:support@halvern.example"});
    // The protocol of the error on display.
    QVERIFY(rig.clipboard.content.find("morvane  V7.0.12 - Error Message\r\n") != std::string::npos);
    QVERIFY(rig.clipboard.content.find("          Error No:\t11 (D)\r\n") != std::string::npos);
    QVERIFY(rig.clipboard.content.find("          Procedure:\tBerechneDichte\r\n") != std::string::npos);
    QCOMPARE(rig.messages.shown.size(), 1u);
    QVERIFY(rig.messages.shown[0].text.rfind("Your standard e-mail application is now started.", 0) == 0);
}

void TestErrorDialog::failingPrintoutIsToldAndTheDialogStays()
{
    ErrorDialogRig rig;
    rig.printer.available = false;
    ModalDriver driver;
    rescueWithExit(driver);
    bool stillOpen = false;
    driver.then([&](QWidget* w) {
        QTest::mouseClick(button(w, "cmdProtocol0"), Qt::LeftButton);
        stillOpen = w->isVisible();
        button(w, "cmdContinue1")->click();
    });
    rig.tracer->setCurrentError(11, "D");
    QCOMPARE(rig.tracer->OnError("Module1", "BerechneDichte"), ContNext);
    QVERIFY(stillOpen);
    QCOMPARE(rig.messages.shown.size(), 1u);
    QCOMPARE(QString::fromStdString(rig.messages.shown[0].text),
             QStringLiteral("The error protocol could not be printed:\r\nNo printer is installed."));
}

void TestErrorDialog::errorWhileOpenOpensNoSecondDialog()
{
    ErrorDialogRig rig;
    ModalDriver driver;
    rescueWithExit(driver);
    std::int16_t nested = -1;
    bool sameModal = false;
    driver.then([&](QWidget* w) {
        // A handler running in the dialog's modal loop fails.
        rig.tracer->setCurrentError(13, "Type mismatch");
        nested = rig.tracer->OnError("Module1", "Inner");
        sameModal = QApplication::activeModalWidget() == w;
        button(w, "cmdContinue1")->click();
    });
    rig.tracer->setCurrentError(11, "Division by zero");
    QCOMPARE(rig.tracer->OnError("Module1", "Outer"), ContNext);
    QCOMPARE(nested, ContExit);  // the inner procedure is left at once
    QVERIFY(sameModal);
    QCOMPARE(driver.stepsRun(), 1);
    QVERIFY2(!driver.hadToRescue(), "no second dialog came up");
}

void TestErrorDialog::installedReportingAnswersTheTracer()
{
    TestTracer tracer;
    tracer->setProgramIdentity("morvane", 7, 0, 3);
    QTemporaryDir folder;
    QtErrorReporting reporting(folder.path().toStdString(), "morvane");
    ModalDriver driver;
    rescueWithExit(driver);
    QString caption;
    driver.then([&](QWidget* w) {
        caption = w->windowTitle();
        button(w, "cmdContinue2")->click();
    });
    tracer->setCurrentError(11, "Division by zero");
    QCOMPARE(tracer->OnError("Module1", "BerechneDichte"), ContExit);
    QCOMPARE(caption, QStringLiteral("morvane  V7.0.3 - Error Message"));
    QVERIFY(driver.allStepsRan());
}

QTEST_MAIN(TestErrorDialog)
#include "test_error_dialog.moc"
