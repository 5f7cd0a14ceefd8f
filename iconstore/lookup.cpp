#include "iconstore/lookup.h"

#include "iconstore/index_format.h"

namespace lumaset {

std::size_t findRecord(const RecordTable& table, const std::string& name) {
  for (std::size_t n = 1; n <= table.count(); ++n) {
    if (table.name(n) == name) return n;
  }
  return 0;
}

Bytes lookUpImage(const RecordTable& table, SystemReading& files, const std::string& packFolder, const std::string& name,
                  Pack pack) {
  std::size_t number = findRecord(table, name);
  if (number == 0) return {};
  std::int32_t offset = table.offset(number, pack);
  std::int32_t length = table.length(number, pack);
  if (length < 0) return {};
  if (offset < 0) offset = 0;
  return files.readRange(packFolder + packFile(pack), static_cast<std::uint64_t>(offset),
                         static_cast<std::uint64_t>(length));
}

}  // namespace lumaset
