// make-zip FOLDER OUT.zip: packs every file below FOLDER (its path below it as the
// member's name) with the program's own zip writer: UTF-8 names flagged, one fixed time,
// members in name order, so that the same files always give the same archive. The
// release script packs the download with it.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "formats/zip_writer.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: make-zip FOLDER OUT.zip\n", stderr);
    return 2;
  }
  const fs::path folder = argv[1];
  std::vector<lumaset::ZipFile> files;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder)) {
    if (!e.is_regular_file()) continue;
    std::ifstream in(e.path(), std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), {});
    const std::u8string name = fs::relative(e.path(), folder).generic_u8string();
    files.push_back({std::string(reinterpret_cast<const char*>(name.data()), name.size()), data});
  }
  const std::string zip = lumaset::writeZip(files);
  if (zip.empty()) {
    std::fputs("make-zip: too large for a zip archive\n", stderr);
    return 1;
  }
  std::ofstream(argv[2], std::ios::binary | std::ios::trunc) << zip;
  std::printf("%s: %zu files, %zu bytes\n", argv[2], files.size(), zip.size());
  return 0;
}
