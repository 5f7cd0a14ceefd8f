#include "cli/output.h"

#include <cstdarg>
#include <string>

namespace lumaset::cli {

void Output::print(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (length > 0) {
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, again);
    text.pop_back();
    write(text);
  }
  va_end(again);
}

}  // namespace lumaset::cli
