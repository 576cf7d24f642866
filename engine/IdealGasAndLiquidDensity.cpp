#include "engine/IdealGasAndLiquidDensity.h"

#include "engine/WaterSteamDensity.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

namespace morvane {

namespace {

// Norm conditions: 0 °C is 273.15 K in this law; 101.325 kPa.
constexpr double NullGradKelvin = 273.15;
constexpr double NormdruckKPa = 101.325;

}  // namespace

void BerechneDichteIdealesGas(EngineContext& e)
{
    Guard g("Module1", "BerechneDichteIdealesGas", "Sub BerechneDichteIdealesGas()");
    CalculationState& s = e.s;

    if (s.gDichteEingabe == 0) {
        g.step([&] { s.gFehlerDichte = e.text(1228); });
        return;
    }
    if (s.gKompressibilitaetEingabe == 0) {
        g.step([&] { s.gFehlerDichte = e.text(1229); });
        return;
    }
    // Divisions left to right, as the formula is written. A density of 0 or
    // less (a pressure, temperature or input below 0) is reported, not stored.
    if (!g.step([&] {
            double rho = s.gDichteEingabe * s.gDruck * NullGradKelvin;
            rho = checkedDivide(rho, s.gTemperatur + NullGradKelvin);
            rho = checkedDivide(rho, NormdruckKPa);
            rho = checkedDivide(rho, s.gKompressibilitaetEingabe);
            if (!(rho > 0.0)) {
                s.gFehlerDichte = e.text(TextDichteNichtPositiv);
                return false;
            }
            s.gBetriebsdichte = rho;
            return true;
        }))
        return;
    if (!g.step([&] { s.gNormdichte = s.gDichteEingabe; }))
        return;
    g.step([&] { s.gKompressibilitaet = s.gKompressibilitaetEingabe; });
}

void BerechneDichteFluessigkeit(EngineContext& e)
{
    Guard g("Module1", "BerechneDichteFluessigkeit", "Sub BerechneDichteFluessigkeit()");
    CalculationState& s = e.s;

    if (s.gDichteEingabe == 0) {
        g.step([&] { s.gFehlerDichte = e.text(1228); });
        return;
    }
    s.gKompressibilitaetEingabe = 1.0;
    s.gNormdichte = s.gDichteEingabe;
    s.gBetriebsdichte = s.gDichteEingabe;
    s.gKompressibilitaet = 1.0;
}

}  // namespace morvane
