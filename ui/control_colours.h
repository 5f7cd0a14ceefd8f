// The colours the main window gives its plain controls (WM_CTLCOLORSTATIC, ...EDIT,
// ...LISTBOX): light text on the panel, links in the link colour, the note of the host's
// look and the label of a toggle that is not available dimmed, the description box on the
// edit colour.
#pragma once
#include <windows.h>

#include "widgets/scoped_gdi.h"

namespace lumaset::ui {

class ControlColours {
 public:
  ControlColours();
  // The panel's brush, which the window classes paint their background with.
  HBRUSH panel() const { return panel_.get(); }
  // Sets the control's colours on `dc` and returns the brush of its background.
  LRESULT colour(HDC dc, HWND control) const;

 private:
  kit::Brush panel_, edit_;
};

}  // namespace lumaset::ui
