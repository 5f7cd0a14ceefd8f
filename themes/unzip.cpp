#include "themes/unzip.h"

#include <algorithm>
#include <vector>

#include "themes/folder_copy.h"

namespace lumaset {
namespace {

// The member's path below `folder`, with the platform's separator.
std::string below(const Files& files, const std::string& folder, const std::string& name) {
  std::string path = folder + files.separator();
  for (char c : name) path += c == '/' ? files.separator() : c;
  return path;
}

// Creates every missing folder of `name` below `folder` (the last part too when
// `withLeaf` is set).
bool makeFolders(Files& files, const std::string& folder, const std::string& name, bool withLeaf) {
  for (std::size_t i = 0; i <= name.size(); ++i) {
    if (i < name.size() && name[i] != '/') continue;
    if (i == name.size() && !withLeaf) break;
    std::string path = below(files, folder, name.substr(0, i));
    EntryKind kind = files.entryKind(path);
    if (kind != EntryKind::Missing && kind != EntryKind::Folder) return false;
    if (kind == EntryKind::Missing && !files.createFolder(path)) return false;
  }
  return true;
}

bool tooDeep(const std::vector<ZipMember>& members) {
  return std::any_of(members.begin(), members.end(), [](const ZipMember& m) {
    return static_cast<std::size_t>(std::count(m.name.begin(), m.name.end(), '/')) > kImportMaxDepth;
  });
}

}  // namespace

ZipResult unpackPackage(Files& files, const std::string& archive, const std::string& folder) {
  EntryKind kind = files.entryKind(archive);
  if (kind != EntryKind::File && kind != EntryKind::Link) return kZipNotAnArchive;
  // Members are stored at least as small as they unpack, give or take their headers.
  if (files.info(archive).size > 2 * kImportTotalLimit) return kZipTooLarge;
  Bytes bytes = files.readFile(archive);
  if (bytes.empty()) return kZipNotAnArchive;
  auto gbk = [&files](const std::string& raw) { return files.chineseCodePageToUtf8(raw); };
  std::vector<ZipMember> members;
  ZipResult result = listZip(bytes, gbk, members);
  if (result != kZipOk) return result;
  if (tooDeep(members)) return kZipTooLarge;
  return readZip(bytes, gbk, [&](const ZipMember& m, const Bytes& data) {
    if (m.folder) return makeFolders(files, folder, m.name, true);
    return makeFolders(files, folder, m.name, false) && files.writeNewFile(below(files, folder, m.name), data);
  });
}

}  // namespace lumaset
