// The compressibility tables of the built-in gases (tables "mGasData" and
// "mGasTab" of the product database, m the medium number), computed from
// GERG-2008, and their SQL text.
//
// What the tables hold, in the units the program reads them in (°C, kPa absolute,
// kg/m³): the norm density at 0 °C and 101.325 kPa, the limits of the table, the
// critical data, the support points and, per node, the stored compressibility
//
//     Zs(t, p) = Z(T, p) / Zn * 273.14 (t + 273.15) / (273.15 (t + 273.14)),
//
// where Zn is Z at the norm state. The program computes the operating density as
// rho_n p 273.14 / 101.325 / (t + 273.14) / Zs; with rho_n the real norm density
// that equals the GERG-2008 density M p / (Z R T), T = t + 273.15 K, at every node.
// The last factor (1 - 2.2e-5 ... 1 + 1.0e-4 over 400 ... -200 °C) takes up the
// 273.14 of that formula.
#pragma once

#include "tools/gasgen/Gerg2008.h"

#include <string>
#include <vector>

namespace gasgen {

inline constexpr double kNormTemperatureK = 273.15;
inline constexpr double kNormPressureKPa = 101.325;
// The zero of the Celsius scale as the program's gas-table step writes it.
inline constexpr double kProgramCelsiusOffset = 273.14;

inline constexpr int kMaxTemperatureNodes = 50;
inline constexpr int kMaxPressureNodes = 30;

struct GasDefinition {
    int mediumNumber = 0;
    std::string name;
    gerg2008::Composition composition{};
    double tMinC = 0, tMaxC = 0;              // table limits, °C
    double pMinKPa = 0, pMaxKPa = 0;          // table limits, kPa absolute
    double criticalTemperatureC = 0;
    double criticalPressureKPa = 0;
    std::string criticalSource;               // which point and where from
    double temperatureStepC = 1;              // spacing of candidate temperature nodes
};

// Air, nitrogen, oxygen, carbon dioxide, methane, hydrogen (media 1, 5 to 9).
std::vector<GasDefinition> builtInGases();

// The mole fractions of dry air used for medium 1 (78.12 % N2, 20.96 % O2,
// 0.92 % Ar).
gerg2008::Composition airComposition();

struct GasTable {
    GasDefinition gas;
    double normDensity = 0;                   // kg/m³ at 0 °C, 101.325 kPa
    double normCompressibility = 0;           // Zn
    std::vector<double> temperaturesC;        // support points, ascending
    std::vector<double> pressuresKPa;         // support points, ascending
    std::vector<std::vector<double>> z;       // z[i][j]: Zs at temperature i, pressure j
    double maxRelativeError = 0;              // of the interpolated density, on the sampling lattice
};

// Zs as defined above, for a mixture whose norm-state Z is normCompressibility.
double storedCompressibility(const gerg2008::Mixture& gas, double normCompressibility,
                             double temperatureC, double pressureKPa);

// Chooses the support points so that bilinear interpolation (temperature first)
// of Zs stays close to the equation everywhere on a fine lattice of candidate
// nodes inside the limits, and fills the table. Throws std::runtime_error when
// the node budget cannot reach 0.06 % in density.
GasTable buildGasTable(const GasDefinition& definition);

// The SQL that creates and fills the two tables of each gas.
std::string gasTablesSql(const std::vector<GasTable>& tables, const std::string& header);

}  // namespace gasgen
