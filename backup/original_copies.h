// Every copy on disk that may hold the original of a host file (its backup copy, its
// second copy, and every copy set aside in the lumaset_BAK_old folders), and which of them
// is the original. A record can be lost, stale or written by anyone who may write the
// folder; the bytes cannot lie about which copy the host's file was made from, so where
// they speak they decide, and no copy is ever overwritten: one that must be replaced is
// set aside first.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "backup/edit_session.h"

namespace lumaset {

struct CopyOnDisk {
  std::string path;
  std::uint64_t size = 0;
  std::string sha256;
  Bytes bytes;  // the original's bytes, for the index and the language file
};

// The copies of a key that exist: the backup copy, the second copy, then the copies set
// aside (the previous backup first).
std::vector<std::string> candidateCopies(EditSession& s, const std::string& key);

// The original of the index or the language file among its candidate copies: the one
// the host's file equals or carries the program's addition over; else, when the host's
// file was changed by someone else, the one the record names; else the one that both
// current copies hold. Nothing when they disagree and nothing decides.
std::optional<CopyOnDisk> originalOf(EditSession& s, const std::string& key);

// Whether the host's index or language file is one of the copies on disk, or one with the
// program's addition: the backup was made from this host.
bool hostMadeFromCopies(EditSession& s, const std::string& key);

// Whether the host's file is a candidate original with the program's addition: the index
// derived from a candidate index by appending, a pack that begins with a candidate pack
// and is longer, the language file a candidate with the startup-text block. Such a file is
// the program's, never an update, whatever the record says.
bool carriesProgramAddition(EditSession& s, const std::string& key);

// Whether a pack copy of `copySize` bytes was cut short: an image the backed-up index
// names in that pack ends past it yet within the host's pack. The host's bytes there are
// the original's, never the program's addition.
bool copyCutShort(EditSession& s, const std::string& key, std::uint64_t copySize);

// Moves the file at `path` (a copy in a backup folder) into that folder's lumaset_BAK_old:
// under its own name when that is free, else under its name with ".2", ".3", ...; removes
// it instead when a copy set aside in either lumaset_BAK_old has its bytes. False when it
// could not be moved.
bool setCopyAside(EditSession& s, const std::string& path);

// Writes `bytes` as the copy at `path`, setting aside what stands there unless it holds
// those bytes already.
bool replaceCopy(EditSession& s, const std::string& path, const Bytes& bytes);

}  // namespace lumaset
