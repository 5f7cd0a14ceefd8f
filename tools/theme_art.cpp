#include "tools/theme_art.h"

#include <algorithm>
#include <cmath>

namespace lumaset::tools {
namespace {

std::uint8_t c8(double v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0)); }

Rgba mix(Rgba a, Rgba b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {c8(a.r + (b.r - a.r) * t), c8(a.g + (b.g - a.g) * t), c8(a.b + (b.b - a.b) * t), c8(a.a + (b.a - a.a) * t)};
}

// A cheap smooth noise from sines, enough for clouds and curtains of light.
double wave(double x, double y, double seed) {
  return 0.5 + 0.25 * std::sin(x * 1.7 + seed + std::sin(y * 1.3 + seed * 0.7)) +
         0.25 * std::sin(y * 2.3 - seed * 1.1 + std::sin(x * 0.9 - seed));
}

Rgba aurora(double u, double v) {
  Rgba night = mix({4, 10, 30, 255}, {10, 30, 60, 255}, v);
  double curtain = std::exp(-std::pow((v - 0.35 - 0.12 * std::sin(u * 7.0)) / 0.12, 2)) * wave(u * 9, v * 3, 1.0);
  Rgba light = mix({40, 220, 160, 255}, {140, 90, 230, 255}, u);
  Rgba sky = mix(night, light, curtain * 0.9);
  // Stars: sparse bright points from a hash of the position.
  unsigned h = static_cast<unsigned>(u * 9173.0) * 2654435761u ^ static_cast<unsigned>(v * 7919.0) * 40503u;
  if ((h % 1400) == 0 && v < 0.8) sky = mix(sky, {255, 255, 255, 255}, 0.8);
  if (v > 0.82 + 0.04 * std::sin(u * 13.0)) sky = mix({2, 6, 12, 255}, {8, 16, 24, 255}, u);  // hills
  return sky;
}

Rgba inkBamboo(double u, double v) {
  Rgba paper = mix({238, 232, 218, 255}, {222, 214, 196, 255}, wave(u * 4, v * 4, 2.0) * 0.6 + v * 0.4);
  double ink = 0;
  for (int stalk = 0; stalk < 4; ++stalk) {
    double x = 0.55 + 0.09 * stalk + 0.015 * std::sin(v * 6 + stalk);
    double width = 0.012 - 0.002 * stalk;
    double node = std::fmod(v * 6.0 + stalk * 0.37, 1.0);
    double d = std::fabs(u - x);
    if (d < width && node > 0.04) ink = std::max(ink, 0.85 - 0.15 * stalk - d / width * 0.3);
  }
  for (int leaf = 0; leaf < 9; ++leaf) {
    double cx = 0.5 + 0.05 * leaf, cy = 0.15 + 0.07 * (leaf % 5);
    double angle = 0.6 + 0.25 * leaf;
    double dx = (u - cx) * std::cos(angle) + (v - cy) * std::sin(angle);
    double dy = -(u - cx) * std::sin(angle) + (v - cy) * std::cos(angle);
    if (dx > 0 && dx < 0.12 && std::fabs(dy) < 0.012 * std::sin(dx / 0.12 * 3.14159)) ink = std::max(ink, 0.7);
  }
  if (u > 0.08 && u < 0.11 && v > 0.12 && v < 0.2) return {170, 30, 30, 255};  // the seal
  return mix(paper, {20, 20, 24, 255}, ink);
}

Rgba sunset(double u, double v) {
  Rgba sky =
      mix(mix({255, 170, 90, 255}, {200, 80, 120, 255}, v * 1.6), {40, 30, 80, 255}, std::max(0.0, 0.4 - v) * 2.2);
  double sun = std::hypot((u - 0.7) * 1.66, v - 0.55);
  if (sun < 0.12) sky = mix({255, 240, 190, 255}, sky, sun / 0.12 * 0.4);
  if (v > 0.6) {
    double ripple = 0.5 + 0.5 * std::sin(v * 180 + std::sin(u * 40) * 2);
    sky = mix({40, 40, 90, 255}, {240, 140, 110, 255}, (1.0 - (v - 0.6) * 2.2) * (0.6 + 0.4 * ripple) * 0.8);
  }
  return sky;
}

Rgba templateArt(double u, double v) {
  Rgba base = mix({30, 36, 48, 255}, {52, 60, 78, 255}, v);
  bool grid = std::fmod(u * 838, 40) < 1.5 || std::fmod(v * 506, 40) < 1.5;
  if (grid) base = mix(base, {90, 110, 140, 255}, 0.6);
  // Mark the corner where the host writes its startup texts, which authors keep calm.
  if (u < 0.45 && v > 0.62 && v < 0.95) base = mix(base, {60, 200, 255, 255}, 0.15);
  return base;
}

}  // namespace

Image drawThemeSplash(Artwork art, int scale) {
  Image image(838 * scale, 506 * scale);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      double u = (x + 0.5) / image.width, v = (y + 0.5) / image.height;
      switch (art) {
        case Artwork::Aurora:
          image.at(x, y) = aurora(u, v);
          break;
        case Artwork::InkBamboo:
          image.at(x, y) = inkBamboo(u, v);
          break;
        case Artwork::Sunset:
          image.at(x, y) = sunset(u, v);
          break;
        case Artwork::Template:
          image.at(x, y) = templateArt(u, v);
          break;
      }
    }
  }
  return image;
}

Image drawThemeIcon(Artwork art, int size, bool dark) {
  static const Rgba accents[] = {{60, 220, 170, 255}, {30, 30, 34, 255}, {250, 140, 90, 255}, {60, 200, 255, 255}};
  Rgba accent = accents[static_cast<int>(art)];
  Rgba fill = dark ? Rgba{18, 24, 34, 255} : Rgba{236, 240, 244, 255};
  if (art == Artwork::InkBamboo && dark) accent = {230, 226, 214, 255};
  Image image(size, size, {0, 0, 0, 0});
  double r = size * 0.2, c = (size - 1) / 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double dx = std::max({r - x, 0.0, x - (size - 1 - r)}), dy = std::max({r - y, 0.0, y - (size - 1 - r)});
      double edge = r - std::hypot(dx, dy);
      if (edge < -0.5) continue;
      Rgba p = fill;
      p.a = c8((edge + 0.5) * 255);
      double ring = std::fabs(std::hypot(x - c, y - c) - size * 0.27);
      if (ring < size * 0.07) p = {accent.r, accent.g, accent.b, p.a};
      image.at(x, y) = p;
    }
  }
  return image;
}

}  // namespace lumaset::tools
