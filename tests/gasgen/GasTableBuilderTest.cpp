// The generator's choice of support points, on small ranges that build quickly.
#include "tools/gasgen/GasTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

using gerg2008::Component;

gasgen::GasDefinition definition(Component c, double tMin, double tMax, double pMin, double pMax)
{
    gasgen::GasDefinition s;
    s.mediumNumber = 99;
    s.name = "test gas";
    s.composition = gerg2008::pureComposition(c);
    s.tMinC = tMin;
    s.tMaxC = tMax;
    s.pMinKPa = pMin;
    s.pMaxKPa = pMax;
    return s;
}

TEST(GasTableBuilder, SpansTheLimitsWithinTheNodeBudgetAndStoresTheNormRelativeZ)
{
    const auto s = definition(Component::Nitrogen, 0, 100, 10, 2000);
    const auto table = gasgen::buildGasTable(s);
    ASSERT_GE(table.temperaturesC.size(), 2u);
    ASSERT_LE(table.temperaturesC.size(), 50u);
    ASSERT_LE(table.pressuresKPa.size(), 30u);
    EXPECT_EQ(table.temperaturesC.front(), 0);
    EXPECT_EQ(table.temperaturesC.back(), 100);
    EXPECT_EQ(table.pressuresKPa.front(), 10);
    EXPECT_EQ(table.pressuresKPa.back(), 2000);
    EXPECT_LE(table.maxRelativeError, 6e-4);

    // At the norm state itself Zs = 1 but for the 273.14 factor, which is 1 at 0 °C.
    const gerg2008::Mixture n2(s.composition);
    EXPECT_NEAR(gasgen::storedCompressibility(n2, table.normCompressibility, 0.0, 101.325), 1.0, 1e-12);
    // At 100 °C the 273.14 factor is 273.14 * 373.15 / (273.15 * 373.14) = 1 - 9.8e-6.
    const double z = n2.compressibility(373.15, 1000) / table.normCompressibility;
    EXPECT_NEAR(gasgen::storedCompressibility(n2, table.normCompressibility, 100.0, 1000) / z,
                273.14 * 373.15 / (273.15 * 373.14), 1e-15);
}

TEST(GasTableBuilder, RefusesARangeTheNodeBudgetCannotHold)
{
    // Carbon dioxide just above its critical point up to 100 bar: the density
    // jumps near 75 bar faster than 30 pressure nodes can follow.
    EXPECT_THROW(gasgen::buildGasTable(definition(Component::CarbonDioxide, 32, 40, 10, 10000)), std::runtime_error);
}

}  // namespace
