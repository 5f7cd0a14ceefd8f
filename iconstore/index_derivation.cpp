#include "iconstore/index_derivation.h"

#include <set>

#include "iconstore/index_format.h"
#include "iconstore/host_images.h"

namespace lumaset {
namespace {

// The record with its LowRes and HighRes offset and length fields blanked.
Bytes withoutImageSlots(Bytes record, IndexLayout layout) {
  for (const Pack pack : {Pack::LowRes, Pack::HighRes}) {
    record.replace(offsetField(layout, pack), 4, 4, '\0');
    record.replace(lengthField(layout, pack), 4, 4, '\0');
  }
  return record;
}

}  // namespace

bool derivedByAppending(const RecordTable& base, const RecordTable& candidate, PackSizes baseSizes) {
  if (base.layout != candidate.layout || base.count() != candidate.count()) return false;
  const std::vector<std::size_t> changed = changedRecords(base);
  const std::set<std::size_t> replaceable(changed.begin(), changed.end());
  for (std::size_t n = 1; n <= base.count(); ++n) {
    if (base.records[n - 1] == candidate.records[n - 1]) continue;
    if (!replaceable.count(n)) return false;
    if (withoutImageSlots(base.records[n - 1], base.layout) != withoutImageSlots(candidate.records[n - 1], base.layout))
      return false;
    for (const Pack pack : {Pack::LowRes, Pack::HighRes}) {
      if (base.offset(n, pack) == candidate.offset(n, pack) && base.length(n, pack) == candidate.length(n, pack))
        continue;
      const std::uint64_t size = pack == Pack::LowRes ? baseSizes.low : baseSizes.high;
      if (candidate.offset(n, pack) < 0 || static_cast<std::uint64_t>(candidate.offset(n, pack)) < size) return false;
    }
  }
  return true;
}

}  // namespace lumaset
