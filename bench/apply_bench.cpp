// What an apply costs next to the work it cannot avoid, on sample hosts with packs of
// 20/60/10/120 MiB (Low/High/XLow/XHigh) and ten times that. Measured pair by pair in one
// run, alternating, so both sides of a pair see the same machine:
//  - an apply of a six-image theme over the one applied before (the record proves the
//    packs, which are cut back) against the physical limit: cut the two packs back,
//    append the six images, write the index and the language file, all flushed;
//  - an apply over a backup without its record (every icon file copied back) against a
//    plain copy of the five backed-up icon files (copy_file_range, as cp does, then
//    flushed, as the apply must be).
// Each apply's peak memory is its own, from wait4. Only the folder the bench makes (in
// --work, default the system's temporary folder) is ever deleted.
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

#include "tools/png_writer.h"
#include "tools/sample_host/sample_host.h"
#include "tools/sample_host/sample_images.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace lumaset;

extern char** environ;

namespace {

const char* const kIconFiles[] = {"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat",
                                  "PSIconsXHighRes.dat"};

struct Child {
  int status = -1;
  double seconds = 0;
  long peakKiB = 0;
};

// Starts a program and waits for it, timing it and taking its peak memory from wait4.
Child spawnAndWait(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  Child child;
  auto start = Clock::now();
  pid_t pid;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    struct rusage usage;
    wait4(pid, &child.status, 0, &usage);
    child.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    child.peakKiB = usage.ru_maxrss;
  }
  posix_spawn_file_actions_destroy(&actions);
  return child;
}

// Linux counts into a child's peak the memory of the process it was started from (the
// peak survives exec), so the bench, which holds a theme's images, starts each measured
// program from a fresh small copy of itself ("--spawn PROGRAM ARGS..."), which reports.
Child run(const std::vector<std::string>& args) {
  int out[2];
  if (::pipe(out) != 0) return {};
  std::vector<std::string> spawner = {fs::canonical("/proc/self/exe").string(), "--spawn"};
  spawner.insert(spawner.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (const std::string& a : spawner) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  pid_t pid;
  Child child;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    ::close(out[1]);
    char text[128] = {};
    ssize_t n = ::read(out[0], text, sizeof text - 1);
    if (n > 0) std::sscanf(text, "%d %lf %ld", &child.status, &child.seconds, &child.peakKiB);
    ::waitpid(pid, nullptr, 0);
  } else {
    ::close(out[1]);
  }
  ::close(out[0]);
  posix_spawn_file_actions_destroy(&actions);
  return child;
}

