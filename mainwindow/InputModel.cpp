#include "mainwindow/InputModel.h"

#include "common/ResourceTexts.h"
#include "configurator/TypeCode.h"
#include "engine/DisplayUnits.h"
#include "engine/FlowAndDifferentialPressure.h"
#include "engine/InnerDiameter.h"
#include "engine/TypeKey.h"
#include "mainwindow/StrCheck.h"
#include "platform/NumberText.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace morvane {

namespace {

Boolean optionField(bool value) { return value ? True : False; }

// A list's index as a state field: something must be selected.
Integer listField(std::int16_t index, int count)
{
    if (index < 0 || index >= count)
        raiseError(err::InvalidPropertyValue);
    return index;
}

// --- what the window can show ------------------------------------------------

// A list shows an index from -1 (nothing selected) to count - 1; a check box
// the values 0 cleared, 1 ticked, 2 greyed.
bool listIndexFits(Integer index, int count) { return index >= -1 && index < count; }
bool checkValueFits(Flag value) { return value >= 0 && value <= 2; }

// An option button and the state field it shows.
struct OptionBinding {
    bool InputControls::*control;
    Boolean CalculationState::*field;
};

// The option groups: selecting one option clears the others of its group, so
// a group shows at most one of its fields true (Option13 sits alone).
const std::vector<std::vector<OptionBinding>>& optionGroups()
{
    using C = InputControls;
    using S = CalculationState;
    static const std::vector<std::vector<OptionBinding>> groups = {
        {{&C::Option1, &S::gModellGespeicherteDaten},
         {&C::Option2, &S::gModellIdealesGas},
         {&C::Option3, &S::gModellRedlichKwong},
         {&C::Option4, &S::gModellFluessigkeit}},
        {{&C::Option5, &S::gRohrmassFrei}, {&C::Option6, &S::gRohrmassNorm}},
        {{&C::Option15, &S::gEpsilonQ100}, {&C::Option16, &S::gEpsilonQ67}},
        {{&C::Option17, &S::gAuslegungDurchmesser}, {&C::Option18, &S::gAuslegungDurchfluss}},
        {{&C::Option11, &S::gEinbauHorizontal},
         {&C::Option12, &S::gEinbauVertikal},
         {&C::Option14, &S::gEinbaulageUnbekannt}},
        {{&C::Option7, &S::gEinbaulageHorizontal1},
         {&C::Option8, &S::gEinbaulageVonUnten},
         {&C::Option9, &S::gEinbaulageVonOben},
         {&C::Option10, &S::gEinbaulageHorizontal2}},
        {{&C::Option13, &S::gEinbaulageVertikal}},
    };
    return groups;
}

// --- the write side: every assignment goes through the hook ----------------

class ControlWriter {
public:
    ControlWriter(InputControls& c, const ControlSetHook& hook) : c_(c), hook_(hook) {}

    void text(std::string InputControls::*member, std::string_view name, std::string value)
    {
        c_.*member = std::move(value);
        notify(name);
    }
    void number(std::string InputControls::*member, std::string_view name, double value)
    {
        text(member, name, strForm(value));
    }
    void list(std::int16_t InputControls::*member, std::string_view name, Integer index, int count)
    {
        if (!listIndexFits(index, count))
            raiseError(err::InvalidPropertyValue);
        c_.*member = index;
        notify(name);
    }
    void check(std::int16_t InputControls::*member, std::string_view name, Flag value)
    {
        if (!checkValueFits(value))
            raiseError(err::InvalidPropertyValue);
        c_.*member = value;
        notify(name);
    }
    // Any non-zero Boolean selects the option, which clears the others of its group.
    void option(bool InputControls::*member, std::string_view name, Boolean value)
    {
        const bool selected = value != 0;
        if (selected) {
            for (const auto& group : optionGroups()) {
                const bool inGroup =
                    std::any_of(group.begin(), group.end(), [&](const OptionBinding& o) { return o.control == member; });
                if (inGroup)
                    for (const OptionBinding& mate : group)
                        c_.*(mate.control) = false;
            }
        }
        c_.*member = selected;
        notify(name);
    }
    void notify(std::string_view name)
    {
        if (hook_)
            hook_(name);
    }

private:
    InputControls& c_;
    const ControlSetHook& hook_;
};

std::string rowName(std::string_view control, int i)
{
    return std::string(control) + "(" + std::to_string(i) + ")";
}

}  // namespace

