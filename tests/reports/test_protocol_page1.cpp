// Page 1 of the printed protocol through the recording printer: texts,
// positions (fractions of the page width W and height H), fonts, masks, the
// logo, page 2 and the end of the document.
#include "reports/protocol/ProtocolPage1.h"

#include "support/Fakes.h"
#include "support/ReferenceCases.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

namespace morvane {
namespace {

namespace fs = std::filesystem;
using testing::RecordingPrinter;

// Records the rectangle of every picture on top of the recording printer.
class PictureRecorder : public Printer {
public:
    struct Picture {
        std::string file;
        double x, y, w, h;
    };
    std::unique_ptr<PrintJob> startJob(const std::string& name, std::string& error) override
    {
        auto inner = rec.startJob(name, error);
        if (!inner)
            return nullptr;
        return std::make_unique<Job>(std::move(inner), pictures);
    }
    RecordingPrinter rec;
    std::vector<Picture> pictures;

private:
    class Job : public PrintJob {
    public:
        Job(std::unique_ptr<PrintJob> inner, std::vector<Picture>& pics) : in_(std::move(inner)), pics_(pics) {}
        double pageWidth() const override { return in_->pageWidth(); }
        double pageHeight() const override { return in_->pageHeight(); }
        void setFont(const PrintFont& f) override { in_->setFont(f); }
        double textWidth(const std::string& t) const override { return in_->textWidth(t); }
        double lineHeight() const override { return in_->lineHeight(); }
        void text(double x, double y, const std::string& t) override { in_->text(x, y, t); }
        void line(double a, double b, double c, double d, double w) override { in_->line(a, b, c, d, w); }
        bool picture(const std::string& f, const std::vector<unsigned char>& bytes, double x, double y, double w,
                     double h) override
        {
            pics_.push_back({f, x, y, w, h});
            return in_->picture(f, bytes, x, y, w, h);
        }
        void newPage() override { in_->newPage(); }
        bool endDoc() override { return in_->endDoc(); }
        std::string destination() const override { return in_->destination(); }
        bool isPdfFile() const override { return in_->isPdfFile(); }

    private:
        std::unique_ptr<PrintJob> in_;
        std::vector<Picture>& pics_;
    };
};

// The water orifice (support/ReferenceCases.h) with the kappa,
// pressure loss, company and customer that the page prints. The other results
// are as the engine leaves them; the page only formats what the state holds.
void fillReference(ProgramState& s)
{
    testing::fillWaterOrifice(s);
    auto& c = s.calc;
    c.gIsentropenkoeffizient = 1.3292647;
    c.gDruckverlust[0] = 24.5;
    s.settings.gCompanyFirma1 = "Kunde & Sohn";
    s.settings.gCompanyPLZOrt = "12345 Musterstadt";
    s.settings.gCompanyLand = "Germany";
    s.settings.gCompanyTel = "0123 4567";
    s.doc.gKundeFirma1 = "Stadtwerke";
}

class Page1 : public ::testing::Test {
protected:
    Page1() { fillReference(state); }

    Page1Printing printing()
    {
        Page1Printing p{printer, folder, logo, {}, {}};
        p.page2German = [this](Page2Context& ctx) {
            page2Calls.push_back("de");
            ctx.job.text(0, 0, "page 2");
        };
        p.page2English = [this](Page2Context&) { page2Calls.push_back("en"); };
        return p;
    }
    void printGerman()
    {
        auto p = printing();
        DruckeDeutsch(state, p);
    }
    void printEnglish()
    {
        auto p = printing();
        DruckeEnglisch(state, p);
    }

    double W() const { return printer.rec.pageWidthTwips; }
    double H() const { return printer.rec.pageHeightTwips; }
    // The texts printed at (fx W, fy H), in print order.
    std::vector<RecordingPrinter::Text> at(double fx, double fy) const
    {
        std::vector<RecordingPrinter::Text> found;
        for (const auto& t : printer.rec.texts)
            if (t.x == static_cast<float>(fx * W()) && t.y == static_cast<float>(fy * H()))
                found.push_back(t);
        return found;
    }
    std::string textAt(double fx, double fy) const
    {
        const auto f = at(fx, fy);
        return f.size() == 1 ? f[0].text : (f.empty() ? "<none>" : "<several>");
    }
    bool anyAtY(double fy, double fx) const { return !at(fx, fy).empty(); }