template <typename Work>
double timed(Work work) {
  auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void syncFolder(const fs::path& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// The bytes written where they go: appended, or a whole file replaced through a flushed
// temporary file.
void appendFlushed(const fs::path& path, const std::string& bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
  if (fd < 0) return;
  if (::write(fd, bytes.data(), bytes.size()) < 0) std::perror("append");
  ::fsync(fd);
  ::close(fd);
}

void replaceFlushed(const fs::path& path, const std::string& bytes) {
  fs::path temp = path.parent_path() / ("." + path.filename().string() + ".bench");
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  if (::write(fd, bytes.data(), bytes.size()) < 0) std::perror("write");
  ::fsync(fd);
  ::close(fd);
  fs::rename(temp, path);
  syncFolder(path.parent_path());
}

void cutBack(const fs::path& path, std::uint64_t size) {
  int fd = ::open(path.c_str(), O_WRONLY);
  if (fd < 0) return;
  if (::ftruncate(fd, static_cast<off_t>(size)) != 0) std::perror("ftruncate");
  ::fsync(fd);
  ::close(fd);
}

// copy_file_range from the first byte to the last, then flushed.
void plainCopy(const fs::path& from, const fs::path& to) {
  int in = ::open(from.c_str(), O_RDONLY);
  int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  while (in >= 0 && out >= 0 && ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0) > 0) {
  }
  if (out >= 0) ::fsync(out), ::close(out);
  if (in >= 0) ::close(in);
}

struct Theme {
  std::string images[6];  // splash, splash @2x, dark, dark @2x, light, light @2x
};

Theme writeTheme(const fs::path& home) {
  Theme t{{tools::encodePng(tools::drawSplash(838, 506, 300)), tools::encodePng(tools::drawSplash(1676, 1012, 300)),
           tools::encodePng(tools::drawAppBarIcon(32, true)), tools::encodePng(tools::drawAppBarIcon(64, true)),
           tools::encodePng(tools::drawAppBarIcon(32, false)), tools::encodePng(tools::drawAppBarIcon(64, false))}};
  const char* names[6] = {"loading_low.png",   "loading_high.png",  "ico_dark_low.png",
                          "ico_dark_high.png", "ico_light_low.png", "ico_light_high.png"};
  fs::path theme = home / "LumasetTheme" / "Bench";
  writeFile(theme / "info.ini", "[Lumaset_theme]\r\ninfo=bench\r\n");
  for (int i = 0; i < 6; ++i) writeFile(theme / names[i], t.images[i]);
  return t;
}

// What the apply must do at the least, on a host of its own: the physical limit.
struct Limit {
  fs::path resources, language;
  std::uint64_t lowSize, highSize;
  std::string lowImages, highImages, index, languageBytes;

  void operator()() const {
    cutBack(resources / "PSIconsLowRes.dat", lowSize);
    cutBack(resources / "PSIconsHighRes.dat", highSize);
    appendFlushed(resources / "PSIconsLowRes.dat", lowImages);
    appendFlushed(resources / "PSIconsHighRes.dat", highImages);
    replaceFlushed(resources / "IconResources.idx", index);
    replaceFlushed(language, languageBytes);
  }
};

struct Pairs {
  std::vector<double> applies, baselines, ratios;
  long peakKiB = 0;
  bool failed = false;
};

std::string mib(std::uint64_t bytes) { return std::to_string((bytes + (1 << 19)) >> 20); }

struct Scale {
  int factor;
  std::string sizes;
  Pairs proven, full;
};

bool measure(const fs::path& work, const fs::path& bin, int factor, int runs, Scale& out) {
  const std::string cli = (bin / "lumaset-cli").string(), home = (work / "home").string();
  tools::SampleHostOptions options;
  options.folder = (work / "PS").string();
  options.stubExe = (bin / "stubs" / "v16.1.2" / "Photoshop.exe").string();
  const std::uint64_t pads[4] = {20, 60, 10, 120};
  for (int p = 0; p < 4; ++p) options.packPadding[p] = (pads[p] * static_cast<std::uint64_t>(factor)) << 20;
  tools::SampleHost host;
  std::string error;
  if (!tools::writeSampleHost(options, host, error)) {
    std::fprintf(stderr, "apply-bench: %s\n", error.c_str());
    return false;
  }
  Theme theme = writeTheme(work / "home");
  run({cli, "--home", home, "locate", host.exePath});
  if (run({cli, "--home", home, "apply", "Bench", "--hide-text", "on"}).status != 0) return false;

  const fs::path resources = work / "PS" / "Resources", backup = resources / "lumaset_BAK";
  out.factor = factor;
  for (int i = 1; i < 5; ++i) out.sizes += (i > 1 ? "/" : "") + mib(fs::file_size(backup / kIconFiles[i]));

  // The physical limit works on a copy of the themed host, so the apply's host stays its own.
  fs::copy(work / "PS", work / "limit", fs::copy_options::recursive);
  const fs::path limitLanguage =
      fs::path(host.languageFile.replace(0, (work / "PS").string().size(), (work / "limit").string()));
  Limit limit{work / "limit" / "Resources",
              limitLanguage,
              fs::file_size(backup / "PSIconsLowRes.dat"),
              fs::file_size(backup / "PSIconsHighRes.dat"),
              theme.images[0] + theme.images[2] + theme.images[4],
              theme.images[1] + theme.images[3] + theme.images[5],
              readAll(resources / "IconResources.idx"),
              readAll(limitLanguage)};
  fs::create_directories(work / "copy");
  for (int r = 0; r < runs; ++r) {
    Child apply = run({cli, "--home", home, "apply", "Bench", "--hide-text", "on"});
    double base = timed(limit);
    out.proven.failed |= apply.status != 0;
    out.proven.applies.push_back(apply.seconds);
    out.proven.baselines.push_back(base);
    out.proven.ratios.push_back(apply.seconds / base);
    out.proven.peakKiB = std::max(out.proven.peakKiB, apply.peakKiB);

    fs::remove(backup / "lumaset.record");
    fs::remove(work / "PS" / "Locales_BAK" / "lumaset_BAK" / "lumaset.record");
    Child full = run({cli, "--home", home, "apply", "Bench", "--hide-text", "on"});
    double copy = timed([&] {
      for (const char* f : kIconFiles) plainCopy(backup / f, work / "copy" / f);
    });
    out.full.failed |= full.status != 0;
    out.full.applies.push_back(full.seconds);
    out.full.baselines.push_back(copy);
    out.full.ratios.push_back(full.seconds / copy);
    out.full.peakKiB = std::max(out.full.peakKiB, full.peakKiB);
  }
  return !out.proven.failed && !out.full.failed;
}

void printRow(const char* what, const char* against, const Scale& s, const Pairs& p) {
  std::printf("| %s | %s | %s | %.3f | %.3f | %.2f | %.1f |\n", what, s.sizes.c_str(), against, median(p.applies),
              median(p.baselines), median(p.ratios), p.peakKiB / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--spawn") {
    Child child = spawnAndWait(std::vector<std::string>(argv + 2, argv + argc));
    std::printf("%d %.6f %ld\n", child.status, child.seconds, child.peakKiB);
    return 0;
  }
  const fs::path bin = fs::canonical("/proc/self/exe").parent_path();
  fs::path base = fs::temp_directory_path();
  int runs = 5;
  std::vector<int> factors = {1, 10};
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string arg = argv[i];
    if (arg == "--work") base = argv[i + 1];
    if (arg == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
    if (arg == "--scales") {
      factors.clear();
      for (std::string list = argv[i + 1]; !list.empty();) {
        factors.push_back(std::atoi(list.c_str()));
        std::size_t comma = list.find(',');
        list = comma == std::string::npos ? "" : list.substr(comma + 1);
      }
    }
  }
  std::string pattern = (base / "lumaset-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    std::perror("apply-bench: mkdtemp");
    return 1;
  }
  const fs::path mine = pattern;  // the only folder the bench removes

  std::vector<Scale> scales;
  bool ok = true;
  for (int factor : factors) {
    fs::path work = mine / ("x" + std::to_string(factor));
    Scale s;
    ok = measure(work, bin, factor, runs, s) && ok;
    fs::remove_all(work);
    scales.push_back(s);
  }
  fs::remove_all(mine);

  std::printf(
      "| apply | packs MiB (Low/High/XLow/XHigh) | against | apply s | baseline s | ratio | apply peak MiB |\n");
  std::printf("|---|---|---|---|---|---|---|\n");
  for (const Scale& s : scales) printRow("over a proven theme", "physical limit", s, s.proven);
  for (const Scale& s : scales) printRow("without a record", "plain copy", s, s.full);
  if (scales.size() >= 2) {
    double small = median(scales.front().proven.applies), large = median(scales.back().proven.applies);
    std::printf("\nproven apply at the largest scale / at the smallest: %.2f\n", large / small);
  }
  if (!ok) std::fprintf(stderr, "apply-bench: an apply failed\n");
  return ok ? 0 : 1;
}
