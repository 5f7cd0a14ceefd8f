// The small window that says what runs while the window waits for an operation: its text,
// the bytes done of those expected, and a bar, a marquee until any total is known.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace lumaset::win32 {

// The delay before a wait shows the window, and how often it shows the count again.
inline constexpr DWORD kProgressDelayMs = 500;
inline constexpr DWORD kProgressTickMs = 100;

class ProgressWindow {
 public:
  // A captionless box centred on `owner`; ok() is false when it could not be made.
  ProgressWindow(HWND owner, const std::string& text);
  ~ProgressWindow();
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  bool ok() const { return box_ != nullptr; }
  // Shows `done` of `total` bytes; a total of nothing leaves the marquee.
  void show(std::uint64_t done, std::uint64_t total);

 private:
  HWND box_ = nullptr;
  HWND count_ = nullptr;
  HWND bar_ = nullptr;
  bool determinate_ = false;
  std::uint64_t shownDone_ = 0;
  std::uint64_t shownTotal_ = 0;
  int position_ = 0;  // the bar's, which never goes back
};

// Bytes done and bytes expected, as a wait reads them.
struct ByteCounts {
  std::uint64_t done = 0;
  std::uint64_t total = 0;
};

// Waits for `object`, dispatching what keeps the windows drawn (sent messages, paints,
// and once the progress window shows, the timers that move its bar); posted input and
// commands wait for the end. After kProgressDelayMs it shows a ProgressWindow with
// `text` and, every kProgressTickMs, what `counts` reads. WAIT_OBJECT_0 once `object` is
// signalled, else the failed wait's value.
DWORD waitShowingProgress(HANDLE object, HWND owner, const std::string& text, const std::function<ByteCounts()>& counts);

// "已处理 120 / 480 MB": the count the window shows, in MB, with one decimal under 10 MB,
// in KB under 1 MB.
std::string byteCountText(std::uint64_t done, std::uint64_t total);

// The printf forms of the count (two doubles each), in the program's language; set once at
// the start, before any operation runs (the Chinese ones until then).
struct ByteCountForms {
  const char* kb;
  const char* smallMb;  // under 10 MB, with one decimal
  const char* mb;
};
void useByteCountForms(const ByteCountForms& forms);

}  // namespace lumaset::win32
