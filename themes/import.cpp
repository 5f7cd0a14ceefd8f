#include "themes/import.h"

#include <cctype>

#include "app/name_rules.h"
#include "formats/path_text.h"
#include "themes/theme_folder.h"
#include "themes/unzip.h"

namespace lumaset {

PathParts pathParts(const std::string& path, char sep) {
  PathParts parts;
  parts.file = leafName(path, separatorsFor(sep));
  std::size_t dot = parts.file.find_last_of('.');
  parts.base = dot == std::string::npos ? parts.file : parts.file.substr(0, dot);
  std::size_t pathDot = path.find_last_of('.');
  parts.extension = pathDot == std::string::npos ? path : path.substr(pathDot + 1);
  return parts;
}

namespace {

// The theme folder's name comes from outside; a name that is not one plain entry of the
// library ("..", "", "CON", "a/b") would put the theme, or what the package holds,
// somewhere else, and one of the program's own work folders would be wiped by the
// unpacking. Shows why and returns false for such a name.
bool acceptThemeFolderName(Context& ctx, const std::string& name, const PathParts& parts, const std::string& path) {
  if (isPlainName(name) && !isWorkFolderName(name)) return true;
  ctx.ui.messageBox("主题包名称无效：" + (parts.file.empty() ? path : parts.file), "错误", MessageIcon::Error);
  return false;
}

}  // namespace

bool unpackThemePackage(Context& ctx, const std::string& path) {
  PathParts parts = pathParts(path, ctx.sep());
  if (!acceptThemeFolderName(ctx, parts.base, parts, path)) return false;
  std::string target = themeLibrary(ctx) + ctx.sep() + parts.base;
  ZipResult result = unzipInto(ctx.files, path, target);
  if (result != kZipOk) {
    ctx.ui.messageBox("解压主题包错误：" + target, "错误代码：" + std::to_string(result), MessageIcon::None);
    return false;
  }
  ctx.ui.messageBox("已添加主题：" + parts.file + "\r\n" + target, "添加主题", MessageIcon::None);
  return true;
}

bool importThemePackage(Context& ctx) {
  std::optional<std::string> path = ctx.ui.openFile({"", "zip|*.zip", ""});
  if (!path) return false;
  BusyCursor busy(ctx.ui);
  return unpackThemePackage(ctx, *path);
}

bool importDroppedItem(Context& ctx, const std::string& path) {
  BusyCursor busy(ctx.ui);
  PathParts parts = pathParts(path, ctx.sep());
  FileInfo info = ctx.files.info(path);
  // A path whose attributes cannot be read counts as a folder, as its attributes then
  // read as all bits set.
  if (!info.exists || info.isFolder) {
    if (!acceptThemeFolderName(ctx, parts.file, parts, path)) return false;
    std::string library = themeLibrary(ctx);
    std::string target = library + ctx.sep() + parts.file;
    if (!ctx.files.exists(library)) ctx.files.createFolder(library);
    if (ctx.files.copyFolderInto(path, library)) {
      ctx.ui.messageBox("已添加主题：" + parts.file + "\r\n" + target, "添加主题", MessageIcon::None);
    } else {
      ctx.ui.messageBox("复制主题包错误：" + target, "复制错误", MessageIcon::None);
    }
    return true;
  }
  std::string extension = parts.extension;
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != "zip") return false;
  return unpackThemePackage(ctx, path);
}

}  // namespace lumaset
