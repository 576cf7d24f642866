// The calculation state: six records that every step, the main window, the
// calculation file and the results window read and write by the same names.
//
// Units inside the state, whatever the display unit: pressure kPa absolute,
// differential pressure and pressure loss kPa, temperature °C, lengths mm,
// operating density kg/m³, norm density kg/Nm³ (0 °C, 101.325 kPa), viscosity cP,
// mass flow kg/s, velocity m/s, frequency Hz; the saturation pressure kept by
// the steam steps is MPa. The four flows are held in the unit gDurchflussEinheit
// selects.
//
// Truth values are int16 -1 (true) / 0 (false) and are tested for exactly true
// (isTrue); check-box flags hold 0 / 1 and are tested for exactly 1 (isSet).
// Every field starts at zero / empty.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace morvane {

using Integer = std::int16_t;  // 16-bit signed
using Boolean = std::int16_t;  // -1 true, 0 false
using Flag = std::int16_t;     // 0 / 1 of a check box
using PointArray = std::array<double, 4>;  // 0 design, 1 max, 2 norm, 3 min

inline constexpr Boolean True = -1;
inline constexpr Boolean False = 0;
inline bool isTrue(Boolean b) { return b == True; }
inline bool isSet(Flag f) { return f == 1; }

// Operating points.
inline constexpr int PunktAuslegung = 0;
inline constexpr int PunktMax = 1;
inline constexpr int PunktNorm = 2;
inline constexpr int PunktMin = 3;

// Built-in media (gMediumNr).
namespace medium {
inline constexpr Integer Keins = 0, Luft = 1, UeberhitzterDampf = 2, Sattdampf = 3, Wasser = 4,
                         Stickstoff = 5, Sauerstoff = 6, Kohlendioxid = 7, Methan = 8, Wasserstoff = 9;
}

// Element types (gPrimaerelementtyp).
namespace element {
inline constexpr Integer Keins = 0, RQ8 = 1, RQ10 = 2, RQ25 = 3, RQ25HDD = 4, RQ32 = 5, RQ44 = 6, RQ50 = 7,
                         SondeAndererHersteller = 8, BlendeFlansch = 9, BlendeDD2 = 10, BlendeEcke = 11,
                         Venturiduese = 12, VenturiGussrauh = 13, VenturiBearbeitet = 14, VenturiStahlblech = 15;
}

// Flow units (gDurchflussEinheit).
namespace flowunit {
inline constexpr Integer Keine = 0, Nm3h = 1, Nm3s = 2, kgh = 3, kgs = 4, th = 5, m3h = 6, m3s = 7;
}

struct MediumDaten {
    Boolean gModellGespeicherteDaten = 0;
    Boolean gModellIdealesGas = 0;
    Boolean gModellRedlichKwong = 0;
    Boolean gModellFluessigkeit = 0;
    Integer gMediumNr = 0;
    double gDichteEingabe = 0;             // kg/Nm³ (ideal gas) or kg/m³ (liquid)
    double gKompressibilitaetEingabe = 0;  // Z at operating conditions (ideal gas)
    double gViskositaetEingabe = 0;        // cP
    double gIsentropenkoeffizientEingabe = 0;
    double gKritischeTemperatur = 0;  // °C
    double gKritischerDruck = 0;      // kPa
    double gNormdichteRK = 0;         // kg/Nm³
    double gViskositaetRK = 0;        // cP
    double gIsentropenkoeffizientRK = 0;
    std::string gMediumsbezeichnung;
    std::string gMediumsbezeichnungRK;
};

struct ProzessDaten {
    double gDruck = 0;        // kPa absolute
    double gTemperatur = 0;   // °C
    Flag gMehrereBetriebspunkte = 0;
    double gDurchflussAuslegung = 0;
    Integer gDurchflussEinheit = 0;
    double gDurchflussMax = 0;
    double gDurchflussNorm = 0;
    double gDurchflussMin = 0;
    Integer gDruckEinheit = 0;       // 0 kPa, 1 bar, 2 Pa, 3 mbar, 4 psi
    Integer gDpEinheit = 0;          // 0 kPa, 1 bar, 2 Pa, 3 mbar, 4 psi, 5 mmWs
    Integer gTemperaturEinheit = 0;  // 0 °C, 1 K, 2 °F
    double gDifferenzdruckSoll = 0;  // kPa
    Flag gDpBekannt = 0;
    Boolean gAuslegungDurchmesser = 0;
    Boolean gAuslegungDurchfluss = 0;
};

