// The contract of the five steam-table functions beyond the reference values: the
// phase DB picks next to saturation, the joins at the triple point and at the
// critical point, answers outside the range, and independence of call history.
#include "platform/steam/Iapws95.h"
#include "platform/steam/Iapws95Saturation.h"
#include "platform/steam/SteamTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using namespace morvane;

constexpr double kTc = iapws95::kCriticalTemperatureK;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double psb(double t)
{
    return PSB(t);
}
double dvb(double t)
{
    return DVB(t);
}
double db(double t, double p)
{
    return DB(t, p);
}
double cpb(double t, double rho)
{
    return CPB(t, rho);
}
double cvb(double t, double rho)
{
    return CVB(t, rho);
}

// A pressure a hair above or below saturation must give the liquid or the vapour,
// not a metastable root of the other branch.
TEST(SteamTables, DensityNextToSaturationIsOnTheSideOfThePressure)
{
    for (double t : {273.14, 273.16, 300.0, 373.15, 500.0, 600.0, 640.0, 646.0, 646.9, 647.09, 647.09595}) {
        SCOPED_TRACE(::testing::Message() << t << " K");
        const auto sat = iapws95::saturation(t);
        ASSERT_TRUE(sat.has_value());
        ASSERT_DOUBLE_EQ(psb(t), sat->pressureMPa);
        for (double offset : {1e-3, 1e-6, 1e-9}) {
            const double above = db(t, sat->pressureMPa * (1.0 + offset));
            const double below = db(t, sat->pressureMPa * (1.0 - offset));
            EXPECT_GE(above, sat->liquidDensityKgM3 * (1.0 - 1e-12)) << "offset " << offset;
            EXPECT_LE(below, sat->vapourDensityKgM3 * (1.0 + 1e-12)) << "offset " << offset;
        }
        if (kTc - t < 1e-3)
            continue;  // closer to Tc, 1e-9 in pressure moves the density by more
        // So close that the density is still the saturated one.
        EXPECT_NEAR(db(t, sat->pressureMPa * (1.0 + 1e-9)) / sat->liquidDensityKgM3, 1.0, 1e-3);
        EXPECT_NEAR(db(t, sat->pressureMPa * (1.0 - 1e-9)) / sat->vapourDensityKgM3, 1.0, 1e-3);
        // At the saturation pressure itself: the saturated vapour.
        EXPECT_NEAR(db(t, sat->pressureMPa), sat->vapourDensityKgM3, 1e-6 * sat->vapourDensityKgM3);
    }
}

// Over the range the program uses, DB inverts p(T, rho) on the right branch and the
// heat capacities there are positive.
TEST(SteamTables, DensityInvertsPressureOnTheRightBranchOverTheRange)
{
    int states = 0;
    for (int i = 0; i <= 100; ++i) {
        const double t = 273.14 + i * (1273.15 - 273.14) / 100.0;
        // Below Tc the saturated densities bound the two branches.
        double psat = 0.0, liquidMin = 0.0, vapourMax = iapws95::kMaxDensityKgM3;
        if (t < kTc) {
            const auto sat = iapws95::saturation(t);
            ASSERT_TRUE(sat.has_value()) << t << " K";
            psat = sat->pressureMPa;
            liquidMin = sat->liquidDensityKgM3 * (1.0 - 1e-12);
            vapourMax = sat->vapourDensityKgM3 * (1.0 + 1e-12);
        }
        const iapws95::Isotherm isotherm(t);
        for (int j = 0; j <= 60; ++j) {
            const double p = std::pow(10.0, -4.0 + 6.0 * j / 60.0);  // 1e-4 to 100 MPa
            SCOPED_TRACE(::testing::Message() << t << " K, " << p << " MPa");
            const double rho = db(t, p);
            ASSERT_GT(rho, 0.0);
            const auto [pBack, slope] = isotherm.pressureAndSlope(rho);
            EXPECT_GT(slope, 0.0);
            // Density residual: the pressure error carried back through the slope.
            EXPECT_LE(std::abs(pBack - p) / slope, 1e-11 * rho);
            if (p > psat) {
                EXPECT_GE(rho, liquidMin);
            } else {
                EXPECT_LE(rho, vapourMax);
            }
            EXPECT_GT(cpb(t, rho), 0.0);
            EXPECT_GT(cvb(t, rho), 0.0);
            ++states;
        }
    }
    EXPECT_EQ(states, 101 * 61);
}

