// A document file on the disk: read whole, and replaced so that neither a
// failure nor a power cut loses what the file held, and so that the file keeps
// its owner and group, mode, access list and extended attributes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace morvane {

// Writes bytes to the target. The usual way is a temporary file in the same
// folder, flushed to the disk and then renamed over the target, so that at
// every moment, a power cut included, the folder holds either the old file or
// the whole new one; the new file takes the old one's owner and group, mode,
// access list and extended attributes first. Where this user cannot give it
// all of them, or the file has more than one link (each would keep the old
// content), the file is written in place instead. A target that nobody may
// write (no write bit in its mode) is refused as the runtime refuses it, even
// for a user whom the system would let write.
// A failure is raised as a run-time error whose description gives the reason
// before the file's name.
void replaceFile(const std::filesystem::path& name, const std::string& bytes);

// For tests only: failures staged in the writes of a save. Called before each
// block of up to 4 KB is written, with the stage and the block's offset in its
// file; an error number other than 0 fails that write with it.
enum class SaveStage {
    Temporary,  // the new file under its temporary name
    Backup,     // the old bytes into the backup (writing in place)
    InPlace,    // the new bytes over the old ones
    Restore,    // the old bytes back from the backup
};
using SaveFault = int (*)(SaveStage stage, std::uint64_t offset);
void setSaveFaultForTests(SaveFault fault);  // nullptr: no failures

// The bytes of a calculation file. Only a regular file is read: a device or a
// named pipe could be read without end or block the program, so the file is
// opened without waiting and looked at before a byte of it is read. A missing
// file is run-time error 53, one that is not a regular file or is larger than
// 1 MB 75, a read that fails 57.
std::string readWholeFile(const std::filesystem::path& file);

}  // namespace morvane
