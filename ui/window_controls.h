// The main window's controls at its monitor's DPI: each is created from its design
// rectangle (96 DPI), which is kept with its font, its shown part and its outline, so that
// a change of DPI lays everything out again. The controls are found by their role.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ui/control_ids.h"
#include "ui/dpi_scale.h"
#include "widgets/scoped_gdi.h"

namespace lumaset::ui {

struct ButtonLooks;

// The DPI of the monitor a window is on (the system's before Windows 10).
int windowDpi(HWND window);

// The window's four type sizes, in design pixels: 12, 11, 9 and 21.
enum class FontSize { k12, k11, k9, k21 };

// The space between a path field's frame and its text, in pixels at 96 DPI.
inline constexpr int kFieldMargin = 4;

class WindowControls {
 public:
  const Scale& scale() const { return scale_; }
  // Takes the DPI and makes the fonts for it; the fonts of the DPI before are deleted once
  // layOut has handed the new ones to the controls.
  void setDpi(int dpi);
  void layOut();
  HFONT font(FontSize size) const { return fonts_[static_cast<int>(size)].get(); }

  // A control, created at the monitor's scale from its design rectangle.
  HWND add(HWND parent, const wchar_t* cls, const std::string& text, Control id, const DesignRect& design, DWORD style,
           HFONT font);
  // A label that moves the window when pressed, cut rather than wrapped when narrow.
  HWND addLabel(HWND parent, Control id, const char* text, const DesignRect& design, HFONT font,
                DWORD align = SS_LEFTNOWORDWRAP);
  // A link: a label with the hand pointer, which reports its presses (STN_CLICKED).
  HWND addLink(HWND parent, Control id, const char* text, const DesignRect& design, HFONT font);
  // A path box: an edit whose first line is framed.
  HWND addEdit(HWND parent, Control id, const DesignRect& design);
  // An image button with the built-in looks "<look>_normal", "_over", "_down", "_disabled".
  HWND addButton(HWND parent, Control id, const DesignRect& design, const std::string& look, bool twoState);
  HWND addImageButton(HWND parent, Control id, const DesignRect& design, const ButtonLooks& looks, bool twoState);
  // A window the controls do not name (a page), placed from design pixels and kept.
  void place(HWND window, const DesignRect& design);
  // A window created at the scale of `design` by its owner, kept for a change of DPI.
  void keep(HWND window, const DesignRect& design) { placed_[window].rect = design; }
  // Only the top-left w × h design pixels of the control show.
  void showOnly(HWND control, int w, int h);
  // `window` is cut around the `covering` siblings.
  void cutOut(HWND window, const std::vector<HWND>& covering);
  // The height of a combo box's selection field, in design pixels.
  void setSelectionHeight(HWND combo, int height);

  HWND get(Control id) const;
  // Every image button made so far.
  std::vector<HWND> imageButtons() const;
  DesignRect designRect(HWND window) const;
  bool checked(Control id) const;
  void setChecked(Control id, bool pressed);
  void setText(Control id, const std::string& text);

 private:
  struct Placed {
    DesignRect rect;
    int font = -1;               // index into fonts_
    int shownW = 0, shownH = 0;  // showOnly's part, when set
    int fieldLine = 0;           // the framed height of a path box
    bool imageButton = false;
    int itemHeight = 0;  // a combo box's selection field
  };
  void remember(HWND window, const DesignRect& design, HFONT font);
  void layOut(HWND window, const Placed& p);
  void moveToolTips();

  Scale scale_;
  kit::Font fonts_[4];
  kit::Font oldFonts_[4];  // the fonts of the DPI before, until layOut
  std::map<Control, HWND> controls_;
  std::map<HWND, Placed> placed_;
  HWND cutWindow_ = nullptr;
  std::vector<HWND> cutCovering_;
};

}  // namespace lumaset::ui
