// The Win32 implementation of the interactive side of the platform: MessageBoxW, the
// common open-file dialog, ShellExecuteW and the wait cursor, owned by one window.
#pragma once
#include <windows.h>

#include "platform/interaction.h"

namespace lumaset {

// Whether this process runs with an elevated token. Wine gives every process one, and
// with it no more rights than its Unix user has: under wine the answer is no.
bool processRunsElevated();

class Win32Interaction : public Interaction {
 public:
  // Boxes and dialogs are modal to `owner` (none until the main window exists).
  void setOwner(HWND owner) { owner_ = owner; }

  void messageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
  bool askYesNo(const std::string& text, const std::string& caption) override;
  std::optional<std::string> openFile(const OpenFileRequest& request) override;
  void openFolder(const std::string& path) override;
  void openWebPage(const std::string& url) override;
  bool openTextFile(const std::string& path) override;
  void setBusy(bool busy) override;
  void runWhileResponsive(const std::string& text, const WorkProgress& progress,
                          const std::function<void()>& work) override;
  ElevatedRun runAsAdministrator(const std::string& program, const std::vector<std::string>& arguments,
                                 const std::string& text) override;
  bool runsAsAdministrator() override { return processRunsElevated(); }

 private:
  HWND owner_ = nullptr;
  int busyDepth_ = 0;
  HCURSOR previousCursor_ = nullptr;
};

// The dialog's filter: every '|' becomes a NUL and two NULs end the list.
std::wstring dialogFilter(const std::string& filter);

}  // namespace lumaset
