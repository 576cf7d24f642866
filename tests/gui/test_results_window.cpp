// The results window offscreen, filled from a state set by hand: the labels a
// user reads in the chosen display units, "n.a." and emptied rows, the
// captions in both languages, refilling an open window, and the print, close
// and flow-limits buttons.
//
// The state is the display-only orifice of support/ReferenceCases.h (values
// set by hand, not an engine result: the window only formats them). The unit
// texts and factors are those of the display unit lists: 1 bar = 100 kPa,
// 1 psi = 6.89476 kPa, 1 kPa = 101.97162 mmWs, K = °C + 273.15, °F = °C·1.8 + 32;
// the expected texts were rounded half up by hand (python3 decimal).
#include "reports/results_window/qt/ProtocolPages.h"
#include "reports/results_window/qt/frmResult.h"

#include "support/Fakes.h"
#include "support/ReferenceCases.h"
#include "gui/TextFits.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace morvane;
using namespace morvane::testing;

namespace {

// Records the order of dialog and printer calls.
struct PrintLog : PrinterDialog, ProtocolPrinter {
    PrintTarget ShowPrinter(const std::string& title) override
    {
        calls.push_back("dialog:" + title);
        return answer;
    }
    void setTarget(const PrintTarget& target) override { calls.push_back("target:" + target.name); }
    void DruckeDeutsch() override { calls.push_back("DruckeDeutsch"); }
    void DruckeEnglisch() override { calls.push_back("DruckeEnglisch"); }
    std::vector<std::string> calls;
    PrintTarget answer;
};

// The set-up every test shares: a tracer, the display-only orifice, a
// print log standing for the dialog and the printer, and the window over them.
// A test changes the state, then shows the window.
struct ResultsRig {
    ResultsRig() { fillDisplayOnlyOrifice(p); }
    frmResult* show()
    {
        results.show();
        return results.window();
    }
    TestTracer tracer;
    ProgramState p;
    PrintLog log;
    QtResultsWindow results{p, log, &log};
};

// The value labels of one operating point's column, from the expansion factor
// down.
struct ColumnCells {
    const char *expansion, *reynolds, *velocity, *loss, *dp;
};

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The trace holds the entry (behind its "hh:mm:ss " time stamp).
bool traced(ErrPtnr& t, const std::string& entry)
{
    for (const auto& e : t.colCallStack())
        if (e.size() > 9 && e.substr(9) == entry)
            return true;
    return false;
}

}  // namespace

class TestResultsWindow : public QObject {
    Q_OBJECT

