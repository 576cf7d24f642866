#include "engine/DensityDispatch.h"

#include "engine/GasTableDensity.h"
#include "engine/IdealGasAndLiquidDensity.h"
#include "engine/RedlichKwong.h"
#include "engine/WaterSteamDensity.h"
#include "tracing/Guard.h"

namespace morvane {

namespace {

// Critical point that the protocol shows for steam and water, whatever the steam
// step reported: °C and kPa.
constexpr double WasserKritischeTemperatur = 374.0;
constexpr double WasserKritischerDruck = 22000.0;

}  // namespace

void BerechneDichte(EngineContext& e)
{
    Guard g("Module1", "BerechneDichte", "Sub BerechneDichte()");
    CalculationState& s = e.s;

    if (!g.step([&] { s.gFehlerDichte.clear(); }))
        return;

    if (isTrue(s.gModellGespeicherteDaten)) {
        const auto steam = [&](void (*steamStep)(EngineContext&)) {
            if (!g.step([&] { steamStep(e); }))
                return false;
            if (!g.step([&] { s.gKritischeTemperatur = WasserKritischeTemperatur; }))
                return false;
            return g.step([&] { s.gKritischerDruck = WasserKritischerDruck; });
        };
        switch (s.gMediumNr) {
        case medium::Luft:
        case medium::Stickstoff:
        case medium::Sauerstoff:
        case medium::Kohlendioxid:
        case medium::Methan:
        case medium::Wasserstoff:
            if (!g.step([&] { BerechneDichteGas(e); }))
                return;
            break;
        case medium::UeberhitzterDampf:
            if (!steam(&BerechneDichteueberhitzterDampf))
                return;
            break;
        case medium::Sattdampf:
            if (!steam(&BerechneDichteSattdampf))
                return;
            break;
        case medium::Wasser:
            if (!steam(&BerechneDichteWasser))
                return;
            break;
        default:
            // No medium (0), or a number the list does not have (from a file or
            // a driver, never from the window's list), which names none
            // either: no other model is looked at, and no later step goes on
            // with the properties an earlier run left in the state.
            g.step([&] { s.gFehlerDichte = e.text(1214); });
            return;
        }
    }

    // Independent tests: a state with several flags true runs several models.
    if (isTrue(s.gModellIdealesGas) && !g.step([&] { BerechneDichteIdealesGas(e); }))
        return;
    if (isTrue(s.gModellRedlichKwong) && !g.step([&] { BerechneDichteRedlichKwong(e); }))
        return;
    if (isTrue(s.gModellFluessigkeit))
        g.step([&] { BerechneDichteFluessigkeit(e); });
}

}  // namespace morvane
