#include "reports/protocol/ProtocolPage1.h"

#include "common/ResourceTexts.h"
#include "engine/DisplayUnits.h"
#include "engine/FormatPatterns.h"
#include "platform/RuntimeError.h"
#include "platform/RuntimeNumbers.h"
#include "reports/logo/FittedText.h"
#include "reports/logo/HeaderSettings.h"
#include "reports/protocol/ShownResults.h"
#include "tracing/Guard.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>

namespace morvane {

namespace {

// The literals of one page language.
struct PageTexts {
    const char* procedure;
    const char* declaration;
    // The page's language, in which it takes its unit texts (resource ids +
    // this offset) whatever the window's language.
    std::int32_t textOffset;
    // Header and title.
    const char* calculatedBy;
    const char* telPrefix;
    const char* faxPrefix;
    const char* extPrefix;
    const char* faxExtPrefix;
    const char* orderLabel;
    const char* tagLabel;
    const char* projectLabel;
    const char* title;
    // Medium data.
    const char* mediumHeading;
    const char* mediumName;
    const char* model;
    const char* normDensity;
    const char* processDensity;
    const char* isentropic;
    const char* viscosity;
    const char* compressibility;
    const char* critTemperature;
    const char* critPressure;
    std::array<const char*, 10> media;  // gMediumNr 1..9; 0 empty
    const char* modelTables;
    const char* modelIdealGas;
    const char* modelLiquid;
    // Pipe and primary element data.
    const char* pipeHeading;
    const char* elementHeading;
    const char* pipeShape;
    const char* round;
    const char* rectangular;
    const char* insideDiameter;
    const char* warmRound;
    const char* warmRectangular;
    const char* zeta;
    const char* kNumber;
    const char* dischargeC;
    const char* wall;
    const char* beta;
    const char* bore;
    const char* supportSelected;
    const char* supportNecessary;
    const char* yes;
    const char* no;
    const char* typeCode;
    const char* elementType;
    const char* correction;
    const char* naturalFrequency;
    const char* vortexFrequency;
    const char* safety;
    const char* vibrationWarning;
    std::array<const char*, 16> elementNames;  // gPrimaerelementtyp 1..15; 0 empty
    // Remarks and process data.
    const char* remarksHeading;
    const char* processHeading;
    const char* design;
    std::array<const char*, 8> rowLabels;
    const char* unitHeading;  // over the unit column
    // Footer.
    const char* hotlineLeadIn;
};

const PageTexts kGerman{
    "DruckeDeutsch", "Sub DruckeDeutsch()", OffsetGerman,
    "Berechnung erstellt durch:", "Tel.: ", "Fax.: ", "Tel.-DW: ", "Fax.-DW: ", "Angebots-/Auftragsnr.: ",
    "Messstellennummer: ", "Kundenprojekt: ", "morvane 7 Berechnungsprotokoll",
    "Mediumsdaten:", "Mediumsbezeichnung", "Berechnungsmodell", "Normdichte", "Betriebsdichte",
    "Isentropenkoeffizient", "Viskositaet", "Kompressibilitaet", "kritische Temperatur", "kritischer Druck",
    {"", "Luft", "überhitzter Dampf", "Sattdampf", "Wasser", "Stickstoff", "Sauerstoff", "Kohlendioxid", "Methan",
     "Wasserstoff"},
    "Kompressibilitaetstabellen", "ideales Gasgesetz", "inkompressible Fluessigkeit",
    "Rohrleitungsdaten", "Primärelementdaten", "Form Rohrleitung", "rund", "rechteckig", "Innendurchmesser",
    "Innendurchmesser warm", "Ersatzdurchmesser warm", "Widerstandsbeiwert Zeta", "K-Zahl Sonde",
    "Durchfl.zahl C (ISO)", "Wandstaerke", "Oeffnungsverh. d/D beta (ISO)", "Oeffnungsdurchmesser",
    "Gegenlager vorges.", "Gegenlager notwendig", "ja", "nein", "Typenschlüssel:", "Primaerelementtyp",
    "Korrektur-Faktor", "Eigenfrequenz Sonde", "Vortexfrequenz", "Sicherheit",
    "Achtung Schwingungsproblem! Andere Sonde wählen",
    {"", "pravio RQ8", "pravio RQ10M", "pravio RQ25", "pravio RQ25HDD", "pravio RQ32", "pravio RQ44", "pravio RQ50",
     "andere Sonde", "Blende mit Flanschdruckentnahme", "Blende mit D- und D/2-Druckentnahme",
     "Blende mit Eckdruckentnahme", "Venturidüse", "Venturi gussrauh", "Venturi mit bearbeitetem Einlauf",
     "Venturi aus geschweißtem, rauhem Stahlblech"},
    "Bemerkungen:", "Prozessdaten:", "Auslegung",
    {"Absolutdruck", "Temperatur", "Durchfluss", "Expansionszahl", "Reynolds", "Mediumsgeschwindigkeit",
     "bleibender Druckverlust", "Differenzdruck"},
    "Einheit",
    "Noch Fragen?  Info Hotline ",
};

const PageTexts kEnglish{
    "DruckeEnglisch", "Sub DruckeEnglisch()", OffsetEnglish,
    "Calculation done by:", "Phone: ", "Fax: ", "Phone-Ext: ", "Fax-Ext: ", "Quotation/Order number:",
    "TAG number: ", "Customer ref.: ", "morvane 7 results",
    "fluid data:", "fluid name", "fluid properties model", "standard density", "process density",
    "isentropic coefficient", "viscosity", "compressibility", "critical temperature", "critical pressure",
    {"", "air", "superheated steam", "saturated steam", "water", "nitrogen", "oxygen", "carbon dioxide", "methane",
     "hydrogen"},
    "compressibility tables", "ideal gas equation", "incompressible liquid",
    "pipe data", "primary element data", "pipe shape", "round", "rectangular channel", "inside diameter (20°C)",
    "inside diameter @ process temp", "subst. diameter process temp", "resistance factor Zeta", "K-number probe",
    "discharge coeff. C (ISO)", "wall thickness", "diameter ratio d/D beta (ISO)", "core diameter d",
    "opposite support selected", "opposite support necessary", "yes", "no", "probe type code:",
    "primary element type", "Correction-factor", "frequency probe", "vortex frequency", "safety",
    "!!Frequency match. Please change configuration or contact engineering!!",
    {"", "pravio RQ8", "pravio RQ10M", "pravio RQ25", "pravio RQ25HDD", "pravio RQ32", "pravio RQ44", "pravio RQ50",
     "other averaging pitot tube", "orifice with flange tappings", "orifice with D and D/2 tappings",
     "orifice with corner tappings", "venturi nozzle", "venturi cast surface", "venturi with milled inlet",
     "welded venturi"},
    "notes:", "process data:", "design",
    {"absolute pressure", "temperature", "Flow", "expansion coefficient", "Reynolds", "fluid velocity",
     "pressure loss", "differential pressure"},
    "unit",
    "Need assistance?  Info Hotline ",
};

bool isTrue(std::int16_t b) { return b == -1; }

// A page dimension in twips as a 16-bit whole number (error 6 when it does not fit).
std::int16_t pageExtent(double twips)
{
    return toInteger(twips);
}

// The printer's print position and font, as the page sets them one by one; a
// print puts one text at the position in the font in force.
class Pen {
public:
    explicit Pen(PrintJob& job) : job_(job) {}

