// Work run on a thread of its own while the window thread keeps the windows painted: the
// window takes no input meanwhile (posted messages wait in the queue, a close among them;
// the mouse's and the keyboard's are dropped at the end, so that no press made meanwhile
// starts a second operation), and a small progress window says what runs once the work
// outlasts half a second, with the bytes the work counts (platform/win32_progress_window.h).
// The owner is not disabled: that would take the focus from it, and the focus it had is
// where the keys go afterwards. Windows marks a window whose thread takes no messages for
// five seconds "Not Responding"; a first backup copies hundreds of MB.
#include <windows.h>

#include <exception>
#include <thread>

#include "platform/win32_interaction.h"
#include "platform/win32_progress_window.h"
#include "platform/win32_scoped.h"

namespace lumaset {
namespace {

// Presses and keys that came while the work ran would act on a window that showed no
// sign of taking them.
void dropInputMadeMeanwhile() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
}

}  // namespace

void Win32Interaction::runWhileResponsive(const std::string& text, const WorkProgress& progress,
                                          const std::function<void()>& work) {
  win32::Handle finished(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!finished.ok()) return work();
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
    SetEvent(finished.get());
  });
  win32::waitShowingProgress(finished.get(), owner_, text, [&] {
    return win32::ByteCounts{progress.done(), progress.total()};
  });
  worker.join();
  dropInputMadeMeanwhile();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace lumaset