struct RohrDaten {
    double gInnendurchmesser = 0;  // mm, at 20 °C; side a of a duct
    double gInnenmassB = 0;        // mm, side b of a duct
    Boolean gRohrmassFrei = 0;
    Boolean gRohrmassNorm = 0;
    Flag gRohrRechteckig = 0;  // 0 round, 1 rectangular
    Integer gWerkstoffRohr = 0;
    Integer gNennweite = 0;
    Integer gDruckstufe = 0;
    double gWandstaerke = 0;  // mm
};

struct ElementDaten {
    Integer gPrimaerelementtyp = 0;
    double gKZahlEingabe = 0;
    Integer gWerkstoffElement = 0;
    Integer gDpAnschluss = 0;
    Integer gPTSensoren = 0;
    Flag gGegenlagerVorgesehen = 0;
    double gKorrekturFaktor = 0;
    Integer gEinbauform = 0;
    double gSondenbreite = 0;          // mm
    double gOeffnungsdurchmesser = 0;  // mm
    Boolean gEinbaulageUnbekannt = 0;
    Boolean gEinbauHorizontal = 0;
    Boolean gEinbauVertikal = 0;
    Boolean gEinbaulageHorizontal1 = 0;
    Boolean gEinbaulageVonUnten = 0;
    Boolean gEinbaulageVonOben = 0;
    Boolean gEinbaulageHorizontal2 = 0;
    Boolean gEinbaulageVertikal = 0;
    Boolean gEpsilonQ67 = 0;
    Boolean gEpsilonQ100 = 0;
    double gEpsilonFaktor = 0;  // 2/3 or 1.0
};

struct Ergebnisse {
    double gBeta = 0;
    double gSondenlaenge = 0;             // mm
    double gEigenfrequenz = 0;            // Hz
    double gEigenfrequenzGegenlager = 0;  // Hz
    double gSondenkonstante = 0;
    double gBetriebsdichte = 0;   // kg/m³
    double gSattdampfdruck = 0;   // MPa
    double gViskositaet = 0;      // cP
    double gNormdichte = 0;       // kg/Nm³
    std::string gFehlerDichte;
    double gKompressibilitaet = 0;
    double gZeta = 0;
    double gKZahl = 0;
    double gDurchflusskoeffizient = 0;
    double gCSonde = 0;
    double gInnendurchmesserWarm = 0;  // mm
    std::string gFehlerZeta;
    double gIsentropenkoeffizient = 0;
    std::string gFehlerIsentropen;
    PointArray gDifferenzdruck{};   // kPa
    PointArray gDruckverlust{};     // kPa
    PointArray gGeschwindigkeit{};  // m/s
    PointArray gReynolds{};
    std::string gFehlerDp;
    PointArray gMassenstrom{};  // kg/s
    PointArray gExpansionszahl{};
    double gFrequenzverhaeltnis = 0;
    Boolean gGegenlagerNotwendig = 0;
    double gVortexfrequenz = 0;  // Hz
    Boolean gSchwingungswarnung = 0;
};

// All in the user's flow unit gDurchflussEinheit.
struct Grenzwerte {
    double gQminEmpfohlen = 0;    // point D
    double gQminMoeglich = 0;     // point E
    double gQminEmpfohlenSR = 0;  // point F
    double gQminMoeglichSR = 0;   // point G
    double gQUnsicherheit1 = 0;
    double gQUnsicherheit1_5 = 0;
    double gQUnsicherheit2 = 0;
    double gQUnsicherheit3 = 0;
    double gQUnsicherheit5 = 0;
    double gQUnsicherheit10 = 0;
    double gQUnsicherheit1SR = 0;
    double gQUnsicherheit1_5SR = 0;
    double gQUnsicherheit2SR = 0;
    double gQUnsicherheit3SR = 0;
    double gQUnsicherheit5SR = 0;
    double gQUnsicherheit10SR = 0;
    double gQmaxEmpfohlen = 0;  // point B
    double gQmaxErlaubt = 0;    // point A
};

// The six records in one object, so that steps reach every field by its name
// (s.gDruck, s.gBetriebsdichte) and each record can still be taken apart.
struct CalculationState : MediumDaten, ProzessDaten, RohrDaten, ElementDaten, Ergebnisse, Grenzwerte {
    // The two reserve values the calculation file keeps and writes back unchanged.
    Integer gReserveInteger7 = 0;
    double gReserveDouble12 = 0;
};

}  // namespace morvane
