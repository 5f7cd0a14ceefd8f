#include "ui/theme_list_looks.h"

#include <commctrl.h>

#include <string>

#include "ui/control_colours.h"
#include "ui/keyboard.h"
#include "widgets/scoped_gdi.h"

namespace lumaset::ui {
namespace {

constexpr int kArrowWidth = 26;  // the box's right end, where the arrow stands
constexpr int kItemHeight = 20;

// The text of one of the list's entries.
std::wstring entryText(HWND combo, WPARAM index) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

void fill(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// The right end of a box, where its arrow stands (centred 16 pixels from its right edge,
// as in the closed box's image).
RECT arrowArea(HWND box) {
  RECT r;
  GetClientRect(box, &r);
  return {r.right - kArrowWidth - 3, r.top, r.right - 3, r.bottom};
}

void paintFace(HWND combo) {
  kit::PaintDC paint(combo);
  const HDC dc = paint.get();
  RECT r;
  GetClientRect(combo, &r);
  fill(dc, r, drawnColour(Part::Panel));
  SetDCBrushColor(dc, drawnColour(Part::Outline));
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  const auto selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR) {
    const std::wstring text = entryText(combo, static_cast<WPARAM>(selected));
    kit::Selection font(dc, reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, drawnColour(Part::Text));
    RECT name{8, r.top, r.right - kArrowWidth - 3, r.bottom};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &name,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  drawDownArrow(dc, arrowArea(combo));
  if (GetFocus() == combo) drawFocusOutline(dc, {r.left + 2, r.top + 2, r.right - kArrowWidth - 3, r.bottom - 2});
}

LRESULT CALLBACK faceProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_PAINT:
      paintFace(combo);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      return DefSubclassProc(combo, message, wParam, lParam);
  }
}

}  // namespace

void drawDownArrow(HDC dc, const RECT& area) {
  // A chevron two pixels thick, nine wide and five tall, like the < and > beside the box.
  const int cx = (area.left + area.right) / 2, top = (area.top + area.bottom) / 2 - 3;
  const COLORREF colour = drawnColour(Part::Outline);
  for (int i = 0; i <= 4; ++i) {
    for (int thick = 0; thick < 2; ++thick) {
      SetPixelV(dc, cx - 4 + i, top + i + thick, colour);
      SetPixelV(dc, cx + 4 - i, top + i + thick, colour);
    }
  }
}

void drawThemeListFace(HWND combo) { SetWindowSubclass(combo, faceProc, 11, 0); }

void measureThemeListItem(MEASUREITEMSTRUCT& item) {
  // The closed box's field is its own height less its edges; the list's items a line each.
  if (item.itemID != static_cast<UINT>(-1)) item.itemHeight = kItemHeight;
}

void drawThemeListItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool chosen = (item.itemState & ODS_SELECTED) != 0;
  fill(item.hDC, item.rcItem, drawnColour(chosen ? Part::ChosenBackground : Part::Panel));
  const std::wstring text = entryText(item.hwndItem, item.itemID);
  kit::Selection font(item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, drawnColour(chosen ? Part::ChosenText : Part::Text));
  RECT r = item.rcItem;
  r.left += 8;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace lumaset::ui