void ReadOberflaeche(const InputControls& c, ProgramState& ps, ReadingFor purpose)
{
    Guard g("frmMain", "ReadOberflaeche", "Public Sub ReadOberflaeche()");
    CalculationState& s = ps.calc;
    UiZustand& ui = ps.ui;

    if (!g.step([&] { ui.gFehlerEingabe.clear(); }))
        return;
    // 1 model options
    if (!g.step([&] {
            s.gModellGespeicherteDaten = optionField(c.Option1);
            s.gModellIdealesGas = optionField(c.Option2);
            s.gModellRedlichKwong = optionField(c.Option3);
            s.gModellFluessigkeit = optionField(c.Option4);
        }))
        return;
    // 2 type key of the models 1..7 (empty for every other element type) and
    // the opposite support it asks for ("...GE1", case-sensitive)
    if (!g.step([&] { ps.config.gTypenschluessel = typeKey(c.Combo2, c.txtTypeInfo, c.txtCodeDisplay); }))
        return;
    if (!g.step([&] { s.gGegenlagerVorgesehen = oppositeSupportOf(ps.config.gTypenschluessel); }))
        return;
    // 3 .. 7 medium
    if (!g.step([&] { s.gMediumNr = listField(c.Combo1, listcount::Combo1); }))
        return;
    if (!g.step([&] {
            s.gDichteEingabe = readNumber(c.Text1);
            s.gKompressibilitaetEingabe = readNumber(c.Text2);
            s.gViskositaetEingabe = readNumber(c.Text7);
        }))
        return;
    if (!g.step([&] {
            s.gKritischeTemperatur = readNumber(c.Text3);
            s.gKritischerDruck = readNumber(c.Text4);
            s.gNormdichteRK = readNumber(c.Text5);
            s.gViskositaetRK = readNumber(c.Text6);
        }))
        return;
    if (!g.step([&] {
            s.gIsentropenkoeffizientEingabe = readNumber(c.Text29);
            s.gIsentropenkoeffizientRK = readNumber(c.Text30);
        }))
        return;
    if (!g.step([&] {
            s.gMediumsbezeichnung = c.Text13;
            s.gMediumsbezeichnungRK = c.Text14;
        }))
        return;
    // 8, 9 expansion factor: at 66.7 % of the flow when Option16 is chosen
    if (!g.step([&] {
            s.gEpsilonQ67 = optionField(c.Option16);
            s.gEpsilonQ100 = optionField(c.Option15);
        }))
        return;
    if (!g.step([&] { s.gEpsilonFaktor = s.gEpsilonQ67 != 0 ? 2.0 / 3.0 : 1.0; }))
        return;
    // 10 .. 13 element
    if (!g.step([&] { s.gPrimaerelementtyp = listField(c.Combo2, listcount::Combo2); }))
        return;
    // Text10 is the bore of the RQ8 and of the orifices, nozzles and venturi
    // tubes, the K number of another maker's probe, and nothing for types 2..7.
    if (!g.step([&] {
            const Integer typ = s.gPrimaerelementtyp;
            if (typ == element::RQ8 || typ >= element::BlendeFlansch)
                s.gOeffnungsdurchmesser = readNumber(c.Text10);
            else if (typ == element::SondeAndererHersteller)
                s.gKZahlEingabe = readNumber(c.Text10);
        }))
        return;
    if (!g.step([&] { s.gSondenbreite = readNumber(c.Text11); }))
        return;
    if (!g.step([&] { s.gKorrekturFaktor = readNumber(c.Text15); }))
        return;
    // 14 .. 18 pipe
    if (!g.step([&] {
            s.gRohrmassFrei = optionField(c.Option5);
            s.gRohrmassNorm = optionField(c.Option6);
        }))
        return;
    if (!g.step([&] {
            s.gNennweite = listField(c.Combo3, listcount::Combo3);
            s.gDruckstufe = listField(c.Combo4, listcount::Combo4);
        }))
        return;
    if (!g.step([&] {
            s.gInnendurchmesser = readNumber(c.Text8);
            s.gInnenmassB = readNumber(c.Text22);
        }))
        return;
    if (!g.step([&] { s.gRohrRechteckig = c.Check2; }))
        return;
    if (!g.step([&] { s.gWandstaerke = readNumber(c.Text9); }))
        return;
    // 19 .. 25 process data; the known dp is typed in mbar and kept in kPa
    if (!g.step([&] { s.gDruck = readNumber(c.Text16); }))
        return;
    if (!g.step([&] {
            s.gDruckEinheit = listField(c.Combo9, listcount::Combo9);
            s.gDpEinheit = listField(c.Combo10, listcount::Combo10);
            s.gTemperaturEinheit = listField(c.Combo11, listcount::Combo11);
        }))
        return;
    if (!g.step([&] { s.gDifferenzdruckSoll = readNumber(c.Text37) / 10.0; }))
        return;
    if (!g.step([&] { s.gDpBekannt = c.Check4; }))
        return;
    if (!g.step([&] {
            s.gAuslegungDurchmesser = optionField(c.Option17);
            s.gAuslegungDurchfluss = optionField(c.Option18);
        }))
        return;
    if (!g.step([&] { s.gDruck = pressureToKPa(s.gDruck, s.gDruckEinheit); }))
        return;
    if (!g.step([&] { s.gTemperatur = temperatureToCelsius(readNumber(c.Text17), s.gTemperaturEinheit); }))
        return;
    // 26 .. 29 flows, kept in the unit chosen
    if (!g.step([&] { s.gDurchflussAuslegung = readNumber(c.Text18); }))
        return;
    if (!g.step([&] { s.gMehrereBetriebspunkte = c.Check1; }))
        return;
    if (!g.step([&] { s.gDurchflussEinheit = listField(c.Combo8, listcount::Combo8); }))
        return;
    if (!g.step([&] {
            s.gDurchflussMax = readNumber(c.Text19);
            s.gDurchflussNorm = readNumber(c.Text20);
            s.gDurchflussMin = readNumber(c.Text21);
        }))
        return;
    // 30 .. 32 document texts
    if (!g.step([&] {
            DokumentDaten& d = ps.doc;
            d.gBemerkungen = c.Text12;
            d.gKundeFirma1 = c.Text23;
            d.gKundeFirma2 = c.Text24;
            d.gKundeName = c.Text25;
            d.gKundeStrasse = c.Text26;
            d.gKundePLZOrt = c.Text27;
            d.gKundeTelFax = c.Text28;
            d.gKundenprojekt = c.Text31;
            d.gAuftragsnummer = c.Text32;
            d.gMessstellennummer = c.Text33;
            d.gSeriennummer = c.Text34;
            d.gZeugnisse = c.Text35;
            d.gDatum = c.Text36;
        }))
        return;

    // The input checks, all of them, in this order; a value fails when it is
    // exactly 0 (a negative value passes).
    namespace t = eingabetext;
    const bool gespeichert = isTrue(s.gModellGespeicherteDaten);
    const bool ideal = isTrue(s.gModellIdealesGas);
    const bool rk = isTrue(s.gModellRedlichKwong);
    const bool fluessig = isTrue(s.gModellFluessigkeit);
    const Integer typ = s.gPrimaerelementtyp;
    const bool mehrere = isSet(s.gMehrereBetriebspunkte);
    // The solver that seeks the flow starts from a design flow of its own.
    const bool auslegungGesucht = purpose == ReadingFor::Solver && isTrue(s.gAuslegungDurchfluss);
    const bool normvolumen = s.gDurchflussEinheit < flowunit::kgh;
    // Elements after ISO 5167 (types 9 to 15) and the bore of those and the RQ8.
    const bool norm = typ >= element::BlendeFlansch;
    const bool bohrung = norm || typ == element::RQ8;
    const double sondenbreite = probeWidthMm(typ, s.gSondenbreite);
    double rohrWarm = 0.0;  // mm; 0 where the pipe has no size yet
    if (s.gInnendurchmesser > 0 && (!isSet(s.gRohrRechteckig) || s.gInnenmassB > 0))
        rohrWarm = warmDiameterMm(isSet(s.gRohrRechteckig)
                                      ? std::sqrt(4.0 * s.gInnendurchmesser * s.gInnenmassB / PiDuct)
                                      : s.gInnendurchmesser,
                                  s.gTemperatur);
    const bool temperaturLeer = !holdsNumber(c.Text17);
    const bool wasserDampf = s.gMediumNr == medium::UeberhitzterDampf || s.gMediumNr == medium::Sattdampf ||
                             s.gMediumNr == medium::Wasser;
    const struct {
        bool failed;
        std::int32_t id;
    } checks[] = {
        {gespeichert && s.gMediumNr == 0, t::KeinMedium},
        {ideal && s.gDichteEingabe == 0, t::Normdichte},
        {ideal && s.gViskositaetEingabe == 0, t::Viskositaet},
        {ideal && s.gKompressibilitaetEingabe == 0, t::Kompressibilitaet},
        {ideal && s.gIsentropenkoeffizientEingabe == 0, t::Isentropenkoeffizient},
        {rk && s.gNormdichteRK == 0, t::Normdichte},
        {rk && s.gViskositaetRK == 0, t::Viskositaet},
        {rk && s.gKritischerDruck == 0, t::KritischerDruck},
        {rk && s.gKritischeTemperatur == 0, t::KritischeTemperatur},
        {rk && s.gIsentropenkoeffizientRK == 0, t::Isentropenkoeffizient},
        {fluessig && s.gDichteEingabe == 0, t::Normdichte},
        {fluessig && s.gViskositaetEingabe == 0, t::Viskositaet},
        {typ == element::Keins, t::Primaerelementtyp},
        {s.gInnendurchmesser == 0 && typ != element::RQ8, t::Rohrinnendurchmesser},
        {s.gInnenmassB == 0 && isSet(s.gRohrRechteckig), t::ZweiteKanalachse},
        {s.gOeffnungsdurchmesser == 0 && typ == element::RQ8, t::Oeffnungsdurchmesser},
        {s.gOeffnungsdurchmesser == 0 && typ >= element::BlendeFlansch, t::Oeffnungsdurchmesser},
        // Saturated steam takes its pressure from the temperature.
        {s.gDruck == 0 && !(gespeichert && s.gMediumNr == medium::Sattdampf), t::Prozessdruck},
        {temperaturLeer, t::TemperaturLeer},
        {s.gDurchflussAuslegung == 0 && !auslegungGesucht, t::AuslegungsdurchflussNull},
        {s.gDurchflussEinheit == flowunit::Keine, t::KeineDurchflusseinheit},
        {s.gDurchflussMax == 0 && mehrere, t::MaximaldurchflussNull},
        {s.gDurchflussNorm == 0 && mehrere, t::NormaldurchflussNull},
        {s.gDurchflussMin == 0 && mehrere, t::MinimaldurchflussNull},
        {gespeichert && wasserDampf && normvolumen, t::WasserDampfNormvolumen},
        {fluessig && normvolumen, t::FluessigkeitNormvolumen},
        {s.gKorrekturFaktor < KorrekturFaktorMin, t::Korrekturfaktor},
        {s.gKorrekturFaktor > KorrekturFaktorMax, t::Korrekturfaktor},
        {typ == element::RQ8 && s.gOeffnungsdurchmesser > RQ8OeffnungMax, t::RQ8Oeffnung},
        // What no calculation can take: a negative value where 0 is refused
        // above, and the geometry of the element.
        {s.gDruck < 0 && !(gespeichert && s.gMediumNr == medium::Sattdampf), t::DruckNichtPositiv},
        {!temperaturLeer && s.gTemperatur <= AbsoluterNullpunktCelsius, t::TemperaturNullpunkt},
        {s.gDurchflussAuslegung < 0 && !auslegungGesucht, t::AuslegungsdurchflussNegativ},
        {mehrere && (s.gDurchflussMax < 0 || s.gDurchflussNorm < 0 || s.gDurchflussMin < 0),
         t::BereichsdurchflussNegativ},
        {((ideal || fluessig) && s.gDichteEingabe < 0) || (rk && s.gNormdichteRK < 0), t::DichteNegativ},
        {((ideal || fluessig) && s.gViskositaetEingabe < 0) || (rk && s.gViskositaetRK < 0), t::ViskositaetNegativ},
        {ideal && s.gKompressibilitaetEingabe < 0, t::KompressibilitaetNegativ},
        {(ideal && s.gIsentropenkoeffizientEingabe < 0) || (rk && s.gIsentropenkoeffizientRK < 0),
         t::IsentropenkoeffizientNegativ},
        {rk && s.gKritischerDruck < 0, t::KritischerDruckNegativ},
        {rk && s.gKritischeTemperatur <= AbsoluterNullpunktCelsius, t::KritischeTemperaturNullpunkt},
        {(typ != element::RQ8 && s.gInnendurchmesser < 0) || (isSet(s.gRohrRechteckig) && s.gInnenmassB < 0),
         t::RohrmassNegativ},
        {s.gWandstaerke < 0, t::WandstaerkeNegativ},
        {bohrung && s.gOeffnungsdurchmesser < 0, t::OeffnungNegativ},
        {norm && s.gOeffnungsdurchmesser > 0 && s.gInnendurchmesser > 0 &&
             s.gOeffnungsdurchmesser >= s.gInnendurchmesser,
         t::OeffnungNichtKleinerRohr},
        {norm && isSet(s.gRohrRechteckig), t::RechteckkanalNorm},
        {typ == element::SondeAndererHersteller && !(s.gKZahlEingabe > 0), t::KZahlNichtPositiv},
        {typ == element::SondeAndererHersteller && !(s.gSondenbreite > 0), t::SondenbreiteNichtPositiv},
        // The probe spans the pipe as the calculation sees it: warm, and a duct
        // as its circle of equal area.
        {sondenbreite > 0 && rohrWarm > 0 && sondenbreite >= rohrWarm, t::SondeNichtSchmalerRohr},
    };
    for (const auto& check : checks) {
        if (!g.step([&] {
                // One message a line.
                if (check.failed)
                    ui.gFehlerEingabe += (ui.gFehlerEingabe.empty() ? "" : "\r\n") + resText(check.id, ui.gSprachOffset);
            }))
            return;
    }
}

