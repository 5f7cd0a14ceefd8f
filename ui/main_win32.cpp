// The program's entry: the widget kit, the main window and its message loop.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "platform/system.h"
#include "platform/win32_interaction.h"
#include "ui/main_window.h"
#include "widgets/kit.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  lumaset::kit::kitStartup();
  int exitCode = 0;
  {
    auto files = lumaset::makeSystemFiles();
    lumaset::Win32Interaction interaction;
    lumaset::ui::MainWindow window(*files, interaction, files->programFolder());
    if (window.create()) {
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.handleEscape(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    } else {
      exitCode = 1;
    }
  }
  lumaset::kit::kitShutdown();
  OleUninitialize();
  return exitCode;
}
