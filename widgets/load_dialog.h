// The window class "KeltoLoadDialog": a borderless dialog that shows an image while a
// worker thread runs, can be dragged by any point, and frees its thread, image and
// memory when it is destroyed.
#pragma once
#include <windows.h>

namespace lumaset::kit {

inline constexpr const wchar_t* kLoadDialogClass = L"KeltoLoadDialog";
inline constexpr const wchar_t* kDialogThread = L"Kelto_Thread";
inline constexpr const wchar_t* kDialogImage = L"Kelto_Image";
inline constexpr const wchar_t* kDialogStream = L"Kelto_Stream";
inline constexpr const wchar_t* kDialogHitMove = L"KeltoHitMove";

void registerLoadDialogClass();
LRESULT CALLBACK loadDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace lumaset::kit
