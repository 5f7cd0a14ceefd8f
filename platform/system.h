// The platform implementation of the system the program was built for.
#pragma once
#include <memory>
#include <string>

#include "platform/files.h"

namespace lumaset {

std::unique_ptr<Files> makeSystemFiles();

// The name of the user's UI language ("zh-CN", "en-US"; on POSIX the first of LC_ALL,
// LC_MESSAGES and LANG that is set, "zh_CN.UTF-8"); empty when the system names none.
std::string systemUiLanguage();

}  // namespace lumaset
