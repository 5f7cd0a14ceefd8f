#include "ui/window_keys.h"

#include <commctrl.h>

#include "ui/keyboard.h"

namespace lumaset::ui {
namespace {

// The order Tab walks: the page buttons, the theme page from the theme box to its
// apply button, the custom page's fields and buttons, then the bottom row and the
// caption's controls. Controls that are hidden (the other page's) or disabled are passed;
// the path box, which takes no typing, is none to go to.
constexpr Control kTabOrder[] = {
    Control::ThemePageButton,     Control::CustomPageButton, Control::ThemeBoxText,   Control::ThemeList,
    Control::PreviousThemeButton, Control::NextThemeButton,  Control::ThemeMenuLink,  Control::AuthorLink,
    Control::CreditLink,          Control::ApplyThemeButton, Control::SplashField,    Control::SplashBrowse,
    Control::LightField,          Control::LightBrowse,      Control::DarkField,      Control::DarkBrowse,
    Control::Splash2xField,       Control::Splash2xBrowse,   Control::Light2xField,   Control::Light2xBrowse,
    Control::Dark2xField,         Control::Dark2xBrowse,     Control::TemplateLink,   Control::HelpLink,
    Control::ApplyCustomButton,   Control::LocateButton,     Control::BackupLink,
    Control::StartupTextToggle,   Control::ProjectLink,      Control::MinimiseButton, Control::CloseButton};

constexpr Control kFocusableLabels[] = {Control::ThemeBoxText, Control::ThemeMenuLink, Control::AuthorLink,
                                        Control::CreditLink,   Control::TemplateLink,  Control::HelpLink,
                                        Control::BackupLink,   Control::ProjectLink};

// A key that presses a button or a link reaches it without its character: the character
// of Enter would wait in the queue for the menu the press opens (the theme menu), which
// takes it for a choice of nothing and closes at once.
bool pressUntranslated(const MSG& message) {
  DispatchMessageW(&message);
  return true;
}

}  // namespace

void WindowKeys::prepare(HWND main) {
  main_ = main;
  for (Control c : kFocusableLabels)
    if (HWND label = controls_.get(c)) makeFocusableLabel(label);
  for (Control c : kTabOrder)
    if (HWND window = controls_.get(c))
      SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_TABSTOP);
}

std::vector<HWND> WindowKeys::tabOrder() const {
  std::vector<HWND> order;
  for (Control c : kTabOrder) {
    // A link without a caption (a theme without an author) is nothing to go to.
    HWND window = controls_.get(c);
    const bool emptyLink = (c == Control::AuthorLink || c == Control::CreditLink) && GetWindowTextLengthW(window) == 0;
    if (window && !emptyLink) order.push_back(window);
  }
  return order;
}

bool WindowKeys::handleKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (root == previews_.preview()) return handlePreviewKey(message);
  return root == main_ && handleMainKey(message);
}

bool WindowKeys::handlePreviewKey(const MSG& message) {
  if (message.wParam == VK_ESCAPE && GetActiveWindow() == previews_.preview()) {
    previews_.closePreview();
    return true;
  }
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

bool WindowKeys::handleMainKey(const MSG& message) {
  HWND focus = GetFocus();
  // The open theme list takes its own keys: the arrows move in it, Enter chooses and Esc
  // closes it, giving the selection back.
  const bool inList = themeBox_.holdsFocus(focus);
  // A held Enter or Space acts once: its repeats would apply again and again, each
  // answering the box the one before opened.
  const bool repeat = (message.lParam & (1 << 30)) != 0;
  if (repeat && message.wParam == VK_RETURN) return true;
  if (repeat && message.wParam == VK_SPACE && actsAsButton(focus)) return true;
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
      return !inList && !takesArrows(focus) && runKeyCommand(message.wParam);
    case VK_RETURN:
      if (inList && themeBox_.droppedDown()) {
        themeBox_.chooseFromOpenList();
        return true;
      }
      // On the closed theme box Enter applies the theme it shows, as on the page.
      if (inList || focus == controls_.get(Control::ThemeBoxText)) return runKeyCommand(message.wParam);
      if (actsAsButton(focus)) return pressUntranslated(message);
      return runKeyCommand(message.wParam);
    case VK_SPACE:
      return actsAsButton(focus) && pressUntranslated(message);
    default:
      return false;
  }
}

void WindowKeys::focusOnStart() { SetFocus(controls_.get(Control::ThemeBoxText)); }

void WindowKeys::keepFocusShown(Control pageButton) {
  HWND focus = GetFocus();
  if (!focus || !IsWindowVisible(focus)) SetFocus(controls_.get(pageButton));
}

// The key's command on the page that shows, as a press of its button would run it.
bool WindowKeys::runKeyCommand(WPARAM key) {
  const std::optional<Control> button = keyCommand(key, pages_.shownPage());
  return button && runCommand(commands_, *button, BN_CLICKED);
}

// The focus comes back to the control that had it when the window was last active (after
// a message box, or a switch to another program), as a dialog's does.
bool WindowKeys::keepFocusOnActivation(WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE) {
    HWND focus = GetFocus();
    // The open list closes as the window goes: the box that stands for it takes the focus back.
    if (focus == controls_.get(Control::ThemeList)) focus = controls_.get(Control::ThemeBoxText);
    if (focus && IsChild(main_, focus)) lastFocus_ = focus;
    return false;
  }
  if (!lastFocus_ || !IsWindow(lastFocus_) || !IsWindowVisible(lastFocus_) || HIWORD(state)) return false;
  SetFocus(lastFocus_);
  return true;
}

}  // namespace lumaset::ui
