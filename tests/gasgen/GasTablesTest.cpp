// The gas compressibility tables in the built product databases: their layout as
// the program reads it, their range, and the density that the program's
// interpolation gives from them, compared with GERG-2008 computed here and with
// the reference equation for air.
#include "DbTables.h"

#include "tools/gasgen/Gerg2008.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using gerg2008::Component;
using gerg2008::Composition;
using gerg2008::Mixture;
using gastest::DbTable;

Composition air()
{
    Composition x{};
    x[static_cast<int>(Component::Nitrogen)] = 0.7812;
    x[static_cast<int>(Component::Oxygen)] = 0.2096;
    x[static_cast<int>(Component::Argon)] = 0.0092;
    return x;
}

// One gas's two tables, read as the program reads them.
struct GasTable {
    double normDensity = 0, tMin = 0, tMax = 0, pMin = 0, pMax = 0, tCritical = 0, pCritical = 0;
    int nT = 0, nD = 0;
    std::vector<double> ts, ds;              // support points, index 0 = row 1
    std::vector<std::vector<double>> z;      // z[i][j]: row i+1, column Feld(j+1)
    DbTable data, tab;
};

double required(const DbTable& t, std::size_t row, const std::string& column)
{
    const auto v = t.at(row, column);
    if (!v)
        throw std::runtime_error("empty cell " + column + " in row " + std::to_string(row + 1));
    return *v;
}

GasTable loadGas(const std::string& database, int medium)
{
    GasTable g;
    g.data = gastest::readTable(database, std::to_string(medium) + "GasData");
    g.tab = gastest::readTable(database, std::to_string(medium) + "GasTab");
    g.normDensity = required(g.data, 0, "Gasdaten");
    g.nT = static_cast<int>(required(g.data, 0, "nTStuetz"));
    g.nD = static_cast<int>(required(g.data, 0, "nDStuetz"));
    g.tMin = required(g.data, 1, "Gasdaten");
    g.tMax = required(g.data, 2, "Gasdaten");
    g.pMin = required(g.data, 3, "Gasdaten");
    g.pMax = required(g.data, 4, "Gasdaten");
    g.tCritical = required(g.data, 5, "Gasdaten");
    g.pCritical = required(g.data, 6, "Gasdaten");
    for (int i = 0; i < g.nT; ++i)
        g.ts.push_back(required(g.data, i, "TStuetz"));
    for (int j = 0; j < g.nD; ++j)
        g.ds.push_back(required(g.data, j, "DStuetz"));
    for (int i = 0; i < g.nT; ++i) {
        std::vector<double> row;
        for (int j = 0; j < g.nD; ++j)
            row.push_back(required(g.tab, i, "Feld" + std::to_string(j + 1)));
        g.z.push_back(std::move(row));
    }
    return g;
}

// The program's interpolation and density: interval search in which the last
// match wins, temperature first, then pressure; T in °C, p in kPa absolute.
double programDensity(const GasTable& g, double t, double p)
{
    int iT = 0, iD = 0;   // zero-based lower nodes
    for (int i = 0; i < g.nT - 1; ++i)
        if (g.ts[i] <= t)
            iT = i;
    for (int j = 0; j < g.nD - 1; ++j)
        if (g.ds[j] <= p)
            iD = j;
    const double z11 = g.z[iT][iD], z12 = g.z[iT][iD + 1];
    const double z21 = g.z[iT + 1][iD], z22 = g.z[iT + 1][iD + 1];
    const double dt = g.ts[iT + 1] - g.ts[iT];
    const double zp1 = z11 + (t - g.ts[iT]) * (z21 - z11) / dt;
    const double zp2 = z12 + (t - g.ts[iT]) * (z22 - z12) / dt;
    const double z = zp1 + (p - g.ds[iD]) * (zp2 - zp1) / (g.ds[iD + 1] - g.ds[iD]);
    return g.normDensity * p * 273.14 / 101.325 / (t + 273.14) / z;
}

double gergDensity(const Mixture& gas, double t, double p) { return gas.massDensity(t + 273.15, p); }

// What the product asks of each table: its temperature and pressure range must
// cover at least these (°C, kPa absolute).
struct GasCase {
    int medium;
    const char* name;
    Composition composition;
    double coverTMin, coverTMax, coverPMin, coverPMax;
};

std::ostream& operator<<(std::ostream& os, const GasCase& c) { return os << c.medium << " " << c.name; }

