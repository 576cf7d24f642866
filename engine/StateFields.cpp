#include "engine/StateFields.h"

#include <algorithm>
#include <array>

namespace morvane {

namespace {

template <FieldKind K>
struct MemberOf;
template <>
struct MemberOf<FieldKind::Integer> {
    using type = std::int16_t;
};
template <>
struct MemberOf<FieldKind::Boolean> {
    using type = std::int16_t;
};
template <>
struct MemberOf<FieldKind::Flag> {
    using type = std::int16_t;
};
template <>
struct MemberOf<FieldKind::Double> {
    using type = double;
};
template <>
struct MemberOf<FieldKind::String> {
    using type = std::string;
};
template <>
struct MemberOf<FieldKind::PointArray> {
    using type = PointArray;
};

// The name is spelt once; the member pointer must have the type the kind says.
#define FIELD(record, kind, field)                                                                            \
    StateField                                                                                                \
    {                                                                                                         \
        #field, StateRecord::record, FieldKind::kind,                                                         \
            static_cast<MemberOf<FieldKind::kind>::type CalculationState::*>(&record::field)                  \
    }

const std::array kFields{
    FIELD(MediumDaten, Boolean, gModellGespeicherteDaten),
    FIELD(MediumDaten, Boolean, gModellIdealesGas),
    FIELD(MediumDaten, Boolean, gModellRedlichKwong),
    FIELD(MediumDaten, Boolean, gModellFluessigkeit),
    FIELD(MediumDaten, Integer, gMediumNr),
    FIELD(MediumDaten, Double, gDichteEingabe),
    FIELD(MediumDaten, Double, gKompressibilitaetEingabe),
    FIELD(MediumDaten, Double, gViskositaetEingabe),
    FIELD(MediumDaten, Double, gIsentropenkoeffizientEingabe),
    FIELD(MediumDaten, Double, gKritischeTemperatur),
    FIELD(MediumDaten, Double, gKritischerDruck),
    FIELD(MediumDaten, Double, gNormdichteRK),
    FIELD(MediumDaten, Double, gViskositaetRK),
    FIELD(MediumDaten, Double, gIsentropenkoeffizientRK),
    FIELD(MediumDaten, String, gMediumsbezeichnung),
    FIELD(MediumDaten, String, gMediumsbezeichnungRK),
    FIELD(ProzessDaten, Double, gDruck),
    FIELD(ProzessDaten, Double, gTemperatur),
    FIELD(ProzessDaten, Flag, gMehrereBetriebspunkte),
    FIELD(ProzessDaten, Double, gDurchflussAuslegung),
    FIELD(ProzessDaten, Integer, gDurchflussEinheit),
    FIELD(ProzessDaten, Double, gDurchflussMax),
    FIELD(ProzessDaten, Double, gDurchflussNorm),
    FIELD(ProzessDaten, Double, gDurchflussMin),
    FIELD(ProzessDaten, Integer, gDruckEinheit),
    FIELD(ProzessDaten, Integer, gDpEinheit),
    FIELD(ProzessDaten, Integer, gTemperaturEinheit),
    FIELD(ProzessDaten, Double, gDifferenzdruckSoll),
    FIELD(ProzessDaten, Flag, gDpBekannt),
    FIELD(ProzessDaten, Boolean, gAuslegungDurchmesser),
    FIELD(ProzessDaten, Boolean, gAuslegungDurchfluss),
    FIELD(RohrDaten, Double, gInnendurchmesser),
    FIELD(RohrDaten, Double, gInnenmassB),
    FIELD(RohrDaten, Boolean, gRohrmassFrei),
    FIELD(RohrDaten, Boolean, gRohrmassNorm),
    FIELD(RohrDaten, Flag, gRohrRechteckig),
    FIELD(RohrDaten, Integer, gWerkstoffRohr),
    FIELD(RohrDaten, Integer, gNennweite),
    FIELD(RohrDaten, Integer, gDruckstufe),
    FIELD(RohrDaten, Double, gWandstaerke),
    FIELD(ElementDaten, Integer, gPrimaerelementtyp),
    FIELD(ElementDaten, Double, gKZahlEingabe),
    FIELD(ElementDaten, Integer, gWerkstoffElement),
    FIELD(ElementDaten, Integer, gDpAnschluss),
    FIELD(ElementDaten, Integer, gPTSensoren),
    FIELD(ElementDaten, Flag, gGegenlagerVorgesehen),
    FIELD(ElementDaten, Double, gKorrekturFaktor),
    FIELD(ElementDaten, Integer, gEinbauform),
    FIELD(ElementDaten, Double, gSondenbreite),
    FIELD(ElementDaten, Double, gOeffnungsdurchmesser),
    FIELD(ElementDaten, Boolean, gEinbaulageUnbekannt),
    FIELD(ElementDaten, Boolean, gEinbauHorizontal),
    FIELD(ElementDaten, Boolean, gEinbauVertikal),
    FIELD(ElementDaten, Boolean, gEinbaulageHorizontal1),
    FIELD(ElementDaten, Boolean, gEinbaulageVonUnten),
    FIELD(ElementDaten, Boolean, gEinbaulageVonOben),
    FIELD(ElementDaten, Boolean, gEinbaulageHorizontal2),
    FIELD(ElementDaten, Boolean, gEinbaulageVertikal),
    FIELD(ElementDaten, Boolean, gEpsilonQ67),
    FIELD(ElementDaten, Boolean, gEpsilonQ100),
    FIELD(ElementDaten, Double, gEpsilonFaktor),
    FIELD(Ergebnisse, Double, gBeta),
    FIELD(Ergebnisse, Double, gSondenlaenge),
    FIELD(Ergebnisse, Double, gEigenfrequenz),
    FIELD(Ergebnisse, Double, gEigenfrequenzGegenlager),
    FIELD(Ergebnisse, Double, gSondenkonstante),
    FIELD(Ergebnisse, Double, gBetriebsdichte),
    FIELD(Ergebnisse, Double, gSattdampfdruck),
    FIELD(Ergebnisse, Double, gViskositaet),
    FIELD(Ergebnisse, Double, gNormdichte),
    FIELD(Ergebnisse, String, gFehlerDichte),
    FIELD(Ergebnisse, Double, gKompressibilitaet),
    FIELD(Ergebnisse, Double, gZeta),
    FIELD(Ergebnisse, Double, gKZahl),
    FIELD(Ergebnisse, Double, gDurchflusskoeffizient),
    FIELD(Ergebnisse, Double, gCSonde),
    FIELD(Ergebnisse, Double, gInnendurchmesserWarm),
    FIELD(Ergebnisse, String, gFehlerZeta),
    FIELD(Ergebnisse, Double, gIsentropenkoeffizient),
    FIELD(Ergebnisse, String, gFehlerIsentropen),
    FIELD(Ergebnisse, PointArray, gDifferenzdruck),
    FIELD(Ergebnisse, PointArray, gDruckverlust),
    FIELD(Ergebnisse, PointArray, gGeschwindigkeit),
    FIELD(Ergebnisse, PointArray, gReynolds),
    FIELD(Ergebnisse, String, gFehlerDp),
    FIELD(Ergebnisse, PointArray, gMassenstrom),
    FIELD(Ergebnisse, PointArray, gExpansionszahl),
    FIELD(Ergebnisse, Double, gFrequenzverhaeltnis),
    FIELD(Ergebnisse, Boolean, gGegenlagerNotwendig),
    FIELD(Ergebnisse, Double, gVortexfrequenz),
    FIELD(Ergebnisse, Boolean, gSchwingungswarnung),
    FIELD(Grenzwerte, Double, gQminEmpfohlen),
    FIELD(Grenzwerte, Double, gQminMoeglich),
    FIELD(Grenzwerte, Double, gQminEmpfohlenSR),
    FIELD(Grenzwerte, Double, gQminMoeglichSR),
    FIELD(Grenzwerte, Double, gQUnsicherheit1),
    FIELD(Grenzwerte, Double, gQUnsicherheit1_5),
    FIELD(Grenzwerte, Double, gQUnsicherheit2),
    FIELD(Grenzwerte, Double, gQUnsicherheit3),
    FIELD(Grenzwerte, Double, gQUnsicherheit5),
    FIELD(Grenzwerte, Double, gQUnsicherheit10),
    FIELD(Grenzwerte, Double, gQUnsicherheit1SR),
    FIELD(Grenzwerte, Double, gQUnsicherheit1_5SR),
    FIELD(Grenzwerte, Double, gQUnsicherheit2SR),
    FIELD(Grenzwerte, Double, gQUnsicherheit3SR),
    FIELD(Grenzwerte, Double, gQUnsicherheit5SR),
    FIELD(Grenzwerte, Double, gQUnsicherheit10SR),
    FIELD(Grenzwerte, Double, gQmaxEmpfohlen),
    FIELD(Grenzwerte, Double, gQmaxErlaubt),
};

#undef FIELD

}  // namespace

std::span<const StateField> stateFields()
{
    return kFields;
}

const StateField* findStateField(std::string_view name)
{
    const auto it = std::find_if(kFields.begin(), kFields.end(), [&](const StateField& f) { return f.name == name; });
    return it == kFields.end() ? nullptr : &*it;
}

std::string_view recordName(StateRecord r)
{
    switch (r) {
    case StateRecord::MediumDaten: return "MediumDaten";
    case StateRecord::ProzessDaten: return "ProzessDaten";
    case StateRecord::RohrDaten: return "RohrDaten";
    case StateRecord::ElementDaten: return "ElementDaten";
    case StateRecord::Ergebnisse: return "Ergebnisse";
    case StateRecord::Grenzwerte: return "Grenzwerte";
    }
    return {};
}

}  // namespace morvane
