// Whether an index and its packs belong together: every image that the index names in a
// pack must lie within that pack's bytes, or the host finds no splash and no icons.
#pragma once
#include <cstdint>
#include <optional>

#include "iconstore/record_table.h"

namespace lumaset {

// The first record (1-based) that names bytes past `packSize` in the pack, or
// nothing when every image lies inside. A record with a length of 0 or below names no
// image; one with a negative offset and a positive length names bytes that are not there.
// Every record is looked at: an update that appends to a pack shows itself so.
std::optional<std::size_t> firstRecordPastPack(const RecordTable& table, Pack pack, std::uint64_t packSize);

// The same over the records the program changes and puts back only. The rest of the
// index is the host's own business: real indexes name zero-length images in packs of 4
// bytes, and whatever else they name there is carried as it is, never judged.
std::optional<std::size_t> changedRecordPastPack(const RecordTable& table, Pack pack, std::uint64_t packSize);

// An index and the size of one of its packs, known to belong together (the backup).
struct PackBaseline {
  const RecordTable& table;
  std::uint64_t packSize;
};

// The first record that names bytes past `packSize`, but for records the baseline already
// had past its pack with the same bytes (the host's own oddities, carried as they are).
// The records the program changes are always held to the pack.
std::optional<std::size_t> newRecordPastPack(const RecordTable& table, Pack pack, std::uint64_t packSize,
                                             const PackBaseline& baseline);

}  // namespace lumaset
