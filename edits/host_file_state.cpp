#include "edits/host_file_state.h"

#include <algorithm>

#include "formats/sha256.h"

namespace lumaset {

std::string tailSha256(SystemReading& files, const std::string& path, std::uint64_t offset, WorkProgress* progress) {
  const Bytes bytes = files.readRange(path, offset, UINT64_MAX);
  expectBytes(progress, bytes.size());
  advanceBytes(progress, bytes.size());
  return sha256Hex(bytes);
}

std::string prefixSha256(SystemReading& files, const std::string& path, std::uint64_t length, WorkProgress* progress) {
  const std::uint64_t piece = 16ull << 20;
  expectBytes(progress, length);
  Sha256 hash;
  for (std::uint64_t at = 0; at < length; at += piece) {
    const Bytes bytes = files.readRange(path, at, std::min(piece, length - at));
    if (bytes.size() != std::min(piece, length - at)) return {};
    hash.update(bytes);
    advanceBytes(progress, bytes.size());
  }
  return hash.hexDigest();
}

HostFileState hostFileState(SystemReading& files, const std::string& path, const HostFileMark* mark) {
  if (!mark || mark->pending || (!mark->pristine && !mark->left)) return HostFileState::Unknown;
  std::optional<FileIdentity> now = files.identity(path);
  if (!now) return HostFileState::Foreign;
  if (mark->pristine && *now == *mark->pristine) return HostFileState::Untouched;
  if (mark->left && *now == *mark->left) {
    // The identity says nothing wrote the file since; the appendix's hash says it is the
    // program's own (a later replacement of equal size and time would show here).
    if (mark->appendedSha256.empty() || tailSha256(files, path, mark->baseSize) == mark->appendedSha256)
      return HostFileState::AsLeft;
  }
  return HostFileState::Foreign;
}

}  // namespace lumaset
