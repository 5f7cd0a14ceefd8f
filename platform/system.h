// The platform implementation of the system the program was built for.
#pragma once
#include <memory>

#include "platform/files.h"

namespace lumaset {

std::unique_ptr<Files> makeSystemFiles();

}  // namespace lumaset
