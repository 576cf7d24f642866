// The entry and error convention of every procedure.
//
// A procedure makes a Guard first: it writes "[Module] declaration" and the
// parameters to the trace. Its body then runs as a sequence of steps, each one
// statement for the continue codes: an exception inside a step goes to the
// tracer's error dialog, and the answer repeats the step (ContRepeat), goes on
// with the next step (ContNext), leaves the procedure (ContExit and any code
// that is not 0..3) or ends the program (ContQuit).
//
//     void Engine::BerechneDichte() {
//         Guard g("Module1", "BerechneDichte", "Sub BerechneDichte()");
//         if (!g.step([&] { ... })) return;
//         if (!g.step([&] { ... })) return;
//     }
//
// A step may return bool: false leaves the procedure as an ordinary early exit
// (step then returns false too, without any error). An exception that a step does
// not raise itself but lets through from a called procedure without a guard
// counts as this step's error.
//
// Skip mode (Guard::Skip, or skipErrors(true) for a stretch) drops a failing step
// silently and goes on with the next one.
#pragma once

#include "tracing/ErrPtnr.h"

#include <initializer_list>
#include <string_view>
#include <type_traits>

namespace morvane {

class Guard {
public:
    enum Mode { Report, Skip };

    // Parameters are given in declaration order.
    Guard(std::string_view module, std::string_view procedure, std::string_view declaration,
          std::initializer_list<TraceParam> params = {}, Mode mode = Report)
        : module_(module), procedure_(procedure), mode_(mode)
    {
        errPtnr().CallStackEntry(module, declaration, params);
    }
    Guard(std::string_view module, std::string_view procedure, std::string_view declaration, Mode mode)
        : Guard(module, procedure, declaration, {}, mode)
    {
    }

    template <class F>
    bool step(F&& f)
    {
        for (;;) {
            try {
                if constexpr (std::is_same_v<std::invoke_result_t<F>, bool>) {
                    return f();
                } else {
                    f();
                    return true;
                }
            } catch (const QuitRequested&) {
                throw;
            } catch (...) {
                if (mode_ == Skip)
                    return true;
                switch (handle()) {
                case ContRepeat: continue;
                case ContNext: return true;
                default: return false;
                }
            }
        }
    }

    void skipErrors(bool on) { mode_ = on ? Skip : Report; }

    std::string_view module() const { return module_; }
    std::string_view procedure() const { return procedure_; }

private:
    // Records the exception in hand as the current error, asks OnError and
    // returns the continue code; ContQuit ends the program.
    std::int16_t handle();

    std::string_view module_;
    std::string_view procedure_;
    Mode mode_;
};

// Records the entry of a procedure that arms no handler of its own: an error
// inside it belongs to the calling step.
inline void traceEntry(std::string_view module, std::string_view declaration,
                       std::initializer_list<TraceParam> params = {})
{
    errPtnr().CallStackEntry(module, declaration, params);
}

}  // namespace morvane
