// The window's commands in one table: the control or menu item, the notification that runs
// it and the action it runs. A press of the mouse, a key on a focused control and the keys
// that stand for a button (the arrows, Enter) all run the command through this table.
#pragma once
#include <windows.h>

#include <optional>

#include "ui/control_ids.h"
#include "ui/presenter.h"

namespace lumaset::ui {

// What a command asks of the window itself, beside the presenter's operations.
class WindowActions {
 public:
  virtual ~WindowActions() = default;
  virtual void showThemeMenu() = 0;
  // Opens the web page of the author's or the credit's link, when it has one.
  virtual void openLinkTarget(Control link) = 0;
  // What the theme list reports (CBN_DROPDOWN, CBN_CLOSEUP, ...).
  virtual void themeListNotice(int code) = 0;
  virtual void minimise() = 0;
  virtual void close() = 0;
};

struct CommandTargets {
  Presenter& presenter;
  WindowActions& window;
};

// Which notifications of a control run its command: a click (BN_CLICKED, STN_CLICKED, a
// menu item), a click or a quick second press (STN_DBLCLK), or any.
enum class Notice { kClick, kClickOrDoubleClick, kAny };

struct Command {
  Control control;
  Notice notice;
  void (*run)(CommandTargets& targets, int code);
};

// Runs the command of `control` for the notification `code`; false when there is none.
bool runCommand(CommandTargets& targets, Control control, int code);
// The control whose command the key runs while the page shows (0 the theme page, 1 the
// custom page); none for any other key.
std::optional<Control> keyCommand(WPARAM key, int page);

}  // namespace lumaset::ui
