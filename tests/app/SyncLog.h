// The flushes and closes this test program asks of the system, as the system
// is asked for them. A save's own account of its steps (its SaveFault) cannot
// show that a flush really went out, nor stage the system's own answer to it;
// this program's own fsync and close stand in front of the C library's: they
// name each file or folder they flush, and answer an error where a test has
// the system refuse one.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

namespace morvane::testing {

// While a SyncLog lives, every fsync of this program tells it the path of the
// file or folder it flushes, before it flushes it. One at a time.
class SyncLog {
public:
    using Seen = std::function<void(const std::filesystem::path& flushed)>;
    explicit SyncLog(Seen seen);
    ~SyncLog();
    SyncLog(const SyncLog&) = delete;
    SyncLog& operator=(const SyncLog&) = delete;

private:
    Seen seen_;
};

// While a RefusedCall lives, the system refuses this program's fsync or close
// of each file that `refused` picks by its path (asked once for each such
// call) with the error number `error`, as a failing disk or a full one does: a
// refused flush flushes nothing, a refused close releases the descriptor all
// the same, as the system's does, and reports the write that failed. Every
// other call goes to the system as it is. One at a time.
class RefusedCall {
public:
    enum class Call { Fsync, Close };
    using Picks = std::function<bool(const std::filesystem::path& file)>;
    RefusedCall(Call call, Picks refused, int error);
    ~RefusedCall();
    RefusedCall(const RefusedCall&) = delete;
    RefusedCall& operator=(const RefusedCall&) = delete;

    // Whether the system refuses this call on this file; the error it answers.
    bool refuses(Call call, const std::filesystem::path& file) const;
    int error() const { return error_; }

private:
    Call call_;
    Picks refused_;
    int error_;
};

// The paths of the files and folders this program holds open.
std::vector<std::filesystem::path> openPaths();

}  // namespace morvane::testing
