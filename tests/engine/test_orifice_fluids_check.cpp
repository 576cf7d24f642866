// The orifice and venturi equations against python3-fluids, data from
// tools/oracles/fluids_orifice_check.py (python3-fluids 1.0.22, Debian 12), see the
// headers of the data files.
#include "engine/OrificeCoefficients.h"

#include "SteamStepFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace morvane {
namespace {

using testing::readOracleTable;

// Given the flow and C, the program's iteration lands on the differential
// pressure whose orifice_expansibility_1989 and flow_meter_discharge (with π
// taken as 3.14159) give that flow back.
TEST(OrificeFluidsCheck, ExpansionFactorAndFlowEquation)
{
    const auto rows = readOracleTable("fluids_orifice_expansibility.tsv");
    ASSERT_GE(rows.size(), 10u);
    for (const auto& r : rows) {
        ASSERT_EQ(r.size(), 11u);
        const double D = r[0], beta = r[1], rho = r[2], kappa = r[3], p1 = r[4], C = r[5], epsFactor = r[6], q = r[7];
        const double dpEps = r[8], eps = r[9], dpFull = r[10];
        const OrificeIteration it = orificeDifferentialPressure(q, epsFactor, C, beta, D, rho, kappa, p1);
        const std::string row = "D " + std::to_string(D) + ", beta " + std::to_string(beta) + ", dp/p " +
                                std::to_string(dpEps / p1) + ", eps factor " + std::to_string(epsFactor);
        EXPECT_TRUE(it.converged) << row;
        EXPECT_NEAR(it.e, eps, 1e-9) << row;
        EXPECT_NEAR(it.dp1Pa / dpEps, 1.0, 1e-9) << row;
        EXPECT_NEAR(it.dpKPa * 1000.0 / dpFull, 1.0, 1e-9) << row;
    }
}

// The venturi nozzle and the venturi tubes take the isentropic expansion factor
// of ISO 5167-3/-4: nozzle_expansibility to 1e-12, at dp/p from 0.5 % to 25 %,
// κ from 1.01 to 1.67, β from 0.3 to 0.75; and the program's iteration, given
// the flow that fluids' flow equation gives at that dp, lands on it.
TEST(VenturiFluidsCheck, IsentropicExpansionFactorAndFlowEquation)
{
    const auto rows = readOracleTable("fluids_venturi_expansibility.tsv");
    ASSERT_GE(rows.size(), 20u);
    std::set<Integer> types;
    for (const auto& r : rows) {
        ASSERT_EQ(r.size(), 12u);
        const auto type = static_cast<Integer>(r[0]);
        const double D = r[1], beta = r[2], rho = r[3], kappa = r[4], p1 = r[5], C = r[6], epsFactor = r[7];
        const double q = r[8], dpEps = r[9], eps = r[10], dpFull = r[11];
        const std::string row = "type " + std::to_string(type) + ", beta " + std::to_string(beta) + ", kappa " +
                                std::to_string(kappa) + ", dp/p " + std::to_string(dpEps / p1);
        types.insert(type);
        EXPECT_EQ(expansibilityOf(type), Expansibility::Isentropic) << row;
        EXPECT_NEAR(dischargeCoefficient(type, beta, 1e6, 1.0, D), C, 1e-15) << row;
        const std::optional<double> e = isentropicExpansibility(beta, kappa, dpEps / p1);
        ASSERT_TRUE(e.has_value()) << row;
        EXPECT_NEAR(*e, eps, 1e-12) << row;

        const OrificeIteration it =
            orificeDifferentialPressure(q, epsFactor, C, beta, D, rho, kappa, p1, Expansibility::Isentropic);
        EXPECT_TRUE(it.converged) << row;
        EXPECT_NEAR(it.e, eps, 1e-12) << row;
        EXPECT_NEAR(it.dp1Pa / dpEps, 1.0, 1e-12) << row;
        EXPECT_NEAR(it.dpKPa * 1000.0 / dpFull, 1.0, 1e-12) << row;
    }
    EXPECT_EQ(types, (std::set<Integer>{element::Venturiduese, element::VenturiGussrauh, element::VenturiBearbeitet,
                                        element::VenturiStahlblech}));
}

// The coefficient of orifice plates in small pipes against the Stolz equation
// of ISO 5167-1:1991 computed by hand (stolz_small_pipes_oracle.py): c4 follows
// from L1 alone, so corner tappings keep c4 = 0 below 58.62 mm, flange tappings
// take 0.039 up to their L1 of 0.4333 (D 58.6199 mm), D and D/2 always. The
// water runs give the run's C and dp at its own Reynolds number.
TEST(OrificeStolzCheck, SmallPipesByHandAfterTheStandard)
{
    const auto rows = readOracleTable("stolz_small_pipes.tsv");
    ASSERT_GE(rows.size(), 100u);
    int runs = 0;
    for (const auto& r : rows) {
        ASSERT_GE(r.size(), 6u);
        const auto type = static_cast<Integer>(r[1]);
        const double D = r[2] / 1000.0, beta = r[3] / r[2], re = r[4], cHand = r[5];
        const std::string row = "type " + std::to_string(type) + ", D " + std::to_string(r[2]) + " mm, beta " +
                                std::to_string(beta) + ", Re " + std::to_string(re);
        const double C = dischargeCoefficient(type, beta, re, 1.0, D);
        EXPECT_NEAR(C, cHand, 1e-13) << row;
        if (r[0] != 1.0)
            continue;
        ASSERT_EQ(r.size(), 9u);
        ++runs;
        const double q = r[6], rho = r[7], dpHand = r[8];
        const OrificeIteration it = orificeDifferentialPressure(q, 1.0, C, beta, D, rho, 1e9, 500e3);
        EXPECT_TRUE(it.converged) << row;
        EXPECT_NEAR(it.dpKPa / dpHand, 1.0, 1e-9) << row;  // water's ε differs from 1 by 2e-11
    }
    EXPECT_EQ(runs, 4);
}

// The classical venturi tubes' loss as a share of dp against
// dP_venturi_tube of python3-fluids (tools/oracles/venturi_tube_loss.py):
// between the points of the curves, on them, and held at their ends in β
// (below 0.29916, above 0.74965) and in D (below 65 mm, above 500 mm).
TEST(VenturiFluidsCheck, TubeLossShareOfDp)
{
    const auto rows = readOracleTable("venturi_tube_loss_fluids.tsv");
    ASSERT_GE(rows.size(), 20u);
    int heldBeta = 0, heldD = 0;
    for (const auto& r : rows) {
        ASSERT_EQ(r.size(), 3u);
        const double dMm = r[0], beta = r[1], share = r[2];
        heldBeta += beta < 0.29916 || beta > 0.74965;
        heldD += dMm < 65.0 || dMm > 500.0;
        EXPECT_NEAR(venturiTubeLossFraction(beta, dMm / 1000.0), share, 1e-12) << "D " << dMm << " mm, beta " << beta;
    }
    EXPECT_GT(heldBeta, 4);
    EXPECT_GT(heldD, 4);
}

// The Stolz equation of ISO 5167-1:1991 stays within 1 % of the
// Reader-Harris/Gallagher equation for 0.2 <= β <= 0.7, Re >= 1e4, D >= 60 mm.
TEST(OrificeFluidsCheck, StolzWithinOnePercentOfReaderHarrisGallagher)
{
    const auto rows = readOracleTable("fluids_orifice_rhg.tsv");
    ASSERT_GE(rows.size(), 300u);
    double worst = 0.0;
    for (const auto& r : rows) {
        ASSERT_EQ(r.size(), 7u);
        const auto type = static_cast<Integer>(r[0]);
        const double D = r[1], d = r[2], rho = r[3], mu = r[4], q = r[5], cRhg = r[6];
        // Reynolds number as the program forms it (π = 3.14159, viscosity in cP).
        const double v = (4.0 * q / rho / 3.14159) / (D * D);
        const double re = rho * v * D / (mu * 1000.0 * 0.001);
        const double C = dischargeCoefficient(type, d / D, re, 1.0, D);
        const double deviation = C / cRhg - 1.0;
        worst = std::max(worst, std::fabs(deviation));
        EXPECT_LE(std::fabs(deviation), 0.01) << "type " << type << ", D " << D << ", beta " << d / D << ", Re " << re;
    }
    EXPECT_GT(worst, 0.001) << "the two equations are not the same";
}

}  // namespace
}  // namespace morvane