bool windowCanShow(const CalculationState& s)
{
    // The lists in the order WriteOberflaeche sets them; the nominal size and
    // pressure class only with table entry, the only case it sets them in.
    const bool tableEntry = s.gRohrmassNorm != 0;
    const struct {
        Integer index;
        int count;
        bool shown;
    } lists[] = {
        {s.gMediumNr, listcount::Combo1, true},
        {s.gPrimaerelementtyp, listcount::Combo2, true},
        {s.gNennweite, listcount::Combo3, tableEntry},
        {s.gDruckstufe, listcount::Combo4, tableEntry},
        {s.gDurchflussEinheit, listcount::Combo8, true},
        {s.gDruckEinheit, listcount::Combo9, true},
        {s.gDpEinheit, listcount::Combo10, true},
        {s.gTemperaturEinheit, listcount::Combo11, true},
        {s.gWerkstoffRohr, listcount::Combo5, true},
        {s.gWerkstoffElement, listcount::Combo6, true},
        {s.gDpAnschluss, listcount::Combo7, true},
        {s.gPTSensoren, listcount::Combo12, true},
        {s.gEinbauform, listcount::Combo13, true},
    };
    for (const auto& l : lists)
        if (l.shown && !listIndexFits(l.index, l.count))
            return false;
    for (const Flag check : {s.gRohrRechteckig, s.gMehrereBetriebspunkte, s.gDpBekannt, s.gGegenlagerVorgesehen})
        if (!checkValueFits(check))
            return false;
    for (const auto& group : optionGroups())
        if (std::count_if(group.begin(), group.end(), [&](const OptionBinding& o) { return s.*(o.field) != 0; }) > 1)
            return false;
    // Pressure and temperature as their boxes show them (the units are known
    // by now): a value that overflows in its display unit cannot be shown.
    try {
        pressureForDisplay(s.gDruck, s.gDruckEinheit);
        temperatureForDisplay(s.gTemperatur, s.gTemperaturEinheit);
    } catch (const RuntimeError&) {
        return false;
    }
    return true;
}

