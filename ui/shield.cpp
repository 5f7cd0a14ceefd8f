#include "ui/shield.h"

#include <shellapi.h>

namespace lumaset::ui {

namespace {
constexpr const wchar_t* kShieldProperty = L"LumasetShield";
}

void markShield(HWND control, bool shown) {
  if (!control || shieldMarked(control) == shown) return;
  if (shown)
    SetPropW(control, kShieldProperty, reinterpret_cast<HANDLE>(1));
  else
    RemovePropW(control, kShieldProperty);
  InvalidateRect(control, nullptr, TRUE);
}

bool shieldMarked(HWND control) { return GetPropW(control, kShieldProperty) != nullptr; }

// The shell's stock shield, else the one user32 keeps (IDI_SHIELD): a system without the
// first (wine among them) still shows one.
void drawShield(HDC dc, POINT at, int size) {
  SHSTOCKICONINFO info{};
  info.cbSize = sizeof info;
  // The large icon scaled down draws better than the small one scaled up at high DPI.
  const UINT which = size > GetSystemMetrics(SM_CXSMICON) ? SHGSI_LARGEICON : SHGSI_SMALLICON;
  if (SUCCEEDED(SHGetStockIconInfo(SIID_SHIELD, SHGSI_ICON | which, &info)) && info.hIcon) {
    DrawIconEx(dc, at.x, at.y, info.hIcon, size, size, 0, nullptr, DI_NORMAL);
    DestroyIcon(info.hIcon);
    return;
  }
  if (auto shared = static_cast<HICON>(LoadImageW(nullptr, IDI_SHIELD, IMAGE_ICON, size, size, LR_SHARED)))
    DrawIconEx(dc, at.x, at.y, shared, size, size, 0, nullptr, DI_NORMAL);
}

}  // namespace lumaset::ui
