// Drops by WM_DROPFILES, as an elevated window takes them from Explorer: the window
// accepts them, and every path of the list arrives whole, long and Chinese ones too.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32_text.h"
#include "ui/drop_target.h"

namespace lumaset {
namespace {

std::vector<std::string> received;

LRESULT CALLBACK dropWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DROPFILES) {
    received = ui::pathsOfDrop(reinterpret_cast<HDROP>(wParam));
    DragFinish(reinterpret_cast<HDROP>(wParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A list of files as the shell hands it over: DROPFILES, then the wide paths, each ended
// by a NUL, and one more NUL at the end.
HGLOBAL fileList(const std::vector<std::string>& paths) {
  std::wstring list;
  for (const std::string& path : paths) list += toWide(path) + L'\0';
  list += L'\0';
  const SIZE_T size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL global = GlobalAlloc(GHND, size);
  auto* files = static_cast<DROPFILES*>(GlobalLock(global));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(global);
  return global;
}

TEST(Win32Drop, AWindowThatTakesDroppedFilesGetsEveryPathWhole) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = dropWindow;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"LumasetDropTest";
  ASSERT_TRUE(RegisterClassW(&wc));
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"drop", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);
  ASSERT_TRUE(window);
  ui::acceptDroppedFiles(window);
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

  const std::vector<std::string> paths = {"C:\\Users\\张三\\Downloads\\樱花 主题.zip",
                                          "D:\\" + std::string(300, 'x') + "\\Ink", "Z:\\tmp\\plain"};
  SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(fileList(paths)), 0);
  EXPECT_EQ(received, paths);
  DestroyWindow(window);
}

}  // namespace
}  // namespace lumaset
