#include "platform/posix_files.h"
#include "platform/system.h"

#include <cstdlib>

namespace lumaset {

std::unique_ptr<Files> makeSystemFiles() { return std::make_unique<PosixFiles>(); }

std::string systemUiLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return {};
}

}  // namespace lumaset