// The program calls the library from 0 C = 273.14 K, just below the triple point
// (273.16 K): PSB, DVB and the liquid density go on smoothly across it. A kink or
// jump would make a second difference of the order of the first ones; for smooth
// curves their ratio is f''h / f', about 1e-4 here.
TEST(SteamTables, SaturationAndLiquidAreSmoothAcrossTheTriplePoint)
{
    const double h = 0.0005;
    std::vector<double> ps, rv, rho;
    for (int k = 0; k <= 40; ++k) {
        const double t = 273.14 + k * h;
        ps.push_back(psb(t));
        rv.push_back(dvb(t));
        rho.push_back(db(t, 0.1));
    }
    for (const auto* curve : {&ps, &rv, &rho}) {
        const std::vector<double>& f = *curve;
        for (std::size_t k = 1; k + 1 < f.size(); ++k) {
            const double first = f[k + 1] - f[k];
            const double second = f[k + 1] - 2.0 * f[k] + f[k - 1];
            ASSERT_NE(first, 0.0);
            EXPECT_LE(std::abs(second), 1e-3 * std::abs(first)) << "at " << 273.14 + k * h << " K";
            EXPECT_EQ(first > 0.0, f[2] > f[1]) << "not monotonic at " << 273.14 + k * h << " K";
        }
    }
}

// Above Tc, PSB follows the critical isochore and DVB gives the critical density;
// both meet the saturation curve at the critical point, PSB with the same slope.
TEST(SteamTables, SaturationJoinsTheCriticalIsochoreAtTc)
{
    EXPECT_NEAR(psb(kTc), iapws95::kCriticalPressureMPa, 1e-6);
    EXPECT_NEAR(psb(kTc - 1e-7), psb(kTc + 1e-7), 1e-6);
    const double h = 1e-3;
    const double slopeBelow = (psb(kTc) - psb(kTc - h)) / h;
    const double slopeAbove = (psb(kTc + h) - psb(kTc)) / h;
    EXPECT_NEAR(slopeBelow / slopeAbove, 1.0, 1e-4);
    EXPECT_NEAR(psb(700.0), *iapws95::pressureMPa(700.0, iapws95::kCriticalDensityKgM3), 1e-12);
    // 373.99 C as the program passes it: above Tc, so on the isochore.
    EXPECT_GT(psb(373.99 + 273.14), iapws95::kCriticalPressureMPa);

    // Towards Tc, through the last 1e-4 K where the Newton solution gives way to
    // the isochore and the square-root law: both rise steadily, without a step.
    double previousP = psb(kTc - 2e-3), previousRho = dvb(kTc - 2e-3);
    for (double h = 1.9e-3; h > 1e-9; h *= 0.9) {
        const double p = psb(kTc - h);
        const double rho = dvb(kTc - h);
        EXPECT_GT(p, previousP) << h << " K below Tc";
        EXPECT_GT(rho, previousRho) << h << " K below Tc";
        EXPECT_LT(rho, iapws95::kCriticalDensityKgM3);
        previousP = p;
        previousRho = rho;
    }
    const double edge = kTc - 1e-4;
    EXPECT_NEAR(psb(edge - 1e-9) / psb(edge + 1e-9), 1.0, 1e-10);
    EXPECT_NEAR(dvb(edge - 1e-9) / dvb(edge + 1e-9), 1.0, 1e-5);

    EXPECT_DOUBLE_EQ(dvb(kTc), iapws95::kCriticalDensityKgM3);
    EXPECT_DOUBLE_EQ(dvb(1000.0), iapws95::kCriticalDensityKgM3);
    EXPECT_NEAR(dvb(kTc - 1e-6), iapws95::kCriticalDensityKgM3, 1.0);
    EXPECT_LT(dvb(kTc - 1e-3), dvb(kTc - 1e-6));
}

// DB crosses Tc continuously at pressures below, near and above pc.
TEST(SteamTables, DensityIsContinuousAcrossTc)
{
    for (double p : {1.0, 10.0, 21.0, 23.0, 30.0, 100.0}) {
        const double below = db(kTc - 1e-7, p);
        const double above = db(kTc + 1e-7, p);
        EXPECT_NEAR(below / above, 1.0, 1e-6) << p << " MPa";
    }
}

