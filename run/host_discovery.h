// Host discovery: the Photoshop installations the system tells of (platform/host_places.h),
// each listed once and newest first, so that a front end can offer one instead of making
// the user walk to Photoshop.exe. It only reads.
#pragma once
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/host_places.h"

namespace lumaset {

struct FoundHost {
  std::string folder;              // with a trailing separator
  std::string exe;                 // the folder's Photoshop.exe, its name as the folder lists it
  std::string productVersion;      // empty when the executable has no version resource
  std::vector<HostPlace> foundAt;  // every place that named the folder, in the places' order
};

// The folders that hold a Photoshop.exe (in any letter case): the folder of each registry
// value, and each subfolder Adobe/"Adobe Photoshop*" of a Program Files folder. A folder
// that several places name (the same canonical path; on Windows letter case aside) is one
// host. Newest ProductVersion first; hosts of one version keep the order they were found in.
std::vector<FoundHost> discoverHosts(Files& files, HostPlaces& places);

}  // namespace lumaset
