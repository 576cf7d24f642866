// A typo in a number box is not read as another number: Calc!, the solver,
// Save and Save As stop before they act when a box that the current inputs use
// holds anything but one number ("2O" would read as 2), with a message that
// names the box by its label. Nothing is computed, written or changed.
#include "gui/CalcRig.h"

#include "mainwindow/qt/MainInputPages.h"
#include "engine/qt/frmFehlerfile.h"
#include "reports/results_window/qt/frmResult.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <functional>

using namespace morvane;
using namespace morvane::testing;

namespace {

struct Rig : CalcRig {
    explicit Rig(std::int32_t offset) : CalcRig(offset)
    {
        std::filesystem::create_directories(fakes.services.programFolder / "calculations");
        window->setFileDialogs(dialogs);
    }
    std::string saved() const { return (fakes.services.programFolder / "calculations" / "typo.mv5").string(); }
    InputControls controls() const
    {
        InputControls c;
        pages().toControls(c);
        return c;
    }
    ScriptedFileDialogs dialogs;
};

using Setup = std::function<void(MainInputPages&)>;

void redlichKwong(MainInputPages& p)
{
    p.Option3->click();
    p.Text3->setText("-140,5");
    p.Text4->setText("3770");
    p.Text5->setText("1,293");
    p.Text6->setText("0,0181");
    p.Text30->setText("1,4");
}
void otherProbe(MainInputPages& p)
{
    setListIndex(p.Combo2, 8);
    p.Text10->setText("0,7");
    p.Text11->setText("30");
}
void duct(MainInputPages& p)
{
    setListIndex(p.Combo2, 3);  // a probe: a duct is allowed
    setCheckValue(p.Check2, 1);
    p.Text22->setText("80");
}
void range(MainInputPages& p)
{
    setCheckValue(p.Check1, 1);
    p.Text19->setText("4000");
    p.Text20->setText("3400");
    p.Text21->setText("1000");
}
void knownDp(MainInputPages& p)
{
    setCheckValue(p.Check4, 1);
    p.Text37->setText("250");
}
void none(MainInputPages&) {}

struct BoxCase {
    const char* box;
    QLineEdit* MainInputPages::*widget;
    Setup setup;
    const char* german;
    const char* english;
};

// Every number box of the inputs, each where the inputs use it, and the label
// that names it.
const BoxCase kBoxes[] = {
    {"Text1", &MainInputPages::Text1, none, "Normdichte 0°C, 1013mbar", "Standard Density 0°C, 1013mbar"},
    {"Text2", &MainInputPages::Text2, none, "Kompressibilität", "Compressibility"},
    {"Text7", &MainInputPages::Text7, none, "Viskosität", "Viscosity"},
    {"Text29", &MainInputPages::Text29, none, "Isentropenkoeffizient", "Isentropic coefficient"},
    {"Text3", &MainInputPages::Text3, redlichKwong, "kritische Temperatur", "Critical Temperature"},
    {"Text4", &MainInputPages::Text4, redlichKwong, "kritischer Druck", "Critical Pressure"},
    {"Text5", &MainInputPages::Text5, redlichKwong, "Normdichte 0°C, 1013mbar", "Standard Density 0°C, 1013mbar"},
    {"Text6", &MainInputPages::Text6, redlichKwong, "Viskosität", "Viscosity"},
    {"Text30", &MainInputPages::Text30, redlichKwong, "Isentropenkoeffizient", "Isentropic coefficient"},
    {"Text10 bore", &MainInputPages::Text10, none, "Öffnungsdurchmesser", "Core Diameter"},
    {"Text10 K", &MainInputPages::Text10, otherProbe, "Durchflusszahl K", "Discharge coefficient"},
    {"Text11", &MainInputPages::Text11, otherProbe, "Sondenbreite", "Probe width"},
    {"Text15", &MainInputPages::Text15, none, "Korrektur-Faktor", "Correction-Factor"},
    {"Text8", &MainInputPages::Text8, none, "Innendurchmesser", "Inside diameter"},
    {"Text22", &MainInputPages::Text22, duct, "Kanal", "Channel"},
    {"Text9", &MainInputPages::Text9, none, "Wandstärke", "Wall thickness"},
    {"Text16", &MainInputPages::Text16, none, "Druck (absolut)", "Pressure (abs)"},
    {"Text17", &MainInputPages::Text17, none, "Temperatur", "Temperature"},
    {"Text18", &MainInputPages::Text18, none, "q ausl", "q design"},
    {"Text19", &MainInputPages::Text19, range, "q max", "q max"},
    {"Text20", &MainInputPages::Text20, range, "q norm", "q norm"},
    {"Text21", &MainInputPages::Text21, range, "q min", "q min"},
    {"Text37", &MainInputPages::Text37, knownDp, "dp bekannt", "known dp"},
};

QString messageFor(std::int32_t offset, const char* label, const char* typed)
{
    return offset == 0 ? QString::fromUtf8("Im Feld \"%1\" steht keine Zahl: \"%2\". Bitte geben Sie eine Zahl ein: "
                                           "Ziffern mit höchstens einem Komma oder Punkt, ein Minus davor ist erlaubt.")
                             .arg(QString::fromUtf8(label), QString::fromUtf8(typed))
                       : QString::fromUtf8("The box \"%1\" does not hold a number: \"%2\". Please enter a number: "
                                           "digits with at most one decimal point or comma, a minus in front if needed.")
                             .arg(QString::fromUtf8(label), QString::fromUtf8(typed));
}

}  // namespace

