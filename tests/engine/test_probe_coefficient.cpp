// The probe coefficient: ζ interpolated over the pipe diameter in the
// coefficient table of the maker's probe models (fixture tables in a small
// SQLite file laid out as the product database), ζ = 1/K² of another maker's
// probe, the range warnings, and the mended cases without a coefficient.
#include "common/ResourceTexts.h"
#include "engine/FlowAndDifferentialPressure.h"
#include "engine/InnerDiameter.h"
#include "engine/ProbeCoefficient.h"
#include "platform/ProductDatabase.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace morvane {
namespace {

namespace fs = std::filesystem;
using testing::RecordingMessageBox;
using testing::TestTracer;

using SupportPoints = std::vector<std::pair<double, double>>;  // diameter mm, ζ

// Writes a probe table: NumStuetz in row 1 only, then Durchmesser and Zeta per
// row. numStuetz < 0 stores the number of points given.
void writeProbeTable(const fs::path& file, const std::string& table, const SupportPoints& points, int numStuetz = -1)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    const std::string create =
        "CREATE TABLE \"" + table + "\" (NumStuetz INTEGER, Durchmesser DOUBLE, Zeta DOUBLE)";
    ASSERT_EQ(sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    const std::string insert = "INSERT INTO \"" + table + "\" VALUES (?, ?, ?)";
    for (std::size_t i = 0; i < points.size(); ++i) {
        sqlite3_stmt* st = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, insert.c_str(), -1, &st, nullptr), SQLITE_OK);
        if (i == 0)
            sqlite3_bind_int(st, 1, numStuetz < 0 ? static_cast<int>(points.size()) : numStuetz);
        else
            sqlite3_bind_null(st, 1);
        sqlite3_bind_double(st, 2, points[i].first);
        sqlite3_bind_double(st, 3, points[i].second);
        ASSERT_EQ(sqlite3_step(st), SQLITE_DONE);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
}

class ProbeCoefficient : public ::testing::Test {
protected:
    ProbeCoefficient()
    {
        // An unexpected run-time error leaves the procedure (and fails the test
        // that finds a report) instead of repeating the statement forever.
        tracer.responder.answers.assign(16, ContExit);
        s.gTemperatur = 20.0;
        s.gKorrekturFaktor = 1.0;
        s.gEpsilonFaktor = 1.0;
    }
    ~ProbeCoefficient() override { fs::remove_all(root); }

    fs::path mainFile() const { return root / std::string(ProductDatabases::MainFile); }
    fs::path altFile() const { return root / std::string(ProductDatabases::AlternativeFile); }
    void run(Integer type, double dwMm)
    {
        s.gPrimaerelementtyp = type;
        s.gInnendurchmesserWarm = dwMm;
        BerechneZeta(e);
    }

    // A fresh folder per test, ready before the databases handle is made.
    testing::TempFolder folder;
    fs::path root = folder.path();
    TestTracer tracer;
    CalculationState s;
    UiZustand ui;
    UserSettings settings;
    RecordingMessageBox box;
    ProductDatabases databases{root};
    EngineContext e{s, ui, settings, box, databases};
};

// Four support points; ζ is linear inside and extrapolated along the end
// segments outside, where the texts 1226 and 1227 warn.
TEST_F(ProbeCoefficient, InterpolationAndRangeWarnings)
{
    writeProbeTable(mainFile(), "RQ25", {{50, 1.0}, {100, 2.0}, {200, 2.5}, {400, 3.5}});
    struct Case {
        double dw, zeta;
        std::int32_t warning;  // 0: none
        const char* shows;
    };
    const Case cases[] = {
        {75, 1.5, 0, "inside the first segment"},
        {150, 2.25, 0, "inside an interior segment"},
        {100, 2.0, 0, "an interior support diameter starts its segment: exactly its ζ"},
        {50, 1.0, 0, "the first support diameter: no warning"},
        {400, 3.5, 0, "the last support diameter: exactly its ζ, no warning"},
        {40, 0.8, 1226, "below the table: along the first segment"},
        {500, 4.0, 1227, "above the table: along the last segment"},
    };
    for (const auto& c : cases) {
        s.gFehlerZeta = "left from before";
        run(element::RQ25, c.dw);
        EXPECT_NEAR(s.gZeta, c.zeta, 1e-14) << c.shows;
        EXPECT_DOUBLE_EQ(s.gKZahl, 1.0 / std::sqrt(c.zeta)) << c.shows;
        EXPECT_EQ(s.gDurchflusskoeffizient, s.gKZahl) << c.shows;
        EXPECT_EQ(s.gFehlerZeta, c.warning ? e.text(c.warning) : "") << c.shows;
    }
    EXPECT_TRUE(tracer.responder.reports.empty());
    EXPECT_EQ(e.text(1226), "Der Durchmesser ist außerhalb des Einsatzbereiches für die gewählte Sonde, bitte "
                            "konsultieren Sie den Hersteller");
}

