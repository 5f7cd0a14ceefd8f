// The paths inside a host's installation folder that follow from the folder alone.
#pragma once
#include <string>

namespace lumaset {

// R: the host's Resources folder, without a trailing separator.
std::string resourcesFolder(const std::string& hostFolder, char sep);
// R + "IconResources.idx": the host's icon index.
std::string indexPathFor(const std::string& hostFolder, char sep);

}  // namespace lumaset
