// The GERG-2008 wide-range equation of state for natural gases and other mixtures
// (Kunz and Wagner, J. Chem. Eng. Data 57 (2012) 3032-3091; ISO 20765-2), residual
// part: pressure, compressibility factor and density of any mixture of its 21
// components. It is the generator's reference for the built-in gas tables; the
// program itself never evaluates it.
//
// Units: temperature in K, pressure in kPa, molar density in mol/dm³ (mol/l),
// molar mass in g/mol, so that a molar density times a molar mass is kg/m³.
#pragma once

#include <array>
#include <vector>

namespace gerg2008 {

// The components in the order of the published tables.
enum class Component : int {
    Methane,
    Nitrogen,
    CarbonDioxide,
    Ethane,
    Propane,
    Isobutane,
    NButane,
    Isopentane,
    NPentane,
    NHexane,
    NHeptane,
    NOctane,
    NNonane,
    NDecane,
    Hydrogen,
    Oxygen,
    CarbonMonoxide,
    Water,
    HydrogenSulfide,
    Helium,
    Argon,
};

inline constexpr int kComponentCount = 21;

// Molar gas constant of GERG-2008, J/(mol K) = kPa dm³/(mol K).
inline constexpr double kGasConstant = 8.314472;

// Mole fractions, indexed by Component.
using Composition = std::array<double, kComponentCount>;

Composition pureComposition(Component c);

// A state given by temperature and molar density, with what follows from them.
struct State {
    double temperatureK = 0;
    double densityMolPerL = 0;
    double pressureKPa = 0;
    double compressibility = 0;   // Z = p / (rho R T)
    double dPdRho = 0;            // (dp/drho)_T, kPa per mol/l
    double dPdT = 0;              // (dp/dT)_rho, kPa/K
};

class Mixture {
public:
    // Mole fractions must be non-negative and add up to 1 (to 1e-9); otherwise
    // std::invalid_argument.
    explicit Mixture(const Composition& moleFractions);

    const Composition& moleFractions() const { return x_; }
    double molarMassGPerMol() const { return molarMass_; }
    double reducingTemperatureK() const { return reducingTemperature_; }
    double reducingDensityMolPerL() const { return reducingDensity_; }

    // Temperature and density must be positive (std::domain_error otherwise).
    State stateAt(double temperatureK, double densityMolPerL) const;

    // The molar density of the gas or supercritical root at temperature and
    // pressure, found from the low-density side. Throws std::domain_error for a
    // temperature or pressure that is not positive and std::runtime_error when no
    // mechanically stable root is found.
    double densityMolPerL(double temperatureK, double pressureKPa) const;

    State stateAtPressure(double temperatureK, double pressureKPa) const;

    // kg/m³ at temperature and pressure (gas or supercritical root).
    double massDensity(double temperatureK, double pressureKPa) const;

    double compressibility(double temperatureK, double pressureKPa) const;

private:
    // delta*d(ar)/d(delta), delta²*d²(ar)/d(delta)², tau*delta*d²(ar)/d(tau)d(delta)
    struct ResidualDerivatives {
        double delta = 0;
        double deltaDelta = 0;
        double tauDelta = 0;
    };
    ResidualDerivatives residual(double delta, double tau) const;

    struct PairDeparture {
        double weight;   // x_i x_j F_ij
        int function;    // index into the departure functions
    };

    Composition x_{};
    std::vector<int> present_;   // components with a non-zero fraction
    std::vector<PairDeparture> departures_;
    double molarMass_ = 0;
    double reducingTemperature_ = 0;
    double reducingDensity_ = 0;
};

}  // namespace gerg2008
