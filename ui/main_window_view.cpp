// What the presenter sees of the main window: the controls' texts, states and images.
#include "assets/builtin_images.h"
#include "platform/win32_text.h"
#include "ui/main_window.h"
#include "ui/path_field.h"
#include "widgets/window_text.h"

namespace lumaset::ui {

HWND MainWindow::control(Control id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

bool MainWindow::checked(Control id) const { return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void MainWindow::setChecked(Control id, bool pressed) {
  SendMessageW(control(id), BM_SETCHECK, pressed ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::setText(Control id, const std::string& text) { SetWindowTextW(control(id), toWide(text).c_str()); }

void MainWindow::setPathText(Control id, const std::string& text) {
  setText(id, text);
  // A path is read from its end: the file's name shows, the start scrolls away.
  HWND box = control(id);
  const int length = GetWindowTextLengthW(box);
  SendMessageW(box, EM_SETSEL, length, length);
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void MainWindow::setPathBox(const std::string& text) {
  setPathText(Control::PathBox, text);
  // The box shows the folder's end; the pointer resting on it shows the whole folder.
  showWholePathOnHover(control(Control::PathBox), text);
}

void MainWindow::showLook(const Look& look) {
  lookShown_ = look;
  lookReceived_ = true;
  showLookImages();
  setText(Control::DescriptionBox, look.description);
  setTogglePressed(look.startupTextToggle);
  // A host without a language file has no startup text to change: the box and its
  // label are dimmed.
  HWND toggle = control(Control::StartupTextToggle);
  if ((IsWindowEnabled(toggle) != FALSE) != look.startupTextAvailable) {
    EnableWindow(toggle, look.startupTextAvailable);
    redrawToggleLabel();
  }
  showOverlay(look.overlay);
}

void MainWindow::setThemeEntries(const std::vector<std::string>& entries) {
  HWND combo = control(Control::ThemeList);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& e : entries)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(e).c_str()));
}

int MainWindow::themeEntryCount() const {
  return static_cast<int>(SendMessageW(control(Control::ThemeList), CB_GETCOUNT, 0, 0));
}

int MainWindow::selectedThemeEntry() const {
  return static_cast<int>(SendMessageW(control(Control::ThemeList), CB_GETCURSEL, 0, 0));
}

void MainWindow::selectThemeEntry(int index) { SendMessageW(control(Control::ThemeList), CB_SETCURSEL, index, 0); }

std::string MainWindow::selectedThemeText() const {
  HWND combo = control(Control::ThemeList);
  int i = selectedThemeEntry();
  if (i < 0) return {};
  std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
  return fromWide(text.c_str());
}

void MainWindow::setFakeThemeBoxText(const std::string& text) { setText(Control::ThemeBoxText, text); }

void MainWindow::showThemeList(bool listShown) {
  HWND list = control(Control::ThemeList), box = control(Control::ThemeBoxImage);
  if (listShown) {
    ShowWindow(list, SW_SHOW);
    ShowWindow(box, SW_HIDE);
    return;
  }
  // The list closes into the box: the focus it had goes to the box's name, not to the page.
  ShowWindow(box, SW_SHOW);
  if (GetFocus() == list) SetFocus(control(Control::ThemeBoxText));
  ShowWindow(list, SW_HIDE);
}

void MainWindow::dropDownThemeList() {
  HWND combo = control(Control::ThemeList);
  SetFocus(combo);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
}

void MainWindow::showPage(int page) {
  ShowWindow(pages_[page == 0 ? 1 : 0], SW_HIDE);
  ShowWindow(pages_[page == 0 ? 0 : 1], SW_SHOW);
}

bool MainWindow::themePagePressed() const { return checked(Control::ThemePageButton); }
void MainWindow::setThemePagePressed(bool pressed) { setChecked(Control::ThemePageButton, pressed); }
bool MainWindow::customPagePressed() const { return checked(Control::CustomPageButton); }
void MainWindow::setCustomPagePressed(bool pressed) { setChecked(Control::CustomPageButton, pressed); }
bool MainWindow::togglePressed() const { return checked(Control::StartupTextToggle); }
void MainWindow::setTogglePressed(bool pressed) { setChecked(Control::StartupTextToggle, pressed); }

void MainWindow::redrawToggleLabel() {
  HWND label = control(Control::ToggleLabel);
  ShowWindow(label, SW_HIDE);
  ShowWindow(label, SW_SHOW);
  InvalidateRect(label, nullptr, TRUE);
}

void MainWindow::showOverlay(Overlay overlay) {
  overlayShown_ = overlay;
  showOverlayImage();
}

void MainWindow::showPreviewDetails(const Preview& preview) {
  for (auto [badge, enabled] : {std::pair{Control::Badge1x, preview.has1x}, std::pair{Control::Badge2x, preview.has2x},
                                std::pair{Control::BadgeText, preview.hasText}}) {
    EnableWindow(control(badge), enabled);
    ShowWindow(control(badge), preview.indicatorsShown ? SW_SHOW : SW_HIDE);
  }
  for (auto [link, target] :
       {std::pair{Control::AuthorLink, preview.author}, std::pair{Control::CreditLink, preview.credit}}) {
    setText(link, target.text);
    linkTargets_[link] = target.target;
  }
}

std::string MainWindow::customField(int slot) const {
  HWND field = control(kSlotFields[slot]);
  return fromWide(kit::windowText(field));
}

void MainWindow::setCustomField(int slot, const std::string& path) { setPathText(kSlotFields[slot], path); }

void MainWindow::minimise() { ShowWindow(main_, SW_MINIMIZE); }

void MainWindow::close() { DestroyWindow(main_); }

// Between the title link and the page buttons, in the dim colour: a note, not a control.
// A press on it moves the window like one on the strip around it.
void MainWindow::createHostCarriesLabel() {
  addLabel(main_, Control::HostCarriesLabel, "", 90, 5, 280, 18, fonts_[1], SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS);
}

void MainWindow::showHostCarries(const std::string& text) { setText(Control::HostCarriesLabel, text); }

}  // namespace lumaset::ui
