// The tracer: the history of procedures entered with their parameters, and the
// one place where an unexpected run-time error is shown to the user, who answers
// with a continue code.
#pragma once

#include "platform/Clock.h"
#include "tracing/TraceValue.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <deque>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace morvane {

inline constexpr std::int16_t ContRepeat = 0;
inline constexpr std::int16_t ContNext = 1;
inline constexpr std::int16_t ContExit = 2;
inline constexpr std::int16_t ContQuit = 3;

inline constexpr std::size_t MaxTraceEntries = 40;

// What the error dialog shows.
struct ErrorReport {
    int number = 0;
    std::string description;
    std::string module;
    std::string procedure;
    int line = 0;
    std::int16_t contBits = 255;
    std::string caption;  // ProgInfo + " - Error Message"
};

// Asks the user how to go on: the Qt error dialog in the program, a scripted
// answer in tests. Returns the button index chosen, or nothing when the dialog
// was closed without a choice.
class ErrorResponder {
public:
    virtual ~ErrorResponder() = default;
    virtual std::optional<std::int16_t> ask(const ErrorReport& report) = 0;
};

// Thrown by the quit handler of tests in place of ending the process; guards let
// it pass.
struct QuitRequested {
    int exitCode = 0;
};

class ErrPtnr {
public:
    ErrPtnr();

    // Public interface.
    std::int16_t OnError(std::string_view AktModul, std::string_view AktProc, std::int16_t ContBits = 255);
    void SetProgInfo(std::string text) { ProgInfo_ = std::move(text); }
    static std::string LPSTRToVBString(std::string_view s);
    void CallStack(std::string_view a);
    void CallStackParam(std::string_view ParamName, const TraceValue& v);
    // CallStack with "[" + module + "] " + declaration, written straight into
    // the entry.
    void CallStackProcedure(std::string_view module, std::string_view declaration)
    {
        Entry& e = pushFront();
        e.parameter = false;
        e.second = nowSecond();
        char* p = e.text.resize(module.size() + declaration.size() + 3);
        *p++ = '[';
        std::memcpy(p, module.data(), module.size());
        p += module.size();
        *p++ = ']';
        *p++ = ' ';
        std::memcpy(p, declaration.data(), declaration.size());
    }
    // The entry of a procedure: CallStackProcedure, then CallStackParam for each
    // parameter from the last to the first, so that they stand below the
    // procedure entry in declaration order. Defined here so that a guard's
    // entry, with its texts' lengths and its parameters known where it is
    // made, costs no more than the stores into the trace.
    void CallStackEntry(std::string_view module, std::string_view declaration,
                        std::initializer_list<TraceParam> params)
    {
        // Each entry goes to the front of the list and the oldest one past 40
        // goes: the parameters from the last to the first, then the procedure
        // entry leave the same list as the procedure entry followed by the
        // parameters inserted below it, with less moving about.
        for (auto it = std::rbegin(params); it != std::rend(params); ++it) {
            Entry& e = pushFront();
            e.parameter = true;
            e.text.assign(it->name);
            e.value.assign(it->value);
        }
        CallStackProcedure(module, declaration);
    }

    // The trace entries' texts, newest procedure entry first.
    std::deque<std::string> colCallStack() const;
    std::size_t traceSize() const { return size_; }
    std::int16_t ContinueIndex() const { return ContinueIndex_; }
    const std::string& ProgInfo() const { return ProgInfo_; }
    // The executable's name without extension (ProgInfo, the protocol files).
    const std::string& exeName() const { return exeName_; }

    // The error in hand (the runtime's Err object): set by the guard before it
    // calls OnError, read by the dialog and the protocol.
    void setCurrentError(int number, std::string description);
    int errorNumber() const { return errNumber_; }
    const std::string& errorDescription() const { return errDescription_; }
    const ErrorReport& lastReport() const { return lastReport_; }
    // How many guarded steps have been left through a run-time error (the
    // answer was anything but Repeat) since this tracer was made. A driver
    // compares it before and after a run: a run that lost a step to an error has
    // no results worth showing.
    std::uint64_t stepsLeftByError() const { return stepsLeftByError_; }
    void noteStepLeftByError() { ++stepsLeftByError_; }

