#include "themes/import.h"

#include <cctype>

#include "platform/unzip.h"
#include "themes/theme_folder.h"

namespace lumaset {

PathParts pathParts(const std::string& path, char sep) {
  PathParts parts;
  std::size_t slash = path.find_last_of(sep);
  parts.file = slash == std::string::npos ? path : path.substr(slash + 1);
  std::size_t dot = parts.file.find_last_of('.');
  parts.base = dot == std::string::npos ? parts.file : parts.file.substr(0, dot);
  std::size_t pathDot = path.find_last_of('.');
  parts.extension = pathDot == std::string::npos ? path : path.substr(pathDot + 1);
  return parts;
}

bool unpackThemePackage(Context& ctx, const std::string& path) {
  PathParts parts = pathParts(path, ctx.sep());
  std::string target = themeLibrary(ctx) + ctx.sep() + parts.base;
  int result = unzipInto(ctx.files, path, target);
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
