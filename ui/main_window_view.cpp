// What the presenter sees of the main window beyond its parts' own answers, and what the
// window does itself when a command asks it.
#include "ui/main_window.h"

#include "ui/host_menu.h"
#include "ui/path_field.h"

namespace lumaset::ui {

void MainWindow::showLook(const Look& look) {
  lookShown_ = look;
  lookReceived_ = true;
  showLookImages();
  showTextCutToFit(controls_.get(Control::DescriptionBox), look.description);
  setTogglePressed(look.startupTextToggle);
  // A host without a language file has no startup text to change: the box and its
  // label are dimmed.
  HWND toggle = controls_.get(Control::StartupTextToggle);
  if ((IsWindowEnabled(toggle) != FALSE) != look.startupTextAvailable) {
    EnableWindow(toggle, look.startupTextAvailable);
    redrawToggleLabel();
  }
  showOverlay(look.overlay);
}

void MainWindow::showPage(int page) {
  // The custom page is made when it first shows, with what its controls need.
  if (page == 1 && pages_.makeCustomPage()) {
    keys_.prepare(main_);
    paths_.prepare();
    markShield(controls_.get(Control::ApplyCustomButton), shieldShown_);
  }
  pages_.showPage(page);
  keys_.keepFocusShown(page == 0 ? Control::ThemePageButton : Control::CustomPageButton);
}

void MainWindow::showNeedsAdministrator(bool needed) {
  shieldShown_ = needed;
  for (Control c : {Control::ApplyThemeButton, Control::ApplyCustomButton, Control::BackupLink})
    markShield(controls_.get(c), needed);
}

void MainWindow::redrawToggleLabel() {
  HWND label = controls_.get(Control::ToggleLabel);
  ShowWindow(label, SW_HIDE);
  ShowWindow(label, SW_SHOW);
  InvalidateRect(label, nullptr, TRUE);
}

int MainWindow::chooseHost(const std::vector<std::string>& items, int current) {
  return chooseHostFromMenu(main_, controls_.get(Control::LocateButton), items, current);
}

void MainWindow::minimise() { ShowWindow(main_, SW_MINIMIZE); }

void MainWindow::close() { DestroyWindow(main_); }

void MainWindow::showThemeMenu() { themeMenu_.show(main_, controls_.get(Control::ThemeMenuLink)); }

void MainWindow::openLinkTarget(Control link) {
  const std::string target = pages_.linkTarget(link);
  if (!target.empty()) interaction_.openWebPage(target);
}

}  // namespace lumaset::ui
