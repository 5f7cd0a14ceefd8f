// The main window's own messages, which a part posts to finish a step once the system's
// call that started it has returned.
#pragma once
#include <windows.h>

namespace lumaset::ui {

// The theme list closed: preview what it chose (ThemeBox::listClosed).
inline constexpr UINT kThemeListClosed = WM_APP + 1;
// Files were dropped: import the first drop that waits.
inline constexpr UINT kFilesDropped = WM_APP + 2;
// The start's first frame is drawn: the parts no first frame shows are made.
inline constexpr UINT kFirstFrameDrawn = WM_APP + 3;
// The program came back to the front: posted, so that what it may ask comes after the
// activation has ended.
inline constexpr UINT kCameToFront = WM_APP + 4;

}  // namespace lumaset::ui
