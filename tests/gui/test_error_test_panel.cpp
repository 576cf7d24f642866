// The error-test panel in a small window: its toggle, the error it raises and
// how the dialog's answer ends the click; Quit runs no window's closing handler.
#include "gui/ErrorDialogRig.h"
#include "tracing/qt/ErrorDisplayArea.h"
#include "tracing/qt/ErrorTestPanel.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QTest>

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

}  // namespace

class TestErrorTestPanel : public QObject {
    Q_OBJECT

private slots:
    void startsHiddenAndDoubleClickToggles();
    void raisesTheTypedError_data();
    void raisesTheTypedError();
    void repeatRaisesTheErrorAgain();
    void quitRunsNoClosingHandler();
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

QTEST_MAIN(TestErrorTestPanel)
#include "test_error_test_panel.moc"
