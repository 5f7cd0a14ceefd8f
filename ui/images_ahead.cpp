#include "ui/images_ahead.h"

#include <objbase.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <utility>

#include "assets/builtin_images.h"

namespace lumaset::ui {

struct ImagesAhead::Decoding {
  std::vector<std::string> names;
  std::map<std::string, kit::DecodedImage> decoded;
  std::size_t finished = 0;  // how many of `names` are decoded (or failed)
  std::mutex mutex;
  std::condition_variable changed;
};

ImagesAhead::~ImagesAhead() {
  if (!thread_.joinable()) return;
  bool ended = false;
  {
    std::lock_guard<std::mutex> lock(decoding_->mutex);
    ended = decoding_->finished == decoding_->names.size();
  }
  // A decoding that has not ended (a decoder that hangs) never holds up the window.
  if (ended)
    thread_.join();
  else
    thread_.detach();
}

void ImagesAhead::start(std::vector<std::string> names) {
  if (thread_.joinable()) return;
  decoding_ = std::make_shared<Decoding>();
  decoding_->names = std::move(names);
  thread_ = std::thread([d = decoding_] { decodeAll(d); });
}

void ImagesAhead::decodeAll(const std::shared_ptr<Decoding>& d) {
  // Decoders may be COM objects: this thread is an apartment of its own.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  for (const std::string& name : d->names) {
    kit::DecodedImage image = kit::decodeImage(std::string(embeddedImage(name)));
    std::lock_guard<std::mutex> lock(d->mutex);
    d->decoded[name] = std::move(image);
    ++d->finished;
    d->changed.notify_all();
  }
  if (com) CoUninitialize();
}

kit::Image* ImagesAhead::take(const std::string& name, std::chrono::milliseconds wait) {
  if (!decoding_) return nullptr;
  Decoding& d = *decoding_;
  const auto at = std::find(d.names.begin(), d.names.end(), name);
  if (at == d.names.end()) return nullptr;
  const auto index = static_cast<std::size_t>(at - d.names.begin());
  std::unique_lock<std::mutex> lock(d.mutex);
  if (!d.changed.wait_for(lock, wait, [&] { return d.finished > index; })) return nullptr;
  auto found = d.decoded.find(name);
  if (found == d.decoded.end()) return nullptr;
  kit::DecodedImage image = std::move(found->second);
  d.decoded.erase(found);
  lock.unlock();
  return kit::adoptDecoded(std::move(image));
}

}  // namespace lumaset::ui
