// The differential-pressure solver: from a known design differential pressure
// back to the diameter that produces it (the pipe diameter D of a probe, the bore
// d of the RQ8, an orifice or a venturi) or to the design flow. Each pass runs
// the sizing chain of the Calculate run once and scales the sought value by a
// power of the ratio between computed and wanted dp.
#pragma once

#include "engine/CalculateDriver.h"

#include <cstdint>

namespace morvane {

// Resource texts of the solver.
inline constexpr std::int32_t TextSolverZuKlein = 1817;
inline constexpr std::int32_t TextSolverZuGross = 1818;
inline constexpr std::int32_t TextSolverUebernommen = 1819;
inline constexpr std::int32_t TextSolverDpZuHoch = 1820;
inline constexpr std::int32_t TextSolverKonvergiertNicht = 1822;

// Passes computed before the solver gives up with text 1822.
inline constexpr int SolverMaxPasses = 199;

// The announcement of an accepted value: up to three decimals (pattern ".###"),
// then `unit` and the text of the acceptance ("53.359mm  Wert übernommen ...").
std::string solverAnnouncement(double value, std::string_view unit, const std::string& acceptedText);

// The solver button's handler (frmMain.Command3_Click); it registers with the
// tracer as that handler. Runs the preamble of the Calculate run (without the
// type key, which the reading of the main window takes), the density step once,
// then up to 199 passes of the chain, and stops at the first message of any step
// of the chain, the probe-coefficient warning included.
//
// The opposite-support step of each pass shows no message box: its findings
// (gGegenlagerNotwendig, gSchwingungswarnung) are those of the last pass run,
// the accepted one when the solver succeeds, and the Calculate run that follows
// shows its boxes.
void RunSolver(DriverContext& d);

}  // namespace morvane
