// Starts lumaset.exe at 96, 192 and 144 DPI (the prefix's LogPixels, read by each new
// process) and checks what a person sees at each: the three windows' sizes and offsets,
// controls at their scaled places, text whose ink grows with the DPI, buttons and badges
// drawn whole, the theme's 2x splash filling the preview. At 144 it then tells the window
// that its monitor went to 192 DPI and checks that it is laid out as a fresh start there.
// With --short-screen it checks instead that on a screen too short for the group at 144
// and 192 DPI all three windows stay on it.
//   gui-dpi-driver LUMASET.EXE LUMASET-CLI.EXE PHOTOSHOP.EXE SHOT_FOLDER SPLASH_HIGH.BMP [--short-screen]
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "gui_dpi_checks.h"
#include "platform/win32_text.h"

using lumaset::fromWide;
using lumaset::toWide;
using namespace dpi;

namespace {

Measures changedTo192;

struct Args {
  std::wstring exe, folder, shots;
  Image splashHigh;
};

// One start of the program at `dpi`; what it measured, for the comparisons between DPIs.
Measures startAt(const Args& args, int dpi, Measures* fresh192, const Measures* base) {
  if (!setLogPixels(static_cast<DWORD>(dpi))) fail("cannot set LogPixels");
  Program program = startProgram(args.exe, args.folder);
  // Built up in steps: GCC 12 takes "-" + std::to_string(...) for an overlapping copy.
  std::string suffix = std::to_string(dpi);
  suffix.insert(suffix.begin(), '-');
  suffix += "dpi";
  chooseTheme(program.main, "Aurora");
  const lumaset::ui::Scale s{dpi};
  checkWindows(program, s, suffix);
  checkControlPlaces(program.main, s, suffix);
  driver::Shot shot = screenshot(args.shots, "theme-page" + suffix);
  checkSplash(shot, program.preview, args.splashHigh, s, suffix);
  Measures m = measure(program.main, shot);
  if (base) compareWithDesign(m, *base, s, suffix);
  if (fresh192) *fresh192 = m;
  showCustomPage(program.main);
  driver::Shot custom = screenshot(args.shots, "custom-page" + suffix);
  checkCustomLabels(program.main, custom, s, suffix);
  showThemePage(program.main);
  if (dpi == 144 && !fresh192) {
    // The monitor changes: the window takes the suggested place, at 200 %.
    // The suggested place lies a little off a fresh start's, all of it on the screen.
    const lumaset::ui::Scale to{192};
    const int left = (GetSystemMetrics(SM_CXSCREEN) - to.px(824)) / 2 + 6, top = to.px(506) + to.px(8) + 6;
    const RECT suggested{left, top, left + to.px(824), top + to.px(179)};
    sendDpiChanged(program, 192, suggested);
    checkWindows(program, to, " after the change to 192 DPI");
    RECT m2 = rectOf(program.main);
    if (m2.left != suggested.left || m2.top != suggested.top) fail("the main window is not at the suggested place");
    ok("the main window at the suggested place");
    checkControlPlaces(program.main, to, " after the change to 192 DPI");
    driver::Shot changed = screenshot(args.shots, "theme-page-144-to-192dpi");
    checkSplash(changed, program.preview, args.splashHigh, to, " after the change");
    changedTo192 = measure(program.main, changed);
  }
  closeProgram(program);
  return m;
}

}  // namespace

// On a screen of a taskbar's height less than 1080 lines: the group at 96, 144 and 192 DPI.
void startOnShortScreen(const Args& args) {
  for (int dpi : {96, 144, 192}) {
    if (!setLogPixels(static_cast<DWORD>(dpi))) fail("cannot set LogPixels");
    Program program = startProgram(args.exe, args.folder);
    chooseTheme(program.main, "Aurora");
    const std::string when = " at " + std::to_string(dpi) + " DPI on a short screen";
    checkFitsScreen(program, lumaset::ui::Scale{dpi}, when);
    screenshot(args.shots, "theme-page-" + std::to_string(dpi) + "dpi-work-area");
    closeProgram(program);
  }
}

int wmain(int argc, wchar_t** argv) {
  const bool shortScreen = argc == 7 && std::wstring(argv[6]) == L"--short-screen";
  if (argc != 6 && !shortScreen) {
    std::printf(
        "usage: gui-dpi-driver LUMASET.EXE LUMASET-CLI.EXE PHOTOSHOP.EXE SHOT_FOLDER SPLASH_HIGH.BMP "
        "[--short-screen]\n");
    return 2;
  }
  beDpiAware();
  Args args;
  args.exe = argv[1];
  args.folder = args.exe.substr(0, args.exe.find_last_of(L'\\'));
  args.shots = argv[4];
  args.splashHigh = readBmp(argv[5]);
  if (args.splashHigh.width == 0) fail("cannot read " + fromWide(argv[5]));
  if (run(L"\"" + std::wstring(argv[2]) + L"\" locate \"" + argv[3] + L"\"", args.folder) != 0)
    fail("lumaset-cli locate failed");
  if (shortScreen) {
    startOnShortScreen(args);
    setLogPixels(96);
    std::printf("gui dpi driver: %d passed\n", passed());
    return 0;
  }

  Measures base = startAt(args, 96, nullptr, nullptr);
  Measures at192{};
  startAt(args, 192, &at192, &base);
  startAt(args, 144, nullptr, &base);
  setLogPixels(96);
  compareChange(changedTo192, at192);
  std::printf("gui dpi driver: %d passed\n", passed());
  return 0;
}