    QString text(frmResult* w, const char* name) { return w->label(name)->text(); }
    // With MORVANE_SCREENSHOT_DIR set, the window as a PNG file of that name there.
    static void shot(QWidget* w, const QString& name)
    {
        const QByteArray dir = qgetenv("MORVANE_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            w->grab().save(QString::fromLocal8Bit(dir) + "/" + name);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup()
    {
        QLocale::setDefault(QLocale::c());
        flushDeletes();
    }

    void processValuesInDisplayUnits_data()
    {
        QTest::addColumn<int>("pUnit");
        QTest::addColumn<int>("dpUnit");
        QTest::addColumn<int>("tUnit");
        QTest::addColumn<QString>("pText");
        QTest::addColumn<QString>("pUnitText");
        QTest::addColumn<QString>("dpText");
        QTest::addColumn<QString>("dpUnitText");
        QTest::addColumn<QString>("tText");
        QTest::addColumn<QString>("tUnitText");
        QTest::newRow("state units") << 0 << 0 << 0 << "500.000" << "kPa" << "33.2225" << "kPa" << "20.0" << "°C";
        QTest::newRow("bar, kelvin") << 1 << 1 << 1 << "5.000" << "bar/abs" << "0.3322" << "bar" << "293.2" << "K";
        QTest::newRow("Pa, fahrenheit") << 2 << 2 << 2 << "500000.000" << "Pa" << "33222.4660" << "Pa" << "68.0" << "°F";
        QTest::newRow("mbar") << 3 << 3 << 0 << "5000.000" << "mbar/abs" << "332.2247" << "mbar" << "20.0" << "°C";
        QTest::newRow("psi") << 4 << 4 << 0 << "72.519" << "psi" << "4.8185" << "psi" << "20.0" << "°C";
        QTest::newRow("mm water column") << 0 << 5 << 0 << "500.000" << "kPa" << "3387.7487" << "mmWs" << "20.0" << "°C";
    }
    void processValuesInDisplayUnits()
    {
        QFETCH(int, pUnit);
        QFETCH(int, dpUnit);
        QFETCH(int, tUnit);
        ResultsRig rig;
        rig.p.calc.gDruckEinheit = static_cast<std::int16_t>(pUnit);
        rig.p.calc.gDpEinheit = static_cast<std::int16_t>(dpUnit);
        rig.p.calc.gTemperaturEinheit = static_cast<std::int16_t>(tUnit);
        frmResult* w = rig.show();
        QTEST(text(w, "Label79"), "pText");
        QTEST(text(w, "Label72"), "pUnitText");
        QTEST(text(w, "Label85"), "dpText");
        QTEST(text(w, "Label78"), "dpUnitText");
        QTEST(text(w, "Label77"), "dpUnitText");
        QTEST(text(w, "Label80"), "tText");
        QTEST(text(w, "Label73"), "tUnitText");
    }

    // The design column and the element rows of the reference case.
    void orificeReferenceCase()
    {
        ResultsRig rig;
        frmResult* w = rig.show();
        QCOMPARE(text(w, "Label81"), QStringLiteral("10.00"));
        QCOMPARE(text(w, "Label74"), QStringLiteral("kg/s"));
        QCOMPARE(text(w, "Label83"), QStringLiteral("1.19E+05"));
        QCOMPARE(text(w, "Label82"), QStringLiteral("1.0000"));
        QCOMPARE(text(w, "Label104"), QStringLiteral("1.28"));  // 1.2755 rounded half up
        QCOMPARE(text(w, "Label40"), QStringLiteral("0.6054"));
        QCOMPARE(text(w, "Label44"), QStringLiteral("0.5000"));
        QCOMPARE(text(w, "Label28"), QStringLiteral("Blende (Flanschentnahme)"));
        QCOMPARE(text(w, "Label30"), QStringLiteral("rund"));
        QCOMPARE(text(w, "Label32"), QStringLiteral("100.0"));
        QCOMPARE(text(w, "Label34"), QStringLiteral("Innendurchmesser warm"));
        QCOMPARE(text(w, "Label9"), QStringLiteral("998.200"));
        QCOMPARE(text(w, "Label62"), QStringLiteral("FT-101"));
        QCOMPARE(text(w, "Label110"), QStringLiteral("BL-9-100"));
        // Water from the medium list: steam tables, no compressibility, norm
        // density nor isentropic exponent.
        QCOMPARE(text(w, "Label6"), QStringLiteral("Wasser"));
        QCOMPARE(text(w, "Label7"), QStringLiteral("IAPWS-95"));
        QCOMPARE(text(w, "Label19"), QStringLiteral("n.a."));
        QCOMPARE(text(w, "Label8"), QStringLiteral("n.a."));
        QCOMPARE(text(w, "Label13"), QStringLiteral("n.a."));
        // An orifice has no vibration figures; the captions stand all the same.
        for (const char* name : {"Label113", "Label118", "Label121", "Label116", "Label123"})
            QCOMPARE(text(w, name), QString());
        QCOMPARE(text(w, "Label112"), QStringLiteral("Eigenfrequenz Sonde"));
        QCOMPARE(text(w, "Label120"), QStringLiteral("schwingende Länge"));
        QVERIFY(w->Check1()->isChecked());
        QVERIFY(!w->Command4()->isVisible());
        QVERIFY(w->isVisible());
    }

    // The regional settings' separator, also inside the duct's "x" form and
    // the exponent mask.
    void germanDecimalSeparator()
    {
        ResultsRig rig;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        rig.p.calc.gRohrRechteckig = 1;
        rig.p.calc.gInnendurchmesser = 300.0;
        rig.p.calc.gInnenmassB = 200.0;
        frmResult* w = rig.show();
        QCOMPARE(text(w, "Label85"), QStringLiteral("33,2225"));
        QCOMPARE(text(w, "Label83"), QStringLiteral("1,19E+05"));
        QCOMPARE(text(w, "Label32"), QStringLiteral("300,0x200,0"));
        QCOMPARE(text(w, "Label30"), QStringLiteral("rechteckig"));
        QCOMPARE(text(w, "Label34"), QStringLiteral("Ersatzinnendurchmesser warm"));
    }

    void mediumRowsByModel_data()
    {
        QTest::addColumn<int>("model");  // 0 list, 1 ideal gas, 2 Redlich-Kwong, 3 liquid
        QTest::addColumn<int>("mediumNr");
        QTest::addColumn<double>("kappa");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("z");
        QTest::addColumn<QString>("normDensity");
        QTest::addColumn<QString>("kappaText");
        QTest::newRow("saturated steam: steam tables, exponent below 10 shown")
            << 0 << 3 << 1.3246 << "Sattdampf" << "IAPWS-95" << "n.a." << "n.a." << "1.325";
        QTest::newRow("air: table data") << 0 << 1 << 1.4 << "Luft" << "gespeicherte Daten" << "0.998" << "1.293" << "1.400";
        QTest::newRow("ideal gas: the entered norm density")
            << 1 << 1 << 1.3 << "Biogas" << "ideales Gasgesetz" << "0.998" << "1.150" << "1.300";
        QTest::newRow("Redlich-Kwong: its own name and norm density")
            << 2 << 1 << 1.31 << "Ethan" << "Redlich-Kwong" << "0.998" << "1.356" << "1.310";
        QTest::newRow("liquid: the typed name, no gas figures")
            << 3 << 1 << 1e9 << "Biogas" << "inkompressible Flüssigkeit" << "n.a." << "n.a." << "n.a.";
        QTest::newRow("exponent of exactly 10 is n.a.") << 0 << 1 << 10.0 << "Luft" << "gespeicherte Daten" << "0.998"
                                                        << "1.293" << "n.a.";
        QTest::newRow("exponent just below 10 is shown") << 0 << 1 << 9.9996 << "Luft" << "gespeicherte Daten"
                                                         << "0.998" << "1.293" << "10.000";
    }
    void mediumRowsByModel()
    {
        QFETCH(int, model);
        QFETCH(int, mediumNr);
        QFETCH(double, kappa);
        ResultsRig rig;
        CalculationState& s = rig.p.calc;
        s.gModellGespeicherteDaten = model == 0 ? True : False;
        s.gModellIdealesGas = model == 1 ? True : False;
        s.gModellRedlichKwong = model == 2 ? True : False;
        s.gModellFluessigkeit = model == 3 ? True : False;
        s.gMediumNr = static_cast<std::int16_t>(mediumNr);
        s.gIsentropenkoeffizient = kappa;
        s.gKompressibilitaet = 0.9981;
        s.gNormdichte = 1.293;
        s.gDichteEingabe = 1.15;
        s.gNormdichteRK = 1.356;
        s.gMediumsbezeichnung = "Biogas";
        s.gMediumsbezeichnungRK = "Ethan";
        frmResult* w = rig.show();
        QTEST(text(w, "Label6"), "name");
        QTEST(text(w, "Label7"), "method");
        QTEST(text(w, "Label19"), "z");
        QTEST(text(w, "Label8"), "normDensity");
        QTEST(text(w, "Label13"), "kappaText");
    }

    // Flow range off: the eighteen labels of max, norm and min read "n.a."
    // whatever the arrays hold; on: the values.
    void flowRangeColumns()
    {
        ResultsRig rig;
        CalculationState& s = rig.p.calc;
        for (std::size_t i = 1; i < 4; ++i) {
            s.gDifferenzdruck[i] = 10.0 * static_cast<double>(i);
            s.gDruckverlust[i] = 1.0;
            s.gReynolds[i] = 5e4;
            s.gExpansionszahl[i] = 1.0;
            s.gGeschwindigkeit[i] = 0.5;
        }
        s.gDurchflussMax = 12.0;
        s.gDurchflussNorm = 8.0;
        s.gDurchflussMin = 2.5;
        const char* columns[] = {"Label86", "Label87", "Label88", "Label105", "Label89", "Label90",
                                 "Label91", "Label92", "Label93", "Label106", "Label94", "Label95",
                                 "Label96", "Label97", "Label98", "Label107", "Label99", "Label100"};
        frmResult* w = rig.show();
        for (const char* name : columns)
            QCOMPARE(text(w, name), QStringLiteral("n.a."));

        s.gMehrereBetriebspunkte = 1;
        s.gDpEinheit = 3;  // mbar
        rig.results.show();
        QCOMPARE(text(w, "Label86"), QStringLiteral("12.00"));
        QCOMPARE(text(w, "Label96"), QStringLiteral("2.50"));
        QCOMPARE(text(w, "Label90"), QStringLiteral("100.0000"));   // 10 kPa in mbar
        QCOMPARE(text(w, "Label100"), QStringLiteral("300.0000"));  // 30 kPa in mbar
        QCOMPARE(text(w, "Label93"), QStringLiteral("5.00E+04"));
        QCOMPARE(text(w, "Label107"), QStringLiteral("0.50"));
    }

    // A probe: the figures of the vibration check, the supported frequency
    // with an opposite support, the warning or a single blank.
    void probeVibrationRows_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("support");
        QTest::addColumn<int>("warning");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("warningText");
        QTest::newRow("RQ25 unsupported, no finding") << 3 << 0 << 0 << "45.3" << " ";
        QTest::newRow("RQ25 supported: four times the frequency") << 3 << 1 << 0 << "181.2" << " ";
        QTest::newRow("RQ50 with a finding") << 7 << 0 << -1 << "45.3" << "Achtung, Frequenzanregung";
        QTest::newRow("another make's probe shows the state") << 8 << 0 << 0 << "45.3" << " ";
        QTest::newRow("RQ8 has none") << 1 << 0 << -1 << "" << "";
    }
    void probeVibrationRows()
    {
        QFETCH(int, type);
        QFETCH(int, support);
        QFETCH(int, warning);
        ResultsRig rig;
        CalculationState& s = rig.p.calc;
        s.gPrimaerelementtyp = static_cast<std::int16_t>(type);
        s.gGegenlagerVorgesehen = static_cast<std::int16_t>(support);
        s.gSchwingungswarnung = static_cast<std::int16_t>(warning);
        s.gEigenfrequenz = 45.3;
        s.gEigenfrequenzGegenlager = 181.2;
        s.gVortexfrequenz = 12.04;
        s.gSondenlaenge = 250.0;
        s.gFrequenzverhaeltnis = 3.7625;
        frmResult* w = rig.show();
        QTEST(text(w, "Label113"), "frequency");
        QTEST(text(w, "Label123"), "warningText");
        const bool probe = type > 1 && type < 9;
        QCOMPARE(text(w, "Label118"), probe ? QStringLiteral("12.0") : QString());
        QCOMPARE(text(w, "Label121"), probe ? QStringLiteral("250.0") : QString());
        QCOMPARE(text(w, "Label116"), probe ? QStringLiteral("3.76") : QString());
        QCOMPARE(text(w, "Label115"), QStringLiteral("Sicherheit"));
    }

    void elementTypeTexts_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("expected");
        QTest::newRow("RQ8") << 1 << 0 << "RQ8";
        QTest::newRow("classical venturi, machined inlet") << 14 << 0 << "klass. Venturirohr m. bearb. Einl.";
        QTest::newRow("15: raw steel") << 15 << 0 << "klass. Venturirohr m. rauh. Stahlbl.";
        QTest::newRow("above 15: raw steel too") << 20 << 0 << "klass. Venturirohr m. rauh. Stahlbl.";
        QTest::newRow("15 in English") << 15 << 10000
                                       << "Class. venturi tube, rough-welded sheet-iron";
        QTest::newRow("orifice in English") << 9 << 10000 << "Orifice with flange tappings";
    }
    void elementTypeTexts()
    {
        QFETCH(int, type);
        QFETCH(int, offset);
        ResultsRig rig;
        rig.p.calc.gPrimaerelementtyp = static_cast<std::int16_t>(type);
        rig.p.ui.gSprachOffset = offset;
        rig.results.show();
        QTEST(text(rig.results.window(), "Label28"), "expected");
    }

