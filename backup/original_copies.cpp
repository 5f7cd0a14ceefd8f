#include "backup/original_copies.h"

#include <algorithm>

#include "edits/host_file_state.h"
#include "formats/path_text.h"
#include "formats/sha256.h"
#include "formats/startup_text_marker.h"
#include "iconstore/index_derivation.h"
#include "iconstore/index_format.h"
#include "run/index_reading.h"

namespace lumaset {
namespace {

std::string fileNameOf(const BackupLayout& b, const std::string& key) {
  return key == kLanguageKey ? b.languageFileName : key;
}

// "NAME.2", "NAME.3", ...: a copy that was set aside beside an earlier one.
bool isAsideName(const std::string& file, const std::string& name) {
  if (file.size() <= name.size() + 1 || file.compare(0, name.size(), name) != 0 || file[name.size()] != '.')
    return false;
  return file.find_first_not_of("0123456789", name.size() + 1) == std::string::npos;
}

bool isFile(SystemReading& files, const std::string& path) {
  const FileInfo info = files.info(path);
  return info.exists && !info.isFolder;
}

std::optional<RecordTable> decoded(const Bytes& bytes) {
  DecodedIndex index = decodeIndex(bytes);
  if (index.problem != IndexProblem::None) return std::nullopt;
  return std::move(index.table);
}

// The sizes of the backed-up packs, for telling appended images from the packs' own: the
// copies on disk where they are. A lost one counts as empty (every image may be the
// program's), never as what the record says: the record is what is being weighed.
PackSizes backedUpPackSizes(EditSession& s) {
  auto size = [&](const char* pack) -> std::uint64_t {
    const FileInfo copy = s.files().info(s.layout().backupFile(pack));
    return copy.exists && !copy.isFolder ? copy.size : 0;
  };
  return {size(kLowResPack), size(kHighResPack)};
}

// The bytes a small candidate stands for: the language copy of an older release may
// carry the program's block, which is never part of an original.
Bytes candidateBytes(EditSession& s, const std::string& key, const std::string& path) {
  if (key == kIndexFile) return readIndexFile(s.files(), path).value_or(Bytes());
  return withoutStartupTextBlocks(s.files().readFile(path));
}

// Whether the host's file is `original`, or `original` with the program's addition.
bool explains(EditSession& s, const std::string& key, const Bytes& host, const Bytes& original, bool allowEqual) {
  if (host == original) return allowEqual;
  if (key == kLanguageKey) {
    const std::optional<std::size_t> block = startupTextBlockStart(host);
    return block && *block == original.size() && host.compare(0, *block, original) == 0;
  }
  const std::optional<RecordTable> base = decoded(original), now = decoded(host);
  return base && now && derivedByAppending(*base, *now, backedUpPackSizes(s));
}

Bytes hostBytes(EditSession& s, const std::string& key) {
  const std::string path = s.layout().hostPath(key);
  return key == kIndexFile ? readIndexFile(s.files(), path).value_or(Bytes()) : s.files().readFile(path);
}

}  // namespace

std::vector<std::string> candidateCopies(EditSession& s, const std::string& key) {
  const BackupLayout& b = s.layout();
  std::vector<std::string> paths;
  auto add = [&](const std::string& path) {
    if (!path.empty() && isFile(s.files(), path) && std::find(paths.begin(), paths.end(), path) == paths.end())
      paths.push_back(path);
  };
  add(b.backupPath(key));
  add(b.secondCopyPath(key));
  const std::string name = fileNameOf(b, key);
  if (name.empty()) return paths;
  for (const std::string& old : {b.iconBackupOld, b.languageBackupOld}) {
    add(old + b.sep + name);
    std::vector<std::string> aside;
    for (const std::string& file : s.files().fileNames(old))
      if (isAsideName(file, name)) aside.push_back(file);
    std::sort(aside.begin(), aside.end(), [](const std::string& x, const std::string& y) {
      return x.size() != y.size() ? x.size() < y.size() : x < y;
    });
    for (const std::string& file : aside) add(old + b.sep + file);
  }
  return paths;
}

std::optional<CopyOnDisk> originalOf(EditSession& s, const std::string& key) {
  struct Seen {
    CopyOnDisk copy;
    Bytes bytes;
    bool current;  // the backup copy or the second copy, not one set aside
  };
  const BackupLayout& b = s.layout();
  const Bytes host = hostBytes(s, key);
  std::vector<Seen> seen;
  for (const std::string& path : candidateCopies(s, key)) {
    Bytes bytes = candidateBytes(s, key, path);
    if (bytes.empty() || (key == kIndexFile && !decoded(bytes))) continue;
    const bool current = path == b.backupPath(key) || path == b.secondCopyPath(key);
    const std::string sha = sha256Hex(bytes);
    seen.push_back({{path, bytes.size(), sha, bytes}, std::move(bytes), current});
  }
  // The one distinct content among those that pass `keep`, if there is exactly one.
  auto sole = [&](auto keep) -> std::optional<CopyOnDisk> {
    std::optional<CopyOnDisk> found;
    for (const Seen& c : seen) {
      if (!keep(c)) continue;
      if (found && found->sha256 != c.copy.sha256) return std::nullopt;
      if (!found) found = c.copy;
    }
    return found;
  };
  // The host's file shows which copy it was made from: exactly it, or it with the
  // program's addition. Several copies alike in that are weighed by the record.
  const BackedUpFile* known = s.record().backup(key);
  auto explained = [&](const Seen& c) { return !host.empty() && explains(s, key, host, c.bytes, true); };
  if (std::optional<CopyOnDisk> one = sole(explained)) return one;
  const bool anyExplained = std::any_of(seen.begin(), seen.end(), explained);
  if (known) {
    for (const Seen& c : seen)
      if (c.copy.sha256 == known->sha256 && c.copy.size == known->size && (!anyExplained || explained(c)))
        return c.copy;
  }
  if (anyExplained) return sole([&](const Seen& c) { return c.current && explained(c); });
  // Nothing on the host tells (an update replaced it): the copies decide only while no
  // record names other bytes.
  if (known) return std::nullopt;
  return sole([](const Seen& c) { return c.current; });
}

bool hostMadeFromCopies(EditSession& s, const std::string& key) {
  const Bytes host = hostBytes(s, key);
  if (host.empty()) return false;
  for (const std::string& path : candidateCopies(s, key)) {
    if (explains(s, key, host, candidateBytes(s, key, path), true)) return true;
  }
  return false;
}

bool carriesProgramAddition(EditSession& s, const std::string& key) {
  const std::string host = s.layout().hostPath(key);
  if (isSmallFile(key)) {
    const Bytes bytes = hostBytes(s, key);
    for (const std::string& path : candidateCopies(s, key)) {
      if (explains(s, key, bytes, candidateBytes(s, key, path), false)) return true;
    }
    return false;
  }
  // A pack is the program's only beside an index that is: an update may append to a
  // pack too, but then its own index names what follows.
  if (!carriesProgramAddition(s, kIndexFile)) return false;
  const std::uint64_t hostSize = s.files().info(host).size;
  for (const std::string& path : candidateCopies(s, key)) {
    const std::uint64_t size = s.files().info(path).size;
    if (size < hostSize &&
        prefixSha256(s.files(), host, size, s.progress()) == prefixSha256(s.files(), path, size, s.progress()))
      return true;
  }
  return false;
}

bool copyCutShort(EditSession& s, const std::string& key, std::uint64_t copySize) {
  std::optional<Bytes> bytes = readIndexFile(s.files(), s.layout().backupFile(kIndexFile));
  if (!bytes) return false;
  const DecodedIndex original = decodeIndex(*bytes);
  if (original.problem != IndexProblem::None) return false;
  const std::uint64_t hostSize = s.files().info(s.layout().hostFile(key)).size;
  for (int i = 0; i < packCount(original.table.layout); ++i) {
    const auto pack = static_cast<Pack>(i);
    if (key != packFile(pack)) continue;
    for (std::size_t n = 1; n <= original.table.count(); ++n) {
      const std::int64_t length = original.table.length(n, pack), offset = original.table.offset(n, pack);
      if (length <= 0 || offset < 0) continue;
      const auto end = static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(length);
      if (end > copySize && end <= hostSize) return true;
    }
  }
  return false;
}

bool setCopyAside(EditSession& s, const std::string& path) {
  const BackupLayout& b = s.layout();
  const std::vector<std::string> parts = splitPath(path, separatorsFor(b.sep));
  const std::string folder = folderOf(path, separatorsFor(b.sep));
  if (parts.empty() || folder.empty()) return false;
  const std::string name = parts.back();
  const FileInfo info = s.files().info(path);
  const std::string sha = info.isFolder ? std::string() : prefixSha256(s.files(), path, info.size, s.progress());
  // A copy with the same bytes set aside already, in either folder: nothing is lost
  // without this one. A folder at a copy's place is moved aside whole.
  for (const std::string& old : {b.iconBackupOld, b.languageBackupOld}) {
    if (info.isFolder) break;
    for (const std::string& file : s.files().fileNames(old)) {
      if (file != name && !isAsideName(file, name)) continue;
      const std::string there = old + b.sep + file;
      if (s.files().info(there).size == info.size && prefixSha256(s.files(), there, info.size, s.progress()) == sha)
        return s.edit().removeFile(path);
    }
  }
  const std::string old = folder + "_old";
  if (!s.files().exists(old) && !s.edit().createFolder(old)) return false;
  for (int n = 1;; ++n) {
    // Built in steps: GCC 12 warns of an overlapping copy in `"." + std::to_string(n)`.
    std::string target = old + b.sep + name;
    if (n > 1) {
      target += '.';
      target += std::to_string(n);
    }
    if (!s.files().info(target).exists) return s.edit().moveFile(path, target);
  }
}

bool replaceCopy(EditSession& s, const std::string& path, const Bytes& bytes) {
  const FileInfo info = s.files().info(path);
  if (info.exists) {
    if (!info.isFolder && info.size == bytes.size() && s.files().readFile(path) == bytes) return true;
    if (!setCopyAside(s, path)) return false;
  }
  return s.edit().writeFile(path, bytes);
}

}  // namespace lumaset
