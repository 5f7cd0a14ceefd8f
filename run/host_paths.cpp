#include "run/host_paths.h"

#include "formats/path_text.h"
#include "iconstore/index_format.h"

namespace lumaset {

std::string resourcesFolder(const std::string& hostFolder, char sep) {
  return withTrailingSeparator(hostFolder, sep) + "Resources";
}

std::string indexPathFor(const std::string& hostFolder, char sep) {
  return resourcesFolder(hostFolder, sep) + sep + kIndexFile;
}

}  // namespace lumaset