    // The English window: every tagged caption from the English ids, the fixed
    // texts as designed, and no id left on screen.
    void englishCaptions()
    {
        ResultsRig rig;
        rig.p.ui.gSprachOffset = OffsetEnglish;
        frmResult* w = rig.show();
        QCOMPARE(w->windowTitle(), QStringLiteral("morvane results"));
        const std::pair<const char*, const char*> frames[] = {
            {"Frame1", "Fluid"}, {"Frame2", "dp-element"}, {"Frame3", "Flowdata"}, {"Frame4", "Design"},
            {"Frame5", "Max"},   {"Frame6", "Norm"},       {"Frame7", "Min"}};
        for (const auto& [name, title] : frames)
            QCOMPARE(w->findChild<QGroupBox*>(QString::fromLatin1(name))->title(), QString::fromLatin1(title));
        QCOMPARE(w->Command1()->text(), QStringLiteral("&Print German"));
        QCOMPARE(w->Command2()->text(), QStringLiteral("&Close"));
        QCOMPARE(w->Command3()->text(), QStringLiteral("Print &English"));
        QCOMPARE(w->Check1()->text(), QStringLiteral("print page 2"));
        QCOMPARE(text(w, "Label1"), QStringLiteral("morvane 7 Pro"));
        QCOMPARE(text(w, "Label17"), QStringLiteral("cP"));
        QCOMPARE(text(w, "Label5"), QStringLiteral("Density @ process conditions"));
        QCOMPARE(text(w, "Label7"), QStringLiteral("IAPWS-95"));
        QCOMPARE(text(w, "Label6"), QStringLiteral("Water"));
        QCOMPARE(text(w, "Label30"), QStringLiteral("round"));
        QCOMPARE(text(w, "Label34"), QStringLiteral("Inside diameter hot"));
        QCOMPARE(text(w, "Label112"), QStringLiteral("Probe frequency"));
        QCOMPARE(text(w, "Label92"), QStringLiteral("n.a."));
        // Visible labels never show a bare id.
        for (QLabel* l : w->findChildren<QLabel*>()) {
            if (!l->isVisibleTo(w))
                continue;
            bool isNumber = false;
            const int id = l->text().toInt(&isNumber);
            QVERIFY2(!isNumber || id < 1000, qPrintable(l->objectName() + " shows " + l->text()));
        }
        // The hidden rows stay hidden and unfilled.
        QVERIFY(!w->label("Label50")->isVisibleTo(w));
        QCOMPARE(text(w, "Label53"), QStringLiteral("Label53"));
    }

