// The theme menu that the "…" link opens: add a theme, open the theme folder, get more
// themes. Its items report through WM_COMMAND to the window that shows it.
#pragma once
#include <windows.h>

#include "widgets/scoped_gdi.h"

namespace lumaset::ui {

class ThemeMenu {
 public:
  void create();
  // Opens the menu at the pointer, or below `link` when the keyboard opened it (the link
  // has the focus).
  void show(HWND owner, HWND link) const;

 private:
  kit::PopupMenu menu_;
};

}  // namespace lumaset::ui
