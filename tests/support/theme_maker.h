// Writes theme folders for tests: real PNG images of distinct sizes drawn with libpng,
// an info.ini and, where asked, the theme's startup text.
#pragma once
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "support/temp_dir.h"
#include "tools/png_writer.h"

namespace lumaset::testing {

// A small PNG whose size and colour follow `seed`, so that every image differs.
inline std::string samplePng(int seed) {
  tools::Image image(8 + seed % 17, 6 + seed % 11, {static_cast<std::uint8_t>(seed * 37), 120, 200, 255});
  return tools::encodePng(image);
}

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(pathFromUtf8(path).parent_path());
  std::ofstream(pathFromUtf8(path), std::ios::binary) << bytes;
}

// In one read: the tests read packs of megabytes many times over.
inline std::string readWhole(const std::string& path) {
  std::ifstream in(pathFromUtf8(path), std::ios::binary | std::ios::ate);
  if (!in) return {};
  std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

inline constexpr const char* kTestThemeInfo = "[Lumaset_theme]\r\ninfo=A test theme\r\n";
// The info.ini of a theme whose loadtext key hides the host's startup texts.
inline constexpr const char* kHidingThemeInfo = "[Lumaset_theme]\r\nloadtext=no\r\n";

// Writes <home>/LumasetTheme/<name>/ with info.ini and the given files (name -> bytes).
inline void writeTheme(const std::string& home, const std::string& name,
                       const std::map<std::string, std::string>& files, const std::string& info = kTestThemeInfo) {
  std::string folder = home + "/LumasetTheme/" + name;
  writeFile(folder + "/info.ini", info);
  for (const auto& [file, bytes] : files) writeFile(folder + "/" + file, bytes);
}

// All six images of a theme, each a different picture.
inline std::map<std::string, std::string> sixImages(int seed = 1) {
  return {{"loading_low.png", samplePng(seed)},       {"loading_high.png", samplePng(seed + 1)},
          {"ico_dark_low.png", samplePng(seed + 2)},  {"ico_dark_high.png", samplePng(seed + 3)},
          {"ico_light_low.png", samplePng(seed + 4)}, {"ico_light_high.png", samplePng(seed + 5)}};
}

}  // namespace lumaset::testing
