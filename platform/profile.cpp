#include "platform/files.h"
#include "platform/utf.h"

namespace lumaset {

std::string cutProfileValue(std::string value) { return cutUtf8(std::move(value), kProfileValueLimit); }

}  // namespace lumaset
