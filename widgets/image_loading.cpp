#include "widgets/image_loading.h"

#include <map>
#include <memory>

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

Image* loadImageFromBytes(const Bytes& bytes) {
  auto stream = std::make_unique<MemoryStream>();
  IStream* s = stream->open(bytes, true);
  if (!s) return nullptr;
  Image* image = nullptr;
  if (GdipLoadImageFromStream(s, &image) != Gdiplus::Ok || !image) return nullptr;
  GdipImageSelectActiveFrame(image, &timeFrameDimension(), 0);
  loaded()[image].stream = std::move(stream);
  return image;
}

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
