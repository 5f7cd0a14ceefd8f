#include "backup/host_damage.h"

#include "formats/png.h"
#include "iconstore/host_images.h"
#include "iconstore/index_format.h"
#include "run/index_reading.h"

namespace lumaset {

std::optional<std::string> damagedHostFile(SystemReading& files, const BackupLayout& b) {
  std::optional<Bytes> bytes = readIndexFile(files, b.hostFile(kIndexFile));
  const DecodedIndex index = bytes ? decodeIndex(*bytes) : DecodedIndex{IndexProblem::Empty, {}, 0};
  if (index.problem != IndexProblem::None) return std::string(kIndexFile);
  for (std::size_t n : changedRecords(index.table)) {
    for (const Pack pack : {Pack::LowRes, Pack::HighRes}) {
      const std::int64_t length = index.table.length(n, pack), offset = index.table.offset(n, pack);
      if (length <= 0) continue;  // no image in this pack
      const std::string path = b.hostFile(packFile(pack));
      const FileInfo info = files.info(path);
      const bool inside = offset >= 0 && info.exists && static_cast<std::uint64_t>(offset + length) <= info.size;
      if (!inside || !startsWithPngSignature(files.readRange(path, static_cast<std::uint64_t>(offset), 8)))
        return std::string(packFile(pack));
    }
  }
  return std::nullopt;
}

}  // namespace lumaset
