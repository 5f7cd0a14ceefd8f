// make-sample-host DIR --stub EXE [--version V] [--layout four|two] [--bom]
//                  [--dump DIR] [--pad-mib LOW,HIGH,XLOW,XHIGH]
//                  [--shape sample|release19|single-icon] [--no-chinese]
// Writes a sample host into DIR. --dump writes the LowRes and HighRes images of the
// three resources the system edits (first record of each name) as PNG files, for checks.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/sample_host/sample_host.h"

namespace {

int usage() {
  std::fputs(
      "usage: make-sample-host DIR --stub EXE [--version V] [--layout four|two] [--bom]\n"
      "                        [--dump DIR] [--pad-mib LOW,HIGH,XLOW,XHIGH]\n"
      "                        [--shape sample|release19|single-icon] [--no-chinese]\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  lumaset::tools::SampleHostOptions options;
  std::string dump;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (arg == "--stub")
      options.stubExe = next();
    else if (arg == "--version")
      options.version = next();
    else if (arg == "--layout")
      options.fourPack = next() != "two";
    else if (arg == "--bom")
      options.languageBom = true;
    else if (arg == "--no-chinese")
      options.chinese = false;
    else if (arg == "--shape") {
      const std::string shape = next();
      if (shape == "release19")
        options.shape = lumaset::tools::HostShape::Release19;
      else if (shape == "single-icon")
        options.shape = lumaset::tools::HostShape::SingleIcon;
      else if (shape != "sample")
        return usage();
    }
    else if (arg == "--dump")
      dump = next();
    else if (arg == "--pad-mib") {
      std::string list = next();
      int slot = 0;
      for (std::size_t pos = 0; slot < 4 && pos <= list.size(); ++slot) {
        std::size_t comma = list.find(',', pos);
        options.packPadding[slot] = std::strtoull(list.substr(pos, comma - pos).c_str(), nullptr, 10) << 20;
        if (comma == std::string::npos) break;
        pos = comma + 1;
      }
    } else if (!arg.empty() && arg[0] != '-' && options.folder.empty())
      options.folder = arg;
    else
      return usage();
  }
  if (options.folder.empty()) return usage();

  lumaset::tools::SampleHost host;
  std::string error;
  if (!lumaset::tools::writeSampleHost(options, host, error)) {
    std::fprintf(stderr, "make-sample-host: %s\n", error.c_str());
    return 1;
  }
  if (!dump.empty()) {
    std::filesystem::create_directories(dump);
    for (const char* name :
         {"Splash1080Background", "PS_OWL_appbar_dark_win", "PS_OWL_appbar_light_win", "PS_OWL_appbar_win"}) {
      for (const auto& record : host.records) {
        if (record.name != name) continue;
        std::ofstream(dump + "/" + name + ".low.png", std::ios::binary) << record.lowImage;
        std::ofstream(dump + "/" + name + ".high.png", std::ios::binary) << record.highImage;
        break;
      }
    }
  }
  std::printf("%s: %zu records, language file %s\n", host.folder.c_str(), host.records.size(),
              host.languageFile.c_str());
  return 0;
}
