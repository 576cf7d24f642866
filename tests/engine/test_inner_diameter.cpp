// The inside diameter at operating temperature: linear expansion of
// 12.1e-6 per K about 20 °C, and the equal-area circle of a rectangular duct.
#include "engine/InnerDiameter.h"
#include "platform/ProductDatabase.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morvane {
namespace {

using testing::RecordingMessageBox;
using testing::TestTracer;

class InnerDiameter : public ::testing::Test {
protected:
    // An unexpected run-time error leaves the procedure instead of repeating it.
    InnerDiameter() { tracer.responder.answers.assign(16, ContExit); }

    TestTracer tracer;
    CalculationState s;
    UiZustand ui;
    UserSettings settings;
    RecordingMessageBox box;
    testing::TempFolder noDatabases;  // a data root without product databases
    ProductDatabases databases{noDatabases.path()};
    EngineContext e{s, ui, settings, box, databases};
};

TEST_F(InnerDiameter, RoundPipesAndDucts)
{
    struct Case {
        Flag rechteckig;
        double a, b, tC, expected, tolerance;
        const char* shows;
    };
    const Case cases[] = {
        {0, 100, 0, 120, 100.121, 1e-12, "round pipe at 120 °C: 100 (1 + 12.1e-6 x 100)"},
        {0, 100, 0, 20, 100.0, 0.0, "at 20 °C unchanged"},
        {0, 100, 0, -30, 100 * (1 - 12.1e-6 * 50), 1e-12, "below 20 °C it shrinks"},
        {0, 100, 55, 20, 100.0, 0.0, "a round pipe ignores side b"},
        {1, 300, 200, 20, 276.3954, 5e-5, "300 x 200 duct: sqrt(4ab/3.14159)"},
        {1, 300, 200, 220, std::sqrt(240000 / 3.14159) * (1 + 12.1e-6 * 200), 1e-10, "a duct expands as well"},
        {2, 100, 200, 20, 100.0, 0.0, "only 1 means rectangular"},
    };
    for (const auto& c : cases) {
        s.gRohrRechteckig = c.rechteckig;
        s.gInnendurchmesser = c.a;
        s.gInnenmassB = c.b;
        s.gTemperatur = c.tC;
        BerechneInnendurchmesser(e);
        EXPECT_NEAR(s.gInnendurchmesserWarm, c.expected, c.tolerance) << c.shows;
    }
    EXPECT_TRUE(tracer.responder.reports.empty());
    EXPECT_EQ(tracer->colCallStack().front().substr(9), "[Module1] Sub BerechneInnendurchmesser()");
}

// The square root of a negative area is a run-time error, never a NaN.
TEST_F(InnerDiameter, NegativeDuctSideRaises)
{
    s.gRohrRechteckig = 1;
    s.gInnendurchmesser = 300;
    s.gInnenmassB = -200;
    s.gInnendurchmesserWarm = 42;
    BerechneInnendurchmesser(e);
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, 5);
    EXPECT_EQ(tracer.responder.reports[0].procedure, "BerechneInnendurchmesser");
    EXPECT_EQ(s.gInnendurchmesserWarm, 42);
}

}  // namespace
}  // namespace morvane
