// The continue codes on a three-step guarded procedure.
#include "platform/RuntimeError.h"
#include "support/Fakes.h"
#include "tracing/Guard.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvane {
namespace {

using testing::TestTracer;

// Three statements; the second fails on its first `failures` runs.
struct ThreeSteps {
    int failures = 1;
    std::vector<int> ran;
    int result = 0;

    int run()
    {
        Guard g("Module1", "ThreeSteps", "Function ThreeSteps() As Integer");
        if (!g.step([&] { ran.push_back(1); result = 1; }))
            return result;
        if (!g.step([&] {
                ran.push_back(2);
                if (failures-- > 0)
                    raiseError(err::DivisionByZero);
                result = 2;
            }))
            return result;
        if (!g.step([&] { ran.push_back(3); result = 3; }))
            return result;
        return result;
    }
};

TEST(Guard, ContinueCodes)
{
    struct Case {
        std::optional<std::int16_t> answer;
        std::vector<int> ran;
        int result;
        const char* shows;
    };
    const Case cases[] = {
        {ContRepeat, {1, 2, 2, 3}, 3, "Repeat runs the failing statement again"},
        {ContNext, {1, 2, 3}, 3, "Next goes on after the failing statement"},
        {ContExit, {1, 2}, 1, "Exit returns the value held so far"},
        {7, {1, 2}, 1, "a code that is no continue code leaves like Exit"},
        {-1, {1, 2}, 1, "a negative code leaves like Exit"},
    };
    for (const auto& c : cases) {
        TestTracer t;
        t.responder.answers = {c.answer};
        ThreeSteps p;
        EXPECT_EQ(p.run(), c.result) << c.shows;
        EXPECT_EQ(p.ran, c.ran) << c.shows;
        ASSERT_EQ(t.responder.reports.size(), 1u) << c.shows;
        EXPECT_EQ(t.responder.reports[0].number, 11);
        EXPECT_EQ(t.responder.reports[0].module, "Module1");
        EXPECT_EQ(t.responder.reports[0].procedure, "ThreeSteps");
        EXPECT_EQ(t.responder.reports[0].contBits, 255);
        EXPECT_EQ(t.responder.reports[0].line, 0);
    }
}

TEST(Guard, QuitEndsWithoutRunningTheRest)
{
    TestTracer t;
    t.responder.answers = {ContQuit};
    ThreeSteps p;
    EXPECT_THROW(p.run(), QuitRequested);
    EXPECT_EQ(p.ran, (std::vector<int>{1, 2}));
}

TEST(Guard, ClosingTheDialogReturnsTheCodeChosenLast)
{
    TestTracer t;
    // Closed before any choice: ContinueIndex is still 0, so the statement is
    // repeated; the second error is answered with Next.
    t.responder.answers = {std::nullopt, ContNext};
    ThreeSteps p;
    p.failures = 2;
    EXPECT_EQ(p.run(), 3);
    EXPECT_EQ(p.ran, (std::vector<int>{1, 2, 2, 3}));
    EXPECT_EQ(t->ContinueIndex(), ContNext);
    // Closed again: the last choice, Next, stands.
    t.responder.answers = {std::nullopt};
    ThreeSteps q;
    EXPECT_EQ(q.run(), 3);
    EXPECT_EQ(q.ran, (std::vector<int>{1, 2, 3}));
}

TEST(Guard, SkipModeDropsFailingStatementsSilently)
{
    TestTracer t;
    std::vector<int> ran;
    Guard g("Module1", "LoadResstrings", "Sub LoadResstrings(frm As Form)", {{"frm", "[TYPE]"}}, Guard::Skip);
    g.step([&] { ran.push_back(1); raiseError(380); });
    g.step([&] { ran.push_back(2); });
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_TRUE(t.responder.reports.empty());
}

TEST(Guard, ErrorOfAnUnguardedCalleeBelongsToTheCallingStatement)
{
    TestTracer t;
    t.responder.answers = {ContNext};
    int calls = 0;
    auto unguarded = [&] {
        traceEntry("Module1", "Sub LoadIni()");
        ++calls;
        raiseError(err::FileNotFound);
    };
    Guard g("frmMain", "Form_Load", "Private Sub Form_Load()");
    bool after = false;
    g.step([&] { unguarded(); });
    g.step([&] { after = true; });
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(after);
    ASSERT_EQ(t.responder.reports.size(), 1u);
    EXPECT_EQ(t.responder.reports[0].procedure, "Form_Load");
    EXPECT_EQ(t.responder.reports[0].number, 53);
}

TEST(Guard, ErrorWhileTheDialogIsOpenLeavesWithoutASecondDialog)
{
    TestTracer t;
    // A responder that, while "open", runs a procedure that fails.
    struct Nested : ErrorResponder {
        std::optional<std::int16_t> ask(const ErrorReport&) override
        {
            ++asked;
            ThreeSteps inner;
            innerResult = inner.run();
            return ContNext;
        }
        int asked = 0;
        int innerResult = -1;
    } nested;
    t->setResponder(&nested);
    ThreeSteps outer;
    EXPECT_EQ(outer.run(), 3);
    EXPECT_EQ(nested.asked, 1);
    EXPECT_EQ(nested.innerResult, 1);  // the inner error left its procedure (code 2)
}

TEST(Guard, ProgInfoAndCaption)
{
    TestTracer t;
    t->setProgramIdentity("morvane", 7, 0, 12);
    t.responder.answers = {ContExit};
    ThreeSteps p;
    p.run();
    EXPECT_EQ(t->ProgInfo(), "morvane  V7.0.12");
    EXPECT_EQ(t.responder.reports[0].caption, "morvane  V7.0.12 - Error Message");
}

}  // namespace
}  // namespace morvane
