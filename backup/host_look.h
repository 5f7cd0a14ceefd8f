// Which look the located host's images carry now: what the program applied last, told
// only while the record proves the host's files to be as the program left them.
#pragma once
#include "edits/backup_record.h"
#include "run/run_state.h"

namespace lumaset {

// Own before any backup (nothing has been changed yet) and while the index holds the
// backup's bytes (the packs may still hold a theme's images, but nothing points at them)
// and the language file carries no startup-text block; the applied theme or custom images
// while the index is as that apply left it. Unknown with no host located, a damaged host
// (an index that does not decode, an image it changes that is no PNG inside its pack), no
// record, or a host file that someone else changed or that a change did not see to its
// end. Reads only: it takes no lock and writes nothing.
HostLook carriedLook(const Context& ctx);

}  // namespace lumaset
