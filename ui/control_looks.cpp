#include "ui/control_looks.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/control_colours.h"
#include "widgets/scoped_gdi.h"

namespace lumaset::ui {
namespace {

// The framed line's height, kept for the field's own drawing.
constexpr const wchar_t* kFieldLineProperty = L"LumasetFieldLine";

LRESULT CALLBACK dragProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  // A quick second press comes as a double click: it starts a move too.
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    ReleaseCapture();
    SendMessageW(GetAncestor(window, GA_ROOT), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return 0;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK shapeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return DefSubclassProc(window, message, wParam, lParam);
  kit::PaintDC paint(window);
  RECT r;
  GetClientRect(window, &r);
  SetDCBrushColor(paint.get(), drawnColour(Part::Panel));
  FillRect(paint.get(), &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(paint.get(), drawnColour(Part::Outline));
  FrameRect(paint.get(), &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  return 0;
}

// What a picture box's own labels report goes on to the main window, as if the labels
// were its own.
LRESULT CALLBACK forwardProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_COMMAND || message == WM_CTLCOLORSTATIC) {
    return SendMessageW(GetAncestor(box, GA_ROOT), message, wParam, lParam);
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

// A path box: the edit draws its text on the panel, then the box's outline goes round
// its first line.
LRESULT CALLBACK fieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR height) {
  if (message == WM_NCDESTROY) RemovePropW(edit, kFieldLineProperty);
  LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
  if (message == WM_PAINT || message == WM_SETFOCUS || message == WM_KILLFOCUS) {
    RECT r;
    GetClientRect(edit, &r);
    r.bottom = std::min<LONG>(r.bottom, static_cast<LONG>(height));
    kit::WindowDC dc(edit);
    SetDCBrushColor(dc.get(), drawnColour(Part::FieldFrame));
    FrameRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  return result;
}

}  // namespace

void drawAsFieldLine(HWND edit, int height) {
  SetPropW(edit, kFieldLineProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(height)));
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(4, 4));
  SetWindowSubclass(edit, fieldProc, 6, static_cast<DWORD_PTR>(height));
}

int fieldLineHeight(HWND edit) {
  if (HANDLE height = GetPropW(edit, kFieldLineProperty)) return static_cast<int>(reinterpret_cast<INT_PTR>(height));
  RECT r;
  GetClientRect(edit, &r);
  return r.bottom;
}

void moveWindowOnPress(HWND control) { SetWindowSubclass(control, dragProc, 1, 0); }

void drawAsShapeBox(HWND control) { SetWindowSubclass(control, shapeProc, 3, 0); }

void forwardChildMessages(HWND box) { SetWindowSubclass(box, forwardProc, 4, 0); }

void showOnly(HWND control, int w, int h) {
  kit::Region shown(CreateRectRgn(0, 0, w, h));
  if (SetWindowRgn(control, shown.get(), FALSE)) shown.release();
}

void cutOut(HWND window, const HWND* covering, int count) {
  RECT own;
  GetWindowRect(window, &own);
  kit::Region region(CreateRectRgn(0, 0, own.right - own.left, own.bottom - own.top));
  for (int i = 0; i < count; ++i) {
    RECT r;
    GetWindowRect(covering[i], &r);
    kit::Region hole(CreateRectRgn(r.left - own.left, r.top - own.top, r.right - own.left, r.bottom - own.top));
    CombineRgn(region.get(), region.get(), hole.get(), RGN_DIFF);
  }
  // The window owns its region from here on.
  if (SetWindowRgn(window, region.get(), FALSE)) region.release();
}

}  // namespace lumaset::ui
