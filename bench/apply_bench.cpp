// How much an apply costs next to the copying it cannot avoid. For sample hosts whose
// packs are of realistic size (and ten times that), it times an apply of a six-image
// theme through lumaset-cli and one copy of the backed-up icon files made with the same
// durable copy the apply uses (temporary file, flushed to disk, renamed into place), and
// reports the apply's peak memory.
//   apply-bench [--work DIR] [--runs N] [--scales 1,10]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
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
#include "tools/png_writer.h"
#include "tools/sample_host/sample_host.h"
#include "tools/sample_host/sample_images.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace lumaset;

extern char** environ;

namespace {

struct Child {
  int status = -1;
  double seconds = 0;
  long peakKiB = 0;
};

Child run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  Child child;
  auto start = Clock::now();
  pid_t pid;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) return child;
  struct rusage usage;
  wait4(pid, &child.status, 0, &usage);
  child.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  child.peakKiB = usage.ru_maxrss;
  posix_spawn_file_actions_destroy(&actions);
  return child;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void writeTheme(const fs::path& home) {
  fs::path theme = home / "LumasetTheme" / "Bench";
  writeFile(theme / "info.ini", "[Lumaset_theme]\r\ninfo=bench\r\n");
  writeFile(theme / "loading_low.png", tools::encodePng(tools::drawSplash(838, 506, 300)));
  writeFile(theme / "loading_high.png", tools::encodePng(tools::drawSplash(1676, 1012, 300)));
  writeFile(theme / "ico_dark_low.png", tools::encodePng(tools::drawAppBarIcon(32, true)));
  writeFile(theme / "ico_dark_high.png", tools::encodePng(tools::drawAppBarIcon(64, true)));
  writeFile(theme / "ico_light_low.png", tools::encodePng(tools::drawAppBarIcon(32, false)));
  writeFile(theme / "ico_light_high.png", tools::encodePng(tools::drawAppBarIcon(64, false)));
}

std::string mib(std::uint64_t bytes) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.0f", bytes / 1048576.0);
  return buffer;
}

}  // namespace

int main(int argc, char** argv) {
  fs::path self = fs::canonical("/proc/self/exe").parent_path();
  std::string cli = (self / "lumaset-cli").string();
  fs::path work = fs::temp_directory_path() / "lumaset-bench";
  int runs = 5;
  std::vector<int> scales = {1, 10};
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string arg = argv[i];
    if (arg == "--work")
      work = argv[i + 1];
    else if (arg == "--runs")
      runs = std::max(1, std::atoi(argv[i + 1]));
    else if (arg == "--scales") {
      scales.clear();
      for (const char* p = argv[i + 1]; *p; ++p) {
        scales.push_back(std::atoi(p));
        while (p[1] && p[1] != ',') ++p;
        if (p[1] == ',') ++p;
      }
    }
  }

  std::printf("%-24s %-28s %12s %8s %10s\n", "operation", "packs MiB (Low/High/XLow/XHigh)", "median s", "ratio",
              "peak MiB");
  for (int scale : scales) {
    fs::remove_all(work);
    fs::create_directories(work / "home");
    tools::SampleHostOptions options;
    options.folder = (work / "PS").string();
    options.stubExe = (self / "stubs" / "v16.1.2" / "Photoshop.exe").string();
    const std::uint64_t pads[4] = {20, 60, 10, 120};
    for (int p = 0; p < 4; ++p) options.packPadding[p] = (pads[p] * scale) << 20;
    tools::SampleHost host;
    std::string error;
    if (!tools::writeSampleHost(options, host, error)) {
      std::fprintf(stderr, "apply-bench: %s\n", error.c_str());
      return 1;
    }
    writeTheme(work / "home");
    std::string home = (work / "home").string();
    run({cli, "--home", home, "locate", host.exePath});
    run({cli, "--home", home, "backup"});

    fs::path resources = work / "PS" / "Resources";
    std::string sizes;
    for (const char* f : {"PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"})
      sizes += (sizes.empty() ? "" : "/") + mib(fs::file_size(resources / "lumaset_BAK" / f));

    PosixFiles files;
    fs::create_directories(work / "copy");
    std::vector<double> copies, applies;
    long peak = 0;
    for (int r = 0; r < runs; ++r) {
      auto start = Clock::now();
      for (const char* f : {"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat",
                            "PSIconsXHighRes.dat"})
        files.copyFile((resources / "lumaset_BAK" / f).string(), (work / "copy" / f).string());
      copies.push_back(std::chrono::duration<double>(Clock::now() - start).count());

      Child apply = run({cli, "--home", home, "apply", "Bench"});
      if (apply.status != 0) {
        std::fprintf(stderr, "apply-bench: the apply failed (status %d)\n", apply.status);
        return 1;
      }
      applies.push_back(apply.seconds);
      peak = std::max(peak, apply.peakKiB);
    }
    double copy = median(copies), apply = median(applies);
    std::printf("%-24s %-28s %12.3f %8.2f %10s\n", "copy of the icon files", sizes.c_str(), copy, 1.0, "-");
    std::printf("%-24s %-28s %12.3f %8.2f %10.1f\n", "apply (six images)", sizes.c_str(), apply, apply / copy,
                peak / 1024.0);
  }
  fs::remove_all(work);
  return 0;
}
