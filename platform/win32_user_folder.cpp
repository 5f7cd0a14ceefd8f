// The user's own folder for the program's settings and themes: a folder under the
// per-user application data, which a program unpacked under C:\Program Files (or run
// from inside a zip) can write when its own folder refuses it.
#include <windows.h>
#include <shlobj.h>

#include "platform/win32_files.h"
#include "platform/win32_text.h"

namespace lumaset {

std::string Win32Files::userDataFolder() {
  PWSTR path = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &path)) && path && *path)
    folder = fromWide(path) + "\\Lumaset";
  CoTaskMemFree(path);
  return folder;
}

}  // namespace lumaset
