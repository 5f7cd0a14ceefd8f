// The colours the main window draws with, and those it gives its plain controls
// (WM_CTLCOLORSTATIC, ...EDIT, ...LISTBOX): light text on the panel, links in the link
// colour, the note of the host's look and the label of a toggle that is not available
// dimmed, the description box on the edit colour. While the system's high-contrast mode
// is on, each part takes the system colour that ui/palette.h names for it.
#pragma once
#include <windows.h>

#include <initializer_list>

#include "ui/palette.h"
#include "widgets/scoped_gdi.h"

namespace lumaset::ui {

// Whether the system's high-contrast mode is on now.
bool highContrastOn();
// The colour `part` is drawn in now: a system colour in high contrast, else the design's.
COLORREF drawnColour(Part part);

class ControlColours {
 public:
  ControlColours() { makeBrushes(); }
  // The panel's brush, which the window classes paint their background with.
  HBRUSH panel() const { return panel_.get(); }
  // Sets the control's colours on `dc` and returns the brush of its background.
  LRESULT colour(HDC dc, HWND control) const;
  // After a change of the system's colours or of its high-contrast mode: the brushes made
  // again, and the classes of `windows` given the panel's new brush as their background.
  void followSystem(std::initializer_list<HWND> windows);

 private:
  void makeBrushes();

  kit::Brush panel_, edit_;
};

}  // namespace lumaset::ui
