// The theme box: a fake box (the box's image with the selected theme's name inside) that
// stands in front of the owner-drawn theme list and opens it on a press; the list shows
// while it is open, and closes back into the fake box.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/presenter.h"
#include "ui/window_controls.h"

namespace lumaset::ui {

class ThemeBox {
 public:
  ThemeBox(WindowControls& controls, Presenter& presenter) : controls_(controls), presenter_(presenter) {}

  // The list and the fake box with the name, on the theme page.
  void create(HWND page);
  // The fake box's image at the current scale.
  void showImage();
  // The list's lines, measured once when the list was made, at the current scale.
  void measureLinesAgain();

  void setEntries(const std::vector<std::string>& entries);
  int entryCount() const;
  int selectedEntry() const;  // -1 when none
  void selectEntry(int index);
  std::string selectedText() const;
  void setName(const std::string& text);
  // Shows the list and hides the fake box, or the other way round.
  void showList(bool listShown);
  void dropDown();

  // What the list reports (CBN_...).
  void onListNotice(int code);
  // After the list closed by a key (kThemeListClosed).
  void listClosed();
  // Whether the focus is in the list, and whether its drop-down is open.
  bool holdsFocus(HWND focus) const;
  bool droppedDown() const;
  // Enter in the open list chooses the entry it shows.
  void chooseFromOpenList();
  // WM_MEASUREITEM and WM_DRAWITEM of the list; FALSE for another control's.
  LRESULT measureOrDraw(UINT message, LPARAM lParam) const;

 private:
  HWND list() const { return controls_.get(Control::ThemeList); }

  WindowControls& controls_;
  Presenter& presenter_;
  int listShownEntry_ = -1;   // the list's selection when it opened
  bool listDropped_ = false;  // the list is open
};

}  // namespace lumaset::ui
