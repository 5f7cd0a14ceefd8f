#include "gui_dpi_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "platform/win32_text.h"
#include "ui/control_ids.h"

using lumaset::fromWide;
using lumaset::toWide;
using lumaset::ui::controlId;
using lumaset::ui::DesignRect;
using lumaset::ui::Scale;

namespace dpi {
namespace {

int passedCount = 0;
HANDLE running = nullptr;
const DesignRect kPageControl{8, 29, 808, 155};

HWND waitFor(HWND (*find)(void*), void* context, const std::string& what, int seconds = 30) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (HWND found = find(context)) return found;
    Sleep(50);
  }
  fail("no " + what);
}

HWND topWindow(DWORD process, const wchar_t* cls) {
  for (HWND w = FindWindowExW(nullptr, nullptr, cls, nullptr); w; w = FindWindowExW(nullptr, w, cls, nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == process && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

HWND child(HWND main, const char* name) {
  HWND found = driver::findChild(main, controlId(name));
  if (!found) fail(std::string("no control ") + name);
  return found;
}

std::string textOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 20000, &copied);
  return fromWide(text);
}

void waitText(HWND window, const std::string& text) {
  for (int i = 0; i < 600 && textOf(window) != text; ++i) Sleep(50);
  if (textOf(window) != text) fail("the fake theme box does not show " + text);
}

std::string sizeText(const RECT& r) {
  return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top) + " at " + std::to_string(r.left) +
         "," + std::to_string(r.top);
}

void expectRect(const RECT& r, int x, int y, int w, int h, const std::string& what) {
  if (r.left != x || r.top != y || r.right - r.left != w || r.bottom - r.top != h) {
    fail(what + " is " + sizeText(r) + ", not " + std::to_string(w) + " x " + std::to_string(h) + " at " +
         std::to_string(x) + "," + std::to_string(y));
  }
}

// The rows from the first to the last that hold ink.
int inkHeight(const driver::Shot& shot, const RECT& r) {
  int first = -1, last = -1;
  for (int y = r.top; y < r.bottom; ++y) {
    if (driver::inkIn(shot, {r.left, y, r.right, y + 1}) == 0) continue;
    if (first < 0) first = y;
    last = y;
  }
  return first < 0 ? 0 : last - first + 1;
}

// The columns from the first to the last that hold ink.
int inkWidth(const driver::Shot& shot, const RECT& r) {
  int first = -1, last = -1;
  for (int x = r.left; x < r.right; ++x) {
    if (driver::inkIn(shot, {x, r.top, x + 1, r.bottom}) == 0) continue;
    if (first < 0) first = x;
    last = x;
  }
  return first < 0 ? 0 : last - first + 1;
}

}  // namespace

void fail(const std::string& what) {
  std::printf("FAIL: %s\ngui dpi driver: %d passed, 1 failed\n", what.c_str(), passedCount);
  std::fflush(stdout);
  if (running) TerminateProcess(running, 1);
  ExitProcess(1);
}

void ok(const std::string& what) {
  ++passedCount;
  std::printf("ok: %s\n", what.c_str());
  std::fflush(stdout);
}

int passed() { return passedCount; }

void beDpiAware() {
  // The process's awareness where the system lets it be set, else the thread's.
  using SetContext = BOOL(WINAPI*)(HANDLE);
  using SetThreadContext = HANDLE(WINAPI*)(HANDLE);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  auto process = reinterpret_cast<SetContext>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
  auto thread = reinterpret_cast<SetThreadContext>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
  const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
  if (process && process(perMonitorV2)) return;
  if (thread && thread(perMonitorV2)) return;
  if (!SetProcessDPIAware()) fail("cannot become DPI aware");
}

RECT rectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

Program startProgram(const std::wstring& exe, const std::wstring& folder) {
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + exe + L"\"";
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    fail("cannot start lumaset.exe");
  CloseHandle(pi.hThread);
  Program p{pi.hProcess, pi.dwProcessId};
  running = pi.hProcess;
  struct Find {
    DWORD id;
    const wchar_t* cls;
  } main{p.id, lumaset::ui::kMainClass}, preview{p.id, lumaset::ui::kPreviewClass},
      frame{p.id, lumaset::ui::kFrameClass};
  auto find = [](void* c) { return topWindow(static_cast<Find*>(c)->id, static_cast<Find*>(c)->cls); };
  p.main = waitFor(find, &main, "main window");
  p.preview = waitFor(find, &preview, "splash preview");
  p.frame = waitFor(find, &frame, "frame window");
  waitText(child(p.main, "伪组合框文字"), "[当前]");
  return p;
}

