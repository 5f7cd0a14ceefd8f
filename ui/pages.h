// The main window's frame and its two pages. The frame: the title link, the note of the
// look the host carries, the page buttons, the caption's buttons and, along the bottom,
// the path row and the startup-text toggle. The theme page: the icons, the description,
// the badges, the theme box between its stepping buttons, the theme menu's link, the
// author's and the credit's links and the apply. The custom page: six image fields with
// their browse buttons, the template and help links and the apply.
#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "ui/theme_box.h"
#include "ui/window_controls.h"
#include "widgets/image_control.h"

namespace lumaset::ui {

class Pages {
 public:
  Pages(WindowControls& controls, ThemeBox& themeBox) : controls_(controls), themeBox_(themeBox) {}

  // Every control of the frame and of the theme page, on the main window, and the custom
  // page's empty window: a start draws only the theme page, and a third of the controls
  // are the custom page's.
  void create(HWND main);
  // The custom page's controls, at the current scale, when they are not there yet; true
  // when they were made now.
  bool makeCustomPage();
  // The tooltips of the badges and of the backup link.
  void addToolTips();

  void showPage(int page);
  // The page that shows: 0 the theme page, 1 the custom page.
  int shownPage() const;
  // The icons of a look, at the current scale.
  void showIcons(const Look& look);
  // The badges and the author's and the credit's links of a theme.
  void showDetails(const Preview& preview);
  // The web page of the author's or the credit's link; empty when it has none.
  std::string linkTarget(Control link) const;

 private:
  void createFrame(HWND main);
  void createThemePage(HWND page);
  void createBadges(HWND page);
  void createCustomPage(HWND page);
  void cutToggleLabel();

  WindowControls& controls_;
  ThemeBox& themeBox_;
  HWND pages_[2] = {nullptr, nullptr};
  bool customMade_ = false;
  kit::ImageControl darkIcon_, lightIcon_;
  std::map<Control, std::string> linkTargets_;
};

}  // namespace lumaset::ui
