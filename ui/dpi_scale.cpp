#include "ui/dpi_scale.h"

namespace lumaset::ui {

namespace {

// n * numerator / denominator rounded to the nearest, halves away from zero, as MulDiv.
int mulDiv(long long n, long long numerator, long long denominator) {
  long long product = n * numerator;
  long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

}  // namespace

int Scale::px(int design) const { return mulDiv(design, dpi, kDesignDpi); }

DesignRect Scale::rect(const DesignRect& d) const {
  int left = px(d.x), top = px(d.y);
  return {left, top, px(d.x + d.w) - left, px(d.y + d.h) - top};
}

int Scale::imagePx(int imagePixels, int imageScale) const {
  return mulDiv(imagePixels, dpi, static_cast<long long>(kDesignDpi) * (imageScale < 1 ? 1 : imageScale));
}

std::array<int, 6> scaledEdges(const Scale& scale, const std::array<int, 6>& design) {
  std::array<int, 6> edges{};
  for (std::size_t i = 0; i < edges.size(); ++i) edges[i] = scale.px(design[i]);
  return edges;
}

std::array<int, 6> mirroredEdges(const Scale& scale, const std::array<int, 6>& design) {
  std::array<int, 6> edges = scaledEdges(scale, design);
  edges[4] = edges[5] - (edges[1] - edges[0]);
  edges[3] = edges[4] - (edges[2] - edges[1]);
  return edges;
}

}  // namespace lumaset::ui
