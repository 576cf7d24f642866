// The main window's input controls as plain values, by their control names.
//
// ReadOberflaeche reads this struct into the state and WriteOberflaeche writes
// the state into it (mainwindow/InputModel.h); the Qt window copies its widgets
// into the struct before a reading and applies the struct to its widgets while
// a writing runs. Kinds:
//   - text box: its text, unchanged (std::string);
//   - list: its selected index, -1 when nothing is selected (a fresh list);
//   - option button: its value, selected or not (bool);
//   - check box: its value, 0 cleared, 1 ticked, 2 greyed (std::int16_t).
// Each member names the state field it edits. Beside the values the struct
// holds what WriteOberflaeche sets besides them: the enabled state of Check4,
// the Tag of Label62, the status bar's file name panel and the configuration
// rows of the configurator page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

// Number of entries of each list (filled when the window loads); an index
// outside -1 .. count-1 is run-time error 380.
namespace listcount {
inline constexpr int Combo1 = 10;   // built-in media, texts 1069..1078
inline constexpr int Combo2 = 16;   // element types, texts 1085..1099 and 1583
inline constexpr int Combo3 = 23;   // nominal sizes, texts 1420..1442
inline constexpr int Combo4 = 8;    // pressure classes, texts 1450..1457
inline constexpr int Combo5 = 10;   // pipe materials, texts 1110..1119
inline constexpr int Combo6 = 7;    // element materials, texts 1101..1107
inline constexpr int Combo7 = 10;   // dp connections, texts 1130..1139
inline constexpr int Combo8 = 8;    // flow units, texts 1180..1187
inline constexpr int Combo9 = 5;    // pressure units, texts 1340..1344
inline constexpr int Combo10 = 6;   // differential-pressure units, texts 1360..1365
inline constexpr int Combo11 = 3;   // temperature units, texts 1370..1372
inline constexpr int Combo12 = 5;   // p/T sensors, texts 1150..1154
inline constexpr int Combo13 = 8;   // installation types, texts 1570..1577
}  // namespace listcount

// One row of the configurator's "Config Selection" page: the controls
// cmbConfField(i), txtValueEntry(i) and lblEntryInfo(i).
struct ConfigRowControls {
    std::int16_t cmbConfField = -1;   // list index chosen in row i (gConfAuswahl.FeldIndex(i) in a file)
    std::string txtValueEntry;        // value entered in row i (gConfAuswahl.Wert(i) in a file)
    bool txtValueEntryVisible = false;
    bool lblEntryInfoVisible = false;
    std::string lblEntryInfo;         // caption of the entry label

    bool operator==(const ConfigRowControls&) const = default;
};

struct InputControls {
    // Page "Medium"
    bool Option1 = false;       // gModellGespeicherteDaten
    bool Option2 = false;       // gModellIdealesGas
    bool Option3 = false;       // gModellRedlichKwong
    bool Option4 = false;       // gModellFluessigkeit
    std::int16_t Combo1 = -1;   // gMediumNr
    std::string Text1;          // gDichteEingabe
    std::string Text2;          // gKompressibilitaetEingabe
    std::string Text7;          // gViskositaetEingabe
    std::string Text29;         // gIsentropenkoeffizientEingabe
    std::string Text13;         // gMediumsbezeichnung
    std::string Text3;          // gKritischeTemperatur (always °C)
    std::string Text4;          // gKritischerDruck (always kPa)
    std::string Text5;          // gNormdichteRK
    std::string Text6;          // gViskositaetRK
    std::string Text30;         // gIsentropenkoeffizientRK
    std::string Text14;         // gMediumsbezeichnungRK

