#include "ui/internal_error.h"

#include <string>

#include "messages/texts.h"
#include "platform/win32_text.h"

namespace lumaset::ui {

void reportInternalError(HWND owner, const char* what, bool stopped) {
  const std::wstring detail = what ? toWide(what) : std::wstring();
  OutputDebugStringW(
      (L"Lumaset: internal error: " + (what ? detail : std::wstring(L"unknown exception")) + L"\n").c_str());
  // A box already open runs its own message loop: a failure that repeats under it (a
  // paint, say) goes to the debugger's output only, not into a pile of boxes.
  static bool reporting = false;
  if (reporting) return;
  reporting = true;
  std::wstring text = toWide(lumaset::text(stopped ? Text::InternalErrorStopped : Text::InternalErrorStep));
  text += what ? toWide(inLanguage("：", ": ")) + detail : toWide(inLanguage("。", "."));
  HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
  MessageBoxW(root && IsWindow(root) ? root : nullptr, text.c_str(), toWide(lumaset::text(Text::ErrorCaption)).c_str(),
              MB_ICONERROR | MB_OK);
  reporting = false;
}

}  // namespace lumaset::ui
