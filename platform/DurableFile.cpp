#include "platform/DurableFile.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <optional>
#include <random>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace morvane {

namespace {

namespace fs = std::filesystem;

using err::DeviceIoError;
using err::DiskFull;
using err::PathFileAccessError;
using err::PathNotFound;

// Far above any calculation file (a few kilobytes even with long remarks), far
// below what would keep the program busy.
constexpr std::uintmax_t MaxCalculationFileBytes = 1024 * 1024;

// "Path/File access error, read-only: /path/calc.mv5": the reason before the
// path, which may be long, so that the error dialog's two lines show it.
[[noreturn]] void raiseFileError(int number, const fs::path& file, const std::string& why = {})
{
    raiseError(number, standardDescription(number) + (why.empty() ? "" : ", " + why) + ": " + file.string());
}

// The file a name stands for: a symbolic link is followed to the file it names
// (which need not exist yet), so that saving replaces that file and the link
// stays a link.
fs::path followLinks(const fs::path& target)
{
    fs::path p = target;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)))
            return p;
        const fs::path to = fs::read_symlink(p, ec);
        if (ec)
            return p;
        p = to.is_absolute() ? to : (p.has_parent_path() ? p.parent_path() : fs::path(".")) / to;
    }
    raiseFileError(PathFileAccessError, target, "a loop of links");
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    int get() const { return fd_; }
    void reset(int fd)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    // Closes now; false when the close reports a write that failed.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// The error number of a failed write: the disk is full, or the device failed.
int writeErrorNumber(int error)
{
    return error == ENOSPC || error == EDQUOT ? DiskFull : DeviceIoError;
}

// Why the system refuses a name, whatever is done with it: the reasons that
// say more than "Path/File access error"; empty for any other error.
std::string whyNotTheName(int error)
{
    switch (error) {
    case ELOOP: return "a loop of links";
    case ENAMETOOLONG: return "name too long";
    default: return "";
    }
}

// A file whose flags let it grow only (chattr +a): neither renamed over nor
// written from its start, not even by root.
bool appendOnly(const fs::path& file)
{
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    int flags = 0;
    return fd.get() >= 0 && ::ioctl(fd.get(), FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_APPEND_FL) != 0;
}

// Why no new file can be made in a folder: one this user may not write is
// read-only to him as much as one on a read-only disk.
std::string whyNoNewFile(int error)
{
    return error == EACCES || error == EPERM || error == EROFS ? "the folder is read-only" : "";
}

// The failure a test stages for a step of the save, or 0.
int staged(const SaveFault& fault, SaveStage stage, std::uint64_t offset = 0)
{
    return fault ? fault(stage, offset) : 0;
}

