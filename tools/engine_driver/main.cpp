// engine_driver [--step NAME] [--solve] [--data-root DIR] FILE.json
//
// Runs the calculation engine on a state given as one flat JSON object (FILE "-"
// reads standard input) and writes the resulting state as one flat JSON object to
// standard output. Without --step it runs the engine part of the Calculate run;
// with --step the one step of that name; with --solve the differential-pressure
// solver (its accepted value stands in its field of the state, and the output
// adds "solverValue", null when nothing was accepted, and "solverPasses"). Message boxes and run-time errors are
// written to standard error; every run-time error is answered "Exit Procedure".
//
// Exit status: 0 after a run, whether or not a step reported a message; 1 when a
// run-time error happened; 2 for bad arguments or bad input.
//
// The data root holds the product databases; by default $MORVANE_HOME when set,
// otherwise the program folder of this build.
#include "EngineSteps.h"
#include "StateJson.h"

#include "engine/EngineContext.h"
#include "platform/DataRoot.h"
#include "platform/ProductDatabase.h"
#include "tracing/ErrPtnr.h"
#include "tools/DriverResponder.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace morvane;

constexpr int ExitBadInput = 2;
constexpr int ExitRuntimeError = 1;

class StderrMessageBox : public MessageBoxSink {
public:
    MessageAnswer show(const MessageRequest& request) override
    {
        std::cerr << "message box" << (request.caption.empty() ? "" : " [" + request.caption + "]") << ": "
                  << request.text << "\n";
        texts.push_back(request.text);
        switch (request.buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel: return MessageAnswer::Yes;
        case MessageButtons::RetryCancel: return MessageAnswer::Retry;
        default: return MessageAnswer::Ok;
        }
    }
    std::vector<std::string> texts;
};

int usage(const std::string& why)
{
    std::cerr << "engine_driver: " << why << "\n"
              << "usage: engine_driver [--step NAME] [--solve] [--data-root DIR] FILE.json   (FILE - reads standard "
                 "input)\n"
              << "steps:";
    for (const auto& s : driver::engineSteps())
        std::cerr << " " << s.name;
    std::cerr << "\n";
    return ExitBadInput;
}

std::filesystem::path defaultRoot()
{
    const char* home = std::getenv("MORVANE_HOME");
    if (home != nullptr && *home != '\0')
        return defaultDataRoot();
    return MORVANE_PROGRAM_DIR;
}

}  // namespace

int main(int argc, char** argv)
{
    std::optional<std::string> stepName;
    std::optional<std::filesystem::path> dataRoot;
    std::optional<std::string> file;
    bool solve = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--solve") {
            solve = true;
        } else if ((a == "--step" || a == "--data-root") && i + 1 < argc) {
            if (a == "--step")
                stepName = argv[++i];
            else
                dataRoot = std::filesystem::path(argv[++i]);
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return usage("unknown option " + a);
        } else if (!file) {
            file = a;
        } else {
            return usage("more than one input file");
        }
    }
    if (!file)
        return usage("no input file");
    if (solve && stepName)
        return usage("--step and --solve together");

    const driver::StepEntry* step = nullptr;
    if (stepName) {
        step = driver::findStep(*stepName);
        if (step == nullptr)
            return usage("no step named " + *stepName);
    }

    CalculationState state;
    UiZustand ui;
    UserSettings settings;
    try {
        nlohmann::json input;
        if (*file == "-") {
            input = nlohmann::json::parse(std::cin);
        } else {
            std::ifstream in(*file);
            if (!in)
                return usage("cannot read " + *file);
            input = nlohmann::json::parse(in);
        }
        driver::readState(input, state, ui, settings);
    } catch (const nlohmann::json::exception& e) {
        return usage(std::string("bad JSON: ") + e.what());
    } catch (const driver::BadInput& e) {
        return usage(std::string("bad input: ") + e.what());
    }

    StderrMessageBox boxes;
    ExitProcedureResponder responder;
    errPtnr().setResponder(&responder);
    ProductDatabases databases(dataRoot.value_or(defaultRoot()));
    EngineContext e{state, ui, settings, boxes, databases};

    driver::CalculateLog log;
    driver::SolveLog solveLog;
    if (step != nullptr) {
        step->run(e);
    } else if (solve) {
        solveLog = driver::solveRun(e, ui);
        log.messageWindow = solveLog.messageWindow;
    } else {
        log = driver::calculateRun(e, ui);
        if (!log.stoppedBefore.empty())
            std::cerr << "engine_driver: the Calculate run stops before " << log.stoppedBefore
                      << ", which is not built yet\n";
    }
    errPtnr().setResponder(nullptr);

    nlohmann::ordered_json out = driver::writeState(state, ui, settings);
    out["gFehlertext"] = ui.gFehlertext;
    out["messageWindow"] = log.messageWindow;
    out["messageBoxes"] = boxes.texts;
    out["runtimeErrors"] = responder.errors;
    out["runStoppedBefore"] = log.stoppedBefore;
    out["runComplete"] = log.complete;
    if (solve) {
        out["solverValue"] = solveLog.value ? nlohmann::ordered_json(*solveLog.value) : nlohmann::ordered_json();
        out["solverPasses"] = solveLog.passes;
    }
    const auto texts = errPtnr().colCallStack();
    std::vector<std::string> trace(texts.begin(), texts.end());
    out["trace"] = trace;
    std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    return responder.errors.empty() ? 0 : ExitRuntimeError;
}