    // In both languages every caption fits its control, and every frame's
    // border passes above its rows, not through the first one.
    void layoutClearOfFramesAndClipping_data()
    {
        QTest::addColumn<int>("offset");
        QTest::newRow("de") << int(OffsetGerman);
        QTest::newRow("en") << int(OffsetEnglish);
    }
    void layoutClearOfFramesAndClipping()
    {
        QFETCH(int, offset);
        ResultsRig rig;
        rig.p.calc.gMehrereBetriebspunkte = 1;
        rig.p.ui.gSprachOffset = offset;
        frmResult* w = rig.show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY2(clippedTexts(w).isEmpty(), qPrintable(clippedTexts(w).join("; ")));
        for (QGroupBox* box : w->findChildren<QGroupBox*>()) {
            // The frame drawn alone: its top border is the first row whose
            // last quarter (clear of the caption) is neither the window's
            // background above the frame nor the frame's inside.
            QImage picture(box->size(), QImage::Format_RGB32);
            picture.fill(Qt::white);
            box->render(&picture, QPoint(), QRegion(), QWidget::RenderFlags());
            const QRgb inside = picture.pixel(box->width() / 2, box->height() / 2);
            const QRgb outside = picture.pixel(box->width() * 7 / 8, 0);
            int border = -1;
            for (int y = 0; y < box->height() / 2 && border < 0; ++y) {
                int drawn = 0;
                for (int x = box->width() * 3 / 4; x < box->width() - 8; ++x)
                    drawn += picture.pixel(x, y) != inside && picture.pixel(x, y) != outside;
                if (drawn > (box->width() / 4 - 8) * 8 / 10)
                    border = y;
            }
            QVERIFY2(border >= 0, qPrintable(box->objectName()));
            for (QLabel* l : box->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
                if (l->isVisibleTo(w))
                    QVERIFY2(l->geometry().top() > border,
                             qPrintable(QStringLiteral("%1 at %2 under the border of %3 at %4")
                                            .arg(l->objectName())
                                            .arg(l->geometry().top())
                                            .arg(box->objectName())
                                            .arg(border)));
        }
    }

    // Every element type in both languages, each with every medium of the
    // list and every other property model, a probe with its vibration
    // warning, a rectangular duct too: no text of the window is cut (a
    // wrapped second line of a classical venturi tube's name stood over the
    // next row, so did the liquid's model text over the standard density's
    // row, and a dp of 0.00000009946 bar) and none stands on another; the
    // unit texts go through their lists with the media. Beside the design
    // values, every numeric cell holds a value that is too small or too large
    // for its places, positive and negative (the German rows with the
    // decimal comma): each shows whole, and reads back as the value to 4
    // significant digits (the Reynolds number to its 3).
    void noTextCutOrOnAnotherForEveryElementType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("medium");    // 0 to 9 from the list, then ideal gas, Redlich-Kwong, liquid
        QTest::addColumn<double>("value");  // 0: the design values of the case
        const char* media[] = {"no medium", "air",     "superheated steam", "saturated steam", "water",
                               "nitrogen",  "oxygen",  "carbon dioxide",    "methane",         "hydrogen",
                               "ideal gas", "Redlich-Kwong", "liquid"};
        const std::pair<const char*, double> values[] = {
            {"tiny", 9.64321e-9}, {"large", 1.23456789e11}, {"tiny negative", -9.64321e-9},
            {"large negative", -1.23456789e11}};
        for (int type = 0; type <= 15; ++type)
            for (const int offset : {int(OffsetGerman), int(OffsetEnglish)}) {
                const char* language = offset == OffsetGerman ? "de" : "en";
                for (int medium = 0; medium < 13; ++medium)
                    QTest::addRow("type %d %s %s", type, language, media[medium]) << type << offset << medium << 0.0;
                for (const auto& [name, value] : values)  // air from the tables: every medium row holds a number
                    QTest::addRow("type %d %s %s", type, language, name) << type << offset << 1 << value;
            }
    }
    void noTextCutOrOnAnotherForEveryElementType()
    {
        QFETCH(int, type);
        QFETCH(int, offset);
        QFETCH(int, medium);
        QFETCH(double, value);
        if (offset == OffsetGerman)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        for (const std::int16_t rectangular : {std::int16_t(0), std::int16_t(1)}) {
            ResultsRig rig;
            CalculationState& c = rig.p.calc;
            c.gPrimaerelementtyp = static_cast<std::int16_t>(type);
            c.gRohrRechteckig = rectangular;
            c.gInnenmassB = 200.0;
            c.gMehrereBetriebspunkte = 1;
            c.gSchwingungswarnung = True;
            c.gModellGespeicherteDaten = medium < 10 ? True : False;
            c.gModellIdealesGas = medium == 10 ? True : False;
            c.gModellRedlichKwong = medium == 11 ? True : False;
            c.gModellFluessigkeit = medium == 12 ? True : False;
            c.gMediumNr = static_cast<std::int16_t>(medium < 10 ? medium : 0);
            c.gMediumsbezeichnung = medium == 12 ? "Hydrauliköl" : "Erdgas H";
            c.gMediumsbezeichnungRK = "Kohlenmonoxid";
            c.gNormdichte = c.gDichteEingabe = c.gNormdichteRK = 0.8;
            c.gKompressibilitaet = 0.998;
            if (value == 0.0) {
                c.gDruckEinheit = static_cast<std::int16_t>(medium % 5);
                c.gDpEinheit = static_cast<std::int16_t>(medium % 6);
                c.gTemperaturEinheit = static_cast<std::int16_t>(medium % 3);
                c.gDurchflussEinheit = static_cast<std::int16_t>(1 + medium % 7);
            }
            c.gEigenfrequenz = 110.9;
            c.gVortexfrequenz = 152.4;
            c.gSondenlaenge = 520.0;
            c.gFrequenzverhaeltnis = 0.73;
            // The numeric cells and what each shows (in the state's units:
            // kPa, kPa and °C are the display units of the case).
            std::vector<std::pair<const char*, double*>> cells;
            if (value != 0.0) {
                cells = {{"Label8", &c.gNormdichte},       {"Label9", &c.gBetriebsdichte},
                         {"Label16", &c.gViskositaet},     {"Label19", &c.gKompressibilitaet},
                         {"Label23", &c.gKritischeTemperatur}, {"Label24", &c.gKritischerDruck},
                         {"Label35", &c.gInnendurchmesserWarm}, {"Label39", &c.gZeta},
                         {"Label40", &c.gKZahl},           {"Label44", &c.gBeta},
                         {"Label109", &c.gKorrekturFaktor}, {"Label79", &c.gDruck},
                         {"Label80", &c.gTemperatur},      {"Label81", &c.gDurchflussAuslegung},
                         {"Label86", &c.gDurchflussMax},   {"Label91", &c.gDurchflussNorm},
                         {"Label96", &c.gDurchflussMin}};
                if (value < 10.0)  // 10 and more is "n.a."
                    cells.push_back({"Label13", &c.gIsentropenkoeffizient});
                if (type != 1)  // the meter run has no wall of the user's
                    cells.push_back({"Label47", &c.gWandstaerke});
                if (type > 1 && type < 9)
                    cells.insert(cells.end(), {{"Label113", &c.gEigenfrequenz},
                                               {"Label118", &c.gVortexfrequenz},
                                               {"Label121", &c.gSondenlaenge},
                                               {"Label116", &c.gFrequenzverhaeltnis}});
                const ColumnCells columns[] = {{"Label82", "Label83", "Label104", "Label84", "Label85"},
                                               {"Label87", "Label88", "Label105", "Label89", "Label90"},
                                               {"Label92", "Label93", "Label106", "Label94", "Label95"},
                                               {"Label97", "Label98", "Label107", "Label99", "Label100"}};
                for (std::size_t i = 0; i < 4; ++i)
                    cells.insert(cells.end(), {{columns[i].expansion, &c.gExpansionszahl[i]},
                                               {columns[i].reynolds, &c.gReynolds[i]},
                                               {columns[i].velocity, &c.gGeschwindigkeit[i]},
                                               {columns[i].loss, &c.gDruckverlust[i]},
                                               {columns[i].dp, &c.gDifferenzdruck[i]}});
                for (const auto& cell : cells)
                    *cell.second = value;
                // The input check refuses a negative pipe or duct side.
                c.gInnendurchmesser = std::abs(value);
                c.gInnenmassB = std::abs(value);
            }
            rig.p.ui.gSprachOffset = offset;
            frmResult* w = rig.show();
            const QString where = QStringLiteral("%1 duct: ").arg(rectangular ? "rectangular" : "round");
            const QStringList cut = wrappedTextsCut(w) + clippedTexts(w);
            QVERIFY2(cut.isEmpty(), qPrintable(where + cut.join("; ")));
            const QStringList on = overlappingLabels(w);
            QVERIFY2(on.isEmpty(), qPrintable(where + on.join("; ")));
            if (value != 0.0) {
                QStringList wrong;
                // Within half a unit of the last of `digits` significant digits.
                auto readsAs = [&](const QString& name, QString shown, double expected, int digits) {
                    bool ok = false;
                    const double read = shown.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
                    const double halfUnit = 0.5 * std::pow(10.0, std::floor(std::log10(std::abs(expected))) - digits + 1);
                    if (!ok || std::abs(read - expected) > halfUnit * (1 + 1e-9))
                        wrong << QStringLiteral("%1 \"%2\"").arg(name, shown);
                };
                for (const auto& cell : cells) {
                    const QString name = QString::fromLatin1(cell.first);
                    const bool reynolds = name == "Label83" || name == "Label88" || name == "Label93" ||
                                          name == "Label98";
                    readsAs(name, text(w, cell.first), value, reynolds ? 3 : 4);
                }
                const QStringList sides = text(w, "Label32").split(QLatin1Char('x'));
                QCOMPARE(sides.size(), rectangular ? 2 : 1);
                for (const QString& side : sides)
                    readsAs(QStringLiteral("Label32"), side, std::abs(value), 4);
                QVERIFY2(wrong.isEmpty(), qPrintable(where + wrong.join("; ")));
            }
            shot(w, QStringLiteral("results_type%1_%2_medium%3%4%5.png")
                        .arg(type)
                        .arg(offset == OffsetGerman ? "de" : "en")
                        .arg(medium)
                        .arg(rectangular ? "_duct" : "")
                        .arg(value == 0.0 ? QString() : QStringLiteral("_%1").arg(value, 0, 'g', 3)));
        }
    }

