// The main window's keyboard: Tab and Shift+Tab walk the controls, the arrows step
// through the themes, Enter applies, Esc closes the open theme list and nothing else.
// The message loop hands every key to handleKey before the focused control sees it.
#include <windows.h>
#include <commctrl.h>

#include "ui/control_looks.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/path_field.h"
#include "ui/theme_list_looks.h"
#include "widgets/window_rect.h"

namespace lumaset::ui {
namespace {

// The order Tab walks: the page buttons, the theme page from the theme box to its
// apply button, the custom page's fields and buttons, then the bottom row and the
// caption's controls. Controls that are hidden (the other page's) or disabled are passed.
constexpr Control kTabOrder[] = {
    Control::ThemePageButton,   Control::CustomPageButton,  Control::ThemeBoxText,      Control::ThemeList,
    Control::PreviousThemeButton, Control::NextThemeButton, Control::ThemeMenuLink,     Control::AuthorLink,
    Control::CreditLink,        Control::ApplyThemeButton,  Control::SplashField,       Control::SplashBrowse,
    Control::LightField,        Control::LightBrowse,       Control::DarkField,         Control::DarkBrowse,
    Control::Splash2xField,     Control::Splash2xBrowse,    Control::Light2xField,      Control::Light2xBrowse,
    Control::Dark2xField,       Control::Dark2xBrowse,      Control::TemplateLink,      Control::HelpLink,
    Control::ApplyCustomButton, Control::PathBox,           Control::LocateButton,      Control::BackupLink,
    Control::StartupTextToggle, Control::ProjectLink,       Control::MinimiseButton,    Control::CloseButton};

constexpr Control kFocusableLabels[] = {Control::ThemeBoxText, Control::ThemeMenuLink, Control::AuthorLink,
                                        Control::CreditLink,   Control::TemplateLink,  Control::HelpLink,
                                        Control::BackupLink,   Control::ProjectLink};

}  // namespace

// What the controls get beyond their creation: the keyboard, the path boxes' ends, the
// theme box's looks and the startup-text label's gap to its frame.
void MainWindow::finishControls() {
  for (Control c : kFocusableLabels) makeFocusableLabel(control(c));
  for (Control c : kTabOrder) {
    HWND window = control(c);
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_TABSTOP);
  }
  // The host's folder is chosen with the folder button, never typed; the custom page's
  // fields take typed paths.
  SendMessageW(control(Control::PathBox), EM_SETREADONLY, TRUE, 0);
  showPathEnd(control(Control::PathBox));
  for (Control field : kSlotFields) showPathEnd(control(field));
  drawThemeListFace(control(Control::ThemeList));
  // The label would reach over its frame's right side: it shows up to 3 pixels before it
  // (design pixels: the part shown is scaled with the window).
  HWND label = control(Control::ToggleLabel);
  const DesignRect frame = placed_[control(Control::ToggleFrame)].rect, own = placed_[label].rect;
  showOnly(label, frame.x + frame.w - 1 - 3 - own.x, own.h);
}

LRESULT MainWindow::drawThemeList(UINT message, LPARAM lParam) {
  if (message == WM_MEASUREITEM) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (item->CtlID != static_cast<UINT>(id(Control::ThemeList))) return FALSE;
    measureThemeListItem(*item);
    if (item->itemID != static_cast<UINT>(-1)) item->itemHeight = static_cast<UINT>(scale_.px(static_cast<int>(item->itemHeight)));
    return TRUE;
  }
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (item->CtlID != static_cast<UINT>(id(Control::ThemeList))) return FALSE;
  drawThemeListItem(*item);
  return TRUE;
}

std::vector<HWND> MainWindow::tabOrder() const {
  std::vector<HWND> order;
  for (Control c : kTabOrder) {
    // A link without a caption (a theme without an author) is nothing to go to.
    HWND window = control(c);
    const bool emptyLink = (c == Control::AuthorLink || c == Control::CreditLink) && GetWindowTextLengthW(window) == 0;
    if (window && !emptyLink) order.push_back(window);
  }
  return order;
}

