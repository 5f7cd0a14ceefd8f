// A wine prefix as a test builds it: a system.reg text, stub Photoshop.exe files at Windows
// paths of its drives, and the host places a test lists itself.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "platform/host_places.h"
#include "support/temp_dir.h"
#include "support/theme_maker.h"

namespace lumaset::testing {

// Host places a test names itself, in place of the system's registry and folders.
class ListedPlaces : public HostPlaces {
 public:
  std::vector<HostPlace> list;
  std::vector<HostPlace> places() override { return list; }
};

class FakeWinePrefix {
 public:
  explicit FakeWinePrefix(std::string folder) : folder_(std::move(folder)) {
    std::filesystem::create_directories(pathFromUtf8(folder_ + "/drive_c"));
  }
  const std::string& folder() const { return folder_; }

  // The hive, as the lines below wine's header.
  void writeSystemReg(const std::string& body) const {
    writeFile(folder_ + "/system.reg",
              "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n" + body);
  }
  // The path inside the prefix of a folder below drive C ("Program Files/Adobe/X").
  std::string onDriveC(const std::string& below) const { return folder_ + "/drive_c/" + below; }
  // Puts the stub executable `stub` (a file path) as `name` into `folder`, made when missing.
  static void placeExe(const std::string& folder, const std::string& stub, const std::string& name = "Photoshop.exe") {
    std::filesystem::create_directories(pathFromUtf8(folder));
    std::filesystem::copy_file(pathFromUtf8(stub), pathFromUtf8(folder + "/" + name),
                               std::filesystem::copy_options::overwrite_existing);
  }
  // Drive `letter` as wine keeps it: a link dosdevices/<letter>: to `target`.
  void linkDrive(char letter, const std::string& target) const {
    std::filesystem::create_directories(pathFromUtf8(folder_ + "/dosdevices"));
    std::filesystem::create_directory_symlink(pathFromUtf8(target),
                                              pathFromUtf8(folder_ + "/dosdevices/" + letter + ":"));
  }

 private:
  std::string folder_;
};

// A registry section with an ApplicationPath value, as wine writes it (the backslashes of
// the key and the value doubled).
inline std::string applicationPathKey(const std::string& key, const std::string& windowsPath) {
  auto doubled = [](const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
  };
  return "[" + doubled(key) + "] 1700000000\n#time=1da0b1c2d3e4f50\n\"ApplicationPath\"=\"" + doubled(windowsPath) +
         "\"\n\"PluginPath\"=\"" + doubled(windowsPath) + "Plug-ins\\\\\"\n\n";
}

}  // namespace lumaset::testing