void closeProgram(Program& program) {
  PostMessageW(child(program.main, "图形按钮7"), BM_CLICK, 0, 0);
  if (WaitForSingleObject(program.process, 20000) != WAIT_OBJECT_0) fail("the close button did not end the program");
  CloseHandle(program.process);
  running = nullptr;
}

void chooseTheme(HWND main, const std::string& theme) {
  HWND combo = child(main, "组合框1");
  LRESULT index =
      SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(toWide(theme).c_str()));
  if (index == CB_ERR) fail("the theme list has no " + theme);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(controlId("组合框1"), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  waitText(child(main, "伪组合框文字"), theme);
}

void showCustomPage(HWND main) { PostMessageW(child(main, "图形按钮6"), BM_CLICK, 0, 0); }
void showThemePage(HWND main) { PostMessageW(child(main, "图形按钮5"), BM_CLICK, 0, 0); }

driver::Shot screenshot(const std::wstring& folder, const std::string& name) {
  Sleep(900);  // the pages switch and the last repaint settles
  driver::Shot shot = driver::grabScreen();
  driver::saveBmp(shot, folder + L"\\" + toWide(name) + L".bmp");
  return shot;
}

COLORREF Image::at(int x, int y) const {
  const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
  return RGB(p[0], p[1], p[2]);
}

Image readBmp(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Image image;
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return image;
  auto u32 = [&](std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return v;
  };
  const std::uint32_t offset = u32(10), w = u32(18), h = u32(22), bits = u32(28) & 0xFFFF;
  const std::size_t stride = (w * 3 + 3) & ~3u;
  if (bits != 24 || bytes.size() < offset + stride * h) return image;
  image.width = static_cast<int>(w);
  image.height = static_cast<int>(h);
  image.rgb.resize(static_cast<std::size_t>(w) * h * 3);
  for (std::uint32_t y = 0; y < h; ++y) {
    const char* row = &bytes[offset + (h - 1 - y) * stride];
    for (std::uint32_t x = 0; x < w; ++x) {
      std::uint8_t* p = &image.rgb[(static_cast<std::size_t>(y) * w + x) * 3];
      p[0] = static_cast<std::uint8_t>(row[x * 3 + 2]);
      p[1] = static_cast<std::uint8_t>(row[x * 3 + 1]);
      p[2] = static_cast<std::uint8_t>(row[x * 3]);
    }
  }
  return image;
}

void checkWindows(const Program& program, const Scale& s, const std::string& when) {
  RECT m = rectOf(program.main), p = rectOf(program.preview), f = rectOf(program.frame);
  expectRect(m, m.left, m.top, s.px(824), s.px(179), "the main window" + when);
  expectRect(p, p.left, p.top, s.px(838), s.px(506), "the splash preview" + when);
  expectRect(f, m.left - s.px(9), m.top - s.px(5), s.px(842), s.px(195), "the frame window" + when);
  // The main window's top is the preview's height + px(8), the preview's top px(2).
  if (m.top - p.bottom != s.px(8) - s.px(2)) fail("the main window is not below the preview" + when + ": " + sizeText(m));
  if (std::abs((p.left + p.right) - (m.left + m.right)) > 1)
    fail("the preview is not centred over the main window" + when);
  if (when.find("after") == std::string::npos && p.top != s.px(2))
    fail("the preview's top is " + std::to_string(p.top));
  ok("three windows scaled and placed" + when);
}

