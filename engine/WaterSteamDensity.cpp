#include "engine/WaterSteamDensity.h"

#include "engine/SteamTableCalls.h"
#include "tracing/Guard.h"

#include <cstdint>

namespace morvane {

namespace {

// Pressure bound of superheated steam and water, kPa absolute; the bound itself
// passes.
constexpr double MaxDruckKPa = 100000.0;

// A step that finds something to report puts the text into gFehlerDichte and
// ends; gBetriebsdichte keeps its previous value.
struct DensityMessage {
    EngineContext& e;
    bool operator()(std::int32_t id) const
    {
        e.s.gFehlerDichte = e.text(id);
        return false;
    }
};

// The steam tables answer 0 outside their range (a pressure of 0 or less, for
// one): such a density is reported, never stored.
bool keptDensity(CalculationState& s, double rho, const DensityMessage& report)
{
    if (!(rho > 0.0))
        return report(TextDichteNichtPositiv);
    s.gBetriebsdichte = rho;
    return true;
}

}  // namespace

void BerechneDichteueberhitzterDampf(EngineContext& e)
{
    Guard g("Module1", "BerechneDichteueberhitzterDampf", "Sub BerechneDichteueberhitzterDampf()");
    CalculationState& s = e.s;
    const DensityMessage report{e};

    if (!g.step([&] { return s.gDruck == 0 ? report(1215) : true; }))
        return;
    if (!g.step([&] { return s.gDruck > MaxDruckKPa ? report(1216) : true; }))
        return;
    if (!g.step([&] { return s.gTemperatur < 10.0 ? report(1217) : true; }))
        return;
    if (!g.step([&] { return s.gTemperatur > 1000.0 ? report(1218) : true; }))
        return;
    // Superheated means below the saturation pressure; above the critical
    // temperature there is no saturation to compare with.
    if (!g.step([&] {
            const double T = steamTableKelvin(s.gTemperatur);
            if (!belowSteamCriticalTemperature(T))
                return true;
            s.gSattdampfdruck = steamSaturationPressureMPa(T);
            return s.gDruck >= s.gSattdampfdruck * 1000.0 ? report(1219) : true;
        }))
        return;
    g.step([&] { return keptDensity(s, steamDensity(steamTableKelvin(s.gTemperatur), s.gDruck / 1000.0), report); });
}

void BerechneDichteSattdampf(EngineContext& e)
{
    Guard g("Module1", "BerechneDichteSattdampf", "Sub BerechneDichteSattdampf()");
    CalculationState& s = e.s;
    const DensityMessage report{e};

    // Saturation ends at the critical point, so the upper bound of 1000 °C is
    // met first by the critical temperature.
    if (!g.step([&] {
            if (s.gTemperatur < 10.0 || s.gTemperatur > 1000.0)
                return report(1220);
            if (!belowSteamCriticalTemperature(steamTableKelvin(s.gTemperatur)))
                return report(1220);
            return true;
        }))
        return;
    if (!g.step([&] { s.gSattdampfdruck = steamSaturationPressureMPa(steamTableKelvin(s.gTemperatur)); }))
        return;
    // The entered pressure gives way to the saturation pressure, kPa; every
    // later step and the results see this one.
    if (!g.step([&] { s.gDruck = s.gSattdampfdruck * 1000.0; }))
        return;
    g.step([&] { return keptDensity(s, steamSaturatedVapourDensity(steamTableKelvin(s.gTemperatur)), report); });
}

void BerechneDichteWasser(EngineContext& e)
{
    Guard g("Module1", "BerechneDichteWasser", "Sub BerechneDichteWasser()");
    CalculationState& s = e.s;
    const DensityMessage report{e};

    if (!g.step([&] { return s.gDruck == 0 ? report(1215) : true; }))
        return;
    if (!g.step([&] { return s.gDruck > MaxDruckKPa ? report(1215) : true; }))
        return;
    if (!g.step([&] { return s.gTemperatur < 0 ? report(1217) : true; }))
        return;
    if (!g.step([&] { return s.gTemperatur > 1000.0 ? report(1217) : true; }))
        return;
    // Liquid means above the saturation pressure. At and above the critical
    // temperature there is no saturation to compare with: below the critical
    // pressure the state is steam there too, above it the dense fluid that the
    // liquid's equations still describe.
    if (!g.step([&] {
            const double T = steamTableKelvin(s.gTemperatur);
            if (!belowSteamCriticalTemperature(T))
                return s.gDruck < SteamCriticalPressureMPa * 1000.0 ? report(1221) : true;
            s.gSattdampfdruck = steamSaturationPressureMPa(T);
            return s.gSattdampfdruck * 1000.0 >= s.gDruck ? report(1221) : true;
        }))
        return;
    g.step([&] { return keptDensity(s, steamDensity(steamTableKelvin(s.gTemperatur), s.gDruck / 1000.0), report); });
}

}  // namespace morvane
