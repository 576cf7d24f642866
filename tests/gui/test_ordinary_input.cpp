// Ordinary typing mistakes and hard cases in the real main window: Calc! and
// the solver button end in a plain message (the messages window, or the box of
// an iteration), never in the error dialog, never in a results window, and the
// input boxes stay as typed. With the flow range on, the results and page 1
// show the design point's coefficient.
//
// The water orifice of support/ReferenceCases.h has C 0.605445 at its design
// point.
#include "gui/CalcRig.h"

#include "common/ResourceTexts.h"
#include "common/qt/CodeEvents.h"
#include "engine/qt/frmFehlerfile.h"
#include "mainwindow/qt/MainInputPages.h"
#include "reports/results_window/qt/frmResult.h"

#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <map>
#include <string>

using namespace morvane;
using namespace morvane::testing;

namespace {

void solverFor(CalcRig& rig, bool flowMode, const QString& knownDpMbar)
{
    MainInputPages& p = rig.pages();
    setCheckValue(p.Check4, 1);
    (flowMode ? p.Option18 : p.Option17)->click();
    p.Text37->setText(knownDpMbar);
}

// Every input box of the main window by name. The boxes are children of the
// window's tab pages, not of the pages object that names them.
std::map<QString, QString> boxTexts(QWidget& window)
{
    std::map<QString, QString> out;
    for (QLineEdit* box : window.findChildren<QLineEdit*>())
        if (!box->objectName().isEmpty())
            out[box->objectName()] = box->text();
    return out;
}

QString text(std::int32_t id, std::int32_t offset = OffsetGerman)
{
    return QString::fromStdString(resText(id, offset));
}

// A liquid of 900 kg/m³ and 1000 cP at 1000 kPa, 18 t/h through the orifice:
// Re 64, where the coefficient equation gives C 1.322.
void enterViscousLiquid(CalcRig& rig)
{
    enterOrifice(rig);
    MainInputPages& p = rig.pages();
    p.Option4->click();
    p.Text1->setText("900");
    p.Text7->setText("1000");
    p.Text16->setText("1000");
    p.Text18->setText("18");
    setListIndex(p.Combo8, 5);  // t/h
}

}  // namespace

class TestOrdinaryInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void endsInAPlainMessage_data()
    {
        using Enter = std::function<void(CalcRig&)>;
        QTest::addColumn<Enter>("enter");
        QTest::addColumn<bool>("solver");
        QTest::addColumn<QString>("message");  // what the messages window shows
        QTest::addColumn<QString>("box");      // the one message box, or none
        QTest::addColumn<int>("language");     // the offset the window is built in

        QTest::newRow("1 solver in flow mode with the known dp empty")
            << Enter([](CalcRig& r) { enterOrifice(r), solverFor(r, true, ""); }) << true << text(1956) << "" << 0;
        QTest::newRow("2 superheated steam at -100 kPa")
            << Enter([](CalcRig& r) {
                   enterOrifice(r);
                   setListIndex(r.pages().Combo1, 2);
                   r.pages().Text16->setText("-100");
                   r.pages().Text17->setText("200");
               })
            << false << text(1943) << "" << 0;
        QTest::newRow("3 ideal gas at -5 bar abs")
            << Enter([](CalcRig& r) {
                   enterAirOrifice(r);
                   r.pages().Text16->setText("-5");
                   setListIndex(r.pages().Combo9, 1);
               })
            << false << text(1943) << "" << 0;
        QTest::newRow("3 ideal gas at -300 °C")
            << Enter([](CalcRig& r) { enterAirOrifice(r), r.pages().Text17->setText("-300"); }) << false << text(1944)
            << "" << 0;
        QTest::newRow("4 orifice whose dp iteration does not converge")
            << Enter([](CalcRig& r) { enterAirOrifice(r); }) << false << text(1942) << "keine Konvergenz" << 0;
        QTest::newRow("4 orifice whose dp iteration does not converge, in English")
            << Enter([](CalcRig& r) { enterAirOrifice(r); }) << false << text(1942, OffsetEnglish) << "no convergence"
            << int(OffsetEnglish);
        QTest::newRow("4 bore typed 5O, refused by its label before the run")
            << Enter([](CalcRig& r) { enterAirOrifice(r), r.pages().Text10->setText("5O"); }) << false << QString()
            << text(1985).arg(QString::fromUtf8("Öffnungsdurchmesser"), QStringLiteral("5O")) << 0;
        QTest::newRow("5 bore larger than the pipe")
            << Enter([](CalcRig& r) { enterOrifice(r), r.pages().Text10->setText("150"); }) << false << text(1951)
            << "" << 0;
        QTest::newRow("6 solver on an orifice that does not converge, its message without the warning suffix")
            << Enter([](CalcRig& r) {
                   enterAirOrifice(r), solverFor(r, false, "500");
                   r.pages().Text18->setText("12000");
               })
            << true << text(1942) << "" << 0;
        QTest::newRow("6 solver, type 8 with the probe width empty")
            << Enter([](CalcRig& r) {
                   enterOrifice(r);
                   setListIndex(r.pages().Combo2, 8);
                   r.pages().Text10->setText("0,6");
                   r.pages().Text11->setText("");
                   solverFor(r, false, "50");
               })
            << true << text(1954) << "" << 0;
        QTest::newRow("6 solver in diameter mode with the known dp empty")
            << Enter([](CalcRig& r) { enterOrifice(r), solverFor(r, false, ""); }) << true << text(1956) << "" << 0;
        QTest::newRow("7 orifice in a rectangular duct")
            << Enter([](CalcRig& r) {
                   enterOrifice(r);
                   setCheckValue(r.pages().Check2, 1);
                   r.pages().Text8->setText("300");
                   r.pages().Text22->setText("200");
                   r.pages().Text10->setText("150");
               })
            << false << text(1952) << "" << 0;
        QTest::newRow("10 negative flow")
            << Enter([](CalcRig& r) { enterOrifice(r), r.pages().Text18->setText("-10"); }) << false << text(1945)
            << "" << 0;
        QTest::newRow("empty temperature in °C")
            << Enter([](CalcRig& r) { enterOrifice(r), r.pages().Text17->setText(""); }) << false << text(1990) << ""
            << 0;
        QTest::newRow("empty temperature in K, not taken as absolute zero")
            << Enter([](CalcRig& r) {
                   enterOrifice(r);
                   r.pages().Text17->setText("");
                   setListIndex(r.pages().Combo11, 1);
               })
            << false << text(1990) << "" << 0;
        QTest::newRow("10 negative viscosity")
            << Enter([](CalcRig& r) { enterAirOrifice(r), r.pages().Text7->setText("-0,0181"); }) << false
            << text(1948) << "" << 0;
        QTest::newRow("11 liquid dp at the line pressure: water through 5 mm")
            << Enter([](CalcRig& r) { enterOrifice(r), r.pages().Text10->setText("5"); }) << false
            << text(1963).arg("365734.7", "500") << "" << 0;
        QTest::newRow("11 the same in English")
            << Enter([](CalcRig& r) { enterOrifice(r), r.pages().Text10->setText("5"); }) << false
            << text(1963, OffsetEnglish).arg("365734.7", "500") << "" << int(OffsetEnglish);
        QTest::newRow("11 solver in bore mode, known dp of 2000 kPa at 500 kPa")
            << Enter([](CalcRig& r) { enterOrifice(r), solverFor(r, false, "20000"); }) << true << ""
            << "dp zu hoch gewählt" << 0;
        QTest::newRow("11 solver in bore mode, air at 200 kPa, known dp of 80 kPa")
            << Enter([](CalcRig& r) { enterAirOrifice(r), solverFor(r, false, "800"); }) << true << ""
            << "dp zu hoch gewählt" << 0;
        QTest::newRow("12 orifice at d 99.9 mm: C 6.151")
            << Enter([](CalcRig& r) {
                   enterOrifice(r);
                   r.pages().Text10->setText("99,9");
                   r.pages().Text16->setText("1000");
               })
            << false << text(1965).arg("6.151") << "" << 0;
        QTest::newRow("12 orifice at β 0.95: a loss below 0")
            << Enter([](CalcRig& r) {
                   enterOrifice(r);
                   r.pages().Text10->setText("95");
                   r.pages().Text16->setText("1000");
               })
            << false << text(1966).arg("-0.0602", "0.95") << "" << 0;
        QTest::newRow("12 solver in flow mode would accept a flow with C 1.322")
            << Enter([](CalcRig& r) { enterViscousLiquid(r), solverFor(r, true, "19,3185321078"); }) << true
            << text(1965).arg("1.3222") << "" << 0;
    }

    void endsInAPlainMessage()
    {
        QFETCH(std::function<void(CalcRig&)>, enter);
        QFETCH(bool, solver);
        QFETCH(QString, message);
        QFETCH(QString, box);
        QFETCH(int, language);
        CalcRig rig(language);
        QVERIFY(rig.exposed);
        enter(rig);
        const auto before = boxTexts(*rig.window);
        QVERIFY(before.count(QStringLiteral("Text18")) == 1 && before.count(QStringLiteral("Text10")) == 1 &&
                before.count(QStringLiteral("Text8")) == 1);
        QTest::mouseClick(solver ? rig.pages().Command3 : rig.pages().Command1(), Qt::LeftButton);

        QVERIFY2(rig.tracer.responder.reports.empty(), "no error dialog");
        QVERIFY(rig.window->resultsWindow()->window() == nullptr);
        frmFehlerfile* messages = rig.window->messagesWindow()->window();
        if (message.isEmpty()) {  // a refusal by its box alone
            QVERIFY(messages == nullptr);
        } else {
            QVERIFY(messages != nullptr);
            QCOMPARE(messages->RichTextBox1()->toPlainText(), message);
        }
        std::vector<std::string> boxes;
        for (const auto& m : rig.fakes.messages.shown)
            boxes.push_back(m.text);
        QCOMPARE(boxes, box.isEmpty() ? std::vector<std::string>{} : std::vector<std::string>{box.toStdString()});
        QVERIFY(boxTexts(*rig.window) == before);

        // With MORVANE_SCREENSHOT_DIR set, the two windows as the user sees
        // them, for looking at (never into the source tree).
        const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
        if (!folder.isEmpty() && messages != nullptr) {
            const QString name = QString::fromUtf8(QTest::currentDataTag()).replace(' ', '_');
            QVERIFY(QTest::qWaitForWindowExposed(messages));
            QVERIFY(messages->grab().save(QDir(folder).filePath(name + "_messages.png")));
            QVERIFY(rig.window->grab().save(QDir(folder).filePath(name + "_main.png")));
        }
    }

    // Calc! on an empty window lists every missing input, the temperature
    // among them (after the pressure, before the flow); a typed 0 °C is a
    // temperature and calculates.
    void emptyTemperatureIsListedAndZeroCalculates()
    {
        CalcRig rig;
        rig.clickCalc();
        frmFehlerfile* messages = rig.window->messagesWindow()->window();
        QVERIFY(messages != nullptr);
        const QStringList lines = messages->RichTextBox1()->toPlainText().split('\n');
        const qsizetype temperature = lines.indexOf(text(1990));
        QVERIFY2(temperature > 0, qPrintable(lines.join(" | ")));
        QCOMPARE(lines[temperature - 1], text(1308));
        QCOMPARE(lines[temperature + 1], text(1309));
        QVERIFY(rig.window->resultsWindow()->window() == nullptr);

        enterOrifice(rig);
        rig.pages().Text17->setText(QStringLiteral("0"));
        rig.clickCalc();
        QVERIFY(rig.tracer.responder.reports.empty());
        QVERIFY(rig.window->resultsWindow()->window() != nullptr);
        QCOMPARE(rig.state.calc.gTemperatur, 0.0);
    }

    // The solver's accepted value is announced with its unit (the flow unit
    // as the list names it, mm for a bore) and a colon before the text.
    void solverAnnouncesTheValueWithItsUnit_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("flowMode");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("flow, German") << 0 << true << R"(^\d+\.\d{1,3} kg/s: Wert übernommen \(dp-element\)$)";
        QTest::newRow("flow, English") << 10000 << true
                                       << R"(^\d+\.\d{1,3} kg/s: Value has been noted \(dp-element\)\.$)";
        QTest::newRow("bore, German") << 0 << false << R"(^\d+\.\d{1,3} mm: Wert übernommen \(dp-element\)$)";
        QTest::newRow("bore, English") << 10000 << false
                                       << R"(^\d+\.\d{1,3} mm: Value has been noted \(dp-element\)\.$)";
    }
    void solverAnnouncesTheValueWithItsUnit()
    {
        QFETCH(int, offset);
        QFETCH(bool, flowMode);
        QFETCH(QString, pattern);
        CalcRig rig(offset);
        enterOrifice(rig);
        solverFor(rig, flowMode, QStringLiteral("300"));
        QTest::mouseClick(rig.pages().Command3, Qt::LeftButton);
        QVERIFY(rig.tracer.responder.reports.empty());
        QCOMPARE(rig.fakes.messages.shown.size(), std::size_t(1));
        const QString box = QString::fromStdString(rig.fakes.messages.shown[0].text);
        QVERIFY2(QRegularExpression(pattern).match(box).hasMatch(), qPrintable(box));
        // With MORVANE_SCREENSHOT_DIR set, the text in a message box as the
        // program shows it, for looking at.
        const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QMessageBox shown(QMessageBox::NoIcon, QStringLiteral("morvane"), box, QMessageBox::Ok);
            shown.show();
            QVERIFY(shown.grab().save(QDir(folder).filePath(
                QString::fromUtf8(QTest::currentDataTag()).replace(' ', '_').remove(',') + "_solver.png")));
        }
    }

    // The critical temperature and pressure are shown only for the models
    // that use them: "n.a." for the ideal gas and the liquid, as on page 1.
    void criticalDataOnlyWhereTheModelUsesThem_data()
    {
        using Enter = std::function<void(CalcRig&)>;
        QTest::addColumn<int>("offset");
        QTest::addColumn<Enter>("enter");
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("pressure");
        const Enter idealGas = [](CalcRig& r) { enterAirOrifice(r), r.pages().Text18->setText("340"); };
        const Enter liquid = [](CalcRig& r) {
            enterOrifice(r);
            r.pages().Option4->click();
            r.pages().Text1->setText("998,2");
            r.pages().Text7->setText("1,0");
        };
        QTest::newRow("ideal gas") << 0 << idealGas << "n.a." << "n.a.";
        QTest::newRow("ideal gas, English") << 10000 << idealGas << "n.a." << "n.a.";
        QTest::newRow("liquid") << 0 << liquid << "n.a." << "n.a.";
        QTest::newRow("water from the list")
            << 0 << Enter([](CalcRig& r) { enterOrifice(r); }) << "374.000" << "22000.000";
    }
    void criticalDataOnlyWhereTheModelUsesThem()
    {
        QFETCH(int, offset);
        QFETCH(std::function<void(CalcRig&)>, enter);
        CalcRig rig(offset);
        enter(rig);
        // What the Redlich-Kwong boxes hold is no critical data of these models.
        rig.pages().Text3->setText(QStringLiteral("-140"));
        rig.pages().Text4->setText(QStringLiteral("3770"));
        rig.clickCalc();
        QVERIFY(rig.tracer.responder.reports.empty());
        frmResult* w = rig.window->resultsWindow()->window();
        QVERIFY(w != nullptr);
        QTEST(w->label("Label23")->text(), "temperature");
        QTEST(w->label("Label24")->text(), "pressure");
        const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QVERIFY(w->grab().save(QDir(folder).filePath(
                QString::fromUtf8(QTest::currentDataTag()).replace(' ', '_').remove(',') + "_results.png")));
    }

    // The box check above sees every box: an accepted solver value goes into
    // its own box, and into no other.
    void solverWritesOnlyTheAcceptedBox_data()
    {
        using Enter = std::function<void(CalcRig&)>;
        QTest::addColumn<Enter>("enter");
        QTest::addColumn<QString>("box");
        QTest::newRow("flow") << Enter([](CalcRig& r) { enterOrifice(r), solverFor(r, true, "300"); }) << "Text18";
        QTest::newRow("bore") << Enter([](CalcRig& r) { enterOrifice(r), solverFor(r, false, "300"); }) << "Text10";
    }
    void solverWritesOnlyTheAcceptedBox()
    {
        QFETCH(std::function<void(CalcRig&)>, enter);
        QFETCH(QString, box);
        CalcRig rig;
        enter(rig);
        const auto before = boxTexts(*rig.window);
        QTest::mouseClick(rig.pages().Command3, Qt::LeftButton);
        QVERIFY(rig.tracer.responder.reports.empty());
        auto after = boxTexts(*rig.window);
        QVERIFY(after.at(box) != before.at(box));
        after[box] = before.at(box);
        QVERIFY(after == before);
    }

    // The results and flow-limits windows of an earlier run stay open only
    // while they show what the state holds: a run that does not reach its
    // results (refused, stopped on a message) and a solver run, both of which
    // read the window anew, close them; a complete run refills them. Left
    // open, a print from them would put the new inputs beside the old results.
    void aRunWithoutResultsClosesTheEarlierResults_data()
    {
        using Enter = std::function<void(CalcRig&)>;
        QTest::addColumn<Enter>("enter");
        QTest::addColumn<bool>("solver");
        QTest::addColumn<bool>("open");  // the results window after the second run
        QTest::newRow("refused: bore larger than the pipe")
            << Enter([](CalcRig& r) { r.pages().Text10->setText("150"); }) << false << false;
        QTest::newRow("stopped on a message: steam below its saturation pressure")
            << Enter([](CalcRig& r) { setListIndex(r.pages().Combo1, 2); }) << false << false;
        QTest::newRow("solver, accepted") << Enter([](CalcRig& r) { solverFor(r, true, "300"); }) << true << false;
        QTest::newRow("solver, refused") << Enter([](CalcRig& r) { solverFor(r, true, ""); }) << true << false;
        QTest::newRow("complete") << Enter([](CalcRig& r) { r.pages().Text18->setText("12"); }) << false << true;
    }
    void aRunWithoutResultsClosesTheEarlierResults()
    {
        QFETCH(std::function<void(CalcRig&)>, enter);
        QFETCH(bool, solver);
        QFETCH(bool, open);
        CalcRig rig;
        enterOrifice(rig);
        rig.clickCalc();
        QtResultsWindow& results = *rig.window->resultsWindow();
        QVERIFY(results.window() != nullptr);
        QTest::mouseClick(results.window()->Command4(), Qt::LeftButton);
        QVERIFY(results.limitsWindow() != nullptr);

        enter(rig);
        QTest::mouseClick(solver ? rig.pages().Command3 : rig.pages().Command1(), Qt::LeftButton);
        QVERIFY(rig.tracer.responder.reports.empty());
        QCOMPARE(results.window() != nullptr, open);
        QCOMPARE(results.limitsWindow() != nullptr, open);
        if (open)
            QCOMPARE(results.window()->label("Label40")->text(), QStringLiteral("0.6051"));  // C at 12, not 10 kg/s
    }

    // With the flow range on (minimum 2 kg/s, whose own C is 0.6078), the
    // results window and page 1 show the design point's C, K and zeta.
    void flowRangeShowsTheDesignPointsCoefficient()
    {
        CalcRig rig;
        enterOrifice(rig);
        MainInputPages& p = rig.pages();
        setCheckValue(p.Check1, 1);
        p.Text19->setText("12");
        p.Text20->setText("8");
        p.Text21->setText("2");
        rig.clickCalc();
        QVERIFY(rig.tracer.responder.reports.empty());
        frmResult* w = rig.window->resultsWindow()->window();
        QVERIFY(w != nullptr);
        QCOMPARE(w->label("Label40")->text(), QStringLiteral("0.6054"));
        QCOMPARE(w->label("Label39")->text(), QStringLiteral("2.7280"));  // 1 / C²
        QTest::mouseClick(w->Command1(), Qt::LeftButton);
        bool printed = false;  // C of 0.6054446 with five decimals
        for (const auto& t : rig.printer.texts)
            printed = printed || (t.page == 1 && t.text == "0.60544");
        QVERIFY2(printed, "page 1 prints the design point's C");
    }

    // A liquid of 100 cP at 18 t/h through the reference orifice: Re 637, far
    // below the flange tappings' limit of use (1260·β²·D = 31500). Calc!
    // warns in the messages window, with the warning's suffix, and shows the
    // results; no error dialog.
    void outsideTheLimitsOfUseWarnsAndShowsTheResults()
    {
        CalcRig rig;
        enterViscousLiquid(rig);
        rig.pages().Text7->setText("100");
        rig.clickCalc();
        QVERIFY2(rig.tracer.responder.reports.empty(), "no error dialog");
        frmFehlerfile* messages = rig.window->messagesWindow()->window();
        QVERIFY(messages != nullptr);
        QCOMPARE(messages->RichTextBox1()->toPlainText(),
                 text(1903).arg(text(1905), "Re", "637", "31500") + ". Es ist mit Berechnungsfehlern zu rechnen");
        QVERIFY(rig.window->resultsWindow()->window() != nullptr);
        QVERIFY(rig.fakes.messages.shown.empty());

        const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QVERIFY(QTest::qWaitForWindowExposed(messages));
            QVERIFY(messages->grab().save(QDir(folder).filePath("limits_of_use_messages.png")));
            QVERIFY(rig.window->resultsWindow()->window()->grab().save(QDir(folder).filePath("limits_of_use_results.png")));
        }
    }
};

QTEST_MAIN(TestOrdinaryInput)
#include "test_ordinary_input.moc"
