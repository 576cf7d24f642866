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
    double fromMm;   // the model's pipe range, inside diameter
    double toMm;
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
                         testing::Values(ProbeCase{"RQ10M", 17, 135}, ProbeCase{"RQ25", 65, 2500},
                                         ProbeCase{"RQ25HDD", 65, 3000}, ProbeCase{"RQ32", 65, 4000},
                                         ProbeCase{"RQ44", 65, 6000}, ProbeCase{"RQ50", 1000, 12000}),
                         [](const auto& info) { return std::string(info.param.model); });

}  // namespace
