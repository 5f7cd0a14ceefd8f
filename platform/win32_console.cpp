#include "platform/win32_console.h"

#include <windows.h>

#include <algorithm>

#include "formats/utf.h"
#include "platform/win32_text.h"

namespace lumaset::win32 {
namespace {

// One WriteConsoleW call takes at most this many UTF-16 units: older consoles refuse a
// buffer much above 32 KB.
constexpr std::size_t kConsoleUnitsPerCall = 8192;

bool isHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

std::wstring WidePieces::take(std::string_view piece) {
  pending_.append(piece.data(), piece.size());
  const std::size_t complete = completeUtf8Length(pending_);
  std::wstring wide = toWide(pending_.substr(0, complete));
  pending_.erase(0, complete);
  return wide;
}

std::wstring WidePieces::rest() {
  std::wstring wide = toWide(pending_);
  pending_.clear();
  return wide;
}

StandardStream::StandardStream(Which which)
    : handle_(GetStdHandle(which == Which::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE)) {
  DWORD mode = 0;
  console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE && GetConsoleMode(handle_, &mode) != 0;
}

bool StandardStream::write(std::string_view utf8) {
  if (console_) return writeWide(pieces_.take(utf8));
  while (!utf8.empty()) {
    DWORD written = 0;
    const auto part = static_cast<DWORD>(std::min<std::size_t>(utf8.size(), 1u << 30));
    if (!WriteFile(handle_, utf8.data(), part, &written, nullptr) || written == 0) return false;
    utf8.remove_prefix(written);
  }
  return true;
}

void StandardStream::flush() {
  if (console_) writeWide(pieces_.rest());
}

bool StandardStream::writeWide(const std::wstring& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    std::size_t part = std::min(text.size() - done, kConsoleUnitsPerCall);
    // A surrogate pair stays in one call.
    if (part > 1 && done + part < text.size() && isHighSurrogate(text[done + part - 1])) --part;
    DWORD written = 0;
    if (!WriteConsoleW(handle_, text.data() + done, static_cast<DWORD>(part), &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

}  // namespace lumaset::win32
