#include "iconstore/index_bounds.h"

#include "iconstore/host_images.h"
#include "iconstore/index_format.h"

namespace lumaset {
namespace {

// The slots of one record lie 32 bytes apart, LowRes first.
constexpr std::size_t kSlotStride = 32;

bool recordPastPack(const RecordTable& table, std::size_t number, PackSlot slot, std::uint64_t packSize) {
  const auto index = static_cast<std::size_t>(slot);
  const Bytes& record = table.records[number - 1];
  const std::int32_t length = readInt32LE(record, lengthField(table.layout, Pack::LowRes) + kSlotStride * index);
  if (length <= 0) return false;
  const std::int32_t offset = readInt32LE(record, offsetField(table.layout, Pack::LowRes) + kSlotStride * index);
  return offset < 0 || static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(length) > packSize;
}

}  // namespace

int packSlotCount(IndexLayout layout) { return layout == IndexLayout::FourPack ? 4 : 2; }

const char* packSlotFile(PackSlot slot) {
  switch (slot) {
    case PackSlot::LowRes:
      return kLowResPack;
    case PackSlot::HighRes:
      return kHighResPack;
    case PackSlot::XLowRes:
      return kXLowResPack;
    case PackSlot::XHighRes:
      return kXHighResPack;
  }
  return kLowResPack;
}

std::optional<std::size_t> firstRecordPastPack(const RecordTable& table, PackSlot slot, std::uint64_t packSize) {
  for (std::size_t n = 1; n <= table.count(); ++n) {
    if (recordPastPack(table, n, slot, packSize)) return n;
  }
  return std::nullopt;
}

std::optional<std::size_t> changedRecordPastPack(const RecordTable& table, PackSlot slot, std::uint64_t packSize) {
  for (std::size_t n : changedRecords(table)) {
    if (recordPastPack(table, n, slot, packSize)) return n;
  }
  return std::nullopt;
}

std::optional<std::size_t> newRecordPastPack(const RecordTable& table, PackSlot slot, std::uint64_t packSize,
                                             const PackBaseline& baseline) {
  if (std::optional<std::size_t> changed = changedRecordPastPack(table, slot, packSize)) return changed;
  for (std::size_t n = 1; n <= table.count(); ++n) {
    if (!recordPastPack(table, n, slot, packSize)) continue;
    const bool carried = n <= baseline.table.count() && baseline.table.layout == table.layout &&
                         baseline.table.records[n - 1] == table.records[n - 1] &&
                         recordPastPack(baseline.table, n, slot, baseline.packSize);
    if (!carried) return n;
  }
  return std::nullopt;
}

}  // namespace lumaset
