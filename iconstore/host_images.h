// The three images the program changes and the record of a host's index that carries
// each. Releases differ: most name a dark and a light app-bar icon, later ones only one
// (`PS_OWL_appbar_win`), which is the icon their app bar shows and so takes the place
// of the dark one. A host that lacks an image is a host all the same: the image is
// skipped, never looked for elsewhere.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "iconstore/record_table.h"

namespace lumaset {

enum class HostImage { Splash, DarkIcon, LightIcon };

inline constexpr HostImage kHostImages[] = {HostImage::Splash, HostImage::DarkIcon, HostImage::LightIcon};
inline constexpr const char* kSingleIconResource = "PS_OWL_appbar_win";

// The name the program gives the image ("Splash1080Background", "PS_OWL_appbar_dark_win",
// "PS_OWL_appbar_light_win").
const char* imageResourceName(HostImage image);

// The resource that carries the image in `table`: its own name, or for the dark icon the
// single app-bar icon of a host that has no dark one; nothing when the host has neither.
std::optional<std::string> hostResource(const RecordTable& table, HostImage image);

// The names of the images the host lacks, in the order above.
std::vector<std::string> missingImages(const RecordTable& table);

// Whether the dark icon goes into the single app-bar icon on this host.
bool darkIconIsSingleIcon(const RecordTable& table);

// The record numbers (1-based, each once) of the records the program changes and puts
// back: the first record of each image's resource.
std::vector<std::size_t> changedRecords(const RecordTable& table);

}  // namespace lumaset
