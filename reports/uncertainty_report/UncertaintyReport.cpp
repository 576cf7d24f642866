#include "reports/uncertainty_report/UncertaintyReport.h"

#include "common/ResourceTexts.h"
#include "engine/DisplayUnits.h"
#include "engine/FormatPatterns.h"
#include "platform/RuntimeError.h"
#include "reports/logo/FittedText.h"
#include "reports/logo/HeaderSettings.h"
#include "reports/uncertainty_report/UncertaintyChart.h"
#include "tracing/Guard.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace morvane {

namespace {

// The literal texts of one protocol language; both pages share every position.
struct PageTexts {
    const char* procedure;
    const char* declaration;
    // The page's language, in which it takes its unit texts (resource ids +
    // this offset) whatever the window's language.
    std::int32_t textOffset;
    const char* calculatedBy;
    const char* companyTel;
    const char* companyFax;
    const char* userTel;
    const char* userFax;
    const char* orderLabel;
    const char* tagLabel;
    const char* projectLabel;
    const char* title;
    const char* axisCaption[2];
    const char* chartTitle[2];
    const char* labelA;
    const char* labelB;
    const char* labelC;
    const char* labelD;
    const char* labelE;
    const char* temperatureAndPressure;  // joins the two in the A and B labels
    const char* chart1Thresholds[3];
    const char* labelF;
    const char* labelG;
    const char* chart2Thresholds[3];
    const char* assumptionsHeading;
    const char* assumptions[3];
};

const PageTexts German{
    "DruckeDeutsch_p2",
    "Sub DruckeDeutsch_p2()",
    OffsetGerman,
    "Berechnung erstellt durch:",
    "Tel.: ",
    "Fax.: ",
    "Tel.-DW: ",
    "Fax.-DW: ",
    "Angebots-/Auftragsnr.: ",
    "Messstellennummer: ",
    "Kundenprojekt: ",
    "morvane 7 Unsicherheits- und Festigkeitsanalyse (\xC3\x9C" "berschlag)",
    {"Unsicherheit v.M.", "Unsicherheit v.M."},
    {"Messung mit einem dp-Messumformer", "Messung mit zwei dp-Messumformern (splitting range)"},
    "A - Erlaubter maximaler Durchfluss bei ",
    "B - Empfohlener maximaler Durchfluss bei ",
    "C - Auslegungspunkt ",
    "D - Empfohlener minimaler Durchfluss ",
    "E - M\xC3\xB6glicher minimaler Durchfluss ",
    " und ",
    {"1% Unsicherheit ab ", "2% Unsicherheit ab ", "5% Unsicherheit ab "},
    "F - Empfohlener minimaler Durchfluss bei Splitting Range ",
    "G - M\xC3\xB6glicher minimaler Durchfluss bei Splitting Range",
    {"1% Unsicherheit bei Splitting Range ab ", "2% Unsicherheit bei Splitting Range ab ",
     "5% Unsicherheit bei Splitting Range ab "},
    "Annahmen:",
    {"Korrekter Einbau mit ausreichend Einlaufstrecken gem. Einbau- und Betriebsanleitung. dp-Messumformer",
     "der Klasse 0,1%, Berechnungsunsicherheit der Dichte 0,1% (z.B. corvix). Anderer Messbereich oder",
     "h\xC3\xB6here Genauigkeit erforderlich? Bitte kontaktieren Sie unser Engineering!"},
};

const PageTexts English{
    "DruckeEnglish_p2",
    "Sub DruckeEnglish_p2()",
    OffsetEnglish,
    "Calculation done by:",
    "Phone: ",
    "Fax: ",
    "Phone-Ext: ",
    "Fax-Ext: ",
    "Quotation/Order number:",
    "TAG number: ",
    "Customer ref.: ",
    "morvane 7 uncertainty and stress calculation (rough estimation)",
    {"uncertainty (absolute)", "uncertainty (absolute)"},
    {"using one dp-transmitter", "measurement with two dp-transmitters (splitting range)"},
    "A - max possible flow @",
    "B - recommended max flow @",
    "C - design point ",
    "D - recommended min flow",
    "E - possible min flow",
    " and ",
    {"1% uncertainty from", "2% uncertainty from", "5% uncertainty from"},
    "F - recommended min flow using splitting range",
    "G - possible min flow",
    {"1% uncertainty from", "2% uncertainty from", "5% uncertainty from"},
    "requirements:",
    {"Correct installation with required straight in- and outlet. dp-transmitter class 0.1% or better.",
     "Density calculation uncertainty <0.1% (e.g. corvix). If you need a different accuracy or span,",
     "please contact our engineering!"},
};

// What a chart says when the design leaves no allowed flow (A = 0).
constexpr std::int32_t TextNoAllowedFlowRange = 1976;

// A dotted line: dots of one pixel, three pixels apart.
constexpr double DotTwips = 15.0;
constexpr double DotPitchTwips = 45.0;

// The printer as page 2 drives it: a font and a pen that persist from statement
// to statement, positions handed over in single precision.
class Page {
public:
    Page(PrintJob& job, char decimalSeparator) : sep(decimalSeparator), job_(job) {}

