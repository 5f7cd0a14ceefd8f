#include "messages/import_messages.h"

#include <algorithm>

#include "themes/theme_folder.h"

namespace lumaset {
namespace {

constexpr std::size_t kSkippedNamesShown = 10;

std::string skippedNote(const std::vector<std::string>& skipped) {
  if (skipped.empty()) return {};
  std::string note = "\r\n以下链接或特殊文件没有复制：";
  for (std::size_t i = 0; i < skipped.size() && i < kSkippedNamesShown; ++i) note += "\r\n  " + skipped[i];
  if (skipped.size() > kSkippedNamesShown) note += "\r\n  ……共 " + std::to_string(skipped.size()) + " 项";
  return note;
}

bool failed(const ImportOutcome& o) { return !o.added() && o.result != ImportResult::Declined; }

// The captions an item alone is shown with; the import's failures keep their own.
std::string captionOf(const ImportOutcome& o) {
  if (o.result == ImportResult::PackageFailed) return "错误代码：" + std::to_string(o.zipCode);
  if (o.result == ImportResult::CopyFailed) return "复制错误";
  if (o.result == ImportResult::BadName) return "错误";
  return "添加主题";
}

}  // namespace

std::string outcomeText(const ImportOutcome& o) {
  switch (o.result) {
    case ImportResult::Added:
      return "已添加主题：" + o.item + "\r\n" + o.target + skippedNote(o.skipped);
    case ImportResult::Merged:
      return "已添加主题：" + o.item + "\r\n" + o.target + "\r\n（并入了原有的同名主题）" + skippedNote(o.skipped);
    case ImportResult::Declined:
      return "未添加主题：" + o.item + "\r\n主题库中已有同名主题“" + o.theme + "”，没有改动";
    case ImportResult::NotATheme:
      return "不是主题：" + o.item + "\r\n主题里要有 info.ini 和 loading_low.png";
    case ImportResult::ImageNotPng:
      return "未添加主题：" + o.item + "\r\n主题里的 " + o.image + " 不是有效的 PNG 图片文件";
    case ImportResult::Unsupported:
      return "不支持的文件类型：" + o.item + "\r\n只能添加 zip 主题包或主题文件夹";
    case ImportResult::Unreadable:
      return "找不到或无法读取：" + o.item;
    case ImportResult::BadName:
      return "主题包名称无效：" + o.item;
    case ImportResult::InsideLibrary:
      return "不能把主题库本身、其中的文件夹或包含它的文件夹添加为主题：" + o.item;
    case ImportResult::TooLarge:
      return "主题太大，没有添加：" + o.item + "\r\n最多 64 MB、10000 个文件、16 层文件夹";
    case ImportResult::Busy:
      return "另一个添加主题的操作还没有结束，请稍后再试：" + o.item;
    case ImportResult::LibraryFailed:
      return "无法写入主题库，没有添加：" + o.item;
    case ImportResult::PackageFailed:
      return "解压主题包错误：" + o.target;
    case ImportResult::CopyFailed:
      return "复制主题包错误：" + o.target;
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
    if (o->result == ImportResult::PackageFailed) text += "（错误代码：" + std::to_string(o->zipCode) + "）";
  }
  return ImportMessage{text, "添加主题", anyFailed ? MessageIcon::Error : MessageIcon::None};
}

std::string replaceQuestion(const std::string& theme) {
  return "主题库中已有主题“" + theme + "”。\r\n要把新的文件并入它吗？同名的文件会被替换，其余文件保留。";
}

std::optional<std::string> importDroppedItems(Files& files, const Context& ctx, Interaction& ui,
                                              const std::vector<std::string>& paths) {
  if (paths.empty()) return std::nullopt;
  BusyCursor busy(ui);
  auto ask = [&ui](const std::string& theme) { return ui.askYesNo(replaceQuestion(theme), "添加主题"); };
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
