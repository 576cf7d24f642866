#include "reports/uncertainty_report/UncertaintyReport.h"

#include "common/ResourceTexts.h"
#include "engine/FormatPatterns.h"
#include "platform/RuntimeError.h"
#include "reports/logo/FittedText.h"
#include "reports/uncertainty_report/UncertaintyChart.h"
#include "tracing/Guard.h"

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
    "Berechnung erstellt durch:",
    "Tel.: ",
    "Fax.: ",
    "Tel.-DW:",
    "Fax.-DW: ",
    "Angebots-/Auftragsnr.: ",
    "Messstellennummer: ",
    "Kundenprojekt: ",
    "morvane 7 Unsicherheits- und Festigkeitsanalyse (\xC3\x9C" "berschlag)",
    {"Unsicherheit v.M.", "Unsicherheit v.M."},
    {"Messung mit einem dp-Messumformer", "Messung mit zwei dp-Messumformer (splitting range)"},
    "A - Erlaubter maximaler Durchfluss bei ",
    "B - Empfohlener maximaler Durchfluss bei ",
    "C - Auslegungspunkt ",
    "D - Empfohlener minimaler Durchfluss ",
    "E - M\xC3\xB6glicher minimaler Durchfluss ",
    {"1% Unsicherheit ab ", "2% Unsicherheit ab ", "5% Unsicherheit ab "},
    "F - Empfohlener minimaler Durchfluss bei Splitting Range ",
    "G - M\xC3\xB6glicher minimaler Durchfluss bei Splitting Range",
    {"1% Unsicherheit bei Slitting Range ab ", "2% Unsicherheit bei Splitting Range ab ",
     "5% Unsicherheit bei Splitting Range ab "},
    "Annahmen:",
    {"Korrekter Einbau mit ausreichend Einlaufstrecken gem. Einbau- und Betriebsanleitung. dp-Messumformer",
     "der Klasse 0,1%, Berechnungsunsicherheit der Dichte 0,1% (z.B. corvix). Anderer Messbereich oder",
     "h\xC3\xB6here Genauigkeit erforderlich? Bitte kontaktieren Sie unser Engineering!"},
};

const PageTexts English{
    "DruckeEnglish_p2",
    "Sub DruckeEnglish_p2()",
    "Calculation done by:",
    "Phone:",
    "Fax: ",
    "Phone-Ext:",
    "Fax-Ext: ",
    "Quotation/Order number:",
    "TAG number:",
    "Custgomer ref: ",
    "morvane 7 uncertaincy and stress calculation (rough estimation)",
    {"uncertainty (absolute)", "uncertainty abolute"},
    {"using one dp-transmitter", "measurement with two dp-transmitters (splitting range)"},
    "A - max possible flow @",
    "B - recommended max flow @",
    "C - design point ",
    "D - recommended min flow",
    "E - possible min flow",
    {"1% uncertainty from", "2% uncertainty from", "5% uncertainty from"},
    "F - recommended min flow using splitting range",
    "G - possible min flow",
    {"1% uncertainty from", "2% uncertainty from", "5% uncertainty from"},
    "requirements:",
    {"Correct installation with required straight in- and outlet. dp-transmitter class 0,1% or better.",
     "Density calculation uncertainy <0,1% (e.g. corvix). If you need a different accuracy or span,",
     "please contact our engineering!"},
};

