// A calculation state with its engine context for the water and steam steps,
// and the reader of the oracle tables in tests/engine/data.
#pragma once

#include "engine/EngineContext.h"
#include "platform/ProductDatabase.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace morvane::testing {

// The steps of water and steam use no product database; the context gets a
// handle on an empty folder of its own.
class SteamStepTest : public ::testing::Test {
protected:
    SteamStepTest() { s.gModellGespeicherteDaten = True; }

    TestTracer tracer;
    CalculationState s;
    UiZustand ui;
    UserSettings settings;
    RecordingMessageBox box;
    TempFolder noDatabases;
    ProductDatabases databases{noDatabases.path()};
    EngineContext e{s, ui, settings, box, databases};
};

// The rows of a tab-separated oracle table, '#' lines skipped.
inline std::vector<std::vector<double>> readOracleTable(const std::string& name)
{
    const std::filesystem::path file = std::filesystem::path(MORVANE_SOURCE_DIR) / "tests/engine/data" / name;
    std::ifstream in(file);
    EXPECT_TRUE(in.good()) << file;
    std::vector<std::vector<double>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::vector<double> row;
        for (double v; fields >> v;)
            row.push_back(v);
        rows.push_back(row);
    }
    return rows;
}

}  // namespace morvane::testing
