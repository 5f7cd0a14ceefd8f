// One window of the program per user: a second start brings the running one to the front
// and ends. A named mutex of the user's session marks the running program (a lock file
// would outlive a crashed run; the mutex goes with its process), and the main window's
// class finds its window.
#pragma once
#include <windows.h>

#include "platform/win32_scoped.h"

namespace lumaset::ui {

class SingleInstance {
 public:
  SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when another run of the program held the mark first.
  bool anotherRuns() const { return another_; }

 private:
  win32::Handle mutex_;  // held until the program ends
  bool another_ = false;
};

// Brings the running program's main window to the front, restored when minimised, or the
// box or dialog it shows; waits a few seconds for a window that is still being opened.
// False when none appeared.
bool bringRunningWindowToFront();

}  // namespace lumaset::ui