    std::int16_t W = 0;
    std::int16_t H = 0;
    PrintFont font;

    void x(double fraction) { x_ = static_cast<float>(fraction * W); }
    void y(double fraction) { y_ = static_cast<float>(fraction * H); }
    void print(const std::string& text)
    {
        job_.setFont(font);
        job_.text(x_, y_, text);
    }

private:
    PrintJob& job_;
    // The print position is single precision; kept as float so that the
    // rounding of each product is not optimised away.
    float x_ = 0.0f;
    float y_ = 0.0f;
};

std::string pick(const std::int16_t index, const auto& names)
{
    return index >= 0 && index < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(index)] : "";
}

// The words of `text` in at most maxLines lines, each as long as `fits`
// allows; nothing when they need more lines (or one word alone does not fit).
std::vector<std::string> wordLines(const std::string& text, std::size_t maxLines,
                                   const std::function<bool(const std::string&)>& fits)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t blank = text.find(' ', at);
        const std::string word = text.substr(at, blank == std::string::npos ? std::string::npos : blank - at);
        at = blank == std::string::npos ? text.size() : blank + 1;
        if (word.empty())
            continue;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (fits(longer)) {
            line = longer;
            continue;
        }
        if (line.empty() || !fits(word))
            return {};
        lines.push_back(line);
        line = word;
    }
    if (!line.empty() || lines.empty())
        lines.push_back(line);
    if (lines.size() > maxLines)
        return {};
    return lines;
}

