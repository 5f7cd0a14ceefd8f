// A look the program applied that an update of the host has taken off. The host's
// updater rewrites its icon files and language file; the record still names the theme
// (or the custom images) and how it was asked for, so the same apply can be made again.
#pragma once
#include <optional>

#include "edits/backup_record.h"
#include "run/run_state.h"

namespace lumaset {

struct UndoneLook {
  HostLook look;           // a theme or the custom images
  AppliedRequest request;  // its startup-text toggle, the custom images' paths
};

// The applied look when the host no longer carries it because its files are now the
// host's own: an icon file changed by someone else (or renewed as the original since),
// or the language file so changed while the apply had set its startup text. Nothing
// when no theme or custom images were applied, while the files are as the apply left
// them, for a damaged host (no update leaves one) and for a change the program did not
// see to its end. Reads only.
std::optional<UndoneLook> undoneLook(const Context& ctx);

}  // namespace lumaset
