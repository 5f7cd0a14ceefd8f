// Whether an operation on the located host would need administrator rights, guessed from
// the security of what it changes, so that the window can show the shield on the buttons
// that start one before anything is tried. The operation itself still decides by trying.
#pragma once
#include "run/run_state.h"

namespace lumaset {

// True when this process's rights, by the folders' and files' security, do not reach one
// of the folders an edit of the located host changes (a folder still to be made stands
// for the nearest one above it that is there) or one of its files. False without a host.
bool hostNeedsAdministrator(Context& ctx);

}  // namespace lumaset
