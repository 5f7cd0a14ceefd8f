// The window's path fields: the host's folder in the bottom row (read-only, chosen with
// the folder button) and the custom page's six image fields, which take typed paths. Each
// shows its path's end, the start scrolled away (path_field.h).
#pragma once
#include <string>

#include "ui/window_controls.h"

namespace lumaset::ui {

class PathFields {
 public:
  explicit PathFields(WindowControls& controls) : controls_(controls) {}

  // Once the controls stand: the fields draw their paths' ends. The custom page's fields
  // are passed until the page is made; it runs again then.
  void prepare();
  // The host's folder; the pointer resting on it shows the whole folder.
  void setHostPath(const std::string& text);
  // The image fields, in slot order.
  std::string imagePath(int slot) const;
  void setImagePath(int slot, const std::string& path);

 private:
  void setPathText(Control id, const std::string& text);

  WindowControls& controls_;
};

}  // namespace lumaset::ui
