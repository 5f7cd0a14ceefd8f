// The main window's keyboard: Tab and Shift+Tab walk the controls, the keys of the command
// table stand for their buttons (the arrows step through the themes, Enter applies), Esc
// closes the open theme list and nothing else, and the focus comes back where it was when
// the window is active again. The message loop hands every key to handleKey before the
// focused control sees it.
#pragma once
#include <windows.h>

#include <vector>

#include "ui/commands.h"
#include "ui/pages.h"
#include "ui/preview_windows.h"
#include "ui/theme_box.h"
#include "ui/window_controls.h"

namespace lumaset::ui {

class WindowKeys {
 public:
  WindowKeys(WindowControls& controls, Pages& pages, ThemeBox& themeBox, PreviewWindows& previews,
             CommandTargets& commands)
      : controls_(controls), pages_(pages), themeBox_(themeBox), previews_(previews), commands_(commands) {}

  // Once the controls stand: the links and the theme box's name take the focus, and the
  // controls of the tab order are tab stops. Controls not made yet (the custom page's,
  // until it first shows) are passed; it runs again once they are.
  void prepare(HWND main);
  // The theme box takes the focus when the window opens: its outline shows where keys go.
  void focusOnStart();
  // After a page switch, a focus left on the page that went hidden moves to the page's
  // button, where the arrows and Enter work again.
  void keepFocusShown(Control pageButton);
  // True when the key was handled and goes no further.
  bool handleKey(const MSG& message);
  // WM_ACTIVATE: true when the focus was given back and the message needs no more.
  bool keepFocusOnActivation(WPARAM state);

 private:
  bool handlePreviewKey(const MSG& message);
  bool handleMainKey(const MSG& message);
  bool runKeyCommand(WPARAM key);
  std::vector<HWND> tabOrder() const;

  WindowControls& controls_;
  Pages& pages_;
  ThemeBox& themeBox_;
  PreviewWindows& previews_;
  CommandTargets& commands_;
  HWND main_ = nullptr;
  HWND lastFocus_ = nullptr;  // the focus when the window was last active
};

}  // namespace lumaset::ui
