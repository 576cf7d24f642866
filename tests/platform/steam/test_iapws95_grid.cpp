// The steam tables against the committed IAPWS-95 grid of python3-iapws
// (tests/platform/steam/data, made by tools/oracles/iapws95_grid.py; source and version in
// each file's first line): liquid, vapour and supercritical states from 273.14 K to
// 1273.15 K and 0.001 to 100 MPa, pairs just above and below saturation, and the
// saturation curve from 273.14 K to 647.05 K.
#include "platform/steam/Iapws95Saturation.h"
#include "platform/steam/SteamTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace morvane;

// Rows of a comma-separated file: '#' lines are comments, the first other line
// names the columns.
std::vector<std::vector<std::string>> readRows(const std::string& name)
{
    std::ifstream in(std::string(MORVANE_SOURCE_DIR) + "/tests/platform/steam/data/" + name);
    EXPECT_TRUE(in.good()) << "cannot open " << name;
    std::vector<std::vector<std::string>> rows;
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (header) {
            header = false;
            continue;
        }
        std::vector<std::string> fields;
        std::stringstream fieldStream(line);
        std::string field;
        while (std::getline(fieldStream, field, ','))
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

double relativeDeviation(double actual, double expected)
{
    return std::abs(actual / expected - 1.0);
}

TEST(Iapws95Grid, SinglePhaseStatesAgreeInDensityAndHeatCapacities)
{
    const auto rows = readRows("iapws95_single_phase.csv");
    ASSERT_GE(rows.size(), 200u);
    int liquid = 0, vapour = 0, supercritical = 0;
    double maxT = 0.0, maxP = 0.0;
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 6u);
        double t = std::stod(row[0]);
        double p = std::stod(row[1]);
        const std::string& phase = row[2];
        double rho = std::stod(row[3]);
        const double cp = std::stod(row[4]);
        const double cv = std::stod(row[5]);
        SCOPED_TRACE(::testing::Message() << t << " K, " << p << " MPa, phase " << phase);
        liquid += phase == "L";
        vapour += phase == "V";
        supercritical += phase == "S";
        maxT = std::max(maxT, t);
        maxP = std::max(maxP, p);

        EXPECT_LE(relativeDeviation(DB(t, p), rho), 1e-9) << "DB " << DB(t, p) << " against " << rho;
        EXPECT_LE(relativeDeviation(CPB(t, rho), cp), 1e-8) << "CPB " << CPB(t, rho) << " against " << cp;
        EXPECT_LE(relativeDeviation(CVB(t, rho), cv), 1e-8) << "CVB " << CVB(t, rho) << " against " << cv;
    }
    // The file covers what it claims to.
    EXPECT_GT(liquid, 50);
    EXPECT_GT(vapour, 50);
    EXPECT_GT(supercritical, 50);
    EXPECT_GE(maxT, 1273.15);
    EXPECT_GE(maxP, 100.0);
}

TEST(Iapws95Grid, SaturationStatesAgreeInPressureAndDensities)
{
    const auto rows = readRows("iapws95_saturation.csv");
    ASSERT_GE(rows.size(), 30u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 4u);
        double t = std::stod(row[0]);
        const double ps = std::stod(row[1]);
        const double rl = std::stod(row[2]);
        const double rv = std::stod(row[3]);
        SCOPED_TRACE(::testing::Message() << t << " K");
        EXPECT_LE(relativeDeviation(PSB(t), ps), 1e-8) << "PSB " << PSB(t) << " against " << ps;
        EXPECT_LE(relativeDeviation(DVB(t), rv), 1e-9) << "DVB " << DVB(t) << " against " << rv;
        const auto sat = iapws95::saturation(t);
        ASSERT_TRUE(sat.has_value());
        EXPECT_LE(relativeDeviation(sat->liquidDensityKgM3, rl), 1e-9);
    }
}

}  // namespace
