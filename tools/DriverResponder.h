// The error responder of the test drivers: every run-time error is written to
// standard error, kept for the output, and answered with "Exit Procedure", as a
// user who lets nothing go on after a fault would answer it.
#pragma once

#include "tracing/ErrPtnr.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

class ExitProcedureResponder : public ErrorResponder {
public:
    std::optional<std::int16_t> ask(const ErrorReport& r) override
    {
        std::string text = std::to_string(r.number) + " (" + r.description + ") in " + r.module + "." + r.procedure;
        std::cerr << "run-time error " << text << "\n";
        errors.push_back(std::move(text));
        return ContExit;
    }
    std::vector<std::string> errors;
};

}  // namespace morvane