const GasCase kGases[] = {
    {1, "air", air(), -50, 300, 100, 10000},
    {5, "nitrogen", gerg2008::pureComposition(Component::Nitrogen), -50, 300, 100, 10000},
    {6, "oxygen", gerg2008::pureComposition(Component::Oxygen), -50, 300, 100, 10000},
    // Carbon dioxide: gas or supercritical up to 100 bar only above 31 °C.
    {7, "carbon dioxide", gerg2008::pureComposition(Component::CarbonDioxide), 60, 300, 100, 10000},
    // Methane and hydrogen wider.
    {8, "methane", gerg2008::pureComposition(Component::Methane), -50, 350, 100, 15000},
    {9, "hydrogen", gerg2008::pureComposition(Component::Hydrogen), -150, 350, 100, 30000},
};

class GasTables : public testing::TestWithParam<GasCase> {
protected:
    GasTable table = loadGas(gastest::mainDatabase(), GetParam().medium);
    Mixture gas{GetParam().composition};
};

TEST_P(GasTables, LayoutFollowsTheReadingRules)
{
    const auto& g = table;
    EXPECT_GE(g.nT, 2);
    EXPECT_LE(g.nT, 50);
    EXPECT_GE(g.nD, 2);
    EXPECT_LE(g.nD, 30);
    EXPECT_TRUE(g.data.integerCells[0][g.data.column("nTStuetz")]);
    EXPECT_TRUE(g.data.integerCells[0][g.data.column("nDStuetz")]);
    EXPECT_GE(g.data.rows.size(), static_cast<std::size_t>(std::max({7, g.nT, g.nD})));
    EXPECT_GE(g.tab.rows.size(), static_cast<std::size_t>(g.nT));
    EXPECT_TRUE(std::is_sorted(g.ts.begin(), g.ts.end(), std::less_equal<>()));
    EXPECT_TRUE(std::is_sorted(g.ds.begin(), g.ds.end(), std::less_equal<>()));
    // Every state that passes the limit checks lies inside the grid.
    EXPECT_GE(g.tMin, g.ts.front());
    EXPECT_LE(g.tMax, g.ts.back());
    EXPECT_GE(g.pMin, g.ds.front());
    EXPECT_LE(g.pMax, g.ds.back());
    EXPECT_LT(g.tMin, g.tMax);
    EXPECT_LT(g.pMin, g.pMax);
    for (const auto& row : g.z)
        for (double z : row)
            EXPECT_GT(z, 0.1);
}

TEST_P(GasTables, CoverTheRequiredRangeInTheGasPhase)
{
    const auto& c = GetParam();
    EXPECT_LE(table.tMin, c.coverTMin);
    EXPECT_GE(table.tMax, c.coverTMax);
    EXPECT_LE(table.pMin, c.coverPMin);
    EXPECT_GE(table.pMax, c.coverPMax);
    // Above the critical temperature (for air the maxcondentherm) no liquid can
    // form at any pressure, so the whole rectangle is gas or supercritical.
    EXPECT_GT(table.tMin, table.tCritical);
    for (double t : {table.tMin, table.tMax})
        for (double p : {table.pMin, table.pMax})
            EXPECT_GT(gas.stateAtPressure(t + 273.15, p).dPdRho, 0) << t << " °C, " << p << " kPa";
}

TEST_P(GasTables, CriticalDataAgreeWithTheEquationsCriticalParameters)
{
    if (GetParam().medium == 1) {
        // Air's maxcondentherm lies between the critical points of nitrogen and oxygen.
        EXPECT_GT(table.tCritical, 126.192 - 273.15);
        EXPECT_LT(table.tCritical, 154.595 - 273.15);
        EXPECT_GT(table.pCritical, 3395.8);
        EXPECT_LT(table.pCritical, 5043.0);
        return;
    }
    // GERG-2008 reduces each pure fluid by its critical temperature and density;
    // the table's values (°C, kPa) come from the fluids' reference equations.
    const double tc = gas.reducingTemperatureK();
    const double pc = gas.stateAt(tc, gas.reducingDensityMolPerL()).pressureKPa;
    EXPECT_NEAR(table.tCritical, tc - 273.15, 0.1);
    EXPECT_NEAR(table.pCritical / pc, 1.0, 0.02);
}

TEST_P(GasTables, NormDensityIsTheRealGasDensityAtTheNormState)
{
    EXPECT_NEAR(table.normDensity / gergDensity(gas, 0.0, 101.325), 1.0, 1e-9);
}

