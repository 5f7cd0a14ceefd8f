// Finding a named image through the record table and cutting its bytes out of a pack.
#pragma once
#include <string>

#include "iconstore/record_table.h"
#include "platform/files.h"

namespace lumaset {

inline constexpr const char* kSplashResource = "Splash1080Background";
inline constexpr const char* kDarkIconResource = "PS_OWL_appbar_dark_win";
inline constexpr const char* kLightIconResource = "PS_OWL_appbar_light_win";

// The record number of the first record named exactly `name`, or 0.
std::size_t findRecord(const RecordTable& table, const std::string& name);

// The image's bytes from the pack in `packFolder` (which ends with a separator), read
// as a range of the pack, never the whole of it. Empty when no record matches or the
// record points outside the pack: a negative offset counts as 0, a start at or past the
// end or a negative length gives nothing, a length past the end gives what remains.
Bytes lookUpImage(const RecordTable& table, SystemReading& files, const std::string& packFolder, const std::string& name,
                  Pack pack);

}  // namespace lumaset
