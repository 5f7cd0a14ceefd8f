#include "ui/path_fields.h"

#include "platform/win32_text.h"
#include "ui/path_field.h"
#include "widgets/window_text.h"

namespace lumaset::ui {

void PathFields::prepare() {
  // The host's folder is chosen with the folder button, never typed; the custom page's
  // fields take typed paths.
  SendMessageW(controls_.get(Control::PathBox), EM_SETREADONLY, TRUE, 0);
  showPathEnd(controls_.get(Control::PathBox));
  for (Control field : kSlotFields)
    if (HWND box = controls_.get(field)) showPathEnd(box);
}

void PathFields::setPathText(Control id, const std::string& text) {
  controls_.setText(id, text);
  // A path is read from its end: the file's name shows, the start scrolls away.
  HWND box = controls_.get(id);
  const int length = GetWindowTextLengthW(box);
  SendMessageW(box, EM_SETSEL, length, length);
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void PathFields::setHostPath(const std::string& text) {
  setPathText(Control::PathBox, text);
  showWholePathOnHover(controls_.get(Control::PathBox), text);
}

std::string PathFields::imagePath(int slot) const {
  return fromWide(kit::windowText(controls_.get(kSlotFields[slot])));
}

void PathFields::setImagePath(int slot, const std::string& path) { setPathText(kSlotFields[slot], path); }

}  // namespace lumaset::ui
