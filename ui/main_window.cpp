// The main window's procedures: the window's own messages, the pages' messages (which go
// on to the main window), and the procedures of the preview and of the frame.
#include "ui/main_window.h"

#include <ole2.h>

#include "platform/system.h"
#include "platform/win32_progress_window.h"
#include "ui/image_button.h"
#include "ui/internal_error.h"
#include "ui/window_messages.h"

namespace lumaset::ui {
namespace {

MainWindow* windowOf(HWND window) {
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(GetAncestor(window, GA_ROOT), GWLP_USERDATA));
}

LRESULT CALLBACK previewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return HTCAPTION;
  // Alt+F4 on the preview closes the program, as on the main window.
  if (message == WM_CLOSE) return SendMessageW(GetWindow(window, GW_OWNER), WM_CLOSE, 0, 0);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcW(window, message, wParam, lParam);
}

void registerClass(const wchar_t* name, WNDPROC proc, HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  RegisterClassExW(&wc);
}

}  // namespace

MainWindow::MainWindow(Files& files, Win32Interaction& interaction, HostPlaces& places, std::string programFolder)
    : interaction_(interaction), presenter_(files, interaction, places, *this, std::move(programFolder)) {}

void MainWindow::chooseLanguage(std::optional<Language> commandLine) {
  presenter_.chooseLanguage(commandLine, systemUiLanguage());
  win32::useByteCountForms({text(Text::ProcessedKb), text(Text::ProcessedSmallMb), text(Text::ProcessedMb)});
}

bool MainWindow::isOpen() const { return main_ && IsWindow(main_); }

bool MainWindow::create() {
  registerImageButtonClass();
  registerClass(kMainClass, mainProc, colours_.panel());
  registerClass(kPageClass, pageProc, colours_.panel());
  registerClass(kPreviewClass, previewProc, nullptr);
  registerClass(kFrameClass, frameProc, nullptr);
  // Made on the monitor it was left on, while that one is still there: it opens at that
  // monitor's DPI. onCreate places the group.
  const Monitor monitor = monitorNamed(presenter_.windowSetting(kMonitorKey)).value_or(primaryMonitor());
  const int x = monitor.work.left + (monitor.work.width() - 824) / 2;
  const int y = monitor.work.top + (monitor.work.height() - 179) / 2;
  main_ = CreateWindowExW(WS_EX_APPWINDOW, kMainClass, L"Lumaset v1.0", WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU, x, y,
                          824, 179, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!main_) return false;
  ShowWindow(main_, SW_SHOW);
  UpdateWindow(main_);
  return true;
}

LRESULT CALLBACK MainWindow::mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* me = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    me->main_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(me));
  }
  auto* me = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!me) return DefWindowProcW(window, message, wParam, lParam);
  return guarded(window, message, wParam, lParam, [&] { return me->onMessage(message, wParam, lParam); });
}

LRESULT CALLBACK MainWindow::pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* me = windowOf(window);
  if (!me) return DefWindowProcW(window, message, wParam, lParam);
  return guarded(window, message, wParam, lParam, [&] { return me->onPageMessage(window, message, wParam, lParam); });
}

LRESULT MainWindow::onPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      return SendMessageW(main_, message, wParam, lParam);
    case WM_LBUTTONDOWN:
      presenter_.pageControlClicked();
      return 0;
    default:
      return DefWindowProcW(page, message, wParam, lParam);
  }
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The system's colours or its high-contrast mode changed; the message goes on as well.
  if (message == WM_SYSCOLORCHANGE || (message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST))
    followSystemColours();
  switch (message) {
    case WM_CREATE:
      onCreate();
      return 0;
    case WM_NCHITTEST: {
      LRESULT hit = DefWindowProcW(main_, message, wParam, lParam);
      return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_MOVE:
      previews_.mainMoved();
      return 0;
    case WM_DPICHANGED:
      onDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SIZE:
      previews_.mainResized(wParam);
      return 0;
    case WM_ACTIVATEAPP:
      if (wParam && started_) PostMessageW(main_, kCameToFront, 0, 0);
      return 0;
    case WM_ACTIVATE:
      if (keys_.keepFocusOnActivation(wParam)) return 0;
      return DefWindowProcW(main_, message, wParam, lParam);
    case WM_COMMAND:
      runCommand(commands_, static_cast<Control>(LOWORD(wParam)), HIWORD(wParam));
      return 0;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      return themeBox_.measureOrDraw(message, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return colours_.colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DROPFILES: {
      auto drop = reinterpret_cast<HDROP>(wParam);
      std::vector<std::string> paths = pathsOfDrop(drop);
      DragFinish(drop);
      presenter_.filesDropped(paths);
      return 0;
    }
    case WM_DESTROY:
      keepPlace();
      if (dropTarget_) RevokeDragDrop(main_);
      PostQuitMessage(0);
      return 0;
    default:
      if (onOwnMessage(message)) return 0;
      return DefWindowProcW(main_, message, wParam, lParam);
  }
}

bool MainWindow::onOwnMessage(UINT message) {
  switch (message) {
    case kThemeListClosed:
      themeBox_.listClosed();
      return true;
    case kFilesDropped:
      onFilesDropped();
      return true;
    case kFirstFrameDrawn:
      onFirstFrameDrawn();
      return true;
    case kCameToFront:
      // A message box or dialog of the window disables it: what it asks is not interrupted
      // by another question; the next return to the front asks then.
      if (IsWindowEnabled(main_)) presenter_.cameToFront();
      return true;
    default:
      return false;
  }
}

void MainWindow::onFilesDropped() {
  if (droppedPaths_.empty()) return;
  const std::vector<std::string> paths = std::move(droppedPaths_.front());
  droppedPaths_.erase(droppedPaths_.begin());
  presenter_.filesDropped(paths);
}

}  // namespace lumaset::ui
