// The PNG widget kit's start-up and shutdown, its window properties, and the text
// conversion its calls need. Windows only. The kit's surface: image controls
// (image_control.h), layered windows with image buttons and text boxes
// (layered_window.h), image loading (image_loading.h), the GDI+ text objects
// (gdiplus_text.h) and the load dialog class (load_dialog.h); the program uses the first
// three, the rest is kept and tested for windows that want it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "formats/bytes.h"

namespace lumaset::kit {

// Names of the window properties that hold a kit control's whole state.
inline constexpr const wchar_t* kType = L"PngControl_Type";
inline constexpr const wchar_t* kWndProc = L"PngControl_WndProc";
inline constexpr const wchar_t* kChildWndProc = L"PngControl_ChildWndProc";
inline constexpr const wchar_t* kBackType = L"PngControl_BackType";
inline constexpr const wchar_t* kBackImage = L"PngControl_BackImage";
inline constexpr const wchar_t* kCacheBitmap = L"PngControl_CacheBitmap";
inline constexpr const wchar_t* kDrawState = L"Kelto_DrawState";
inline constexpr const wchar_t* kNormalImage = L"PngControl_NormalImage";
inline constexpr const wchar_t* kOverImage = L"PngControl_OverlImage";
inline constexpr const wchar_t* kDownImage = L"PngControl_DownImage";
inline constexpr const wchar_t* kDisableImage = L"PngControl_DisableImage";
inline constexpr const wchar_t* kTextColor = L"PngControl_TextColor";
inline constexpr const wchar_t* kBackColor = L"PngControl_BackColor";
inline constexpr const wchar_t* kBackAlpha = L"PngControl_BackAlpha";
inline constexpr const wchar_t* kOrderColor = L"PngControl_OrderColor";
inline constexpr const wchar_t* kOrderAlpha = L"PngControl_OrderAlpha";
inline constexpr const wchar_t* kTime = L"PngControl_Time";
inline constexpr const wchar_t* kToolTips = L"Kelto_ToolTips";

enum Kind : std::intptr_t { kPictureBox = 2, kImageButton = 3, kTextBox = 4 };

// A property's value; 0 when unset. Values are pointer-sized, so handles fit.
inline std::intptr_t getProp(HWND window, const wchar_t* name) {
  return reinterpret_cast<std::intptr_t>(GetPropW(window, name));
}
inline BOOL setProp(HWND window, const wchar_t* name, std::intptr_t value) {
  return SetPropW(window, name, reinterpret_cast<HANDLE>(value));
}

// Starts GDI+, prepares the time frame dimension and registers the load dialog class.
void kitStartup();
// Disposes of the images the kit still holds and shuts GDI+ down.
void kitShutdown();

// The GDI+ frame dimension of animation time ({6AEDBD6D-3FB5-418A-83A6-7F45229DC872}).
const GUID& timeFrameDimension();

// UTF-8 program text as UTF-16 bytes, terminating zero included (2 bytes for "").
Bytes toUtf16(const std::string& utf8);

}  // namespace lumaset::kit
