// The theme list ("[当前]", "[默认]", then the library's themes in the file system's
// order) and the preview of a chosen entry, as a value the window or the command line
// shows.
#pragma once
#include <string>
#include <vector>

#include "run/run_state.h"
#include "themes/looks.h"

namespace lumaset {

std::vector<std::string> themeList(const Context& ctx);

struct Link {
  std::string text;
  std::string target;
};

struct Preview {
  Look look;                     // images, description, toggle, overlay
  bool indicatorsShown = false;  // the 1X, 2X and T buttons (themes only)
  // hasText: the theme carries a startup text (word.text, themeCarriesText), the T mark.
  bool has1x = false, has2x = false, hasText = false;
  Link author, credit;
};

// Previews a library theme: its folder, and for an icon it lacks the host's own one,
// which is what an apply leaves there.
Preview previewTheme(const Context& ctx, const std::string& theme);
// The entry chosen in the list: the current or default look, or a theme of that name.
Preview previewEntry(Context& ctx, const std::string& entry);

}  // namespace lumaset
