/* A DLL that stands for one planted beside a program: loaded, it leaves the file
   "<its own path>.loaded", so that a test sees that the program took it. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH + 8];
    DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      lstrcatW(path, L".loaded");
      HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
      if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    }
  }
  return TRUE;
}