// Flushes a file's bytes to the disk; the error number of the flush that
// failed, or 0.
int syncFile(int fd, const SaveFault& fault)
{
    if (const int error = staged(fault, SaveStage::FileSync); error != 0)
        return error;
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Closes the new file; the error number where the close reports a write that
// failed, or 0. A staged failure closes it all the same.
int closeFile(FileDescriptor& file, const SaveFault& fault)
{
    const int error = staged(fault, SaveStage::Close);
    const bool closed = file.close();
    if (error != 0)
        return error;
    return closed ? 0 : errno;
}

// Flushes a folder's entries (a new or renamed name) to the disk where its
// file system lets it: some refuse to, and the save stands all the same.
void syncFolder(const fs::path& folder, const SaveFault& fault)
{
    if (staged(fault, SaveStage::FolderSync) != 0)
        return;
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

// Writes all of `data` at `offset`, a block at a time; the error number of the
// write that failed, or 0.
int writeAllAt(int fd, std::string_view data, off_t offset, SaveStage stage, const SaveFault& fault)
{
    constexpr std::size_t Block = 4096;
    std::size_t done = 0;
    while (done < data.size()) {
        const off_t at = offset + static_cast<off_t>(done);
        if (const int error = staged(fault, stage, static_cast<std::uint64_t>(at)); error != 0)
            return error;
        const ssize_t n = ::pwrite(fd, data.data() + done, std::min(Block, data.size() - done), at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Copies the whole content of one file over the start of another and cuts the
// other to its length; the error number of a read or write that failed, or 0.
int copyContent(int from, int to, SaveStage stage, const SaveFault& fault)
{
    char buf[65536];
    off_t at = 0;
    for (;;) {
        const ssize_t got = ::pread(from, buf, sizeof buf, at);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            break;
        if (const int error = writeAllAt(to, {buf, static_cast<std::size_t>(got)}, at, stage, fault); error != 0)
            return error;
        at += got;
    }
    if (::ftruncate(to, at) != 0)
        return errno;
    return syncFile(to, fault);
}

// The names of a file's extended attributes (an access list among them) from
// a list call; an empty list where the file system keeps none, nothing where
// the list cannot be read.
template <class List>
std::optional<std::vector<std::string>> attributeNames(List list)
{
    for (int tries = 0; tries < 8; ++tries) {
        const ssize_t size = list(nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP ? std::optional(std::vector<std::string>{}) : std::nullopt;
        std::string buf(static_cast<std::size_t>(size), '\0');
        const ssize_t got = list(buf.data(), buf.size());
        if (got < 0) {
            if (errno == ERANGE)
                continue;  // the list grew in between
            return std::nullopt;
        }
        std::vector<std::string> names;
        for (std::size_t at = 0; at < static_cast<std::size_t>(got);) {
            const std::size_t end = buf.find('\0', at);
            names.push_back(buf.substr(at, end - at));
            at = end == std::string::npos ? buf.size() : end + 1;
        }
        return names;
    }
    return std::nullopt;
}

std::optional<std::string> attributeValue(const fs::path& file, const std::string& name)
{
    for (int tries = 0; tries < 8; ++tries) {
        const ssize_t size = ::getxattr(file.c_str(), name.c_str(), nullptr, 0);
        if (size < 0)
            return std::nullopt;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t got = ::getxattr(file.c_str(), name.c_str(), value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            return value;
        }
        if (errno != ERANGE)
            return std::nullopt;
    }
    return std::nullopt;
}

// Gives the new file the extended attributes of the old one, its access list
// among them, and none besides (an access list it took from the folder's
// default goes); false where one of them cannot be copied by this user.
bool copyAttributes(const fs::path& old, int to)
{
    const auto theirs = attributeNames([&](char* b, std::size_t n) { return ::listxattr(old.c_str(), b, n); });
    const auto ours = attributeNames([&](char* b, std::size_t n) { return ::flistxattr(to, b, n); });
    if (!theirs || !ours)
        return false;
    for (const std::string& name : *ours)
        if (std::find(theirs->begin(), theirs->end(), name) == theirs->end() &&
            ::fremovexattr(to, name.c_str()) != 0 && errno != ENODATA)
            return false;
    for (const std::string& name : *theirs) {
        const auto value = attributeValue(old, name);
        if (!value || ::fsetxattr(to, name.c_str(), value->data(), value->size(), 0) != 0)
            return false;
    }
    return true;
}

// The new file takes the old one's owner and group, mode, access list and
// extended attributes; false where this user cannot give it one of them
// (another user's file; a group he is not in).
bool takeOver(int to, const fs::path& old, const struct stat& st)
{
    return ::fchown(to, st.st_uid, st.st_gid) == 0 && ::fchmod(to, st.st_mode & 07777) == 0 &&
           copyAttributes(old, to);
}

// A new file of this user only, beside the target and named after it
// ("calc.mv5.Ab12Cd.bak"), or by a short name where that one would be too long.
FileDescriptor newBackup(const fs::path& folder, const fs::path& target, std::string& path)
{
    path = (folder / (target.filename().string() + ".XXXXXX.bak")).string();
    FileDescriptor fd(::mkstemps(path.data(), 4));
    if (fd.get() < 0 && errno == ENAMETOOLONG) {
        path = (folder / ".mv5.XXXXXX.bak").string();
        fd.reset(::mkstemps(path.data(), 4));
    }
    return fd;
}

// A new file beside the target under a short random name of its own
// (".mv5.Ab12Cd", so that any name the file system takes for the target can be
// saved), made as any program makes a new file: open with O_CREAT | O_EXCL and
// `mode`, which the folder's default access list or else the umask narrows. A
// name that is taken is tried again with another one; errno tells why none
// could be made.
FileDescriptor newTemporary(const fs::path& folder, mode_t mode, std::string& path)
{
    static constexpr std::string_view Letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, Letters.size() - 1);
    for (int tries = 0; tries < 100; ++tries) {
        std::string name = ".mv5.";
        for (int k = 0; k < 6; ++k)
            name += Letters[pick(random)];
        path = (folder / name).string();
        FileDescriptor fd(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode));
        if (fd.get() >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return FileDescriptor(-1);
}

// Writes the file where it stands, so that it stays the same file (every link
// to it, its owner and group, its access list and attributes): the old bytes
// first go to a backup beside it, then the new bytes go over the old ones, and
// the backup goes once they are on the disk. Without a backup nothing is
// written. A write that fails half-way puts the old bytes back from the
// backup; where even that fails, the backup stays and the error names it.
void writeInPlace(const fs::path& name, const fs::path& target, const fs::path& folder, const std::string& bytes,
                  const SaveFault& fault)
{
    FileDescriptor file(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0) {
        // This user may write the file (that was asked before), so it is the
        // reading that is refused.
        const bool unreadable = errno == EACCES;
        raiseFileError(PathFileAccessError, name,
                       unreadable ? "no backup of the old content can be made, the file cannot be read" : "");
    }
    std::string backupPath;
    FileDescriptor backup = newBackup(folder, target, backupPath);
    if (backup.get() < 0) {
        const int error = errno;
        const std::string why = whyNoNewFile(error);
        raiseFileError(error == ENOSPC || error == EDQUOT ? DiskFull : PathFileAccessError, name,
                       "no backup of the old content can be made beside the file" + (why.empty() ? "" : ", " + why));
    }
    std::error_code ec;
    if (const int error = copyContent(file.get(), backup.get(), SaveStage::Backup, fault); error != 0) {
        backup.close();
        fs::remove(backupPath, ec);
        raiseFileError(writeErrorNumber(error), name, "no backup of the old content can be made beside the file");
    }
    syncFolder(folder, fault);

    int error = writeAllAt(file.get(), bytes, 0, SaveStage::InPlace, fault);
    if (error == 0 && ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0)
        error = errno;
    if (error == 0)
        error = syncFile(file.get(), fault);
    if (error == 0) {
        backup.close();
        fs::remove(backupPath, ec);
        syncFolder(folder, fault);
        return;
    }
    if (copyContent(backup.get(), file.get(), SaveStage::Restore, fault) == 0) {
        backup.close();
        fs::remove(backupPath, ec);
        syncFolder(folder, fault);
        raiseFileError(writeErrorNumber(error), name, "the file keeps its old content");
    }
    // The backup's own name, which the error dialog's two lines show before
    // the file's path.
    raiseFileError(writeErrorNumber(error), name,
                   "the old content is kept beside it in " + fs::path(backupPath).filename().string());
}

}  // namespace

void replaceFile(const fs::path& name, const std::string& bytes, const SaveFault& fault)
{
    std::error_code ec;
    if (name.empty())
        raiseFileError(err::FileNotFound, name);
    const fs::path target = followLinks(name);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, ec))
        raiseFileError(PathNotFound, name);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (const std::string why = exists ? "" : whyNotTheName(errno); !why.empty())
        raiseFileError(PathFileAccessError, name, why);
    if (exists && S_ISDIR(old.st_mode))
        raiseFileError(PathFileAccessError, name, "a folder");
    if (exists && !S_ISREG(old.st_mode))
        raiseFileError(PathFileAccessError, name, "not a regular file");
    if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        raiseFileError(PathFileAccessError, name, "read-only");
    if (exists && appendOnly(target))
        raiseFileError(PathFileAccessError, name, "the file may only be appended to");
    // The new file is renamed over the old one, which needs the folder's
    // permission only: a file that this user may not write (another user's)
    // must not be replaced either, as writing it in place would be refused.
    if (exists && ::access(target.c_str(), W_OK) != 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
        raiseFileError(PathFileAccessError, name, errno == EROFS ? whyNoNewFile(EROFS) : "no permission to write");
    if (exists && old.st_nlink > 1) {
        writeInPlace(name, target, folder, bytes, fault);
        return;
    }

    // A new file gets the permissions the system gives any new file in its
    // folder; one that replaces an old file is private until it has taken the
    // old one's.
    std::string pattern;
    FileDescriptor out = newTemporary(folder, exists ? 0600 : 0666, pattern);
    if (out.get() < 0) {
        const int error = errno;
        raiseFileError(error == ENOSPC || error == EDQUOT ? DiskFull : PathFileAccessError, name, whyNoNewFile(error));
    }
    const fs::path tmp = pattern;
    const auto fail = [&](int number, const std::string& why = {}) {
        fs::remove(tmp, ec);
        raiseFileError(number, name, why);
    };
    if (exists && !takeOver(out.get(), target, old)) {
        out.close();
        fs::remove(tmp, ec);
        writeInPlace(name, target, folder, bytes, fault);
        return;
    }
    if (const int error = writeAllAt(out.get(), bytes, 0, SaveStage::Temporary, fault); error != 0)
        fail(writeErrorNumber(error));
    if (const int error = syncFile(out.get(), fault); error != 0)
        fail(writeErrorNumber(error));
    if (const int error = closeFile(out, fault); error != 0)
        fail(writeErrorNumber(error));
    syncFolder(folder, fault);
    if (const int error = staged(fault, SaveStage::Rename); error != 0)
        ec.assign(error, std::generic_category());
    else
        fs::rename(tmp, target, ec);
    if (ec)
        fail(PathFileAccessError, whyNotTheName(ec.value()));
    syncFolder(folder, fault);
}

std::string readWholeFile(const fs::path& file)
{
    if (file.empty())
        raiseFileError(err::FileNotFound, file);
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            raiseFileError(err::FileNotFound, file);
        raiseFileError(PathFileAccessError, file, errno == EACCES ? "no permission to read" : whyNotTheName(errno));
    }
    const FileDescriptor closer(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        raiseFileError(DeviceIoError, file);
    if (!S_ISREG(st.st_mode))
        raiseFileError(PathFileAccessError, file, "not a regular file");
    const auto tooLarge = [&] {
        raiseFileError(PathFileAccessError, file, "larger than 1 MB");
    };
    if (static_cast<std::uintmax_t>(st.st_size) > MaxCalculationFileBytes)
        tooLarge();
    std::string bytes;
    char buf[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buf, sizeof buf);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            raiseFileError(DeviceIoError, file);
        }
        if (got == 0)
            break;
        bytes.append(buf, static_cast<std::size_t>(got));
        // The file may grow while it is read.
        if (bytes.size() > MaxCalculationFileBytes)
            tooLarge();
    }
    return bytes;
}

}  // namespace morvane
