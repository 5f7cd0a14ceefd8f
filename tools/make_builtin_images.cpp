// make-builtin-images ASSETS_DIR [FONT]: draws the program's built-in images into
// ASSETS_DIR/builtin: the frame, the two overlays, the placeholder splash and the looks
// of the main window's image buttons (normal, pointer over, pressed; disabled for the
// badges). The PNG files are committed and embedded in the program.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "tools/builtin_art.h"
#include "tools/glyph_painter.h"

namespace fs = std::filesystem;
using namespace lumaset::tools;

namespace {

const Rgba kOver{22, 52, 82, 255};       // background under the pointer
const Rgba kDown{0, 34, 60, 255};        // background while pressed
const Rgba kDim{40, 90, 120, 255};       // a disabled badge
const Rgba kBright{150, 228, 255, 255};  // the glyph under the pointer

fs::path out;
// The images are drawn at k times their design size ("@2x" names the double ones); the
// drawing helpers below take design coordinates.
int k = 1;

// "_en" while the English looks of the images with words are drawn: the window takes
// "<name>_en" in English where there is one (ui/window_images.cpp).
std::string language;

void save(const std::string& name, const Image& image) {
  fs::create_directories(out);
  std::ofstream(out / (name + language + (k == 1 ? "" : "@" + std::to_string(k) + "x") + ".png"), std::ios::binary)
      << encodePng(image);
}

// A line of the given width, anti-aliased by distance to the segment.
void line(Image& im, double ax, double ay, double bx, double by, double width, Rgba c) {
  ax *= k, ay *= k, bx *= k, by *= k, width *= k;
  for (int y = 0; y < im.height; ++y) {
    for (int x = 0; x < im.width; ++x) {
      double px = x + 0.5 - ax, py = y + 0.5 - ay, dx = bx - ax, dy = by - ay;
      double t = std::clamp((px * dx + py * dy) / (dx * dx + dy * dy), 0.0, 1.0);
      double d = std::hypot(px - t * dx, py - t * dy);
      double a = std::clamp(width / 2 + 0.5 - d, 0.0, 1.0);
      if (a <= 0) continue;
      Rgba& p = im.at(x, y);
      p = {static_cast<std::uint8_t>(p.r + (c.r - p.r) * a), static_cast<std::uint8_t>(p.g + (c.g - p.g) * a),
           static_cast<std::uint8_t>(p.b + (c.b - p.b) * a), 255};
    }
  }
}

void outline(Image& im, double x0, double y0, double x1, double y1, Rgba c) {
  line(im, x0, y0, x1, y0, 1, c);
  line(im, x1, y0, x1, y1, 1, c);
  line(im, x1, y1, x0, y1, 1, c);
  line(im, x0, y1, x0, y0, 1, c);
}

// A rounded outline `inset` inside the image, and `rightCut` further in on the right.
void roundedOutline(Image& im, double inset, double radius, Rgba c, double rightCut = 0) {
  inset *= k, radius *= k, rightCut *= k;
  double x0 = inset, y0 = inset, x1 = im.width - inset - rightCut, y1 = im.height - inset;
  for (int y = 0; y < im.height; ++y) {
    for (int x = 0; x < im.width; ++x) {
      double px = x + 0.5, py = y + 0.5;
      double qx = std::max({x0 + radius - px, 0.0, px - (x1 - radius)});
      double qy = std::max({y0 + radius - py, 0.0, py - (y1 - radius)});
      double d = std::fabs(std::hypot(qx, qy) - radius);
      double a = std::clamp(k * 0.5 + 0.5 - d, 0.0, 1.0);
      if (qx == 0 && qy == 0) a = std::clamp(k - std::min({px - x0, x1 - px, py - y0, y1 - py}), 0.0, 1.0);
      if (a <= 0) continue;
      Rgba& p = im.at(x, y);
      p = {static_cast<std::uint8_t>(p.r + (c.r - p.r) * a), static_cast<std::uint8_t>(p.g + (c.g - p.g) * a),
           static_cast<std::uint8_t>(p.b + (c.b - p.b) * a), 255};
    }
  }
}

// Three looks of one button: normal, pointer over, pressed.
void threeLooks(const std::string& name, int w, int h, const std::function<void(Image&, Rgba)>& glyph) {
  const std::pair<const char*, std::pair<Rgba, Rgba>> looks[] = {
      {"normal", {kPanel, kLightBlue}}, {"over", {kOver, kBright}}, {"down", {kDown, kLightBlue}}};
  for (const auto& [state, colours] : looks) {
    Image im(w * k, h * k, colours.first);
    glyph(im, colours.second);
    save(name + "_" + state, im);
  }
}

void folder(Image& im, Rgba c) {
  double cx = im.width / (2.0 * k), cy = im.height / (2.0 * k);
  outline(im, cx - 9, cy - 5, cx + 9, cy + 7, c);
  line(im, cx - 9, cy - 5, cx - 7, cy - 8, 1, c);
  line(im, cx - 7, cy - 8, cx - 2, cy - 8, 1, c);
  line(im, cx - 2, cy - 8, cx, cy - 5, 1, c);
}

Image placeholderSplash(GlyphPainter& glyphs, const std::string& caption) {
  Image im(838 * k, 506 * k, {72, 74, 78, 255});
  for (int y = 0; y < im.height; ++y)
    for (int x = 0; x < im.width; ++x)
      if ((x / k) % 24 == 0 || (y / k) % 24 == 0) im.at(x, y) = {88, 90, 95, 255};
  // The logo: a lens of two arcs around a light-blue dot.
  double cx = 419, cy = 218;
  for (int y = 0; y < im.height; ++y) {
    for (int x = 0; x < im.width; ++x) {
      double d = std::hypot(x + 0.5 - cx * k, y + 0.5 - cy * k);
      if (std::fabs(d - 64 * k) < 3 * k) im.at(x, y) = kLightBlue;
      if (d < 18 * k) im.at(x, y) = kLightBlue;
    }
  }
  line(im, cx - 64, cy, cx - 30, cy, 3, kLightBlue);
  line(im, cx + 30, cy, cx + 64, cy, 3, kLightBlue);
  const int mid = static_cast<int>(cx) * k;
  glyphs.draw(im, "Lumaset", mid - glyphs.width("Lumaset", 48 * k) / 2, 352 * k, 48 * k, {235, 240, 245, 255});
  glyphs.draw(im, caption, mid - glyphs.width(caption, 20 * k) / 2, 390 * k, 20 * k, {180, 190, 200, 255});
  return im;
}

}  // namespace