TEST_F(ProbeCoefficient, EachModelReadsItsTable)
{
    const std::pair<Integer, const char*> tables[] = {
        {element::RQ10, "RQ10M"}, {element::RQ25, "RQ25"}, {element::RQ25HDD, "RQ25HDD"},
        {element::RQ32, "RQ32"},  {element::RQ44, "RQ44"}, {element::RQ50, "RQ50"},
    };
    for (const auto& [type, table] : tables)
        writeProbeTable(mainFile(), table, {{10, 1.0 + type}, {5000, 1.0 + type}});
    for (const auto& [type, table] : tables) {
        run(type, 100);
        EXPECT_DOUBLE_EQ(s.gZeta, 1.0 + type) << table;
    }
}

TEST_F(ProbeCoefficient, AlternativeDatabaseForTheUserCode)
{
    writeProbeTable(mainFile(), "RQ44", {{100, 1.0}, {1000, 1.0}});
    writeProbeTable(altFile(), "RQ44", {{100, 4.0}, {1000, 4.0}});
    settings.gUserMSCode = 3;
    run(element::RQ44, 500);
    EXPECT_EQ(s.gZeta, 4.0);
    EXPECT_EQ(s.gKZahl, 0.5);
    settings.gUserMSCode = 0;
    run(element::RQ44, 500);
    EXPECT_EQ(s.gZeta, 1.0);
}

TEST_F(ProbeCoefficient, AnotherMakersProbeFromItsK)
{
    struct Case {
        double k, zeta;
    };
    for (const Case c : {Case{0.5, 4.0}, Case{0.6, 2.777778}}) {
        s.gKZahlEingabe = c.k;
        run(element::SondeAndererHersteller, 200);
        EXPECT_NEAR(s.gZeta, c.zeta, 5e-7) << c.k;
        EXPECT_EQ(s.gKZahl, c.k);
        EXPECT_EQ(s.gDurchflusskoeffizient, c.k);
        EXPECT_EQ(s.gFehlerZeta, "");
    }
    EXPECT_TRUE(tracer.responder.reports.empty()) << "no database is opened";
}

TEST_F(ProbeCoefficient, OtherElementTypes)
{
    struct Case {
        Integer type;
        std::int32_t text;
        const char* shows;
    };
    const Case cases[] = {
        {element::Keins, 1224, "no element: text 1224"},
        {element::RQ8, 0, "RQ8: its coefficient comes from the orifice equations"},
        {element::BlendeFlansch, 0, "orifice"},
        {element::VenturiStahlblech, 0, "venturi tube"},
    };
    for (const auto& c : cases) {
        s.gFehlerZeta = "left from before";
        s.gZeta = 9;
        s.gKZahl = 8;
        s.gDurchflusskoeffizient = 7;
        run(c.type, 100);
        EXPECT_EQ(s.gFehlerZeta, c.text ? e.text(c.text) : "") << c.shows;
        EXPECT_EQ(s.gZeta, 9) << c.shows;
        EXPECT_EQ(s.gKZahl, 8) << c.shows;
        EXPECT_EQ(s.gDurchflusskoeffizient, 7) << c.shows;
    }
    ui.gSprachOffset = OffsetEnglish;
    run(element::Keins, 100);
    EXPECT_EQ(s.gFehlerZeta, "Please choose dp-primary element first!");
    EXPECT_TRUE(tracer.responder.reports.empty());
}

