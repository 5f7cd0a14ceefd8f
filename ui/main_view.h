// What the main window shows and holds, as the presenter sees it: the Win32 window
// implements it, tests fake it.
#pragma once
#include <string>
#include <vector>

#include "run/run_state.h"
#include "themes/theme_list.h"

namespace lumaset::ui {

inline constexpr int kBrowseForHost = -1;
inline constexpr int kNoHostChosen = -2;

class MainView {
 public:
  virtual ~MainView() = default;

  // The path box 编辑框1.
  virtual void setPathBox(const std::string& text) = 0;
  // A look: the splash and the icons, the description, the toggle and the overlay.
  virtual void showLook(const Look& look) = 0;

  // The theme list box (组合框1), hidden behind the fake theme box (图片框1).
  virtual void setThemeEntries(const std::vector<std::string>& entries) = 0;
  virtual int themeEntryCount() const = 0;
  virtual int selectedThemeEntry() const = 0;  // -1 when none
  virtual void selectThemeEntry(int index) = 0;
  virtual std::string selectedThemeText() const = 0;
  virtual void setFakeThemeBoxText(const std::string& text) = 0;
  // Shows the list box and hides the fake one, or the other way round.
  virtual void showThemeList(bool listShown) = 0;
  virtual void dropDownThemeList() = 0;

  // The two pages of 选择夹1 and their buttons 图形按钮5 and 图形按钮6.
  virtual void showPage(int page) = 0;
  virtual bool themePagePressed() const = 0;
  virtual void setThemePagePressed(bool pressed) = 0;
  virtual bool customPagePressed() const = 0;
  virtual void setCustomPagePressed(bool pressed) = 0;
  virtual void redrawToggleLabel() = 0;

  // The startup-text check box 图形按钮20.
  virtual bool togglePressed() const = 0;
  virtual void setTogglePressed(bool pressed) = 0;
  // The overlay control of the splash preview, and the preview window's refresh.
  virtual void showOverlay(Overlay overlay) = 0;

  // Indicators, links and the rest of a theme's preview (the look goes to showLook).
  virtual void showPreviewDetails(const Preview& preview) = 0;

  // The label in the top strip that says which look the host carries now; empty before
  // a host is located.
  virtual void showHostCarries(const std::string& text) = 0;
  // The shield on the controls that change the host (both 应用 and 备份): its folders
  // need administrator rights.
  virtual void showNeedsAdministrator(bool needed) = 0;

  // The six custom image fields, in slot order (编辑框2, 7, 4, 5, 3, 6).
  virtual std::string customField(int slot) const = 0;
  virtual void setCustomField(int slot, const std::string& path) = 0;

  // The folder button's menu: the installed hosts (`items`, newest first; `current` the
  // one the program works on, -1 for none) and "browse". The host's index, kBrowseForHost,
  // or kNoHostChosen when the menu closed without a choice.
  virtual int chooseHost(const std::vector<std::string>& items, int current) = 0;

  virtual void minimise() = 0;
  virtual void close() = 0;
};

}  // namespace lumaset::ui
