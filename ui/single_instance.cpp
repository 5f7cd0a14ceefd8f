#include "ui/single_instance.h"

#include <string>

#include "ui/control_ids.h"

namespace lumaset::ui {
namespace {

// The mutex lives in the session's namespace; the user's name makes it one per user where
// several users share a session (a terminal server's users each have their own anyway).
std::wstring mutexName() {
  wchar_t user[257] = {};
  DWORD length = 257;
  if (!GetUserNameW(user, &length)) user[0] = L'\0';
  return std::wstring(L"Local\\LumasetMainWindow-") + user;
}

}  // namespace

SingleInstance::SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, mutexName().c_str())) {
  another_ = mutex_.ok() && GetLastError() == ERROR_ALREADY_EXISTS;
}

bool bringRunningWindowToFront() {
  for (int i = 0; i < 100; ++i) {
    if (HWND main = FindWindowW(kMainClass, nullptr)) {
      if (IsIconic(main)) ShowWindow(main, SW_RESTORE);
      // A box or dialog the running program shows is what must come to the front.
      HWND front = GetLastActivePopup(main);
      SetForegroundWindow(front ? front : main);
      return true;
    }
    Sleep(50);
  }
  return false;
}

}  // namespace lumaset::ui
