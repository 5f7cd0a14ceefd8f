// Start to first drawn frame: starts a program and a yardstick program in alternating
// pairs and times each from CreateProcess until the program's windows are all on the
// screen, drawn, and its thread waits for input. Prints each pair and the medians.
// Usage: start-bench PROGRAM.EXE WINDOWS YARDSTICK.EXE WINDOWS PAIRS
//   WINDOWS: how many visible top-level windows make the program's first frame.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Windows {
  DWORD process;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM param) {
  auto* w = reinterpret_cast<Windows*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == w->process && IsWindowVisible(window)) w->found.push_back(window);
  return TRUE;
}

// A window is drawn when the pixel at its centre is no longer the empty screen's black.
bool drawn(HDC screen, HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  COLORREF c = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  return c != CLR_INVALID && c != RGB(0, 0, 0);
}

bool firstFrame(DWORD process, std::size_t windows, HDC screen) {
  Windows w{process, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&w));
  if (w.found.size() < windows) return false;
  for (HWND window : w.found) {
    if (!drawn(screen, window)) return false;
  }
  // The thread has left its start-up and waits in its message loop.
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(w.found.front(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) != 0;
}

void closeAll(DWORD process) {
  Windows w{process, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&w));
  for (HWND window : w.found) PostMessageW(window, WM_CLOSE, 0, 0);
}

// Milliseconds to the first frame, or a negative number when it never came.
double timeStart(const std::wstring& exe, std::size_t windows) {
  std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
  std::wstring line = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
    return -1;
  }
  HDC screen = GetDC(nullptr);
  double ms = -1;
  for (;;) {
    QueryPerformanceCounter(&now);
    double elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    if (firstFrame(pi.dwProcessId, windows, screen)) {
      QueryPerformanceCounter(&now);
      ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
      break;
    }
    if (elapsed > 20000 || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }
  ReleaseDC(nullptr, screen);
  closeAll(pi.dwProcessId);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ms;
}

// The program's file name without its folder and extension, to name it in the lines.
std::string nameOf(const std::wstring& exe) {
  std::wstring name = exe.substr(exe.find_last_of(L"\\/") + 1);
  name = name.substr(0, name.rfind(L'.'));
  return std::string(name.begin(), name.end());
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t n = values.size();
  return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: start-bench PROGRAM.EXE WINDOWS YARDSTICK.EXE WINDOWS PAIRS\n");
    return 2;
  }
  const std::wstring program = argv[1], yardstick = argv[3];
  const std::string programName = nameOf(program), yardstickName = nameOf(yardstick);
  const auto programWindows = static_cast<std::size_t>(std::wcstol(argv[2], nullptr, 10));
  const auto yardstickWindows = static_cast<std::size_t>(std::wcstol(argv[4], nullptr, 10));
  const int pairs = static_cast<int>(std::wcstol(argv[5], nullptr, 10));
  // One start of each first, not counted: the first start of a program fills caches.
  timeStart(program, programWindows);
  timeStart(yardstick, yardstickWindows);
  std::vector<double> a, b;
  for (int i = 0; i < pairs; ++i) {
    // Alternating which goes first, so that neither always follows the other.
    double first = i % 2 ? timeStart(yardstick, yardstickWindows) : timeStart(program, programWindows);
    double second = i % 2 ? timeStart(program, programWindows) : timeStart(yardstick, yardstickWindows);
    double measured = i % 2 ? second : first, yard = i % 2 ? first : second;
    if (measured < 0 || yard < 0) {
      std::fprintf(stderr, "pair %d: a program showed no frame within 20 s\n", i + 1);
      return 1;
    }
    a.push_back(measured);
    b.push_back(yard);
    std::printf("pair %2d: %s %7.1f ms  %s %7.1f ms  ratio %.2f\n", i + 1, programName.c_str(), measured,
                yardstickName.c_str(), yard, measured / yard);
  }
  double ma = median(a), mb = median(b);
  std::printf("median: %s %.1f ms  %s %.1f ms  ratio %.2f\n", programName.c_str(), ma, yardstickName.c_str(), mb,
              ma / mb);
  return 0;
}
