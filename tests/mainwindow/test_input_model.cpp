// The main window's input model: reading the controls into the state (numbers,
// display units, derived fields, input checks) and writing the state back.
#include "mainwindow/InputModel.h"

#include "common/ResourceTexts.h"
#include "engine/DisplayUnits.h"
#include "engine/StateFields.h"
#include "platform/NumberText.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace morvane {
namespace {

using testing::TestTracer;

// The window as ResetOberflaeche leaves it, with the design selections of the
// options the reset does not touch.
InputControls resetWindow()
{
    InputControls c;
    c.Option1 = true;
    c.Combo1 = 0;
    c.Text2 = "1";
    c.Text29 = "1,4";
    c.Text30 = "1,4";
    c.Combo2 = 0;
    c.Text15 = "1,0000";
    c.Option15 = true;
    c.Combo3 = 0;
    c.Combo4 = 0;
    c.Option5 = true;
    c.Combo9 = c.Combo11 = c.Combo8 = c.Combo10 = 0;
    c.Check4Enabled = true;
    c.Option17 = true;
    c.Text36 = "10.12.2026 10:56";
    c.Combo5 = c.Combo6 = c.Combo7 = c.Combo12 = c.Combo13 = 0;
    c.Option14 = true;
    c.Option7 = true;
    c.Option13 = true;
    return c;
}

// Every box empty, every list on its first entry, every check box off.
InputControls emptyWindow(bool InputControls::*model)
{
    InputControls c;
    c.*model = true;
    c.Combo1 = c.Combo2 = c.Combo3 = c.Combo4 = 0;
    c.Combo8 = c.Combo9 = c.Combo10 = c.Combo11 = 0;
    c.Option15 = c.Option5 = c.Option17 = true;
    return c;
}

// An ideal-gas window that passes every check: a flange-tapped orifice of
// 50 mm in a 100 mm pipe, 5 bar, 20 °C, 100 kg/h.
InputControls validWindow()
{
    InputControls c = resetWindow();
    c.Option1 = false;
    c.Option2 = true;
    c.Text1 = "1,2";
    c.Text7 = "0,018";
    c.Combo2 = element::BlendeFlansch;
    c.Text10 = "50";
    c.Text8 = "100";
    c.Text9 = "3";
    c.Text16 = "5";
    c.Combo9 = pressureunit::bar;
    c.Text17 = "20";
    c.Text18 = "100";
    c.Combo8 = flowunit::kgh;
    return c;
}

// The messages of the given German ids, joined as the reading appends them.
std::string texts(std::initializer_list<std::int32_t> ids, std::int32_t offset = OffsetGerman)
{
    std::string out;
    for (const auto id : ids)
        out += (out.empty() ? "" : "\r\n") + resText(id, offset);
    return out;
}

ProgramState readWindow(const InputControls& c, std::int32_t offset = OffsetGerman)
{
    ProgramState ps;
    ps.ui.gSprachOffset = offset;
    ReadOberflaeche(c, ps);
    return ps;
}

// ---- reading ---------------------------------------------------------------

TEST(ReadOberflaeche, ReadsTypedNumbersWithCommaPointAndBlanks)
{
    struct Case {
        const char* typed;
        double value;
        const char* shows;
    } const cases[] = {
        {"1,5", 1.5, "decimal comma"},
        {"1.5", 1.5, "decimal point"},
        {" 1.5", 1.5, "the leading blank of the Str form"},
        {"12 345,6", 12345.6, "blanks inside are dropped"},
        {"1.234,5", 1.234, "a second point ends the number"},
        {"2E5", 2.0, "the exponent letter ends the number"},
        {"abc", 0.0, "no number reads as 0"},
    };
    for (const auto& k : cases) {
        TestTracer t;
        InputControls c = validWindow();
        c.Text1 = k.typed;
        EXPECT_DOUBLE_EQ(readWindow(c).calc.gDichteEingabe, k.value) << k.shows;
        EXPECT_TRUE(t.responder.reports.empty());
    }
}

TEST(ReadOberflaeche, ConvertsPressureAndTemperatureIntoStateUnits)
{
    // Factors of the unit lists: 1 bar = 100 kPa, 1 psi = 6.89476 kPa.
    struct Case {
        const char* typed;
        std::int16_t unit;
        double kPa;
    } const pressures[] = {
        {"101,3", pressureunit::kPa, 101.3},  {"1.013", pressureunit::bar, 101.3},
        {"14.5", pressureunit::psi, 99.97402}, {"1013", pressureunit::mbar, 101.3},
        {"101300", pressureunit::Pa, 101.3},
    };
    for (const auto& k : pressures) {
        TestTracer t;
        InputControls c = validWindow();
        c.Text16 = k.typed;
        c.Combo9 = k.unit;
        const ProgramState ps = readWindow(c);
        EXPECT_NEAR(ps.calc.gDruck, k.kPa, 1e-12 * k.kPa) << k.typed << " unit " << k.unit;
        EXPECT_EQ(ps.calc.gDruckEinheit, k.unit);
    }
    struct TCase {
        const char* typed;
        std::int16_t unit;
        double celsius;
    } const temperatures[] = {
        {"20", temperatureunit::Celsius, 20.0},
        {"293.15", temperatureunit::Kelvin, 20.0},
        {"68", temperatureunit::Fahrenheit, 20.0},
        {"-40", temperatureunit::Fahrenheit, -40.0},
    };
    for (const auto& k : temperatures) {
        TestTracer t;
        InputControls c = validWindow();
        c.Text17 = k.typed;
        c.Combo11 = k.unit;
        EXPECT_NEAR(readWindow(c).calc.gTemperatur, k.celsius, 1e-12) << k.typed << " unit " << k.unit;
    }
}

TEST(ReadOberflaeche, KnownDifferentialPressureIsTypedInMbarWhateverTheDpUnit)
{
    TestTracer t;
    InputControls c = validWindow();
    c.Text37 = "250";
    c.Check4 = 0;
    c.Combo10 = dpunit::mmWs;
    const ProgramState ps = readWindow(c);
    EXPECT_DOUBLE_EQ(ps.calc.gDifferenzdruckSoll, 25.0);
    EXPECT_EQ(ps.calc.gDpEinheit, dpunit::mmWs);
    EXPECT_EQ(ps.ui.gFehlerEingabe, "") << "no check looks at the known dp";
}

TEST(ReadOberflaeche, TypeKeyAndOppositeSupport)
{
    struct Case {
        std::int16_t typ;
        const char* typeInfo;
        const char* code;
        std::int16_t check3;
        const char* key;
        Flag gegenlager;
        const char* shows;
    } const cases[] = {
        {element::RQ25, "RQ25 ", "RQ25-100-GE1", 0, "RQ25 RQ25-100-GE1", 1, "a key ending in GE1 asks for the support"},
        {element::RQ25, "RQ25 ", "RQ25-100-ge1", 0, "RQ25 RQ25-100-ge1", 0, "the comparison is case-sensitive"},
        {element::RQ50, "RQ25-G", "E1", 0, "RQ25-GE1", 1, "the two boxes are joined before the test"},
        {element::RQ8, "", "E1", 0, "E1", 0, "a key shorter than three characters never matches"},
        {element::RQ25, "RQ25 ", "RQ25-100-GE0", 1, "RQ25 RQ25-100-GE0", 0, "the check box Check3 plays no part"},
        {element::Keins, "RQ25 ", "RQ25-100-GE1", 0, "", 0, "no element type: no key, no support"},
        {element::SondeAndererHersteller, "RQ25 ", "RQ25-100-GE1", 0, "", 0,
         "another make's probe keeps nothing of a model viewed before"},
        {element::BlendeFlansch, "RQ25 ", "RQ25-100-GE1", 0, "", 0, "an orifice neither"},
        {element::VenturiStahlblech, "RQ25 ", "RQ25-100-GE1", 0, "", 0, "nor the last venturi tube"},
    };
    for (const auto& k : cases) {
        TestTracer t;
        InputControls c = validWindow();
        c.Combo2 = k.typ;
        c.Text10 = "50";
        c.txtTypeInfo = k.typeInfo;
        c.txtCodeDisplay = k.code;
        c.Check3 = k.check3;
        ProgramState ps;
        ps.config.gTypenschluessel = "stale";
        ps.calc.gGegenlagerVorgesehen = 1;
        ReadOberflaeche(c, ps);
        EXPECT_EQ(ps.config.gTypenschluessel, k.key) << k.shows;
        EXPECT_EQ(ps.calc.gGegenlagerVorgesehen, k.gegenlager) << k.shows;
    }
}

TEST(ReadOberflaeche, ExpansionFactorFraction)
{
    TestTracer t;
    InputControls c = validWindow();
    c.Option15 = false;
    c.Option16 = true;
    EXPECT_DOUBLE_EQ(readWindow(c).calc.gEpsilonFaktor, 2.0 / 3.0);
    c.Option15 = true;
    c.Option16 = false;
    const ProgramState ps = readWindow(c);
    EXPECT_DOUBLE_EQ(ps.calc.gEpsilonFaktor, 1.0);
    EXPECT_EQ(ps.calc.gEpsilonQ100, True);
    EXPECT_EQ(ps.calc.gEpsilonQ67, False);
}

TEST(ReadOberflaeche, Text10GoesByElementType)
{
    // The fields start at 7 and 3; Text10 holds 42.
    struct Case {
        std::int16_t typ;
        double bore;
        double kZahl;
    } const cases[] = {
        {element::Keins, 7, 3},          {element::RQ8, 42, 3},       {element::RQ10, 7, 3},
        {element::RQ32, 7, 3},           {element::RQ50, 7, 3},       {element::SondeAndererHersteller, 7, 42},
        {element::BlendeFlansch, 42, 3}, {element::VenturiStahlblech, 42, 3},
    };
    for (const auto& k : cases) {
        TestTracer t;
        InputControls c = validWindow();
        c.Combo2 = k.typ;
        c.Text10 = "42";
        c.Text11 = "26";
        ProgramState ps;
        ps.calc.gOeffnungsdurchmesser = 7;
        ps.calc.gKZahlEingabe = 3;
        ReadOberflaeche(c, ps);
        EXPECT_EQ(ps.calc.gOeffnungsdurchmesser, k.bore) << "type " << k.typ;
        EXPECT_EQ(ps.calc.gKZahlEingabe, k.kZahl) << "type " << k.typ;
        EXPECT_EQ(ps.calc.gSondenbreite, 26) << "Text11 is read for every type";
    }
}

TEST(ReadOberflaeche, EmptyWindowListsTheMissingInputsInCheckOrder)
{
    namespace t = eingabetext;
    struct Case {
        bool InputControls::*model;
        std::string expected;
        const char* shows;
    } const cases[] = {
        {&InputControls::Option2,
         texts({t::Normdichte, t::Viskositaet, t::Kompressibilitaet, t::Isentropenkoeffizient, t::Primaerelementtyp,
                t::Rohrinnendurchmesser, t::Prozessdruck, t::TemperaturLeer, t::AuslegungsdurchflussNull,
                t::KeineDurchflusseinheit, t::Korrekturfaktor}),
         "ideal gas"},
        {&InputControls::Option4,
         texts({t::Normdichte, t::Viskositaet, t::Primaerelementtyp, t::Rohrinnendurchmesser, t::Prozessdruck,
                t::TemperaturLeer, t::AuslegungsdurchflussNull, t::KeineDurchflusseinheit, t::FluessigkeitNormvolumen,
                t::Korrekturfaktor}),
         "liquid"},
        {&InputControls::Option1,
         texts({t::KeinMedium, t::Primaerelementtyp, t::Rohrinnendurchmesser, t::Prozessdruck,
                t::TemperaturLeer, t::AuslegungsdurchflussNull, t::KeineDurchflusseinheit, t::Korrekturfaktor}),
         "stored data"},
        {&InputControls::Option3,
         texts({t::Normdichte, t::Viskositaet, t::KritischerDruck, t::KritischeTemperatur, t::Isentropenkoeffizient,
                t::Primaerelementtyp, t::Rohrinnendurchmesser, t::Prozessdruck, t::TemperaturLeer,
                t::AuslegungsdurchflussNull, t::KeineDurchflusseinheit, t::Korrekturfaktor}),
         "Redlich-Kwong"},
    };
    for (const auto& k : cases) {
        TestTracer tr;
        EXPECT_EQ(readWindow(emptyWindow(k.model)).ui.gFehlerEingabe, k.expected) << k.shows;
    }
    // The German texts of the first group end with a blank of their own.
    EXPECT_EQ(resText(t::KeinMedium, OffsetGerman), "Sie haben kein Medium gewählt. ");
}

TEST(ReadOberflaeche, InputChecks)
{
    namespace t = eingabetext;
    using Change = void (*)(InputControls&);
    struct Case {
        Change change;
        std::string expected;
        const char* shows;
    } const cases[] = {
        {[](InputControls&) {}, "", "the valid window passes"},
        {[](InputControls& c) { c.Option2 = false, c.Option1 = true, c.Combo1 = medium::Wasser, c.Combo8 = flowunit::Nm3h; },
         texts({t::WasserDampfNormvolumen}), "water in Nm³/h"},
        {[](InputControls& c) { c.Option2 = false, c.Option1 = true, c.Combo1 = medium::Wasser, c.Combo8 = 0; },
         texts({t::KeineDurchflusseinheit, t::WasserDampfNormvolumen}), "water without a flow unit"},
        {[](InputControls& c) { c.Option2 = false, c.Option1 = true, c.Combo1 = medium::Luft, c.Combo8 = flowunit::Nm3s; },
         "", "air may be given in Nm³/s"},
        {[](InputControls& c) { c.Option2 = false, c.Option1 = true, c.Combo1 = medium::Sattdampf, c.Text16 = ""; },
         "", "saturated steam needs no pressure"},
        {[](InputControls& c) { c.Option2 = false, c.Option1 = true, c.Combo1 = medium::UeberhitzterDampf, c.Text16 = ""; },
         texts({t::Prozessdruck}), "superheated steam does"},
        {[](InputControls& c) { c.Text16 = "-1"; }, texts({t::DruckNichtPositiv}),
         "a negative pressure is not 0, and has a message of its own"},
        {[](InputControls& c) { c.Text15 = "0,7"; }, "", "lower bound passes"},
        {[](InputControls& c) { c.Text15 = "1.4"; }, "", "upper bound passes"},
        {[](InputControls& c) { c.Text15 = "0,69"; }, texts({t::Korrekturfaktor}), "below 0.7"},
        {[](InputControls& c) { c.Text15 = "1,41"; }, texts({t::Korrekturfaktor}), "above 1.4"},
        {[](InputControls& c) { c.Text15 = std::string(1, '0'); }, texts({t::Korrekturfaktor}), "0 once"},
        {[](InputControls& c) { c.Combo2 = element::RQ8, c.Text10 = "15", c.Text8 = ""; }, "",
         "RQ8: bore 15 passes, no pipe diameter needed"},
        {[](InputControls& c) { c.Combo2 = element::RQ8, c.Text10 = "15,5"; }, texts({t::RQ8Oeffnung}), "RQ8 bore 15.5"},
        {[](InputControls& c) { c.Combo2 = element::RQ8, c.Text10 = ""; }, texts({t::Oeffnungsdurchmesser}),
         "RQ8 without a bore: 1823, not 1837"},
        {[](InputControls& c) { c.Combo2 = element::Venturiduese, c.Text10 = ""; }, texts({t::Oeffnungsdurchmesser}),
         "nozzle without a bore"},
        {[](InputControls& c) { c.Combo2 = element::RQ25, c.Text10 = ""; }, "", "a probe needs no bore"},
        {[](InputControls& c) { c.Combo2 = element::RQ25, c.Check2 = 1; }, texts({t::ZweiteKanalachse}),
         "duct without side b"},
        {[](InputControls& c) { c.Text22 = "5"; }, "", "side b without the duct box is not checked"},
        {[](InputControls& c) { c.Check1 = 1; },
         texts({t::MaximaldurchflussNull, t::NormaldurchflussNull, t::MinimaldurchflussNull}), "three operating points"},
        {[](InputControls& c) { c.Check1 = 1, c.Text19 = "1", c.Text20 = "1", c.Text21 = "1"; }, "",
         "three points given"},
        {[](InputControls& c) { c.Option2 = false, c.Option4 = true, c.Combo8 = flowunit::Nm3s; },
         texts({t::FluessigkeitNormvolumen}), "liquid in Nm³/s"},
        {[](InputControls& c) { c.Option2 = false, c.Option4 = true, c.Combo8 = flowunit::m3h; }, "",
         "liquid in m³/h"},
        {[](InputControls& c) { c.Text2 = "", c.Text1 = "0", c.Option2 = false, c.Option3 = true, c.Text5 = "1",
                                c.Text6 = "1", c.Text3 = "-82", c.Text4 = "4600", c.Text30 = "1,3"; },
         "", "Redlich-Kwong reads its own boxes only"},
    };
    for (const auto& k : cases) {
        TestTracer tr;
        InputControls c = validWindow();
        k.change(c);
        EXPECT_EQ(readWindow(c).ui.gFehlerEingabe, k.expected) << k.shows;
        EXPECT_TRUE(tr.responder.reports.empty()) << k.shows;
    }
}

// Values that no calculation can take are refused with a message of their own,
// after the designed checks: a value of exactly 0 keeps its designed message
// only. Bounds themselves (a wall of 0, a bore just below the pipe) pass.
TEST(ReadOberflaeche, RefusesValuesNoCalculationCanTake)
{
    namespace t = eingabetext;
    using Change = void (*)(InputControls&);
    struct Case {
        Change change;
        std::string expected;
        const char* shows;
    } const cases[] = {
        {[](InputControls& c) { c.Text16 = "-5"; }, texts({t::DruckNichtPositiv}), "-5 bar abs"},
        {[](InputControls& c) { c.Text16 = "0"; }, texts({t::Prozessdruck}), "0 keeps its own text only"},
        {[](InputControls& c) { c.Option2 = false, c.Option1 = true, c.Combo1 = medium::Sattdampf, c.Text16 = "-1",
                                c.Combo8 = flowunit::kgh; },
         "", "saturated steam takes its pressure from the temperature"},
        {[](InputControls& c) { c.Text17 = "-300"; }, texts({t::TemperaturNullpunkt}), "-300 °C"},
        {[](InputControls& c) { c.Text17 = "-273,15"; }, texts({t::TemperaturNullpunkt}), "absolute zero itself"},
        {[](InputControls& c) { c.Text17 = "-273,14"; }, texts({t::TemperaturNullpunkt}),
         "the zero of the formulas that add 273.14 K"},
        {[](InputControls& c) { c.Text17 = "-273,13"; }, "", "just above it"},
        {[](InputControls& c) { c.Text17 = "0", c.Combo11 = 1; }, texts({t::TemperaturNullpunkt}), "0 K"},
        // An empty temperature box reads as 0 °C (or 0 K): its own message,
        // in any unit, and not the one of absolute zero; a typed 0 °C is valid.
        {[](InputControls& c) { c.Text17 = ""; }, texts({t::TemperaturLeer}), "empty, °C"},
        {[](InputControls& c) { c.Text17 = "", c.Combo11 = 1; }, texts({t::TemperaturLeer}), "empty, K"},
        {[](InputControls& c) { c.Text17 = "  ", c.Combo11 = 2; }, texts({t::TemperaturLeer}), "blanks, °F"},
        {[](InputControls& c) { c.Text17 = "warm"; }, texts({t::TemperaturLeer}), "no number in it"},
        {[](InputControls& c) { c.Text17 = "0"; }, "", "0 °C"},
        {[](InputControls& c) { c.Text17 = ",0"; }, "", "0 °C with a comma"},
        {[](InputControls& c) { c.Text18 = "-3400"; }, texts({t::AuslegungsdurchflussNegativ}), "negative flow"},
        {[](InputControls& c) { c.Check1 = 1, c.Text19 = "1", c.Text20 = "-1", c.Text21 = "1"; },
         texts({t::BereichsdurchflussNegativ}), "a negative normal flow in the range"},
        {[](InputControls& c) { c.Text20 = "-1"; }, "", "the range is not read while it is off"},
        {[](InputControls& c) { c.Text1 = "-1,2"; }, texts({t::DichteNegativ}), "ideal gas, negative norm density"},
        {[](InputControls& c) { c.Text7 = "-0,018"; }, texts({t::ViskositaetNegativ}), "negative viscosity"},
        {[](InputControls& c) { c.Text2 = "-1"; }, texts({t::KompressibilitaetNegativ}), "negative compressibility"},
        {[](InputControls& c) { c.Text29 = "-1,4"; }, texts({t::IsentropenkoeffizientNegativ}), "negative κ"},
        {[](InputControls& c) { c.Option2 = false, c.Option4 = true, c.Text1 = "-998", c.Text7 = "-1"; },
         texts({t::DichteNegativ, t::ViskositaetNegativ}), "liquid"},
        {[](InputControls& c) { c.Option2 = false, c.Option3 = true, c.Text5 = "-1", c.Text6 = "-1", c.Text3 = "-82",
                                c.Text4 = "4600", c.Text30 = "-1,3"; },
         texts({t::DichteNegativ, t::ViskositaetNegativ, t::IsentropenkoeffizientNegativ}), "Redlich-Kwong"},
        {[](InputControls& c) { c.Option2 = false, c.Option3 = true, c.Text5 = "1", c.Text6 = "1", c.Text3 = "-300",
                                c.Text4 = "-4600", c.Text30 = "1,3"; },
         texts({t::KritischerDruckNegativ, t::KritischeTemperaturNullpunkt}), "Redlich-Kwong critical point"},
        {[](InputControls& c) { c.Text8 = "-100"; }, texts({t::RohrmassNegativ}), "negative pipe diameter"},
        {[](InputControls& c) { c.Text9 = "-1"; }, texts({t::WandstaerkeNegativ}), "negative wall"},
        {[](InputControls& c) { c.Text9 = "0"; }, "", "a wall of 0 passes"},
        {[](InputControls& c) { c.Text10 = "-50"; }, texts({t::OeffnungNegativ}), "negative bore"},
        {[](InputControls& c) { c.Text10 = "150"; }, texts({t::OeffnungNichtKleinerRohr}), "bore 150 in 100 mm"},
        {[](InputControls& c) { c.Text10 = "100"; }, texts({t::OeffnungNichtKleinerRohr}), "bore as the pipe"},
        {[](InputControls& c) { c.Text10 = "99,9"; }, "", "bore just below the pipe"},
        {[](InputControls& c) { c.Combo2 = element::VenturiBearbeitet, c.Check2 = 1, c.Text22 = "200"; },
         texts({t::RechteckkanalNorm}), "venturi tube in a duct"},
        {[](InputControls& c) { c.Combo2 = element::RQ25, c.Check2 = 1, c.Text22 = "200"; }, "",
         "a probe may sit in a duct"},
        {[](InputControls& c) { c.Combo2 = element::SondeAndererHersteller, c.Text10 = "0,6", c.Text11 = ""; },
         texts({t::SondenbreiteNichtPositiv}), "type 8 with an empty probe width"},
        {[](InputControls& c) { c.Combo2 = element::SondeAndererHersteller, c.Text10 = "-0,6", c.Text11 = "21"; },
         texts({t::KZahlNichtPositiv}), "type 8 with a negative K"},
        {[](InputControls& c) { c.Combo2 = element::SondeAndererHersteller, c.Text10 = "0,6", c.Text11 = "120"; },
         texts({t::SondeNichtSchmalerRohr}), "type 8 wider than the pipe"},
        {[](InputControls& c) { c.Combo2 = element::RQ50, c.Text8 = "50"; }, texts({t::SondeNichtSchmalerRohr}),
         "RQ50 (50 mm) in a 50 mm pipe"},
        {[](InputControls& c) { c.Combo2 = element::RQ25, c.Text8 = "22"; }, "", "RQ25 (21 mm) in a 22 mm pipe"},
    };
    for (const auto& k : cases) {
        TestTracer tr;
        InputControls c = validWindow();
        k.change(c);
        EXPECT_EQ(readWindow(c).ui.gFehlerEingabe, k.expected) << k.shows;
        EXPECT_TRUE(tr.responder.reports.empty()) << k.shows;
    }
    // Both languages have the texts.
    InputControls c = validWindow();
    c.Text18 = "-1";
    EXPECT_EQ(readWindow(c, OffsetEnglish).ui.gFehlerEingabe, "The design flow must be greater than 0. ");
}

// The solver that seeks the flow sets the design flow itself: read for it
// with the flow sought, the typed design flow (empty, 0 or negative) is not
// checked. Read for Calc!, or for the solver seeking a diameter, it is.
TEST(ReadOberflaeche, DesignFlowNotCheckedForTheSolverThatSeeksIt)
{
    namespace t = eingabetext;
    struct Case {
        const char* text18;
        bool flowSought;
        ReadingFor purpose;
        std::string expected;
    } const cases[] = {
        {"", true, ReadingFor::Solver, ""},
        {"0", true, ReadingFor::Solver, ""},
        {"-5", true, ReadingFor::Solver, ""},
        {"", true, ReadingFor::Calculation, texts({t::AuslegungsdurchflussNull})},
        {"-5", true, ReadingFor::Calculation, texts({t::AuslegungsdurchflussNegativ})},
        {"", false, ReadingFor::Solver, texts({t::AuslegungsdurchflussNull})},
        {"-5", false, ReadingFor::Solver, texts({t::AuslegungsdurchflussNegativ})},
    };
    for (const Case& k : cases) {
        TestTracer tr;
        InputControls c = validWindow();
        c.Check4 = 1;
        c.Text37 = "100";
        c.Option17 = !k.flowSought;
        c.Option18 = k.flowSought;
        c.Text18 = k.text18;
        ProgramState ps;
        ReadOberflaeche(c, ps, k.purpose);
        const std::string shows = std::string("design flow \"") + k.text18 + "\", " +
                                  (k.flowSought ? "flow sought, " : "diameter sought, ") +
                                  (k.purpose == ReadingFor::Solver ? "for the solver" : "for Calc!");
        EXPECT_EQ(ps.ui.gFehlerEingabe, k.expected) << shows;
        EXPECT_TRUE(tr.responder.reports.empty()) << shows;
    }
}

TEST(ReadOberflaeche, OneInputMessageALine)
{
    TestTracer t;
    InputControls c = validWindow();
    c.Option2 = false;
    c.Option1 = true;
    c.Combo1 = medium::Keins;
    c.Combo2 = element::Keins;
    const ProgramState ps = readWindow(c, OffsetEnglish);
    EXPECT_EQ(ps.ui.gFehlerEingabe, "Please select a fluid\r\nPlease select a dp primary element");
}

TEST(ReadOberflaeche, StartsAfreshAndLeavesTheInstallationPanelAlone)
{
    TestTracer t;
    InputControls c = validWindow();
    c.Combo5 = 3;
    c.Check3 = 1;
    c.Option11 = true;
    ProgramState ps;
    ps.ui.gFehlerEingabe = "old";
    ps.calc.gWerkstoffRohr = 7;
    ps.calc.gEinbauHorizontal = False;
    ReadOberflaeche(c, ps);
    EXPECT_EQ(ps.ui.gFehlerEingabe, "");
    const ProgramState once = ps;
    ReadOberflaeche(c, ps);
    EXPECT_EQ(ps.calc.gWerkstoffRohr, 7) << "Frame4 is not read";
    EXPECT_EQ(ps.calc.gEinbauHorizontal, False);
    for (const StateField& f : stateFields()) {
        std::visit([&](auto m) { EXPECT_EQ(ps.calc.*m, once.calc.*m) << f.name << ": a second call changes nothing"; },
                   f.member);
    }
}

TEST(ReadOberflaeche, ListWithoutSelectionIsRuntimeError380)
{
    TestTracer t;
    InputControls c = validWindow();
    c.Combo1 = -1;
    readWindow(c);
    ASSERT_EQ(t.responder.reports.size(), 1u);
    EXPECT_EQ(t.responder.reports[0].number, 380);
    EXPECT_EQ(t.responder.reports[0].module, "frmMain");
    EXPECT_EQ(t.responder.reports[0].procedure, "ReadOberflaeche");
}

TEST(ReadOberflaeche, TextTooLongToCountIsAnOverflow)
{
    TestTracer t;
    InputControls c = validWindow();
    c.Text7 = std::string(32768, '1');
    readWindow(c);
    ASSERT_EQ(t.responder.reports.size(), 1u);
    EXPECT_EQ(t.responder.reports[0].number, 6);
    EXPECT_EQ(t.responder.reports[0].procedure, "ReadOberflaeche");
}

// ---- writing ---------------------------------------------------------------

// A state as a calculation file leaves it: ideal gas, orifice in a free-entry pipe.
ProgramState fileState()
{
    ProgramState ps;
    CalculationState& s = ps.calc;
    s.gModellIdealesGas = True;
    s.gMediumNr = medium::Stickstoff;
    s.gDichteEingabe = 1.2504;
    s.gKompressibilitaetEingabe = 0.998;
    s.gViskositaetEingabe = 0.0176;
    s.gIsentropenkoeffizientEingabe = 1.4;
    s.gKritischeTemperatur = -146.95;
    s.gKritischerDruck = 3395.8;
    s.gNormdichteRK = 1.25;
    s.gViskositaetRK = 0.018;
    s.gIsentropenkoeffizientRK = 1.39;
    s.gMediumsbezeichnung = "Stickstoff";
    s.gMediumsbezeichnungRK = "N2";
    s.gEpsilonQ67 = True;
    s.gPrimaerelementtyp = element::BlendeEcke;
    s.gOeffnungsdurchmesser = 61.25;
    s.gSondenbreite = 26;
    s.gKZahlEingabe = 0.65;
    s.gKorrekturFaktor = 1.02;
    s.gRohrmassFrei = True;
    s.gInnendurchmesser = 102.3;
    s.gInnenmassB = 40;
    s.gWandstaerke = 3.6;
    s.gDruck = 250;
    s.gDruckEinheit = pressureunit::psi;
    s.gTemperatur = 20;
    s.gTemperaturEinheit = temperatureunit::Kelvin;
    s.gDpEinheit = dpunit::mbar;
    s.gDurchflussAuslegung = 1500;
    s.gDurchflussEinheit = flowunit::Nm3h;
    s.gMehrereBetriebspunkte = 1;
    s.gDurchflussMax = 1800;
    s.gDurchflussNorm = 1200;
    s.gDurchflussMin = 300;
    s.gDifferenzdruckSoll = 5;  // mbar: the file reader has scaled it
    s.gDpBekannt = 1;
    s.gAuslegungDurchfluss = True;
    s.gWerkstoffRohr = 2;
    s.gEinbauform = 4;
    s.gEinbauVertikal = True;
    s.gEinbaulageVonOben = True;
    ps.doc.gKundeFirma1 = "Firma";
    ps.doc.gKundeName = "Name";
    ps.doc.gMessstellennummer = "FT-101";
    ps.doc.gBemerkungen = "zwei\r\nZeilen";
    ps.doc.gDatum = "10.12.2026 09:30";
    ps.doc.gDateiname = "/home/user/n2.mv5";
    return ps;
}

TEST(WriteOberflaeche, WriteThenReadGivesTheSameState)
{
    TestTracer t;
    ProgramState ps = fileState();
    const ProgramState before = ps;
    InputControls c = resetWindow();
    WriteOberflaeche(ps, c);
    ReadOberflaeche(c, ps);
    EXPECT_TRUE(t.responder.reports.empty());
    EXPECT_EQ(ps.ui.gFehlerEingabe, "");
    for (const StateField& f : stateFields()) {
        if (f.name == "gDifferenzdruckSoll") {
            EXPECT_DOUBLE_EQ(ps.calc.gDifferenzdruckSoll, 0.5) << "box in mbar, state in kPa";
        } else if (f.name == "gSondenbreite") {
            // Text11 is written for type 8 only but read for every type, so the
            // reset box's empty text replaces the file's width of an orifice.
            EXPECT_EQ(ps.calc.gSondenbreite, 0.0);
        } else if (f.name == "gEpsilonFaktor") {
            EXPECT_DOUBLE_EQ(ps.calc.gEpsilonFaktor, 2.0 / 3.0);
        } else if (f.name == "gDruck") {
            // Shown in psi with 12 significant digits (36.2594201974): back in
            // kPa within half a unit of the twelfth digit.
            EXPECT_NEAR(ps.calc.gDruck, 250.0, 250.0 * 5e-12);
        } else if (f.kind == FieldKind::Double) {
            const double want = f.in<double>(before.calc);
            EXPECT_NEAR(f.in<double>(ps.calc), want, 1e-13 * std::abs(want)) << f.name;
        } else {
            std::visit([&](auto m) { EXPECT_EQ(ps.calc.*m, before.calc.*m) << f.name; }, f.member);
        }
    }
    EXPECT_EQ(ps.doc.gKundeFirma1, "Firma");
    EXPECT_EQ(ps.doc.gMessstellennummer, "FT-101");
    EXPECT_EQ(ps.doc.gBemerkungen, "zwei\r\nZeilen");
    EXPECT_EQ(ps.doc.gDatum, "10.12.2026 09:30");
    EXPECT_EQ(c.statusPanel1, "/home/user/n2.mv5");
}

TEST(WriteOberflaeche, FileWithoutModelOpensWithStoredData)
{
    TestTracer t;
    ProgramState ps = fileState();
    ps.calc.gModellIdealesGas = False;
    InputControls c = resetWindow();
    c.Option1 = false;
    c.Option2 = true;
    WriteOberflaeche(ps, c);
    EXPECT_EQ(ps.calc.gModellGespeicherteDaten, True);
    EXPECT_EQ(ps.calc.gModellIdealesGas, False);
    EXPECT_EQ(ps.calc.gModellRedlichKwong, False);
    EXPECT_EQ(ps.calc.gModellFluessigkeit, False);
    EXPECT_TRUE(c.Option1);
    EXPECT_FALSE(c.Option2 || c.Option3 || c.Option4);
}

TEST(WriteOberflaeche, PressureAndTemperatureInTheFilesDisplayUnits)
{
    struct Case {
        std::int16_t pressureUnit;
        std::int16_t temperatureUnit;
        const char* text16;
        const char* text17;
    } const cases[] = {
        {pressureunit::mbar, temperatureunit::Kelvin, " 2500", " 293.15"},
        {pressureunit::bar, temperatureunit::Fahrenheit, " 2.5", " 68"},
        {pressureunit::Pa, temperatureunit::Celsius, " 250000", " 20"},
        {pressureunit::kPa, temperatureunit::Celsius, " 250", " 20"},
    };
    for (const auto& k : cases) {
        TestTracer t;
        ProgramState ps = fileState();
        ps.calc.gDruckEinheit = k.pressureUnit;
        ps.calc.gTemperaturEinheit = k.temperatureUnit;
        InputControls c = resetWindow();
        WriteOberflaeche(ps, c);
        EXPECT_EQ(c.Text16, k.text16);
        EXPECT_EQ(c.Text17, k.text17);
        EXPECT_EQ(c.Combo9, k.pressureUnit);
        EXPECT_EQ(c.Combo11, k.temperatureUnit);
    }
    // psi: 250 kPa / 6.89476 kPa per psi = 36.2594201973673..., a converted
    // value with 12 significant digits.
    TestTracer t;
    ProgramState ps = fileState();
    InputControls c = resetWindow();
    WriteOberflaeche(ps, c);
    EXPECT_EQ(c.Text16, " 36.2594201974");
}

TEST(WriteOberflaeche, ElementBoxesByType)
{
    struct Case {
        std::int16_t typ;
        const char* text10;
        const char* text11;
    } const cases[] = {
        {element::RQ8, " 61.25", "keep"},
        {element::SondeAndererHersteller, " 0.65", " 26"},
        {element::BlendeFlansch, " 61.25", "keep"},
        {element::VenturiStahlblech, " 61.25", "keep"},
        {element::RQ10, "keep", "keep"},
        {element::RQ50, "keep", "keep"},
        {element::Keins, "keep", "keep"},
    };
    for (const auto& k : cases) {
        TestTracer t;
        ProgramState ps = fileState();
        ps.calc.gPrimaerelementtyp = k.typ;
        InputControls c = resetWindow();
        c.Text10 = c.Text11 = "keep";
        WriteOberflaeche(ps, c);
        EXPECT_EQ(c.Combo2, k.typ);
        EXPECT_EQ(c.Text10, k.text10) << "type " << k.typ;
        EXPECT_EQ(c.Text11, k.text11) << "type " << k.typ;
    }
}

TEST(WriteOberflaeche, KnownDpOfTheFileShowsInMbarAndReadsBackInKPa)
{
    TestTracer t;
    ProgramState ps = fileState();  // 0.5 kPa in the file, 5 mbar after reading it
    InputControls c = resetWindow();
    WriteOberflaeche(ps, c);
    EXPECT_EQ(c.Text37, " 5");
    EXPECT_EQ(c.Check4, 1);
    EXPECT_TRUE(c.Check4Enabled);
    EXPECT_TRUE(c.Option18);
    EXPECT_FALSE(c.Option17) << "selecting Option18 clears its group";
    ReadOberflaeche(c, ps);
    EXPECT_DOUBLE_EQ(ps.calc.gDifferenzdruckSoll, 0.5);
}

// The hook sees every assignment in order; a window runs the handlers there.
TEST(WriteOberflaeche, HookRunsInTheOrderThatTheHandlersNeed)
{
    TestTracer t;
    ProgramState ps = fileState();
    ps.calc.gRohrmassFrei = False;
    ps.calc.gRohrmassNorm = True;
    ps.calc.gNennweite = 16;  // DN400
    ps.calc.gDruckstufe = 5;  // PN 40
    InputControls c = resetWindow();
    std::vector<std::string> seen;
    // Stands for the pipe-table lookup that the size lists run.
    const ControlSetHook hook = [&](std::string_view name) {
        seen.emplace_back(name);
        if (name == "Combo4") {
            ps.calc.gInnendurchmesser = 384.4;
            ps.calc.gWandstaerke = 11;
            c.Text8 = strForm(384.4);
            c.Text9 = strForm(11);
        }
    };
    WriteOberflaeche(ps, c, hook);
    const auto at = [&](const char* name) {
        return std::find(seen.begin(), seen.end(), name) - seen.begin();
    };
    EXPECT_LT(at("Option6"), at("Combo2"));
    EXPECT_LT(at("Combo2"), at("Text10")) << "Text10 goes by the type the list shows";
    EXPECT_LT(at("Text8"), at("Combo3"));
    EXPECT_LT(at("Combo3"), at("Combo4"));
    EXPECT_LT(at("Text18"), at("Combo8")) << "the unit lists come after the boxes";
    EXPECT_EQ(c.Combo3, 16);
    EXPECT_EQ(c.Combo4, 5);
    EXPECT_EQ(c.Text8, " 384.4") << "the lookup's value, not the file's";
    EXPECT_EQ(c.Text9, " 11");
    EXPECT_EQ(seen.end(), std::find(seen.begin(), seen.end(), "cmbConfField_Click(0)"))
        << "no saved configuration: no rebuild";

    // With free entry the size lists keep their selection.
    seen.clear();
    ProgramState frei = fileState();
    InputControls c2 = resetWindow();
    c2.Combo3 = 7;
    WriteOberflaeche(frei, c2, [&](std::string_view n) { seen.emplace_back(n); });
    EXPECT_EQ(c2.Combo3, 7);
    EXPECT_EQ(seen.end(), std::find(seen.begin(), seen.end(), "Combo3"));
}

TEST(WriteOberflaeche, OppositeSupportLabelTag)
{
    TestTracer t;
    ProgramState ps = fileState();
    ps.calc.gGegenlagerNotwendig = True;
    ps.calc.gGegenlagerVorgesehen = 1;
    InputControls c = resetWindow();
    WriteOberflaeche(ps, c);
    EXPECT_EQ(c.Label62Tag, "1582");
    EXPECT_EQ(c.Check3, 1);
    ps.calc.gGegenlagerNotwendig = False;
    WriteOberflaeche(ps, c);
    EXPECT_EQ(c.Label62Tag, "1581");
    EXPECT_TRUE(c.Option12) << "gEinbauVertikal";
    EXPECT_FALSE(c.Option14);
    EXPECT_TRUE(c.Option9) << "gEinbaulageVonOben";
    EXPECT_FALSE(c.Option7);
    EXPECT_EQ(c.Combo5, 2);
    EXPECT_EQ(c.Combo13, 4);
}

TEST(WriteOberflaeche, RestoresSavedConfigurationRows)
{
    TestTracer t;
    ProgramState ps = fileState();
    ps.calc.gPrimaerelementtyp = element::RQ25;
    ConfAuswahl& a = ps.config.gConfAuswahl;
    a.ComboIndex = element::RQ25;
    a.Anzahl = 3;
    a.FeldIndex[0] = 2, a.Wert[0] = 0;
    a.FeldIndex[1] = 1, a.Wert[1] = 250.5;
    a.FeldIndex[2] = 1, a.Wert[2] = 0.5;
    ps.config.gConfFeldAnzahl = 4;
    auto& felder = ps.config.gConfFelder;
    felder[0].Code[2] = "B";  // an option without entry
    felder[1].EditField = True, felder[1].Code[1] = "XX", felder[1].TextinCombo = "XX", felder[1].Type = "Value",
    felder[1].LabelStringID = 1810;
    felder[2].EditField = True, felder[2].Code[1] = "YY", felder[2].TextinCombo = "YY", felder[2].Type = "CombiAdd";
    InputControls c = resetWindow();
    c.confRows.resize(4);
    c.confRows[2].lblEntryInfoVisible = true;
    c.confRows[2].lblEntryInfo = "old";
    c.confRows[3].cmbConfField = 5;
    std::vector<std::string> seen;
    std::vector<std::int16_t> muted;
    WriteOberflaeche(ps, c, [&](std::string_view n) {
        seen.emplace_back(n);
        muted.push_back(ps.config.gConfEventsAus);
    });
    EXPECT_TRUE(t.responder.reports.empty());
    EXPECT_EQ(c.confRows[0].cmbConfField, 2);
    EXPECT_EQ(c.confRows[0].txtValueEntry, "0") << "the plain number";
    EXPECT_EQ(c.confRows[2].txtValueEntry, ".5") << "no zero before the point";
    EXPECT_FALSE(c.confRows[0].txtValueEntryVisible);
    EXPECT_EQ(c.confRows[1].txtValueEntry, "250.5");
    EXPECT_TRUE(c.confRows[1].txtValueEntryVisible);
    EXPECT_TRUE(c.confRows[1].lblEntryInfoVisible);
    EXPECT_EQ(c.confRows[1].lblEntryInfo, resText(1810, OffsetGerman));
    EXPECT_TRUE(c.confRows[2].txtValueEntryVisible);
    EXPECT_FALSE(c.confRows[2].lblEntryInfoVisible) << "no label id hides the label";
    EXPECT_EQ(c.confRows[2].lblEntryInfo, "");
    EXPECT_EQ(c.confRows[3].cmbConfField, 5) << "rows beyond the saved ones stay";
    EXPECT_EQ(ps.config.gConfEventsAus, False);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "cmbConfField_Click(0)");
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "cmbConfField_Click(0)"), 1);
    const auto first = std::find(seen.begin(), seen.end(), "cmbConfField(0)") - seen.begin();
    EXPECT_EQ(muted[static_cast<std::size_t>(first)], True) << "the restoring loop runs muted";
    EXPECT_EQ(muted.back(), False) << "the rebuild runs unmuted";
}