TEST(SteamTables, HeatCapacitiesAreZeroWhereTheyHaveNoValue)
{
    // The critical point itself: cv and cp diverge.
    EXPECT_EQ(cvb(kTc, iapws95::kCriticalDensityKgM3), 0.0);
    EXPECT_EQ(cpb(kTc, iapws95::kCriticalDensityKgM3), 0.0);
    // Between the spinodals at 500 K (about 30 to 710 kg/m3) the formulation's
    // isotherm loops; wherever it falls with density, cp is 0.
    const iapws95::Isotherm isotherm(500.0);
    int unstable = 0;
    for (double rho = 20.0; rho <= 800.0; rho += 20.0) {
        if (isotherm.pressureAndSlope(rho)[1] <= 0.0) {
            EXPECT_EQ(cpb(500.0, rho), 0.0) << rho << " kg/m3";
            ++unstable;
        } else {
            EXPECT_GT(cpb(500.0, rho), 0.0) << rho << " kg/m3";
        }
    }
    EXPECT_GT(unstable, 20);
    // Next to the critical point both are large but finite.
    EXPECT_GT(cvb(kTc + 0.01, iapws95::kCriticalDensityKgM3), 5.0);
    EXPECT_GT(cpb(kTc + 0.01, iapws95::kCriticalDensityKgM3), 1e3);
}

struct OutOfRange {
    double temperatureK;
    double second;  // pressure for DB, density for CPB and CVB
    const char* what;
};

TEST(SteamTables, ArgumentsOutsideTheRangeGiveZero)
{
    const OutOfRange cases[] = {
        {249.9, 0.1, "below the lowest temperature"}, {1300.1, 0.1, "above the highest temperature"},
        {kNaN, 0.1, "temperature not a number"},      {kInf, 0.1, "temperature infinite"},
        {-10.0, 0.1, "negative temperature"},         {0.0, 0.1, "zero temperature"},
    };
    for (const OutOfRange& c : cases) {
        EXPECT_EQ(psb(c.temperatureK), 0.0) << c.what;
        EXPECT_EQ(dvb(c.temperatureK), 0.0) << c.what;
        EXPECT_EQ(db(c.temperatureK, c.second), 0.0) << c.what;
        EXPECT_EQ(cpb(c.temperatureK, 1.0), 0.0) << c.what;
        EXPECT_EQ(cvb(c.temperatureK, 1.0), 0.0) << c.what;
    }
    const OutOfRange pressures[] = {
        {300.0, 0.0, "zero pressure"},          {300.0, -0.1, "negative pressure"}, {300.0, 1000.1, "above 1000 MPa"},
        {300.0, kNaN, "pressure not a number"}, {700.0, kInf, "pressure infinite"},
    };
    for (const OutOfRange& c : pressures)
        EXPECT_EQ(db(c.temperatureK, c.second), 0.0) << c.what;
    const OutOfRange densities[] = {
        {300.0, 0.0, "zero density"},
        {300.0, -1.0, "negative density"},
        {300.0, 1400.1, "above 1400 kg/m3"},
        {300.0, kNaN, "density not a number"},
    };
    for (const OutOfRange& c : densities) {
        EXPECT_EQ(cpb(c.temperatureK, c.second), 0.0) << c.what;
        EXPECT_EQ(cvb(c.temperatureK, c.second), 0.0) << c.what;
    }
    // The answered range reaches 1000 MPa.
    EXPECT_GT(db(300.0, 1000.0), 1000.0);
}

// The library keeps nothing between calls, and reads its arguments without
// writing them.
TEST(SteamTables, ResultsDoNotDependOnCallHistoryAndArgumentsStay)
{
    double t = 450.0, p = 5.0;
    const double rhoFirst = DB(t, p);
    const double psFirst = PSB(t);
    for (double other : {273.14, 647.0, 1273.15}) {
        double tOther = other, pOther = 50.0;
        DB(tOther, pOther);
        PSB(tOther);
        DVB(tOther);
    }
    EXPECT_EQ(DB(t, p), rhoFirst);
    EXPECT_EQ(PSB(t), psFirst);
    EXPECT_EQ(t, 450.0);
    EXPECT_EQ(p, 5.0);
    double rho = rhoFirst;
    CPB(t, rho);
    CVB(t, rho);
    DVB(t);
    EXPECT_EQ(t, 450.0);
    EXPECT_EQ(rho, rhoFirst);
}

}  // namespace
