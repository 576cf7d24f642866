// The error-test panel in a small window: its toggle, the error it raises and
// how the dialog's answer ends the click; Quit runs no window's closing handler.
#include "gui/ErrorDialogRig.h"
#include "tracing/qt/ErrorDisplayArea.h"
#include "tracing/qt/ErrorTestPanel.h"

#include "tracing/Guard.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QTest>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>

using namespace morvane;
using namespace morvane::testing;

namespace {

// Stands for the main window: counts its closing handler's runs.
class SmallWindow : public QWidget {
public:
    SmallWindow()
    {
        resize(8000 / 15, 7000 / 15);
        area = new ErrorDisplayArea(this);
        panel = new ErrorTestPanel(this);
        QObject::connect(area, &ErrorDisplayArea::doubleClicked, panel, &ErrorTestPanel::imgErrorDisplay_DblClick);
    }
    ErrorDisplayArea* area;
    ErrorTestPanel* panel;
    int closeEvents = 0;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        ++closeEvents;
        e->accept();
    }
};

void typeErrorNumber(SmallWindow& w, const QString& text)
{
    auto* box = w.panel->findChild<QLineEdit*>(QStringLiteral("txtErrorNum"));
    box->clear();
    QTest::keyClicks(box, text);
}

QPushButton* generateButton(SmallWindow& w)
{
    return w.panel->findChild<QPushButton*>(QStringLiteral("cmdGenErr"));
}

// A short history before the test error: parameters of every kind, numbers
// from the tiny to the huge, and more entries than the trace keeps.
void traceHistory()
{
    for (int i = 0; i < 5; ++i)
        Guard g("Module1", "get_Blende",
                "Sub get_Blende(q As Double, Re As Double, e As Double, dp As Double, dpb As Double)",
                {{"q", 2.5 + i}, {"Re", 118886.7}, {"e", 1.0 / 3.0}, {"dp", 1.0e-7}, {"dpb", -123456789012345678.0}});
    Guard a("frmMain", "Form_KeyDown", "Private Sub Form_KeyDown(KeyCode As Integer, Shift As Integer)",
            {{"KeyCode", std::int16_t{113}}, {"Shift", std::int16_t{-1}}});
    Guard b("modConfigSelect", "Kinds",
            "Sub Kinds(a As Variant, n As Variant, e As Variant, o As Object, x As Object, t As String, "
            "f As Boolean, l As Long)",
            {{"a", TraceValue::array()},
             {"n", TraceValue::null()},
             {"e", TraceValue::empty()},
             {"o", TraceValue::object("TextBox")},
             {"x", TraceValue::nothing()},
             {"t", std::string("Luft, trocken")},
             {"f", false},
             {"l", 10000LL}});
    Guard c("Module1", "Werte", "Sub Werte(v As Double, w As Double, z As Double)",
            {{"v", 0.1 + 0.2}, {"w", -0.0}, {"z", std::nan("")}});
}

std::string readBytes(const std::string& name)
{
    std::ifstream in(std::string(MORVANE_SOURCE_DIR) + "/tests/gui/data/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The committed text; a text that differs is left beside the test program as
// NAME.actual, to compare by hand.
std::string expectedText(const std::string& name, const std::string& seen)
{
    const std::string expected = readBytes(name);
    if (seen != expected)
        std::ofstream(name + ".actual", std::ios::binary) << seen;
    return expected;
}

}  // namespace

class TestErrorTestPanel : public QObject {
    Q_OBJECT

private slots:
    void startsHiddenAndDoubleClickToggles();
    void raisesTheTypedError_data();
    void raisesTheTypedError();
    void repeatRaisesTheErrorAgain();
    void quitRunsNoClosingHandler();
    void protocolAndTraceOfATestError();
};

void TestErrorTestPanel::startsHiddenAndDoubleClickToggles()
{
    ErrorDialogRig rig;
    SmallWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.panel->isVisible());
    QCOMPARE(w.panel->title(), QStringLiteral("Test Error Trapping"));
    QCOMPARE(w.panel->findChild<QLineEdit*>(QStringLiteral("txtErrorNum"))->text(), QStringLiteral("None"));
    QCOMPARE(w.panel->geometry(), QRect(360, 384, 137, 65));  // 5400, 5760, 2055 x 975 twips
    QCOMPARE(w.area->geometry(), QRect(12, 352, 49, 33));     // 180, 5280, 735 x 495 twips

    QTest::mouseDClick(w.area, Qt::LeftButton);
    QVERIFY(w.panel->isVisible());
    QTest::mouseDClick(w.area, Qt::LeftButton);
    QVERIFY(!w.panel->isVisible());
    QVERIFY(rig.tracer->colCallStack().front().find("[frmMain] Private Sub imgErrorDisplay_DblClick()") !=
            std::string::npos);
}

