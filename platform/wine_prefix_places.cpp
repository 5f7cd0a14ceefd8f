// The places of a wine prefix, from the text of its system.reg (the HKEY_LOCAL_MACHINE
// hive wine keeps on disk). Wine saves the hive a few seconds after a change, so a key
// written a moment ago may not be in the file yet.
#include "formats/wine_registry.h"
#include "platform/host_places.h"

namespace lumaset {
namespace {

struct RegistryView {
  const char* photoshopKey;
  PlaceKind kind;
};

// A 64-bit prefix keeps the 32-bit view below Wow6432Node.
constexpr RegistryView kViews[] = {
    {"Software\\Adobe\\Photoshop", PlaceKind::Registry64},
    {"Software\\Wow6432Node\\Adobe\\Photoshop", PlaceKind::Registry32},
};

struct ProgramFilesValue {
  const char* name;
  const char* fallback;  // wine's own default, for a hive that lacks the value
  PlaceKind kind;
};

constexpr ProgramFilesValue kProgramFiles[] = {
    {"ProgramFilesDir", "C:\\Program Files", PlaceKind::ProgramFiles},
    {"ProgramFilesDir (x86)", "C:\\Program Files (x86)", PlaceKind::ProgramFilesX86},
};

class WinePrefixPlaces : public HostPlaces {
 public:
  WinePrefixPlaces(FileReading& files, std::string prefix) : files_(files), prefix_(std::move(prefix)) {}

  std::vector<HostPlace> places() override {
    const char sep = files_.separator();
    const std::string hivePath = prefix_ + sep + "system.reg";
    // Its size is looked at before it is read: a larger file is never held in memory.
    unread_.clear();
    Bytes hive;
    if (files_.info(hivePath).size > kMaxRegistryFileBytes) {
      unread_ = hivePath;
    } else {
      hive = files_.readFile(hivePath);
    }
    const std::vector<RegistryKey> keys = parseWineRegistry(hive);
    std::vector<HostPlace> found;
    for (const RegistryView& view : kViews) {
      for (const RegistryKey* key : registrySubkeys(keys, view.photoshopKey)) {
        std::optional<std::string> path = registryString(*key, "ApplicationPath");
        std::optional<std::string> local = path ? pathInWinePrefix(prefix_, *path, sep) : std::nullopt;
        if (local) found.push_back({view.kind, *local, key->path.substr(key->path.rfind('\\') + 1)});
      }
    }
    const RegistryKey* windows = findRegistryKey(keys, "Software\\Microsoft\\Windows\\CurrentVersion");
    for (const ProgramFilesValue& value : kProgramFiles) {
      std::optional<std::string> path = windows ? registryString(*windows, value.name) : std::nullopt;
      if (std::optional<std::string> local = pathInWinePrefix(prefix_, path ? *path : value.fallback, sep))
        found.push_back({value.kind, *local, ""});
    }
    return found;
  }

  std::string unreadRegistryFile() override { return unread_; }

 private:
  FileReading& files_;
  std::string prefix_;
  std::string unread_;
};

}  // namespace

std::unique_ptr<HostPlaces> makeWinePrefixPlaces(FileReading& files, std::string prefix) {
  return std::make_unique<WinePrefixPlaces>(files, std::move(prefix));
}

}  // namespace lumaset