// Mended: an entered K of 0 (or below), or a table extrapolated to ζ ≤ 0, leaves
// the probe without a coefficient. Both steps report it in the user's
// language, and the differential-pressure step stops the run instead of
// dividing by zero.
TEST_F(ProbeCoefficient, NoCoefficientStopsTheRun)
{
    writeProbeTable(mainFile(), "RQ32", {{50, 0.5}, {100, 1.5}});
    struct Case {
        Integer type;
        double k, dw;
        std::int32_t text;
        const char* shows;
    };
    const Case cases[] = {
        {element::SondeAndererHersteller, 0.0, 200, TextProbeKNotPositive, "K = 0 entered"},
        {element::SondeAndererHersteller, -0.5, 200, TextProbeKNotPositive, "a negative K"},
        {element::RQ32, 0, 25, TextProbeZetaNotPositive, "extrapolated to ζ = 0 exactly"},
        {element::RQ32, 0, 20, TextProbeZetaNotPositive, "extrapolated to ζ = -0.1; the range warning gives way"},
    };
    for (const std::int32_t offset : {OffsetGerman, OffsetEnglish}) {
        ui.gSprachOffset = offset;
        for (const auto& c : cases) {
            s.gKZahlEingabe = c.k;
            s.gSondenbreite = 21;
            run(c.type, c.dw);
            EXPECT_EQ(s.gFehlerZeta, resText(c.text, offset)) << c.shows;
            EXPECT_EQ(s.gZeta, 0.0) << c.shows;
            EXPECT_EQ(s.gKZahl, 0.0) << c.shows;
            EXPECT_EQ(s.gDurchflusskoeffizient, 0.0) << c.shows;

            s.gModellIdealesGas = True;
            s.gBetriebsdichte = 5.9;
            s.gViskositaet = 0.0181;
            s.gIsentropenkoeffizient = 1.4;
            s.gDruck = 500;
            s.gDurchflussEinheit = flowunit::kgs;
            s.gDurchflussAuslegung = 1.0;
            s.gFehlerDp.clear();
            s.gDruckverlust[0] = -7;
            BerechneDifferenzdruck(e);
            EXPECT_EQ(s.gFehlerDp, resText(c.text, offset)) << c.shows;
            EXPECT_EQ(s.gDruckverlust[0], -7) << c.shows << ": no result stored";
        }
    }
    EXPECT_TRUE(tracer.responder.reports.empty());
    EXPECT_TRUE(box.shown.empty());
}

// Faults of the table are run-time errors of the step, reported through the
// tracer; the coefficient is left as it was.
TEST_F(ProbeCoefficient, BrokenTablesRaise)
{
    SupportPoints many;
    for (int i = 0; i < 21; ++i)
        many.push_back({10.0 + i, 1.0});
    writeProbeTable(mainFile(), "RQ25", many);
    writeProbeTable(mainFile(), "RQ32", {{50, 1.0}, {100, 2.0}}, 3);
    writeProbeTable(mainFile(), "RQ44", {{50, 1.0}}, 1);
    writeProbeTable(mainFile(), "RQ50", {{50, 1.0}, {50, 2.0}});
    struct Case {
        Integer type;
        int error;
        const char* shows;
    };
    const Case cases[] = {
        {element::RQ25, 9, "21 support points: the arrays hold 20"},
        {element::RQ32, dberr::NoCurrentRecord, "fewer rows than NumStuetz"},
        {element::RQ44, 9, "one support point makes no segment"},
        {element::RQ50, 380, "two support points at the same diameter"},
        {element::RQ10, dberr::TableNotFound, "no table RQ10M"},
    };
    for (const auto& c : cases) {
        TestTracer t;
        t.responder.answers = {ContExit};
        s.gZeta = 9;
        run(c.type, 60);
        ASSERT_EQ(t.responder.reports.size(), 1u) << c.shows;
        EXPECT_EQ(t.responder.reports[0].number, c.error) << c.shows;
        EXPECT_EQ(t.responder.reports[0].procedure, "BerechneZeta") << c.shows;
        EXPECT_EQ(s.gZeta, 9) << c.shows;
    }
}