// The window copies its widgets back into the controls after a list change; a
// copy that gives confRows a new buffer must not leave the restoring loop
// writing into the old one.
TEST(WriteOberflaeche, RestoringRowsSurvivesTheWindowCopyingItsRowsBack)
{
    TestTracer t;
    ProgramState ps = fileState();
    ps.calc.gPrimaerelementtyp = element::RQ25;
    ConfAuswahl& a = ps.config.gConfAuswahl;
    a.ComboIndex = element::RQ25;
    a.Anzahl = 2;
    a.FeldIndex[0] = 1, a.Wert[0] = 40;
    a.FeldIndex[1] = 1, a.Wert[1] = 2.5;
    ps.config.gConfFeldAnzahl = 2;
    for (ConfigField& f : std::span(ps.config.gConfFelder).first(2))
        f.EditField = True, f.Code[1] = "XX", f.TextinCombo = "XX", f.Type = "Value", f.LabelStringID = 1810;
    InputControls c = resetWindow();
    c.confRows.resize(2);
    WriteOberflaeche(ps, c, [&](std::string_view n) {
        if (n.substr(0, 12) == "cmbConfField" || n.substr(0, 13) == "txtValueEntry") {
            std::vector<ConfigRowControls> copied(c.confRows);
            c.confRows.swap(copied);  // the old buffer goes with `copied`
        }
    });
    EXPECT_TRUE(t.responder.reports.empty());
    ASSERT_EQ(c.confRows.size(), 2u);
    EXPECT_EQ(c.confRows[0].cmbConfField, 1);
    EXPECT_EQ(c.confRows[0].txtValueEntry, "40");
    EXPECT_EQ(c.confRows[1].txtValueEntry, "2.5");
    EXPECT_TRUE(c.confRows[1].txtValueEntryVisible);
    EXPECT_TRUE(c.confRows[1].lblEntryInfoVisible);
    EXPECT_EQ(c.confRows[1].lblEntryInfo, resText(1810, OffsetGerman));
}

