// The transfer between the main window's input controls and the program state:
// ReadOberflaeche (controls into the state, with unit conversion, derived fields
// and the input checks) and WriteOberflaeche (the state into the controls after
// a calculation file has been read).
//
// What the Qt window does around them:
//   - reading: copy every widget into an InputControls (list indexes, option and
//     check values, texts, txtTypeInfo and txtCodeDisplay), then call
//     ReadOberflaeche; the window's controls are not changed;
//   - writing: copy the widgets into an InputControls (so that confRows matches
//     the rows in use), then call WriteOberflaeche with a ControlSetHook. The hook
//     is called after every single assignment, in the order of the writing, with
//     the control's name ("Option1", "Combo2", "Text8", "cmbConfField(3)",
//     "txtValueEntry(3)", "lblEntryInfo(3)", "Check4Enabled", "Label62Tag",
//     "statusPanel1") and, once at the end of the configuration part,
//     "cmbConfField_Click(0)". The window applies that one member to its widget
//     through common/qt/CodeEvents.h (setListIndex, setCheckValue, setOptionValue),
//     so that a list or check box whose value changes and an option that becomes
//     selected run their click handlers as a user's change would; for
//     "cmbConfField_Click(0)" it calls that handler. Whenever a handler ran, the
//     window copies its widgets back into the same InputControls, because the
//     handlers relabel and refill controls and the pipe-table lookup rewrites
//     Text8 and Text9 (and the state): the later steps read what the controls now
//     hold (Text10 goes by the element type that Combo2 then shows, the nominal
//     size lists are set only when Option6 is then selected).
#pragma once

#include "engine/CalculateDriver.h"
#include "engine/ProgramState.h"
#include "mainwindow/InputControls.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

using ControlSetHook = std::function<void(std::string_view control)>;

// Reads every input control into its state field (in the fixed order of the
// reading), converts pressure and temperature into kPa and °C, derives
// gEpsilonFaktor, gTypenschluessel (engine/TypeKey.h: empty outside the
// maker's models 1 to 7) and gGegenlagerVorgesehen, then runs all input
// checks and collects their resource texts in ui.gFehlerEingabe (emptied first),
// one a line (CR LF between them). Read for the solver with the flow sought
// (Option18), the typed design flow is not checked: the solver sets it.
// An unreadable number reads as 0. A list without a selection (-1) or with an
// index beyond its entries is run-time error 380.
void ReadOberflaeche(const InputControls& controls, ProgramState& state,
                     ReadingFor purpose = ReadingFor::Calculation);

// Sets every input control from its state field (numbers in the Str form,
// pressure and temperature in the display units the state selects) and
// restores the configuration rows from config.gConfAuswahl (only for a file of
// the maker's models 1 to 7; typed values come back as plain numbers, .5 for
// 0.5). Writes one state
// field itself: with no model flag set, gModellGespeicherteDaten becomes true.
// The rows' value boxes follow config.gConfFelder, the configurator's field
// records of the model loaded (a row at or beyond config.gConfFeldAnzahl, or an
// option index outside 0..30, is run-time error 9); a list index outside
// -1..count-1 or a check value outside 0..2 is run-time error 380.
void WriteOberflaeche(ProgramState& state, InputControls& controls, const ControlSetHook& hook = {});

// True when WriteOberflaeche can show the state's values in their controls
// without a run-time error and without a mixture: every list index it sets in
// -1 .. count-1 (the nominal size and pressure class only with table entry),
// every check value in 0 .. 2, at most one option of each option group
// selected, and pressure and temperature finite in their display units. A
// calculation file is refused when it would give a state that fails here.
bool windowCanShow(const CalculationState& state);

// The input check texts in check order (German ids; the language offset is
// added when they are appended).
namespace eingabetext {
inline constexpr std::int32_t KeinMedium = 1296;
inline constexpr std::int32_t Normdichte = 1297;
inline constexpr std::int32_t Viskositaet = 1298;
inline constexpr std::int32_t Kompressibilitaet = 1299;
inline constexpr std::int32_t Isentropenkoeffizient = 1300;
inline constexpr std::int32_t KritischerDruck = 1301;
inline constexpr std::int32_t KritischeTemperatur = 1302;
inline constexpr std::int32_t Primaerelementtyp = 1303;
inline constexpr std::int32_t Rohrinnendurchmesser = 1304;
inline constexpr std::int32_t ZweiteKanalachse = 1305;
inline constexpr std::int32_t Oeffnungsdurchmesser = 1823;
inline constexpr std::int32_t Prozessdruck = 1308;
inline constexpr std::int32_t AuslegungsdurchflussNull = 1309;
inline constexpr std::int32_t KeineDurchflusseinheit = 1310;
inline constexpr std::int32_t MaximaldurchflussNull = 1311;
inline constexpr std::int32_t NormaldurchflussNull = 1312;
inline constexpr std::int32_t MinimaldurchflussNull = 1313;
inline constexpr std::int32_t WasserDampfNormvolumen = 1314;
inline constexpr std::int32_t FluessigkeitNormvolumen = 1327;
inline constexpr std::int32_t Korrekturfaktor = 1375;
inline constexpr std::int32_t RQ8Oeffnung = 1837;
// The program's own checks of values that no calculation can take, after the
// checks above; a value of exactly 0 keeps the message of its check above.
inline constexpr std::int32_t DruckNichtPositiv = 1943;
inline constexpr std::int32_t TemperaturNullpunkt = 1944;
inline constexpr std::int32_t AuslegungsdurchflussNegativ = 1945;
inline constexpr std::int32_t BereichsdurchflussNegativ = 1946;
inline constexpr std::int32_t DichteNegativ = 1947;
inline constexpr std::int32_t ViskositaetNegativ = 1948;
inline constexpr std::int32_t IsentropenkoeffizientNegativ = 1949;
inline constexpr std::int32_t WandstaerkeNegativ = 1950;
inline constexpr std::int32_t OeffnungNichtKleinerRohr = 1951;
inline constexpr std::int32_t RechteckkanalNorm = 1952;
inline constexpr std::int32_t KZahlNichtPositiv = 1953;
inline constexpr std::int32_t SondenbreiteNichtPositiv = 1954;
inline constexpr std::int32_t KompressibilitaetNegativ = 1955;
inline constexpr std::int32_t OeffnungNegativ = 1957;
inline constexpr std::int32_t RohrmassNegativ = 1958;
inline constexpr std::int32_t SondeNichtSchmalerRohr = 1959;
inline constexpr std::int32_t KritischeTemperaturNullpunkt = 1960;
inline constexpr std::int32_t KritischerDruckNegativ = 1961;
// An empty temperature box (any unit): an empty box reads as 0, a valid
// temperature, so this check looks at the box's text; it stands after the
// pressure's check.
inline constexpr std::int32_t TemperaturLeer = 1990;
}  // namespace eingabetext

// Absolute zero as the formulas take it, °C: the steam tables and the
// Redlich-Kwong equation add 273.14 K, so a temperature must lie above -273.14 °C.
inline constexpr double AbsoluterNullpunktCelsius = -273.14;

// The correction factor's accepted range and the largest bore of the RQ8 (mm).
inline constexpr double KorrekturFaktorMin = 0.7;
inline constexpr double KorrekturFaktorMax = 1.4;
inline constexpr double RQ8OeffnungMax = 15.0;

}  // namespace morvane