TEST_P(GasTables, ProgramDensityEqualsTheEquationAtEveryNode)
{
    for (double t : table.ts)
        for (double p : table.ds)
            ASSERT_NEAR(programDensity(table, t, p) / gergDensity(gas, t, p), 1.0, 1e-9) << t << " °C, " << p
                                                                                         << " kPa";
}

TEST_P(GasTables, InterpolationBetweenNodesStaysWithinOneTenthPercent)
{
    // Sixths of every cell in both directions (25 points a cell, the centre among
    // them) and the table's limits.
    double worst = 0, worstT = 0, worstP = 0;
    auto probe = [&](double t, double p) {
        const double e = std::abs(programDensity(table, t, p) / gergDensity(gas, t, p) - 1);
        if (e > worst) {
            worst = e;
            worstT = t;
            worstP = p;
        }
    };
    for (int i = 0; i + 1 < table.nT; ++i)
        for (int j = 0; j + 1 < table.nD; ++j)
            for (int u = 1; u < 6; ++u)
                for (int v = 1; v < 6; ++v)
                    probe(table.ts[i] + u / 6.0 * (table.ts[i + 1] - table.ts[i]),
                          table.ds[j] + v / 6.0 * (table.ds[j + 1] - table.ds[j]));
    for (double t : {table.tMin, table.tMax})
        for (double p : {table.pMin, table.pMax})
            probe(t, p);
    EXPECT_LE(worst, 1e-3) << "at " << worstT << " °C, " << worstP << " kPa";
    RecordProperty("largest_density_error_percent", std::to_string(100 * worst));
}

INSTANTIATE_TEST_SUITE_P(BuiltInGases, GasTables, testing::ValuesIn(kGases),
                         [](const auto& info) {
                             const auto& c = info.param;
                             return "Medium" + std::to_string(c.medium) + morvane::testing::caseName(c.name);
                         });

TEST(GasTablesInBothDatabases, AreTheSameTwelveTablesWithTheirColumns)
{
    std::vector<std::string> tabColumns;
    for (int c = 1; c <= 30; ++c)
        tabColumns.push_back("Feld" + std::to_string(c));
    for (int medium : {1, 5, 6, 7, 8, 9}) {
        const std::string m = std::to_string(medium);
        for (const auto& db : {gastest::mainDatabase(), gastest::alternativeDatabase()}) {
            const auto data = gastest::readTable(db, m + "GasData");
            EXPECT_EQ(data.columns,
                      (std::vector<std::string>{"Gasdaten", "nTStuetz", "nDStuetz", "TStuetz", "DStuetz"}));
            EXPECT_EQ(data.declaredTypes, (std::vector<std::string>{"REAL", "INTEGER", "INTEGER", "REAL", "REAL"}));
            EXPECT_EQ(gastest::readTable(db, m + "GasTab").columns, tabColumns);
        }
        for (const auto* name : {"GasData", "GasTab"}) {
            const auto a = gastest::readTable(gastest::mainDatabase(), m + name);
            const auto b = gastest::readTable(gastest::alternativeDatabase(), m + name);
            EXPECT_EQ(a.rows, b.rows) << m + name;
        }
    }
}

TEST(AirTable, AgreesWithTheReferenceEquationForAirToTwoTenthsOfAPercent)
{
    // Lemmon et al. (2000) through python3-iapws; see the file's header. Part of
    // the difference is the molar mass of air: 28.9585 g/mol in the GERG-2008
    // mixture against 28.9655 g/mol in the air equation (-0.024 %).
    const auto table = loadGas(gastest::mainDatabase(), 1);
    std::ifstream in(std::string(MORVANE_SOURCE_DIR) + "/tests/gasgen/data/air_lemmon_grid.csv");
    ASSERT_TRUE(in);
    std::string line;
    int states = 0;
    double worst = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line[0] == 't')
            continue;
        double t, p, rho;
        char comma;
        std::istringstream(line) >> t >> comma >> p >> comma >> rho;
        ASSERT_GE(t, table.tMin);
        ASSERT_LE(t, table.tMax);
        ASSERT_GE(p, table.pMin);
        ASSERT_LE(p, table.pMax);
        const double e = programDensity(table, t, p) / rho - 1;
        EXPECT_LE(std::abs(e), 2e-3) << t << " °C, " << p << " kPa";
        worst = std::max(worst, std::abs(e));
        ++states;
    }
    EXPECT_GT(states, 700);
    RecordProperty("largest_density_difference_percent", std::to_string(100 * worst));
}

}  // namespace