bool MainWindow::handleKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (root == preview_ && message.wParam == VK_ESCAPE && GetActiveWindow() == preview_) {
    DestroyWindow(preview_);
    preview_ = nullptr;
    return true;
  }
  if (root == preview_) {
    // A press on the preview made it the active window; the keys are the main window's,
    // which takes the activation back and its focus with it.
    SetActiveWindow(main_);
    MSG forMain = message;
    forMain.hwnd = GetFocus() ? GetFocus() : main_;
    if (!handleKey(forMain)) {
      TranslateMessage(&forMain);
      DispatchMessageW(&forMain);
    }
    return true;
  }
  if (root != main_) return false;
  HWND focus = GetFocus();
  HWND list = control(Control::ThemeList);
  // The open theme list takes its own keys: the arrows move in it, Enter chooses and Esc
  // closes it, giving the selection back.
  const bool inList = focus == list || IsChild(list, focus);
  // A held Enter or Space acts once: its repeats would apply again and again, each
  // answering the box the one before opened.
  const bool repeat = (message.lParam & (1 << 30)) != 0;
  if (repeat && message.wParam == VK_RETURN) return true;
  if (repeat && message.wParam == VK_SPACE && actsAsButton(GetFocus())) return true;
  switch (message.wParam) {
    case VK_TAB:
      if (HWND next = nextInTabOrder(tabOrder(), focus, GetKeyState(VK_SHIFT) < 0)) SetFocus(next);
      return true;
    case VK_ESCAPE:
      // Esc in the main window closes only what is open in it; Alt+F4 or the close
      // button end the program.
      return !inList;
    case VK_LEFT:
    case VK_RIGHT:
      if (inList || takesArrows(focus) || !IsWindowVisible(pages_[0])) return false;
      message.wParam == VK_LEFT ? presenter_.previousTheme() : presenter_.nextTheme();
      return true;
    case VK_RETURN:
      if (inList && SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0) {
        chooseFromOpenList();
        return true;
      }
      if (inList) return false;
      if (actsAsButton(focus)) return pressUntranslated(message);
      IsWindowVisible(pages_[0]) ? presenter_.applyThemeClicked() : presenter_.applyCustomClicked();
      return true;
    case VK_SPACE:
      return actsAsButton(focus) && pressUntranslated(message);
    default:
      return false;
  }
}

// A key that presses a button or a link reaches it without its character: the character
// of Enter would wait in the queue for the menu the press opens (the theme menu), which
// takes it for a choice of nothing and closes at once.
bool MainWindow::pressUntranslated(const MSG& message) {
  DispatchMessageW(&message);
  return true;
}

// Where the theme menu opens, less 3 pixels each way: at the pointer, or below the link
// when the keyboard opened it.
POINT MainWindow::themeMenuPoint() const {
  POINT p;
  GetCursorPos(&p);
  HWND link = control(Control::ThemeMenuLink);
  if (GetFocus() != link) return p;
  const RECT r = kit::windowRect(link);
  return {r.left - 3, r.bottom - 3};
}

// The focus comes back to the control that had it when the window was last active (after
// a message box, or a switch to another program), as a dialog's does.
bool MainWindow::keepFocusOnActivation(WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE) {
    HWND focus = GetFocus();
    // The open list closes as the window goes: the box that stands for it takes the focus back.
    if (focus == control(Control::ThemeList)) focus = control(Control::ThemeBoxText);
    if (focus && IsChild(main_, focus)) lastFocus_ = focus;
    return false;
  }
  if (!lastFocus_ || !IsWindow(lastFocus_) || !IsWindowVisible(lastFocus_) || HIWORD(state)) return false;
  SetFocus(lastFocus_);
  return true;
}

void MainWindow::onThemeListCommand(int code) {
  HWND list = control(Control::ThemeList);
  switch (code) {
    case CBN_DROPDOWN:
      listShownEntry_ = selectedThemeEntry();
      listDropped_ = true;
      return;
    case CBN_SELCHANGE:
      // The keys move the selection while the list is open; the choice is made when it closes.
      if (SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) == 0) presenter_.themeBoxUpdate();
      return;
    case CBN_SELENDCANCEL:
      // A cancelled list gives its entry back. The box also sends this when it loses the
      // focus, long after the list closed: the entry chosen then stays.
      if (listDropped_) selectThemeEntry(listShownEntry_);
      return;
    case CBN_CLOSEUP:
      listDropped_ = false;
      PostMessageW(main_, kThemeListClosed, 0, 0);
      return;
    case CBN_KILLFOCUS:
      presenter_.closeThemeBox();
      return;
    default:
      return;
  }
}

// Enter in the open list chooses the entry it shows. The list's own Enter may cancel (under
// wine it does, and the entry it opened on comes back): the list is closed here and the
// entry kept; the close then previews it.
void MainWindow::chooseFromOpenList() {
  const int chosen = selectedThemeEntry();
  SendMessageW(control(Control::ThemeList), CB_SHOWDROPDOWN, FALSE, 0);
  selectThemeEntry(chosen);
}

// After the list closed by a key: a new entry is previewed, else the box just closes; the
// focus stays on the theme box.
void MainWindow::themeListClosed() {
  HWND list = control(Control::ThemeList);
  if (!IsWindowVisible(list)) return;
  const bool hadFocus = GetFocus() == list, chosen = selectedThemeEntry() != listShownEntry_;
  presenter_.closeThemeBox();
  if (hadFocus) SetFocus(control(Control::ThemeBoxText));
  if (chosen) presenter_.themeBoxUpdate();
}

}  // namespace lumaset::ui
