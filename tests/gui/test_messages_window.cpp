// The calculation messages window offscreen: its caption in both languages, its
// layout in twips, the message it loads, OK unloading it, modeless without an
// owner, a show while it is open taking up the new message, also when one
// Calculate run shows it twice, and the close that starts every run.
#include "engine/qt/frmFehlerfile.h"
#include "platform/ProductDatabase.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <filesystem>

using namespace morvane;
using namespace morvane::testing;

namespace {

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool traced(ErrPtnr& t, const std::string& entry)
{
    for (const auto& e : t.colCallStack())
        if (e.size() > 9 && e.substr(9) == entry)
            return true;
    return false;
}

// Stand-ins for the Calculate run below: the probe coefficient warns, the
// flow step stops.
void nothing(EngineContext&) {}
void warningZeta(EngineContext& e) { e.s.gFehlerZeta = "Durchmesser außerhalb"; }
void stoppingDp(EngineContext& e) { e.s.gFehlerDp = "Bitte wählen Sie eine Durchflusseinheit"; }

class NoWindow : public OptionsWindow, public MainWindowInputs, public ResultsWindow {
public:
    void showModal() override {}
    std::string typeInfoText() const override { return {}; }
    std::string codeDisplayText() const override { return {}; }
    void rebuildTypeCode() override {}
    void ReadOberflaeche(ReadingFor) override {}
    void setText8(const std::string&) override {}
    void setText10(const std::string&) override {}
    void setText18(const std::string&) override {}
    void selectOption5() override {}
    void show() override { resultsShown = true; }
    bool resultsShown = false;
};

}  // namespace

class TestMessagesWindow : public QObject {
    Q_OBJECT

private slots:
    void captionInBothLanguages_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("caption");
        QTest::newRow("German") << 0 << QStringLiteral("Fehlermeldung!");
        QTest::newRow("English") << 10000 << QStringLiteral("ERROR!");
    }
    void captionInBothLanguages()
    {
        QFETCH(int, offset);
        QFETCH(QString, caption);
        TestTracer tracer;
        UiZustand ui;
        ui.gSprachOffset = offset;
        ui.gFehlertext = "Bitte definieren Sie das Medium";
        QtMessagesWindow messages(ui);
        messages.show();
        frmFehlerfile* w = messages.window();
        QVERIFY(w != nullptr);
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->RichTextBox1()->toPlainText(), QStringLiteral("Bitte definieren Sie das Medium"));
        QCOMPARE(w->Command1()->text(), QStringLiteral("OK"));
        QVERIFY(traced(*tracer, "[frmFehlerfile] Private Sub Form_Load()"));
    }

    // 6030 x 3585 twips, text box at 120/120 (5775 x 2895), OK at 4800/3120
    // (1095 x 375), 15 twips a pixel.
    void layoutInTwips()
    {
        TestTracer tracer;
        UiZustand ui;
        QtMessagesWindow messages(ui);
        messages.show();
        frmFehlerfile* w = messages.window();
        QCOMPARE(w->size(), QSize(402, 239));
        QCOMPARE(w->RichTextBox1()->geometry(), QRect(8, 8, 385, 193));
        QCOMPARE(w->Command1()->geometry(), QRect(320, 208, 73, 25));
    }

    void modelessWithoutOwner()
    {
        TestTracer tracer;
        UiZustand ui;
        ui.gFehlertext = "x";
        QWidget mainWindow;
        mainWindow.show();
        QtMessagesWindow messages(ui);
        messages.show();  // returns at once: nothing here waits for the window
        frmFehlerfile* w = messages.window();
        QVERIFY(w->isVisible());
        QVERIFY(!w->isModal());
        QCOMPARE(w->windowModality(), Qt::NonModal);
        QVERIFY(w->parentWidget() == nullptr);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(mainWindow.isEnabled());
    }

    // OK unloads the window; the next show loads it anew with the message of
    // that moment.
    void okUnloadsAndTheNextShowLoadsAgain()
    {
        TestTracer tracer;
        UiZustand ui;
        ui.gFehlertext = "erste Meldung";
        QtMessagesWindow messages(ui);
        messages.show();
        QPointer<frmFehlerfile> first = messages.window();
        QTest::mouseClick(first->Command1(), Qt::LeftButton);
        QVERIFY(traced(*tracer, "[frmFehlerfile] Private Sub Command1_Click()"));
        flushDeletes();
        QVERIFY(first.isNull());
        QVERIFY(messages.window() == nullptr);

        ui.gFehlertext = "zweite Meldung";
        messages.show();
        QVERIFY(messages.window() != nullptr);
        QCOMPARE(messages.window()->RichTextBox1()->toPlainText(), QStringLiteral("zweite Meldung"));
    }

    // The close that starts a run unloads the window; a show of the same run,
    // before the closed window is deleted, loads a new one, which stays.
    void closeUnloadsAndAShowRightAfterLoadsAnew()
    {
        TestTracer tracer;
        UiZustand ui;
        ui.gFehlertext = "alte Warnung";
        QtMessagesWindow messages(ui);
        messages.show();
        QPointer<frmFehlerfile> first = messages.window();
        messages.close();
        QVERIFY(messages.window() == nullptr);
        QVERIFY(!first->isVisible());
        messages.close();  // closed already: nothing to do

        ui.gFehlertext = "neue Meldung";
        messages.show();
        flushDeletes();
        QVERIFY(first.isNull());
        QVERIFY(messages.window() != nullptr);
        QVERIFY(messages.window()->isVisible());
        QCOMPARE(messages.window()->RichTextBox1()->toPlainText(), QStringLiteral("neue Meldung"));
    }

    void openWindowTakesUpTheNewMessage()
    {
        TestTracer tracer;
        UiZustand ui;
        ui.gFehlertext = "erste Meldung";
        QtMessagesWindow messages(ui);
        messages.show();
        frmFehlerfile* first = messages.window();
        ui.gFehlertext = "zweite Meldung";
        messages.show();
        QCOMPARE(messages.window(), first);
        QCOMPARE(first->RichTextBox1()->toPlainText(), QStringLiteral("zweite Meldung"));
        QVERIFY(first->isVisible());
    }

    // One Calculate run that warns on the probe coefficient and then stops on
    // the flow step: the open window ends with the stopping message, and the
    // results window stays closed.
    void oneRunShowsTwice()
    {
        TestTracer tracer;
        RecordingMessageBox boxes;
        CalculationState s;
        UiZustand ui;
        UserSettings settings;
        settings.gUserName = "Test";
        ConfigZustand config;
        TempFolder noDatabases;
        ProductDatabases databases(noDatabases.path());
        EngineContext e{s, ui, settings, boxes, databases};
        s.gPrimaerelementtyp = element::RQ25;
        NoWindow others;
        QtMessagesWindow messages(ui);
        DriverContext d{e, ui, config, DriverWindows{others, others, messages, others}};
        d.steps = DriverSteps{&nothing, &nothing, &warningZeta, &nothing, &nothing, &stoppingDp,
                              &nothing, &nothing, &nothing};
        RunCalculate(d);
        QVERIFY(messages.window() != nullptr);
        QCOMPARE(messages.window()->RichTextBox1()->toPlainText(),
                 QStringLiteral("Bitte wählen Sie eine Durchflusseinheit"));
        QVERIFY(!others.resultsShown);
    }
};

QTEST_MAIN(TestMessagesWindow)
#include "test_messages_window.moc"
