// What an import costs, the whole way the window and the command line take (library
// lock, staging folder, unpack or copy, check, one flush, rename into place). Two
// themes, each as a package and as a dropped folder: 2,000 one-byte files beside the
// theme's own two (where per-file costs show) and a theme-sized one (six PNG files whose
// image data is noise, 4.5 MiB; the import checks their structure). Each is imported
// into a fresh library --runs times; the median and the slowest run are printed. Only
// the folder the bench makes (in --work, default the system's temporary folder) is
// deleted.
//   import-bench [--work DIR] [--runs N] [--members N]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/posix_files.h"
#include "support/tiny_png.h"
#include "support/zip_builder.h"
#include "themes/import.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace lumaset;

namespace {

// A PNG file whose image data is `size` bytes of noise.
std::string noisePng(std::size_t size, std::uint32_t seed) {
  std::string out(size, '\0');
  for (char& c : out) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 24);
  return testing::pngWithImageData(64, 64, out);
}

std::vector<testing::ZipEntrySpec> manySmallFiles(int count) {
  std::vector<testing::ZipEntrySpec> entries{{"info.ini", "[Lumaset_theme]\r\ninfo=bench\r\n"},
                                             {"loading_low.png", noisePng(1, 7)}};
  for (int i = 0; i < count; ++i) entries.push_back({"m" + std::to_string(i) + ".txt", "x"});
  return entries;
}

std::vector<testing::ZipEntrySpec> themeSizedFiles() {
  return {{"info.ini", "[Lumaset_theme]\r\ninfo=bench\r\n"},    {"loading_low.png", noisePng(700 << 10, 1), false},
          {"loading_high.png", noisePng(2600 << 10, 2), false}, {"ico_dark_low.png", noisePng(3 << 10, 3), false},
          {"ico_dark_high.png", noisePng(9 << 10, 4), false},   {"ico_light_low.png", noisePng(3 << 10, 5), false},
          {"ico_light_high.png", noisePng(9 << 10, 6), false}};
}

// The files as a package (name.zip) and as a folder (name), in `work`.
void writeBoth(const fs::path& work, const std::string& name, const std::vector<testing::ZipEntrySpec>& files) {
  std::ofstream(work / (name + ".zip"), std::ios::binary) << testing::buildZip(files);
  fs::create_directories(work / name);
  for (const testing::ZipEntrySpec& f : files) std::ofstream(work / name / f.name, std::ios::binary) << f.data;
}

struct Timing {
  double median = 0, slowest = 0;
};

Timing timeImports(const fs::path& work, const std::string& item, int runs) {
  PosixFiles files;
  std::vector<double> seconds;
  for (int run = 0; run < runs; ++run) {
    const fs::path library = work / ("library" + std::to_string(run));
    const auto start = Clock::now();
    std::vector<ImportOutcome> outcomes =
        importThemes(files, library.string(), {(work / item).string()}, [](const std::string&) { return false; });
    seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    if (outcomes.size() != 1 || !outcomes[0].added()) {
      std::fprintf(stderr, "import-bench: %s was not added\n", item.c_str());
      std::exit(1);
    }
    fs::remove_all(library);
  }
  std::sort(seconds.begin(), seconds.end());
  return {seconds[seconds.size() / 2], seconds.back()};
}

void report(const fs::path& work, const std::string& item, const std::string& what, int runs) {
  const Timing t = timeImports(work, item, runs);
  std::printf("%s: median %.3f s, slowest %.3f s (%d runs)\n", what.c_str(), t.median, t.slowest, runs);
}

}  // namespace

int main(int argc, char** argv) {
  fs::path base = fs::temp_directory_path();
  int runs = 5, members = 2000;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--work") {
      base = argv[i + 1];
    } else if (flag == "--runs") {
      runs = std::max(1, std::atoi(argv[i + 1]));
    } else if (flag == "--members") {
      members = std::max(1, std::atoi(argv[i + 1]));
    } else {
      std::fprintf(stderr, "usage: import-bench [--work DIR] [--runs N] [--members N]\n");
      return 2;
    }
  }
  const fs::path work = base / ("lumaset-import-bench-" + std::to_string(::getpid()));
  fs::create_directories(work);
  writeBoth(work, "small", manySmallFiles(members));
  writeBoth(work, "theme", themeSizedFiles());
  const std::string many = std::to_string(members) + " one-byte files";
  report(work, "small.zip", "package of " + many, runs);
  report(work, "small", "folder of " + many, runs);
  report(work, "theme.zip", "package of six images, 4.5 MiB", runs);
  report(work, "theme", "folder of six images, 4.5 MiB", runs);
  fs::remove_all(work);
  return 0;
}
