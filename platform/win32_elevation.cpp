// A program run with administrator rights: ShellExecuteExW with the verb "runas", which
// shows the system's consent prompt, and a wait for the program to end. The window keeps
// painting meanwhile, but takes no input: its owner is disabled for the run; after half
// a second the progress window shows the bytes of the worker's progress line. The
// window's end of the result file (platform/worker_result.h) is here.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "formats/command_line.h"
#include "formats/work_names.h"
#include "formats/worker_progress_line.h"
#include "platform/win32_file_io.h"
#include "platform/win32_interaction.h"
#include "platform/win32_progress_window.h"
#include "platform/win32_scoped.h"
#include "platform/win32_text.h"
#include "platform/worker_result.h"

namespace lumaset {
namespace {

// The worker's progress line, read through the window's own handle: display only.
win32::ByteCounts workerCounts(HANDLE file) {
  char line[kWorkerProgressLineSize];
  DWORD got = 0;
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
      !ReadFile(file, line, sizeof line, &got, nullptr))
    return {};
  const std::optional<WorkerProgress> seen = readWorkerProgress(std::string_view(line, got));
  return seen ? win32::ByteCounts{seen->done, seen->total} : win32::ByteCounts{};
}

// Makes the result file of one run in the temporary folder under a random name: new, held
// without delete sharing (no other process can delete, rename or replace it while the
// worker runs) and deleted when the window closes it.
win32::Handle makeResultFile(std::string& path) {
  const std::optional<std::string> random = randomHex(kWorkerResultRandomDigits / 2);
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (!random || length == 0 || length > MAX_PATH) return {};
  path = fromWide(std::wstring(folder, length)) + std::string(kWorkerResultPrefix) + *random +
         std::string(kWorkerResultSuffix);
  return win32::Handle(CreateFileW(win32::widePath(path).c_str(), GENERIC_READ | DELETE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

// What the worker wrote, read through the window's own handle; an outcome is far below
// the bound.
std::string readResult(HANDLE file) {
  constexpr std::size_t kBound = 4u << 20;
  std::string text;
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return text;
  char buffer[65536];
  DWORD got = 0;
  while (text.size() < kBound && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    text.append(buffer, got);
  return text;
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

ElevatedRun Win32Interaction::runAsAdministrator(const std::string& program, const std::vector<std::string>& arguments,
                                                  const std::string& text) {
  ElevatedRun result;
  std::string resultPath;
  win32::Handle resultFile = makeResultFile(resultPath);
  if (!resultFile.ok()) {
    result.error = GetLastError();
    return result;
  }
  std::vector<std::string> all = {"--result", resultPath};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::wstring file = toWide(program);
  std::wstring parameters = toWide(windowsCommandLine(all));
  SHELLEXECUTEINFOW run{};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  run.hwnd = owner_;
  run.lpVerb = L"runas";
  run.lpFile = file.c_str();
  run.lpParameters = parameters.c_str();
  run.nShow = SW_HIDE;
  if (!ShellExecuteExW(&run)) {
    result.error = GetLastError();
    result.end = result.error == ERROR_CANCELLED ? ElevatedRun::End::Declined : ElevatedRun::End::NotStarted;
    return result;
  }
  // Started: whatever the wait tells, the program may have done its work; its result file
  // and its exit status say so.
  result.end = ElevatedRun::End::Finished;
  result.exitCode = -1;
  if (!run.hProcess) return result;
  win32::Handle process(run.hProcess);
  const bool ownerWasEnabled = owner_ && !EnableWindow(owner_, FALSE);
  const DWORD waited = win32::waitShowingProgress(process.get(), owner_, text,
                                                  [&] { return workerCounts(resultFile.get()); });
  if (ownerWasEnabled) EnableWindow(owner_, TRUE);
  DWORD code = 0;
  if (waited == WAIT_OBJECT_0 && GetExitCodeProcess(process.get(), &code)) result.exitCode = static_cast<int>(code);
  result.result = readResult(resultFile.get());
  return result;
}

}  // namespace lumaset
