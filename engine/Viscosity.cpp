#include "engine/Viscosity.h"

#include "engine/SteamTableCalls.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace morvane {

namespace {

constexpr double KelvinOffset = 273.15;

// Viscosity equation of the IAPS release of 1975: reference temperature and
// specific volume, ideal-gas coefficients a(k) and residual coefficients b(i, j)
// with i the power of (T*/T - 1) and j the power of (δ - 1).
constexpr double DampfTRef = 647.27;     // K
constexpr double DampfVRef = 0.003147;  // m³/kg
constexpr std::array<double, 4> DampfA{0.0181583, 0.0177624, 0.0105287, -0.0036744};
constexpr double DampfB[6][5] = {
    {0.501938, 0.235622, -0.274637, 0.145831, -0.0270448},
    {0.162888, 0.789393, -0.743539, 0.263129, -0.0253093},
    {-0.130356, 0.673665, -0.959456, 0.347247, -0.0267758},
    {0.907919, 1.207552, -0.687343, 0.213486, -0.0822904},
    {-0.551119, 0.0670665, -0.497089, 0.100754, 0.0602253},
    {0.14653, -0.084337, 0.195286, -0.032932, -0.0202595},
};

// Liquid water: at each node temperature (°C) the viscosity is
// (c0 + c1·p + c2·p²) / 1000 cP with p in bar.
struct WasserKnoten {
    double tC;
    double c0, c1, c2;
    double at(double pBar) const { return (c0 + c1 * pBar + c2 * pBar * pBar) / 1000.0; }
};
constexpr std::array<WasserKnoten, 8> WasserKnotenTabelle{{
    {0, 1791.78, -0.2631546, +0.00012407},
    {25, 891.189, -0.01885453, +1.886e-5},
    {50, 546.8077, +0.01672032, +4.8531e-6},
    {100, 281.833, +0.02760286, -8.9081e-7},
    {150, 182.167, +0.025553, -1.2398e-6},
    {200, 133.96, +0.02479771, -2.39e-6},
    {250, 105.0, +0.026892, -4.2673e-6},
    {350, 58.96799, +0.06074463, -2.4498e-5},
}};
// Up to this temperature the node fits hold; above it the fit's last segment
// would be an extrapolation that turns negative near 480 °C.
constexpr double WasserFitBisC = 350.0;

// Sutherland's law per built-in gas: μ = C·√T / (1 + S/T), μ in 1e-5 cP.
struct SutherlandGas {
    Integer mediumNr;
    double c;
    double sK;
};
constexpr std::array<SutherlandGas, 6> SutherlandTabelle{{
    {medium::Luft, 150.3, 123.6},
    {medium::Stickstoff, 137.8, 103.0},
    {medium::Sauerstoff, 174.7, 138.0},
    {medium::Kohlendioxid, 165.5, 274.0},
    {medium::Methan, 88.953, 125.0},
    {medium::Wasserstoff, 73.57, 122.0},
}};
// Pressure factor of the gases, per kPa absolute.
constexpr double GasDruckfaktorProKPa = 1.06539e-5;

}  // namespace

void get_Dampfvisk(double& Visk, const double& Dichte, const double& TB)
{
    Guard g("Module1", "get_Dampfvisk", "Sub get_Dampfvisk(Visk As Double, Dichte As Double, TB As Double)",
            {{"Visk", Visk}, {"Dichte", Dichte}, {"TB", TB}});
    double T = 0, v = 0, delta = 0, s1 = 0, mu0 = 0, s2 = 0;

    if (!g.step([&] { T = TB + KelvinOffset; }))
        return;
    if (!g.step([&] { v = checkedDivide(1.0, Dichte); }))
        return;
    if (!g.step([&] { delta = checkedDivide(DampfVRef, v); }))
        return;
    if (!g.step([&] {
            const double tau = checkedDivide(DampfTRef, T);
            s1 = 0;
            for (std::size_t k = 0; k < DampfA.size(); ++k)
                s1 += DampfA[k] * std::pow(tau, static_cast<double>(k));
            s1 = checkedFinite(s1);
        }))
        return;
    if (!g.step([&] { mu0 = checkedDivide(1e-5 * checkedSqrt(checkedDivide(T, DampfTRef)), s1); }))
        return;
    // std::pow(0, 0) is 1, so on the reference temperature or at δ = 1 the
    // i = 0 and j = 0 terms keep their coefficients.
    if (!g.step([&] {
            const double x = checkedDivide(DampfTRef, T) - 1.0;
            const double y = delta - 1.0;
            s2 = 0;
            for (int i = 0; i < 6; ++i)
                for (int j = 0; j < 5; ++j)
                    s2 += DampfB[i][j] * std::pow(x, static_cast<double>(i)) * std::pow(y, static_cast<double>(j));
            s2 = checkedFinite(s2);
        }))
        return;
    g.step([&] { Visk = checkedFinite(mu0 * std::exp(delta * s2) * 100.0); });
}

