// The drawing state of an image button and how mouse and enable messages move it. The
// kit's layered-window buttons keep it in the property Kelto_DrawState, the program's
// own image buttons in their window data; both draw the image of the state they are in.
#pragma once
#include <windows.h>

#include <cstdint>

namespace lumaset::kit {

enum class ButtonState : std::intptr_t { Normal = 0, Over = 1, Down = 2, Disabled = 3 };

// The state after `message`; messages other than mouse moves and leaves, left-button
// presses and releases and WM_ENABLE keep it.
inline ButtonState nextButtonState(ButtonState state, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      return state == ButtonState::Down ? state : ButtonState::Over;
    case WM_MOUSELEAVE:
      return ButtonState::Normal;
    case WM_LBUTTONDOWN:
      return ButtonState::Down;
    case WM_LBUTTONUP:
      return state == ButtonState::Down ? ButtonState::Over : ButtonState::Normal;
    case WM_ENABLE:
      return wParam ? ButtonState::Normal : ButtonState::Disabled;
    default:
      return state;
  }
}

// A mouse move that puts the button into the Over state starts the tracking that tells
// it when the pointer leaves.
inline void trackLeaveOnEnter(HWND button, ButtonState before, ButtonState after) {
  if (after == ButtonState::Over && before != ButtonState::Over && before != ButtonState::Down) {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, button, 0};
    TrackMouseEvent(&track);
  }
}

}  // namespace lumaset::kit