    std::int16_t W = 0;
    std::int16_t H = 0;
    // The decimal separator of the system's number settings.
    const char sep;

    // Up to two decimals, without a trailing separator ("150", "0.5",
    // "293.15"): the A and B labels' temperature and pressure.
    std::string upTo2(double v) const
    {
        std::string t = formatUpTo(v, 2);
        std::replace(t.begin(), t.end(), '.', sep);
        return t;
    }
    // A legend's flow: the same, but with 4 significant digits where two
    // decimals would show it as 0 or more than 1 % off ("0.002500").
    std::string flow(double v) const { return formatUpToNear(v, 2, sep); }

    // A page dimension rounded to a 32-bit integer and narrowed to 16 bits.
    static std::int16_t dimension(double twips)
    {
        if (!std::isfinite(twips) || std::fabs(twips) > 2147483647.0)
            raiseError(err::Overflow);
        const long v = std::lround(twips);
        if (v > 32767 || v < -32768)
            raiseError(err::Overflow);
        return static_cast<std::int16_t>(v);
    }

    double x(double fx) const { return fx * W; }
    double y(double fy) const { return fy * H; }

    void fontName(const char* name) { font_.name = name; job_.setFont(font_); }
    void bold(bool on) { font_.bold = on; job_.setFont(font_); }
    void italic(bool on) { font_.italic = on; job_.setFont(font_); }
    void underline(bool on) { font_.underline = on; job_.setFont(font_); }
    void size(double points) { font_.sizePoints = points; job_.setFont(font_); }

    // A text with its top-left corner at the fractions (fx, fy).
    void print(double fx, double fy, const std::string& text) { printAt(x(fx), fy, text); }
    void printAt(double xTwips, double fy, const std::string& text) { printTwips(xTwips, y(fy), text); }
    void printTwips(double xTwips, double yTwips, const std::string& text)
    {
        job_.text(static_cast<float>(xTwips), static_cast<float>(yTwips), text);
    }

    // A text of the user's or the customer's that ends before endFx (the next
    // column's start; 1: the printable edge), in a smaller size where it would
    // reach further.
    void printFitted(double fx, double fy, const std::string& text, double endFx, CutAt cut = CutAt::End)
    {
        const double room = (endFx - fx) * W - (endFx < 1.0 ? kColumnGapTwips : 0.0);
        const FittedText f = fitText(job_, font_, text, room, cut);
        print(fx, fy, f.text);
        job_.setFont(font_);
    }

    // Width and height of a text in the page's font at the given size and
    // weight; the font in force stays.
    std::pair<double, double> measure(const std::string& text, double points, bool isBold)
    {
        PrintFont f = font_;
        f.sizePoints = points;
        f.bold = isBold;
        job_.setFont(f);
        const std::pair<double, double> size{job_.textWidth(text), job_.lineHeight()};
        job_.setFont(font_);
        return size;
    }

    void lineWidth(std::int16_t pixels) { width_ = pixels; }
    void lineStyle(std::int16_t style) { style_ = style; }

