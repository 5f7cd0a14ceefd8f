#include "run/host_location.h"

#include "run/host_paths.h"
#include "run/name_rules.h"
#include "run/settings.h"
#include "run/version.h"
#include "formats/path_text.h"

namespace lumaset {
namespace {

std::optional<std::string> askFile(Context& ctx, const OpenFileRequest& request) {
  std::optional<std::string> picked = ctx.ui.openFile(request);
  // A folder is no file: the host's paths are built from the file's folder.
  if (!picked) return std::nullopt;
  const FileInfo info = ctx.files.info(*picked);
  if (!info.exists || info.isFolder) return std::nullopt;
  return picked;
}

void tellVersion(Context& ctx, const std::string& productVersion, float version) {
  const std::string& host = ctx.state.hostFolder;
  if (versionAtLeast(version, 16)) {
    ctx.ui.messageBox("选择的 Photoshop 版本为：" + productVersion +
                          "\r\n本程序在 Photoshop CC2015.1.2（16.1.2）下测试通过，理论上适用于所有 CC2015 "
                          "（16.x.x）、CC2017 （18.0）版本。\r\n可以对你的 Photoshop 使用，但也请做好备份以免意外。"
                          "\r\n修改启动图将修改以下文件夹内的内容：\r\n" +
                          host + "Locales\r\n" + host + "Resources",
                      "可以使用", MessageIcon::None);
  } else {
    ctx.ui.messageBox("选择的 Photoshop 版本为：" + productVersion +
                          "\r\n本程序适用于 Photoshop CC2015（16.x.x）、CC2017 （18.0）版本，未对其他版本作测试，"
                          "不适用于你的 Photoshop 版本。",
                      "不适用的版本", MessageIcon::None);
  }
}

enum class LanguageFound { Found, NoChinese, NotPicked };

// Settles the language file in the run state: the one the version calls for, or one the
// user picks by hand when that is missing. A host without a zh_CN folder (an installation
// in another language) is not asked about: it has none.
LanguageFound findLanguageFile(Context& ctx) {
  RunState& st = ctx.state;
  const char sep = ctx.sep();
  if (ctx.files.exists(ctx.languageFilePath())) return LanguageFound::Found;
  const std::string locales = withTrailingSeparator(st.hostFolder, sep) + "Locales" + sep;
  if (!ctx.files.info(locales + "zh_CN").isFolder) return LanguageFound::NoChinese;
  ctx.ui.messageBox("语言文件不存在：" + ctx.languageFilePath() +
                        "\r\n你可以在 Photoshop 安装目录下 Locales 文件夹中手动找 .dat 后缀名的语言文件",
                    "无效路径", MessageIcon::None);
  std::optional<std::string> picked = ctx.ui.openFile({"", "*.dat|*.dat", locales});
  if (!picked) return LanguageFound::NotPicked;
  const FileInfo info = ctx.files.info(*picked);
  if (!info.exists || info.isFolder) return LanguageFound::NotPicked;
  // The picked file is the one that backup, restore and the startup text work on, now
  // and after a restart.
  std::string folder = folderWithSeparator(*picked, sep);
  st.languageFolder = folder.empty() ? folder : folder.substr(0, folder.size() - 1);
  st.languageFileName = leafName(*picked, sep);
  return st.languageFolder.empty() || st.languageFileName.empty() ? LanguageFound::NotPicked : LanguageFound::Found;
}

}  // namespace

void settleLanguageBackupFolder(Context& ctx) {
  RunState& st = ctx.state;
  st.languageBackupFolder = st.hostFolder + "Locales_BAK";
  if (!ctx.files.exists(st.languageBackupFolder) && !ctx.files.createFolder(st.languageBackupFolder)) {
    ctx.ui.messageBox("创建语言文件备份路径失败：" + st.languageBackupFolder, "错误", MessageIcon::None);
  }
}

bool hostPathsSettled(const RunState& state, char sep) {
  const std::string& host = state.hostFolder;
  if (host.empty() || host.back() != sep || !isAbsolutePath(host, sep)) return false;
  const bool language = state.languageAbsent() ||
                        (isAbsolutePath(state.languageFolder, sep) && isPlainName(state.languageFileName));
  return state.languageBackupFolder == host + "Locales_BAK" && language;
}

LanguageLocation languageLocationFor(const std::string& hostFolder, float version, char sep) {
  std::string base = withTrailingSeparator(hostFolder, sep) + "Locales" + sep + "zh_CN";
  bool from18 = versionAtLeast(version, 18);
  bool from19 = versionAtLeast(version, 19);
  LanguageLocation location;
  location.folder = (from18 && !from19) ? base : base + sep + "Support Files";
  location.fileName = from18 ? "tw10428_Photoshop_zh_CN.dat" : "tw10428.dat";
  return location;
}

LocateOutcome locateHost(Context& ctx) {
  RunState& st = ctx.state;
  const char sep = ctx.sep();

  std::optional<std::string> exe = askFile(ctx, {"找到 Photoshop 的位置", "Photoshop.exe|Photoshop.exe", ""});
  // An answer without an absolute folder (a bare file name) gives no host folder to
  // build the host's paths from: it counts as no answer.
  if (exe && !isAbsolutePath(folderWithSeparator(*exe, sep), sep)) exe.reset();
  if (!exe) {
    ctx.view.setPathBox(st.hostFolder);
    return LocateOutcome::Cancelled;
  }

  const std::string productVersion = ctx.files.productVersion(*exe);
  const float version = versionFromText(productVersion);
  st.hostFolder = folderWithSeparator(*exe, sep);
  st.currentIndexPath = indexPathFor(st.hostFolder, sep);

  tellVersion(ctx, productVersion, version);
  st.release18OrLater = versionAtLeast(version, 18);

  if (!ctx.files.exists(st.currentIndexPath)) {
    ctx.ui.messageBox("Photoshop IconResources.idx 不存在：" + st.currentIndexPath + "\r\n", "无效路径",
                      MessageIcon::None);
    st.hostFolder.clear();
    st.currentIndexPath.clear();
    st.languageBackupFolder.clear();
    return LocateOutcome::IndexMissing;
  }
  settleLanguageBackupFolder(ctx);

  LanguageLocation language = languageLocationFor(st.hostFolder, version, sep);
  st.languageFolder = language.folder;
  st.languageFileName = language.fileName;

  // A host with a zh_CN folder may carry the program's block in a file it names: only
  // the user's pick settles which, and without one nothing is stored.
  const LanguageFound found = findLanguageFile(ctx);
  if (found == LanguageFound::NotPicked) return LocateOutcome::LanguageMissing;
  const bool withLanguage = found == LanguageFound::Found;
  if (!withLanguage) {
    st.languageFolder.clear();
    st.languageFileName.clear();
    ctx.ui.messageBox(kNoLanguageFileNote, kDefaultCaption, MessageIcon::None);
  }
  storeLocation(ctx, st.hostFolder, version, st.languageFileName, st.languageFolder);
  ctx.view.hostLocated();
  ctx.view.setPathBox(st.hostFolder);
  return withLanguage ? LocateOutcome::Located : LocateOutcome::LocatedWithoutLanguage;
}

}  // namespace lumaset
