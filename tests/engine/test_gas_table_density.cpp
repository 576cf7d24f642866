// Density of the built-in gases from the compressibility tables, on small
// fixture databases.
#include "EngineHarness.h"
#include "engine/DensityDispatch.h"
#include "engine/GasTableDensity.h"
#include "engine/StateFields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace morvane {
namespace {

using testing::EngineHarness;
using testing::execSql;
using testing::GasTableFixture;
using testing::writeGasTables;

const char* kTemperaturText =
    "Die Temperatur liegt außerhalb der Berechnungsgrenzen. Bitte rechnen Sie nach idealem Gasgesetz oder Redlich-Kwong";
const char* kDruckText =
    "Der Druck liegt außerhalb der Berechnungsgrenzen. Bitte rechnen Sie nach idealem Gasgesetz oder Redlich-Kwong";

// A run of the gas step on the given tables, from a state whose results are
// marked so that an unchanged value shows.
struct GasRun : EngineHarness {
    explicit GasRun(const GasTableFixture& tables = {}, double T = 20.0, double p = 500.0)
    {
        writeGasTables(mainDatabase(), tables);
        s.gModellGespeicherteDaten = True;
        s.gMediumNr = static_cast<Integer>(tables.medium);
        s.gTemperatur = T;
        s.gDruck = p;
        s.gBetriebsdichte = 11.0;
        s.gKompressibilitaet = 0.5;
        s.gNormdichte = 1.1;
        s.gKritischeTemperatur = 1.0;
        s.gKritischerDruck = 2.0;
    }
};

TEST(GasTableDensity, BilinearInterpolationOnTheGrid)
{
    // Grid 0/50/100 °C x 100/1000/5000 kPa. Expected values from the weighted
    // form of bilinear interpolation, Σ (1−t)(1−u) z11 + t(1−u) z21 + ..., and
    // ρ = 1.293 · p · 273.14 / 101.325 / (T + 273.14) / Z, evaluated with
    // Python 3.11.
    struct Case {
        double T, p, z, dichte;
        const char* shows;
    };
    const Case cases[] = {
        {25.0, 550.0, 0.99625, 6.454183749, "inside the first cell"},
        {75.0, 3000.0, 0.98575, 30.46967076, "inside the last cell"},
        {50.0, 1000.0, 0.995, 10.8406024, "interior nodes in T and p give the node's value"},
        {50.0, 5000.0, 0.97, 55.59999685, "interior T node, last p node"},
        {100.0, 1000.0, 0.998, 9.359763367, "last T node, interior p node"},
        {100.0, 5000.0, 0.98, 47.65838694, "last nodes in T and p"},
        {0.0, 100.0, 1.0, 1.276091784, "first nodes, the lower limits"},
        {0.0, 5000.0, 0.95, 67.16272547, "T = Tmin and p = pmax are accepted"},
        {10.0, 100.0, 1.0, 1.231022497, "along the first pressure column"},
    };
    for (const auto& c : cases) {
        GasRun r({}, c.T, c.p);
        BerechneDichte(r.e);
        EXPECT_EQ(r.s.gFehlerDichte, "") << c.shows;
        EXPECT_NEAR(r.s.gKompressibilitaet, c.z, 1e-14) << c.shows;
        EXPECT_NEAR(r.s.gBetriebsdichte, c.dichte, c.dichte * 2e-10) << c.shows;
        EXPECT_EQ(r.s.gNormdichte, 1.293) << c.shows;
        EXPECT_EQ(r.s.gKritischeTemperatur, -140.5) << c.shows;
        EXPECT_EQ(r.s.gKritischerDruck, 3770.0) << c.shows;
        EXPECT_TRUE(r.tracer.responder.reports.empty()) << c.shows;
    }
}

TEST(GasTableDensity, LimitChecksTemperatureFirstAndInclusive)
{
    // The range of the table (Gasdaten rows 2-5) lies inside the grid here, so the
    // limits are seen to come from those rows: 10..90 °C, 200..4000 kPa.
    GasTableFixture tables;
    tables.gasdaten = {1.293, 10.0, 90.0, 200.0, 4000.0, -140.5, 3770.0};
    struct Case {
        double T, p;
        const char* fehler;
        const char* shows;
    };
    const Case cases[] = {
        {10.0, 200.0, "", "T = Tmin and p = pmin pass"},
        {90.0, 4000.0, "", "T = Tmax and p = pmax pass"},
        {9.999, 500.0, kTemperaturText, "below Tmin, though inside the grid"},
        {90.001, 500.0, kTemperaturText, "above Tmax"},
        {9.999, 99999.0, kTemperaturText, "temperature is tested before pressure"},
        {90.001, 1.0, kTemperaturText, "temperature is tested before pressure (high T, low p)"},
        {50.0, 199.999, kDruckText, "below pmin"},
        {50.0, 4000.001, kDruckText, "above pmax"},
    };
    for (const auto& c : cases) {
        GasRun r(tables, c.T, c.p);
        BerechneDichte(r.e);
        EXPECT_EQ(r.s.gFehlerDichte, c.fehler) << c.shows;
        // Norm density and critical data are written before the checks.
        EXPECT_EQ(r.s.gNormdichte, 1.293) << c.shows;
        EXPECT_EQ(r.s.gKritischeTemperatur, -140.5) << c.shows;
        EXPECT_EQ(r.s.gKritischerDruck, 3770.0) << c.shows;
        if (*c.fehler != '\0') {
            EXPECT_EQ(r.s.gBetriebsdichte, 11.0) << c.shows << ": density unchanged";
            EXPECT_EQ(r.s.gKompressibilitaet, 0.5) << c.shows << ": Z unchanged";
        } else {
            EXPECT_NE(r.s.gBetriebsdichte, 11.0) << c.shows;
        }
    }
}

TEST(GasTableDensity, EnglishMessages)
{
    GasRun t({}, -1.0, 500.0);
    t.ui.gSprachOffset = OffsetEnglish;
    BerechneDichte(t.e);
    EXPECT_EQ(t.s.gFehlerDichte, "T is outside fluid data tables, please use ideal gas equation or Redlich-Kwong");
    GasRun p({}, 20.0, 5001.0);
    p.ui.gSprachOffset = OffsetEnglish;
    BerechneDichte(p.e);
    EXPECT_EQ(p.s.gFehlerDichte, "p is outside fluid data tables, please use ideal gas equation or Redlich-Kwong");
}

// Repeated or zero-width support intervals show how the interval is chosen: a
// full scan in which the last match wins; a temperature interval of zero width
// keeps its lower row, a pressure interval of zero width takes its upper node.
TEST(GasTableDensity, IntervalChoiceOnRepeatedSupportPoints)
{
    struct Case {
        std::vector<double> TS, DS;
        std::vector<std::vector<std::optional<double>>> Z;
        double T, p, z;
        const char* shows;
    };
    const Case cases[] = {
        {{0, 50, 50, 100},
         {100, 1000, 5000},
         {{1.0, 0.99, 0.95}, {1.0, 0.91, 0.90}, {1.0, 0.92, 0.93}, {1.0, 0.998, 0.98}},
         50.0, 1000.0, 0.92,
         "T on a repeated point: the last row starting there wins"},
        {{0, 50, 50},
         {100, 1000, 5000},
         {{1.0, 0.99, 0.95}, {1.0, 0.91, 0.90}, {1.0, 0.92, 0.93}},
         50.0, 1000.0, 0.91,
         "a temperature interval of zero width keeps the lower row"},
        {{0, 50, 100},
         {100, 1000, 1000},
         {{1.0, 0.99, 0.95}, {1.0, 0.995, 0.97}, {1.0, 0.998, 0.98}},
         50.0, 1000.0, 0.97,
         "a pressure interval of zero width takes the upper node"},
    };
    for (const auto& c : cases) {
        GasTableFixture tables;
        tables.TS = c.TS;
        tables.DS = c.DS;
        tables.Z = c.Z;
        tables.gasdaten = {1.293, 0.0, c.TS.back(), 100.0, c.DS.back(), -140.5, 3770.0};
        GasRun r(tables, c.T, c.p);
        BerechneDichte(r.e);
        EXPECT_EQ(r.s.gFehlerDichte, "") << c.shows;
        EXPECT_EQ(r.s.gKompressibilitaet, c.z) << c.shows;
    }
}

TEST(GasTableDensity, TheUserCodeChoosesTheAlternativeDatabase)
{
    GasTableFixture alt;
    alt.gasdaten = {1.2505, 0.0, 100.0, 100.0, 5000.0, -146.95, 3395.8};
    for (const std::int16_t code : {0, 1, -3}) {
        GasRun r;
        writeGasTables(r.alternativeDatabase(), alt);
        r.settings.gUserMSCode = code;
        BerechneDichte(r.e);
        EXPECT_EQ(r.s.gNormdichte, code != 0 ? 1.2505 : 1.293) << "gUserMSCode " << code;
        EXPECT_EQ(r.s.gKritischerDruck, code != 0 ? 3395.8 : 3770.0) << "gUserMSCode " << code;
    }
}

// Faults of the store and of the data go to the error dialog (answered "Exit
// Procedure") with a description that names the file, table or column; the step
// computes nothing from made-up values.
TEST(GasTableDensity, StoreFaultsReachTheTracer)
{
    struct Case {
        std::function<void(GasRun&)> spoil;
        int number;
        std::vector<std::string> named;
        const char* shows;
    };
    const auto withSpec = [](std::function<void(GasTableFixture&)> change) {
        return [change](GasRun& r) {
            std::filesystem::remove(r.mainDatabase());
            GasTableFixture tables;
            change(tables);
            writeGasTables(r.mainDatabase(), tables);
        };
    };
    const Case cases[] = {
        {[](GasRun& r) { std::filesystem::remove(r.mainDatabase()); }, 53, {"morvdata5.sqlite"},
         "missing database file"},
        {[](GasRun& r) {
             std::filesystem::remove(r.mainDatabase());
             writeGasTables(r.alternativeDatabase(), {});
         },
         53, {"morvdata5.sqlite"}, "only the alternative file, for a user code of 0"},
        {[](GasRun& r) { execSql(r.mainDatabase(), "DROP TABLE \"1GasTab\""); }, 3078, {"1GasTab", "morvdata5.sqlite"},
         "missing Z table"},
        {[](GasRun& r) { execSql(r.mainDatabase(), "DROP TABLE \"1GasData\""); }, 3078,
         {"1GasData", "morvdata5.sqlite"}, "missing scalar table"},
        {[&](GasRun& r) {
             withSpec([](GasTableFixture& s) { s.columns = 2; })(r);
             r.s.gDruck = 2000.0;
         },
         3265, {"Feld3", "1GasTab"}, "missing Z column in the upper pressure interval"},
        {[](GasRun& r) { execSql(r.mainDatabase(), "ALTER TABLE \"1GasData\" DROP COLUMN DStuetz"); }, 3265,
         {"DStuetz", "1GasData"}, "missing support-point column"},
        {withSpec([](GasTableFixture& s) { s.gasdaten.resize(6); }), 3021, {"1GasData"},
         "too few rows for the seven scalars"},
        {withSpec([](GasTableFixture& s) { s.gasdaten[4] = std::nullopt; }), 94, {"Gasdaten", "row 5", "1GasData"},
         "an empty pmax cell"},
        {withSpec([](GasTableFixture& s) { s.Z[1][1] = std::nullopt; }), 94, {"Feld2", "row 2", "1GasTab"},
         "an empty Z cell that the interpolation reaches"},
        {withSpec([](GasTableFixture& s) { s.Z = {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}}; }), 380,
         {"Feld1", "row 1", "1GasTab", "morvdata5.sqlite"}, "Z = 0 is no compressibility factor"},
        {withSpec([](GasTableFixture& s) { s.nT = 4; }), 94, {"TStuetz", "row 4", "1GasData"},
         "a count beyond the support points filled in"},
        {withSpec([](GasTableFixture& s) {
             s.TS.clear();
             for (int i = 0; i < 51; ++i)
                 s.TS.push_back(2.0 * i);
         }),
         9, {}, "more than 50 temperature support points"},
    };
    for (const auto& c : cases) {
        GasRun r;
        r.tracer.responder.answers = {ContExit};
        c.spoil(r);
        BerechneDichte(r.e);
        ASSERT_EQ(r.tracer.responder.reports.size(), 1u) << c.shows;
        const ErrorReport& report = r.tracer.responder.reports[0];
        EXPECT_EQ(report.number, c.number) << c.shows << ": " << report.description;
        EXPECT_EQ(report.module, "Module1") << c.shows;
        EXPECT_EQ(report.procedure, "BerechneDichteGas") << c.shows;
        for (const auto& part : c.named) {
            EXPECT_NE(report.description.find(part), std::string::npos) << c.shows << ": " << report.description;
        }
        EXPECT_EQ(r.s.gBetriebsdichte, 11.0) << c.shows;
        EXPECT_EQ(r.s.gFehlerDichte, "") << c.shows;
        if (c.number == 53) {
            EXPECT_FALSE(std::filesystem::exists(r.mainDatabase())) << c.shows << ": no empty database made";
        }
        testing::expectAllFinite(r.s, c.shows);
    }
}

