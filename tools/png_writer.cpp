#include "tools/png_writer.h"

#include <png.h>

#include <cstring>

namespace lumaset::tools {
namespace {

void appendToString(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}

void noFlush(png_structp) {}

struct Reader {
  const std::string* bytes;
  std::size_t pos;
};

void readFromString(png_structp png, png_bytep data, png_size_t length) {
  auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (reader->pos + length > reader->bytes->size()) png_error(png, "truncated");
  std::memcpy(data, reader->bytes->data() + reader->pos, length);
  reader->pos += length;
}

}  // namespace

std::string encodePng(const Image& image, int level) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return {};
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return {};
  }
  png_set_write_fn(png, &out, appendToString, noFlush);
  png_set_compression_level(png, level);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
               PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    png_write_row(png, reinterpret_cast<png_const_bytep>(&image.pixels[static_cast<std::size_t>(y) * image.width]));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

Image decodePng(const std::string& bytes) {
  Image empty(0, 0);
  if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0) return empty;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return empty;
  png_infop info = png_create_info_struct(png);
  Reader reader{&bytes, 0};
  Image image(0, 0);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return empty;
  }
  png_set_read_fn(png, &reader, readFromString);
  png_read_info(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_read_update_info(png, info);
  int width = static_cast<int>(png_get_image_width(png, info));
  int height = static_cast<int>(png_get_image_height(png, info));
  image = Image(width, height);
  for (int y = 0; y < height; ++y) {
    png_read_row(png, reinterpret_cast<png_bytep>(&image.pixels[static_cast<std::size_t>(y) * width]), nullptr);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return image;
}

}  // namespace lumaset::tools
