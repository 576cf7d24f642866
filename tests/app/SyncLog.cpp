#include "SyncLog.h"

#include <cerrno>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

#include <sys/syscall.h>
#include <unistd.h>

namespace morvane::testing {
namespace {

SyncLog::Seen* listener = nullptr;
const RefusedCall* refusal = nullptr;

// The path a descriptor stands for, as the system names it.
std::filesystem::path pathOf(int fd)
{
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), ec);
}

}  // namespace

SyncLog::SyncLog(Seen seen) : seen_(std::move(seen))
{
    if (listener != nullptr)
        throw std::logic_error("one SyncLog at a time");
    listener = &seen_;
}

SyncLog::~SyncLog()
{
    listener = nullptr;
}

RefusedCall::RefusedCall(Call call, Picks refused, int error)
    : call_(call), refused_(std::move(refused)), error_(error)
{
    if (refusal != nullptr)
        throw std::logic_error("one RefusedCall at a time");
    refusal = this;
}

RefusedCall::~RefusedCall()
{
    refusal = nullptr;
}

bool RefusedCall::refuses(Call call, const std::filesystem::path& file) const
{
    return call == call_ && refused_(file);
}

std::vector<std::filesystem::path> openPaths()
{
    std::vector<std::filesystem::path> out;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        std::error_code gone;
        if (auto to = std::filesystem::read_symlink(entry.path(), gone); !gone)
            out.push_back(std::move(to));
    }
    return out;
}

}  // namespace morvane::testing

// The C library's fsync, told to the log first: the code under test calls
// this one, which the linker prefers to the library's, and the flush itself
// goes to the system as the library would send it, unless the test has the
// system refuse it.
extern "C" int fsync(int fd)
{
    using namespace morvane::testing;
    if (listener == nullptr && refusal == nullptr)
        return static_cast<int>(::syscall(SYS_fsync, fd));
    const std::filesystem::path file = pathOf(fd);
    if (listener != nullptr)
        (*listener)(file);
    if (refusal != nullptr && refusal->refuses(RefusedCall::Call::Fsync, file)) {
        errno = refusal->error();
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

// The C library's close, which everything in this program calls (the test
// framework and the database library too): each descriptor is closed as the
// library would close it, and only a close that the test has the system
// refuse reports its error.
extern "C" int close(int fd)
{
    using namespace morvane::testing;
    if (refusal == nullptr)
        return static_cast<int>(::syscall(SYS_close, fd));
    const std::filesystem::path file = pathOf(fd);
    const int closed = static_cast<int>(::syscall(SYS_close, fd));
    if (closed == 0 && refusal->refuses(RefusedCall::Call::Close, file)) {
        errno = refusal->error();
        return -1;
    }
    return closed;
}
