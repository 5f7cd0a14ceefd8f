// Putting new images in place of named images of the host: each image is appended to
// the end of its pack, the first record of its name is pointed at it, and the index is
// written anew from the record table.
#pragma once
#include <string>
#include <vector>

#include "edits/host_edit.h"
#include "iconstore/record_table.h"
#include "platform/interaction.h"

namespace lumaset {

struct Replacement {
  std::string resource;  // e.g. "Splash1080Background"
  Pack pack;
  std::string imagePath;
};

// Replaces the images in the given order. Every image file is read and checked first
// (it must exist, be a file, and start with the PNG signature) and a resource must be
// named by a record; a replacement that fails a check is refused with a message and
// changes nothing. The accepted images then go to the end of their packs, one write
// per pack keeping their order, and only after every pack write succeeded is the index
// written, so that the index on disk never points at bytes that are not there. The
// result on disk is that of appending the images one by one.
enum class ReplaceOutcome {
  Done,         // every replacement made
  Refused,      // some were refused with a message, the others made
  WriteFailed,  // a pack or the index could not be written: reported, record table unchanged
};
// `table` is the record table of the index at `indexPath`, whose packs lie beside it; it
// is patched only when the index was written. Refusals and failures are reported through
// `ui`.
ReplaceOutcome replaceImages(HostEdit& edit, Interaction& ui, RecordTable& table, const std::string& indexPath,
                             const std::vector<Replacement>& replacements);

// A pack may not reach 2^31 bytes: its offsets are signed 32-bit numbers.
inline constexpr std::uint64_t kPackLimit = 1ull << 31;

}  // namespace lumaset
