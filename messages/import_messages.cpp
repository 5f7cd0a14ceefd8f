#include "messages/import_messages.h"

#include <algorithm>

#include "messages/texts.h"
#include "themes/theme_folder.h"

namespace lumaset {
namespace {

constexpr std::size_t kSkippedNamesShown = 10;

std::string skippedNote(const std::vector<std::string>& skipped) {
  if (skipped.empty()) return {};
  std::string note = text(Text::ImportSkipped);
  for (std::size_t i = 0; i < skipped.size() && i < kSkippedNamesShown; ++i) note += "\r\n  " + skipped[i];
  if (skipped.size() > kSkippedNamesShown) note += textWith(Text::ImportSkippedCount, {std::to_string(skipped.size())});
  return note;
}

bool failed(const ImportOutcome& o) { return !o.added() && o.result != ImportResult::Declined; }

// The captions an item alone is shown with; the import's failures keep their own.
std::string captionOf(const ImportOutcome& o) {
  if (o.result == ImportResult::PackageFailed) return textWith(Text::ImportErrorCode, {std::to_string(o.zipCode)});
  if (o.result == ImportResult::CopyFailed) return text(Text::ImportCopyCaption);
  if (o.result == ImportResult::BadName) return text(Text::ErrorCaption);
  return text(Text::ImportCaption);
}

}  // namespace

std::string outcomeText(const ImportOutcome& o) {
  switch (o.result) {
    case ImportResult::Added:
      return textWith(Text::ImportAdded, {o.item, o.target}) + skippedNote(o.skipped);
    case ImportResult::Merged:
      return textWith(Text::ImportMerged, {o.item, o.target}) + skippedNote(o.skipped);
    case ImportResult::Declined:
      return textWith(Text::ImportDeclined, {o.item, o.theme});
    case ImportResult::NotATheme:
      return textWith(Text::ImportNotATheme, {o.item});
    case ImportResult::ImageNotPng:
      return textWith(Text::ImportImageNotPng, {o.item, o.image});
    case ImportResult::Unsupported:
      return textWith(Text::ImportUnsupported, {o.item});
    case ImportResult::Unreadable:
      return textWith(Text::ImportUnreadable, {o.item});
    case ImportResult::BadName:
      return textWith(Text::ImportBadName, {o.item});
    case ImportResult::InsideLibrary:
      return textWith(Text::ImportInsideLibrary, {o.item});
    case ImportResult::TooLarge:
      return textWith(Text::ImportTooLarge, {o.item});
    case ImportResult::Busy:
      return textWith(Text::ImportBusy, {o.item});
    case ImportResult::LibraryFailed:
      return textWith(Text::ImportLibraryFailed, {o.item});
    case ImportResult::PackageFailed:
      return textWith(Text::ImportPackageFailed, {o.target});
    case ImportResult::CopyFailed:
      return textWith(Text::ImportCopyFailed, {o.target});
  }
  return {};
}

std::optional<ImportMessage> importMessage(const std::vector<ImportOutcome>& outcomes, bool quietDeclines) {
  std::vector<const ImportOutcome*> shown;
  for (const ImportOutcome& o : outcomes) {
    if (!(quietDeclines && o.result == ImportResult::Declined)) shown.push_back(&o);
  }
  if (shown.empty()) return std::nullopt;
  bool anyFailed = std::any_of(shown.begin(), shown.end(), [](const ImportOutcome* o) { return failed(*o); });
  if (shown.size() == 1) {
    const ImportOutcome& o = *shown.front();
    bool ownCaption = o.result == ImportResult::PackageFailed || o.result == ImportResult::CopyFailed;
    return ImportMessage{outcomeText(o), captionOf(o),
                         anyFailed && !ownCaption ? MessageIcon::Error : MessageIcon::None};
  }
  std::string text;
  for (const ImportOutcome* o : shown) {
    text += (text.empty() ? "" : "\r\n\r\n") + outcomeText(*o);
    if (o->result == ImportResult::PackageFailed)
      text += textWith(Text::ImportErrorCodeNote, {std::to_string(o->zipCode)});
  }
  return ImportMessage{text, lumaset::text(Text::ImportCaption), anyFailed ? MessageIcon::Error : MessageIcon::None};
}

std::string replaceQuestion(const std::string& theme) { return textWith(Text::ImportReplaceQuestion, {theme}); }

std::optional<std::string> importDroppedItems(Files& files, const Context& ctx, Interaction& ui,
                                              const std::vector<std::string>& paths) {
  if (paths.empty()) return std::nullopt;
  BusyCursor busy(ui);
  auto ask = [&ui](const std::string& theme) { return ui.askYesNo(replaceQuestion(theme), text(Text::ImportCaption)); };
  std::vector<ImportOutcome> outcomes = importThemes(files, themeLibrary(ctx), paths, ask);
  if (std::optional<ImportMessage> m = importMessage(outcomes, true)) ui.messageBox(m->text, m->caption, m->icon);
  for (auto o = outcomes.rbegin(); o != outcomes.rend(); ++o) {
    if (o->added()) return o->theme;
  }
  return std::nullopt;
}

std::optional<std::string> importThemePackage(Files& files, const Context& ctx, Interaction& ui) {
  std::optional<std::string> path = ui.openFile({"", "zip|*.zip", ""});
  if (!path) return std::nullopt;
  // With several files chosen the dialog gives their folder, which is no package.
  if (ctx.files.entryKind(*path) == EntryKind::Folder) {
    ImportOutcome o;
    o.result = ImportResult::Unsupported;
    o.item = pathParts(*path, ctx.sep()).file;
    std::optional<ImportMessage> m = importMessage({o}, true);
    ui.messageBox(m->text, m->caption, m->icon);
    return std::nullopt;
  }
  return importDroppedItems(files, ctx, ui, {*path});
}

}  // namespace lumaset