class TestNumberBoxes : public QObject {
    Q_OBJECT

private slots:
    void typoStopsCalcSaveAndSaveAs();
    void typoStopsTheSolver();
    void formsThatAreOneNumber();
    void formsThatAreNot();
    void boxesTheInputsDoNotUseAreNotChecked();
};

void TestNumberBoxes::typoStopsCalcSaveAndSaveAs()
{
    for (const std::int32_t offset : {0, 10000}) {
        Rig rig(offset);
        QVERIFY(rig.exposed);
        for (const BoxCase& c : kBoxes) {
            const QString name = QString::fromLatin1(c.box) + (offset == 0 ? " de" : " en");
            rig.window->mnuFileNew_Click();
            enterAirOrifice(rig);
            c.setup(rig.pages());
            (rig.pages().*c.widget)->setText(QStringLiteral("2O"));
            rig.fakes.messages.shown.clear();
            const ProgramState stateBefore = rig.state;
            const InputControls before = rig.controls();

            rig.clickCalc();
            QVERIFY2(rig.fakes.messages.shown.size() == 1, qPrintable(name));
            QCOMPARE(QString::fromStdString(rig.fakes.messages.shown[0].text),
                     messageFor(offset, offset == 0 ? c.german : c.english, "2O"));
            QVERIFY2(rig.window->resultsWindow()->window() == nullptr, qPrintable(name));
            QVERIFY2(rig.window->messagesWindow()->window() == nullptr, qPrintable(name));
            QVERIFY2(rig.controls() == before, qPrintable(name));
            QVERIFY2(rig.state.calc.gDurchflussAuslegung == stateBefore.calc.gDurchflussAuslegung, qPrintable(name));

            // Save and Save As: no dialog, no file, no name.
            rig.dialogs.saveAnswer = rig.saved();
            rig.window->mnuFileSave_Click();
            rig.window->mnuFileSaveAs_Click();
            QVERIFY2(rig.fakes.messages.shown.size() == 3, qPrintable(name));
            QVERIFY2(rig.dialogs.asked.empty(), qPrintable(name));
            QVERIFY2(!std::filesystem::exists(rig.saved()), qPrintable(name));
            QVERIFY2(rig.state.doc.gDateiname.empty(), qPrintable(name));
            QVERIFY2(rig.controls() == before, qPrintable(name));
        }
        QVERIFY(rig.tracer.responder.reports.empty());
    }
}

void TestNumberBoxes::typoStopsTheSolver()
{
    Rig rig(0);
    enterAirOrifice(rig);
    knownDp(rig.pages());
    rig.pages().Text37->setText(QStringLiteral("25O"));
    QVERIFY(rig.pages().Command3->isEnabled());
    const InputControls before = rig.controls();
    QTest::mouseClick(rig.pages().Command3, Qt::LeftButton);
    QCOMPARE(rig.fakes.messages.shown.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(rig.fakes.messages.shown[0].text), messageFor(0, "dp bekannt", "25O"));
    QVERIFY(rig.window->messagesWindow()->window() == nullptr);
    QVERIFY(rig.window->resultsWindow()->window() == nullptr);
    QVERIFY(rig.controls() == before);
}

