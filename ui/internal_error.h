// What the window says when its own code failed where no failure was foreseen (an
// exception): a message box with the exception's text, which also goes to the debugger's
// output. Window procedures catch every exception at their edge with `guarded`: none may
// unwind through the system, and none passes unseen.
#pragma once
#include <windows.h>

#include <exception>

namespace lumaset::ui {

// `stopped`: the program ends (an exception escaped its start or its end); otherwise the
// step that failed is left undone and the window goes on. `what` may be null.
void reportInternalError(HWND owner, const char* what, bool stopped);

// Runs `work` and reports what it throws; false when it threw.
template <typename Work>
bool runReported(HWND owner, Work work) {
  try {
    work();
    return true;
  } catch (const std::exception& e) {
    reportInternalError(owner, e.what(), false);
  } catch (...) {
    reportInternalError(owner, nullptr, false);
  }
  return false;
}

// A window procedure's work: what it throws is reported, and the message then has the
// default handling. A window whose creation failed is not made (WM_CREATE answers -1).
template <typename Work>
LRESULT guarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Work work) {
  LRESULT result = 0;
  if (runReported(window, [&] { result = work(); })) return result;
  return message == WM_CREATE ? -1 : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace lumaset::ui
