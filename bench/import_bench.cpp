// What an import costs: unpacking a package into the theme library, the way the window
// and the command line do it (check the whole archive, unpack into the work folder, one
// flush, move into place). Two packages: 2,000 one-byte members (where per-file costs
// show) and a theme-sized one (six images of noise, 4.5 MiB). Each is imported into a
// fresh library --runs times; the median and the slowest run are printed. Only the
// folder the bench makes (in --work, default the system's temporary folder) is deleted.
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
#include "support/zip_builder.h"
#include "themes/unzip.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace lumaset;

namespace {

std::string noise(std::size_t size, std::uint32_t seed) {
  std::string out(size, '\0');
  for (char& c : out) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 24);
  return out;
}

std::string manySmallMembers(int count) {
  std::vector<testing::ZipEntrySpec> entries;
  for (int i = 0; i < count; ++i) entries.push_back({"m" + std::to_string(i) + ".txt", "x"});
  return testing::buildZip(entries);
}

std::string themeSizedPackage() {
  return testing::buildZip({{"info.ini", "[Lumaset_theme]\r\ninfo=bench\r\n"},
                            {"loading_low.png", noise(700 << 10, 1), false},
                            {"loading_high.png", noise(2600 << 10, 2), false},
                            {"ico_dark_low.png", noise(3 << 10, 3), false},
                            {"ico_dark_high.png", noise(9 << 10, 4), false},
                            {"ico_light_low.png", noise(3 << 10, 5), false},
                            {"ico_light_high.png", noise(9 << 10, 6), false}});
}

struct Timing {
  double median = 0, slowest = 0;
};

Timing timeImports(const fs::path& work, const std::string& name, const std::string& package, int runs) {
  PosixFiles files;
  const fs::path zip = work / (name + ".zip");
  std::ofstream(zip, std::ios::binary) << package;
  std::vector<double> seconds;
  for (int run = 0; run < runs; ++run) {
    const fs::path library = work / ("library" + std::to_string(run));
    fs::create_directories(library);
    const auto start = Clock::now();
    const ZipResult result = unzipInto(files, zip.string(), (library / name).string());
    seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    if (result != kZipOk) {
      std::fprintf(stderr, "import-bench: %s failed with %d\n", name.c_str(), result);
      std::exit(1);
    }
    fs::remove_all(library);
  }
  std::sort(seconds.begin(), seconds.end());
  return {seconds[seconds.size() / 2], seconds.back()};
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
  const Timing small = timeImports(work, "small", manySmallMembers(members), runs);
  std::printf("%d one-byte members: median %.3f s, slowest %.3f s (%d runs)\n", members, small.median, small.slowest,
              runs);
  const Timing theme = timeImports(work, "theme", themeSizedPackage(), runs);
  std::printf("theme of six images, 4.5 MiB: median %.3f s, slowest %.3f s (%d runs)\n", theme.median, theme.slowest,
              runs);
  fs::remove_all(work);
  return 0;
}
