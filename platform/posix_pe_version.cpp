#include "formats/pe_version.h"
#include "platform/posix_files.h"

namespace lumaset {

std::string PosixFiles::productVersion(const std::string& path) { return peProductVersion(readFile(path)); }

}  // namespace lumaset
