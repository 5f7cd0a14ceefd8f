#include "ui/keyboard.h"

#include "ui/shield.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/control_colours.h"
#include "widgets/scoped_gdi.h"
#include "widgets/window_text.h"

namespace lumaset::ui {
namespace {

bool showsAndTakesInput(HWND window) { return window && IsWindowVisible(window) && IsWindowEnabled(window); }

// The rectangle a label's text covers: the outline goes round the text, not round a
// control drawn wider than its caption.
RECT textRect(HWND label) {
  RECT client;
  GetClientRect(label, &client);
  const std::wstring text = kit::windowText(label);
  if (text.empty()) return client;
  kit::WindowDC dc(label);
  kit::Selection font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return {0, 0, std::min<LONG>(client.right, size.cx + 3), std::min<LONG>(client.bottom, size.cy + 2)};
}

LRESULT CALLBACK focusableLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE || wParam == VK_RETURN) {
        if (lParam & (1 << 30)) return 0;  // a held key clicks once
        SendMessageW(GetParent(label), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED),
                     reinterpret_cast<LPARAM>(label));
        return 0;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(label, nullptr, TRUE);
      break;
    case WM_PAINT: {
      LRESULT result = DefSubclassProc(label, message, wParam, lParam);
      const RECT text = textRect(label);
      if (GetFocus() == label) drawFocusOutline(kit::WindowDC(label).get(), text);
      // The shield after a link's text (备份, when the host needs administrator rights).
      if (shieldMarked(label)) {
        const int size = (text.bottom - text.top) * 9 / 8;
        drawShield(kit::WindowDC(label).get(), {text.right + 2, (text.top + text.bottom - size) / 2}, size);
      }
      return result;
    }
    default:
      break;
  }
  return DefSubclassProc(label, message, wParam, lParam);
}

}  // namespace

void drawFocusOutline(HDC dc, const RECT& r) {
  if (r.right - r.left < 2 || r.bottom - r.top < 2) return;
  const COLORREF colour = drawnColour(Part::Text);
  for (int x = r.left; x < r.right; x += 2) {
    SetPixelV(dc, x, r.top, colour);
    SetPixelV(dc, x, r.bottom - 1, colour);
  }
  for (int y = r.top; y < r.bottom; y += 2) {
    SetPixelV(dc, r.left, y, colour);
    SetPixelV(dc, r.right - 1, y, colour);
  }
}

void makeFocusableLabel(HWND label) {
  SetWindowLongPtrW(label, GWL_STYLE, GetWindowLongPtrW(label, GWL_STYLE) | WS_TABSTOP);
  SetWindowSubclass(label, focusableLabelProc, 7, 0);
}

HWND nextInTabOrder(const std::vector<HWND>& order, HWND current, bool backwards) {
  const int n = static_cast<int>(order.size());
  if (n == 0) return nullptr;
  auto at = std::find(order.begin(), order.end(), current);
  int start = at == order.end() ? (backwards ? 0 : n - 1) : static_cast<int>(at - order.begin());
  for (int step = 1; step <= n; ++step) {
    int i = ((backwards ? start - step : start + step) % n + n) % n;
    if (showsAndTakesInput(order[static_cast<std::size_t>(i)])) return order[static_cast<std::size_t>(i)];
  }
  return nullptr;
}

bool actsAsButton(HWND window) {
  return window && (SendMessageW(window, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON)) != 0;
}

bool takesArrows(HWND window) { return window && (SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS) != 0; }

}  // namespace lumaset::ui
