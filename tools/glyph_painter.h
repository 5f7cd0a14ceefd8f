// Draws text into an image with FreeType, from an installed CJK font.
#pragma once
#include <string>

#include "tools/png_writer.h"

namespace lumaset::tools {

class GlyphPainter {
 public:
  explicit GlyphPainter(const std::string& fontFile);
  ~GlyphPainter();
  GlyphPainter(const GlyphPainter&) = delete;
  GlyphPainter& operator=(const GlyphPainter&) = delete;

  bool ok() const { return face_ != nullptr; }
  // Images made at `scale` times the design: bold strokes and underlines grow with it
  // (the text's size is given in the image's pixels).
  void setScale(int scale) { scale_ = scale; }
  // The text's advance width in pixels at `pixels` high.
  int width(const std::string& utf8, int pixels, bool bold = false);
  // Draws UTF-8 text with its baseline at (x, baseline); bold thickens the strokes.
  void draw(Image& image, const std::string& utf8, int x, int baseline, int pixels, Rgba color, bool bold = false);
  // Draws it centred in the image, with an underline when asked.
  void drawCentred(Image& image, const std::string& utf8, int pixels, Rgba color, bool bold = false,
                   bool underline = false);

 private:
  void* library_ = nullptr;
  void* face_ = nullptr;
  int scale_ = 1;
};

}  // namespace lumaset::tools
