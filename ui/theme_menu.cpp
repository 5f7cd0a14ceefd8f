#include "ui/theme_menu.h"

#include "messages/texts.h"
#include "platform/win32_text.h"
#include "ui/control_ids.h"
#include "widgets/window_rect.h"

namespace lumaset::ui {
namespace {

// Where the menu opens, less 3 pixels each way: at the pointer, or below the link when
// the keyboard opened it.
POINT menuPoint(HWND link) {
  POINT p;
  GetCursorPos(&p);
  if (GetFocus() != link) return p;
  const RECT r = kit::windowRect(link);
  return {r.left - 3, r.bottom - 3};
}

}  // namespace

void ThemeMenu::create() {
  menu_.create();
  AppendMenuW(menu_.get(), MF_STRING, id(Control::MenuAddTheme), toWide(text(Text::MenuAddTheme)).c_str());
  AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu_.get(), MF_STRING, id(Control::MenuOpenLibrary), toWide(text(Text::MenuOpenLibrary)).c_str());
  AppendMenuW(menu_.get(), MF_STRING, id(Control::MenuMoreThemes), toWide(text(Text::MenuMoreThemes)).c_str());
}

void ThemeMenu::show(HWND owner, HWND link) const {
  const POINT p = menuPoint(link);
  TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN, p.x + 3, p.y + 3, 0, owner, nullptr);
}

}  // namespace lumaset::ui
