// The folder button's menu: the installed hosts, the one the program works on checked,
// and "浏览…" after them. It opens below the button and returns the choice itself, so
// that the presenter can go on with it in the same step.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace lumaset::ui {

// The text of the menu's last item, which opens the dialog for Photoshop.exe.

// The index of the host chosen, kBrowseForHost, or kNoHostChosen (ui/main_view.h).
int chooseHostFromMenu(HWND owner, HWND button, const std::vector<std::string>& items, int current);

}  // namespace lumaset::ui
