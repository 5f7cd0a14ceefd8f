#include "themes/unzip.h"

#include <vector>

#include "formats/path_text.h"

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
  std::string prefix;
  for (std::size_t i = 0; i <= name.size(); ++i) {
    if (i < name.size() && name[i] != '/') continue;
    if (i == name.size() && !withLeaf) break;
    std::string path = below(files, folder, name.substr(0, i));
    FileInfo info = files.info(path);
    if (info.exists && !info.isFolder) return false;
    if (!info.exists && !files.createFolder(path)) return false;
  }
  return true;
}

}  // namespace

ZipResult unzipInto(Files& files, const std::string& archive, const std::string& targetFolder) {
  const char sep = files.separator();
  Bytes bytes = files.readFile(archive);
  if (bytes.empty()) return kZipNotAnArchive;
  auto decode = [&files](const Bytes& raw, std::string& utf8) {
    std::optional<std::string> text = files.chineseCodePageToUtf8(raw);
    if (text) utf8 = *text;
    return text.has_value();
  };
  std::vector<ZipMember> members;
  ZipResult result = listZip(bytes, decode, members);
  if (result != kZipOk) return result;

  // A member may not turn an existing file into a folder or the other way round.
  for (const ZipMember& m : members) {
    FileInfo existing = files.info(below(files, targetFolder, m.name));
    if (existing.exists && existing.isFolder != m.folder) return kZipNameClash;
  }

  const std::string library = folderOf(targetFolder, std::string_view(&sep, 1));
  if (!library.empty() && !files.exists(library) && !files.createFolder(library)) return kZipWriteFailed;
  const std::string staging = library + sep + ".lumaset-unpacking";
  if (files.exists(staging)) files.deleteFolder(staging);
  if (!files.createFolder(staging)) return kZipWriteFailed;

  result = readZip(bytes, decode, [&](const ZipMember& m, const Bytes& data) {
    if (m.folder) return makeFolders(files, staging, m.name, true);
    return makeFolders(files, staging, m.name, false) && files.writeFile(below(files, staging, m.name), data);
  });
  if (result == kZipOk) {
    if (!files.exists(targetFolder) && !files.createFolder(targetFolder)) result = kZipWriteFailed;
    for (const ZipMember& m : members) {
      if (result != kZipOk) break;
      bool placed = m.folder ? makeFolders(files, targetFolder, m.name, true)
                             : makeFolders(files, targetFolder, m.name, false) &&
                                   files.copyFile(below(files, staging, m.name), below(files, targetFolder, m.name));
      if (!placed) result = kZipWriteFailed;
    }
  }
  files.deleteFolder(staging);
  return result;
}

}  // namespace lumaset
