// The GERG-2008 implementation of the gas table generator against published check
// values and tabulated norm densities.
#include "tools/gasgen/GasTables.h"
#include "tools/gasgen/Gerg2008.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using gerg2008::Component;
using gerg2008::Mixture;

// key -> values of a "key,value,value..." file; lines starting with # are comments.
std::map<std::string, std::vector<double>> readKeyValues(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::map<std::string, std::vector<double>> values;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string key, field;
        std::getline(fields, key, ',');
        while (std::getline(fields, field, ','))
            values[key].push_back(std::stod(field));
    }
    return values;
}

TEST(Gerg2008, ReproducesThePublishedCheckValuesOfTheTwentyOneComponentMixture)
{
    const auto v = readKeyValues(std::string(MORVANE_SOURCE_DIR) + "/tests/gasgen/data/gerg2008_check_values.csv");
    ASSERT_EQ(v.at("x").size(), static_cast<std::size_t>(gerg2008::kComponentCount));
    gerg2008::Composition x{};
    std::copy(v.at("x").begin(), v.at("x").end(), x.begin());
    const Mixture gas(x);
    const double temperature = v.at("T_K")[0];
    const double pressure = v.at("p_kPa")[0];

    EXPECT_NEAR(gas.molarMassGPerMol(), v.at("molar_mass_g_mol")[0], 1e-10);
    const auto s = gas.stateAtPressure(temperature, pressure);
    // The published values carry 16 digits; 1e-10 relative leaves room for the
    // order of summation only.
    EXPECT_NEAR(s.densityMolPerL / v.at("density_mol_l")[0], 1.0, 1e-10);
    EXPECT_NEAR(s.compressibility / v.at("Z")[0], 1.0, 1e-10);
    EXPECT_NEAR(s.dPdRho / v.at("dPdrho_kPa_l_mol")[0], 1.0, 1e-10);
    EXPECT_NEAR(s.dPdT / v.at("dPdT_kPa_K")[0], 1.0, 1e-10);
    EXPECT_NEAR(s.pressureKPa / pressure, 1.0, 1e-12);
}

// Molar norm volumes (0 °C, 101.325 kPa) of the real gases, m³/kmol, as tabulated
// in Unternehmensberatung Babel, Industriegase-Lexikon, "Normzustand" (norm state
// of DIN 1343). With five digits they fix the norm density M / Vm to 1e-4, which
// also covers the small differences between equations of state.
struct NormVolumeCase {
    const char* gas;
    gerg2008::Composition composition;
    double molarVolume;   // m³/kmol
};

std::ostream& operator<<(std::ostream& os, const NormVolumeCase& c) { return os << c.gas; }

class NormDensity : public testing::TestWithParam<NormVolumeCase> {};

TEST_P(NormDensity, AgreesWithTheTabulatedMolarNormVolume)
{
    const auto& c = GetParam();
    const Mixture gas(c.composition);
    const double tabulated = gas.molarMassGPerMol() / c.molarVolume;   // kg/m³
    EXPECT_NEAR(gas.massDensity(273.15, 101.325) / tabulated, 1.0, 1e-4) << c.gas;
}

INSTANTIATE_TEST_SUITE_P(
    BuiltInGases, NormDensity,
    testing::Values(NormVolumeCase{"air", gasgen::airComposition(), 22.401},
                    NormVolumeCase{"nitrogen", gerg2008::pureComposition(Component::Nitrogen), 22.403},
                    NormVolumeCase{"oxygen", gerg2008::pureComposition(Component::Oxygen), 22.392},
                    NormVolumeCase{"carbon dioxide", gerg2008::pureComposition(Component::CarbonDioxide), 22.261},
                    NormVolumeCase{"methane", gerg2008::pureComposition(Component::Methane), 22.36},
                    NormVolumeCase{"hydrogen", gerg2008::pureComposition(Component::Hydrogen), 22.428},
                    NormVolumeCase{"argon", gerg2008::pureComposition(Component::Argon), 22.392}),
    [](const auto& info) { return morvane::testing::caseName(info.param.gas); });

TEST(Gerg2008, ApproachesTheIdealGasAtVanishingPressure)
{
    // Z - 1 is proportional to p at low pressure: at 1e-3 kPa it is below 1e-7 for
    // every built-in gas, also for carbon dioxide with its large second virial
    // coefficient.
    for (const auto c : {Component::Nitrogen, Component::Oxygen, Component::CarbonDioxide, Component::Methane,
                         Component::Hydrogen, Component::Argon}) {
        const Mixture gas(gerg2008::pureComposition(c));
        EXPECT_NEAR(gas.compressibility(273.15, 1e-3), 1.0, 1e-7) << static_cast<int>(c);
    }
}

TEST(Gerg2008, RejectsCompositionsAndStatesOutsideItsDomain)
{
    gerg2008::Composition notNormalised{};
    notNormalised[0] = 0.5;
    EXPECT_THROW(Mixture{notNormalised}, std::invalid_argument);
    gerg2008::Composition negative = gerg2008::pureComposition(Component::Methane);
    negative[0] = 1.1;
    negative[1] = -0.1;
    EXPECT_THROW(Mixture{negative}, std::invalid_argument);

    const Mixture methane(gerg2008::pureComposition(Component::Methane));
    EXPECT_THROW(methane.densityMolPerL(0.0, 100.0), std::domain_error);
    EXPECT_THROW(methane.densityMolPerL(300.0, -1.0), std::domain_error);
    EXPECT_THROW(methane.stateAt(300.0, 0.0), std::domain_error);
}

}  // namespace
