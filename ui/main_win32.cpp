// The program's entry: the widget kit, the main window and its message loop.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <exception>
#include <optional>
#include <string>

#include "platform/host_places.h"
#include "platform/system.h"
#include "platform/win32_dll_search.h"
#include "platform/win32_interaction.h"
#include "platform/win32_text.h"
#include "ui/internal_error.h"
#include "ui/main_window.h"
#include "ui/single_instance.h"
#include "widgets/kit.h"

namespace {

// "--lang zh" or "--lang en" on the program's command line; nothing for any other.
std::optional<lumaset::Language> commandLineLanguage() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::optional<lumaset::Language> chosen;
  for (int i = 1; words && i + 1 < count; ++i) {
    if (std::wstring(words[i]) == L"--lang") chosen = lumaset::languageNamed(lumaset::fromWide(words[i + 1]));
  }
  LocalFree(words);
  return chosen;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  lumaset::win32::searchDllsInSystemFolderOnly();
  // A second start shows the running window instead of a second one on top of it.
  lumaset::ui::SingleInstance instance;
  if (instance.anotherRuns()) {
    lumaset::ui::bringRunningWindowToFront();
    return 0;
  }
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  lumaset::kit::kitStartup();
  int exitCode = 0;
  // The window procedures catch and report what their handlers throw; this catches what
  // the start and the end of the program throw, so that nothing ends it without a word.
  try {
    auto files = lumaset::makeSystemFiles();
    auto places = lumaset::makeSystemHostPlaces(*files);
    lumaset::Win32Interaction interaction;
    lumaset::ui::MainWindow window(*files, interaction, *places, files->programFolder());
    window.chooseLanguage(commandLineLanguage());
    if (window.create()) {
      MSG message;
      while (window.isOpen() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.handleKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    } else {
      exitCode = 1;
    }
  } catch (const std::exception& e) {
    lumaset::ui::reportInternalError(nullptr, e.what(), true);
    exitCode = 1;
  } catch (...) {
    lumaset::ui::reportInternalError(nullptr, nullptr, true);
    exitCode = 1;
  }
  lumaset::kit::kitShutdown();
  OleUninitialize();
  return exitCode;
}
