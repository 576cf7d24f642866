// The flushes this test program asks of the system, as the system is asked
// for them. A save's own account of its steps (its SaveFault) cannot show
// that a flush really went out; this program's own fsync stands in front of
// the C library's and names each file or folder it flushes.
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

// The paths of the files and folders this program holds open.
std::vector<std::filesystem::path> openPaths();

}  // namespace morvane::testing
