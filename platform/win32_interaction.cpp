#include "platform/win32_interaction.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "platform/win32_text.h"

namespace lumaset {
namespace {

constexpr std::size_t kOpenFileBufferLength = 32768;

}  // namespace

std::wstring dialogFilter(const std::string& filter) {
  std::wstring list = toWide(filter);
  for (wchar_t& c : list) {
    if (c == L'|') c = L'\0';
  }
  list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

void Win32Interaction::messageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
  UINT type = MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : 0);
  MessageBoxW(owner_, toWide(text).c_str(), toWide(caption).c_str(), type);
}

bool Win32Interaction::askYesNo(const std::string& text, const std::string& caption) {
  return MessageBoxW(owner_, toWide(text).c_str(), toWide(caption).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::optional<std::string> Win32Interaction::openFile(const OpenFileRequest& request) {
  std::wstring filter = dialogFilter(request.filter);
  std::wstring title = toWide(request.title);
  std::wstring folder = toWide(request.initialFolder);
  // Room for the longest path Windows makes (32767 characters and the NUL); the dialog
  // opens with what the buffer holds as its file name.
  std::vector<wchar_t> result(kOpenFileBufferLength, L'\0');
  const std::wstring fileName = toWide(request.fileName);
  std::copy_n(fileName.begin(), std::min(fileName.size(), result.size() - 1), result.begin());

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.hInstance = GetModuleHandleW(nullptr);
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = result.data();
  ofn.nMaxFile = static_cast<DWORD>(result.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT;
  if (!GetOpenFileNameW(&ofn)) return std::nullopt;
  // With several files selected the text ends at the first NUL: the folder of the selection.
  return fromWide(result.data());
}

void Win32Interaction::openFolder(const std::string& path) {
  ShellExecuteW(owner_, L"explore", toWide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Interaction::openWebPage(const std::string& url) {
  ShellExecuteW(owner_, L"open", toWide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// A system without a program for .txt (ShellExecute then fails with SE_ERR_NOASSOC)
// still has Notepad in its system folder.
bool Win32Interaction::openTextFile(const std::string& path) {
  const std::wstring file = toWide(path);
  auto opened = [](HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; };
  if (opened(ShellExecuteW(owner_, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL))) return true;
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  const std::wstring notepad = std::wstring(system, length) + L"\\notepad.exe";
  const std::wstring quoted = L"\"" + file + L"\"";
  return opened(ShellExecuteW(owner_, L"open", notepad.c_str(), quoted.c_str(), nullptr, SW_SHOWNORMAL));
}

void Win32Interaction::setBusy(bool busy) {
  if (busy) {
    if (busyDepth_++ == 0) previousCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
    SetCursor(previousCursor_ ? previousCursor_ : LoadCursorW(nullptr, IDC_ARROW));
  }
}

}  // namespace lumaset
