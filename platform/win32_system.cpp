#include <windows.h>

#include "platform/system.h"
#include "platform/win32_files.h"
#include "platform/win32_text.h"

namespace lumaset {

std::unique_ptr<Files> makeSystemFiles() { return std::make_unique<Win32Files>(); }

std::string systemUiLanguage() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  // The language of the system's menus and dialogs; its locale when that has no name.
  if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) > 1) {
    return fromWide(name);
  }
  if (GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) > 1) return fromWide(name);
  return {};
}

}  // namespace lumaset
