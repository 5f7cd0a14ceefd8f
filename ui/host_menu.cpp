#include "ui/host_menu.h"

#include "messages/texts.h"
#include "platform/win32_text.h"
#include "ui/main_view.h"
#include "widgets/scoped_gdi.h"
#include "widgets/window_rect.h"

namespace lumaset::ui {
namespace {

// A menu takes "&" for the mnemonic's mark: a folder's "&" is doubled to stay a letter.
std::wstring menuText(const std::string& text) {
  std::wstring wide = toWide(text), out;
  for (wchar_t c : wide) {
    out += c;
    if (c == L'&') out += L'&';
  }
  return out;
}

}  // namespace

int chooseHostFromMenu(HWND owner, HWND button, const std::vector<std::string>& items, int current) {
  kit::PopupMenu menu;
  menu.create();
  // Item ids start at 1: TrackPopupMenu returns 0 for a menu closed without a choice.
  for (std::size_t i = 0; i < items.size(); ++i) {
    const UINT checked = static_cast<int>(i) == current ? MF_CHECKED : MF_UNCHECKED;
    AppendMenuW(menu.get(), MF_STRING | checked, i + 1, menuText(items[i]).c_str());
  }
  AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  const UINT browse = static_cast<UINT>(items.size() + 1);
  AppendMenuW(menu.get(), MF_STRING, browse, menuText(text(Text::HostMenuBrowse)).c_str());
  const RECT r = kit::windowRect(button);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, r.left, r.bottom, 0, owner, nullptr));
  if (chosen == 0) return kNoHostChosen;
  if (chosen == browse) return kBrowseForHost;
  return static_cast<int>(chosen) - 1;
}

}  // namespace lumaset::ui
