#include "engine/ResultChecks.h"

#include "common/ResourceTexts.h"
#include "engine/FormatPatterns.h"
#include "engine/OrificeCoefficients.h"
#include "platform/RuntimeError.h"

#include <cmath>
#include <initializer_list>

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
    return {};
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
