#include "tools/glyph_painter.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>

namespace lumaset::tools {
namespace {

std::u32string decode(const std::string& s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t cp = n == 1 ? c : c & (0xFF >> (n + 1));
    for (int k = 1; k < n && i + k < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out += cp;
    i += n;
  }
  return out;
}

FT_Face asFace(void* f) { return static_cast<FT_Face>(f); }

}  // namespace

GlyphPainter::GlyphPainter(const std::string& fontFile) {
  FT_Library library;
  if (FT_Init_FreeType(&library) != 0) return;
  library_ = library;
  FT_Face face;
  if (FT_New_Face(library, fontFile.c_str(), 0, &face) == 0) face_ = face;
}

GlyphPainter::~GlyphPainter() {
  if (face_) FT_Done_Face(asFace(face_));
  if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

int GlyphPainter::width(const std::string& utf8, int pixels, bool bold) {
  if (!face_) return 0;
  FT_Face face = asFace(face_);
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
  int total = 0;
  for (char32_t c : decode(utf8)) {
    if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) == 0) total += static_cast<int>(face->glyph->advance.x >> 6);
  }
  return total + (bold ? scale_ : 0);
}

void GlyphPainter::draw(Image& image, const std::string& utf8, int x, int baseline, int pixels, Rgba color, bool bold) {
  if (!face_) return;
  FT_Face face = asFace(face_);
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
  for (char32_t c : decode(utf8)) {
    if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) != 0) continue;
    if (bold) FT_Outline_Embolden(&face->glyph->outline, 48 * scale_);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) continue;
    const FT_Bitmap& bm = face->glyph->bitmap;
    int left = x + face->glyph->bitmap_left, top = baseline - face->glyph->bitmap_top;
    for (unsigned row = 0; row < bm.rows; ++row) {
      for (unsigned col = 0; col < bm.width; ++col) {
        int px = left + static_cast<int>(col), py = top + static_cast<int>(row);
        if (px < 0 || py < 0 || px >= image.width || py >= image.height) continue;
        double a = bm.buffer[row * bm.pitch + col] / 255.0 * color.a / 255.0;
        Rgba& dst = image.at(px, py);
        double da = dst.a / 255.0, oa = a + da * (1 - a);
        auto blend = [&](std::uint8_t s, std::uint8_t d) -> std::uint8_t {
          return oa <= 0 ? 0 : static_cast<std::uint8_t>((s * a + d * da * (1 - a)) / oa + 0.5);
        };
        dst = {blend(color.r, dst.r), blend(color.g, dst.g), blend(color.b, dst.b),
               static_cast<std::uint8_t>(oa * 255 + 0.5)};
      }
    }
    x += static_cast<int>(face->glyph->advance.x >> 6);
  }
}

void GlyphPainter::drawCentred(Image& image, const std::string& utf8, int pixels, Rgba color, bool bold,
                               bool underline) {
  int w = width(utf8, pixels, bold);
  int x = (image.width - w) / 2;
  int baseline = (image.height + pixels * 3 / 4) / 2;
  draw(image, utf8, x, baseline, pixels, color, bold);
  if (underline) {
    for (int row = 0; row < scale_; ++row)
      for (int px = std::max(0, x); px < std::min(image.width, x + w); ++px)
        image.at(px, std::min(image.height - 1, baseline + 2 * scale_ + row)) = color;
  }
}

}  // namespace lumaset::tools
