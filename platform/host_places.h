// Where the system says Photoshop may be installed: the ApplicationPath value of each
// version key under HKLM\SOFTWARE\Adobe\Photoshop, in the 64-bit and the 32-bit registry
// view, and the Program Files folders. Windows reads its own registry and known folders;
// a wine prefix is read from its files (system.reg, drive_c). Whether a place holds a
// host is for run/host_discovery.h to find out.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"

namespace lumaset {

enum class PlaceKind { Registry64, Registry32, ProgramFiles, ProgramFilesX86 };

struct HostPlace {
  PlaceKind kind = PlaceKind::ProgramFiles;
  std::string path;        // a local path: the ApplicationPath value, or the Program Files folder
  std::string versionKey;  // the registry key's name below Photoshop ("120.0"); empty for a folder
  bool operator==(const HostPlace&) const = default;
};

// A wine prefix's system.reg larger than this is not read: it is read whole, and real ones
// hold a few MiB.
inline constexpr std::uint64_t kMaxRegistryFileBytes = 64ull << 20;

class HostPlaces {
 public:
  virtual ~HostPlaces() = default;
  // Every place, the registry's values first; none when the system has none to tell.
  virtual std::vector<HostPlace> places() = 0;
  // After places(): the registry file left unread for its size (kMaxRegistryFileBytes),
  // whose values are then missing; empty when every file was read.
  virtual std::string unreadRegistryFile() { return {}; }
};

// The places of the running system: its registry and Program Files folders on Windows;
// on POSIX those of the wine prefix in $WINEPREFIX, else ~/.wine.
std::unique_ptr<HostPlaces> makeSystemHostPlaces(FileReading& files);

// The places of the wine prefix folder `prefix`, read from its system.reg, with the
// Windows paths turned into paths inside the prefix (formats/wine_registry.h).
std::unique_ptr<HostPlaces> makeWinePrefixPlaces(FileReading& files, std::string prefix);

}  // namespace lumaset
