#include "iconstore/index_bounds.h"

#include "iconstore/host_images.h"

namespace lumaset {
namespace {

bool recordPastPack(const RecordTable& table, std::size_t number, Pack pack, std::uint64_t packSize) {
  const std::int32_t length = table.length(number, pack);
  if (length <= 0) return false;
  const std::int32_t offset = table.offset(number, pack);
  return offset < 0 || static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(length) > packSize;
}

}  // namespace

std::optional<std::size_t> firstRecordPastPack(const RecordTable& table, Pack pack, std::uint64_t packSize) {
  for (std::size_t n = 1; n <= table.count(); ++n) {
    if (recordPastPack(table, n, pack, packSize)) return n;
  }
  return std::nullopt;
}

std::optional<std::size_t> changedRecordPastPack(const RecordTable& table, Pack pack, std::uint64_t packSize) {
  for (std::size_t n : changedRecords(table)) {
    if (recordPastPack(table, n, pack, packSize)) return n;
  }
  return std::nullopt;
}

std::optional<std::size_t> newRecordPastPack(const RecordTable& table, Pack pack, std::uint64_t packSize,
                                             const PackBaseline& baseline) {
  if (std::optional<std::size_t> changed = changedRecordPastPack(table, pack, packSize)) return changed;
  for (std::size_t n = 1; n <= table.count(); ++n) {
    if (!recordPastPack(table, n, pack, packSize)) continue;
    const bool carried = n <= baseline.table.count() && baseline.table.layout == table.layout &&
                         baseline.table.records[n - 1] == table.records[n - 1] &&
                         recordPastPack(baseline.table, n, pack, baseline.packSize);
    if (!carried) return n;
  }
  return std::nullopt;
}

}  // namespace lumaset
