#include "ui/images_ahead.h"

#include <objbase.h>

#include <algorithm>
#include <utility>

#include "assets/builtin_images.h"

namespace lumaset::ui {

ImagesAhead::~ImagesAhead() {
  if (thread_.joinable()) thread_.join();
}

void ImagesAhead::start(std::vector<std::string> names) {
  if (thread_.joinable()) return;
  names_ = std::move(names);
  thread_ = std::thread([this] { decodeAll(); });
}

void ImagesAhead::decodeAll() {
  // Decoders may be COM objects: this thread is an apartment of its own.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  for (const std::string& name : names_) {
    kit::DecodedImage image = kit::decodeImage(std::string(embeddedImage(name)));
    std::lock_guard<std::mutex> lock(mutex_);
    decoded_[name] = std::move(image);
    ++finished_;
    changed_.notify_all();
  }
  if (com) CoUninitialize();
}

kit::Image* ImagesAhead::take(const std::string& name) {
  const auto at = std::find(names_.begin(), names_.end(), name);
  if (at == names_.end()) return nullptr;
  const auto index = static_cast<std::size_t>(at - names_.begin());
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return finished_ > index; });
  auto found = decoded_.find(name);
  if (found == decoded_.end()) return nullptr;
  kit::DecodedImage image = std::move(found->second);
  decoded_.erase(found);
  lock.unlock();
  return kit::adoptDecoded(std::move(image));
}

}  // namespace lumaset::ui
