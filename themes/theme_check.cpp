#include "themes/theme_check.h"

#include "backup/backup_layout.h"
#include "formats/byte_order_mark.h"
#include "formats/path_text.h"
#include "formats/png.h"
#include "formats/profile_text.h"
#include "formats/text_guess.h"
#include "formats/utf.h"
#include "iconstore/host_images.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"
#include "run/index_reading.h"
#include "themes/theme_folder.h"

namespace lumaset {
namespace {

std::string sizeText(std::uint32_t w, std::uint32_t h) { return std::to_string(w) + " x " + std::to_string(h); }

const char* encodingName(const Bytes& raw) {
  switch (bomOf(raw)) {
    case Bom::Utf16Le:
      return "UTF-16LE with a byte-order mark";
    case Bom::Utf16Be:
      return "UTF-16BE with a byte-order mark";
    case Bom::Utf8:
      return "UTF-8 with a byte-order mark";
    case Bom::None:
      break;
  }
  if (raw.find('\0') != Bytes::npos) return "UTF-16LE without a byte-order mark";
  if (isPlausibleUtf8(raw)) return "UTF-8";
  return "GBK (the Chinese ANSI code page)";
}

// The record table the host's own images are looked up in: the backup index where there
// is one, else the current index; nothing without a located host.
std::optional<RecordTable> hostRecords(Context& ctx) {
  if (ctx.state.hostFolder.empty()) return std::nullopt;
  for (const std::string& index : {backupIndexPath(ctx), ctx.state.currentIndexPath}) {
    std::optional<Bytes> bytes = readIndexFile(ctx.files, index);
    if (!bytes) continue;
    DecodedIndex decoded = decodeIndex(*bytes);
    if (decoded.problem == IndexProblem::None) return decoded.table;
  }
  return std::nullopt;
}

// The description and the loadtext key; true when loadtext=no ticks 隐藏启动文字.
bool checkInfo(Context& ctx, const std::string& folder, std::vector<Finding>& out) {
  const std::string path = folder + ctx.sep() + kThemeInfo;
  if (!ctx.files.info(path).exists) {
    out.push_back({FindingLevel::Error, std::string(kThemeInfo) + " is missing: the folder is not listed as a theme"});
    return false;
  }
  const Bytes raw = ctx.files.readFile(path);
  auto gbk = [&ctx](const std::string& text) { return ctx.files.chineseCodePageToUtf8(text); };
  const std::string text = decodeProfileText(raw, gbk).utf8;
  out.push_back({FindingLevel::Note, std::string(kThemeInfo) + " is " + encodingName(raw)});
  std::optional<std::string> info = lookupProfileValue(text, kThemeSection, "info");
  if (!info) {
    out.push_back({FindingLevel::Warning, std::string(kThemeInfo) + " has no [" + kThemeSection +
                                              "] info= line: the list shows 未知 as its description"});
  } else {
    out.push_back({FindingLevel::Note, "description: " + *info});
  }
  std::optional<std::string> loadtext = lookupProfileValue(text, kThemeSection, "loadtext");
  if (loadtext && *loadtext != "no") {
    out.push_back(
        {FindingLevel::Warning, "loadtext=" + *loadtext + " does nothing: only loadtext=no ticks 隐藏启动文字"});
  }
  return loadtext && *loadtext == "no";
}

void checkImage(Context& ctx, const std::string& folder, const ThemeImage& rule, const std::optional<RecordTable>& host,
                std::vector<Finding>& out) {
  const std::string path = folder + ctx.sep() + rule.file;
  const FileInfo info = ctx.files.info(path);
  if (!info.exists) {
    if (rule.image == HostImage::Splash && rule.pack == Pack::LowRes) {  // every theme has it
      out.push_back({FindingLevel::Error, std::string(rule.file) + " is missing: the folder is not listed as a theme"});
    } else {
      out.push_back({FindingLevel::Note, std::string(rule.file) + " is missing: the host keeps its own image there"});
    }
    return;
  }
  const Bytes png = info.size <= kPngMaxFileSize ? ctx.files.readFile(path) : Bytes();
  if (!isSoundPng(png)) {
    out.push_back({FindingLevel::Error, std::string(rule.file) + " is not a sound PNG file (or above 16384 pixels a " +
                                            "side or 64 MiB): it would be refused"});
    return;
  }
  const PngSize size = *pngSize(png);
  if (size.width != rule.width || size.height != rule.height) {
    out.push_back({FindingLevel::Warning, std::string(rule.file) + " is " + sizeText(size.width, size.height) +
                                              ", the guide asks for " + sizeText(rule.width, rule.height)});
  }
  if (!host) return;
  const std::optional<std::string> resource = hostResource(*host, rule.image);
  if (!resource) {
    out.push_back({FindingLevel::Note, std::string(rule.file) + " is not applied to this host: it has no " +
                                           imageResourceName(rule.image)});
    return;
  }
  if (*resource != imageResourceName(rule.image)) {
    out.push_back({FindingLevel::Note,
                   std::string(rule.file) + " goes into " + *resource + ", the one app-bar icon this host has"});
  }
  const std::string packFolder = folderWithSeparator(ctx.state.currentIndexPath, ctx.sep());
  std::optional<PngSize> own = pngSize(lookUpImage(*host, ctx.files, packFolder, *resource, rule.pack));
  if (own && (own->width != size.width || own->height != size.height)) {
    out.push_back({FindingLevel::Warning, std::string(rule.file) + " is " + sizeText(size.width, size.height) +
                                              ", the host's own image there is " + sizeText(own->width, own->height)});
  }
}

// Lines in the form the language file needs: "KEY=VALUE" with its quotes.
void checkTextLines(Context& ctx, const Bytes& raw, std::vector<Finding>& out) {
  auto gbk = [&ctx](const std::string& text) { return ctx.files.chineseCodePageToUtf8(text); };
  const std::string text = utf16leToUtf8(startupTextAsUtf16le(raw, gbk));
  int line = 0;
  for (std::string row : splitPath(text, "\n")) {
    ++line;
    if (!row.empty() && row.back() == '\r') row.pop_back();
    if (row.empty() || row.rfind("//", 0) == 0) continue;
    const bool keyLine =
        row.size() > 3 && row.front() == '"' && row.back() == '"' && row.find('=') != std::string::npos;
    if (!keyLine) {
      out.push_back({FindingLevel::Warning, std::string(kThemeText) + " line " + std::to_string(line) +
                                                " is not in the form \"KEY=VALUE\": " + cutUtf8(row, 60)});
    }
  }
}

// Whether the located host takes a theme's startup text, as the apply decides it.
Finding hostTakesText(Context& ctx) {
  const std::string text = kThemeText;
  if (ctx.state.hostFolder.empty()) {
    return {FindingLevel::Note, "no Photoshop is located: " + text +
                                    " is applied only by releases below 18 (CC 2015, CC 2015.5) with a Chinese "
                                    "language file; CC 2017 (18) and later keep their own startup text"};
  }
  if (ctx.state.languageAbsent() || languageFileGone(ctx))
    return {FindingLevel::Note, text + " is not applied to this host: it has no Chinese language file"};
  if (ctx.state.release18OrLater) {
    const char* why = " is not applied to this host: Photoshop CC 2017 (18) and later keep their own startup text";
    return {FindingLevel::Note, text + why};
  }
  return {FindingLevel::Note, text + " is applied to this host: a release below 18 with a Chinese language file"};
}

// The theme's startup text: whether it carries one (what the T mark shows), its encoding
// and lines, when it is applied and whether the located host applies it.
void checkStartupText(Context& ctx, const std::string& folder, bool loadtextNo, std::vector<Finding>& out) {
  const std::string path = folder + ctx.sep() + kThemeText;
  if (ctx.files.info(folder + ctx.sep() + kObsoleteTextMarker).exists) {
    const std::string marker = kObsoleteTextMarker;
    out.push_back({FindingLevel::Note, marker + " is obsolete and lights nothing: the T mark follows " + kThemeText});
  }
  if (!ctx.files.info(path).exists) {
    out.push_back(
        {FindingLevel::Note, std::string("no ") + kThemeText + ": the theme carries no startup text (T mark off)"});
    return;
  }
  const Bytes raw = ctx.files.readFile(path);
  out.push_back({FindingLevel::Note, std::string(kThemeText) + ": the theme carries a startup text (T mark on)"});
  out.push_back({FindingLevel::Note, std::string(kThemeText) + " is " + encodingName(raw)});
  checkTextLines(ctx, raw, out);
  if (loadtextNo) {
    out.push_back({FindingLevel::Note, std::string(kThemeText) +
                                           " is applied only with 隐藏启动文字 ticked: loadtext=no ticks it when "
                                           "the theme is chosen"});
  } else {
    out.push_back({FindingLevel::Warning, std::string(kThemeText) +
                                              " is applied only with 隐藏启动文字 ticked, and without loadtext=no "
                                              "choosing the theme leaves it unticked"});
  }
  out.push_back(hostTakesText(ctx));
}

}  // namespace

bool ThemeCheck::broken() const {
  for (const Finding& f : findings) {
    if (f.level == FindingLevel::Error) return true;
  }
  return false;
}

ThemeCheck checkThemeFolder(Context& ctx, const std::string& folder) {
  ThemeCheck check;
  const FileInfo info = ctx.files.info(folder);
  if (!info.exists || !info.isFolder) {
    check.findings.push_back({FindingLevel::Error, "no theme folder at " + folder});
    return check;
  }
  const bool loadtextNo = checkInfo(ctx, folder, check.findings);
  const std::optional<RecordTable> host = hostRecords(ctx);
  for (const ThemeImage& rule : kThemeImages) checkImage(ctx, folder, rule, host, check.findings);
  checkStartupText(ctx, folder, loadtextNo, check.findings);
  return check;
}

}  // namespace lumaset
