// Built-in images that the first frame draws, decoded on a thread of their own while the
// window thread goes on making and filling the windows: decoding the buttons' looks, the
// frame and the overlay is a good part of a start's work, and a second core is free
// meanwhile. An image asked for before its decoding ended is waited for, a short while
// at most; one that was not decoded ahead (or not in time) is decoded where it is needed,
// as it would be without this.
#pragma once
#include <chrono>
#include <memory>
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
  // Waits for a thread that has ended, lets one that has not end on its own; what was
  // never taken is disposed of.
  ~ImagesAhead();

  // Starts decoding the built-in images of these names (as they are embedded: a 2x copy
  // by its own name), in this order. Once only.
  void start(std::vector<std::string> names);
  // The image decoded ahead under `name`, now the caller's; nullptr when it was not asked
  // for, did not decode, was taken before, or was not decoded within `wait`.
  kit::Image* take(const std::string& name, std::chrono::milliseconds wait = std::chrono::milliseconds(2000));

 private:
  struct Decoding;
  static void decodeAll(const std::shared_ptr<Decoding>& d);

  std::shared_ptr<Decoding> decoding_;  // shared with the thread, which may outlive this
  std::thread thread_;
};

}  // namespace lumaset::ui
