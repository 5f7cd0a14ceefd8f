#include "tools/sample_host/sample_images.h"

#include <algorithm>
#include <cmath>

namespace lumaset::tools {
namespace {

std::uint8_t clamp8(double v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0)); }

Rgba tint(int hue, double light) {
  double h = (hue % 360) / 60.0;
  double r = std::fabs(h - 3) - 1, g = 2 - std::fabs(h - 2), b = 2 - std::fabs(h - 4);
  auto c = [&](double v) { return clamp8((0.35 + 0.65 * std::clamp(v, 0.0, 1.0)) * light * 255); };
  return {c(r), c(g), c(b), 255};
}

}  // namespace

Image drawSplash(int width, int height, int hue) {
  Image image(width, height);
  int cell = std::max(8, width / 28);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double t = (x - y * 1.4 - width * 0.15) / (width * 0.12);
      double band = 1.0 / (1.0 + t * t);
      double base = 0.10 + 0.08 * y / height;
      Rgba c = tint(hue, base + 0.55 * band);
      int cx = x % cell, cy = y % cell;
      bool square =
          cx > cell / 5 && cx < cell * 4 / 5 && cy > cell / 5 && cy < cell * 4 / 5 && ((x / cell + y / cell) % 3 == 0);
      if (square) c = tint(hue + 40, base + 0.25 + 0.3 * band);
      image.at(x, y) = c;
    }
  }
  return image;
}

Image drawAppBarIcon(int size, bool dark) {
  Image image(size, size, {0, 0, 0, 0});
  double radius = size * 0.18;
  Rgba fill = dark ? Rgba{0x0c, 0x24, 0x3a, 255} : Rgba{0xe8, 0xf2, 0xfa, 255};
  Rgba mark = dark ? Rgba{0x31, 0xa8, 0xff, 255} : Rgba{0x00, 0x1e, 0x36, 255};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double dx = std::max({radius - x, 0.0, x - (size - 1 - radius)});
      double dy = std::max({radius - y, 0.0, y - (size - 1 - radius)});
      double d = std::sqrt(dx * dx + dy * dy);
      if (d > radius) continue;
      Rgba c = fill;
      c.a = clamp8((radius - d + 0.5) * 255);
      bool bar = (x > size * 0.25 && x < size * 0.40 && y > size * 0.25 && y < size * 0.75) ||
                 (x > size * 0.25 && x < size * 0.62 && y > size * 0.25 && y < size * 0.38) ||
                 (x > size * 0.55 && x < size * 0.68 && y > size * 0.25 && y < size * 0.55) ||
                 (x > size * 0.25 && x < size * 0.62 && y > size * 0.48 && y < size * 0.58);
      if (bar) c = {mark.r, mark.g, mark.b, c.a};
      image.at(x, y) = c;
    }
  }
  return image;
}

Image drawToolIcon(int size, int seed) {
  Image image(size, size, {0, 0, 0, 0});
  Rgba color = tint(seed * 47, 0.9);
  double r = size * (0.30 + 0.04 * (seed % 5));
  double c = (size - 1) / 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double d = std::hypot(x - c, y - c);
      if (d <= r + 0.5) image.at(x, y) = {color.r, color.g, color.b, clamp8((r + 0.5 - d) * 255)};
    }
  }
  return image;
}

}  // namespace lumaset::tools
