// What screen readers are told of the window's controls. A control answers WM_GETOBJECT
// for its client area with the system's standard accessible object of its window
// (oleacc's CreateStdAccessibleObject), wrapped so that the name and role come from the
// control table (ui/control_ids.h) and the state tells a ticked check box, a pressed page
// button and a link; everything else (place, focus, children, value) is the system's.
#pragma once
#include <windows.h>

#include "ui/control_ids.h"

namespace lumaset::ui {

// Makes `window` answer for `control`'s row of the table; a control without a row keeps
// what the system says of it.
void describeToScreenReaders(HWND window, Control control);

}  // namespace lumaset::ui