    testing::TestTracer tracer;
    testing::TempFolder temp;
    const fs::path& folder = temp.path();
    ProgramState state;
    PictureRecorder printer;
    LogoHolder logo;
    std::vector<std::string> page2Calls;
};

struct Item {
    double fx, fy;
    const char* german;
    const char* english;
};

// Header, title and labels of every section: the same place, each language's text.
const Item kItems[] = {
    {0.715, 0.11, "Berechnung erstellt durch:", "Calculation done by:"},
    {0.715, 0.125, "Kunde & Sohn", "Kunde & Sohn"},
    // The settings' German defaults print in English on the English page.
    {0.715, 0.137, "Bitte geben Sie", "Please enter"},
    {0.715, 0.149, "Ihre Benutzerdaten ein", "your user data"},
    {0.715, 0.161, "12345 Musterstadt Germany", "12345 Musterstadt Germany"},  // a blank between town and country
    {0.715, 0.185, "Tel.: 0123 4567", "Phone: 0123 4567"},
    {0.715, 0.197, "Fax.: ", "Fax: "},  // prefix without a value still printed
    {0.715, 0.214, "", ""},
    {0.715, 0.226, "please enter", "please enter"},
    {0.715, 0.238, "Tel.-DW: user-settings", "Phone-Ext: user-settings"},
    {0.715, 0.25, "Fax.-DW: ", "Fax-Ext: "},
    {0.715, 0.27, "10.12.2026 11:00:00", "10.12.2026 11:00:00"},
    {0.05, 0.09, "Stadtwerke", "Stadtwerke"},
    {0.05, 0.205, "Angebots-/Auftragsnr.: ", "Quotation/Order number:"},
    {0.28, 0.205, "A-77", "A-77"},
    {0.05, 0.22, "Messstellennummer: ", "TAG number: "},
    {0.05, 0.235, "Kundenprojekt: ", "Customer ref.: "},
    {0.05, 0.25, "", ""},  // never saved: an empty file-name line
    {0.05, 0.27, "morvane 7 Berechnungsprotokoll", "morvane 7 results"},
    // Medium data: water from the built-in list.
    {0.05, 0.30, "Mediumsdaten:", "fluid data:"},
    {0.28, 0.32, "Wasser", "water"},
    {0.28, 0.335, "IAPWS95", "IAPWS95"},
    {0.28, 0.35, "n.a.", "n.a."},  // the water step leaves the normal density 0
    {0.35, 0.35, "kg/Nm³", "kg/Nm³"},
    {0.28, 0.365, "998.3918", "998.3918"},
    {0.05, 0.38, "Isentropenkoeffizient", "isentropic coefficient"},
    {0.28, 0.38, "1.3293", "1.3293"},
    {0.73, 0.32, "1.0710", "1.0710"},
    {0.8, 0.32, "cP", "cP"},
    {0.73, 0.335, "n.a.", "n.a."},  // water has no compressibility factor
    {0.73, 0.35, "374.0", "374.0"},
    {0.73, 0.365, "22000.0", "22000.0"},
    {0.8, 0.365, "kPa", "kPa"},
    // Pipe and primary element data.
    {0.05, 0.40, "Rohrleitungsdaten", "pipe data"},
    {0.73, 0.42, "rund", "round"},
    {0.28, 0.42, "100.0", "100.0"},
    {0.35, 0.42, "mm", "mm"},
    {0.05, 0.435, "Innendurchmesser warm", "inside diameter @ process temp"},
    {0.28, 0.45, "3.60", "3.60"},
    {0.05, 0.47, "Primärelementdaten", "primary element data"},
    // The type name in two lines where it would reach the type code's label
    // (the recording printer's letters are 120 twips wide).
    {0.28, 0.485, "Blende mit", "orifice with flange"},
    {0.28, 0.5, "Flanschdruckentnahme", "tappings"},
    {0.5, 0.485, "Typenschlüssel:", "probe type code:"},
    {0.5, 0.5, "NONE", "NONE"},
    {0.05, 0.53, "Durchfl.zahl C (ISO)", "discharge coeff. C (ISO)"},
    {0.28, 0.53, "0.60544", "0.60544"},
    {0.28, 0.545, "0.5000", "0.5000"},
    {0.28, 0.56, "50.000", "50.000"},
    {0.28, 0.575, "1.00000", "1.00000"},
    // Remarks and process data.
    {0.05, 0.665, "Bemerkungen:", "notes:"},
    {0.05, 0.68, "", ""},
    {0.05, 0.72, "Prozessdaten:", "process data:"},
    {0.28, 0.72, "Auslegung", "design"},
    {0.28, 0.735, "500.000", "500.000"},
    {0.86, 0.735, "kPa", "kPa"},
    {0.28, 0.75, "20.0", "20.0"},
    {0.86, 0.75, "°C", "°C"},
    {0.05, 0.765, "Durchfluss", "Flow"},
    {0.28, 0.765, "10.00000", "10.00000"},
    {0.86, 0.765, "kg/s", "kg/s"},
    {0.28, 0.795, "1.19E+05", "1.19E+05"},  // mask "0,00E+00"
    {0.28, 0.81, "1.2753", "1.2753"},
    {0.86, 0.81, "m/s", "m/s"},
    {0.05, 0.825, "bleibender Druckverlust", "pressure loss"},
    {0.28, 0.825, "24.5000", "24.5000"},
    {0.28, 0.84, "33.2225", "33.2225"},
    {0.86, 0.84, "kPa", "kPa"},
    // Footer.
    {0.15, 0.87, "Noch Fragen?  Info Hotline +49 (0) 2999 6670-0", "Need assistance?  Info Hotline +49 (0) 2999 6670-0"},
    {0.31, 0.90, "www.halvern.example", "www.halvern.example"},
};

TEST_F(Page1, GermanAndEnglishPrintEveryItemAtTheSamePlace)
{
    printGerman();
    for (const auto& i : kItems)
        EXPECT_EQ(textAt(i.fx, i.fy), i.german) << "at " << i.fx << " W, " << i.fy << " H";
    printer.rec.texts.clear();
    printEnglish();
    for (const auto& i : kItems)
        EXPECT_EQ(textAt(i.fx, i.fy), i.english) << "at " << i.fx << " W, " << i.fy << " H";
    EXPECT_EQ(printer.rec.endedDocuments, 2);
    EXPECT_EQ(printer.rec.pageBreaks, 0) << "type 9 has no page 2";
    EXPECT_TRUE(tracer.responder.reports.empty());
}

// The town line of the header: town and country with one blank between them
// where both are filled, as the user wrote them otherwise.
TEST_F(Page1, TownAndCountryWithABlankBetween)
{
    const struct {
        const char* town;
        const char* country;
        const char* printed;
    } cases[] = {
        {"12345 Musterstadt", "Germany", "12345 Musterstadt Germany"},
        {"12345 Musterstadt", "", "12345 Musterstadt"},
        {"", "Germany", "Germany"},
        {"", "", ""},
        {"12345 Musterstadt ", "Germany", "12345 Musterstadt Germany"},  // the user's own blank, not doubled
        {"12345 Musterstadt", " (D)", "12345 Musterstadt (D)"},
    };
    for (const auto& c : cases) {
        state.settings.gCompanyPLZOrt = c.town;
        state.settings.gCompanyLand = c.country;
        printer.rec.texts.clear();
        printGerman();
        EXPECT_EQ(textAt(0.715, 0.161), c.printed) << c.town << '|' << c.country;
    }
}

TEST_F(Page1, FontsFollowTheLayout)
{
    printGerman();
    struct FontCase {
        double fx, fy, size;
        bool bold, underline;
    };
    const FontCase cases[] = {
        {0.715, 0.11, 9, false, false},  // header column: no underline yet
        {0.715, 0.27, 7, false, false},  // date
        {0.05, 0.09, 11, true, false},   // customer company
        {0.05, 0.12, 9, false, false},
        {0.05, 0.25, 7, false, false},   // file name
        {0.05, 0.27, 11, true, false},   // title
        {0.05, 0.30, 9, true, true},     // section headings
        {0.05, 0.32, 9, false, false},
        {0.05, 0.40, 9, true, true},
        {0.05, 0.47, 9, true, true},
        {0.05, 0.665, 9, true, true},
        {0.05, 0.72, 9, true, true},
        {0.28, 0.72, 9, true, false},    // design column head
        {0.28, 0.735, 9, false, false},
        {0.15, 0.87, 16, false, false},  // footer
        {0.31, 0.90, 16, false, false},
        {0.05, 0.93, 10, false, false},
    };
    for (const auto& c : cases) {
        const auto found = at(c.fx, c.fy);
        ASSERT_EQ(found.size(), 1u) << c.fx << ", " << c.fy;
        const PrintFont& f = found[0].font;
        EXPECT_EQ(f.name, "Arial");
        EXPECT_FALSE(f.italic);
        EXPECT_EQ(f.sizePoints, c.size) << c.fx << ", " << c.fy;
        EXPECT_EQ(f.bold, c.bold) << c.fx << ", " << c.fy;
        EXPECT_EQ(f.underline, c.underline) << c.fx << ", " << c.fy;
    }
    EXPECT_EQ(at(0.05, 0.93)[0].text.rfind("morvane 7 by halvern", 0), 0u);
}

struct MediumCase {
    const char* what;
    std::int16_t list, ideal, rk, liquid, medium;
    const char* name;
    const char* model;
    bool criticalRows;
    const char* critT;    // value at (0.73, 0.35)
    const char* isentropic;
};

TEST_F(Page1, MediumModelsChooseNameModelAndCriticalRows)
{
    const MediumCase cases[] = {
        {"list steam", -1, 0, 0, 0, 2, "überhitzter Dampf", "IAPWS95", true, "374.0", "1.3293"},
        {"list gas", -1, 0, 0, 0, 1, "Luft", "Kompressibilitaetstabellen", true, "374.0", "1.3293"},
        {"list without medium", -1, 0, 0, 0, 0, "", "Kompressibilitaetstabellen", true, "374.0", "1.3293"},
        {"ideal gas: no critical rows", 0, -1, 0, 0, 0, "Biogas", "ideales Gasgesetz", false, "", "1.3293"},
        {"Redlich-Kwong: its own name", 0, 0, -1, 0, 0, "RK-Gas", "Redlich-Kwong", true, "374.0", "1.3293"},
        {"liquid: n.a.", 0, 0, 0, -1, 0, "Biogas", "inkompressible Fluessigkeit", true, "n.a.", "n.a."},
        {"no model", 0, 0, 0, 0, 4, "", "", true, "374.0", "1.3293"},
        {"water: its fixed 1e9 is n.a.", -1, 0, 0, 0, 4, "Wasser", "IAPWS95", true, "374.0", "n.a."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state.calc.gModellGespeicherteDaten = c.list;
        state.calc.gModellIdealesGas = c.ideal;
        state.calc.gModellRedlichKwong = c.rk;
        state.calc.gModellFluessigkeit = c.liquid;
        state.calc.gMediumNr = c.medium;
        state.calc.gMediumsbezeichnung = "Biogas";
        state.calc.gMediumsbezeichnungRK = "RK-Gas";
        state.calc.gIsentropenkoeffizient = c.medium == 4 && c.list != 0 ? 1e9 : 1.3292647;
        printer.rec.texts.clear();
        printGerman();
        EXPECT_EQ(textAt(0.28, 0.32), c.name);
        EXPECT_EQ(textAt(0.28, 0.335), c.model);
        EXPECT_EQ(textAt(0.28, 0.38), c.isentropic);
        EXPECT_EQ(textAt(0.35, 0.38), "-");
        if (c.criticalRows) {
            EXPECT_EQ(textAt(0.5, 0.35), "kritische Temperatur");
            EXPECT_EQ(textAt(0.73, 0.35), c.critT);
            EXPECT_EQ(textAt(0.8, 0.35), "°C");
            EXPECT_EQ(textAt(0.5, 0.365), "kritischer Druck");
        } else {
            EXPECT_TRUE(at(0.5, 0.35).empty());
            EXPECT_TRUE(at(0.73, 0.365).empty());
            EXPECT_TRUE(at(0.8, 0.365).empty());
        }
    }
}

TEST_F(Page1, NormalDensityIsNotApplicableOnlyWhenExactlyZero)
{
    state.calc.gMediumNr = 1;  // air, a gas with a normal density
    state.calc.gNormdichte = -0.00004;  // rounds to zero but is not zero
    printGerman();
    EXPECT_EQ(textAt(0.28, 0.35), "-0.00004000");
}

// Which rows of the element section each type prints (label positions).
struct TypeCase {
    std::int16_t type;
    const char* name;
    bool zetaK, cRow, support, frequencies;
    const char* c;  // C (ISO) value
};

TEST_F(Page1, ElementTypeChoosesTheRows)
{
    state.calc.gCSonde = 0.8123;
    state.calc.gZeta = 1.25;
    const TypeCase cases[] = {
        {0, "", false, false, false, false, ""},
        {1, "pravio RQ8", false, true, false, false, "0.60544"},
        {2, "pravio RQ10M", true, true, false, false, "0.81230"},
        {3, "pravio RQ25", true, true, true, true, "0.81230"},
        {7, "pravio RQ50", true, true, true, true, "0.81230"},
        {8, "andere Sonde", true, true, true, false, "0.81230"},
        {9, "Blende mit Flanschdruckentnahme", false, true, false, false, "0.60544"},
        {10, "Blende mit D- und D/2-Druckentnahme", false, true, false, false, "0.60544"},
        {14, "Venturi mit bearbeitetem Einlauf", false, true, false, false, "0.60544"},
        {15, "Venturi aus geschweißtem, rauhem Stahlblech", false, true, false, false, "0.60544"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        state.calc.gPrimaerelementtyp = c.type;
        printer.rec.texts.clear();
        printGerman();
        // The name's cell: one line, or two where it is too long for one and
        // no zeta value stands below.
        const std::string name =
            textAt(0.28, 0.485) + (!c.zetaK && anyAtY(0.5, 0.28) ? " " + textAt(0.28, 0.5) : std::string());
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(anyAtY(0.5, 0.05), c.zetaK);
        EXPECT_EQ(anyAtY(0.515, 0.05), c.zetaK);
        EXPECT_EQ(anyAtY(0.53, 0.05), c.cRow);
        if (c.cRow) {
            EXPECT_EQ(textAt(0.28, 0.53), c.c);
        }
        EXPECT_EQ(anyAtY(0.62, 0.5), c.support);
        EXPECT_EQ(anyAtY(0.605, 0.05), c.frequencies);
        EXPECT_EQ(anyAtY(0.635, 0.05), c.frequencies);
        // These rows print for every type.
        EXPECT_EQ(textAt(0.05, 0.545), "Oeffnungsverh. d/D beta (ISO)");
        EXPECT_EQ(textAt(0.05, 0.575), "Korrektur-Faktor");
    }
}

TEST_F(Page1, OppositeSupportAndVibrationRows)
{
    state.calc.gPrimaerelementtyp = 5;
    state.calc.gEigenfrequenz = 210.04;
    state.calc.gEigenfrequenzGegenlager = 480.06;
    state.calc.gVortexfrequenz = 55.55;
    state.calc.gGegenlagerNotwendig = -1;
    state.calc.gSchwingungswarnung = -1;
    printGerman();
    EXPECT_EQ(textAt(0.715, 0.62), "nein");
    EXPECT_EQ(textAt(0.5, 0.605), "Gegenlager notwendig");
    EXPECT_EQ(textAt(0.715, 0.605), "ja");
    EXPECT_EQ(textAt(0.28, 0.605), "210.0");
    EXPECT_EQ(textAt(0.28, 0.62), "55.6");  // half away from zero
    EXPECT_EQ(textAt(0.28, 0.635), "Achtung Schwingungsproblem! Andere Sonde wählen");

    state.calc.gGegenlagerVorgesehen = 1;
    state.calc.gSchwingungswarnung = 0;
    printer.rec.texts.clear();
    printEnglish();
    EXPECT_EQ(textAt(0.715, 0.62), "yes");
    EXPECT_TRUE(at(0.5, 0.605).empty()) << "no 'necessary' row with a support configured";
    EXPECT_EQ(textAt(0.28, 0.605), "480.1");
    EXPECT_EQ(textAt(0.28, 0.635), "ok");
}

TEST_F(Page1, RectangularDuct)
{
    state.calc.gRohrRechteckig = 1;
    state.calc.gInnendurchmesser = 500.0;
    state.calc.gInnenmassB = 300.0;
    printEnglish();
    EXPECT_EQ(textAt(0.28, 0.42), "500.0x300.0");
    EXPECT_EQ(textAt(0.43, 0.42), "mm");
    EXPECT_TRUE(at(0.35, 0.42).empty());
    EXPECT_EQ(textAt(0.73, 0.42), "rectangular channel");
    EXPECT_EQ(textAt(0.05, 0.435), "subst. diameter process temp");
}

TEST_F(Page1, DisplayUnitsOfTheProcessRows)
{
    struct UnitCase {
        std::int16_t p, dp, t, flow;
        std::int32_t sprach;
        const char *pressure, *pUnit, *loss, *dpUnit, *temperature, *tUnit, *flowUnit;
    };
    state.calc.gDruck = 250.0;
    state.calc.gDruckverlust[0] = 1.0;
    state.calc.gDifferenzdruck[0] = 6.89476;
    const UnitCase cases[] = {
        {1, 1, 1, 1, 0, "2.500", "bar/abs", "0.0100", "bar", "293.2", "K", "Nm³/h"},
        {2, 2, 2, 0, 0, "250000.000", "Pa", "1000.0000", "Pa", "68.0", "°F", "Bitte klären"},
        // The German page of an English window: the unit texts of the page's language.
        {3, 3, 0, 0, 10000, "2500.000", "mbar/abs", "10.0000", "mbar", "20.0", "°C", "Bitte klären"},
        {4, 4, 0, 7, 0, "36.259", "psi", "0.1450", "psi", "20.0", "°C", "m³/s"},
        {0, 5, 0, 3, 0, "250.000", "kPa", "101.9716", "mmWs", "20.0", "°C", "kg/h"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pUnit);
        state.calc.gDruckEinheit = c.p;
        state.calc.gDpEinheit = c.dp;
        state.calc.gTemperaturEinheit = c.t;
        state.calc.gDurchflussEinheit = c.flow;
        state.ui.gSprachOffset = c.sprach;
        printer.rec.texts.clear();
        printGerman();
        EXPECT_EQ(textAt(0.28, 0.735), c.pressure);
        EXPECT_EQ(textAt(0.86, 0.735), c.pUnit);
        EXPECT_EQ(textAt(0.28, 0.825), c.loss);
        EXPECT_EQ(textAt(0.86, 0.825), c.dpUnit);
        EXPECT_EQ(textAt(0.86, 0.84), c.dpUnit);
        EXPECT_EQ(textAt(0.28, 0.75), c.temperature);
        EXPECT_EQ(textAt(0.86, 0.75), c.tUnit);
        EXPECT_EQ(textAt(0.86, 0.765), c.flowUnit);
    }
    // psi: 6.89476 kPa is one psi.
    state.calc.gDpEinheit = 4;
    printer.rec.texts.clear();
    printGerman();
    EXPECT_EQ(textAt(0.28, 0.84), "1.0000");
    // The English page of a German window: English unit texts.
    state.ui.gSprachOffset = 0;
    state.calc.gDurchflussEinheit = 0;
    printer.rec.texts.clear();
    printEnglish();
    EXPECT_EQ(textAt(0.86, 0.765), "Please clarify");
}

TEST_F(Page1, EnglishNamesOfTheListMedia)
{
    const std::pair<std::int16_t, const char*> media[] = {
        {2, "superheated steam"}, {5, "nitrogen"}, {6, "oxygen"}, {9, "hydrogen"}, {7, "carbon dioxide"}};
    for (const auto& [nr, name] : media) {
        state.calc.gMediumNr = nr;
        printer.rec.texts.clear();
        printEnglish();
        EXPECT_EQ(textAt(0.28, 0.32), name);
    }
}

// The water orifice's four operating points (support/ReferenceCases.h), the dp
// in mbar: each value under its column's heading.
TEST_F(Page1, OperatingPointColumns)
{
    testing::fillWaterOrificeRange(state);
    state.calc.gDpEinheit = 3;  // mbar
    printEnglish();
    EXPECT_EQ(textAt(0.28, 0.72), "design");
    EXPECT_EQ(textAt(0.40, 0.72), "max");
    EXPECT_EQ(textAt(0.52, 0.72), "norm");
    EXPECT_EQ(textAt(0.64, 0.72), "min");
    EXPECT_EQ(textAt(0.86, 0.72), "unit");
    EXPECT_TRUE(at(0.40, 0.72)[0].font.bold);
    EXPECT_EQ(textAt(0.40, 0.765), "12.00000");
    EXPECT_EQ(textAt(0.64, 0.765), "2.00000");
    EXPECT_EQ(textAt(0.28, 0.795), "1.19E+05");
    EXPECT_EQ(textAt(0.40, 0.795), "1.4266E+05");  // "0,0000E+00" beside the design's "0,00E+00"
    EXPECT_EQ(textAt(0.64, 0.795), "2.3777E+04");
    EXPECT_EQ(textAt(0.40, 0.84), "478.9153");
    EXPECT_EQ(textAt(0.64, 0.84), "13.0323");
}

TEST_F(Page1, OperatingPointRowsLeavePressureAndTemperatureOut)
{
    state.calc.gMehrereBetriebspunkte = 1;
    printGerman();
    for (double fx : {0.40, 0.52, 0.64}) {
        EXPECT_TRUE(at(fx, 0.735).empty());
        EXPECT_TRUE(at(fx, 0.75).empty());
        EXPECT_FALSE(at(fx, 0.84).empty());
    }
}

TEST_F(Page1, DesignPointOnlyWithoutTheSwitch)
{
    state.calc.gMehrereBetriebspunkte = 2;  // only exactly 1 asks for the points
    printGerman();
    for (double fx : {0.40, 0.52, 0.64})
        for (double fy : {0.72, 0.765, 0.84})
            EXPECT_TRUE(at(fx, fy).empty());
    EXPECT_TRUE(at(0.86, 0.72).empty());
    EXPECT_EQ(textAt(0.86, 0.78), "-");
}

TEST_F(Page1, UnknownDpUnitPrintsNoValue)
{
    state.calc.gDpEinheit = 6;
    state.calc.gDruckEinheit = 5;
    printGerman();
    EXPECT_TRUE(at(0.28, 0.735).empty());
    EXPECT_TRUE(at(0.28, 0.825).empty());
    EXPECT_TRUE(at(0.28, 0.84).empty());
}

TEST_F(Page1, PageTwoOnlyForProbesWithTheSwitchSet)
{
    struct Case {
        std::int16_t type, seite2;
        bool page2;
    };
    const Case cases[] = {{1, 1, false}, {2, 1, true}, {7, 1, true}, {7, 0, false}, {8, 1, false},
                          {0, 1, false}, {3, 2, false}, {-1, 1, false}, {15, 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        state.calc.gPrimaerelementtyp = c.type;
        state.doc.gDruckeSeite2 = c.seite2;
        printer.rec = RecordingPrinter{};
        page2Calls.clear();
        printGerman();
        EXPECT_EQ(printer.rec.pageBreaks, c.page2 ? 1 : 0);
        EXPECT_EQ(page2Calls, c.page2 ? std::vector<std::string>{"de"} : std::vector<std::string>{});
        EXPECT_EQ(printer.rec.endedDocuments, 1);
        if (c.page2) {
            // Page 2 draws on the new page, before the document ends.
            EXPECT_EQ(printer.rec.texts.back().text, "page 2");
            EXPECT_EQ(printer.rec.texts.back().page, 2);
        }
    }
    state.calc.gPrimaerelementtyp = 4;
    state.doc.gDruckeSeite2 = 1;
    page2Calls.clear();
    printEnglish();
    EXPECT_EQ(page2Calls, std::vector<std::string>{"en"});
}

// Page 2 gets the decimal separator that page 1 prints with.
TEST_F(Page1, PageTwoGetsTheDecimalSeparator)
{
    state.calc.gPrimaerelementtyp = 3;
    state.doc.gDruckeSeite2 = 1;
    auto p = printing();
    p.decimalSeparator = ',';
    char seen = 0;
    p.page2German = [&](Page2Context& ctx) { seen = ctx.decimalSeparator; };
    DruckeDeutsch(state, p);
    EXPECT_EQ(seen, ',');
    EXPECT_EQ(textAt(0.28, 0.735), "500,000");
}

TEST_F(Page1, RegistersWithTheTracer)
{
    printEnglish();
    bool found = false;
    for (const auto& line : tracer->colCallStack())
        found = found || line.find("[Module1] Sub DruckeEnglisch()") != std::string::npos;
    EXPECT_TRUE(found);
}

// A 24-bit BMP header of the given size.
std::string bmpHeader(int w, int h)
{
    std::string b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    for (int i = 0; i < 4; ++i) {
        b[18 + i] = static_cast<char>((w >> (8 * i)) & 0xFF);
        b[22 + i] = static_cast<char>((h >> (8 * i)) & 0xFF);
    }
    return b;
}

TEST_F(Page1, LogoFromTheParameterFile)
{
    // No Logo.dli and no default bitmap: the built-in picture at (7350, 400),
    // scaled down in its proportions to end above the header's right column
    // (11 % of the page height, less a gap) and inside the printable width.
    printGerman();
    ASSERT_EQ(printer.pictures.size(), 1u);
    EXPECT_EQ(printer.pictures[0].file, logo.pictureFile());
    EXPECT_EQ(printer.pictures[0].x, 7350);
    EXPECT_EQ(printer.pictures[0].y, 400);
    EXPECT_NEAR(printer.pictures[0].y + printer.pictures[0].h, 0.11 * H() - 60, 1e-6);
    EXPECT_LE(printer.pictures[0].x + printer.pictures[0].w, W());
    EXPECT_NEAR(printer.pictures[0].w / printer.pictures[0].h, 350.0 / 130.0, 1e-9);
    // On a page with room enough it keeps its own size.
    printer.rec.pageWidthTwips = 16838;
    printer.rec.pageHeightTwips = 23811;
    printGerman();
    EXPECT_EQ(printer.pictures[1].w, 350 * 15);
    EXPECT_EQ(printer.pictures[1].h, 130 * 15);
    printer.pictures.erase(printer.pictures.begin() + 1);
    printer.rec.pageWidthTwips = 11906;
    printer.rec.pageHeightTwips = 16838;

    std::ofstream(folder / "firma.bmp", std::ios::binary) << bmpHeader(100, 50);
    std::ofstream(folder / "Logo.dli", std::ios::binary) << "firma.bmp\r\n100\r\n200\r\n3000\r\n1500\r\n";
    printGerman();
    ASSERT_EQ(printer.pictures.size(), 2u);
    EXPECT_EQ(fs::path(printer.pictures[1].file), folder / "firma.bmp");
    EXPECT_EQ(printer.pictures[1].x, 100);
    EXPECT_EQ(printer.pictures[1].w, 3000);
    EXPECT_EQ(printer.pictures[1].h, 1500);

    // A width without a height: the bitmap's own size, 15 twips a pixel.
    std::ofstream(folder / "Logo.dli", std::ios::binary) << "firma.bmp\r\n100,200,500,0\r\n";
    printGerman();
    EXPECT_EQ(printer.pictures[2].w, 1500);
    EXPECT_EQ(printer.pictures[2].h, 750);

    // The bitmap removed: the holder prints the last logo it loaded, from the
    // picture it keeps.
    fs::remove(folder / "firma.bmp");
    printGerman();
    EXPECT_EQ(fs::path(printer.pictures[3].file), folder / "firma.bmp");
    EXPECT_EQ(printer.rec.pictureSizes.back(), bmpHeader(100, 50).size());
    EXPECT_TRUE(tracer.responder.reports.empty()) << "the failed load is silent";
}

TEST_F(Page1, NoPrinterGoesToTheErrorDialogAndEndsNoDocument)
{
    printer.rec.available = false;
    printGerman();
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, 482);
    EXPECT_EQ(printer.rec.endedDocuments, 0);
}

TEST(RemarkLines, OneItemALineAndDotsWhereMoreFollow)
{
    struct Case {
        const char* what;
        std::string remarks;
        std::size_t fit;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"empty", "", 3, {}},
        {"one line", "Prüfstand 3", 3, {"Prüfstand 3"}},
        {"CR LF, LF and CR", "eins\r\nzwei\ndrei", 3, {"eins", "zwei", "drei"}},
        {"an empty line inside stays, empty ones at the end go", "a\r\n\r\nb\r\n\r\n", 3, {"a", "", "b"}},
        {"one line too many", "a\r\nb\r\nc\r\nd", 3, {"a", "b", "c..."}},
        {"room for one", "a\r\nb", 1, {"a..."}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(remarkLines(c.remarks, c.fit), c.lines) << c.what;
}

TEST_F(Page1, RemarksLineByLineDownToTheProcessData)
{
    // 240-twip lines in the 0.04 H between 0.68 H and the process heading: two.
    state.doc.gBemerkungen = "erste Zeile\r\nzweite Zeile\r\ndritte Zeile";
    printGerman();
    const float x = static_cast<float>(0.05 * W());
    const float y = static_cast<float>(0.68 * H());
    std::vector<std::pair<double, std::string>> printed;
    for (const auto& t : printer.rec.texts)
        if (t.x == x && t.y >= y && t.y < 0.72 * H())
            printed.push_back({t.y - y, t.text});
    const std::vector<std::pair<double, std::string>> expected = {{0.0, "erste Zeile"},
                                                                  {240.0, "zweite Zeile..."}};
    EXPECT_EQ(printed, expected);

    // A line wider than the page is cut, and says so.
    printer.rec.texts.clear();
    state.doc.gBemerkungen = std::string(200, 'x');
    printGerman();
    const std::string cut = textAt(0.05, 0.68);
    EXPECT_LE(cut.size() * 120.0, 0.9 * W());  // the recording printer: 120 twips a character
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
}

TEST_F(Page1, StandInPdfFileIsAnnouncedAndACancelledQuestionPrintsNothing)
{
    testing::RecordingMessageBox messages;
    auto p = printing();
    p.messages = &messages;
    printer.rec.pdfFile = true;
    printer.rec.destinationText = "/home/engineer/morvane 7 Berechnungsprotokoll.pdf";
    DruckeDeutsch(state, p);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("/home/engineer/morvane 7 Berechnungsprotokoll.pdf"), std::string::npos);

    // No job and no reason: the user cancelled the question where to save.
    printer.rec.available = false;
    printer.rec.failure.clear();
    DruckeDeutsch(state, p);
    EXPECT_TRUE(tracer.responder.reports.empty());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(printer.rec.endedDocuments, 1);
}

TEST_F(Page1, NextAfterAFaultyValuePrintsOnWithoutIt)
{
    state.calc.gBetriebsdichte = std::numeric_limits<double>::quiet_NaN();
    tracer.responder.answers = {ContNext};
    printGerman();
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, 6);
    EXPECT_EQ(tracer.responder.reports[0].procedure, "DruckeDeutsch");
    EXPECT_TRUE(at(0.28, 0.365).empty()) << "no NaN on paper";
    EXPECT_EQ(textAt(0.35, 0.365), "kg/m³");
    EXPECT_EQ(printer.rec.endedDocuments, 1);
}

// A unit conversion that overflows is its row's error: going on with the next
// statement must leave that row's value cell empty, never print the value
// converted for the row above it.
TEST_F(Page1, NextAfterAFailedConversionLeavesOnlyThatCellEmpty)
{
    const struct {
        const char* shows;
        std::int16_t tempUnit, dpUnit;
        double temperature, dpLoss;
        double emptyFx, emptyFy;   // the cell of the failed conversion
        double otherFx, otherFy;   // a cell converted just before it
        const char* otherText;
    } rows[] = {
        {"temperature in degF overflows after the pressure row", 2, 0, 1e308, 24.5, 0.28, 0.75, 0.28, 0.735, "500.000"},
        {"dp of the design point in mmWs overflows after the pressure loss", 5, 5, 20.0, 24.5, 0.28, 0.84, 0.28, 0.825,
         "2498.3047"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.shows);
        printer.rec.texts.clear();
        tracer.responder.reports.clear();
        state.calc.gTemperaturEinheit = r.tempUnit;
        state.calc.gTemperatur = r.temperature;
        state.calc.gDpEinheit = r.dpUnit;
        state.calc.gDruckverlust[0] = r.dpLoss;
        state.calc.gDifferenzdruck[0] = r.dpUnit == 5 ? 1e307 : 33.222466;
        tracer.responder.answers = {ContNext};
        printGerman();
        ASSERT_EQ(tracer.responder.reports.size(), 1u);
        EXPECT_EQ(tracer.responder.reports[0].procedure, "DruckeDeutsch");
        EXPECT_TRUE(at(r.emptyFx, r.emptyFy).empty()) << textAt(r.emptyFx, r.emptyFy);
        EXPECT_EQ(textAt(r.otherFx, r.otherFy), r.otherText);
    }
}

TEST_F(Page1, PageTooHighForSixteenBitsIsOverflow)
{
    printer.rec.pageHeightTwips = 40000;
    printGerman();
    ASSERT_FALSE(tracer.responder.reports.empty());
    EXPECT_EQ(tracer.responder.reports[0].number, 6);
    EXPECT_EQ(printer.rec.endedDocuments, 0) << "leaving the page issues no end of document";
}

}  // namespace
}  // namespace morvane
