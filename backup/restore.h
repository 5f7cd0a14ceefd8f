// Putting the host's files back from the backup: the icon files (packs first, the index
// last) and the language file.
#pragma once
#include "app/run_state.h"

namespace lumaset {

enum class CopyBackPolicy { StopAtFirstFailure, KeepGoing };

// Copies the backed-up icon files over the host's; the extra packs only when the record
// table says four-pack. True when every copy succeeded.
bool copyBackIconFiles(Context& ctx, CopyBackPolicy policy);
bool copyBackLanguageFile(Context& ctx);
// The entry "[默认]": icon files (keep going), then the language file.
bool restoreDefaults(Context& ctx);

}  // namespace lumaset
