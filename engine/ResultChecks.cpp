#include "engine/ResultChecks.h"

#include "common/ResourceTexts.h"
#include "engine/FormatPatterns.h"
#include "engine/OrificeCoefficients.h"
#include "engine/SteamTableCalls.h"
#include "platform/RuntimeError.h"

#include <cmath>
#include <initializer_list>
#include <limits>

namespace morvane {

namespace {

// The text of id with %1, %2, ... replaced by the numbers given.
std::string withNumbers(const EngineContext& e, std::int32_t id, std::initializer_list<std::string> numbers)
{
    return withValues(e.text(id), numbers);
}

// kPa as the messages show them: two decimals, more for a magnitude below 1,
// so that a loss of a few Pa reads as what it is, not as 0.
std::string kPa(double v)
{
    int decimals = 2;
    for (double m = std::fabs(v); m > 0.0 && m < 1.0 && decimals < 9; m *= 10.0)
        ++decimals;
    return formatUpTo(v, decimals);
}
// C and β.
std::string ratio(double v) { return formatUpTo(v, 4); }

bool hasDischargeCoefficient(Integer typ)
{
    return typ == element::RQ8 || (typ >= element::BlendeFlansch && typ <= element::VenturiStahlblech);
}

// The point of 0 to lastPoint with the largest dp.
int largestDp(const CalculationState& s, int lastPoint)
{
    int at = PunktAuslegung;
    for (int i = PunktAuslegung + 1; i <= lastPoint; ++i)
        if (s.gDifferenzdruck[i] > s.gDifferenzdruck[at])
            at = i;
    return at;
}

}  // namespace

bool isLiquid(const CalculationState& s)
{
    return isTrue(s.gModellFluessigkeit) || (isTrue(s.gModellGespeicherteDaten) && s.gMediumNr == medium::Wasser);
}

std::optional<double> flashPressureKPa(const CalculationState& s)
{
    if (!(isTrue(s.gModellGespeicherteDaten) && s.gMediumNr == medium::Wasser) ||
        !hasDischargeCoefficient(s.gPrimaerelementtyp) ||
        !belowSteamCriticalTemperature(steamTableKelvin(s.gTemperatur)))
        return std::nullopt;
    return s.gSattdampfdruck * 1000.0;
}

std::optional<double> liquidDpBound(const CalculationState& s)
{
    if (!isLiquid(s))
        return std::nullopt;
    return s.gDruck - flashPressureKPa(s).value_or(0.0);
}

int lastShownPoint(const CalculationState& s)
{
    return isSet(s.gMehrereBetriebspunkte) ? PunktMin : PunktAuslegung;
}

std::string elementStop(const EngineContext& e, int lastPoint)
{
    const CalculationState& s = e.s;
    if (hasDischargeCoefficient(s.gPrimaerelementtyp)) {
        // Each point has its own C through its Reynolds number. The state keeps
        // the design point's; those of the range points are computed again,
        // from the same values by the same equation as get_Blende's.
        for (int i = PunktAuslegung; i <= lastPoint; ++i) {
            const double C = i == PunktAuslegung
                                 ? s.gDurchflusskoeffizient
                                 : dischargeCoefficient(s.gPrimaerelementtyp,
                                                        checkedDivide(s.gOeffnungsdurchmesser, s.gInnendurchmesser),
                                                        s.gReynolds[i], s.gEpsilonFaktor, s.gInnendurchmesser / 1000.0);
            if (C >= 1.0)
                return withNumbers(e, TextCNichtUnterEins, {ratio(C)});
        }
    }
    for (int i = PunktAuslegung; i <= lastPoint; ++i)
        if (!(s.gDruckverlust[i] > 0.0))
            return withNumbers(e, TextDruckverlustNichtPositiv, {kPa(s.gDruckverlust[i]), ratio(s.gBeta)});
    return {};
}

std::string resultStop(const EngineContext& e, int lastPoint)
{
    std::string stop = elementStop(e, lastPoint);
    if (!stop.empty())
        return stop;
    const CalculationState& s = e.s;
    const int i = largestDp(s, lastPoint);
    if (s.gDifferenzdruck[i] >= s.gDruck)
        return withNumbers(e, isLiquid(s) ? TextFluessigkeitDpAbDruck : TextGasDpAbDruck,
                           {kPa(s.gDifferenzdruck[i]), kPa(s.gDruck)});
    const std::optional<double> psat = flashPressureKPa(s);
    const double behind = s.gDruck - s.gDifferenzdruck[i];
    if (psat && behind <= *psat)
        return withNumbers(e, TextWasserVerdampft, {kPa(behind), kPa(*psat)});
    return {};
}

namespace {

// The limits of use of one element's coefficient equation; a bound of 0 or
// infinity is none.
struct LimitsOfUse {
    double dMinMm = 0;
    double betaMin = 0, betaMax = 0;
    double pipeMinMm = 0, pipeMaxMm = 0;
    double reMax = std::numeric_limits<double>::infinity();
};

constexpr double Unbounded = std::numeric_limits<double>::infinity();

LimitsOfUse limitsOf(Integer typ)
{
    switch (typ) {
    case element::BlendeFlansch: return {12.5, 0.2, 0.75, 50, 760, Unbounded};
    case element::BlendeDD2:
    case element::BlendeEcke: return {12.5, 0.2, 0.75, 50, 1000, Unbounded};
    case element::Venturiduese: return {50, 0.316, 0.775, 65, 500, 2e6};
    case element::VenturiGussrauh: return {0, 0.3, 0.75, 100, 800, 2e6};
    case element::VenturiBearbeitet: return {0, 0.4, 0.75, 50, 250, 1e6};
    default: return {0, 0.4, 0.7, 200, 1200, 2e6};  // rough-welded sheet-iron inlet
    }
}

// The smallest pipe Reynolds number of the equation at β in a pipe of dMm.
double reynoldsMin(Integer typ, double beta, double dMm)
{
    switch (typ) {
    case element::BlendeFlansch: return 1260.0 * beta * beta * dMm;
    case element::BlendeDD2:
    case element::BlendeEcke: return beta <= 0.45 ? 5000.0 : 10000.0;
    case element::Venturiduese: return 1.5e5;
    default: return 2e5;
    }
}

// How a quantity of the limits of use is shown: the places of its pattern and
// the unit after the number.
struct Shown {
    int decimals;
    const char* unit;
};
constexpr Shown Millimetres{2, " mm"};
constexpr Shown Ratio{4, ""};
constexpr Shown Reynolds{0, ""};

}  // namespace

std::string limitsOfUseWarning(const EngineContext& e, int lastPoint)
{
    const CalculationState& s = e.s;
    const Integer typ = s.gPrimaerelementtyp;
    if (typ < element::BlendeFlansch || typ > element::VenturiStahlblech)
        return {};
    const LimitsOfUse limits = limitsOf(typ);
    const double dMm = s.gInnendurchmesser, boreMm = s.gOeffnungsdurchmesser;
    const double beta = checkedDivide(boreMm, dMm);
    std::string lines;
    // A value the same as its limit at 12 significant digits lies at the
    // limit (β typed 0.2 is computed as 0.19999999999999998 from d and D). One
    // beyond it shows with as many places as tell it from the limit.
    const auto outside = [&](const std::string& point, const char* quantity, double value, double lo, double hi,
                             Shown shown) {
        const bool below = value < lo && !sameToTwelveDigits(value, lo);
        if (!below && !(value > hi && !sameToTwelveDigits(value, hi)))
            return;
        if (!lines.empty())
            lines += '\n';
        const ValueAndLimit t = formatUpToApart(value, below ? lo : hi, shown.decimals);
        lines += withNumbers(e, below ? TextUnterAnwendungsgrenze : TextUeberAnwendungsgrenze,
                             {point, quantity, t.value + shown.unit, t.limit + shown.unit});
    };
    const std::string all = e.text(lastPoint == PunktAuslegung ? TextBetriebspunkt : TextAlleBetriebspunkte);
    outside(all, "d", boreMm, limits.dMinMm, Unbounded, Millimetres);
    outside(all, "β", beta, limits.betaMin, limits.betaMax, Ratio);
    outside(all, "D", dMm, limits.pipeMinMm, limits.pipeMaxMm, Millimetres);
    const double reMin = reynoldsMin(typ, beta, dMm);
    for (int i = PunktAuslegung; i <= lastPoint; ++i)
        outside(e.text(TextBetriebspunkt + i), "Re", s.gReynolds[i], reMin, limits.reMax, Reynolds);
    return lines;
}

std::string dpRangeWarning(const EngineContext& e, int lastPoint)
{
    const CalculationState& s = e.s;
    const int i = largestDp(s, lastPoint);
    if (!isLiquid(s) && s.gDifferenzdruck[i] > DpAnteilDruckMax * s.gDruck)
        return withNumbers(e, TextDpUeberExpansionsbereich, {kPa(s.gDifferenzdruck[i]), kPa(s.gDruck)});
    return {};
}

}  // namespace morvane
