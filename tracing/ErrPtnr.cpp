#include "tracing/ErrPtnr.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace morvane {

namespace {
ErrPtnr* g_current = nullptr;
}

ErrPtnr& errPtnr()
{
    static ErrPtnr programWide;
    return g_current != nullptr ? *g_current : programWide;
}

ScopedErrPtnr::ScopedErrPtnr() : previous_(g_current)
{
    g_current = &own_;
}

ScopedErrPtnr::~ScopedErrPtnr()
{
    g_current = previous_;
}

ErrPtnr::ErrPtnr()
    : quit_([](int code) { std::exit(code); })
{
}

void ErrPtnr::setProgramIdentity(std::string exeName, int major, int minor, int revision)
{
    exeName_ = std::move(exeName);
    major_ = major;
    minor_ = minor;
    revision_ = revision;
}

void ErrPtnr::quit(int exitCode)
{
    quit_(exitCode);
    std::exit(exitCode);  // a quit handler that returns still ends the program
}

void ErrPtnr::setCurrentError(int number, std::string description)
{
    errNumber_ = number;
    errDescription_ = std::move(description);
}

const std::string& ErrPtnr::timeText()
{
    // The time stamp changes once a second; format it only then.
    const auto now = clock_ != nullptr ? clock_->now() : std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    if (t != cachedSecond_) {
        std::tm tm{};
        localtime_r(&t, &tm);
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
        cachedTime_ = buf;
        cachedSecond_ = t;
    }
    return cachedTime_;
}

void ErrPtnr::CallStack(std::string_view a)
{
    std::string entry;
    entry.reserve(9 + a.size());
    entry += timeText();
    entry += ' ';
    entry += a;
    colCallStack_.push_front(std::move(entry));
    if (colCallStack_.size() > MaxTraceEntries)
        colCallStack_.pop_back();
}

void ErrPtnr::CallStackParam(std::string_view ParamName, const TraceValue& v)
{
    std::string entry;
    entry += '\t';
    entry += ParamName;
    entry += ":\t";
    entry += v.text();
    if (colCallStack_.empty())
        colCallStack_.push_back(std::move(entry));
    else
        colCallStack_.insert(colCallStack_.begin() + 1, std::move(entry));
    if (colCallStack_.size() > MaxTraceEntries)
        colCallStack_.pop_back();
}

std::string ErrPtnr::LPSTRToVBString(std::string_view s)
{
    const auto nul = s.find('\0');
    if (nul == std::string_view::npos)
        return {};
    return std::string(s.substr(0, nul));
}

std::int16_t ErrPtnr::OnError(std::string_view AktModul, std::string_view AktProc, std::int16_t ContBits)
{
    if (ProgInfo_.empty())
        ProgInfo_ = exeName_ + "  V" + std::to_string(major_) + "." + std::to_string(minor_) + "." +
                    std::to_string(revision_);

    ErrorReport report;
    report.number = errNumber_;
    report.description = errDescription_;
    report.module = std::string(AktModul);
    report.procedure = std::string(AktProc);
    report.line = 0;
    report.contBits = ContBits;
    report.caption = ProgInfo_ + " - Error Message";
    lastReport_ = report;

    // An error raised while the dialog is already open (from a handler that runs
    // during its modal loop) must not open a second one: it leaves the failing
    // procedure and is written to the standard error stream.
    if (dialogOpen_ || responder_ == nullptr) {
        std::cerr << report.caption << ": " << report.number << " (" << report.description << ") in "
                  << report.module << "." << report.procedure << "\n";
        return ContExit;
    }

    dialogOpen_ = true;
    std::optional<std::int16_t> chosen;
    try {
        chosen = responder_->ask(report);
    } catch (...) {
        dialogOpen_ = false;
        throw;
    }
    dialogOpen_ = false;
    if (chosen)
        ContinueIndex_ = *chosen;
    return ContinueIndex_;
}

}  // namespace morvane
