#include "ui/presenter.h"

#include <algorithm>

#include "backup/host_look.h"
#include "backup/host_rights.h"
#include "backup/refresh_backup.h"
#include "backup/undone_look.h"
#include "elevation/administrator_rights.h"
#include "messages/catalogue.h"
#include "messages/import_messages.h"
#include "run/host_discovery.h"
#include "run/host_location.h"
#include "run/settings.h"
#include "run/startup.h"
#include "run/version.h"
#include "themes/host_operation.h"
#include "themes/looks.h"
#include "themes/theme_folder.h"

namespace lumaset::ui {
namespace {

// The label in the window's top strip: which look the host carries, as far as the
// backup's record proves it; nothing before a host is located.
std::string hostCarriesText(const RunState& state, const HostLook& look) {
  if (state.hostFolder.empty()) return {};
  switch (look.kind) {
    case LookKind::Own:
      return text(Text::CurrentOriginal);
    case LookKind::Theme:
      return textWith(Text::CurrentTheme, {look.theme});
    case LookKind::Custom:
      return text(Text::CurrentCustom);
    case LookKind::Unknown:
      break;
  }
  return text(Text::CurrentUnknown);
}

}  // namespace

Presenter::Presenter(Files& files, Interaction& ui, HostPlaces& places, MainView& view, std::string programFolder)
    : files_(files),
      ui_(ui),
      findHosts_([&files, &places] { return discoverHosts(files, places); }),
      questions_(ui, findHosts_),
      view_(view),
      data_(chooseDataFolder(files, programFolder)),
      ctx_{files, questions_, *this, state_, std::move(programFolder), data_.folder} {}

void Presenter::report(const Outcome& outcome) { show(ui_, outcome); }

void Presenter::chooseLanguage(std::optional<Language> commandLine, std::string_view systemLocale) {
  const std::string stored = ctx_.files.readProfileString(ctx_.settingsFile(), kSettingsSection, kKeyLanguage, "");
  useLanguage(lumaset::chooseLanguage(commandLine, stored, systemLocale));
}

namespace {
constexpr const char* kWindowSection = "window";
}

std::string Presenter::windowSetting(const std::string& key) const {
  return ctx_.files.readProfileString(ctx_.settingsFile(), kWindowSection, key, "");
}

// A folder that cannot be written keeps no place: the next start stands as the first.
void Presenter::keepWindowSetting(const std::string& key, const std::string& value) {
  (void)ctx_.writeSetting(kWindowSection, key, value);
}

void Presenter::runStartup() {
  // Said on the run that first keeps the settings apart, before a location may ask.
  if (data_.madeNow) {
    Outcome apart;
    apart.note(MessageId::DataKeptApart, data_.folder);
    report(apart);
  }
  report(lumaset::runStartup(ctx_).location);
}

void Presenter::showFirstEntry() {
  // The host's current look when its index is there; else the placeholder stays.
  if (files_.exists(state_.currentIndexPath)) {
    fillThemeList();
  } else {
    view_.setThemeEntries(themeList(ctx_));
    view_.selectThemeEntry(-1);
    view_.setFakeThemeBoxText(text(Text::ThemeBoxPlaceholder));
  }
  view_.showHostCarries(hostCarriesText(state_, carriedLook(ctx_)));
}

void Presenter::firstFrameDrawn() {
  showShield();
  offerReapply();
}

void Presenter::offerReapply() {
  if (offering_) return;
  const std::optional<UndoneLook> undone = undoneLook(ctx_);
  if (!undone) return;
  const std::string asked = state_.hostFolder + "\n" + lookKindName(undone->look.kind) + "\n" + undone->look.theme;
  if (asked == declinedReapply_) return;
  offering_ = true;
  const Message question = messageFor({MessageId::UpdateUndidLook, {}, undone->look.theme});
  const bool yes = ui_.askYesNo(question.text, question.caption);
  offering_ = false;
  if (!yes) {
    declinedReapply_ = asked;
    return;
  }
  changeHost({.kind = OperationKind::Reapply});
}

void Presenter::fillThemeList(const std::string& selecting) {
  const std::vector<std::string> entries = themeList(ctx_);
  view_.setThemeEntries(entries);
  const auto found = std::find(entries.begin(), entries.end(), selecting);
  view_.selectThemeEntry(found == entries.end() ? 0 : static_cast<int>(found - entries.begin()));
  themeBoxUpdate();
}

void Presenter::themePageClicked() {
  bool pressed = view_.themePagePressed();
  view_.showPage(pressed ? 0 : 1);
  view_.setCustomPagePressed(!pressed);
  view_.redrawToggleLabel();
  pageShown(pressed ? 0 : 1);
}

void Presenter::customPageClicked() {
  bool pressed = view_.customPagePressed();
  view_.showPage(pressed ? 1 : 0);
  view_.setThemePagePressed(!pressed);
  pageShown(pressed ? 1 : 0);
}

// Each page previews what its 应用 would give: the chosen entry, or the picked images.
// The user's startup-text tick stays either way.
void Presenter::pageShown(int page) {
  if (page == 0) return refreshShownEntry();
  ImageSlots slots;
  for (std::size_t i = 0; i < slots.size(); ++i) slots[i] = view_.customField(static_cast<int>(i));
  showLook(customLook(ctx_, slots, state_.startupTextToggle));
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
  shown.description = descriptionOf(look);
  // What the host lacks is never applied: the description says so under the look.
  if (!look.hostLacks.empty()) {
    std::string list;
    const char* comma = language() == Language::Chinese ? "、" : ", ";
    for (const std::string& name : look.hostLacks) list += (list.empty() ? "" : comma) + name;
    shown.description += textWith(Text::HostLacksImages, {list});
  }
  view_.showLook(shown);
}

void Presenter::hostLocated() {
  // The located host's current look, with "[当前]" in the box; at the start the list is
  // still to be filled, and shows it then.
  if (view_.themeEntryCount() > 0) {
    view_.selectThemeEntry(0);
    themeBoxUpdate();
  } else {
    showLook(currentLook(ctx_));
  }
  showHostCarries();
}

void Presenter::showHostCarries() {
  view_.showHostCarries(hostCarriesText(state_, carriedLook(ctx_)));
  showShield();
}

void Presenter::showShield() {
  // Whoever runs as administrator already gets no more by the worker: no shield then.
  view_.showNeedsAdministrator(!ui_.runsAsAdministrator() && hostNeedsAdministrator(ctx_));
}

void Presenter::refreshShownEntry() {
  if (view_.selectedThemeEntry() < 0) return;
  const bool toggle = state_.startupTextToggle;
  Preview preview = previewEntry(ctx_, view_.selectedThemeText());
  // Its messages were shown when it was chosen; the toggle stays as the user left it.
  preview.look.reports.clear();
  preview.look.startupTextToggle = toggle && preview.look.startupTextAvailable;
  preview.look.overlay = chooseOverlay(preview.look.startupTextToggle, state_.release18OrLater);
  showLook(preview.look);
  view_.showPreviewDetails(preview);
}

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

namespace {

// A host as the folder button's menu names it: its version and folder.
std::string hostChoiceText(const FoundHost& host) {
  return "Photoshop " + (host.productVersion.empty() ? std::string("?") : host.productVersion) + "    " + host.folder;
}

}  // namespace

// The host the user chose in the folder button's menu, answered as the dialog would; false
// when the menu closed without a choice, or on the host already located.
bool Presenter::hostChosenFromMenu() {
  std::vector<FoundHost> hosts = findHosts_().hosts;
  if (hosts.empty()) return true;
  const std::string located = state_.hostFolder.empty() ? "" : files_.canonicalPath(state_.hostFolder);
  auto isLocated = [&](const FoundHost& host) { return !located.empty() && files_.canonicalPath(host.folder) == located; };
  // The host worked on is listed, and checked, though no place names it.
  if (!located.empty() && std::none_of(hosts.begin(), hosts.end(), isLocated)) {
    FoundHost own{state_.hostFolder, state_.hostFolder + "Photoshop.exe", "", {}};
    own.productVersion = files_.productVersion(own.exe);
    const float version = versionFromText(own.productVersion);
    auto later = std::find_if(hosts.begin(), hosts.end(),
                              [&](const FoundHost& h) { return versionFromText(h.productVersion) < version; });
    hosts.insert(later, own);
  }
  std::vector<std::string> items;
  int current = -1;
  for (const FoundHost& host : hosts) {
    if (isLocated(host)) current = static_cast<int>(items.size());
    items.push_back(hostChoiceText(host));
  }
  const int chosen = view_.chooseHost(items, current);
  if (chosen == kNoHostChosen || (chosen >= 0 && chosen == current)) return false;
  if (chosen >= 0) questions_.answerNextWith(hosts[static_cast<std::size_t>(chosen)].exe);
  return true;
}

void Presenter::locateClicked() {
  if (!hostChosenFromMenu()) return;
  Outcome out;
  locateHost(ctx_, out);
  report(out);
  // A location that ends without a host (its index missing) leaves none to show.
  if (state_.hostFolder.empty()) refreshShownEntry();
  showHostCarries();
}

void Presenter::changeHost(const HostOperation& op) {
  // The host is located before the operation starts: a location's dialogs and its
  // showing of the host's look never come in the middle of a change.
  Outcome out = locateForOperation(ctx_, op);
  if (out.done()) {
    BusyCursor busy(ui_);
    Outcome ran;
    // Off the window's thread: the first backup copies hundreds of MB of packs, which the
    // progress window counts.
    WorkProgress progress;
    CountedIn counted(ctx_, progress);
    ui_.runWhileResponsive(text(Text::Working), progress, [&] { ran = runOperation(ctx_, op); });
    out.add(std::move(ran));
  }
  report(withAdministratorRights(ctx_, ui_, op, std::move(out)));
  // The host's files, and perhaps its backup, changed: what the entry shows and what
  // the host carries are read again.
  refreshShownEntry();
  showHostCarries();
}

void Presenter::backupPressed() { changeHost({.kind = OperationKind::RefreshBackup}); }

void Presenter::applyThemeClicked() {
  const std::string entry = view_.selectedThemeText();
  changeHost({.kind = OperationKind::Apply, .entry = entry, .startupTextToggle = state_.startupTextToggle});
  // A theme removed since the list was read was refused: the list shows the library as
  // it is now.
  if (!checkEntry(ctx_, entry).done()) fillThemeList();
}

void Presenter::applyCustomClicked() {
  HostOperation op{.kind = OperationKind::ApplyCustom, .startupTextToggle = state_.startupTextToggle};
  for (std::size_t i = 0; i < op.images.size(); ++i) {
    // Made absolute here: the worker does not start in this process's current folder.
    op.images[i] = view_.customField(static_cast<int>(i));
    if (!op.images[i].empty()) op.images[i] = files_.absolutePath(op.images[i]);
  }
  changeHost(op);
}

void Presenter::pickImageClicked(int slot) {
  std::optional<std::string> path = ui_.openFile({text(Text::PickImageTitle), text(Text::PickImageFilter), ""});
  if (!path) return;
  view_.setCustomField(slot, *path);
  pageShown(1);
}

void Presenter::addThemePackage() {
  if (std::optional<std::string> added = importThemePackage(files_, ctx_, ui_)) fillThemeList(*added);
}

void Presenter::openThemeLibrary() { ui_.openFolder(themeLibrary(ctx_)); }

// There is no site that offers themes: more themes come as packages or folders that the
// user adds, into the library this opens.
void Presenter::openMoreThemes() { openThemeLibrary(); }

void Presenter::openTemplateFolder() { ui_.openFolder(ctx_.programFolder + ctx_.sep() + "模板"); }

void Presenter::openGuide() {
  const std::string guide = ctx_.programFolder + ctx_.sep() + text(Text::GuideFile);
  if (!files_.exists(guide)) return show(ui_, std::vector<Report>{{MessageId::GuideMissing, guide}});
  if (!ui_.openTextFile(guide)) show(ui_, std::vector<Report>{{MessageId::GuideNotOpened, guide}});
}

void Presenter::filesDropped(const std::vector<std::string>& paths) {
  if (std::optional<std::string> added = importDroppedItems(files_, ctx_, ui_, paths)) fillThemeList(*added);
}

}  // namespace lumaset::ui
