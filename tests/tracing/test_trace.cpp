// The trace: entries, parameters, value texts and the 40-entry limit.
#include "support/Fakes.h"
#include "tracing/Guard.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morvane {
namespace {

using testing::FixedClock;
using testing::TestTracer;

TEST(Trace, KeepsTheFortyNewestEntries)
{
    TestTracer t;
    for (int i = 1; i <= 41; ++i)
        t->CallStack("[Module1] Sub P" + std::to_string(i) + "()");
    ASSERT_EQ(t->colCallStack().size(), 40u);
    EXPECT_NE(t->colCallStack().front().find("P41()"), std::string::npos);
    EXPECT_NE(t->colCallStack().back().find("P2()"), std::string::npos);
}

TEST(Trace, ProcedureEntryWithParametersInDeclarationOrder)
{
    TestTracer t;
    FixedClock clock(10, 15, 2);
    t->setClock(&clock);
    Guard g("Module1", "get_Blende",
            "Sub get_Blende(q As Double, Re As Double, e As Double, dp As Double, dpb As Double)",
            {{"q", 2.5}, {"Re", 118886.7}, {"e", 1.0}, {"dp", 0.0}, {"dpb", -0.125}});
    const auto& s = t->colCallStack();
    ASSERT_EQ(s.size(), 6u);
    EXPECT_EQ(s[0], "10:15:02 [Module1] Sub get_Blende(q As Double, Re As Double, e As Double, dp As Double, "
                    "dpb As Double)");
    EXPECT_EQ(s[1], "\tq:\t2.5");
    EXPECT_EQ(s[2], "\tRe:\t118886.7");
    EXPECT_EQ(s[3], "\te:\t1");
    EXPECT_EQ(s[4], "\tdp:\t0");
    EXPECT_EQ(s[5], "\tdpb:\t-0.125");
}

TEST(Trace, ValueTextOfEachKind)
{
    const std::pair<TraceValue, const char*> cases[] = {
        {TraceValue::array(), "[ARRAY]"},
        {TraceValue::null(), "[NULL]"},
        {TraceValue::empty(), "[EMPTY]"},
        {TraceValue::object("TextBox"), "[OBJECT:TextBox]"},
        {TraceValue::nothing(), "[NOTHING]"},
        {TraceValue("[TYPE]"), "[TYPE]"},  // what callers pass for object parameters
        {TraceValue(true), "True"},
        {TraceValue(false), "False"},
        {TraceValue(std::int16_t{-1}), "-1"},
        {TraceValue(10000), "10000"},
        {TraceValue(0.000001), "0.000001"},
        {TraceValue(std::string("Luft")), "Luft"},
        {TraceValue(std::nan("")), "NaN"},  // the tracer itself never raises
        {TraceValue(-HUGE_VAL), "-Infinity"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(value.text(), text);
}

TEST(Trace, ParameterEntriesSitBelowTheNewestProcedure)
{
    TestTracer t;
    t->CallStack("[Module1] Sub A()");
    t->CallStack("[frmMain] Private Sub B(Index As Integer)");
    t->CallStackParam("Index", 3);
    EXPECT_EQ(t->colCallStack()[1], "\tIndex:\t3");
    EXPECT_NE(t->colCallStack()[2].find("Sub A()"), std::string::npos);
}

TEST(Trace, LPSTRToVBString)
{
    EXPECT_EQ(ErrPtnr::LPSTRToVBString("abc"), "");
    EXPECT_EQ(ErrPtnr::LPSTRToVBString(std::string_view("ab\0c", 4)), "ab");
    EXPECT_EQ(ErrPtnr::LPSTRToVBString(std::string_view("\0", 1)), "");
}

}  // namespace
}  // namespace morvane