constexpr double TwipsPerDevicePixel = 15.0;
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

    // "######0.00": at least one digit before the separator, two after it.
    std::string fixed2(double v) const { return formatFixed(v, 2, sep); }
    // "##.##" and "###.##": up to two decimals, the separator always printed.
    std::string hashMask2(double v) const
    {
        std::string t = formatHashMask(v, 2);
        for (char& ch : t)
            if (ch == '.')
                ch = sep;
        return t;
    }

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
    void printAt(double xTwips, double fy, const std::string& text)
    {
        job_.text(static_cast<float>(xTwips), static_cast<float>(y(fy)), text);
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

    // Measured in the font in force.
    double textWidth(const std::string& text) const { return job_.textWidth(text); }

    void lineWidth(std::int16_t pixels) { width_ = pixels; }
    void lineStyle(std::int16_t style) { style_ = style; }

    // A black line between two points in twips, with the pen's width and style.
    void line(double x1, double y1, double x2, double y2)
    {
        const double fx1 = static_cast<float>(x1), fy1 = static_cast<float>(y1);
        const double fx2 = static_cast<float>(x2), fy2 = static_cast<float>(y2);
        const double w = width_ * TwipsPerDevicePixel;
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

std::string flowUnit(const ProgramState& st)
{
    return resText(1180 + st.calc.gDurchflussEinheit, st.ui.gSprachOffset);
}

// The operating temperature in its display unit (K, °F from °C).
double displayTemperature(const ProgramState& st)
{
    switch (st.calc.gTemperaturEinheit) {
    case 1: return st.calc.gTemperatur + 273.15;
    case 2: return st.calc.gTemperatur * 1.8 + 32.0;
    default: return st.calc.gTemperatur;
    }
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
        {0.137, [&] { return u.gCompanyFirma2; }},
        {0.149, [&] { return u.gCompanyStrasse; }},
        {0.161, [&] { return u.gCompanyPLZOrt + u.gCompanyLand; }},
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

// The two labels below the flow axis (half the design flow, shown only when it
// lies beyond a fifth of S, and the design flow), placed so that they stay on
// the page and clear of each other; in the font in force.
struct FlowAxisLabels {
    std::string halfText, designText;
    AxisLabels at;
};
FlowAxisLabels flowAxisLabels(const Page& p, const ProgramState& st)
{
    const CalculationState& c = st.calc;
    FlowAxisLabels l;
    l.halfText = p.fixed2(c.gDurchflussAuslegung / 2.0) + flowUnit(st);
    l.designText = p.fixed2(c.gDurchflussAuslegung) + flowUnit(st);
    const double v = 0.5 * checkedDivide(c.gDurchflussAuslegung, c.gQmaxErlaubt);
    std::optional<double> half;
    if (v > 0.2)
        half = (0.1 + 0.7 * v) * p.W;
    l.at = placeAxisLabels(half, p.textWidth(l.halfText), MarkerFraction(c.gDurchflussAuslegung, c.gQmaxErlaubt) * p.W,
                           p.textWidth(l.designText), p.x(0.1), p.W, p.textWidth(" "));
    return l;
}

// Frame, scale and axis texts of one chart (1 or 2).
void addFrame(Steps& s, Page& p, const ProgramState& st, const PageTexts& t, int chart)
{
    const double o = chart == 2 ? 0.305 : 0.0;
    const double bottom = chart == 2 ? 0.81 : 0.5;
    const Grenzwerte& gw = st.calc;
    s.push_back([&p] { p.lineWidth(3); });
    s.push_back([&p] { p.lineStyle(0); });
    s.push_back([&p, o, bottom] { p.line(p.x(0.1), p.y(0.32 + o), p.x(0.1), p.y(bottom)); });
    s.push_back([&p, o] { p.line(p.x(0.1), p.y(0.32 + o), p.x(0.103), p.y(0.325 + o)); });
    s.push_back([&p, o] { p.line(p.x(0.1), p.y(0.32 + o), p.x(0.097), p.y(0.325 + o)); });
    s.push_back([&p, o] { p.line(p.x(0.09), p.y(0.413 + o), p.x(0.85), p.y(0.413 + o)); });
    s.push_back([&p, o] { p.line(p.x(0.85), p.y(0.413 + o), p.x(0.845), p.y(0.41 + o)); });
    s.push_back([&p, o] { p.line(p.x(0.85), p.y(0.413 + o), p.x(0.845), p.y(0.416 + o)); });
    s.push_back([&p] { p.size(7); });
    s.push_back([&p] { p.bold(false); });
    for (int i = 9; i >= 1; --i) {
        const double k = i / 10.0;
        s.push_back([&p, &st, &gw, k, i, o] {
            const double v = k * checkedDivide(st.calc.gDurchflussAuslegung, gw.gQmaxErlaubt);
            const double x = (0.1 + 0.7 * v) * p.W;
            if (i == 5)
                p.line(x, p.y(0.406 + o), x, p.y(0.42 + o));
            else
                p.line(x, p.y(0.41 + o), x, p.y(0.416 + o));
            if (i == 5 && v > 0.2) {
                const FlowAxisLabels l = flowAxisLabels(p, st);
                if (l.at.half)
                    p.printAt(*l.at.half, 0.415 + o, l.halfText);
            }
        });
    }
    const struct {
        double x, y;
        const char* text;
    } axis[] = {
        {0.075, 0.32, "abs"}, {0.11, 0.32, t.axisCaption[chart - 1]}, {0.08, 0.34, "5%"},
        {0.08, 0.382, "2%"},  {0.08, 0.396, "1%"},                    {0.075, 0.48, "-5%"},
        {0.075, 0.438, "-2%"}, {0.075, 0.424, "-1%"},
    };
    for (const auto& a : axis)
        s.push_back([&p, a, o] { p.print(a.x, a.y + o, a.text); });
    s.push_back([&p] { p.bold(true); });
    s.push_back([&p] { p.size(9); });
    s.push_back([&p, &t, chart, o] { p.print(0.3, 0.33 + o, t.chartTitle[chart - 1]); });
}

// An upper marker (line above the flow axis, letter on top) or a lower one.
void addMarker(Steps& s, Page& p, std::function<double()> flow, const Grenzwerte& gw, bool upper, const char* letter,
               double o)
{
    auto x = [&p, flow, &gw] { return MarkerFraction(flow(), gw.gQmaxErlaubt) * p.W; };
    if (upper) {
        s.push_back([&p, x, o] { p.line(x(), p.y(0.420 + o), x(), p.y(0.371 + o)); });
        s.push_back([&p, x, o, letter] { p.printAt(x() - p.x(0.003), 0.362 + o, letter); });
    } else {
        s.push_back([&p, x, o] { p.line(x(), p.y(0.406 + o), x(), p.y(0.455 + o)); });
        s.push_back([&p, x, o, letter] { p.printAt(x() - p.x(0.003), 0.457 + o, letter); });
    }
}

// Flow-point markers and the stepped uncertainty band of one chart.
void addBandsAndMarkers(Steps& s, Page& p, const ProgramState& st, int chart)
{
    const double o = chart == 2 ? 0.305 : 0.0;
    const CalculationState& c = st.calc;
    const double* q1 = chart == 2 ? &c.gQUnsicherheit1SR : &c.gQUnsicherheit1;
    const double* q2 = chart == 2 ? &c.gQUnsicherheit2SR : &c.gQUnsicherheit2;
    const double* q5 = chart == 2 ? &c.gQUnsicherheit5SR : &c.gQUnsicherheit5;
    const double* possible = chart == 2 ? &c.gQminMoeglichSR : &c.gQminMoeglich;
    const double* recommended = chart == 2 ? &c.gQminEmpfohlenSR : &c.gQminEmpfohlen;

    s.push_back([&p] { p.size(7); });
    s.push_back([&p, o] { p.line(p.x(0.79), p.y(0.420 + o), p.x(0.79), p.y(0.371 + o)); });
    s.push_back([&p, o] { p.print(0.787, 0.362 + o, "A"); });

    auto cx = [&p, &c] { return MarkerFraction(c.gDurchflussAuslegung, c.gQmaxErlaubt) * p.W; };
    s.push_back([&p, cx, o] { p.line(cx(), p.y(0.420 + o), cx(), p.y(0.371 + o)); });
    s.push_back([&p, &c, cx, o] {
        const double shift = DesignLetterMoved(c.gDurchflussAuslegung, c.gQmaxErlaubt) ? 0.013 : 0.003;
        p.printAt(cx() - p.x(shift), 0.362 + o, "C");
    });
    s.push_back([&p] { p.bold(false); });
    s.push_back([&p, &st, o] {
        const FlowAxisLabels l = flowAxisLabels(p, st);
        p.printAt(l.at.design, 0.415 + o, l.designText);
    });
    s.push_back([&p] { p.bold(true); });

    // B only when it differs from A; its two statements stand inside the test.
    s.push_back([&p, &c, o] {
        if (c.gQmaxEmpfohlen == c.gQmaxErlaubt)
            return;
        const double x = MarkerFraction(c.gQmaxEmpfohlen, c.gQmaxErlaubt) * p.W;
        p.line(x, p.y(0.406 + o), x, p.y(0.455 + o));
    });
    s.push_back([&p, &c, o] {
        if (c.gQmaxEmpfohlen == c.gQmaxErlaubt)
            return;
        const double x = MarkerFraction(c.gQmaxEmpfohlen, c.gQmaxErlaubt) * p.W;
        p.printAt(x - p.x(0.003), 0.457 + o, "B");
    });

    addMarker(s, p, [possible] { return *possible; }, c, true, chart == 2 ? "G" : "E", o);
    addMarker(s, p, [recommended] { return *recommended; }, c, false, chart == 2 ? "F" : "D", o);

    auto X = [&p, &c](double q) { return DiagrammX(q, c.gQmaxErlaubt, p.W); };
    auto Y = [&p, chart](double u) { return UnsicherheitY(u, chart, p.H); };

    // Step 1: +-1 % from Q1 to the right end 0.795 W.
    s.push_back([&p, &c, q1, X, Y] {
        if (!(*q1 < c.gQmaxErlaubt))
            return;
        const double R = p.x(0.795), L = X(*q1);
        p.line(R, Y(1), L, Y(1));
        p.line(R, Y(-1), L, Y(-1));
        p.line(L, Y(1), L, Y(2));
        p.line(L, Y(-1), L, Y(-2));
    });
    // Step 2: +-2 % from Q2 up to Q1.
    s.push_back([&p, &c, q1, q2, X, Y] {
        if (!(*q2 < c.gQmaxErlaubt))
            return;
        const double R = *q1 <= c.gQmaxErlaubt ? X(*q1) : p.x(0.795), L = X(*q2);
        p.line(R, Y(2), L, Y(2));
        p.line(R, Y(-2), L, Y(-2));
        p.line(L, Y(2), L, Y(5));
        p.line(L, Y(-2), L, Y(-5));
    });
    // Step 3: +-5 % from Q5 up to Q2, with dotted end ticks at Q5.
    s.push_back([&p, &c, q2, q5, X, Y] {
        if (!(*q2 < c.gQmaxErlaubt))
            return;
        const double R = X(*q2), L = X(*q5);
        p.line(R, Y(5), L, Y(5));
        p.line(R, Y(-5), L, Y(-5));
        p.lineStyle(2);
        p.lineWidth(1);
        p.line(L, Y(5), L, Y(5) - p.y(0.010));
        p.line(L, Y(-5), L, Y(-5) + p.y(0.010));
        p.lineStyle(0);
        p.lineWidth(3);
    });
}

// A legend line: label at 0.05 W, the flow and its unit at 0.6 W.
void addLegendLine(Steps& s, Page& p, const ProgramState& st, double y, std::function<std::string()> label,
                   const double* value)
{
    s.push_back([&p, y, label] { p.print(0.05, y, label()); });
    s.push_back([&p, &st, y, value] { p.print(0.6, y, p.hashMask2(*value) + flowUnit(st)); });
}

void addLegends(Steps& s, Page& p, const ProgramState& st, const PageTexts& t, int chart)
{
    const CalculationState& c = st.calc;
    s.push_back([&p] { p.bold(false); });
    s.push_back([&p] { p.size(9); });
    if (chart == 1) {
        auto ab = [&st, &p](const char* letter) {
            return [&st, &p, letter] {
                return letter + p.hashMask2(displayTemperature(st)) +
                       resText(1370 + st.calc.gTemperaturEinheit, st.ui.gSprachOffset) + " und " +
                       p.hashMask2(st.calc.gDruck) + "kPa";
            };
        };
        addLegendLine(s, p, st, 0.505, ab(t.labelA), &c.gQmaxErlaubt);
        addLegendLine(s, p, st, 0.52, ab(t.labelB), &c.gQmaxEmpfohlen);
        auto fixed = [](const char* text) { return [text] { return std::string(text); }; };
        addLegendLine(s, p, st, 0.535, fixed(t.labelC), &c.gDurchflussAuslegung);
        addLegendLine(s, p, st, 0.55, fixed(t.labelD), &c.gQminEmpfohlen);
        addLegendLine(s, p, st, 0.565, fixed(t.labelE), &c.gQminMoeglich);
        addLegendLine(s, p, st, 0.58, fixed(t.chart1Thresholds[0]), &c.gQUnsicherheit1);
        addLegendLine(s, p, st, 0.595, fixed(t.chart1Thresholds[1]), &c.gQUnsicherheit2);
        addLegendLine(s, p, st, 0.61, fixed(t.chart1Thresholds[2]), &c.gQUnsicherheit5);
        return;
    }
    auto fixed = [](const char* text) { return [text] { return std::string(text); }; };
    addLegendLine(s, p, st, 0.82, fixed(t.labelF), &c.gQminEmpfohlenSR);
    addLegendLine(s, p, st, 0.835, fixed(t.labelG), &c.gQminMoeglichSR);
    addLegendLine(s, p, st, 0.85, fixed(t.chart2Thresholds[0]), &c.gQUnsicherheit1SR);
    addLegendLine(s, p, st, 0.865, fixed(t.chart2Thresholds[1]), &c.gQUnsicherheit2SR);
    addLegendLine(s, p, st, 0.88, fixed(t.chart2Thresholds[2]), &c.gQUnsicherheit5SR);
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
    Steps s;
    addHeader(s, p, st, t);
    addFrame(s, p, st, t, 1);
    addBandsAndMarkers(s, p, st, 1);
    addLegends(s, p, st, t, 1);
    addFrame(s, p, st, t, 2);
    addBandsAndMarkers(s, p, st, 2);
    addLegends(s, p, st, t, 2);
    addAssumptions(s, p, t);
    for (const auto& statement : s)
        if (!g.step(statement))
            return;
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
