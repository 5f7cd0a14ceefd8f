// Images made from bytes in memory. Each loaded image keeps its memory stream alive
// until it is disposed of, since GDI+ may read the stream for as long as the image
// lives. Images stored in kit properties are counted, so that the kit disposes of one
// when the last property that holds it lets go (replaced, or its window destroyed).
#pragma once
#include <windows.h>

#include <memory>

#include "widgets/gdiplus_include.h"

#include "formats/bytes.h"

namespace lumaset::kit {

using Image = Gdiplus::GpImage;
class MemoryStream;

// An image decoded on any thread, not yet known to the kit: decodeImage touches GDI+ alone
// (its pixels decoded, not merely its header), the window thread then adopts it.
struct DecodedImage {
  DecodedImage();
  DecodedImage(DecodedImage&&) noexcept;
  DecodedImage& operator=(DecodedImage&&) noexcept;
  ~DecodedImage();  // disposes of an image never adopted
  Image* image = nullptr;
  std::unique_ptr<MemoryStream> stream;
};
DecodedImage decodeImage(const Bytes& bytes);
// The decoded image as loadImageFromBytes gives it; on the window thread.
Image* adoptDecoded(DecodedImage decoded);

// A GDI+ image from PNG (or other) file bytes, at its first frame; null when it does
// not decode. The caller owns it until it hands it to a property.
Image* loadImageFromBytes(const Bytes& bytes);
// Counts an image the kit drew itself (no stream behind it) like a loaded one; returns it.
Image* adoptImage(Image* image);
// Disposes of an image and frees its stream, unless a property still holds it.
void disposeImage(Image* image);

// A property takes hold of an image / lets go of it.
void retainImage(Image* image);
void releaseImage(Image* image);

// Stores an image in a window property, taking hold of it and letting go of the old one.
void setImageProp(HWND window, const wchar_t* name, Image* image);

// Images loaded and not yet disposed of (for the leak checks of tests).
std::size_t liveImageCount();
// Disposes of every image still alive; at shutdown.
void disposeAllImages();

}  // namespace lumaset::kit
