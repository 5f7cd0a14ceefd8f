// A program run with administrator rights: ShellExecuteExW with the verb "runas", which
// shows the system's consent prompt, and a wait for the program to end. The window keeps
// painting meanwhile, but takes no input: its owner is disabled for the run.
#include <windows.h>
#include <shellapi.h>

#include "formats/command_line.h"
#include "platform/win32_file_io.h"
#include "platform/win32_interaction.h"
#include "platform/win32_scoped.h"
#include "platform/win32_text.h"

namespace lumaset {
namespace {

// Waits for the process, dispatching the messages that keep the windows drawn.
DWORD waitForProcess(HANDLE process) {
  for (;;) {
    DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_PAINT | QS_SENDMESSAGE);
    if (woke != WAIT_OBJECT_0 + 1) return woke;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) DispatchMessageW(&msg);
  }
}

}  // namespace

bool processRunsElevated() {
  if (win32::underWine()) return false;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  win32::Handle owned(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) && elevation.TokenIsElevated;
}

ElevatedRun Win32Interaction::runAsAdministrator(const std::string& program, const std::vector<std::string>& arguments) {
  std::wstring file = toWide(program);
  std::wstring parameters = toWide(windowsCommandLine(arguments));
  SHELLEXECUTEINFOW run{};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  run.hwnd = owner_;
  run.lpVerb = L"runas";
  run.lpFile = file.c_str();
  run.lpParameters = parameters.c_str();
  run.nShow = SW_HIDE;
  ElevatedRun result;
  if (!ShellExecuteExW(&run)) {
    result.error = GetLastError();
    result.end = result.error == ERROR_CANCELLED ? ElevatedRun::End::Declined : ElevatedRun::End::NotStarted;
    return result;
  }
  // Started: whatever the wait tells, the program may have done its work, and its result
  // file is what says so.
  result.end = ElevatedRun::End::Finished;
  result.exitCode = -1;
  if (!run.hProcess) return result;
  win32::Handle process(run.hProcess);
  const bool ownerWasEnabled = owner_ && !EnableWindow(owner_, FALSE);
  const DWORD waited = waitForProcess(process.get());
  if (ownerWasEnabled) EnableWindow(owner_, TRUE);
  DWORD code = 0;
  if (waited == WAIT_OBJECT_0 && GetExitCodeProcess(process.get(), &code)) result.exitCode = static_cast<int>(code);
  return result;
}

}  // namespace lumaset