// A damaged probe table must not become a flow coefficient: the count must be
// a whole number of support points and every ζ read a probe's; the fault names
// its cell.
TEST_F(ProbeCoefficient, DamagedValuesNameTheirCell)
{
    struct Case {
        SupportPoints points;
        double numStuetz;
        const char* column;
        const char* row;
        int error;
        const char* shows;
    } cases[] = {
        {{{50, 1.0}, {100, 1e-320}}, 2, "Zeta", "row 2", 380, "a subnormal zeta (K would be 1e160)"},
        {{{50, 0.005}, {100, 1.0}}, 2, "Zeta", "row 1", 380, "a zeta below 0.01"},
        {{{50, 1.0}, {100, 100.0}}, 2, "Zeta", "row 2", 380, "a zeta of 100"},
        {{{50, -1.0}, {100, 1.0}}, 2, "Zeta", "row 1", 380, "a negative zeta"},
        {{{50, 1.0}, {100, 2.0}}, 0, "NumStuetz", "row 1", 9, "no support points"},
        {{{50, 1.0}, {100, 2.0}}, -1, "NumStuetz", "row 1", 9, "a negative count"},
        {{{50, 1.0}, {100, 2.0}}, 2.5, "NumStuetz", "row 1", 9, "a count that is no whole number"},
        {{{50, 1.0}, {100, 2.0}, {80, 1.5}}, 3, "Durchmesser", "row 3", 380, "diameters out of order"},
        // The interpolation between two equal diameters would divide by zero.
        {{{50, 1.0}, {50, 2.0}, {100, 3.0}}, 3, "Durchmesser", "row 2", 380, "two neighbouring diameters alike"},
        // A diameter of 150 would be warned about as lying above the table.
        {{{50, 1.0}, {100, 2.0}, {200, 3.0}}, 2, "NumStuetz", "row 1", 380, "a count that leaves a diameter out"},
    };
    for (const auto& c : cases) {
        fs::remove(mainFile());
        writeProbeTable(mainFile(), "RQ25", c.points);
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(mainFile().c_str(), &db), SQLITE_OK);
        const std::string sql = "UPDATE RQ25 SET NumStuetz = " + std::to_string(c.numStuetz) + " WHERE rowid = 1";
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        TestTracer t;
        t.responder.answers = {ContExit};
        s.gZeta = 9;
        s.gKZahl = 9;
        run(element::RQ25, 60);
        ASSERT_EQ(t.responder.reports.size(), 1u) << c.shows;
        const auto& report = t.responder.reports[0];
        EXPECT_EQ(report.number, c.error) << c.shows << ": " << report.description;
        for (const char* part : {c.column, c.row, "'RQ25'", "morvdata5.sqlite"})
            EXPECT_NE(report.description.find(part), std::string::npos) << c.shows << ": " << report.description;
        EXPECT_EQ(s.gZeta, 9) << c.shows;
        EXPECT_EQ(s.gKZahl, 9) << c.shows;
    }
}

// The chain of the Calculate run for a probe of the maker: inner diameter,
// coefficient from the table, flow and differential pressure.
TEST_F(ProbeCoefficient, ChainThroughTheDifferentialPressure)
{
    writeProbeTable(mainFile(), "RQ25", {{100, 2.0}, {300, 3.0}});
    s.gRohrRechteckig = 0;
    s.gInnendurchmesser = 200;
    s.gTemperatur = 120;
    s.gPrimaerelementtyp = element::RQ25;
    s.gModellIdealesGas = True;
    s.gBetriebsdichte = 5.9;
    s.gViskositaet = 0.0181;
    s.gIsentropenkoeffizient = 1.4;
    s.gDruck = 500;
    s.gDurchflussEinheit = flowunit::kgs;
    s.gDurchflussAuslegung = 1.0;
    BerechneInnendurchmesser(e);
    BerechneZeta(e);
    BerechneDifferenzdruck(e);
    const double dw = 200 * (1 + 12.1e-6 * 100);
    EXPECT_NEAR(s.gZeta, 2.0 + (dw - 100) / 200, 1e-12);
    EXPECT_EQ(s.gFehlerZeta, "");
    EXPECT_EQ(s.gFehlerDp, "");
    const ProbeIteration it = probeDifferentialPressure(1.0, 1.0, 1.0, s.gKZahl, 21, dw, 5.9, 1.4, 500);
    EXPECT_EQ(s.gDifferenzdruck[0], it.dpKPa);
    EXPECT_NEAR(s.gCSonde, s.gKZahl * std::sqrt(1 - std::pow(probeEquivalentBeta(21, dw), 4)), 1e-15);
}

}  // namespace
}  // namespace morvane
