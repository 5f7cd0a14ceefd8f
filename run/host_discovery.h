// Host discovery: the Photoshop installations the system tells of (platform/host_places.h),
// each listed once and newest first, so that a front end can offer one instead of making
// the user walk to Photoshop.exe. It only reads.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/host_places.h"
#include "run/outcome.h"

namespace lumaset {

struct FoundHost {
  std::string folder;              // with a trailing separator
  std::string exe;                 // the folder's Photoshop.exe, its name as the folder lists it
  std::string productVersion;      // empty when the executable has no version resource
  std::vector<HostPlace> foundAt;  // every place that named the folder, in the places' order
};

// At most this many registry values are looked at, in the order the system gives them:
// each costs a look into a folder, and a real system holds a few.
inline constexpr std::size_t kMaxRegistryPlaces = 256;

struct Discovery {
  std::vector<FoundHost> hosts;
  // The limits the search met, to be told: RegistryFileTooLarge (path: the file unread),
  // RegistryPlacesCut (detail: how many registry values were passed over).
  std::vector<Report> limits;
};

// The folders that hold a Photoshop.exe (in any letter case): the folder of each registry
// value, and each subfolder Adobe/"Adobe Photoshop*" of a Program Files folder. A folder
// that several places name (the same canonical path; on Windows letter case aside) is one
// host. Newest ProductVersion first; hosts of one version keep the order they were found in.
Discovery discoverHosts(SystemReading& files, HostPlaces& places);

}  // namespace lumaset
