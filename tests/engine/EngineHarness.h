// One engine context for a test: a fresh calculation state, German texts, a
// recording message box, a scripted tracer and the product databases of a
// temporary data root.
#pragma once

#include "GasTableFixture.h"
#include "engine/EngineContext.h"
#include "platform/ProductDatabase.h"
#include "engine/StateFields.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace morvane::testing {

struct EngineHarness {
    TestTracer tracer;
    TempFolder root;
    CalculationState s;
    UiZustand ui;
    UserSettings settings;
    RecordingMessageBox boxes;
    ProductDatabases databases{root.path()};
    EngineContext e{s, ui, settings, boxes, databases};

    std::filesystem::path mainDatabase() const { return root / std::string(ProductDatabases::MainFile); }
    std::filesystem::path alternativeDatabase() const
    {
        return root / std::string(ProductDatabases::AlternativeFile);
    }

    // The trace, newest first, each procedure entry without its time of day.
    std::vector<std::string> trace()
    {
        std::vector<std::string> out;
        for (const auto& entry : tracer->colCallStack())
            out.push_back(entry.size() > 9 && entry[0] != '\t' ? entry.substr(9) : entry);
        return out;
    }
    bool entered(const std::string& procedure)
    {
        for (const auto& entry : trace())
            if (entry == "[Module1] Sub " + procedure + "()")
                return true;
        return false;
    }
};

// The German text of id with %1 and %2 replaced by `first` and `second`, as the
// messages of the result checks carry their numbers.
inline std::string textWithNumbers(std::int32_t id, const std::string& first, const std::string& second = {})
{
    std::string text = resText(id, OffsetGerman);
    text.replace(text.find("%1"), 2, first);
    if (!second.empty())
        text.replace(text.find("%2"), 2, second);
    return text;
}

// No field of the state holds an infinity or a NaN.
inline void expectAllFinite(const CalculationState& s, const std::string& shows)
{
    for (const StateField& f : stateFields()) {
        if (f.kind == FieldKind::Double) {
            EXPECT_TRUE(std::isfinite(f.in<double>(s))) << shows << ": " << f.name;
        } else if (f.kind == FieldKind::PointArray) {
            for (const double v : f.in<PointArray>(s)) {
                EXPECT_TRUE(std::isfinite(v)) << shows << ": " << f.name;
            }
        }
    }
}

}  // namespace morvane::testing
