// The differential-pressure solver: from a known design differential pressure
// back to the diameter that produces it (the pipe diameter D of a probe, the bore
// d of the RQ8, an orifice or a venturi) or to the design flow. Each pass runs
// the sizing chain of the Calculate run once and scales the sought value by a
// power of the ratio between computed and wanted dp.
#pragma once

#include "engine/CalculateDriver.h"

#include <cstdint>
#include <optional>

namespace morvane {

// Resource texts of the solver.
inline constexpr std::int32_t TextSolverZuKlein = 1817;
inline constexpr std::int32_t TextSolverZuGross = 1818;
inline constexpr std::int32_t TextSolverUebernommen = 1819;
inline constexpr std::int32_t TextSolverDpZuHoch = 1820;
inline constexpr std::int32_t TextSolverKonvergiertNicht = 1822;
// The program's own input message of the solver button: it needs a known dp
// above 0 (mbar).
inline constexpr std::int32_t TextSolverDpNichtPositiv = 1956;
// The smallest known dp the solver takes, kPa: its coarser acceptance
// tolerance (that of a bore). A smaller one cannot be told from 0: the first
// pass in flow mode, at the start flow, has a dp of about 0 and would be
// accepted with the start flow as its result.
inline constexpr double SolverDpMinKPa = 1e-6;

// Passes computed before the solver gives up with text 1822.
inline constexpr int SolverMaxPasses = 199;

// The announcement of an accepted value: up to three decimals (pattern ".###";
// a value they would show as 0 or move by more than 1 % with 4 significant
// digits, formatUpToNear),
// a blank, `unit`, a colon and the text of the acceptance
// ("53.359 mm: Wert übernommen (dp-element)", "28.275 t/h: Value has been noted
// (dp-element).").
std::string solverAnnouncement(double value, std::string_view unit, const std::string& acceptedText);

// The solver button's handler (frmMain.Command3_Click); it registers with the
// tracer as that handler. Runs the preamble of the Calculate run (without the
// type key, which the reading of the main window takes), the density step once,
// then up to 199 passes of the chain, and stops at the first message of any step
// of the chain, the probe-coefficient warning included.
//
// No step of a pass shows a message box (the non-convergence boxes of the dp
// iterations and the opposite-support boxes included): a step that cannot go
// on stops the solver through its message, which the messages window shows
// once. The opposite-support findings (gGegenlagerNotwendig,
// gSchwingungswarnung) are those of the last pass run, the accepted one when
// the solver succeeds, and the Calculate run that follows shows its boxes.
//
// A known dp of 0 or less is refused with the input messages, before any step.
// After the density step, a known dp above DpAnteilDruckMax of the absolute
// pressure of a compressible medium is refused with text 1820 in diameter
// mode, as the flow mode refuses a pass whose dp is above that share; a
// liquid's known dp at or above its bound (liquidDpBound: the pressure, less
// the saturation pressure for water below its critical temperature through
// the RQ8, an orifice or a venturi) is refused with it in either mode. A
// value whose design point has a C of 1 or more or a loss of 0 or less is not
// accepted: the solver stops with the Calculate run's message (elementStop).
// The messages of the steps that stop it carry no warning suffix, but for the
// probe-coefficient warning's own.
// A pass in which a step was left through a run-time error ends the solver
// without accepting anything; the messages window says that the calculation
// did not complete.
struct SolverOutcome {
    std::optional<double> value;  // the accepted value (mm or the user's flow unit)
    int passes = 0;               // passes whose chain was run
};

// Within one run the medium and its operating state stay as they are, and so do
// the isentropic exponent and the viscosity; so does the warm inner diameter,
// and with it a probe's coefficient, unless the pipe diameter is sought; and
// while a bore is sought, so do the velocities and Reynolds numbers.
// SolverPasses::ReuseUnchanged computes those in the first pass only; the
// accepted value, every message and every state field are the same as with
// SolverPasses::Full, which runs the whole chain in every pass.
enum class SolverPasses { ReuseUnchanged, Full };

SolverOutcome RunSolver(DriverContext& d, SolverPasses passes = SolverPasses::ReuseUnchanged);

}  // namespace morvane
