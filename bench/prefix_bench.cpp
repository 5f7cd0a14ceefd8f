// What a search for installed hosts costs on wine prefixes that a user or a program could
// have grown without bound: a system.reg with --keys ApplicationPath values (default
// 50,000) that name missing folders inside a folder of --entries files (default 5,000),
// and a system.reg of 1 GiB (a sparse file). For each, the time of the search, the limits
// it told and the process's peak resident memory so far are printed. Only the folder the
// bench makes (in --work, default the system's temporary folder) is deleted.
//   prefix-bench [--work DIR] [--keys N] [--entries N]
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/host_places.h"
#include "platform/posix_files.h"
#include "run/host_discovery.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace lumaset;

namespace {

const char kHeader[] = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";

void writeManyKeys(const fs::path& prefix, int keys, int entries) {
  fs::create_directories(prefix / "drive_c/Large");
  for (int i = 0; i < entries; ++i) std::ofstream(prefix / "drive_c/Large" / ("file" + std::to_string(i)));
  std::ofstream reg(prefix / "system.reg", std::ios::binary);
  reg << kHeader;
  for (int i = 0; i < keys; ++i) {
    reg << "[Software\\\\Adobe\\\\Photoshop\\\\" << i << ".0] 1700000000\n\"ApplicationPath\"=\"C:\\\\Large\\\\Missing"
        << i << "\\\\\"\n\n";
  }
}

void writeHugeHive(const fs::path& prefix) {
  fs::create_directories(prefix / "drive_c");
  std::ofstream(prefix / "system.reg", std::ios::binary) << kHeader;
  fs::resize_file(prefix / "system.reg", std::uintmax_t{1} << 30);
}

long peakResidentMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

void timeSearch(const fs::path& prefix, const std::string& what) {
  PosixFiles files;
  const auto start = Clock::now();
  std::unique_ptr<HostPlaces> places = makeWinePrefixPlaces(files, prefix.string());
  const Discovery found = discoverHosts(files, *places);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("%s: %.3f s, %zu hosts, %zu limits told, peak resident %ld MiB\n", what.c_str(), seconds,
              found.hosts.size(), found.limits.size(), peakResidentMiB());
}

}  // namespace

int main(int argc, char** argv) {
  fs::path base = fs::temp_directory_path();
  int keys = 50000, entries = 5000;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--work") {
      base = argv[i + 1];
    } else if (flag == "--keys") {
      keys = std::max(1, std::atoi(argv[i + 1]));
    } else if (flag == "--entries") {
      entries = std::max(0, std::atoi(argv[i + 1]));
    } else {
      std::fprintf(stderr, "usage: prefix-bench [--work DIR] [--keys N] [--entries N]\n");
      return 2;
    }
  }
  const fs::path work = base / ("lumaset-prefix-bench-" + std::to_string(::getpid()));
  writeManyKeys(work / "many-keys", keys, entries);
  timeSearch(work / "many-keys",
             std::to_string(keys) + " keys naming missing folders among " + std::to_string(entries) + " files");
  writeHugeHive(work / "huge-hive");
  timeSearch(work / "huge-hive", "system.reg of 1 GiB");
  fs::remove_all(work);
  return 0;
}
