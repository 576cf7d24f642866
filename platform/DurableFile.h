// A document file on the disk: read whole, and replaced so that neither a
// failure nor a power cut loses what the file held, and so that the file keeps
// its owner and group, mode, access list and extended attributes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace morvane {

// Failures staged in a save, for tests: called before each block of up to
// 4 KB is written, with the stage and the block's offset in its file, and
// before each flush, close and rename, with the offset 0; an error number
// other than 0 fails that step with it, as if the system had refused it.
enum class SaveStage {
    Temporary,   // the new file under its temporary name
    Backup,      // the old bytes into the backup (writing in place)
    InPlace,     // the new bytes over the old ones
    Restore,     // the old bytes back from the backup
    FileSync,    // the file of one of the writes above flushed to the disk
    Close,       // the new file closed, which reports a write that failed
    FolderSync,  // the folder's entries flushed to the disk; a failure goes
                 // unheeded, as some file systems refuse to flush a folder
    Rename,      // the new file renamed over the target
};
using SaveFault = std::function<int(SaveStage stage, std::uint64_t offset)>;

// Writes bytes to the target. The usual way is a temporary file in the same
// folder, flushed to the disk and then renamed over the target, so that at
// every moment, a power cut included, the folder holds either the old file or
// the whole new one; the new file takes the old one's owner and group, mode,
// access list and extended attributes first (a file saved for the first time
// gets what the system gives any new file in the folder: its default access
// list, or the umask where it has none). Where this user cannot give it
// all of them, or the file has more than one link (each would keep the old
// content), the file is written in place instead. A target that nobody may
// write (no write bit in its mode) is refused as the runtime refuses it, even
// for a user whom the system would let write, and so is a file that may only
// be appended to.
// A failure is raised as a run-time error whose description gives the reason
// before the file's name; `fault` stages failures in its steps.
void replaceFile(const std::filesystem::path& name, const std::string& bytes, const SaveFault& fault = {});

// The bytes of a calculation file. Only a regular file is read: a device or a
// named pipe could be read without end or block the program, so the file is
// opened without waiting and looked at before a byte of it is read. A missing
// file is run-time error 53, a read that fails 57; a file that is not a
// regular file or is larger than 1 MB is 75, and so is one this user may not
// read, a loop of links and a name too long, each named as such.
std::string readWholeFile(const std::filesystem::path& file);

}  // namespace morvane
