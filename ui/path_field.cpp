#include "ui/path_field.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "formats/path_ellipsis.h"
#include "platform/win32_text.h"
#include "ui/control_colours.h"
#include "ui/control_looks.h"
#include "widgets/image_control.h"
#include "widgets/scoped_gdi.h"
#include "widgets/window_text.h"

namespace lumaset::ui {
namespace {

// The sizes a path's end is tried at, in twelfths of the box's font: a last part too long
// for the box at its own size shows whole at a smaller one, or on two lines.
constexpr int kTwelfths[] = {12, 11, 10, 9, 8};

// The box's font at `twelfths` of its size; the box's own at twelve.
kit::Font fontAt(HFONT boxFont, int twelfths) {
  LOGFONTW shape{};
  if (twelfths == 12 || !GetObjectW(boxFont, sizeof shape, &shape)) return kit::Font();
  shape.lfHeight = MulDiv(shape.lfHeight, twelfths, 12);
  return kit::Font(CreateFontIndirectW(&shape));
}

// The lines a path's end is drawn in: the first size at which its last part shows whole
// (at a smaller size centred on the framed line, two lines where two fit in it), else the
// box's own size cut as pathEndThatFits cuts it. Leaves the chosen font selected: the
// caller selects the box's own again before the lines go.
struct PathEndLines {
  std::vector<std::string> lines;
  kit::Font font;  // none: the box's own
  int step = 0;    // from one line's top to the next's
};

PathEndLines layOutPathEnd(HDC dc, HWND edit, const std::string& path, int width) {
  const HFONT boxFont = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
  const int framed = fieldLineHeight(edit) - 2;
  const auto fits = [&](const std::string& candidate) {
    const std::wstring wide = toWide(candidate);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx <= width;
  };
  for (int twelfths : kTwelfths) {
    PathEndLines laid{{}, fontAt(boxFont, twelfths), 0};
    SelectObject(dc, laid.font ? laid.font.get() : boxFont);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    // Lines of Latin letters and digits are stacked by the font's size, without its
    // leading: the framed line holds two of them at three quarters of the box's font.
    laid.step = metrics.tmHeight - metrics.tmInternalLeading + 1;
    laid.lines = pathEndLines(path, "\\/", 2 * laid.step <= framed, fits);
    if (!laid.lines.empty()) return laid;
    // Deselected before it is deleted.
    SelectObject(dc, boxFont);
  }
  return {{pathEndThatFits(path, "\\/", fits)}, kit::Font(), 0};
}

// Paints what the edit would, with the path's end in place of its scrolled text: the
// colours its parent gives it, its font, its margins and its line's height.
void paintPathEnd(HWND edit) {
  kit::PaintDC paint(edit);
  const HDC dc = paint.get();
  RECT r;
  GetClientRect(edit, &r);
  kit::Selection font(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  const UINT colours = (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(edit), colours, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
  if (brush) {
    FillRect(dc, &r, brush);
  } else {
    SetDCBrushColor(dc, drawnColour(Part::Panel));
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  const auto margins = static_cast<DWORD>(SendMessageW(edit, EM_GETMARGINS, 0, 0));
  const int left = LOWORD(margins), width = r.right - left - HIWORD(margins);
  const PathEndLines laid = layOutPathEnd(dc, edit, fromWide(kit::windowText(edit)), width);
  // At the box's size the line stands where the edit draws it: its first character's
  // top. A smaller font's lines are centred on the framed line.
  const auto position = SendMessageW(edit, EM_POSFROMCHAR, 0, 0);
  int top = position == -1 ? 1 : static_cast<short>(HIWORD(position));
  if (laid.font) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int height = static_cast<int>(laid.lines.size() - 1) * laid.step + metrics.tmHeight;
    top = (fieldLineHeight(edit) - height) / 2;
  }
  SetBkMode(dc, TRANSPARENT);
  for (const std::string& line : laid.lines) {
    const std::wstring wide = toWide(line);
    TextOutW(dc, left, top, wide.c_str(), static_cast<int>(wide.size()));
    top += laid.step;
  }
  SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
}

bool readOnly(HWND edit) { return (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0; }

LRESULT CALLBACK pathEndProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT: {
      LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
      // A box that takes no typing has no caret to show over the end it draws.
      if (message == WM_SETFOCUS && readOnly(edit)) HideCaret(edit);
      InvalidateRect(edit, nullptr, TRUE);
      return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
      // A box that takes no typing takes no focus either: a press on it leaves the focus
      // where the keys were going.
      if (readOnly(edit)) return 0;
      break;
    case WM_PAINT:
      // A box that takes typing shows its own text while it is typed in; a read-only one
      // always shows the path's end.
      if (GetFocus() == edit && !readOnly(edit)) break;
      paintPathEnd(edit);
      // The rest of the chain (the box's outline) still draws; the edit itself finds
      // nothing left to paint.
      return DefSubclassProc(edit, message, wParam, lParam);
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void showWholePathOnHover(HWND edit, const std::string& path) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = edit;
  HWND tooltip = kit::sharedToolTip();
  SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (path.empty()) return;
  std::wstring wide = toWide(path);
  tool.uFlags = TTF_SUBCLASS;
  tool.lpszText = wide.data();
  GetClientRect(edit, &tool.rect);
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void showTextCutToFit(HWND box, const std::string& text) {
  const std::wstring whole = toWide(text);
  RECT r;
  GetClientRect(box, &r);
  const auto margins = static_cast<DWORD>(SendMessageW(box, EM_GETMARGINS, 0, 0));
  const int width = r.right - LOWORD(margins) - HIWORD(margins) - 2;
  kit::WindowDC dc(box);
  kit::Selection font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
  const auto fits = [&](const std::wstring& line) {
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), line.c_str(), static_cast<int>(line.size()), &size);
    return size.cx <= width;
  };
  std::wstring shown = whole;
  if (!fits(whole)) {
    std::size_t kept = whole.size();
    do {
      --kept;
      // Never between the two halves of a character outside the BMP.
      if (kept > 0 && whole[kept] >= 0xDC00 && whole[kept] <= 0xDFFF) --kept;
      shown = whole.substr(0, kept) + L"…";
    } while (kept > 0 && !fits(shown));
  }
  SetWindowTextW(box, shown.c_str());
  showWholePathOnHover(box, shown == whole ? std::string() : text);
}

void showPathEnd(HWND edit) {
  if (!edit) return;
  SetWindowSubclass(edit, pathEndProc, 9, 0);
  InvalidateRect(edit, nullptr, TRUE);
}

}  // namespace lumaset::ui