    // Page "dp-Element"
    std::int16_t Combo2 = -1;   // gPrimaerelementtyp
    std::string Text10;         // gOeffnungsdurchmesser (types 1, 9..15) or gKZahlEingabe (type 8)
    std::string Text11;         // gSondenbreite
    std::string Text15;         // gKorrekturFaktor
    bool Option15 = false;      // gEpsilonQ100
    bool Option16 = false;      // gEpsilonQ67
    bool Option5 = false;       // gRohrmassFrei
    std::string Text8;          // gInnendurchmesser
    std::int16_t Check2 = 0;    // gRohrRechteckig
    std::string Text22;         // gInnenmassB
    std::string Text9;          // gWandstaerke
    bool Option6 = false;       // gRohrmassNorm
    std::int16_t Combo3 = -1;   // gNennweite
    std::int16_t Combo4 = -1;   // gDruckstufe

    // Page "Flowdata"
    std::string Text16;         // gDruck, in the unit of Combo9
    std::int16_t Combo9 = -1;   // gDruckEinheit
    std::string Text17;         // gTemperatur, in the unit of Combo11
    std::int16_t Combo11 = -1;  // gTemperaturEinheit
    std::string Text18;         // gDurchflussAuslegung
    std::int16_t Combo8 = -1;   // gDurchflussEinheit
    std::int16_t Check1 = 0;    // gMehrereBetriebspunkte
    std::string Text19;         // gDurchflussMax
    std::string Text20;         // gDurchflussNorm
    std::string Text21;         // gDurchflussMin
    std::int16_t Combo10 = -1;  // gDpEinheit
    std::int16_t Check4 = 0;    // gDpBekannt
    bool Check4Enabled = false; // set true by WriteOberflaeche (and the reset)
    std::string Text37;         // gDifferenzdruckSoll, typed in mbar, kept in kPa
    bool Option17 = false;      // gAuslegungDurchmesser
    bool Option18 = false;      // gAuslegungDurchfluss

    // Page "Address / Notes"
    std::string Text23;         // gKundeFirma1
    std::string Text24;         // gKundeFirma2
    std::string Text25;         // gKundeName
    std::string Text26;         // gKundeStrasse
    std::string Text27;         // gKundePLZOrt
    std::string Text28;         // gKundeTelFax
    std::string Text31;         // gKundenprojekt
    std::string Text32;         // gAuftragsnummer
    std::string Text33;         // gMessstellennummer
    std::string Text34;         // gSeriennummer
    std::string Text35;         // gZeugnisse
    std::string Text36;         // gDatum
    std::string Text12;         // gBemerkungen (multi-line)
    std::string statusPanel1;   // status bar panel 1: gDateiname (written, never read)

    // Page "Config Selection" (the configurator's controls)
    std::string txtTypeInfo;    // with txtCodeDisplay: gTypenschluessel, gGegenlagerVorgesehen
    std::string txtCodeDisplay;
    std::vector<ConfigRowControls> confRows;  // the rows in use (gConfFeldAnzahl of them)

    // Installation panel Frame4 (hidden; written by WriteOberflaeche, never read)
    std::int16_t Combo5 = -1;   // gWerkstoffRohr
    std::int16_t Combo6 = -1;   // gWerkstoffElement
    std::int16_t Combo7 = -1;   // gDpAnschluss
    std::int16_t Combo12 = -1;  // gPTSensoren
    std::int16_t Combo13 = -1;  // gEinbauform
    std::int16_t Check3 = 0;    // gGegenlagerVorgesehen (shown only; the reading derives it)
    std::string Label62Tag = "1581";  // gGegenlagerNotwendig: "1581" false, "1582" true
    bool Option14 = false;      // gEinbaulageUnbekannt
    bool Option11 = false;      // gEinbauHorizontal
    bool Option12 = false;      // gEinbauVertikal
    bool Option7 = false;       // gEinbaulageHorizontal1
    bool Option8 = false;       // gEinbaulageVonUnten
    bool Option9 = false;       // gEinbaulageVonOben
    bool Option10 = false;      // gEinbaulageHorizontal2
    bool Option13 = false;      // gEinbaulageVertikal

    bool operator==(const InputControls&) const = default;
};

// The option groups: selecting one option clears the others of its group
// (Option13 sits alone, so only code clears it).
//   Option1..Option4; Option5, Option6; Option15, Option16; Option17, Option18;
//   Option11, Option12, Option14; Option7..Option10; Option13.

}  // namespace morvane
