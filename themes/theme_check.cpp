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

FindingId encodingOf(const Bytes& raw) {
  switch (bomOf(raw)) {
    case Bom::Utf16Le:
      return FindingId::EncodingUtf16LeBom;
    case Bom::Utf16Be:
      return FindingId::EncodingUtf16BeBom;
    case Bom::Utf8:
      return FindingId::EncodingUtf8Bom;
    case Bom::None:
      break;
  }
  if (raw.find('\0') != Bytes::npos) return FindingId::EncodingUtf16Le;
  if (isPlausibleUtf8(raw)) return FindingId::EncodingUtf8;
  return FindingId::EncodingGbk;
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
    out.push_back({FindingLevel::Error, FindingId::RequiredFileMissing, {kThemeInfo}});
    return false;
  }
  const Bytes raw = ctx.files.readFile(path);
  auto gbk = [&ctx](const std::string& text) { return ctx.files.chineseCodePageToUtf8(text); };
  const std::string text = decodeProfileText(raw, gbk).utf8;
  out.push_back({FindingLevel::Note, encodingOf(raw), {kThemeInfo}});
  std::optional<std::string> info = lookupProfileValue(text, kThemeSection, "info");
  if (!info) {
    out.push_back({FindingLevel::Warning, FindingId::NoDescription, {kThemeInfo, kThemeSection}});
  } else {
    out.push_back({FindingLevel::Note, FindingId::Description, {*info}});
  }
  std::optional<std::string> loadtext = lookupProfileValue(text, kThemeSection, "loadtext");
  if (loadtext && *loadtext != "no") {
    out.push_back({FindingLevel::Warning, FindingId::LoadtextDoesNothing, {*loadtext}});
  }
  return loadtext && *loadtext == "no";
}

void checkImage(Context& ctx, const std::string& folder, const ThemeImage& rule, const std::optional<RecordTable>& host,
                std::vector<Finding>& out) {
  const std::string path = folder + ctx.sep() + rule.file;
  const FileInfo info = ctx.files.info(path);
  if (!info.exists) {
    if (rule.image == HostImage::Splash && rule.pack == Pack::LowRes) {  // every theme has it
      out.push_back({FindingLevel::Error, FindingId::RequiredFileMissing, {rule.file}});
    } else {
      out.push_back({FindingLevel::Note, FindingId::ImageMissing, {rule.file}});
    }
    return;
  }
  const Bytes png = info.size <= kPngMaxFileSize ? ctx.files.readFile(path) : Bytes();
  if (!isSoundPng(png)) {
    out.push_back({FindingLevel::Error, FindingId::NotASoundPng, {rule.file}});
    return;
  }
  const PngSize size = *pngSize(png);
  if (size.width != rule.width || size.height != rule.height) {
    out.push_back({FindingLevel::Warning,
                   FindingId::SizeNotTheGuides,
                   {rule.file, sizeText(size.width, size.height), sizeText(rule.width, rule.height)}});
  }
  if (!host) return;
  const std::optional<std::string> resource = hostResource(*host, rule.image);
  if (!resource) {
    out.push_back({FindingLevel::Note, FindingId::NotForThisHost, {rule.file, imageResourceName(rule.image)}});
    return;
  }
  if (*resource != imageResourceName(rule.image)) {
    out.push_back({FindingLevel::Note, FindingId::IntoTheOneIcon, {rule.file, *resource}});
  }
  const std::string packFolder = folderWithSeparator(ctx.state.currentIndexPath, ctx.sep());
  std::optional<PngSize> own = pngSize(lookUpImage(*host, ctx.files, packFolder, *resource, rule.pack));
  if (own && (own->width != size.width || own->height != size.height)) {
    out.push_back({FindingLevel::Warning,
                   FindingId::SizeNotTheHosts,
                   {rule.file, sizeText(size.width, size.height), sizeText(own->width, own->height)}});
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
      out.push_back(
          {FindingLevel::Warning, FindingId::TextLineForm, {kThemeText, std::to_string(line), cutUtf8(row, 60)}});
    }
  }
}

// Whether the located host takes a theme's startup text, as the apply decides it.
Finding hostTakesText(Context& ctx) {
  if (ctx.state.hostFolder.empty()) return {FindingLevel::Note, FindingId::NoHostLocated, {kThemeText}};
  if (ctx.state.languageAbsent() || languageFileGone(ctx))
    return {FindingLevel::Note, FindingId::TextNotForThisHost, {kThemeText}};
  if (ctx.state.release18OrLater) return {FindingLevel::Note, FindingId::TextNotForLaterRelease, {kThemeText}};
  return {FindingLevel::Note, FindingId::TextForThisHost, {kThemeText}};
}

// The theme's startup text: whether it carries one (what the T mark shows), its encoding
// and lines, when it is applied and whether the located host applies it.
void checkStartupText(Context& ctx, const std::string& folder, bool loadtextNo, std::vector<Finding>& out) {
  const std::string path = folder + ctx.sep() + kThemeText;
  if (ctx.files.info(folder + ctx.sep() + kObsoleteTextMarker).exists) {
    out.push_back({FindingLevel::Note, FindingId::ObsoleteMarker, {kObsoleteTextMarker, kThemeText}});
  }
  if (!ctx.files.info(path).exists) {
    out.push_back({FindingLevel::Note, FindingId::NoText, {kThemeText}});
    return;
  }
  const Bytes raw = ctx.files.readFile(path);
  out.push_back({FindingLevel::Note, FindingId::CarriesText, {kThemeText}});
  out.push_back({FindingLevel::Note, encodingOf(raw), {kThemeText}});
  checkTextLines(ctx, raw, out);
  if (loadtextNo) {
    out.push_back({FindingLevel::Note, FindingId::TextWithLoadtext, {kThemeText}});
  } else {
    out.push_back({FindingLevel::Warning, FindingId::TextWithoutLoadtext, {kThemeText}});
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
    check.findings.push_back({FindingLevel::Error, FindingId::NoThemeFolder, {folder}});
    return check;
  }
  const bool loadtextNo = checkInfo(ctx, folder, check.findings);
  const std::optional<RecordTable> host = hostRecords(ctx);
  for (const ThemeImage& rule : kThemeImages) checkImage(ctx, folder, rule, host, check.findings);
  checkStartupText(ctx, folder, loadtextNo, check.findings);
  return check;
}

}  // namespace lumaset
