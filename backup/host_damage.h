// Whether the host's icon files can stand as an original: the index decodes, and every
// image of the resources the program changes lies inside its pack and is a PNG. A file
// that fails is damaged, not updated: it is never taken into the backup, and the way back
// puts the original over it.
#pragma once
#include <optional>
#include <string>

#include "backup/edit_session.h"

namespace lumaset {

// The record key of the first damaged icon file of the host (the index, or the pack
// an image of the index does not lie in as a PNG); nothing when all are sound.
std::optional<std::string> damagedHostFile(SystemReading& files, const BackupLayout& b);
inline std::optional<std::string> damagedHostFile(EditSession& s) { return damagedHostFile(s.files(), s.layout()); }

}  // namespace lumaset