void checkFitsScreen(const Program& program, const Scale& s, const std::string& when) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT m = rectOf(program.main), p = rectOf(program.preview), f = rectOf(program.frame);
  for (const RECT& r : {m, p, f})
    if (r.left < screen.left || r.top < screen.top || r.right > screen.right || r.bottom > screen.bottom)
      fail("a window reaches past the screen" + when + ": " + sizeText(r));
  expectRect(m, m.left, m.top, s.px(824), s.px(179), "the main window" + when);
  expectRect(f, m.left - s.px(9), m.top - s.px(5), s.px(842), s.px(195), "the frame window" + when);
  const int pw = p.right - p.left, ph = p.bottom - p.top;
  if (std::abs(pw * 506 - ph * 838) > 838) fail("the preview lost the splash's shape" + when + ": " + sizeText(p));
  const bool wholeFits = s.px(506) + (s.px(8) - s.px(2)) + (s.px(195) - s.px(5)) <= screen.bottom;
  if ((pw == s.px(838)) != wholeFits) fail("the preview is " + sizeText(p) + when);
  if (m.top - p.bottom != s.px(8) - s.px(2)) fail("the main window is not below the preview" + when);
  if (std::abs((p.left + p.right) - (m.left + m.right)) > 1) fail("the preview is not centred" + when);
  ok("the three windows on the screen" + when + ", the preview " + sizeText(p));
}

void checkControlPlaces(HWND main, const Scale& s, const std::string& when) {
  const RECT m = rectOf(main);
  const DesignRect page = s.rect(kPageControl);
  const struct {
    const char* name;
    DesignRect design;
    bool onPage;
  } controls[] = {{"图形按钮7", {797, 4, 48, 26}, false},   {"编辑框1", {71, 133, 81, 32}, false},
                  {"外形框1", {578, 140, 112, 24}, false},  {"图形按钮5", {381, 12, 40, 26}, false},
                  {"图形按钮8", {688, 108, 123, 26}, true}, {"图片框1", {288, 8, 243, 26}, true},
                  {"图形按钮_1X", {386, 74, 24, 9}, true},  {"编辑框8", {200, 43, 432, 24}, true}};
  for (const auto& c : controls) {
    DesignRect r = s.rect(c.design);
    int x = m.left + r.x + (c.onPage ? page.x : 0), y = m.top + r.y + (c.onPage ? page.y : 0);
    expectRect(rectOf(child(main, c.name)), x, y, r.w, r.h, std::string(c.name) + when);
  }
  ok("controls at their scaled places" + when);
}

void checkSplash(const driver::Shot& shot, HWND preview, const Image& high, const Scale& s, const std::string& when) {
  const RECT p = rectOf(preview);
  const double toImage = 2.0 * 96 / s.dpi;  // screen pixels to the 2x image's
  int samples = 0, close = 0;
  // The right half: the marked overlay covers only the left, where the host writes.
  for (int y = 2; y < p.bottom - p.top - 2; y += 5) {
    for (int x = (p.right - p.left) / 2; x < p.right - p.left - 2; x += 5) {
      int ix = static_cast<int>(x * toImage), iy = static_cast<int>(y * toImage);
      if (ix >= high.width || iy >= high.height) continue;
      COLORREF a = shot.colour(p.left + x, p.top + y), b = high.at(ix, iy);
      int d = std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                        std::abs(GetBValue(a) - GetBValue(b))});
      ++samples;
      close += d <= (s.dpi == 192 ? 6 : 28);
    }
  }
  if (samples < 1000 || close * 100 < samples * (s.dpi == 192 ? 97 : 85))
    fail("the preview does not show the 2x splash at its size" + when + ": " + std::to_string(close) + " of " +
         std::to_string(samples) + " samples match");
  ok("the 2x splash fills the preview" + when + " (" + std::to_string(close) + " of " + std::to_string(samples) + ")");
}

void checkCustomLabels(HWND main, const driver::Shot& shot, const Scale& s, const std::string& when) {
  const RECT page = rectOf(child(main, "选择夹1"));
  for (const char* name : {"标签2", "标签7", "标签8", "标签6", "标签9", "标签10"}) {
    RECT r = rectOf(child(main, name));
    RECT shown{std::max(r.left, page.left), r.top, r.right, r.bottom};
    // No ink in the shown part's first and last column, nor in its top and bottom rows:
    // the text stands whole inside it.
    for (RECT edge : {RECT{shown.left, shown.top, shown.left + 1, shown.bottom},
                      RECT{shown.right - 1, shown.top, shown.right, shown.bottom},
                      RECT{shown.left, shown.top, shown.right, shown.top + 1},
                      RECT{shown.left, shown.bottom - 1, shown.right, shown.bottom}}) {
      if (driver::inkIn(shot, edge) > 0) fail(std::string("the text of ") + name + " is cut" + when);
    }
    int h = inkHeight(shot, shown);
    if (h < s.px(12) * 3 / 4 || h > s.px(12) + 2)
      fail(std::string("the text of ") + name + " is " + std::to_string(h) + " rows high" + when);
  }
  ok("the custom page's labels whole, their text 12 pixels scaled" + when);
}