// The words of the buttons that carry one, and their sizes in design pixels.
struct Words {
  const char* theme;
  const char* custom;
  const char* apply;
  const char* preview;
  int tabPx, previewPx;
};

// Every built-in image at the current k.
void drawButtons(GlyphPainter& glyphs);
void drawWords(GlyphPainter& glyphs, const Words& words);

void drawAll(GlyphPainter& glyphs) {
  save("frame", drawFrame(k));
  save("clear_overlay", drawClearOverlay(k));
  save("marked_overlay", drawMarkedOverlay(k));
  save("placeholder_splash", placeholderSplash(glyphs, "启动画面预览"));

  drawButtons(glyphs);
  drawWords(glyphs, {"主题", "自定义", "应用", "预览", 13, 12});
  language = "_en";
  save("placeholder_splash", placeholderSplash(glyphs, "Splash preview"));
  drawWords(glyphs, {"Theme", "Custom", "Apply", "Preview", 12, 11});
  language.clear();
}

// The buttons with a word on them, in one language.
void drawWords(GlyphPainter& glyphs, const Words& words) {
  auto word = [&](const std::string& text, int px) {
    return [&glyphs, text, px](Image& im, Rgba c) { glyphs.drawCentred(im, text, px * k, c); };
  };
  // Page buttons: their pressed look is the word in bold, underlined.
  for (const auto& [name, text, w] :
       {std::tuple{"tab_theme", words.theme, 40}, std::tuple{"tab_custom", words.custom, 48}}) {
    threeLooks(name, w, 26, word(text, words.tabPx));
    Image pressed(w * k, 26 * k, kPanel);
    glyphs.drawCentred(pressed, text, words.tabPx * k, kLightBlue, true, true);
    save(std::string(name) + "_down", pressed);
  }
  // The theme page's apply button reaches 3 pixels past its page: its outline ends before.
  threeLooks("apply_theme", 123, 26, [&](Image& im, Rgba c) {
    roundedOutline(im, 1, 8, c, 3);
    glyphs.drawCentred(im, words.apply, 13 * k, c);
  });
  threeLooks("apply_custom", 107, 26, [&](Image& im, Rgba c) {
    roundedOutline(im, 1, 8, c);
    glyphs.drawCentred(im, words.apply, 13 * k, c);
  });
  threeLooks("preview", 48, 24, word(words.preview, words.previewPx));
}

