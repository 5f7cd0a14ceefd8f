#include "ui/presenter.h"

#include "backup/refresh_backup.h"
#include "messages/administrator_rights.h"
#include "messages/catalogue.h"
#include "messages/import_messages.h"
#include "run/host_discovery.h"
#include "run/host_location.h"
#include "run/startup.h"
#include "themes/apply.h"
#include "themes/looks.h"
#include "themes/theme_folder.h"

namespace lumaset::ui {

Presenter::Presenter(Files& files, Interaction& ui, HostPlaces& places, MainView& view, std::string programFolder)
    : files_(files),
      ui_(ui),
      questions_(ui, [&files, &places] { return discoverHosts(files, places); }),
      view_(view),
      ctx_{files, questions_, *this, state_, std::move(programFolder)} {}

void Presenter::report(const Outcome& outcome) { show(ui_, outcome); }

void Presenter::runStartup() { report(lumaset::runStartup(ctx_).location); }

void Presenter::showFirstEntry() {
  fillThemeList();
  // The host's current look when its index is there; else the placeholder stays.
  if (files_.exists(state_.currentIndexPath)) {
    view_.selectThemeEntry(0);
    themeBoxUpdate();
  } else {
    view_.selectThemeEntry(-1);
    view_.setFakeThemeBoxText(kThemeBoxPlaceholder);
  }
}

void Presenter::fillThemeList() {
  std::vector<std::string> entries = themeList(ctx_);
  view_.setThemeEntries(entries);
  view_.selectThemeEntry(0);
  view_.setFakeThemeBoxText(view_.selectedThemeText());
}

void Presenter::themePageClicked() {
  bool pressed = view_.themePagePressed();
  view_.showPage(pressed ? 0 : 1);
  view_.setCustomPagePressed(!pressed);
  view_.redrawToggleLabel();
}

void Presenter::customPageClicked() {
  bool pressed = view_.customPagePressed();
  view_.showPage(pressed ? 1 : 0);
  view_.setThemePagePressed(!pressed);
}

void Presenter::openThemeBox() {
  view_.showThemeList(true);
  view_.dropDownThemeList();
}

void Presenter::closeThemeBox() {
  view_.setFakeThemeBoxText(view_.selectedThemeText());
  view_.showThemeList(false);
}

void Presenter::themeBoxUpdate() {
  closeThemeBox();
  previewSelected();
}

void Presenter::previewSelected() {
  Preview preview = previewEntry(ctx_, view_.selectedThemeText());
  showLook(preview.look);
  view_.showPreviewDetails(preview);
}

void Presenter::showLook(const Look& look) {
  show(ui_, look.reports);
  state_.startupTextToggle = look.startupTextToggle;
  Look shown = look;
  // What the host lacks is never applied: the description says so under the look.
  if (!look.hostLacks.empty()) {
    std::string list;
    for (const std::string& name : look.hostLacks) list += (list.empty() ? "" : "、") + name;
    shown.description += "（这个 Photoshop 没有 " + list + "）";
  }
  view_.showLook(shown);
}

void Presenter::hostLocated() { showLook(currentLook(ctx_)); }

void Presenter::nextTheme() {
  int n = view_.themeEntryCount(), i = view_.selectedThemeEntry();
  view_.selectThemeEntry(n == 0 ? -1 : (i != n - 1 ? i + 1 : 0));
  themeBoxUpdate();
}

void Presenter::previousTheme() {
  int n = view_.themeEntryCount(), i = view_.selectedThemeEntry();
  view_.selectThemeEntry(n == 0 ? -1 : (i > 0 ? i - 1 : n - 1));
  themeBoxUpdate();
}

void Presenter::toggleClicked() {
  // A host without a language file has no startup text to change: the toggle stays off.
  if (state_.languageAbsent()) view_.setTogglePressed(false);
  state_.startupTextToggle = view_.togglePressed();
  view_.showOverlay(chooseOverlay(state_.startupTextToggle, state_.release18OrLater));
}

void Presenter::toggleLabelPressed() {
  if (state_.languageAbsent()) return;
  view_.setTogglePressed(!view_.togglePressed());
  toggleClicked();
}

void Presenter::locateClicked() {
  Outcome out;
  locateHost(ctx_, out);
  report(out);
}

void Presenter::changeHost(const std::vector<std::string>& command, const std::function<Outcome()>& operation) {
  Outcome out;
  {
    BusyCursor busy(ui_);
    out = operation();
  }
  report(withAdministratorRights(ctx_, ui_, command, std::move(out)));
}

void Presenter::backupPressed() {
  changeHost({"backup", "--refresh"}, [this] { return refreshBackup(ctx_); });
}

void Presenter::applyThemeClicked() {
  const std::string entry = view_.selectedThemeText();
  const bool toggle = state_.startupTextToggle;
  // The entry after "--": a theme's name may begin with "-".
  changeHost({"apply", "--hide-text", toggle ? "on" : "off", "--", entry},
             [&] { return applyFromThemeList(ctx_, entry, toggle); });
}

void Presenter::applyCustomClicked() {
  static const char* const kOptions[6] = {"--splash", "--splash2x", "--dark", "--dark2x", "--light", "--light2x"};
  ImageSlots fields;
  std::vector<std::string> command = {"apply-custom"};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    // Made absolute here: the worker does not start in this process's current folder.
    fields[i] = view_.customField(static_cast<int>(i));
    if (!fields[i].empty()) fields[i] = files_.absolutePath(fields[i]);
    if (!fields[i].empty()) command.insert(command.end(), {kOptions[i], fields[i]});
  }
  const bool toggle = state_.startupTextToggle;
  command.insert(command.end(), {"--hide-text", toggle ? "on" : "off"});
  changeHost(command, [&] { return applyCustomImages(ctx_, fields, toggle); });
}

void Presenter::pickImageClicked(int slot) {
  std::optional<std::string> path = ui_.openFile({"选择图片", "PNG 图片|*.png", ""});
  if (path) view_.setCustomField(slot, *path);
}

void Presenter::addThemePackage() {
  if (importThemePackage(ctx_, ui_)) fillThemeList();
}

void Presenter::openThemeLibrary() { ui_.openFolder(themeLibrary(ctx_)); }

void Presenter::openMoreThemes() { ui_.openWebPage(kThemeDownloadPage); }

void Presenter::openTemplateFolder() { ui_.openFolder(ctx_.programFolder + ctx_.sep() + "模板"); }

void Presenter::openProjectPage() { ui_.openWebPage(kProjectPage); }

void Presenter::filesDropped(const std::vector<std::string>& paths) {
  if (importDroppedItems(ctx_, ui_, paths)) fillThemeList();
}

}  // namespace lumaset::ui