Measures measure(HWND main, const driver::Shot& shot) {
  Measures m;
  for (const char* text : {"透明标签1", "标签4", "超级链接框3", "标签1"})
    m.textHeight[text] = inkHeight(shot, rectOf(child(main, text)));
  const RECT window = rectOf(main);
  for (const char* button : {"图形按钮7", "图形按钮8", "图形按钮_1X", "图形按钮4", "图形按钮2", "图形按钮5"}) {
    RECT r = rectOf(child(main, button));
    r.right = std::min(r.right, window.right);
    m.ink[button] = driver::inkIn(shot, r);
    m.inkSpan[button] = {inkWidth(shot, r), inkHeight(shot, r)};
  }
  return m;
}

void compareWithDesign(const Measures& at, const Measures& design, const Scale& s, const std::string& when) {
  const double k = s.dpi / 96.0;
  for (const auto& [name, h] : at.textHeight) {
    double expected = design.textHeight.at(name) * k;
    if (std::fabs(h - expected) > std::max(2.0, expected * 0.15))
      fail("the text of " + name + " is " + std::to_string(h) + " rows high" + when + ", not about " +
           std::to_string(static_cast<int>(expected)));
  }
  // A button drawn at its design size, or cut, has an ink box that did not grow with it.
  for (const auto& [name, span] : at.inkSpan) {
    const auto [w0, h0] = design.inkSpan.at(name);
    const auto [w, h] = span;
    const bool grown = std::fabs(w - w0 * k) <= std::max(3.0, w0 * k * 0.2) &&
                       std::fabs(h - h0 * k) <= std::max(3.0, h0 * k * 0.2);
    if (!grown || at.ink.at(name) <= design.ink.at(name) / 2)
      fail("the button " + name + "'s ink spans " + std::to_string(w) + " x " + std::to_string(h) + when + ", " +
           std::to_string(w0) + " x " + std::to_string(h0) + " at 96 DPI");
  }
  ok("text and buttons grown with the scale, none cut" + when);
}

void compareChange(const Measures& changed, const Measures& fresh) {
  for (const auto& [name, h] : changed.textHeight)
    if (std::abs(h - fresh.textHeight.at(name)) > 1) fail("after the change " + name + "'s text differs from a start");
  for (const auto& [name, ink] : changed.ink)
    if (std::abs(ink - fresh.ink.at(name)) * 8 > fresh.ink.at(name))
      fail("after the change the button " + name + " differs from a start at 192 DPI");
  ok("after the change to 192 DPI the texts and buttons are those of a start at 192 DPI");
}

void sendDpiChanged(const Program& program, int dpi, const RECT& suggested) {
  // The rectangle lies at one address in both processes, whether or not the system
  // carries the message's pointer across.
  // An address free in both is searched for: the first one the program gets may be taken
  // in this process.
  void* remote = nullptr;
  void* local = nullptr;
  for (std::uintptr_t i = 0; i < 256; ++i) {
    auto* wanted = reinterpret_cast<void*>(0x30000000 + i * 0x00100000);
    remote = VirtualAllocEx(program.process, wanted, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!remote) continue;
    local = VirtualAlloc(remote, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (local == remote) break;
    VirtualFreeEx(program.process, remote, 0, MEM_RELEASE);
    remote = local = nullptr;
  }
  if (!remote || local != remote) fail("cannot place the suggested rectangle");
  *static_cast<RECT*>(local) = suggested;
  if (!WriteProcessMemory(program.process, remote, &suggested, sizeof suggested, nullptr))
    fail("cannot write the suggested rectangle");
  DWORD_PTR result = 0;
  SendMessageTimeoutW(program.main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                      20000, &result);
  Sleep(1500);
}

bool setLogPixels(DWORD dpi) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  LONG set = RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  RegCloseKey(key);
  return set == ERROR_SUCCESS;
}

int run(const std::wstring& command, const std::wstring& folder) {
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  std::wstring line = command;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return -1;
  WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return static_cast<int>(code);
}

}  // namespace dpi
