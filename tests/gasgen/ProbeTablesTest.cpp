// The probe coefficient tables in the built product databases: their layout as
// the program reads it and the shape of their illustrative values.
#include "DbTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct ProbeCase {
    const char* model;
    double fromMm;   // the table's first and last support diameter: the model's
    double toMm;     // pipe range, or beyond it where the table goes on
};

std::ostream& operator<<(std::ostream& os, const ProbeCase& c) { return os << c.model; }

class ProbeTables : public testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeTables, FollowTheReadingRulesAndCoverTheModelsPipeRange)
{
    const auto& c = GetParam();
    for (const auto& db : {gastest::mainDatabase(), gastest::alternativeDatabase()}) {
        const auto t = gastest::readTable(db, c.model);
        ASSERT_EQ(t.columns, (std::vector<std::string>{"NumStuetz", "Durchmesser", "Zeta"}));
        EXPECT_EQ(t.declaredTypes, (std::vector<std::string>{"INTEGER", "REAL", "REAL"}));
        const auto n = t.at(0, "NumStuetz");
        ASSERT_TRUE(n.has_value());
        EXPECT_TRUE(t.integerCells[0][0]);
        ASSERT_GE(*n, 2);
        ASSERT_LE(*n, 20);
        ASSERT_GE(t.rows.size(), static_cast<std::size_t>(*n));
        std::vector<double> d, zeta;
        for (std::size_t r = 0; r < static_cast<std::size_t>(*n); ++r) {
            ASSERT_TRUE(t.at(r, "Durchmesser").has_value());
            ASSERT_TRUE(t.at(r, "Zeta").has_value());
            d.push_back(*t.at(r, "Durchmesser"));
            zeta.push_back(*t.at(r, "Zeta"));
        }
        EXPECT_DOUBLE_EQ(d.front(), c.fromMm);
        EXPECT_DOUBLE_EQ(d.back(), c.toMm);
        for (std::size_t r = 0; r < d.size(); ++r) {
            const double k = 1 / std::sqrt(zeta[r]);
            EXPECT_GE(k, 0.6) << c.model << " at " << d[r] << " mm";
            EXPECT_LE(k, 0.8) << c.model << " at " << d[r] << " mm";
            if (r > 0) {
                EXPECT_GT(d[r], d[r - 1]);
                // The blockage falls as the pipe grows, and K rises with it.
                EXPECT_LT(zeta[r], zeta[r - 1]) << c.model << " at " << d[r] << " mm";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Models, ProbeTables,
                         testing::Values(ProbeCase{"RQ10M", 17, 135}, ProbeCase{"RQ25", 65, 3190},
                                         ProbeCase{"RQ25HDD", 65, 3000}, ProbeCase{"RQ32", 65, 4000},
                                         ProbeCase{"RQ44", 65, 6000}, ProbeCase{"RQ50", 1000, 12000}),
                         [](const auto& info) { return std::string(info.param.model); });

// The solver starts probes at 2500 mm (RQ25 to RQ44) and 11 000 mm (RQ50) and
// the pipe grows with temperature by 12.1e-6 per K from 20 °C: up to 600 °C
// the start lies inside each table, so that the first pass gives no range
// warning. The support points of the model's range stay as they were (RQ25:
// 16 points from 65 to 2500 mm).
TEST(ProbeTables, SolverStartValuesUpTo600CLieInside)
{
    const double growth = 1 + 12.1e-6 * (600 - 20);
    const struct {
        const char* model;
        double start;
    } cases[] = {{"RQ25", 2500}, {"RQ25HDD", 2500}, {"RQ32", 2500}, {"RQ44", 2500}, {"RQ50", 11000}};
    for (const auto& c : cases) {
        const auto t = gastest::readTable(gastest::mainDatabase(), c.model);
        const auto n = t.at(0, "NumStuetz");
        ASSERT_TRUE(n.has_value()) << c.model;
        const auto last = t.at(static_cast<std::size_t>(*n) - 1, "Durchmesser");
        ASSERT_TRUE(last.has_value()) << c.model;
        EXPECT_GE(*last, c.start * growth) << c.model;
    }
    const auto rq25 = gastest::readTable(gastest::mainDatabase(), "RQ25");
    EXPECT_EQ(rq25.at(15, "Durchmesser"), 2500.0);
    EXPECT_EQ(rq25.at(15, "Zeta"), 1.5735);
    EXPECT_EQ(rq25.at(14, "Durchmesser"), 1960.0);
    EXPECT_EQ(rq25.at(14, "Zeta"), 1.57655);
}

}  // namespace