void drawButtons(GlyphPainter& glyphs) {
  threeLooks("minimise", 24, 26, [](Image& im, Rgba c) { line(im, 7, 15, 17, 15, 1.5, c); });
  // The close button reaches 21 pixels past the window's right edge: its cross stays in
  // the 27 pixels that show.
  threeLooks("close", 48, 26, [](Image& im, Rgba c) {
    line(im, 8, 8, 18, 18, 1.5, c);
    line(im, 18, 8, 8, 18, 1.5, c);
  });
  threeLooks("folder", 48, 24, folder);
  threeLooks("previous", 27, 26, [](Image& im, Rgba c) {
    line(im, 16, 7, 10, 13, 1.5, c);
    line(im, 10, 13, 16, 19, 1.5, c);
  });
  threeLooks("next", 27, 26, [](Image& im, Rgba c) {
    line(im, 11, 7, 17, 13, 1.5, c);
    line(im, 17, 13, 11, 19, 1.5, c);
  });
  // The startup-text toggle: a check box; its pressed look carries the tick.
  threeLooks("checkbox", 48, 19, [](Image& im, Rgba c) { outline(im, 3.5, 4.5, 13.5, 14.5, c); });
  {
    Image ticked(48 * k, 19 * k, kPanel);
    outline(ticked, 3.5, 4.5, 13.5, 14.5, kLightBlue);
    line(ticked, 5.5, 9.5, 8, 12, 1.5, kLightBlue);
    line(ticked, 8, 12, 12, 6.5, 1.5, kLightBlue);
    save("checkbox_down", ticked);
    Image dimmed(48 * k, 19 * k, kPanel);
    outline(dimmed, 3.5, 4.5, 13.5, 14.5, kDim);
    save("checkbox_disabled", dimmed);
  }
  for (const auto& [name, text] :
       {std::pair{"badge_1x", "1X"}, std::pair{"badge_2x", "2X"}, std::pair{"badge_t", "T"}}) {
    for (bool enabled : {true, false}) {
      Image badge(24 * k, 9 * k, kPanel);
      glyphs.drawCentred(badge, text, 9 * k, enabled ? kLightBlue : kDim, true);
      save(std::string(name) + (enabled ? "_normal" : "_disabled"), badge);
    }
  }
  {
    Image box(243 * k, 26 * k, kPanel);
    outline(box, 0.5, 0.5, 242.5, 25.5, kLightBlue);
    line(box, 222, 10, 227, 15, 1.5, kLightBlue);
    line(box, 227, 15, 232, 10, 1.5, kLightBlue);
    save("theme_box", box);
  }
}

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: make-builtin-images ASSETS_DIR [FONT]\n", stderr);
    return 2;
  }
  out = fs::path(argv[1]) / "builtin";
  GlyphPainter glyphs(argc > 2 ? argv[2] : "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc");
  if (!glyphs.ok()) {
    std::fputs("make-builtin-images: cannot open the font\n", stderr);
    return 1;
  }
  for (int scale : {1, 2}) {
    k = scale;
    glyphs.setScale(scale);
    drawAll(glyphs);
  }
  k = 1;
  {
    // The program's icon: the logo on the panel's colour, as a PNG inside an ICO file.
    Image icon(64, 64, {0, 0, 0, 0});
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        double d = std::hypot(x + 0.5 - 32, y + 0.5 - 32);
        if (d < 31) icon.at(x, y) = kPanel;
        if (std::fabs(d - 20) < 2.5 || d < 7) icon.at(x, y) = kLightBlue;
      }
    }
    std::string png = encodePng(icon);
    std::string ico("\0\0\1\0\1\0", 6);
    auto le = [&](std::uint32_t v, int n) {
      for (int i = 0; i < n; ++i) ico += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    ico += std::string("\x40\x40\0\0", 4);  // 64 x 64, no palette
    le(1, 2);
    le(32, 2);
    le(static_cast<std::uint32_t>(png.size()), 4);
    le(22, 4);
    std::ofstream(out.parent_path() / "lumaset.ico", std::ios::binary) << ico << png;
  }
  std::printf("built-in images written into %s\n", out.string().c_str());
  return 0;
}
