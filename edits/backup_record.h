// The record kept with the backup: the host's ProductVersion when it was backed up, the
// size and SHA-256 of each backed-up file, and for each host file how it looked while it
// held the backup's bytes and how the program's last change left it. With it, each host
// file is known to be untouched since the backup, exactly as the program left it, or
// changed by someone else (see host_file_state.h). A copy of it lies in each backup
// folder, so that the loss of one folder or file leaves the other.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace lumaset {

struct BackedUpFile {
  std::uint64_t size = 0;
  std::string sha256;                    // empty when not known
  std::optional<FileIdentity> identity;  // of the backup copy when its hash was last seen
  bool renewing = false;                 // a refresh began to replace it and was not seen to end
};

struct HostFileMark {
  std::optional<FileIdentity> pristine;  // while it held exactly the backup's bytes
  std::optional<FileIdentity> left;      // as the program's last change left it
  std::uint64_t baseSize = 0;            // with `left`: the backup's bytes it begins with
  std::string appendedSha256;            // with `left`: the hash of the bytes after those
  bool pending = false;                  // a change began and was not seen to end
};

// Which look the host's images show: its own, a theme's (by the theme's name) or the
// custom page's images; Unknown when nothing proves one.
enum class LookKind { Unknown, Own, Theme, Custom };
struct HostLook {
  LookKind kind = LookKind::Unknown;
  std::string theme;  // with Theme
  bool operator==(const HostLook&) const = default;
};
// "own", "theme", "custom" or "unknown": the kind's word in the record and in the
// command line's status.
const char* lookKindName(LookKind kind);

// How the last apply was asked for, so that it can be made again once an update of the
// host has taken it off: its startup-text toggle and, for the custom images, the path of
// each slot (empty for a slot that kept the backed-up image).
struct AppliedRequest {
  std::optional<bool> startupTextToggle;  // not known in a record of an older release
  std::vector<std::string> images;        // with LookKind::Custom: six paths
  bool operator==(const AppliedRequest&) const = default;
};

struct BackupRecord {
  std::uint64_t generation = 0;  // counts the saves: of two copies the higher is the newer
  std::string productVersion;
  // The host's Resources folder the backup was made in, as the system names it: a backup
  // moved in from another installation shows itself by it. Empty in a record of an older
  // release.
  std::string resources;
  std::map<std::string, BackedUpFile> backups;  // by the host file's name
  std::map<std::string, HostFileMark> host;     // by the host file's name
  // What the program's last change gave the host's images; Unknown in a record of an
  // older release, which did not keep it.
  HostLook applied;
  AppliedRequest appliedWith;  // with a theme or the custom images
};

std::string serialiseRecord(const BackupRecord& record);
// Nothing when the text is not a whole record (a damaged or foreign file).
std::optional<BackupRecord> parseRecord(const std::string& text);

}  // namespace lumaset