void get_Wasservisk(const double& TB, const double& PBe, double& Visk)
{
    Guard g("Module1", "get_Wasservisk", "Sub get_Wasservisk(TB As Double, PBe As Double, Visk As Double)",
            {{"TB", TB}, {"PBe", PBe}, {"Visk", Visk}});

    if (TB < 0)
        return;
    // Above the last node the liquid is near or past the critical point: the
    // steam equation at the IAPWS-95 density of the state (the density the
    // density step gives it) takes over from the fits. At 350 °C and 25 MPa or
    // more the two agree within 0.7 %.
    if (TB > WasserFitBisC) {
        double rho = 0;
        if (!g.step([&] { rho = steamDensity(steamTableKelvin(TB), PBe / 1000.0); }))
            return;
        g.step([&] { get_Dampfvisk(Visk, rho, TB); });
        return;
    }
    double pBar = 0;
    if (!g.step([&] { pBar = PBe / 100.0; }))
        return;
    g.step([&] {
        const auto& n = WasserKnotenTabelle;
        // The last segment, 250 to 350 °C, is the line through those two fits.
        for (std::size_t i = 0; i + 1 < n.size(); ++i) {
            const WasserKnoten& lo = n[i];
            const WasserKnoten& hi = n[i + 1];
            if (TB == lo.tC) {
                Visk = lo.at(pBar);
                return;
            }
            if (TB > lo.tC && (TB < hi.tC || i + 2 == n.size())) {
                const double fLo = lo.at(pBar);
                const double fHi = hi.at(pBar);
                Visk = fLo + (TB - lo.tC) * (fHi - fLo) / (hi.tC - lo.tC);
                return;
            }
        }
    });
}

void Get_GasVisk(const CalculationState& s, const double& TB, const double& PBe, double& Visk)
{
    Guard g("Module1", "Get_GasVisk", "Sub Get_GasVisk(TB As Double, PBe As Double, Visk As Double)",
            {{"TB", TB}, {"PBe", PBe}, {"Visk", Visk}});

    const SutherlandGas* gas = nullptr;
    for (const SutherlandGas& row : SutherlandTabelle)
        if (row.mediumNr == s.gMediumNr)
            gas = &row;
    if (gas == nullptr)
        return;
    double TK = 0;
    if (!g.step([&] { TK = TB + KelvinOffset; }))
        return;
    g.step([&] {
        const double sutherland = checkedDivide(gas->c * checkedSqrt(TK), 1.0 + checkedDivide(gas->sK, TK));
        Visk = checkedFinite(sutherland * (1.0 + GasDruckfaktorProKPa * PBe) / 100000.0);
    });
}

void BerechneViskositaet(EngineContext& e)
{
    Guard g("Module1", "BerechneViskositaet", "Sub BerechneViskositaet()");
    CalculationState& s = e.s;

    if (isTrue(s.gModellGespeicherteDaten)) {
        if (!g.step([&] {
                const Integer m = s.gMediumNr;
                if (m == medium::Luft || m > medium::Wasser)
                    Get_GasVisk(s, s.gTemperatur, s.gDruck, s.gViskositaet);
                else if (m == medium::UeberhitzterDampf || m == medium::Sattdampf)
                    get_Dampfvisk(s.gViskositaet, s.gBetriebsdichte, s.gTemperatur);
                else if (m == medium::Wasser)
                    get_Wasservisk(s.gTemperatur, s.gDruck, s.gViskositaet);
            }))
            return;
    }
    if (isTrue(s.gModellIdealesGas))
        if (!g.step([&] { s.gViskositaet = s.gViskositaetEingabe; }))
            return;
    if (isTrue(s.gModellRedlichKwong))
        if (!g.step([&] { s.gViskositaet = s.gViskositaetRK; }))
            return;
    if (isTrue(s.gModellFluessigkeit))
        g.step([&] { s.gViskositaet = s.gViskositaetEingabe; });
}

}  // namespace morvane
