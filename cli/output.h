// Where the command line's text goes. The commands print UTF-8 through an `Output`; the
// entry point decides what stands behind it: a stdio stream (POSIX, and the tests), or on
// Windows standard output and error written through the console's own wide API when they
// are a console (platform/win32_console.h).
#pragma once
#include <cstdio>
#include <string_view>

namespace lumaset::cli {

class Output {
 public:
  virtual ~Output() = default;
  // Writes UTF-8 text as given; a character cut at the end of one call is finished by the next.
  virtual void write(std::string_view text) = 0;
  virtual void flush() {}
  // printf into one piece of text, written with one call of write().
  void print(const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));
};

// An Output over a stdio stream, written byte for byte.
class FileOutput : public Output {
 public:
  explicit FileOutput(std::FILE* file) : file_(file) {}
  void write(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), file_); }
  void flush() override { std::fflush(file_); }

 private:
  std::FILE* file_;
};

}  // namespace lumaset::cli
