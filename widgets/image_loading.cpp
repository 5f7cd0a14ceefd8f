#include "widgets/image_loading.h"

#include <map>
#include <memory>
#include <utility>

#include "widgets/kit.h"
#include "widgets/memory_stream.h"

using namespace Gdiplus::DllExports;

namespace lumaset::kit {
namespace {

struct LoadedImage {
  std::unique_ptr<MemoryStream> stream;
  int holders = 0;
  bool ownerLetGo = false;  // the loader's caller disposed of it, or gave it away
};

std::map<Image*, LoadedImage>& loaded() {
  static std::map<Image*, LoadedImage> images;
  return images;
}

void disposeNow(std::map<Image*, LoadedImage>::iterator it) {
  GdipDisposeImage(it->first);
  loaded().erase(it);
}

}  // namespace

DecodedImage::DecodedImage() = default;
DecodedImage::DecodedImage(DecodedImage&& other) noexcept
    : image(std::exchange(other.image, nullptr)), stream(std::move(other.stream)) {}
DecodedImage& DecodedImage::operator=(DecodedImage&& other) noexcept {
  if (this != &other) {
    if (image) GdipDisposeImage(image);
    image = std::exchange(other.image, nullptr);
    stream = std::move(other.stream);
  }
  return *this;
}
DecodedImage::~DecodedImage() {
  if (image) GdipDisposeImage(image);
}

DecodedImage decodeImage(const Bytes& bytes) {
  DecodedImage decoded;
  auto stream = std::make_unique<MemoryStream>();
  IStream* s = stream->open(bytes, true);
  if (!s) return decoded;
  Image* image = nullptr;
  if (GdipLoadImageFromStream(s, &image) != Gdiplus::Ok || !image) return decoded;
  GdipImageSelectActiveFrame(image, &timeFrameDimension(), 0);
  // GDI+ may decode the pixels only when the image is first drawn: here, they are.
  GdipImageForceValidation(image);
  decoded.image = image;
  decoded.stream = std::move(stream);
  return decoded;
}

Image* adoptDecoded(DecodedImage decoded) {
  Image* image = std::exchange(decoded.image, nullptr);
  if (image) loaded()[image].stream = std::move(decoded.stream);
  return image;
}

Image* loadImageFromBytes(const Bytes& bytes) { return adoptDecoded(decodeImage(bytes)); }

Image* adoptImage(Image* image) {
  if (image) loaded()[image];
  return image;
}

void disposeImage(Image* image) {
  auto it = loaded().find(image);
  if (it == loaded().end()) {
    if (image) GdipDisposeImage(image);  // not one of ours: dispose as asked
    return;
  }
  it->second.ownerLetGo = true;
  if (it->second.holders == 0) disposeNow(it);
}

void retainImage(Image* image) {
  auto it = loaded().find(image);
  if (it == loaded().end()) return;
  ++it->second.holders;
  // Handing an image to a property hands it over: the property's release disposes of it.
  it->second.ownerLetGo = true;
}

void releaseImage(Image* image) {
  auto it = loaded().find(image);
  if (it == loaded().end() || it->second.holders == 0) return;
  if (--it->second.holders == 0 && it->second.ownerLetGo) disposeNow(it);
}

void setImageProp(HWND window, const wchar_t* name, Image* image) {
  auto old = reinterpret_cast<Image*>(getProp(window, name));
  if (old == image) return;
  retainImage(image);
  setProp(window, name, reinterpret_cast<std::intptr_t>(image));
  releaseImage(old);
}

std::size_t liveImageCount() { return loaded().size(); }

void disposeAllImages() {
  while (!loaded().empty()) disposeNow(loaded().begin());
}

}  // namespace lumaset::kit