void printPage1(const PageTexts& t, ProgramState& state, Page1Printing& printing, const Page2Printer& page2)
{
    Guard g("Module1", t.procedure, t.declaration);
    const CalculationState& c = state.calc;
    const DokumentDaten& d = state.doc;
    const UserSettings& u = state.settings;

    std::unique_ptr<PrintJob> job;
    std::optional<Pen> pen;
    bool go = true;
    auto S = [&](auto&& f) {
        if (go)
            go = g.step(f);
    };
    // One item: x, then y, then the text. A text given as a function is made
    // inside the statement, so that a value that cannot be formatted is that
    // statement's error.
    auto at = [&](double fx, double fy, auto&& text) {
        S([&] {
            pen->x(fx);
            pen->y(fy);
            if constexpr (std::is_invocable_v<decltype(text)>)
                pen->print(text());
            else
                pen->print(text);
        });
    };
    // A text of the user's, the customer's or the configuration's, which ends
    // before endFx (the next column's start; 1: the printable edge), in a
    // smaller size where it would reach further.
    auto fitted = [&](double fx, double fy, const std::string& text, double endFx, CutAt cut = CutAt::End) {
        S([&] {
            pen->x(fx);
            pen->y(fy);
            const double room = (endFx - fx) * pen->W - (endFx < 1.0 ? kColumnGapTwips : 0.0);
            const FittedText f = fitText(*job, pen->font, text, room, cut);
            const PrintFont kept = pen->font;
            pen->font = f.font;
            pen->print(f.text);
            pen->font = kept;
        });
    };
    const char sep = printing.decimalSeparator;
    // A value prints within 1 % of itself: where the row's places would move
    // it further (0.000845 through "###0.0000"), with 4 significant digits.
    auto fmt = [sep](double v, int decimals) { return formatFixedNear(v, decimals, sep); };

    S([&] {
        std::string why;
        job = printing.printer.startJob(t.title, why);
        if (!job && !why.empty())
            raiseError(kPrinterError, why);
    });
    // No job and no reason: the user chose not to print.
    if (!job)
        return;
    S([&] { pen.emplace(*job); });
    S([&] { pen->H = pageExtent(job->pageHeight()); });
    S([&] { pen->W = pageExtent(job->pageWidth()); });
    if (go)
        go = paintLogo(g, state.doc, printing.programFolder, printing.logo, *job);

    S([&] {
        pen->font.name = "Arial";
        pen->font.italic = false;
        pen->font.bold = false;
        pen->font.sizePoints = 9;
    });

    // Header, right column: who made the calculation.
    at(0.715, 0.11, t.calculatedBy);
    fitted(0.715, 0.125, u.gCompanyFirma1, 1.0);
    fitted(0.715, 0.137, printedSetting(u.gCompanyFirma2, t.textOffset == OffsetEnglish), 1.0);
    fitted(0.715, 0.149, printedSetting(u.gCompanyStrasse, t.textOffset == OffsetEnglish), 1.0);
    fitted(0.715, 0.161, townAndCountry(u.gCompanyPLZOrt, u.gCompanyLand), 1.0);
    fitted(0.715, 0.173, u.gCompanyStaat, 1.0);
    fitted(0.715, 0.185, t.telPrefix + u.gCompanyTel, 1.0);
    fitted(0.715, 0.197, t.faxPrefix + u.gCompanyFax, 1.0);
    fitted(0.715, 0.214, u.gUserName, 1.0);
    fitted(0.715, 0.226, u.gUserAbteilung, 1.0);
    fitted(0.715, 0.238, t.extPrefix + u.gUserDurchwahl, 1.0);
    fitted(0.715, 0.25, t.faxExtPrefix + u.gUserFax, 1.0);
    S([&] { pen->font.sizePoints = 7; });
    fitted(0.715, 0.27, d.gDatum, 1.0);

    // Left column: customer and order.
    S([&] {
        pen->font.bold = true;
        pen->font.sizePoints = 11;
    });
    // The customer's company, in its large size, stands beside the logo.
    const double besideLogo =
        d.gLogoY < 0.12 * pen->H && d.gLogoX > 0.28 * pen->W && d.gLogoX < 0.715 * pen->W ? static_cast<double>(d.gLogoX) / pen->W : 0.715;
    fitted(0.05, 0.09, d.gKundeFirma1, besideLogo);
    S([&] {
        pen->font.bold = true;
        pen->font.sizePoints = 11;
    });
    fitted(0.05, 0.105, d.gKundeFirma2, besideLogo);
    S([&] {
        pen->font.bold = false;
        pen->font.sizePoints = 9;
    });
    fitted(0.05, 0.12, d.gKundeName, 0.715);
    fitted(0.05, 0.135, d.gKundeStrasse, 0.715);
    fitted(0.05, 0.15, d.gKundePLZOrt, 0.715);
    fitted(0.05, 0.165, d.gKundeTelFax, 0.715);
    at(0.05, 0.205, t.orderLabel);
    fitted(0.28, 0.205, d.gAuftragsnummer, 0.715);
    at(0.05, 0.22, t.tagLabel);
    fitted(0.28, 0.22, d.gMessstellennummer, 0.715);
    at(0.05, 0.235, t.projectLabel);
    fitted(0.28, 0.235, d.gKundenprojekt, 0.715);
    S([&] { pen->font.sizePoints = 7; });
    fitted(0.05, 0.25, d.gDateiname, 0.715, CutAt::Start);  // the file's name is at the end
    S([&] {
        pen->font.sizePoints = 11;
        pen->font.bold = true;
    });
    at(0.05, 0.27, t.title);

    // Medium data.
    S([&] {
        pen->font.sizePoints = 9;
        pen->font.bold = true;
        pen->font.underline = true;
    });
    at(0.05, 0.30, t.mediumHeading);
    S([&] {
        pen->font.bold = false;
        pen->font.underline = false;
    });
    std::string mediumName, modelText;
    if (isTrue(c.gModellGespeicherteDaten)) {
        mediumName = c.gMediumNr >= 1 && c.gMediumNr <= 9 ? pick(c.gMediumNr, t.media) : "";
        modelText = usesSteamTables(c) ? "IAPWS95" : t.modelTables;
    }
    if (isTrue(c.gModellIdealesGas)) {
        mediumName = c.gMediumsbezeichnung;
        modelText = t.modelIdealGas;
    }
    if (isTrue(c.gModellRedlichKwong)) {
        mediumName = c.gMediumsbezeichnungRK;
        modelText = "Redlich-Kwong";
    }
    if (isTrue(c.gModellFluessigkeit)) {
        mediumName = c.gMediumsbezeichnung;
        modelText = t.modelLiquid;
    }
    const bool liquid = isTrue(c.gModellFluessigkeit);
    at(0.05, 0.32, t.mediumName);
    fitted(0.28, 0.32, mediumName, 0.5);
    at(0.05, 0.335, t.model);
    at(0.28, 0.335, modelText);
    at(0.05, 0.35, t.normDensity);
    // Water, steam and the liquid have neither a standard density nor a
    // compressibility factor: "n.a.", as in the results window, not what an
    // earlier case left in the two fields.
    const bool normData = hasNormDensityAndCompressibility(c);
    at(0.28, 0.35, [&] {
        return !normData || c.gNormdichte == 0.0 ? std::string("n.a.") : fmt(c.gNormdichte, 4);
    });
    at(0.35, 0.35, "kg/Nm³");
    at(0.05, 0.365, t.processDensity);
    at(0.28, 0.365, [&] { return fmt(c.gBetriebsdichte, 4); });
    at(0.35, 0.365, "kg/m³");
    at(0.05, 0.38, t.isentropic);
    // Water and the liquids carry an exponent of 1e9 (no expansion): "n.a.",
    // as in the results window, which shows a number only below 10.
    at(0.28, 0.38, [&] {
        return liquid || !(c.gIsentropenkoeffizient < 10.0) ? std::string("n.a.") : fmt(c.gIsentropenkoeffizient, 4);
    });
    at(0.35, 0.38, "-");
    at(0.5, 0.32, t.viscosity);
    at(0.73, 0.32, [&] { return fmt(c.gViskositaet, 4); });
    at(0.8, 0.32, "cP");
    at(0.5, 0.335, t.compressibility);
    at(0.73, 0.335, [&] { return normData ? fmt(c.gKompressibilitaet, 4) : std::string("n.a."); });
    at(0.8, 0.335, "-");
    if (!isTrue(c.gModellIdealesGas) || liquid) {
        // The ideal gas law has no critical data; the liquid has none to show.
        at(0.5, 0.35, t.critTemperature);
        at(0.73, 0.35, [&] { return liquid ? std::string("n.a.") : fmt(c.gKritischeTemperatur, 1); });
        at(0.8, 0.35, "°C");
        at(0.5, 0.365, t.critPressure);
        at(0.73, 0.365, [&] { return liquid ? std::string("n.a.") : fmt(c.gKritischerDruck, 1); });
        at(0.8, 0.365, "kPa");
    }
    S([&] {
        pen->x(0.05);
        pen->y(0.40);
        pen->font.bold = true;
        pen->font.underline = true;
    });

    // Pipe and primary element data.
    const std::int16_t type = c.gPrimaerelementtyp;
    const bool round = c.gRohrRechteckig == 0;
    at(0.05, 0.40, t.pipeHeading);
    at(0.05, 0.47, t.elementHeading);
    S([&] {
        pen->font.bold = false;
        pen->font.underline = false;
    });
    at(0.5, 0.42, t.pipeShape);
    at(0.73, 0.42, round ? t.round : t.rectangular);
    at(0.05, 0.42, t.insideDiameter);
    at(0.28, 0.42, [&] {
        const std::string a = fmt(c.gInnendurchmesser, 1);
        return round ? a : a + "x" + fmt(c.gInnenmassB, 1);
    });
    at(round ? 0.35 : 0.43, 0.42, "mm");
    at(0.05, 0.435, round ? t.warmRound : t.warmRectangular);
    at(0.28, 0.435, [&] { return fmt(c.gInnendurchmesserWarm, 1); });
    at(0.35, 0.435, "mm");
    const bool probe = type >= 2 && type <= 8;
    if (probe) {
        at(0.05, 0.5, t.zeta);
        at(0.28, 0.5, [&] { return fmt(c.gZeta, 5); });
        at(0.35, 0.5, "-");
        at(0.05, 0.515, t.kNumber);
        at(0.28, 0.515, [&] { return fmt(c.gKZahl, 5); });
        at(0.35, 0.515, "-");
    }
    if ((type >= 9 && type <= 15) || type == 1 || probe) {
        // The standard elements and type 1 give C as gKZahl, the probes in ISO form.
        at(0.05, 0.53, t.dischargeC);
        at(0.28, 0.53, [&] { return fmt(probe ? c.gCSonde : c.gKZahl, 5); });
        at(0.35, 0.53, "-");
    }
    at(0.05, 0.45, t.wall);
    at(0.28, 0.45, [&] { return hasWallThickness(c) ? fmt(c.gWandstaerke, 2) : std::string("n.a."); });
    at(0.35, 0.45, "mm");
    at(0.05, 0.545, t.beta);
    at(0.28, 0.545, [&] { return fmt(c.gBeta, 4); });
    at(0.35, 0.545, "-");
    at(0.05, 0.56, t.bore);
    at(0.28, 0.56, [&] { return fmt(c.gOeffnungsdurchmesser, 3); });
    at(0.35, 0.56, "mm");
    if (type >= 3 && type <= 8) {
        at(0.5, 0.62, t.supportSelected);
        at(0.715, 0.62, c.gGegenlagerVorgesehen == 1 ? t.yes : t.no);
        if (c.gGegenlagerVorgesehen == 0) {
            at(0.5, 0.605, t.supportNecessary);
            at(0.715, 0.605, isTrue(c.gGegenlagerNotwendig) ? t.yes : t.no);
        }
    }
    at(0.5, 0.485, t.typeCode);
    fitted(0.5, 0.5, state.config.gTypenschluessel, 1.0);
    at(0.05, 0.485, t.elementType);
    // The type's name ends before the type code's label at 0.5 W. A longer
    // name goes on in the line below, which the left column leaves free for
    // every type but the probes (their zeta row stands there); what still does
    // not fit is printed 2 points smaller.
    S([&] {
        const std::string name = type >= 1 && type <= 15 ? pick(type, t.elementNames) : "";
        const std::size_t rows = probe ? 1 : 2;
        const PrintFont cell = pen->font;
        std::vector<std::string> lines;
        for (const double size : {cell.sizePoints, cell.sizePoints - 2.0}) {
            PrintFont f = cell;
            f.sizePoints = size;
            job->setFont(f);
            const double room = (0.5 - 0.28) * pen->W - job->textWidth(" ");
            lines = wordLines(name, rows, [&](const std::string& s) { return job->textWidth(s) <= room; });
            pen->font = f;
            if (!lines.empty())
                break;
        }
        if (lines.empty())
            lines.push_back(name);  // one word wider than the cell: as it is
        for (std::size_t i = 0; i < lines.size(); ++i) {
            pen->x(0.28);
            pen->y(0.485 + 0.015 * static_cast<double>(i));
            pen->print(lines[i]);
        }
        pen->font = cell;
    });
    S([&] {
        pen->font.bold = false;
        pen->font.underline = false;
    });
    at(0.05, 0.575, t.correction);
    at(0.28, 0.575, [&] { return fmt(c.gKorrekturFaktor, 5); });
    at(0.35, 0.575, "-");
    if (type >= 3 && type <= 7) {
        at(0.05, 0.605, t.naturalFrequency);
        at(0.28, 0.605, [&] {
            return fmt(c.gGegenlagerVorgesehen == 1 ? c.gEigenfrequenzGegenlager : c.gEigenfrequenz, 1);
        });
        at(0.35, 0.605, "Hz");
        at(0.05, 0.62, t.vortexFrequency);
        at(0.28, 0.62, [&] { return fmt(c.gVortexfrequenz, 1); });
        at(0.35, 0.62, "Hz");
        at(0.05, 0.635, t.safety);
        at(0.28, 0.635, c.gSchwingungswarnung != 0 ? t.vibrationWarning : "ok");
    }

    // Remarks.
    S([&] {
        pen->font.bold = true;
        pen->font.underline = true;
    });
    at(0.05, 0.665, t.remarksHeading);
    S([&] {
        pen->font.bold = false;
        pen->font.underline = false;
    });
    // The remarks line by line between their heading and the process data's,
    // each cut with "..." where it would run past the printable width.
    S([&] {
        const double step = job->lineHeight();
        const double room = 0.72 * pen->H - 0.68 * pen->H;
        const auto fit = static_cast<std::size_t>(step > 0.0 ? std::max(1.0, std::floor(room / step)) : 1.0);
        const double width = 0.95 * pen->W - 0.05 * pen->W;
        job->setFont(pen->font);
        std::vector<std::string> lines = remarkLines(d.gBemerkungen, fit);
        if (lines.empty())
            lines.emplace_back();  // an empty line under the heading, as ever
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::string& line = lines[i];
            if (job->textWidth(line) > width) {
                while (!line.empty() && job->textWidth(line + "...") > width) {
                    line.pop_back();
                    while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80)
                        line.pop_back();  // the rest of a multi-byte character
                    if (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0xC0)
                        line.pop_back();
                }
                line += "...";
            }
            // Single precision like every print position of the page.
            job->text(static_cast<float>(0.05 * pen->W),
                      static_cast<float>(0.68 * pen->H) + static_cast<double>(i) * step, line);
        }
    });

    // Process data, design column.
    S([&] {
        pen->font.bold = true;
        pen->font.underline = true;
    });
    at(0.05, 0.72, t.processHeading);
    S([&] {
        pen->font.bold = false;
        pen->font.underline = false;
    });
    at(0.05, 0.735, t.rowLabels[0]);
    S([&] { pen->font.bold = true; });
    at(0.28, 0.72, t.design);
    S([&] { pen->font.bold = false; });

    // A converted value, or no print when the unit index has no conversion.
    auto value = [&](double fx, double fy, const std::optional<double>& v, int decimals) {
        if (v)
            at(fx, fy, [&] { return fmt(*v, decimals); });
    };
    auto unit = [&](double fy, std::int32_t base, std::int16_t index) {
        S([&] {
            pen->x(0.86);
            pen->y(fy);
            pen->print(unitText(base, index, t.textOffset));
        });
    };
    // The converted value of one cell. Each conversion starts from nothing, so
    // that a conversion that fails and is gone past prints no number rather
    // than the value of the row before.
    std::optional<double> shown;
    auto convert = [&](auto&& conversion) {
        shown.reset();
        S([&] { shown = conversion(); });
    };
    convert([&] { return pressureForDisplay(c.gDruck, c.gDruckEinheit); });
    value(0.28, 0.735, shown, 3);
    unit(0.735, PressureUnitTextBase, c.gDruckEinheit);
    at(0.05, 0.75, t.rowLabels[1]);
    convert([&] { return temperatureForDisplay(c.gTemperatur, c.gTemperaturEinheit); });
    value(0.28, 0.75, shown, 1);
    unit(0.75, TemperatureUnitTextBase, c.gTemperaturEinheit);
    at(0.05, 0.765, t.rowLabels[2]);
    at(0.28, 0.765, [&] { return fmt(c.gDurchflussAuslegung, 5); });
    unit(0.765, FlowUnitTextBase, c.gDurchflussEinheit);
    at(0.05, 0.78, t.rowLabels[3]);
    at(0.28, 0.78, [&] { return fmt(c.gExpansionszahl[0], 4); });
    at(0.86, 0.78, "-");
    at(0.05, 0.795, t.rowLabels[4]);
    S([&] {
        pen->x(0.28);
        pen->y(0.795);
        pen->print(formatScientific(c.gReynolds[0], 2, sep));
    });
    at(0.86, 0.795, "-");
    at(0.05, 0.81, t.rowLabels[5]);
    at(0.28, 0.81, [&] { return fmt(c.gGeschwindigkeit[0], 4); });
    at(0.86, 0.81, "m/s");
    at(0.05, 0.825, t.rowLabels[6]);
    convert([&] { return dpForDisplay(c.gDruckverlust[0], c.gDpEinheit); });
    value(0.28, 0.825, shown, 4);
    unit(0.825, DpUnitTextBase, c.gDpEinheit);
    at(0.05, 0.84, t.rowLabels[7]);
    convert([&] { return dpForDisplay(c.gDifferenzdruck[0], c.gDpEinheit); });
    value(0.28, 0.84, shown, 4);
    unit(0.84, DpUnitTextBase, c.gDpEinheit);

    // Operating points max, norm and min beside the design column.
    if (c.gMehrereBetriebspunkte == 1) {
        const std::array<double, 4> flows{c.gDurchflussAuslegung, c.gDurchflussMax, c.gDurchflussNorm,
                                          c.gDurchflussMin};
        auto column = [&](std::size_t i, double fx) {
            at(fx, 0.765, [&] { return fmt(flows[i], 5); });
            at(fx, 0.78, [&] { return fmt(c.gExpansionszahl[i], 4); });
            S([&] {
                pen->x(fx);
                pen->y(0.795);
                pen->print(formatScientific(c.gReynolds[i], 4, sep));
            });
            at(fx, 0.81, [&] { return fmt(c.gGeschwindigkeit[i], 4); });
            convert([&] { return dpForDisplay(c.gDruckverlust[i], c.gDpEinheit); });
            value(fx, 0.825, shown, 4);
            convert([&] { return dpForDisplay(c.gDifferenzdruck[i], c.gDpEinheit); });
            value(fx, 0.84, shown, 4);
        };
        auto header = [&](double fx, const char* text) {
            S([&] { pen->font.bold = true; });
            at(fx, 0.72, text);
            S([&] { pen->font.bold = false; });
        };
        header(0.40, "max");
        column(1, 0.40);
        header(0.52, "norm");
        column(2, 0.52);
        header(0.64, "min");
        header(0.86, t.unitHeading);
        column(3, 0.64);
    }

    // Footer.
    S([&] { pen->font.sizePoints = 16; });
    at(0.15, 0.87, std::string(t.hotlineLeadIn) + kFooterHotlineNumber);
    at(0.31, 0.90, kFooterWebAddress);
    S([&] { pen->font.sizePoints = 10; });
    at(0.05, 0.93, std::string("morvane 7 by ") + kFooterMaker);

    // Page 2 for the maker's probes, then the end of the document.
    if (type >= 2 && type <= 7 && d.gDruckeSeite2 == 1) {
        S([&] { job->newPage(); });
        S([&] {
            if (page2) {
                Page2Context ctx{state, *job, printing.logo, printing.programFolder, sep};
                page2(ctx);
            }
        });
    }
    S([&] {
        if (!job->endDoc())
            raiseError(kPrinterError, "Printer error");
    });
    if (go && job->isPdfFile() && printing.messages != nullptr) {
        const bool german = state.ui.gSprachOffset == 0;
        MessageRequest r;
        r.text = german ? "Es ist kein Drucker eingerichtet. Das Protokoll wurde in die PDF-Datei geschrieben:\r\n" +
                              job->destination()
                        : "No printer is installed. The protocol was written to the PDF file:\r\n" +
                              job->destination();
        r.icon = MessageIcon::Information;
        printing.messages->show(r);
    }
}

}  // namespace

std::vector<std::string> remarkLines(const std::string& remarks, std::size_t maxLines)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < remarks.size(); ++i) {
        const char ch = remarks[i];
        if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < remarks.size() && remarks[i + 1] == '\n')
                ++i;
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line += ch;
        }
    }
    lines.push_back(std::move(line));
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    if (lines.size() > maxLines) {
        lines.resize(maxLines);
        if (!lines.empty())
            lines.back() += "...";
    }
    return lines;
}

void DruckeDeutsch(ProgramState& state, Page1Printing& printing)
{
    printPage1(kGerman, state, printing, printing.page2German);
}

void DruckeEnglisch(ProgramState& state, Page1Printing& printing)
{
    printPage1(kEnglish, state, printing, printing.page2English);
}

}  // namespace morvane