// Rows are restored only for the maker's models 1 to 7: a file of another
// element type leaves the rows alone and asks for no rebuild.
TEST(WriteOberflaeche, RowsOnlyForTheMakersModels)
{
    struct Case {
        std::int16_t comboIndex;
        bool restored;
    } const cases[] = {{element::RQ8, true}, {element::RQ50, true}, {element::SondeAndererHersteller, false},
                       {element::BlendeFlansch, false}, {element::VenturiStahlblech, false}, {-1, false}};
    for (const Case& k : cases) {
        TestTracer t;
        ProgramState ps = fileState();
        ConfAuswahl& a = ps.config.gConfAuswahl;
        a.ComboIndex = k.comboIndex;
        a.Anzahl = 1;
        a.FeldIndex[0] = 1;
        ps.config.gConfFeldAnzahl = 1;
        InputControls c = resetWindow();
        c.confRows.resize(1);
        std::vector<std::string> seen;
        WriteOberflaeche(ps, c, [&](std::string_view n) { seen.emplace_back(n); });
        EXPECT_TRUE(t.responder.reports.empty()) << k.comboIndex;
        EXPECT_EQ(c.confRows[0].cmbConfField, k.restored ? 1 : -1) << k.comboIndex;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), "cmbConfField_Click(0)"), k.restored ? 1 : 0) << k.comboIndex;
    }
}

