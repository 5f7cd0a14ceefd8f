// Giving the host back the look an update of it took off (backup/undone_look.h): the
// backup of the files the update changed is renewed from them, then the same theme or
// custom images are applied with the same startup-text toggle.
#pragma once
#include "backup/undone_look.h"
#include "themes/apply.h"

namespace lumaset {

// Refused before any change when no look was taken off, or when what it needs is gone
// (a theme removed from the library, a custom image moved away). A failed renewal stops
// it before the apply. Done with one report that says what was applied again; the
// renewal's failures and the apply's notes come with it.
Outcome reapplyUndoneLook(Context& ctx);

}  // namespace lumaset
