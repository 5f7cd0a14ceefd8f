#include "platform/system.h"
#include "platform/win32_files.h"

namespace lumaset {

std::unique_ptr<Files> makeSystemFiles() { return std::make_unique<Win32Files>(); }

}  // namespace lumaset
