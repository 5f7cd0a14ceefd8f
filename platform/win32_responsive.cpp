// Work run on a thread of its own while the window thread keeps the windows painted: the
// window takes no input meanwhile (posted messages wait in the queue, a close among them;
// the mouse's and the keyboard's are dropped at the end, so that no press made meanwhile
// starts a second operation), and a small progress window says what runs once the work
// outlasts half a second. The owner is not disabled: that would take the focus from it,
// and the focus it had is where the keys go afterwards. Windows marks a window whose thread takes no messages for five
// seconds "Not Responding"; a first backup copies hundreds of MB.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <thread>

#include "platform/win32_interaction.h"
#include "platform/win32_scoped.h"
#include "platform/win32_text.h"

namespace lumaset {
namespace {

constexpr DWORD kProgressDelayMs = 500;
constexpr const wchar_t* kProgressClass = L"LumasetProgress";

void registerProgressClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_WAIT);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kProgressClass;
  RegisterClassExW(&wc);  // fails harmlessly once registered
}

// The DPI the owner is drawn at, as its device context tells it.
int screenDpi(HWND owner) {
  HDC dc = GetDC(owner);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(owner, dc);
  return dpi > 0 ? dpi : 96;
}

// A captionless box centred on the owner: the text above a marquee bar.
HWND makeProgressWindow(HWND owner, const std::string& text, HWND& bar) {
  registerProgressClass();
  const int dpi = screenDpi(owner);
  const int w = MulDiv(360, dpi, 96), h = MulDiv(76, dpi, 96);
  RECT o{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner) GetWindowRect(owner, &o);
  // Owned by the window, it stands above it without being topmost.
  HWND box = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kProgressClass, toWide(text).c_str(),
                             WS_POPUP | WS_BORDER, (o.left + o.right - w) / 2, (o.top + o.bottom - h) / 2, w, h, owner,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!box) return nullptr;
  const int margin = MulDiv(12, dpi, 96), line = MulDiv(20, dpi, 96);
  HWND label = CreateWindowExW(0, L"Static", toWide(text).c_str(), WS_CHILD | WS_VISIBLE, margin, margin,
                               w - 2 * margin, line, box, nullptr, nullptr, nullptr);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_MARQUEE, margin, margin + line + margin / 2,
                        w - 2 * margin, line * 3 / 4, box, nullptr, nullptr, nullptr);
  SendMessageW(bar, PBM_SETMARQUEE, TRUE, 30);
  ShowWindow(box, SW_SHOWNOACTIVATE);
  UpdateWindow(box);
  return box;
}

// Dispatches what keeps the windows drawn: sent messages, paints, and once the progress
// window shows, the timers that move its bar (and a text box's caret). Posted input and
// commands wait for the end.
void dispatchPaintsAndSends(bool timers) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) DispatchMessageW(&msg);
  while (timers && PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageW(&msg);
}

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

void Win32Interaction::runWhileResponsive(const std::string& text, const std::function<void()>& work) {
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
  HWND progress = nullptr, bar = nullptr;
  const ULONGLONG start = GetTickCount64();
  HANDLE waitFor = finished.get();
  for (;;) {
    const ULONGLONG elapsed = GetTickCount64() - start;
    const DWORD timeout = progress ? INFINITE : elapsed >= kProgressDelayMs ? 0 : kProgressDelayMs - static_cast<DWORD>(elapsed);
    // A timer of a window left undispatched would wake the wait again at once: timers are
    // waited for only once they are dispatched.
    const DWORD wake = QS_PAINT | QS_SENDMESSAGE | (progress ? QS_TIMER : 0);
    const DWORD woke = MsgWaitForMultipleObjects(1, &waitFor, FALSE, timeout, wake);
    if (woke == WAIT_OBJECT_0) break;
    if (woke == WAIT_TIMEOUT && !progress) progress = makeProgressWindow(owner_, text, bar);
    dispatchPaintsAndSends(progress != nullptr);
  }
  worker.join();
  if (progress) DestroyWindow(progress);
  dropInputMadeMeanwhile();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace lumaset
