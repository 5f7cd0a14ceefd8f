// Built-in images that the first frame draws, decoded on a thread of their own while the
// window thread goes on making and filling the windows: decoding the buttons' looks, the
// frame and the overlay is a good part of a start's work, and a second core is free
// meanwhile. An image asked for before its decoding ended is waited for; one that was
// never decoded ahead is decoded where it is needed, as it would be without this.
#pragma once
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "widgets/image_loading.h"

namespace lumaset::ui {

class ImagesAhead {
 public:
  ImagesAhead() = default;
  ImagesAhead(const ImagesAhead&) = delete;
  ImagesAhead& operator=(const ImagesAhead&) = delete;
  // Waits for the thread; what was never taken is disposed of.
  ~ImagesAhead();

  // Starts decoding the built-in images of these names (as they are embedded: a 2x copy
  // by its own name), in this order. Once only.
  void start(std::vector<std::string> names);
  // The image decoded ahead under `name`, now the caller's; nullptr when it was not asked
  // for, did not decode, or was taken before.
  kit::Image* take(const std::string& name);

 private:
  void decodeAll();

  std::vector<std::string> names_;
  std::map<std::string, kit::DecodedImage> decoded_;
  std::size_t finished_ = 0;  // how many of names_ are decoded (or failed)
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread thread_;
};

}  // namespace lumaset::ui
