#include "starttext/startup_text.h"

#include "backup/backup_layout.h"
#include "backup/host_edit_scope.h"
#include "backup/host_record.h"
#include "formats/text_guess.h"
#include "formats/utf.h"
#include "starttext/marker.h"

namespace lumaset {
namespace {

const char* const kRotatingNamesPrefix = "$$$/private/Credits/RotatingNames/";

const char* const kSplashKeys[] = {"AddingExtension",
                                   "BuildingConversionTables",
                                   "BuildingMenus",
                                   "FindingSystemProfiles",
                                   "Initializing",
                                   "InitializingAXE",
                                   "InitializingAssetManagement",
                                   "InitializingColorPrefs",
                                   "InitializingCoreTech",
                                   "InitializingICC",
                                   "InitializingMenus",
                                   "InitializingPalettes",
                                   "InitializingSuitePea",
                                   "InitializingTools",
                                   "InitializingTwain",
                                   "InitializingVM",
                                   "LoadingBrushes",
                                   "LookingForPrefs",
                                   "ReadingBrushes",
                                   "ReadingColorSettings",
                                   "ReadingPrefs",
                                   "ReadingPrefsObjectID",
                                   "ScanningForPlugIns",
                                   "ScanningForPlugIns/NameAppended",
                                   "ScanningForPresets",
                                   "StartingUpPlugIns"};

std::string emptyValueLine(const std::string& key) { return "\"" + key + "=\""; }

}  // namespace

const Bytes& openingBlock() {
  static const Bytes block = utf8ToUtf16le("\r\n//Lumaset v1.0---\r\n");
  return block;
}

const Bytes& closingBlock() {
  static const Bytes block = utf8ToUtf16le("\r\n\r\n//Lum_End---");
  return block;
}

std::vector<std::string> rotatingNameKeys(const Bytes& languageFile) {
  std::string text = utf16leToUtf8(languageFile);
  std::vector<std::string> keys;
  const std::string needle = std::string("\"") + kRotatingNamesPrefix;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
    std::size_t keyStart = at + 1;
    std::size_t keyEnd = text.find_first_of("=\"\r\n", keyStart);
    if (keyEnd == std::string::npos || text[keyEnd] != '=') continue;
    std::string key = text.substr(keyStart, keyEnd - keyStart);
    bool seen = false;
    for (const std::string& k : keys) seen = seen || k == key;
    if (!seen) keys.push_back(key);
  }
  return keys;
}

Bytes blankStartupTextBlock(const Bytes& languageFile) {
  std::vector<std::string> lines = {"",
                                    "//Lumaset v1.0---",
                                    emptyValueLine("$$$/private/Credits/Legal/CopyrightTwoLine"),
                                    emptyValueLine("$$$/About/ReleaseX"),
                                    emptyValueLine("$$$/Credits/Artwork/ArtworkBy"),
                                    ""};
  for (int i = 0; i < 15; ++i)
    lines.push_back(emptyValueLine("$$$/private/Credits/AutoGen/" + std::to_string(101000 + 10 * i)));
  lines.push_back("");
  for (const std::string& key : rotatingNameKeys(languageFile)) lines.push_back(emptyValueLine(key));
  lines.push_back("");
  for (const char* key : {"Reading", "ScanDone", "Sorting", "SortingDone"})
    lines.push_back(emptyValueLine(std::string("$$$/FontServer/Splash/") + key));
  for (const char* key : kSplashKeys) lines.push_back(emptyValueLine(std::string("$$$/Splash/") + key));
  lines.push_back("");
  lines.push_back("");
  lines.push_back("//Lum_End---");

  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return utf8ToUtf16le(text);
}

bool setStartupText(Context& ctx, const std::string& textFile, bool restoreDefault) {
  const std::optional<BackupLayout> settled = settledBackupLayout(ctx);
  if (!settled) return false;
  const BackupLayout& b = *settled;
  HostEditScope scope(ctx, b);
  if (!scope.ok()) return false;
  RecordInUse inUse(ctx, b);
  HostRecord& record = *inUse;
  record.markPending({kLanguageKey});
  if (!record.save()) return false;
  bool restored = ctx.edit->copyFile(b.languageBackupCopy, b.languageFile);
  if (!restored) ctx.ui.messageBox("重置文件错误：" + b.languageFile, "错误", MessageIcon::Error);
  if (restored) record.noteRestored(kLanguageKey);
  // Whatever follows, the record says last how the language file was left.
  struct SaveAtEnd {
    HostRecord& record;
    ~SaveAtEnd() { record.save(); }
  } saveAtEnd{record};

  if (restoreDefault) {
    if (languageFileCarriesMarker(ctx.files, ctx.languageFilePath())) {
      ctx.ui.messageBox("你的备份文件不正确，这导致你无法恢复默认的启动文字", "错误", MessageIcon::None);
      return false;
    }
    return restored;
  }
  if (ctx.state.version18) {
    ctx.ui.messageBox("Photoshop CC 2017 不支持修改启动文字", "版本限制", MessageIcon::None);
    return restored;
  }
  // A block appended to a file that was not put back would stack on the one before.
  if (!restored) return false;

  Bytes content = ctx.files.readFile(b.languageFile);
  if (textFile.empty()) {
    content += blankStartupTextBlock(content);
  } else {
    auto gbk = [&ctx](const std::string& text) { return ctx.files.chineseCodePageToUtf8(text); };
    content += openingBlock() + startupTextAsUtf16le(ctx.files.readFile(textFile), gbk) + closingBlock();
  }
  record.markPending({kLanguageKey});
  if (!ctx.edit->writeFile(b.languageFile, content)) {
    ctx.ui.messageBox("写入文件失败：" + b.languageFile, "错误", MessageIcon::Error);
    return false;
  }
  record.noteChanged(kLanguageKey);
  return true;
}

}  // namespace lumaset