// A damaged table must not become a density: every value the step takes is
// checked where it is read, and the fault names its cell.
TEST(GasTableDensity, DamagedValuesNameTheirCell)
{
    struct Case {
        std::function<void(GasTableFixture&)> spoil;
        int number;
        std::vector<std::string> named;
        const char* shows;
    };
    const Case cases[] = {
        {[](GasTableFixture& t) { t.nT = 0; }, 9, {"nTStuetz", "row 1"}, "no temperature support points"},
        {[](GasTableFixture& t) { t.nT = -1; }, 9, {"nTStuetz", "row 1"}, "a negative count"},
        {[](GasTableFixture& t) { t.nD = 1; }, 9, {"nDStuetz", "row 1"}, "one pressure point makes no interval"},
        {[](GasTableFixture& t) { t.nD = 31; }, 9, {"nDStuetz", "row 1"}, "more pressure points than Feld columns"},
        {[](GasTableFixture& t) { t.gasdaten[0] = 0.0; }, 380, {"Gasdaten", "row 1"}, "norm density 0"},
        {[](GasTableFixture& t) { t.gasdaten[0] = -1.293; }, 380, {"Gasdaten", "row 1"}, "a negative norm density"},
        {[](GasTableFixture& t) { t.gasdaten[0] = 60.0; }, 380, {"Gasdaten", "row 1"}, "no gas is that dense"},
        // The critical data only reach the results and the protocol, but they
        // must be those of a gas.
        {[](GasTableFixture& t) { t.gasdaten[5] = -300.0; }, 380, {"Gasdaten", "row 6", "1GasData"},
         "a critical temperature below absolute zero"},
        {[](GasTableFixture& t) { t.gasdaten[6] = 0.0; }, 380, {"Gasdaten", "row 7", "1GasData"},
         "a critical pressure of 0"},
        {[](GasTableFixture& t) { t.gasdaten[6] = -3770.0; }, 380, {"Gasdaten", "row 7"}, "a negative critical pressure"},
        {[](GasTableFixture& t) { t.Z[1][2] = -0.97; }, 380, {"Feld3", "row 2", "1GasTab"}, "a negative Z"},
        {[](GasTableFixture& t) { t.Z[1][1] = 1e-320; }, 380, {"Feld2", "row 2", "1GasTab"}, "a subnormal Z"},
        {[](GasTableFixture& t) { t.Z[0][2] = 5.0; }, 380, {"Feld3", "row 1", "1GasTab"}, "Z at the upper limit"},
        // Support points out of order would pick a wrong interval and give a
        // plausible but wrong density (a repeated point is an interval of
        // zero width, see above).
        {[](GasTableFixture& t) { t.TS = {50.0, 0.0, 100.0}; }, 380, {"TStuetz", "row 2"}, "temperatures swapped"},
        {[](GasTableFixture& t) { t.DS = {100.0, 5000.0, 1000.0}; }, 380, {"DStuetz", "row 3"}, "pressures swapped"},
        // The table's range (0..100 degC, 100..5000 kPa here) must lie inside
        // the support points its counts select, or a state inside it would be
        // extrapolated beyond the grid; the state (20 degC) lies inside the
        // grid in every case, and outside the range where the range is empty.
        {[](GasTableFixture& t) { t.nT = 2; }, 380, {"Gasdaten", "row 3", "above the last support point 50"},
         "a temperature count that leaves the range's top out"},
        {[](GasTableFixture& t) { t.nD = 2; }, 380, {"Gasdaten", "row 5", "above the last support point 1000"},
         "a pressure count that leaves the range's top out"},
        {[](GasTableFixture& t) { t.gasdaten[2] = 150.0; }, 380, {"Gasdaten", "row 3", "1GasData"},
         "Tmax above the last temperature"},
        {[](GasTableFixture& t) { t.gasdaten[1] = -10.0; }, 380, {"Gasdaten", "row 2", "below its first support point"},
         "Tmin below the first temperature"},
        {[](GasTableFixture& t) { t.gasdaten[4] = 6000.0; }, 380, {"Gasdaten", "row 5"}, "pmax above the last pressure"},
        {[](GasTableFixture& t) { t.gasdaten[3] = 50.0; }, 380, {"Gasdaten", "row 4"}, "pmin below the first pressure"},
        {[](GasTableFixture& t) { t.gasdaten[1] = 100.0; }, 380, {"Gasdaten", "row 2", "not below its highest"},
         "Tmin = Tmax: an empty range, not the user's temperature"},
        {[](GasTableFixture& t) {
             t.gasdaten[1] = 90.0;
             t.gasdaten[2] = 10.0;
         },
         380, {"Gasdaten", "row 2"}, "Tmin above Tmax"},
        {[](GasTableFixture& t) { t.gasdaten[3] = 5000.0; }, 380, {"Gasdaten", "row 4", "pressure"},
         "pmin = pmax"},
    };
    for (const auto& c : cases) {
        GasTableFixture tables;
        c.spoil(tables);
        GasRun r(tables, 20.0, 4000.0);
        r.tracer.responder.answers = {ContExit};
        BerechneDichte(r.e);
        ASSERT_EQ(r.tracer.responder.reports.size(), 1u) << c.shows;
        const ErrorReport& report = r.tracer.responder.reports[0];
        EXPECT_EQ(report.number, c.number) << c.shows << ": " << report.description;
        EXPECT_EQ(report.procedure, "BerechneDichteGas") << c.shows;
        for (const auto& part : c.named)
            EXPECT_NE(report.description.find(part), std::string::npos) << c.shows << ": " << report.description;
        EXPECT_NE(report.description.find("morvdata5.sqlite"), std::string::npos) << report.description;
        EXPECT_EQ(r.s.gBetriebsdichte, 11.0) << c.shows;
    }
    // A count written as 2.5 is no whole number either (the store keeps the
    // column's type loosely, as the original database's did not).
    GasRun r({}, 20.0, 4000.0);
    execSql(r.mainDatabase(), "UPDATE \"1GasData\" SET nTStuetz = 2.5 WHERE rowid = 1");
    r.tracer.responder.answers = {ContExit};
    BerechneDichte(r.e);
    ASSERT_EQ(r.tracer.responder.reports.size(), 1u);
    EXPECT_EQ(r.tracer.responder.reports[0].number, 9);
    EXPECT_NE(r.tracer.responder.reports[0].description.find("2.5"), std::string::npos);
    EXPECT_EQ(r.s.gBetriebsdichte, 11.0);

    // The undamaged fixture for comparison: Z = 0.96 + 0.4 x (0.97625 - 0.96)
    // = 0.9665 by hand, 1.293 x 4000 x 273.14 / 101.325 / 293.14 / 0.9665.
    GasRun sound({}, 20.0, 4000.0);
    BerechneDichte(sound.e);
    EXPECT_TRUE(sound.tracer.responder.reports.empty());
    EXPECT_NEAR(sound.s.gBetriebsdichte, 49.2096, 0.0001);
}