TEST(WriteOberflaeche, BadListIndexOfAFileIsRuntimeError380)
{
    TestTracer t;
    ProgramState ps = fileState();
    ps.calc.gMediumNr = listcount::Combo1;
    InputControls c = resetWindow();
    WriteOberflaeche(ps, c);
    ASSERT_EQ(t.responder.reports.size(), 1u);
    EXPECT_EQ(t.responder.reports[0].number, 380);
    EXPECT_EQ(t.responder.reports[0].procedure, "WriteOberflaeche");
}

// ---- display units -----------------------------------------------------------

TEST(DisplayUnits, ListTextsAndDpFactors)
{
    EXPECT_EQ(unitText(PressureUnitTextBase, pressureunit::bar, OffsetGerman), "bar/abs");
    EXPECT_EQ(unitText(DpUnitTextBase, dpunit::mmWs, OffsetEnglish), "mmWs");
    EXPECT_EQ(unitText(TemperatureUnitTextBase, temperatureunit::Fahrenheit, OffsetGerman), "°F");
    EXPECT_EQ(unitText(FlowUnitTextBase, flowunit::Nm3h, OffsetGerman), "Nm³/h");
    // 1 kPa = 1000 / 9.80665 mm of water column (the conventional mmH2O of 9.80665 Pa).
    EXPECT_DOUBLE_EQ(*dpForDisplay(1.0, dpunit::mmWs), 101.97162);
    EXPECT_DOUBLE_EQ(*dpForDisplay(1.0, dpunit::mbar), 10.0);
    EXPECT_FALSE(dpForDisplay(1.0, 6).has_value());
    EXPECT_FALSE(pressureForDisplay(1.0, -1).has_value());
    EXPECT_DOUBLE_EQ(pressureToKPa(7.0, 9), 7.0) << "an unknown unit leaves the value as typed";
}

}  // namespace
}  // namespace morvane
