// Whether an index is an index that the program derived from another: the same bytes but
// for the offsets and lengths of the first records of the images it replaces, each now
// naming bytes that were appended past the other index's packs. Such an index carries a
// theme over the other; any other difference is someone else's.
#pragma once
#include <cstdint>

#include "iconstore/record_table.h"

namespace lumaset {

struct PackSizes {
  std::uint64_t low = 0;
  std::uint64_t high = 0;
};

bool derivedByAppending(const RecordTable& base, const RecordTable& candidate, PackSizes baseSizes);

}  // namespace lumaset