    // Wiring.
    void setResponder(ErrorResponder* responder) { responder_ = responder; }
    void setClock(const Clock* clock) { clock_ = clock; }
    // Program name and version that ProgInfo is made of when it is empty.
    void setProgramIdentity(std::string exeName, int major, int minor, int revision);
    // Ends the program at once (closes files, runs no window handler). The
    // default calls std::exit; tests throw QuitRequested.
    void setQuitHandler(std::function<void(int)> quit) { quit_ = std::move(quit); }
    [[noreturn]] void quit(int exitCode = 0);

private:
    // One trace entry. Its text is put together only when the trace is read:
    // a procedure entry keeps the second of its time stamp, a parameter entry
    // its value.
    // Characters kept for reuse: writing a text of a size seen before costs
    // one copy and no allocation.
    class Text {
    public:
        // Room for n characters, the text's new size; the old text is gone.
        char* resize(std::size_t n)
        {
            size_ = n;
            if (n <= Inline)
                return inline_;
            if (n > capacity_)
                grow(n);
            return heap_.get();
        }
        // A short text, such as a parameter's name, copied without a call.
        void assign(std::string_view s)
        {
            char* to = resize(s.size());
            if (s.size() <= Inline) {
                for (const char c : s)
                    *to++ = c;
            } else {
                std::memcpy(to, s.data(), s.size());
            }
        }
        std::string_view view() const { return {size_ <= Inline ? inline_ : heap_.get(), size_}; }

    private:
        static constexpr std::size_t Inline = 16;
        void grow(std::size_t n);
        char inline_[Inline] = {};
        std::unique_ptr<char[]> heap_;
        std::size_t size_ = 0;
        std::size_t capacity_ = 0;  // of heap_
    };

    struct Entry {
        bool parameter = false;
        std::time_t second = 0;
        Text text;  // what follows the time stamp, or the parameter's name
        TraceValue value;
    };

    std::time_t nowSecond() const
    {
        if (clock_ != nullptr)
            return clockSecond();
        // The time of day to the second, as the kernel keeps it in memory the
        // process reads without a system call: no read of the processor's
        // time-stamp counter for a procedure entry.
        return std::time(nullptr);
    }
    std::time_t clockSecond() const;
    // The slot of a new first entry; when the trace is full, the oldest entry's.
    Entry& pushFront()
    {
        head_ = head_ == 0 ? MaxTraceEntries - 1 : head_ - 1;
        if (size_ < MaxTraceEntries)
            ++size_;
        return at(head_);
    }
    // The slot of a new second entry, right below the first one.
    Entry& insertSecond();
    std::string entryText(const Entry& entry, std::time_t& formattedSecond, std::string& timeText) const;

    Entry& at(std::size_t position) { return slots_[order_[position]]; }

    // A ring of slot numbers: entry i of the list is
    // slots_[order_[(head_ + i) % MaxTraceEntries]]. Moving an entry moves only
    // its number; the slots keep their texts' storage for reuse.
    std::array<Entry, MaxTraceEntries> slots_;
    std::array<std::uint8_t, MaxTraceEntries> order_;
    std::size_t head_ = 0;
    std::size_t size_ = 0;
    std::int16_t ContinueIndex_ = 0;
    std::string ProgInfo_;
    std::string exeName_ = "morvane";
    int major_ = 7, minor_ = 0, revision_ = 0;
    int errNumber_ = 0;
    std::string errDescription_;
    ErrorReport lastReport_;
    ErrorResponder* responder_ = nullptr;
    const Clock* clock_ = nullptr;
    std::function<void(int)> quit_;
    bool dialogOpen_ = false;
    std::uint64_t stepsLeftByError_ = 0;
};

namespace detail {
// The tracer that ScopedErrPtnr installed, if any.
extern ErrPtnr* installedErrPtnr;
// The program-wide one once it is made; programWideErrPtnr() makes it.
extern std::atomic<ErrPtnr*> programWidePtr;
ErrPtnr& programWideErrPtnr();
}  // namespace detail

// The program-wide tracer. Tests install a fresh one with ScopedErrPtnr.
inline ErrPtnr& errPtnr()
{
    if (ErrPtnr* installed = detail::installedErrPtnr)
        return *installed;
    if (ErrPtnr* programWide = detail::programWidePtr.load(std::memory_order_acquire))
        return *programWide;
    return detail::programWideErrPtnr();
}

class ScopedErrPtnr {
public:
    ScopedErrPtnr();
    ~ScopedErrPtnr();
    ScopedErrPtnr(const ScopedErrPtnr&) = delete;
    ScopedErrPtnr& operator=(const ScopedErrPtnr&) = delete;
    ErrPtnr& get() { return own_; }
    ErrPtnr* operator->() { return &own_; }

private:
    ErrPtnr own_;
    ErrPtnr* previous_;
};

}  // namespace morvane
