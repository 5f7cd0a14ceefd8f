#include "platform/posix_files.h"
#include "platform/system.h"

namespace lumaset {

std::unique_ptr<Files> makeSystemFiles() { return std::make_unique<PosixFiles>(); }

}  // namespace lumaset
