// The window in English at 96 and 144 DPI: setting.ini's language=en, then at each DPI the
// theme page, the theme list open, the custom page and a message box, each kept as a
// screenshot ("en-…-96dpi", "en-…-144dpi") to be looked at, and checked: the labels and
// links show their English texts, and no label's or link's ink reaches its control's
// edge (a text cut by its control, or one that overflows it, does).
//   gui-english-driver LUMASET.EXE LUMASET-CLI.EXE PHOTOSHOP.EXE SHOT_FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

#include "gui_dpi_checks.h"
#include "platform/win32_text.h"
#include "ui/control_ids.h"

using lumaset::fromWide;
using lumaset::toWide;
using lumaset::ui::controlId;
using namespace dpi;

namespace {

std::string textOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 20000, &copied);
  return fromWide(text);
}

HWND control(HWND main, const char* name) {
  HWND found = driver::findChild(main, controlId(name));
  if (!found) fail(std::string("no control ") + name);
  return found;
}

void expectText(HWND main, const char* name, const std::string& text) {
  const std::string shown = textOf(control(main, name));
  if (shown != text) fail(std::string(name) + " says \"" + shown + "\", not \"" + text + "\"");
}

// The ink of a text that fits its control stays off the control's far column (the right
// one; the left one of a text that stands at its control's right end); a text wider than
// its control is cut there.
void expectInkInside(const driver::Shot& shot, HWND main, const char* name, const std::string& when,
                     bool rightAligned = false) {
  const RECT r = rectOf(control(main, name));
  if (r.right - r.left < 4) fail(std::string(name) + " has no width" + when);
  for (int x : {static_cast<int>(r.left), static_cast<int>(r.right) - 1}) {
    if (rightAligned != (x == r.left)) continue;  // the text starts at the other edge
    const RECT edge{x, r.top, x + 1, r.bottom};
    if (driver::inkIn(shot, edge) > 0)
      fail(std::string(name) + "'s text reaches its edge at x " + std::to_string(x) + when);
  }
  ok(std::string(name) + " \"" + textOf(control(main, name)) + "\" inside its control" + when);
}

HWND waitForBox(DWORD process) {
  for (int i = 0; i < 200; ++i) {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == process && IsWindowVisible(w)) return w;
    }
    Sleep(50);
  }
  fail("no message box");
}

void pagesAt(const std::wstring& exe, const std::wstring& folder, const std::wstring& shots, int dpi) {
  if (!setLogPixels(static_cast<DWORD>(dpi))) fail("cannot set LogPixels");
  // Built up in steps: GCC 12 takes "-" + std::to_string(...) for an overlapping copy.
  std::string suffix = std::to_string(dpi);
  suffix.insert(suffix.begin(), '-');
  suffix += "dpi";
  std::string when = std::to_string(dpi);
  when.insert(0, " at ");
  when += " DPI";
  Program program = startProgram(exe, folder);
  chooseTheme(program.main, "Aurora");
  expectText(program.main, "标签1", "Ps path:");
  expectText(program.main, "超级链接框6", "Backup");
  expectText(program.main, "透明标签1", "Hide startup text");
  driver::Shot theme = screenshot(shots, "en-theme-page" + suffix);
  // (The path box lies over the end of its label, 标签1, by design.)
  for (const char* name : {"超级链接框6", "透明标签1", "当前标签", "标签4", "标签5"})
    expectInkInside(theme, program.main, name, when);

  // The theme list open, by a press on the theme's name.
  const POINT name = driver::centreOf(rectOf(control(program.main, "伪组合框文字")));
  driver::mouseClick(name.x, name.y);
  HWND combo = control(program.main, "组合框1");
  for (int i = 0; i < 100 && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; ++i) Sleep(50);
  if (SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0) fail("the theme list did not open" + when);
  screenshot(shots, "en-theme-list-open" + suffix);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);

  showCustomPage(program.main);
  driver::Shot custom = screenshot(shots, "en-custom-page" + suffix);
  expectText(program.main, "标签7", "Light icon:");
  expectText(program.main, "超级链接框4", "Help");
  for (const char* label : {"标签2", "标签7", "标签8", "标签6", "标签9", "标签10"})
    expectInkInside(custom, program.main, label, when, true);
  for (const char* link : {"超级链接框7", "超级链接框4"}) expectInkInside(custom, program.main, link, when);

  // A message box in English: the custom page's apply with no image chosen.
  PostMessageW(control(program.main, "图形按钮15"), BM_CLICK, 0, 0);
  HWND box = waitForBox(program.id);
  if (textOf(box) != "Apply") fail("the box's caption is \"" + textOf(box) + "\", not \"Apply\"" + when);
  screenshot(shots, "en-message-box" + suffix);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
  ok("the English message box" + when);
  showThemePage(program.main);
  closeProgram(program);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::printf("usage: gui-english-driver LUMASET.EXE LUMASET-CLI.EXE PHOTOSHOP.EXE SHOT_FOLDER\n");
    return 2;
  }
  beDpiAware();
  const std::wstring exe = argv[1];
  const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  if (run(L"\"" + std::wstring(argv[2]) + L"\" locate \"" + argv[3] + L"\"", folder) != 0)
    fail("lumaset-cli locate failed");
  if (!WritePrivateProfileStringW(L"lumaset", L"language", L"en", (folder + L"\\setting.ini").c_str()))
    fail("cannot write setting.ini");
  for (int dpi : {96, 144}) pagesAt(exe, folder, argv[4], dpi);
  setLogPixels(96);
  std::printf("gui english driver: %d passed\n", passed());
  return 0;
}