void TestErrorTestPanel::raisesTheTypedError_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("errorNo");
    QTest::newRow("13: type mismatch") << "13" << "13 (Type mismatch)";
    QTest::newRow("None reads as 0, which is no error") << "None" << "5 (Invalid procedure call or argument)";
    QTest::newRow("beyond 32 bits") << "99999999999" << "6 (Overflow)";
    QTest::newRow("2.5 rounds to the even 2") << "2.5" << "2 (Application-defined or object-defined error)";
}

void TestErrorTestPanel::raisesTheTypedError()
{
    QFETCH(QString, typed);
    QFETCH(QString, errorNo);
    ErrorDialogRig rig;
    SmallWindow w;
    w.show();
    w.panel->imgErrorDisplay_DblClick();
    typeErrorNumber(w, typed);

    ModalDriver driver;
    rescueWithExit(driver);
    DialogView seen;
    driver.then([&](QWidget* d) {
        seen = DialogView::of(d);
        button(d, "cmdContinue1")->click();  // Next ends the click handler normally
    });
    QTest::mouseClick(generateButton(w), Qt::LeftButton);

    QVERIFY(driver.allStepsRan());
    QCOMPARE(seen.values, (QStringList{errorNo, "frmMain", "cmdGenErr_Click", "0"}));
    QCOMPARE(rig.tracer->colCallStack().front().substr(9), std::string("[frmMain] Private Sub cmdGenErr_Click()"));
}

void TestErrorTestPanel::repeatRaisesTheErrorAgain()
{
    ErrorDialogRig rig;
    SmallWindow w;
    w.show();
    typeErrorNumber(w, QStringLiteral("13"));
    ModalDriver driver;
    rescueWithExit(driver);
    QStringList shown;
    driver.then([&](QWidget* d) {
        shown << DialogView::of(d).values[0];
        // Repeat reads the box again.
        typeErrorNumber(w, QStringLiteral("11"));
        button(d, "cmdContinue0")->click();
    });
    driver.then([&](QWidget* d) {
        shown << DialogView::of(d).values[0];
        button(d, "cmdContinue1")->click();
    });
    QTest::mouseClick(generateButton(w), Qt::LeftButton);
    QCOMPARE(shown, (QStringList{"13 (Type mismatch)", "11 (Division by zero)"}));
    QVERIFY(!driver.hadToRescue());
}

void TestErrorTestPanel::quitRunsNoClosingHandler()
{
    ErrorDialogRig rig;
    SmallWindow w;
    w.show();
    typeErrorNumber(w, QStringLiteral("13"));
    ModalDriver driver;
    rescueWithExit(driver);
    driver.then([](QWidget* d) { button(d, "cmdContinue3")->click(); });
    // Called directly, not through a click: the test's quit throws, and no
    // exception may cross Qt's event dispatch.
    QVERIFY_THROWS_EXCEPTION(QuitRequested, w.panel->cmdGenErr_Click());
    QVERIFY(driver.allStepsRan());
    QCOMPARE(w.closeEvents, 0);
    QVERIFY(w.isVisible());
}

// The protocol that the EMail button copies for a test error, and the trace
// texts as the dialog's trace list would show them, are exactly the committed
// texts (tests/gui/data, CR LF line ends).
void TestErrorTestPanel::protocolAndTraceOfATestError()
{
    ErrorDialogRig rig;
    rig.tracer->setClock(&rig.clock);
    SmallWindow w;
    w.show();
    typeErrorNumber(w, QStringLiteral("11"));
    traceHistory();

    ModalDriver driver;
    rescueWithExit(driver);
    driver.then([&](QWidget* d) {
        button(d, "cmdProtocol2")->click();
        button(d, "cmdContinue1")->click();
    });
    w.panel->cmdGenErr_Click();
    QVERIFY(driver.allStepsRan());

    const std::string protocol = rig.clipboard.content;
    QCOMPARE(protocol, expectedText("test_error_protocol.txt", protocol));

    const auto trace = rig.tracer->colCallStack();
    const std::vector<std::string> items(trace.begin(), trace.end());
    const std::string withTrace = rig.protocol.BuildProtocol(rig.tracer->lastReport(), items);
    QCOMPARE(withTrace, expectedText("test_error_protocol_with_trace.txt", withTrace));
}

QTEST_MAIN(TestErrorTestPanel)
#include "test_error_test_panel.moc"
