// What the record says of a host file now.
#pragma once
#include <string>

#include "edits/backup_record.h"
#include "platform/files.h"

namespace lumaset {

enum class HostFileState {
  Untouched,  // as it was while it held the backup's bytes
  AsLeft,     // exactly as the program's last change left it: the backup's bytes and the
              // program's appendix (proven by its identity and the appendix's hash)
  Foreign,    // changed by someone else since
  Unknown,    // no record of it, or a change of the program that was not seen to end
};

HostFileState hostFileState(SystemReading& files, const std::string& path, const HostFileMark* mark);

// The SHA-256 of the bytes of a file from `offset` to its end (an appendix: small).
// Both hashes tell `progress` the bytes they read.
std::string tailSha256(SystemReading& files, const std::string& path, std::uint64_t offset,
                       WorkProgress* progress = nullptr);
// The SHA-256 of the first `length` bytes of a file, read piece by piece (a pack may be
// large); empty when the file is shorter.
std::string prefixSha256(SystemReading& files, const std::string& path, std::uint64_t length,
                         WorkProgress* progress = nullptr);

}  // namespace lumaset
