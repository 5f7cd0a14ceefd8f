#include "iconstore/host_images.h"

#include <algorithm>

#include "iconstore/lookup.h"

namespace lumaset {

const char* imageResourceName(HostImage image) {
  switch (image) {
    case HostImage::Splash:
      return kSplashResource;
    case HostImage::DarkIcon:
      return kDarkIconResource;
    case HostImage::LightIcon:
      return kLightIconResource;
  }
  return kSplashResource;
}

std::optional<std::string> hostResource(const RecordTable& table, HostImage image) {
  const std::string own = imageResourceName(image);
  if (findRecord(table, own) != 0) return own;
  if (image == HostImage::DarkIcon && findRecord(table, kSingleIconResource) != 0) return kSingleIconResource;
  return std::nullopt;
}

std::vector<std::string> missingImages(const RecordTable& table) {
  std::vector<std::string> missing;
  for (HostImage image : kHostImages) {
    if (!hostResource(table, image)) missing.push_back(imageResourceName(image));
  }
  return missing;
}

bool darkIconIsSingleIcon(const RecordTable& table) {
  return hostResource(table, HostImage::DarkIcon) == std::string(kSingleIconResource);
}

std::vector<std::size_t> changedRecords(const RecordTable& table) {
  std::vector<std::size_t> numbers;
  for (HostImage image : kHostImages) {
    std::optional<std::string> resource = hostResource(table, image);
    if (!resource) continue;
    const std::size_t n = findRecord(table, *resource);
    if (std::find(numbers.begin(), numbers.end(), n) == numbers.end()) numbers.push_back(n);
  }
  return numbers;
}

}  // namespace lumaset
