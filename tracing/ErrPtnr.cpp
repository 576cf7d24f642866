#include "tracing/ErrPtnr.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <iostream>

#include <time.h>

namespace morvane {

namespace detail {
ErrPtnr* installedErrPtnr = nullptr;
std::atomic<ErrPtnr*> programWidePtr{nullptr};

ErrPtnr& programWideErrPtnr()
{
    static ErrPtnr programWide;
    programWidePtr.store(&programWide, std::memory_order_release);
    return programWide;
}
}  // namespace detail

ScopedErrPtnr::ScopedErrPtnr() : previous_(detail::installedErrPtnr)
{
    detail::installedErrPtnr = &own_;
}

ScopedErrPtnr::~ScopedErrPtnr()
{
    detail::installedErrPtnr = previous_;
}

ErrPtnr::ErrPtnr()
    : quit_([](int code) { std::exit(code); })
{
    for (std::size_t i = 0; i < MaxTraceEntries; ++i)
        order_[i] = static_cast<std::uint8_t>(i);
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

std::time_t ErrPtnr::clockSecond() const
{
    return std::chrono::system_clock::to_time_t(clock_->now());
}

ErrPtnr::Entry& ErrPtnr::insertSecond()
{
    if (size_ == 0)
        return pushFront();
    // The first entry moves to the new front position; its old position takes
    // the new entry.
    const std::size_t first = head_;
    pushFront();
    std::swap(order_[head_], order_[first]);
    return at(first);
}

void ErrPtnr::Text::grow(std::size_t n)
{
    const std::size_t capacity = std::max<std::size_t>(n, 2 * capacity_);
    heap_ = std::make_unique<char[]>(capacity);
    capacity_ = capacity;
}

void ErrPtnr::CallStack(std::string_view a)
{
    Entry& e = pushFront();
    e.parameter = false;
    e.second = nowSecond();
    e.text.assign(a);
}

void ErrPtnr::CallStackParam(std::string_view ParamName, const TraceValue& v)
{
    Entry& e = insertSecond();
    e.parameter = true;
    e.text.assign(ParamName);
    e.value.assign(v);
}

std::string ErrPtnr::entryText(const Entry& entry, std::time_t& formattedSecond, std::string& timeText) const
{
    if (entry.parameter)
        return '\t' + std::string(entry.text.view()) + ":\t" + entry.value.text();
    // hh:mm:ss on the 24-hour clock, local time.
    if (timeText.empty() || entry.second != formattedSecond) {
        std::tm tm{};
        localtime_r(&entry.second, &tm);
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
        timeText = buf;
        formattedSecond = entry.second;
    }
    return timeText + ' ' + std::string(entry.text.view());
}

std::deque<std::string> ErrPtnr::colCallStack() const
{
    std::deque<std::string> texts;
    std::time_t formattedSecond = 0;
    std::string timeText;
    for (std::size_t i = 0; i < size_; ++i)
        texts.push_back(entryText(slots_[order_[(head_ + i) % MaxTraceEntries]], formattedSecond, timeText));
    return texts;
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