// "Goto Next Command" after a fault of the store: the statements that follow
// find no database or recordset and raise "object variable not set" (91) each in
// turn; the step never reads through a database it does not have.
TEST(GasTableDensity, GoingOnAfterAMissingDatabaseRaisesObjectNotSet)
{
    GasRun r;
    std::filesystem::remove(r.mainDatabase());
    r.tracer.responder.answers = {ContNext, ContNext};  // then Exit Procedure
    BerechneDichte(r.e);
    const auto& reports = r.tracer.responder.reports;
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0].number, 53) << "the missing file";
    EXPECT_EQ(reports[1].number, 91) << "opening 1GasData without a database";
    EXPECT_EQ(reports[2].number, 91) << "opening 1GasTab without a database";
    for (const ErrorReport& report : reports)
        EXPECT_EQ(report.procedure, "BerechneDichteGas") << report.description;
    EXPECT_EQ(r.s.gNormdichte, 1.1);
    EXPECT_EQ(r.s.gBetriebsdichte, 11.0);
    EXPECT_EQ(r.s.gFehlerDichte, "");
}

TEST(GasTableDensity, AMediumWithoutTablesHasNoRecordset)
{
    // Only reachable by calling the step directly: the dispatch sends media 2 to
    // 4 to the steam tables.
    GasRun r;
    r.tracer.responder.answers = {ContExit};
    r.s.gMediumNr = medium::Wasser;
    BerechneDichteGas(r.e);
    ASSERT_EQ(r.tracer.responder.reports.size(), 1u);
    EXPECT_EQ(r.tracer.responder.reports[0].number, 91);
    EXPECT_EQ(r.s.gNormdichte, 1.1);
}

}  // namespace
}  // namespace morvane
