// What the drivers check of the flow and dp step's results before they show or
// accept them: numbers that no real element can have stop the run with a
// message, and a gas dp beyond the range of the expansion factor's equation
// gets a warning. The dp iterations themselves compute such numbers without a
// word; the solver passes through them on its way and checks only the value it
// would accept.
#pragma once

#include "engine/EngineContext.h"

#include <cstdint>
#include <optional>
#include <string>

namespace morvane {

// The program's own messages (resource texts); %1 and %2 stand for the numbers.
// A liquid's dp (%1 kPa) at or above its absolute pressure (%2 kPa): stop.
inline constexpr std::int32_t TextFluessigkeitDpAbDruck = 1963;
// A compressible medium's dp (%1 kPa) at or above its absolute pressure (%2
// kPa): stop. The orifice's expansion factor keeps its fixed point past
// dp/p 1 for a κ above 1.23 (it stays above 2/3 up to dp/p κ/1.23), the
// isentropic one has none there.
inline constexpr std::int32_t TextGasDpAbDruck = 1969;
// A compressible medium's dp (%1 kPa) above 0.35 of its pressure (%2 kPa):
// warning, shown with the suffix and the results.
inline constexpr std::int32_t TextDpUeberExpansionsbereich = 1964;
// Water whose pressure behind the element (p − dp, %1 kPa) is above 0 but not
// above its saturation pressure (%2 kPa): it boils there, and the dp of the
// liquid belongs to no real flow: stop.
inline constexpr std::int32_t TextWasserVerdampft = 1971;
// A discharge coefficient (%1) of 1 or more: stop.
inline constexpr std::int32_t TextCNichtUnterEins = 1965;
// A permanent pressure loss (%1 kPa) of 0 or less, at β %2: stop.
inline constexpr std::int32_t TextDruckverlustNichtPositiv = 1966;

// An operating point (%1) whose quantity (%2) of value %3 lies below (1903) or
// above (1904) the limit of use %4 of its element's coefficient equation:
// warning, shown with the suffix and the results.
inline constexpr std::int32_t TextUnterAnwendungsgrenze = 1903;
inline constexpr std::int32_t TextUeberAnwendungsgrenze = 1904;
// The names of the operating points, 1905 + point (design, max, norm, min),
// and of all the points shown, for a quantity of the element itself (1909).
inline constexpr std::int32_t TextBetriebspunkt = 1905;
inline constexpr std::int32_t TextAlleBetriebspunkte = 1909;

// The largest dp/p the program takes the expansion factor's equations to
// cover: the ceiling of the solver's flow mode. (ISO 5167 states them for
// p2/p1 ≥ 0.75, that is dp/p ≤ 0.25.)
inline constexpr double DpAnteilDruckMax = 0.35;

// Water from the medium list or the incompressible-liquid model.
bool isLiquid(const CalculationState& s);

// The saturation pressure (kPa) at or below which the pressure behind the
// element, p − dp, lets the water boil: for water from the medium list below
// its critical temperature (the saturation pressure its density step
// computed) through the RQ8, an orifice or a venturi, whose low side lies at
// p − dp. None otherwise: the probes' low side lies above p − dp.
std::optional<double> flashPressureKPa(const CalculationState& s);

// The smallest dp no liquid can have through its element: its absolute
// pressure, or for water that can boil behind the element (flashPressureKPa)
// the pressure less the saturation pressure. None for a compressible medium.
std::optional<double> liquidDpBound(const CalculationState& s);

// The last point the results show: the design point, or the minimum flow when
// the flow range is on.
int lastShownPoint(const CalculationState& s);

// For the points 0 to lastPoint, the message that stops the run, or empty: a
// discharge coefficient of 1 or more (element types 1 and 9 to 15), a pressure
// loss of 0 or less, a dp at or above the absolute pressure, water that boils
// behind the element (flashPressureKPa), tested in this order.
std::string resultStop(const EngineContext& e, int lastPoint);
// ... a stop of the discharge coefficient or the loss alone (the first two).
std::string elementStop(const EngineContext& e, int lastPoint);

// For the orifices, the venturi nozzle and the classical venturi tubes
// (element types 9 to 15), the warning (without the suffix) of each quantity
// that lies outside the limits of use of the element's coefficient equation in
// ISO 5167-1:1991: the bore d, the diameter ratio β and the pipe D (at 20 °C)
// for all the points, then the pipe Reynolds number of each of the points 0 to
// lastPoint; one line each, empty when all lie within.
std::string limitsOfUseWarning(const EngineContext& e, int lastPoint);

// For the points 0 to lastPoint of a compressible medium, the warning of a dp
// above DpAnteilDruckMax of the pressure (without the suffix), or empty.
std::string dpRangeWarning(const EngineContext& e, int lastPoint);

}  // namespace morvane