// What users type and what the program itself writes into boxes: no message
// of its own, and Calc! reads the box as today.
void TestNumberBoxes::formsThatAreOneNumber()
{
    const struct {
        QLineEdit* MainInputPages::*widget;
        const char* text;
        double CalculationState::*field;
        double read;
    } cases[] = {
        {&MainInputPages::Text18, "3400", &CalculationState::gDurchflussAuslegung, 3400},
        {&MainInputPages::Text18, " 3400", &CalculationState::gDurchflussAuslegung, 3400},  // the Str form
        {&MainInputPages::Text18, "3 400,5", &CalculationState::gDurchflussAuslegung, 3400.5},
        {&MainInputPages::Text18, "12 345,6", &CalculationState::gDurchflussAuslegung, 12345.6},
        {&MainInputPages::Text18, "3400.", &CalculationState::gDurchflussAuslegung, 3400},
        {&MainInputPages::Text18, "-5", &CalculationState::gDurchflussAuslegung, -5},  // the sign check's own message
        {&MainInputPages::Text7, ",0181", &CalculationState::gViskositaetEingabe, 0.0181},
        {&MainInputPages::Text15, "1,0000", &CalculationState::gKorrekturFaktor, 1},
        {&MainInputPages::Text29, "1,4", &CalculationState::gIsentropenkoeffizientEingabe, 1.4},
        {&MainInputPages::Text17, "-0.3", &CalculationState::gTemperatur, -0.3},
        {&MainInputPages::Text17, "-,5", &CalculationState::gTemperatur, -0.5},
        {&MainInputPages::Text9, "", &CalculationState::gWandstaerke, 0},     // empty: as today
        {&MainInputPages::Text9, "   ", &CalculationState::gWandstaerke, 0},
    };
    Rig rig(0);
    for (const auto& c : cases) {
        rig.window->mnuFileNew_Click();
        enterAirOrifice(rig);
        (rig.pages().*c.widget)->setText(QString::fromUtf8(c.text));
        rig.state.calc.*c.field = 999;
        rig.fakes.messages.shown.clear();
        rig.clickCalc();
        for (const MessageRequest& m : rig.fakes.messages.shown)
            QVERIFY2(m.text.rfind("Im Feld", 0) != 0, c.text);
        QVERIFY2(rig.state.calc.*c.field == c.read, c.text);
    }
    QVERIFY(rig.tracer.responder.reports.empty());
}

void TestNumberBoxes::formsThatAreNot()
{
    const char* texts[] = {"2OO", "1.234,5", "2E5", "abc", "5-3", "--5", "+5", "-", ".", "1..2", "1,2,3", "2\t5", "20 kPa"};
    Rig rig(0);
    for (const char* text : texts) {
        rig.window->mnuFileNew_Click();
        enterAirOrifice(rig);
        rig.pages().Text16->setText(QString::fromUtf8(text));
        rig.fakes.messages.shown.clear();
        rig.clickCalc();
        QVERIFY2(rig.fakes.messages.shown.size() == 1, text);
        QCOMPARE(QString::fromStdString(rig.fakes.messages.shown[0].text), messageFor(0, "Druck (absolut)", text));
        QVERIFY2(rig.window->resultsWindow()->window() == nullptr, text);
    }
}

// A box that is greyed or hidden for the current inputs is not read for them:
// its text does not stop the run.
void TestNumberBoxes::boxesTheInputsDoNotUseAreNotChecked()
{
    const struct {
        const char* what;
        QLineEdit* MainInputPages::*widget;
    } cases[] = {
        {"Redlich-Kwong box with the ideal gas", &MainInputPages::Text3},
        {"range flow with the range off", &MainInputPages::Text19},
        {"duct side with a round pipe", &MainInputPages::Text22},
        {"known dp with the check box off", &MainInputPages::Text37},
        {"probe width of an orifice", &MainInputPages::Text11},
    };
    Rig rig(0);
    for (const auto& c : cases) {
        rig.window->mnuFileNew_Click();
        enterAirOrifice(rig);
        (rig.pages().*c.widget)->setText(QStringLiteral("2O"));
        rig.fakes.messages.shown.clear();
        rig.state.calc.gDurchflussAuslegung = 0;
        rig.clickCalc();
        for (const MessageRequest& m : rig.fakes.messages.shown)
            QVERIFY2(m.text.rfind("Im Feld", 0) != 0, c.what);
        QVERIFY2(rig.state.calc.gDurchflussAuslegung == 3400, c.what);  // the run read the window
    }
}

QTEST_MAIN(TestNumberBoxes)
#include "test_number_boxes.moc"
