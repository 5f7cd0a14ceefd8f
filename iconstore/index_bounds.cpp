#include "iconstore/index_bounds.h"

#include "iconstore/index_format.h"

namespace lumaset {
namespace {

// The slots of one record lie 32 bytes apart, LowRes first.
constexpr std::size_t kSlotStride = 32;

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
  const auto index = static_cast<std::size_t>(slot);
  const std::size_t offsetAt = offsetField(table.layout, Pack::LowRes) + kSlotStride * index;
  const std::size_t lengthAt = lengthField(table.layout, Pack::LowRes) + kSlotStride * index;
  for (std::size_t n = 1; n <= table.count(); ++n) {
    const Bytes& record = table.records[n - 1];
    const std::int32_t length = readInt32LE(record, lengthAt);
    if (length <= 0) continue;
    const std::int32_t offset = readInt32LE(record, offsetAt);
    if (offset < 0 || static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(length) > packSize) return n;
  }
  return std::nullopt;
}

}  // namespace lumaset
