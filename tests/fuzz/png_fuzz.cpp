// libFuzzer target for the PNG structure check: any bytes are judged without a crash, a
// hang or a read outside them, and what passes has a header within the limits.
#include <cstdint>
#include <cstdlib>

#include "formats/png.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumaset::Bytes png(reinterpret_cast<const char*>(data), size);
  if (!lumaset::isSoundPng(png)) return 0;
  std::optional<lumaset::PngSize> dims = lumaset::pngSize(png);
  if (!dims || dims->width == 0 || dims->width > lumaset::kPngMaxSide || dims->height == 0 ||
      dims->height > lumaset::kPngMaxSide)
    std::abort();
  return 0;
}