    // A black line between two points in twips, with the pen's width and style.
    void line(double x1, double y1, double x2, double y2)
    {
        const double fx1 = static_cast<float>(x1), fy1 = static_cast<float>(y1);
        const double fx2 = static_cast<float>(x2), fy2 = static_cast<float>(y2);
        const double w = width_ * kTwipsPerPixel;
        if (style_ != 2) {
            job_.line(fx1, fy1, fx2, fy2, w);
            return;
        }
        const double length = std::hypot(fx2 - fx1, fy2 - fy1);
        if (length == 0.0) {
            job_.line(fx1, fy1, fx2, fy2, w);
            return;
        }
        const double ux = (fx2 - fx1) / length, uy = (fy2 - fy1) / length;
        for (double s = 0.0; s < length; s += DotPitchTwips) {
            const double e = std::min(s + DotTwips, length);
            job_.line(fx1 + ux * s, fy1 + uy * s, fx1 + ux * e, fy1 + uy * e, w);
        }
    }

private:
    PrintJob& job_;
    PrintFont font_;
    std::int16_t width_ = 1;
    std::int16_t style_ = 0;
};

using Steps = std::vector<std::function<void()>>;

// The unit texts in the page's language, whatever the language of the window.
std::string flowUnit(const ProgramState& st, const PageTexts& t)
{
    return unitText(FlowUnitTextBase, st.calc.gDurchflussEinheit, t.textOffset);
}

// From the font after the logo to the pen handed to the charts.
void addHeader(Steps& s, Page& p, const ProgramState& st, const PageTexts& t)
{
    const UserSettings& u = st.settings;
    const DokumentDaten& d = st.doc;
    s.push_back([&] { p.fontName("Arial"); });
    s.push_back([&] { p.italic(false); });
    s.push_back([&] { p.bold(false); });
    s.push_back([&] { p.size(9); });

    const struct {
        double y;
        std::function<std::string()> text;
    } right[] = {
        {0.11, [&] { return std::string(t.calculatedBy); }},
        {0.125, [&] { return u.gCompanyFirma1; }},
        {0.137, [&] { return printedSetting(u.gCompanyFirma2, t.textOffset == OffsetEnglish); }},
        {0.149, [&] { return printedSetting(u.gCompanyStrasse, t.textOffset == OffsetEnglish); }},
        {0.161, [&] { return townAndCountry(u.gCompanyPLZOrt, u.gCompanyLand); }},
        {0.173, [&] { return u.gCompanyStaat; }},
        {0.185, [&] { return t.companyTel + u.gCompanyTel; }},
        {0.197, [&] { return t.companyFax + u.gCompanyFax; }},
        {0.214, [&] { return u.gUserName; }},
        {0.226, [&] { return u.gUserAbteilung; }},
        {0.238, [&] { return t.userTel + u.gUserDurchwahl; }},
        {0.25, [&] { return t.userFax + u.gUserFax; }},
    };
    for (const auto& row : right)
        s.push_back([&p, row] { p.printFitted(0.715, row.y, row.text(), 1.0); });
    s.push_back([&] { p.size(7); });
    s.push_back([&] { p.printFitted(0.715, 0.27, d.gDatum, 1.0); });

    s.push_back([&] { p.bold(true); });
    s.push_back([&] { p.size(11); });
    // The customer's company, in its large size, stands beside the logo.
    auto besideLogo = [&] {
        return d.gLogoY < 0.12 * p.H && d.gLogoX > 0.28 * p.W && d.gLogoX < 0.715 * p.W ? static_cast<double>(d.gLogoX) / p.W : 0.715;
    };
    s.push_back([&, besideLogo] { p.printFitted(0.05, 0.09, d.gKundeFirma1, besideLogo()); });
    s.push_back([&, besideLogo] { p.printFitted(0.05, 0.105, d.gKundeFirma2, besideLogo()); });
    s.push_back([&] { p.bold(false); });
    s.push_back([&] { p.size(9); });
    s.push_back([&] { p.printFitted(0.05, 0.12, d.gKundeName, 0.715); });
    s.push_back([&] { p.printFitted(0.05, 0.135, d.gKundeStrasse, 0.715); });
    s.push_back([&] { p.printFitted(0.05, 0.15, d.gKundePLZOrt, 0.715); });
    s.push_back([&] { p.printFitted(0.05, 0.165, d.gKundeTelFax, 0.715); });
    s.push_back([&] { p.print(0.05, 0.205, t.orderLabel); });
    s.push_back([&] { p.printFitted(0.28, 0.205, d.gAuftragsnummer, 0.715); });
    s.push_back([&] { p.print(0.05, 0.22, t.tagLabel); });
    s.push_back([&] { p.printFitted(0.28, 0.22, d.gMessstellennummer, 0.715); });
    s.push_back([&] { p.print(0.05, 0.235, t.projectLabel); });
    s.push_back([&] { p.printFitted(0.28, 0.235, d.gKundenprojekt, 0.715); });
    s.push_back([&] { p.size(7); });
    s.push_back([&] { p.printFitted(0.05, 0.25, d.gDateiname, 0.715, CutAt::Start); });  // the name at its end

    s.push_back([&] { p.size(11); });
    s.push_back([&] { p.bold(true); });
    s.push_back([&] { p.print(0.05, 0.27, t.title); });
    s.push_back([&] { p.lineWidth(3); });
    s.push_back([&] { p.lineStyle(0); });
}

// One chart (1 or 2): laid out in one statement, which queues the drawing of
// each of its lines and texts as a statement of its own.
void addChart(Steps& s, Steps& queued, Page& p, const ProgramState& st, const PageTexts& t, int chart)
{
    s.push_back([&p, &st, &t, &queued, chart] {
        const CalculationState& c = st.calc;
        const bool two = chart == 2;
        const ChartFlows flows{c.gQmaxErlaubt,
                               c.gQmaxEmpfohlen,
                               c.gDurchflussAuslegung,
                               two ? c.gQminMoeglichSR : c.gQminMoeglich,
                               two ? c.gQminEmpfohlenSR : c.gQminEmpfohlen,
                               two ? c.gQUnsicherheit1SR : c.gQUnsicherheit1,
                               two ? c.gQUnsicherheit2SR : c.gQUnsicherheit2,
                               two ? c.gQUnsicherheit5SR : c.gQUnsicherheit5};
        const ChartWords words{t.axisCaption[chart - 1],
                               t.chartTitle[chart - 1],
                               two ? "G" : "E",
                               two ? "F" : "D",
                               flowUnit(st, t),
                               p.sep,
                               resText(TextNoAllowedFlowRange, t.textOffset)};
        const ChartDrawing d = drawChart(
            chart, flows, words, p.W, p.H,
            [&p](const std::string& text, double points, bool bold) { return p.measure(text, points, bold); });
        for (const ChartLine& l : d.lines)
            queued.push_back([&p, l] {
                p.lineWidth(l.widthPixels);
                p.lineStyle(l.dotted ? 2 : 0);
                p.line(l.x1, l.y1, l.x2, l.y2);
            });
        for (const ChartText& x : d.texts)
            queued.push_back([&p, x] {
                p.size(x.sizePoints);
                p.bold(x.bold);
                p.printTwips(x.x, x.y, x.text);
            });
    });
}

// A legend line: label at 0.05 W (ending before the value), the flow and its
// unit at 0.6 W.
void addLegendLine(Steps& s, Page& p, const ProgramState& st, const PageTexts& t, double y,
                   std::function<std::string()> label, const double* value)
{
    s.push_back([&p, y, label] { p.printFitted(0.05, y, label(), 0.6); });
    s.push_back([&p, &st, &t, y, value] { p.printFitted(0.6, y, p.flow(*value) + " " + flowUnit(st, t), 1.0); });
}

void addLegends(Steps& s, Page& p, const ProgramState& st, const PageTexts& t, int chart)
{
    const CalculationState& c = st.calc;
    s.push_back([&p] { p.bold(false); });
    s.push_back([&p] { p.size(9); });
    auto fixed = [](const char* text) { return [text] { return std::string(text); }; };
    if (chart == 1) {
        // The operating temperature in its display unit, the pressure in kPa
        // absolute.
        auto ab = [&st, &p, &t](const char* letter) {
            return [&st, &p, &t, letter] {
                const CalculationState& c = st.calc;
                const double temperature =
                    temperatureForDisplay(c.gTemperatur, c.gTemperaturEinheit).value_or(c.gTemperatur);
                return letter + p.upTo2(temperature) + " " +
                       unitText(TemperatureUnitTextBase, c.gTemperaturEinheit, t.textOffset) +
                       t.temperatureAndPressure + p.upTo2(c.gDruck) + " kPa";
            };
        };
        addLegendLine(s, p, st, t, 0.505, ab(t.labelA), &c.gQmaxErlaubt);
        addLegendLine(s, p, st, t, 0.52, ab(t.labelB), &c.gQmaxEmpfohlen);
        addLegendLine(s, p, st, t, 0.535, fixed(t.labelC), &c.gDurchflussAuslegung);
        addLegendLine(s, p, st, t, 0.55, fixed(t.labelD), &c.gQminEmpfohlen);
        addLegendLine(s, p, st, t, 0.565, fixed(t.labelE), &c.gQminMoeglich);
        addLegendLine(s, p, st, t, 0.58, fixed(t.chart1Thresholds[0]), &c.gQUnsicherheit1);
        addLegendLine(s, p, st, t, 0.595, fixed(t.chart1Thresholds[1]), &c.gQUnsicherheit2);
        addLegendLine(s, p, st, t, 0.61, fixed(t.chart1Thresholds[2]), &c.gQUnsicherheit5);
        return;
    }
    addLegendLine(s, p, st, t, 0.82, fixed(t.labelF), &c.gQminEmpfohlenSR);
    addLegendLine(s, p, st, t, 0.835, fixed(t.labelG), &c.gQminMoeglichSR);
    addLegendLine(s, p, st, t, 0.85, fixed(t.chart2Thresholds[0]), &c.gQUnsicherheit1SR);
    addLegendLine(s, p, st, t, 0.865, fixed(t.chart2Thresholds[1]), &c.gQUnsicherheit2SR);
    addLegendLine(s, p, st, t, 0.88, fixed(t.chart2Thresholds[2]), &c.gQUnsicherheit5SR);
}

void addAssumptions(Steps& s, Page& p, const PageTexts& t)
{
    s.push_back([&p] { p.bold(true); });
    s.push_back([&p] { p.underline(true); });
    s.push_back([&p, &t] { p.print(0.05, 0.9, t.assumptionsHeading); });
    s.push_back([&p] { p.bold(false); });
    s.push_back([&p] { p.underline(false); });
    const double ys[] = {0.92, 0.935, 0.95};
    for (int i = 0; i < 3; ++i)
        s.push_back([&p, &t, i, y = ys[i]] { p.print(0.05, y, t.assumptions[i]); });
}

void printPage(const PageTexts& t, PrintJob& job, ProgramState& st, const std::filesystem::path& programFolder,
               LogoHolder& logo, char decimalSeparator)
{
    Guard g("Module1", t.procedure, t.declaration);
    Page p(job, decimalSeparator);
    if (!g.step([&] { p.H = Page::dimension(job.pageHeight()); }))
        return;
    if (!g.step([&] { p.W = Page::dimension(job.pageWidth()); }))
        return;
    // Reads the logo parameters, loads the bitmap with errors ignored and
    // paints it, each part one statement of this page.
    if (!paintLogo(g, st.doc, programFolder, logo, job))
        return;
    Steps s, queued;
    addHeader(s, p, st, t);
    addChart(s, queued, p, st, t, 1);
    addLegends(s, p, st, t, 1);
    addChart(s, queued, p, st, t, 2);
    addLegends(s, p, st, t, 2);
    addAssumptions(s, p, t);
    for (const auto& statement : s) {
        if (!g.step(statement))
            return;
        // What the statement queued (a chart's lines and texts), each a
        // statement of its own.
        Steps now;
        now.swap(queued);
        for (const auto& next : now)
            if (!g.step(next))
                return;
    }
}

}  // namespace

void DruckeDeutsch_p2(PrintJob& job, ProgramState& state, const std::filesystem::path& programFolder,
                      LogoHolder& logo, char decimalSeparator)
{
    printPage(German, job, state, programFolder, logo, decimalSeparator);
}

void DruckeEnglish_p2(PrintJob& job, ProgramState& state, const std::filesystem::path& programFolder,
                      LogoHolder& logo, char decimalSeparator)
{
    printPage(English, job, state, programFolder, logo, decimalSeparator);
}

void DruckeSeite2(ProtocolLanguage language, PrintJob& job, ProgramState& state,
                  const std::filesystem::path& programFolder, LogoHolder& logo, char decimalSeparator)
{
    if (language == ProtocolLanguage::English)
        DruckeEnglish_p2(job, state, programFolder, logo, decimalSeparator);
    else
        DruckeDeutsch_p2(job, state, programFolder, logo, decimalSeparator);
}

}  // namespace morvane
