// The density steps of superheated steam, saturated steam and water: their
// checks and messages, the 273.14 K offset of the steam-table calls, and the
// saturation compared only below the critical temperature.
#include "SteamStepFixture.h"

#include "common/ResourceTexts.h"
#include "engine/WaterSteamDensity.h"

#include <cmath>

namespace morvane {
namespace {

using testing::readOracleTable;
using testing::SteamStepTest;

// Values the steps must leave alone when they report.
constexpr double UnchangedDichte = -7.0;
constexpr double UnchangedSattdampfdruck = -3.0;

using Step = void (*)(EngineContext&);

class WaterSteamDensity : public SteamStepTest {
protected:
    void run(Step step, double tC, double pKPa)
    {
        s.gTemperatur = tC;
        s.gDruck = pKPa;
        s.gBetriebsdichte = UnchangedDichte;
        s.gSattdampfdruck = UnchangedSattdampfdruck;
        s.gFehlerDichte.clear();
        step(e);
    }
};

Step stepOf(int mediumNr)
{
    switch (mediumNr) {
    case medium::UeberhitzterDampf: return BerechneDichteueberhitzterDampf;
    case medium::Sattdampf: return BerechneDichteSattdampf;
    default: return BerechneDichteWasser;
    }
}

// Reference values of the worked examples, T = t + 273.14 K; confirmed with python3-iapws
// 1.5.3 (steam_step_states.tsv, saturated_steam.tsv).
TEST_F(WaterSteamDensity, ReferenceStates)
{
    struct Case {
        Step step;
        double tC, pKPa, rho;
        const char* shows;
    };
    const Case cases[] = {
        {BerechneDichteWasser, 20, 500, 998.391772, "water 20 °C, 500 kPa"},
        {BerechneDichteueberhitzterDampf, 200, 100, 0.460324, "superheated steam 200 °C, 100 kPa"},
        {BerechneDichteueberhitzterDampf, 400, 10000, 37.827747, "steam 400 °C, 10 MPa"},
    };
    for (const auto& c : cases) {
        run(c.step, c.tC, c.pKPa);
        EXPECT_EQ(s.gFehlerDichte, "") << c.shows;
        EXPECT_NEAR(s.gBetriebsdichte, c.rho, 5e-7) << c.shows;
    }
}

TEST_F(WaterSteamDensity, SaturatedSteamTakesTheSaturationPressure)
{
    // An entered 100 kPa gives way to the saturation pressure at 150 °C.
    run(BerechneDichteSattdampf, 150, 100);
    EXPECT_EQ(s.gFehlerDichte, "");
    EXPECT_NEAR(s.gDruck, 476.0369, 5e-5);
    EXPECT_EQ(s.gDruck, s.gSattdampfdruck * 1000.0);
    EXPECT_NEAR(s.gBetriebsdichte, 2.547434, 5e-7);
}

// Oracle: python3-iapws IAPWS95 at T = t + 273.14 K, single-phase states on
// both sides of saturation, water at 0 °C (273.14 K, just below the triple
// point) included.
TEST_F(WaterSteamDensity, AgreesWithTheOracleInSinglePhase)
{
    const auto rows = readOracleTable("steam_step_states.tsv");
    ASSERT_GE(rows.size(), 20u);
    for (const auto& r : rows) {
        ASSERT_EQ(r.size(), 5u);
        const int mediumNr = static_cast<int>(r[0]);
        run(stepOf(mediumNr), r[1], r[2]);
        const std::string state = "medium " + std::to_string(mediumNr) + " at " + std::to_string(r[1]) + " °C, " +
                                  std::to_string(r[2]) + " kPa";
        EXPECT_EQ(s.gFehlerDichte, "") << state;
        EXPECT_NEAR(s.gBetriebsdichte / r[3], 1.0, 1e-8) << state;
    }
}

TEST_F(WaterSteamDensity, SaturatedSteamAgreesWithTheOracle)
{
    const auto rows = readOracleTable("saturated_steam.tsv");
    ASSERT_GE(rows.size(), 8u);
    for (const auto& r : rows) {
        ASSERT_EQ(r.size(), 4u);
        run(BerechneDichteSattdampf, r[0], 100);
        EXPECT_EQ(s.gFehlerDichte, "") << r[0] << " °C";
        EXPECT_NEAR(s.gDruck / r[1], 1.0, 1e-8) << r[0] << " °C";
        EXPECT_NEAR(s.gBetriebsdichte / r[2], 1.0, 1e-8) << r[0] << " °C";
    }
}

// Each check with its bound; id 0 means the state passes. Texts 1215/1216 and
// 1217/1218/1220 read alike, the id column says which one the step takes.
TEST_F(WaterSteamDensity, ChecksAndMessages)
{
    struct Case {
        Step step;
        double tC, pKPa;
        std::int32_t id;
        const char* shows;
    };
    const auto D = BerechneDichteueberhitzterDampf;
    const auto S = BerechneDichteSattdampf;
    const auto W = BerechneDichteWasser;
    const Case cases[] = {
        {D, 400, 0, 1215, "steam: pressure exactly 0"},
        {D, 400, 100000, 0, "steam: 100000 kPa passes"},
        {D, 400, 100000.1, 1216, "steam: above 100000 kPa"},
        {D, 9.99, 1, 1217, "steam: below 10 °C"},
        {D, 0, 0.5, 1217, "steam at 0 °C does not pass"},
        {D, 10, 1, 0, "steam: 10 °C passes (saturation 1.23 kPa)"},
        {D, 1000, 1000, 0, "steam: 1000 °C passes"},
        {D, 1000.01, 1000, 1218, "steam: above 1000 °C"},
        {D, 200, 2000, 1219, "steam at 200 °C above its saturation pressure"},
        {D, 200, 100, 0, "steam at 200 °C below its saturation pressure"},
        {D, 373.9, 22060, 1219, "steam just below the critical temperature is still compared"},
        {D, 400, 50000, 0, "steam at 400 °C is not compared at any pressure"},
        {W, 20, 0, 1215, "water: pressure exactly 0"},
        {W, 20, 100000, 0, "water: 100000 kPa passes"},
        {W, 20, 100000.1, 1215, "water: above 100000 kPa"},
        {W, 0, 100, 0, "water at 0 °C passes"},
        {W, -0.01, 100, 1217, "water below 0 °C"},
        {W, 1000, 100000, 0, "water: 1000 °C passes"},
        {W, 1000.01, 100000, 1217, "water above 1000 °C"},
        {W, 20, 100, 0, "water at 20 °C, 100 kPa"},
        {W, 150, 100, 1221, "water at 150 °C and 100 kPa is already steam"},
        {W, 373.95, 21000, 1221, "water just below the critical temperature is still compared"},
        {S, 9.99, 100, 1220, "saturated steam below 10 °C"},
        {S, 0, 100, 1220, "saturated steam at 0 °C does not pass"},
        {S, 10, 100, 0, "saturated steam at 10 °C"},
        {S, 373.95, 100, 0, "saturated steam just below the critical temperature"},
        {S, 1000.01, 100, 1220, "saturated steam above 1000 °C"},
        // The steam tables answer 0 below a pressure of 0: reported, never stored.
        {D, 200, -100, TextDichteNichtPositiv, "steam at -100 kPa"},
        {D, 400, -100, TextDichteNichtPositiv, "steam above the critical temperature at -100 kPa"},
        {W, 373.956, 22064, 0, "water at the critical temperature and pressure"},
        {W, 373.956, -100, 1221, "water at the critical temperature at -100 kPa is below the critical pressure"},
    };
    for (const auto& c : cases) {
        run(c.step, c.tC, c.pKPa);
        if (c.id == 0) {
            EXPECT_EQ(s.gFehlerDichte, "") << c.shows;
            EXPECT_GT(s.gBetriebsdichte, 0.0) << c.shows;
        } else {
            EXPECT_EQ(s.gFehlerDichte, resText(c.id, OffsetGerman)) << c.shows;
            EXPECT_EQ(s.gBetriebsdichte, UnchangedDichte) << c.shows;
        }
    }
}

// Saturation ends at the critical point, 647.096 K = 373.956 °C with the
// 273.14 K offset: there saturated steam is refused, and water and steam are
// no longer compared with a saturation pressure (gSattdampfdruck stays as it
// was, so the saturation pressure was not asked for). Water is refused there
// below the critical pressure, 22 064 kPa (IAPWS-95), as steam; at and above
// it the dense fluid passes.
TEST_F(WaterSteamDensity, SaturationEndsAtTheCriticalTemperature)
{
    struct Case {
        Step step;
        double tC, pKPa;
        std::int32_t id;
        const char* shows;
    };
    const Case cases[] = {
        {BerechneDichteSattdampf, 373.956, 100, 1220, "saturated steam at the critical temperature"},
        {BerechneDichteSattdampf, 373.97, 100, 1220, "saturated steam between 373.956 and 374.0 °C"},
        {BerechneDichteSattdampf, 500, 100, 1220, "saturated steam far above it"},
        {BerechneDichteSattdampf, 1000, 100, 1220, "saturated steam at 1000 °C"},
        {BerechneDichteueberhitzterDampf, 373.956, 30000, 0, "steam at the critical temperature, above pc"},
        {BerechneDichteueberhitzterDampf, 373.97, 22000, 0, "steam between 373.956 and 374.0 °C"},
        {BerechneDichteWasser, 373.956, 21000, 1221, "water at the critical temperature, below pc"},
        {BerechneDichteWasser, 373.97, 1000, 1221, "water between 373.956 and 374.0 °C"},
        {BerechneDichteWasser, 374, 500, 1221, "water at 374 °C and 500 kPa"},
        {BerechneDichteWasser, 400, 22063.99, 1221, "water at 400 °C just below pc"},
        {BerechneDichteWasser, 400, 22064, 0, "water at 400 °C and pc"},
        {BerechneDichteWasser, 450, 30000, 0, "water at 450 °C and 30 MPa"},
        {BerechneDichteWasser, 1000, -1, 1221, "water at 1000 °C and -1 kPa"},
    };
    for (const auto& c : cases) {
        run(c.step, c.tC, c.pKPa);
        EXPECT_EQ(s.gSattdampfdruck, UnchangedSattdampfdruck) << c.shows;
        if (c.id == 0) {
            EXPECT_EQ(s.gFehlerDichte, "") << c.shows;
            EXPECT_GT(s.gBetriebsdichte, 0.0) << c.shows;
        } else {
            EXPECT_EQ(s.gFehlerDichte, resText(c.id, OffsetGerman)) << c.shows;
            EXPECT_EQ(s.gBetriebsdichte, UnchangedDichte) << c.shows;
        }
    }
}

// Exactly at the saturation pressure the medium is neither superheated steam
// nor water; one step of the last digit either way decides.
TEST_F(WaterSteamDensity, SaturationPressureItselfIsRefusedByBoth)
{
    for (const double tC : {20.0, 150.0, 300.0, 373.9}) {
        run(BerechneDichteSattdampf, tC, 100);
        const double pSatKPa = s.gDruck;
        run(BerechneDichteueberhitzterDampf, tC, pSatKPa);
        EXPECT_EQ(s.gFehlerDichte, resText(1219, OffsetGerman)) << tC;
        EXPECT_EQ(s.gSattdampfdruck * 1000.0, pSatKPa) << tC;
        run(BerechneDichteWasser, tC, pSatKPa);
        EXPECT_EQ(s.gFehlerDichte, resText(1221, OffsetGerman)) << tC;

        run(BerechneDichteueberhitzterDampf, tC, std::nextafter(pSatKPa, 0.0));
        EXPECT_EQ(s.gFehlerDichte, "") << tC;
        run(BerechneDichteWasser, tC, std::nextafter(pSatKPa, 1e9));
        EXPECT_EQ(s.gFehlerDichte, "") << tC;
    }
}

TEST_F(WaterSteamDensity, CheckedStatesKeepTheSaturationPressure)
{
    // Saturation pressure at 200 °C (473.14 K): 1554.602699 kPa, python3-iapws.
    run(BerechneDichteueberhitzterDampf, 200, 100);
    EXPECT_NEAR(s.gSattdampfdruck, 1.554602699197, 1e-9);
    run(BerechneDichteWasser, 200, 5000);
    EXPECT_NEAR(s.gSattdampfdruck, 1.554602699197, 1e-9);
}

TEST_F(WaterSteamDensity, MessagesInTheUserLanguage)
{
    ui.gSprachOffset = OffsetEnglish;
    run(BerechneDichteueberhitzterDampf, 200, 2000);
    EXPECT_EQ(s.gFehlerDichte, "Steam is not superheated, please check p&T");
    run(BerechneDichteWasser, 150, 100);
    EXPECT_EQ(s.gFehlerDichte, "Please check p&T, fluid is already steam!");
}

TEST_F(WaterSteamDensity, StepsRegisterWithTheTracer)
{
    const std::pair<Step, const char*> cases[] = {
        {BerechneDichteueberhitzterDampf, "[Module1] Sub BerechneDichteueberhitzterDampf()"},
        {BerechneDichteSattdampf, "[Module1] Sub BerechneDichteSattdampf()"},
        {BerechneDichteWasser, "[Module1] Sub BerechneDichteWasser()"},
    };
    for (const auto& [step, entry] : cases) {
        run(step, 20, 100);
        const std::string newest = tracer->colCallStack().front();
        EXPECT_EQ(newest.substr(9), entry);
    }
    EXPECT_TRUE(tracer.responder.reports.empty());
}

}  // namespace
}  // namespace morvane
