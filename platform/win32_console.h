// Standard output and error of the Windows command line. A console is written through
// WriteConsoleW, the UTF-8 text converted to UTF-16 a whole character at a time, and its
// code page is left as the user has it; a file or a pipe gets the UTF-8 bytes unchanged.
#pragma once
#include <string>
#include <string_view>

namespace lumaset::win32 {

// UTF-8 arriving in pieces, given back as UTF-16: the first bytes of a character that a
// piece ends inside wait for the piece that finishes it, so no character becomes U+FFFD
// for having been cut.
class WidePieces {
 public:
  std::wstring take(std::string_view piece);
  // What still waits when no piece follows: an unfinished character, as U+FFFD.
  std::wstring rest();

 private:
  std::string pending_;
};

class StandardStream {
 public:
  enum class Which { Output, Error };
  explicit StandardStream(Which which);
  ~StandardStream() { flush(); }
  StandardStream(const StandardStream&) = delete;
  StandardStream& operator=(const StandardStream&) = delete;

  // Whether the stream is a console (GetConsoleMode succeeds on its handle).
  bool console() const { return console_; }
  // False when the system took less than the whole text (a closed pipe, no stream at all).
  bool write(std::string_view utf8);
  // Writes what waits for the rest of a character; nothing for a file or a pipe.
  void flush();

 private:
  bool writeWide(const std::wstring& text);

  void* handle_;
  bool console_;
  WidePieces pieces_;
};

}  // namespace lumaset::win32