    // A duct's two sides that do not fit the value column run over the unit
    // column, in their fixed form where that fits, and "mm" stands behind
    // them; a round pipe shown next puts the unit back in its column.
    void ductSidesTooWideForTheirCell_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<QString>("sides");
        QTest::addColumn<bool>("moved");
        QTest::newRow("as designed") << 300.0 << 200.0 << "300.0x200.0" << false;
        QTest::newRow("a 12 m duct") << 12000.0 << 10000.0 << "12000.0x10000.0" << true;
        QTest::newRow("one side scientific") << 1234567890123.0 << 1000.0 << "1.235E+12x1000.0" << true;
        QTest::newRow("both scientific") << 0.00001234 << 123456789.0 << "1.234E-05x1.235E+08" << true;
    }
    void ductSidesTooWideForTheirCell()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(bool, moved);
        ResultsRig rig;
        rig.p.calc.gRohrRechteckig = 1;
        rig.p.calc.gInnendurchmesser = a;
        rig.p.calc.gInnenmassB = b;
        frmResult* w = rig.show();
        QTEST(text(w, "Label32"), "sides");
        const int unitColumn = w->label("Label36")->x();  // the "mm" of the row below
        QCOMPARE(w->label("Label33")->x() != unitColumn, moved);
        const QStringList cut = wrappedTextsCut(w) + overlappingLabels(w);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join("; ")));
        rig.p.calc.gRohrRechteckig = 0;
        rig.results.show();
        QCOMPARE(w->label("Label33")->x(), unitColumn);
        QCOMPARE(w->label("Label32")->width(), w->label("Label39")->width());
    }

    // A value that is not 0 never shows as 0: where a row's places would
    // round it to 0 it has 4 significant digits (with the user's separator).
    void smallValuesShowWithFourSignificantDigits()
    {
        ResultsRig rig;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        CalculationState& c = rig.p.calc;
        c.gDurchflussAuslegung = 0.000243153;  // "###0.00"
        c.gGeschwindigkeit[0] = 0.0030955;     // "###0.00"
        c.gDifferenzdruck[0] = 0.00001;        // "###0.0000", kPa
        c.gDruckverlust[0] = 0.0;              // a true 0 stays 0
        c.gBetriebsdichte = 0.00012;           // "###0.000"
        frmResult* w = rig.show();
        QCOMPARE(text(w, "Label81"), QStringLiteral("0,0002432"));
        QCOMPARE(text(w, "Label104"), QStringLiteral("0,003096"));
        QCOMPARE(text(w, "Label85"), QStringLiteral("0,00001000"));
        QCOMPARE(text(w, "Label84"), QStringLiteral("0,0000"));
        QCOMPARE(text(w, "Label9"), QStringLiteral("0,0001200"));
        QCOMPARE(text(w, "Label82"), QStringLiteral("1,0000"));  // the others as their pattern has them
    }

    // The RQ8 (type 1) is a whole meter run: its wall thickness is "n.a.",
    // whatever the hidden wall box held from an earlier probe; the probe
    // before it shows its wall.
    void meterRunShowsNoWallThickness()
    {
        ResultsRig rig;
        rig.p.calc.gPrimaerelementtyp = 5;
        rig.p.calc.gWandstaerke = 11.0;
        QCOMPARE(text(rig.show(), "Label47"), QStringLiteral("11.0"));
        rig.p.calc.gPrimaerelementtyp = 1;
        QCOMPARE(text(rig.show(), "Label47"), QStringLiteral("n.a."));
    }

    // The column frames (design, max, norm, min) stand at the top of the flow
    // data frame: their captions hide the flow data frame's border behind
    // them instead of being struck through by it.
    void columnCaptionsStandClearOfTheFlowFrameBorder()
    {
        ResultsRig rig;
        rig.p.calc.gMehrereBetriebspunkte = 1;
        frmResult* w = rig.show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        auto* frame3 = w->findChild<QGroupBox*>(QStringLiteral("Frame3"));
        auto* frame4 = w->findChild<QGroupBox*>(QStringLiteral("Frame4"));
        QVERIFY(frame3 && frame4);
        const QImage picture = frame3->grab().toImage();
        // The border's row: the first one drawn just left of the columns.
        const int probeX = frame4->x() - 8;
        const QRgb background = picture.pixel(probeX, 0);
        int border = -1;
        for (int y = 0; y < 20 && border < 0; ++y)
            if (picture.pixel(probeX, y) != background)
                border = y;
        QVERIFY(border >= 0);
        const QRgb line = picture.pixel(probeX, border);
        for (const char* name : {"Frame4", "Frame5", "Frame6", "Frame7"}) {
            auto* column = w->findChild<QGroupBox*>(QString::fromLatin1(name));
            const int from = column->x() + 8;
            const int to = from + column->fontMetrics().horizontalAdvance(column->title());
            int struck = 0;
            for (int x = from; x < to; ++x)
                struck += picture.pixel(x, border) == line;
            QVERIFY2(struck < (to - from) / 10,
                     qPrintable(QStringLiteral("%1 \"%2\": %3 of %4 pixels on the border's line")
                                    .arg(QLatin1String(name), column->title())
                                    .arg(struck)
                                    .arg(to - from)));
        }
    }

    // A show while the window is open refills it at once; Close unloads it and
    // the next show starts with the page-2 box ticked again.
    void refillAndReload()
    {
        ResultsRig rig;
        frmResult* first = rig.show();
        first->Check1()->setChecked(false);
        rig.p.calc.gDifferenzdruck[0] = 40.0;
        rig.p.calc.gDpEinheit = 5;
        rig.results.show();
        QCOMPARE(rig.results.window(), first);
        QCOMPARE(text(first, "Label85"), QStringLiteral("4078.8648"));  // 40 kPa in mmWs
        QCOMPARE(text(first, "Label78"), QStringLiteral("mmWs"));

        QTest::mouseClick(first->Command2(), Qt::LeftButton);
        flushDeletes();
        QVERIFY(rig.results.window() == nullptr);
        rig.results.show();
        QVERIFY(rig.results.window() != nullptr);
        QVERIFY(rig.results.window()->Check1()->isChecked());
    }

    // Each print copies the box into the page-2 switch, shows the dialog titled
    // in the window's language ("Print" in an English window; the German one is
    // "Drucken") and then runs the page-1 printer of the button's language.
    void printButtons()
    {
        ResultsRig rig;
        rig.p.ui.gSprachOffset = OffsetEnglish;
        frmResult* w = rig.show();
        QTest::mouseClick(w->Command1(), Qt::LeftButton);
        QCOMPARE(rig.p.doc.gDruckeSeite2, std::int16_t(1));
        w->Check1()->setChecked(false);
        QCOMPARE(rig.p.doc.gDruckeSeite2, std::int16_t(1));  // the box is read at the print
        QTest::mouseClick(w->Command3(), Qt::LeftButton);
        QCOMPARE(rig.p.doc.gDruckeSeite2, std::int16_t(0));
        const std::vector<std::string> expected = {"dialog:Print", "target:", "DruckeDeutsch", "dialog:Print",
                                                   "target:", "DruckeEnglisch"};
        QCOMPARE(rig.log.calls, expected);
        QVERIFY(w->isVisible());
    }

    // Through the protocol pages: a probe prints page 2 while the box is
    // ticked, and one page after the box was cleared; the dialog's answer does
    // not matter.
    void printsPageTwoByTheBox()
    {
        ResultsRig rig;
        CalculationState& s = rig.p.calc;
        s.gPrimaerelementtyp = 3;  // RQ25
        s.gQmaxErlaubt = 13.0;
        s.gQmaxEmpfohlen = 20.0;
        s.gQminEmpfohlen = 2.0;
        s.gQminMoeglich = 1.0;
        s.gQminEmpfohlenSR = 0.6;
        s.gQminMoeglichSR = 0.3;
        QTemporaryDir folder;
        RecordingPrinter printer;
        ProtocolPages pages(rig.p, printer, folder.path().toStdString());
        rig.results.setPrinter(&pages);
        frmResult* w = rig.show();
        QTest::mouseClick(w->Command1(), Qt::LeftButton);
        QCOMPARE(printer.endedDocuments, 1);
        QCOMPARE(printer.pageBreaks, 1);
        w->Check1()->setChecked(false);
        QTest::mouseClick(w->Command3(), Qt::LeftButton);
        QCOMPARE(printer.endedDocuments, 2);
        QCOMPARE(printer.pageBreaks, 1);
        QCOMPARE(printer.documents.size(), std::size_t(2));
        QCOMPARE(rig.log.calls, (std::vector<std::string>{"dialog:Drucken", "dialog:Drucken"}));
        QVERIFY(rig.tracer.responder.reports.empty());
    }

    // The hidden button's handler opens the one flow-limits window, which stays
    // when the results window closes.
    void flowLimitsButton()
    {
        ResultsRig rig;
        rig.results.show();
        rig.results.window()->Command4_Click();
        frmLimits* limits = rig.results.limitsWindow();
        QVERIFY(limits != nullptr && limits->isVisible());
        rig.results.window()->Command4_Click();
        QCOMPARE(rig.results.limitsWindow(), limits);
        QVERIFY(traced(*rig.tracer, "[frmResult] Private Sub Form_Load()"));
        QVERIFY(traced(*rig.tracer, "[frmResult] Private Sub Command4_Click()"));
        limits->Command1_Click();
        QVERIFY(traced(*rig.tracer, "[frmLimits] Private Sub Command1_Click()"));
        QCOMPARE(limits->valueLabel(1)->text(), QStringLiteral("10.000"));
        rig.results.window()->Command2_Click();
        flushDeletes();
        QVERIFY(rig.results.limitsWindow() != nullptr && limits->isVisible());
    }

    // A value the fill cannot format goes to the error dialog under Form_Load;
    // "go on" skips that one label, "leave" keeps the design texts of the rest.
    void fillErrorGoesByTheAnswer_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("viscosity");
        QTest::newRow("go on with the next label") << int(ContNext) << "1.002";
        QTest::newRow("leave the load") << int(ContExit) << "Label16";
    }
    void fillErrorGoesByTheAnswer()
    {
        QFETCH(int, answer);
        ResultsRig rig;
        rig.tracer.responder.answers.push_back(static_cast<std::int16_t>(answer));
        rig.p.calc.gBetriebsdichte = std::numeric_limits<double>::quiet_NaN();
        rig.p.calc.gViskositaet = 1.002;
        frmResult* w = rig.show();
        QCOMPARE(rig.tracer.responder.reports.size(), std::size_t(1));
        QCOMPARE(rig.tracer.responder.reports[0].module, std::string("frmResult"));
        QCOMPARE(rig.tracer.responder.reports[0].procedure, std::string("Form_Load"));
        QCOMPARE(rig.tracer.responder.reports[0].contBits, std::int16_t(255));
        QCOMPARE(text(w, "Label9"), QStringLiteral("Label9"));
        QTEST(text(w, "Label16"), "viscosity");
        QCOMPARE(text(w, "Label7"), QStringLiteral("IAPWS-95"));  // set before the error
    }

    // A temperature unit outside the list matches none of the conversions: the
    // value label keeps what it showed (its design text on the first fill).
    void temperatureUnitOutsideTheList()
    {
        ResultsRig rig;
        rig.p.calc.gTemperaturEinheit = 3;
        rig.results.show();
        QCOMPARE(text(rig.results.window(), "Label80"), QStringLiteral("Label80"));
        rig.p.calc.gTemperaturEinheit = 1;
        rig.results.show();
        QCOMPARE(text(rig.results.window(), "Label80"), QStringLiteral("293.2"));
        rig.p.calc.gTemperaturEinheit = 3;
        rig.results.show();
        QCOMPARE(text(rig.results.window(), "Label80"), QStringLiteral("293.2"));
        QVERIFY(rig.tracer.responder.reports.empty());
    }

    // The window opens with the focus on the German print button.
    void focusOnPrintGermanAtOpen()
    {
        ResultsRig rig;
        frmResult* w = rig.show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->Command1()));
    }
};

QTEST_MAIN(TestResultsWindow)
#include "test_results_window.moc"
