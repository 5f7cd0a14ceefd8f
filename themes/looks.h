// The host's current look and its untouched look kept in the backup, as values that a
// front end shows: the splash image and the two app-bar icons, a description, the
// startup-text toggle and which overlay lies over the splash.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "formats/bytes.h"
#include "run/run_state.h"

namespace lumaset {

enum class Overlay { Clear, Marked };

// Which of the program's own descriptions a look carries (None: a theme's own, from its
// info.ini); the front ends show it in their language, `description` holds it in Chinese.
enum class BuiltInDescription { None, NoHost, Current, DefaultBackedUp, DefaultNotBackedUp, Custom };

struct Look {
  Bytes splash;
  Bytes darkIcon;  // on a host with a single app-bar icon, that icon
  Bytes lightIcon;
  // The same images made at twice the size, where the source has them (a theme's
  // *_high.png files); a window from 150 % on shows them.
  Bytes splashHigh, darkIconHigh, lightIconHigh;
  std::string description;
  BuiltInDescription builtIn = BuiltInDescription::None;
  bool startupTextToggle = false;
  // False for a host without a language file: the toggle then does nothing.
  bool startupTextAvailable = true;
  Overlay overlay = Overlay::Marked;
  // The images the host has no resource for (the current and the default look only).
  std::vector<std::string> hostLacks;
  // What reading the index had to tell (a damaged index), shown with the look.
  std::vector<Report> reports;
};

// The clear overlay when the startup text is hidden or the host is of version 18 or
// later (whose startup text is never changed), else the marked one.
Overlay chooseOverlay(bool startupTextToggle, bool release18OrLater);

// The startup-text toggle that choosing `entry` in the theme list sets: for "[当前]"
// whether the language file carries the program's block, for "[默认]" off, for a theme
// whether its info.ini hides the startup text; always off for a host without a language
// file. The window and the command line both start an apply from it.
bool startupTextToggleFor(const Context& ctx, const std::string& entry);

// The current index parsed into the run's record table, and the three images looked up
// in the LowRes pack beside it.
Look currentLook(Context& ctx);
// The backed-up index parsed on its own (the run's record table stays the current one),
// its images looked up in the same pack; before any backup, the current images, which
// are the host's own (the first apply backs up exactly those), with no alarm.
// Both looks are empty, with a description that says so, while no host is located.
Look defaultLook(const Context& ctx);
// What an apply of the custom page's images would show, the slots in the apply's order
// (splash, splash 2x, dark, dark 2x, light, light 2x): each picked image the host can
// take, and the host's default image where a field is empty or names no such image.
// Its toggle is `startupTextToggle`, since the custom page keeps the user's tick.
Look customLook(const Context& ctx, const std::array<std::string, 6>& slots, bool startupTextToggle);

}  // namespace lumaset
