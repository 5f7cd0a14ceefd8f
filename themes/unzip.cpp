#include "themes/unzip.h"

#include <vector>

#include "formats/path_text.h"
#include "themes/theme_folder.h"

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

// Moves the unpacked members from `staging` into `target`, replacing files of the same
// name and keeping the others.
ZipResult mergeInto(Files& files, const std::string& staging, const std::string& target,
                    const std::vector<ZipMember>& members) {
  // A new theme is the work folder itself, renamed.
  if (!files.exists(target)) return files.moveFile(staging, target) ? kZipOk : kZipWriteFailed;
  for (const ZipMember& m : members) {
    if (m.folder) {
      if (!makeFolders(files, target, m.name, true)) return kZipWriteFailed;
      continue;
    }
    const std::string to = below(files, target, m.name);
    if (!makeFolders(files, target, m.name, false)) return kZipWriteFailed;
    if (files.exists(to) && !files.removeFile(to)) return kZipWriteFailed;
    if (!files.moveFile(below(files, staging, m.name), to)) return kZipWriteFailed;
  }
  return kZipOk;
}

}  // namespace

ZipResult unzipInto(Files& files, const std::string& archive, const std::string& targetFolder) {
  const char sep = files.separator();
  Bytes bytes = files.readFile(archive);
  if (bytes.empty()) return kZipNotAnArchive;
  auto gbk = [&files](const std::string& raw) { return files.chineseCodePageToUtf8(raw); };
  std::vector<ZipMember> members;
  ZipResult result = listZip(bytes, gbk, members);
  if (result != kZipOk) return result;

  // A member may not turn an existing file into a folder or the other way round.
  const bool merging = files.exists(targetFolder);
  for (const ZipMember& m : merging ? members : std::vector<ZipMember>{}) {
    FileInfo existing = files.info(below(files, targetFolder, m.name));
    if (existing.exists && existing.isFolder != m.folder) return kZipNameClash;
  }

  const std::string library = folderOf(targetFolder, std::string_view(&sep, 1));
  if (!library.empty() && !files.exists(library) && !files.createFolder(library)) return kZipWriteFailed;
  // What an import that broke off left behind goes first.
  const std::string staging = library + sep + kUnpackingFolder;
  if (files.exists(staging)) files.deleteFolder(staging);
  if (!files.createFolder(staging)) return kZipWriteFailed;

  result = readZip(bytes, gbk, [&](const ZipMember& m, const Bytes& data) {
    if (m.folder) return makeFolders(files, staging, m.name, true);
    return makeFolders(files, staging, m.name, false) && files.writeNewFile(below(files, staging, m.name), data);
  });
  // One flush for the whole package, then the files are moved into place.
  if (result == kZipOk && !files.flushFolder(staging)) result = kZipWriteFailed;
  if (result == kZipOk) result = mergeInto(files, staging, targetFolder, members);
  if (files.exists(staging)) files.deleteFolder(staging);
  return result;
}

}  // namespace lumaset
