#include "platform/win32_progress_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/win32_text.h"

namespace lumaset::win32 {
namespace {

constexpr const wchar_t* kProgressClass = L"LumasetProgress";
// The bar's range: a thousandth of the total a step.
constexpr int kBarRange = 1000;

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

HWND makeLabel(HWND box, const std::string& text, int x, int y, int w, int h) {
  HWND label = CreateWindowExW(0, L"Static", toWide(text).c_str(), WS_CHILD | WS_VISIBLE, x, y, w, h, box, nullptr,
                               nullptr, nullptr);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return label;
}

}  // namespace

namespace {
ByteCountForms countForms = {"已处理 %.0f / %.0f KB", "已处理 %.1f / %.1f MB", "已处理 %.0f / %.0f MB"};
}  // namespace

void useByteCountForms(const ByteCountForms& forms) { countForms = forms; }

std::string byteCountText(std::uint64_t done, std::uint64_t total) {
  const bool small = total < (1u << 20);
  const double unit = small ? 1024.0 : 1024.0 * 1024.0;
  const char* form = small ? countForms.kb : total < (10u << 20) ? countForms.smallMb : countForms.mb;
  char text[96];
  std::snprintf(text, sizeof text, form, static_cast<double>(done) / unit, static_cast<double>(total) / unit);
  return text;
}

// The text, below it the count (empty until a total is known), and the bar.
ProgressWindow::ProgressWindow(HWND owner, const std::string& text) {
  registerProgressClass();
  const int dpi = screenDpi(owner);
  const int w = MulDiv(360, dpi, 96), h = MulDiv(100, dpi, 96);
  RECT o{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner) GetWindowRect(owner, &o);
  // Owned by the window, it stands above it without being topmost.
  box_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kProgressClass, toWide(text).c_str(),
                         WS_POPUP | WS_BORDER, (o.left + o.right - w) / 2, (o.top + o.bottom - h) / 2, w, h, owner,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!box_) return;
  const int margin = MulDiv(12, dpi, 96), line = MulDiv(20, dpi, 96);
  makeLabel(box_, text, margin, margin, w - 2 * margin, line);
  count_ = makeLabel(box_, "", margin, margin + line, w - 2 * margin, line);
  bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_MARQUEE, margin,
                         margin + 2 * line + margin / 2, w - 2 * margin, line * 3 / 4, box_, nullptr, nullptr, nullptr);
  SendMessageW(bar_, PBM_SETMARQUEE, TRUE, 30);
  ShowWindow(box_, SW_SHOWNOACTIVATE);
  UpdateWindow(box_);
}

ProgressWindow::~ProgressWindow() {
  if (box_) DestroyWindow(box_);
}

void ProgressWindow::show(std::uint64_t done, std::uint64_t total) {
  if (!box_ || total == 0 || (done == shownDone_ && total == shownTotal_)) return;
  if (done > total) done = total;
  if (!determinate_) {
    SendMessageW(bar_, PBM_SETMARQUEE, FALSE, 0);
    SetWindowLongPtrW(bar_, GWL_STYLE, GetWindowLongPtrW(bar_, GWL_STYLE) & ~static_cast<LONG_PTR>(PBS_MARQUEE));
    SendMessageW(bar_, PBM_SETRANGE32, 0, kBarRange);
    determinate_ = true;
  }
  // A step whose size is known only when it starts adds to the total: the bar then waits
  // for the share to pass where it stands rather than going back; the count tells all.
  const double share = static_cast<double>(done) / static_cast<double>(total);
  position_ = std::max(position_, static_cast<int>(share * kBarRange));
  SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
  SetWindowTextW(count_, toWide(byteCountText(done, total)).c_str());
  shownDone_ = done;
  shownTotal_ = total;
}

namespace {

void dispatchPaintsAndSends(bool timers) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) DispatchMessageW(&msg);
  while (timers && PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageW(&msg);
}

// How long the wait may sleep before `due`.
DWORD until(ULONGLONG due) {
  const ULONGLONG now = GetTickCount64();
  return now >= due ? 0 : static_cast<DWORD>(due - now);
}

}  // namespace

DWORD waitShowingProgress(HANDLE object, HWND owner, const std::string& text,
                          const std::function<ByteCounts()>& counts) {
  std::unique_ptr<ProgressWindow> window;
  ULONGLONG due = GetTickCount64() + kProgressDelayMs;
  for (;;) {
    // A timer of a window left undispatched would wake the wait again at once: timers are
    // waited for only once they are dispatched.
    const DWORD wake = QS_PAINT | QS_SENDMESSAGE | (window ? QS_TIMER : 0);
    const DWORD woke = MsgWaitForMultipleObjects(1, &object, FALSE, until(due), wake);
    if (woke == WAIT_OBJECT_0) return woke;
    if (woke != WAIT_OBJECT_0 + 1 && woke != WAIT_TIMEOUT) return woke;
    if (until(due) == 0) {
      if (!window) window = std::make_unique<ProgressWindow>(owner, text);
      const ByteCounts now = counts();
      window->show(now.done, now.total);
      due = GetTickCount64() + kProgressTickMs;
    }
    dispatchPaintsAndSends(window != nullptr);
  }
}

}  // namespace lumaset::win32
