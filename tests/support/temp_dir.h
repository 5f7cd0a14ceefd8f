// A fresh folder under the system's temporary folder, removed with its content at the
// end of the test. Paths are handed out as UTF-8 text, joined with the platform's
// separator.
#pragma once
#include <filesystem>
#include <random>
#include <string>

namespace lumaset::testing {

inline std::string utf8Path(const std::filesystem::path& p) {
  auto u8 = p.u8string();
  return std::string(u8.begin(), u8.end());
}

inline std::filesystem::path pathFromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

class TempDir {
 public:
  TempDir() {
    auto base = std::filesystem::temp_directory_path();
    for (int i = 0;; ++i) {
      path_ = base / ("lumaset-test-" + std::to_string(counter()++) + "-" + std::to_string(i));
      std::error_code ec;
      if (std::filesystem::create_directory(path_, ec)) break;
    }
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return utf8Path(path_); }
  // The folder joined with a relative path whose parts are separated by '/'.
  std::string operator/(const std::string& relative) const {
    return utf8Path((path_ / pathFromUtf8(relative)).make_preferred());
  }

 private:
  // Tests run in parallel processes: names start at a random number.
  static unsigned& counter() {
    static unsigned n = std::random_device{}();
    return n;
  }
  std::filesystem::path path_;
};

}  // namespace lumaset::testing
