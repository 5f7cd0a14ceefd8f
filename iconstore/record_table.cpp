#include "iconstore/record_table.h"

#include "iconstore/index_format.h"

namespace lumaset {
namespace {

bool valid(const RecordTable& table, std::size_t number) { return number >= 1 && number <= table.count(); }

// A record's fields of the pack: none when the layout lacks the pack.
bool hasFields(const RecordTable& table, std::size_t number, Pack pack) {
  return valid(table, number) && static_cast<int>(pack) < packCount(table.layout);
}

}  // namespace

int packCount(IndexLayout layout) { return layout == IndexLayout::FourPack ? 4 : 2; }

std::string RecordTable::name(std::size_t number) const {
  if (!valid(*this, number)) return {};
  const Bytes& record = records[number - 1];
  std::size_t end = record.find('\0');
  // A name field without a NUL is cut at the field's end.
  if (end == Bytes::npos || end > kNameFieldLength) end = kNameFieldLength;
  return record.substr(0, end);
}

std::int32_t RecordTable::offset(std::size_t number, Pack pack) const {
  return hasFields(*this, number, pack) ? readInt32LE(records[number - 1], offsetField(layout, pack)) : 0;
}

std::int32_t RecordTable::length(std::size_t number, Pack pack) const {
  return hasFields(*this, number, pack) ? readInt32LE(records[number - 1], lengthField(layout, pack)) : 0;
}

bool RecordTable::setOffset(std::size_t number, Pack pack, std::int32_t value) {
  if (!hasFields(*this, number, pack)) return false;
  writeInt32LE(records[number - 1], offsetField(layout, pack), value);
  return true;
}

bool RecordTable::setLength(std::size_t number, Pack pack, std::int32_t value) {
  if (!hasFields(*this, number, pack)) return false;
  writeInt32LE(records[number - 1], lengthField(layout, pack), value);
  return true;
}

}  // namespace lumaset