void WriteOberflaeche(ProgramState& ps, InputControls& c, const ControlSetHook& hook)
{
    Guard g("frmMain", "WriteOberflaeche", "Public Sub WriteOberflaeche()");
    CalculationState& s = ps.calc;
    ControlWriter w(c, hook);
    using C = InputControls;

    // 1, 2 model and pipe-entry options
    if (!g.step([&] { w.option(&C::Option1, "Option1", s.gModellGespeicherteDaten); }))
        return;
    if (!g.step([&] { w.option(&C::Option2, "Option2", s.gModellIdealesGas); }))
        return;
    if (!g.step([&] { w.option(&C::Option3, "Option3", s.gModellRedlichKwong); }))
        return;
    if (!g.step([&] { w.option(&C::Option4, "Option4", s.gModellFluessigkeit); }))
        return;
    if (!g.step([&] { w.option(&C::Option5, "Option5", s.gRohrmassFrei); }))
        return;
    if (!g.step([&] { w.option(&C::Option6, "Option6", s.gRohrmassNorm); }))
        return;
    // 3 a file that names no model opens with the built-in media
    if (!g.step([&] {
            if (s.gModellGespeicherteDaten == 0 && s.gModellIdealesGas == 0 && s.gModellRedlichKwong == 0 &&
                s.gModellFluessigkeit == 0) {
                s.gModellGespeicherteDaten = True;
                w.option(&C::Option1, "Option1", True);
            }
        }))
        return;
    // 4, 5 medium
    if (!g.step([&] { w.list(&C::Combo1, "Combo1", s.gMediumNr, listcount::Combo1); }))
        return;
    if (!g.step([&] {
            w.number(&C::Text1, "Text1", s.gDichteEingabe);
            w.number(&C::Text2, "Text2", s.gKompressibilitaetEingabe);
            w.number(&C::Text7, "Text7", s.gViskositaetEingabe);
            w.number(&C::Text29, "Text29", s.gIsentropenkoeffizientEingabe);
            w.number(&C::Text3, "Text3", s.gKritischeTemperatur);
            w.number(&C::Text4, "Text4", s.gKritischerDruck);
            w.number(&C::Text5, "Text5", s.gNormdichteRK);
            w.number(&C::Text6, "Text6", s.gViskositaetRK);
            w.text(&C::Text13, "Text13", s.gMediumsbezeichnung);
            w.text(&C::Text14, "Text14", s.gMediumsbezeichnungRK);
            w.number(&C::Text30, "Text30", s.gIsentropenkoeffizientRK);
        }))
        return;
    // 6 expansion-factor options
    if (!g.step([&] {
            w.option(&C::Option15, "Option15", s.gEpsilonQ100);
            w.option(&C::Option16, "Option16", s.gEpsilonQ67);
        }))
        return;
    // 7 element type: its handler relabels the element boxes and loads the
    // configuration rows of types 1..7
    if (!g.step([&] { w.list(&C::Combo2, "Combo2", s.gPrimaerelementtyp, listcount::Combo2); }))
        return;
    // 8 pipe boxes
    if (!g.step([&] {
            w.number(&C::Text8, "Text8", s.gInnendurchmesser);
            w.number(&C::Text9, "Text9", s.gWandstaerke);
            w.number(&C::Text22, "Text22", s.gInnenmassB);
            w.check(&C::Check2, "Check2", s.gRohrRechteckig);
        }))
        return;
    // 9 element boxes, by the type the list now shows
    if (!g.step([&] {
            const std::int16_t typ = c.Combo2;
            if (typ == element::RQ8 || typ > element::SondeAndererHersteller) {
                w.number(&C::Text10, "Text10", s.gOeffnungsdurchmesser);
            } else if (typ == element::SondeAndererHersteller) {
                w.number(&C::Text10, "Text10", s.gKZahlEingabe);
                w.number(&C::Text11, "Text11", s.gSondenbreite);
            }
        }))
        return;
    if (!g.step([&] { w.number(&C::Text15, "Text15", s.gKorrekturFaktor); }))
        return;
    // 11 table entry: each list change runs the pipe-table lookup
    if (!g.step([&] {
            if (c.Option6) {
                w.list(&C::Combo3, "Combo3", s.gNennweite, listcount::Combo3);
                w.list(&C::Combo4, "Combo4", s.gDruckstufe, listcount::Combo4);
            }
        }))
        return;
    if (!g.step([&] {
            c.Check4Enabled = true;
            w.notify("Check4Enabled");
        }))
        return;
    if (!g.step([&] { w.check(&C::Check1, "Check1", s.gMehrereBetriebspunkte); }))
        return;
    // 14, 15 pressure and temperature in their display units; an unknown unit
    // leaves the box as it is
    if (!g.step([&] {
            if (auto shown = pressureBoxText(s.gDruck, s.gDruckEinheit))
                w.text(&C::Text16, "Text16", std::move(*shown));
        }))
        return;
    if (!g.step([&] {
            if (auto shown = temperatureBoxText(s.gTemperatur, s.gTemperaturEinheit))
                w.text(&C::Text17, "Text17", std::move(*shown));
        }))
        return;
    // 16 flows, then the unit lists (which convert nothing)
    if (!g.step([&] {
            w.number(&C::Text18, "Text18", s.gDurchflussAuslegung);
            w.list(&C::Combo8, "Combo8", s.gDurchflussEinheit, listcount::Combo8);
            w.list(&C::Combo9, "Combo9", s.gDruckEinheit, listcount::Combo9);
            w.list(&C::Combo10, "Combo10", s.gDpEinheit, listcount::Combo10);
            w.list(&C::Combo11, "Combo11", s.gTemperaturEinheit, listcount::Combo11);
            w.number(&C::Text19, "Text19", s.gDurchflussMax);
            w.number(&C::Text20, "Text20", s.gDurchflussNorm);
            w.number(&C::Text21, "Text21", s.gDurchflussMin);
        }))
        return;
    // 17 solver inputs; the file reader has left the known dp in mbar already
    if (!g.step([&] {
            w.check(&C::Check4, "Check4", s.gDpBekannt);
            w.option(&C::Option17, "Option17", s.gAuslegungDurchmesser);
            w.option(&C::Option18, "Option18", s.gAuslegungDurchfluss);
            w.number(&C::Text37, "Text37", s.gDifferenzdruckSoll);
        }))
        return;
    // 18 document texts
    if (!g.step([&] {
            const DokumentDaten& d = ps.doc;
            w.text(&C::Text12, "Text12", d.gBemerkungen);
            w.text(&C::Text23, "Text23", d.gKundeFirma1);
            w.text(&C::Text24, "Text24", d.gKundeFirma2);
            w.text(&C::Text25, "Text25", d.gKundeName);
            w.text(&C::Text26, "Text26", d.gKundeStrasse);
            w.text(&C::Text27, "Text27", d.gKundePLZOrt);
            w.text(&C::Text28, "Text28", d.gKundeTelFax);
            w.text(&C::statusPanel1, "statusPanel1", d.gDateiname);
            w.text(&C::Text31, "Text31", d.gKundenprojekt);
            w.text(&C::Text32, "Text32", d.gAuftragsnummer);
            w.text(&C::Text33, "Text33", d.gMessstellennummer);
            w.text(&C::Text34, "Text34", d.gSeriennummer);
            w.text(&C::Text35, "Text35", d.gZeugnisse);
            w.text(&C::Text36, "Text36", d.gDatum);
        }))
        return;
    // 19 opposite support; Label62's caption follows its Tag when the window's
    // texts are next applied
    if (!g.step([&] {
            w.check(&C::Check3, "Check3", s.gGegenlagerVorgesehen);
            w.text(&C::Label62Tag, "Label62Tag", isTrue(s.gGegenlagerNotwendig) ? "1582" : "1581");
        }))
        return;
    // 20, 21 installation panel
    if (!g.step([&] {
            w.list(&C::Combo5, "Combo5", s.gWerkstoffRohr, listcount::Combo5);
            w.list(&C::Combo6, "Combo6", s.gWerkstoffElement, listcount::Combo6);
            w.list(&C::Combo7, "Combo7", s.gDpAnschluss, listcount::Combo7);
            w.list(&C::Combo12, "Combo12", s.gPTSensoren, listcount::Combo12);
            w.list(&C::Combo13, "Combo13", s.gEinbauform, listcount::Combo13);
        }))
        return;
    if (!g.step([&] {
            w.option(&C::Option14, "Option14", s.gEinbaulageUnbekannt);
            w.option(&C::Option11, "Option11", s.gEinbauHorizontal);
            w.option(&C::Option12, "Option12", s.gEinbauVertikal);
            w.option(&C::Option7, "Option7", s.gEinbaulageHorizontal1);
            w.option(&C::Option8, "Option8", s.gEinbaulageVonUnten);
            w.option(&C::Option9, "Option9", s.gEinbaulageVonOben);
            w.option(&C::Option10, "Option10", s.gEinbaulageHorizontal2);
            w.option(&C::Option13, "Option13", s.gEinbaulageVertikal);
        }))
        return;

    // 22 the configuration rows saved in the file, restored with the
    // configurator's handlers muted; only the maker's models have rows
    const ConfAuswahl& auswahl = ps.config.gConfAuswahl;
    if (!g.step([&] { return isConfiguredModel(auswahl.ComboIndex) && auswahl.Anzahl != 0; }))
        return;
    if (!g.step([&] { ps.config.gConfEventsAus = True; }))
        return;
    // A selection with more rows than the model has loaded stops at the last row.
    const int anzahl = std::min<int>({auswahl.Anzahl, MaxConfigRows, static_cast<int>(c.confRows.size())});
    for (int i = 0; i < anzahl; ++i) {
        // The row is looked up afresh in every step: the window copies its widgets
        // back into c after a list change, which may give confRows a new buffer.
        const auto rowAt = [&]() -> ConfigRowControls& {
            if (static_cast<std::size_t>(i) >= c.confRows.size())
                raiseError(err::SubscriptOutOfRange);
            return c.confRows[static_cast<std::size_t>(i)];
        };
        if (!g.step([&] {
                ConfigRowControls& row = rowAt();
                row.cmbConfField = auswahl.FeldIndex[static_cast<std::size_t>(i)];
                w.notify(rowName("cmbConfField", i));
            }))
            break;
        if (!g.step([&] {
                // The plain number: 12.5, .5, -.25.
                ConfigRowControls& row = rowAt();
                row.txtValueEntry = plainNumber(auswahl.Wert[static_cast<std::size_t>(i)]);
                w.notify(rowName("txtValueEntry", i));
            }))
            break;
        if (!g.step([&] {
                ConfigRowControls& row = rowAt();
                const int k = row.cmbConfField;
                if (i >= ps.config.gConfFeldAnzahl || k < 0 || k > MaxConfigOptions)
                    raiseError(err::SubscriptOutOfRange);
                const ValueEntryRow shows = valueEntryRow(ps.config.gConfFelder[static_cast<std::size_t>(i)], k);
                if (shows.entryVisible) {
                    row.txtValueEntryVisible = true;
                    w.notify(rowName("txtValueEntry", i));
                    ConfigRowControls& shown = rowAt();
                    if (shows.labelVisible) {
                        shown.lblEntryInfo = resText(shows.labelStringID, ps.ui.gSprachOffset);
                        shown.lblEntryInfoVisible = true;
                    } else {
                        shown.lblEntryInfoVisible = false;
                        shown.lblEntryInfo.clear();
                    }
                    w.notify(rowName("lblEntryInfo", i));
                }
            }))
            break;
    }
    // Whatever happened in the loop, the handlers are not left muted.
    ps.config.gConfEventsAus = False;
    if (!g.step([&] { w.notify("cmbConfField_Click(0)"); }))
        return;
}

}  // namespace morvane
