#include "run/host_discovery.h"

#include <algorithm>

#include "formats/path_text.h"
#include "run/name_rules.h"
#include "run/version.h"

namespace lumaset {
namespace {

// The name of the folder's Photoshop.exe as the folder lists it, its usual spelling
// first; empty when the folder has none.
std::string photoshopExeIn(SystemReading& files, const std::string& folder) {
  std::string found;
  for (const std::string& name : files.fileNames(folder)) {
    if (name == "Photoshop.exe") return name;
    if (found.empty() && equalIgnoringAsciiCase(name, "photoshop.exe")) found = name;
  }
  return found;
}

bool isRegistryPlace(const HostPlace& place) {
  return place.kind == PlaceKind::Registry64 || place.kind == PlaceKind::Registry32;
}

// The folders a place names: a registry value's own, or the Adobe Photoshop folders in a
// Program Files folder's Adobe folder (in name order, as listings come in any order).
std::vector<std::string> candidateFolders(SystemReading& files, const HostPlace& place) {
  const char sep = files.separator();
  if (!isAbsolutePath(place.path, sep)) return {};
  if (isRegistryPlace(place)) return {place.path};
  const std::string adobe = withTrailingSeparator(place.path, sep) + "Adobe";
  std::vector<std::string> names = files.subfolders(adobe);
  std::sort(names.begin(), names.end());
  std::vector<std::string> folders;
  for (const std::string& name : names) {
    if (asciiLower(name).starts_with("adobe photoshop")) folders.push_back(adobe + sep + name);
  }
  return folders;
}

std::string withoutTrailingSeparators(std::string path, char sep) {
  while (path.size() > 1 && (path.back() == sep || path.back() == '/')) path.pop_back();
  return path;
}

// Two spellings of one folder (a link, another letter case on Windows, a doubled
// separator) give one identity.
std::string folderIdentity(SystemReading& files, const std::string& folder) {
  const std::string canonical = files.canonicalPath(withoutTrailingSeparators(folder, files.separator()));
  return files.separator() == '\\' ? asciiLower(canonical) : canonical;
}

}  // namespace

Discovery discoverHosts(SystemReading& files, HostPlaces& places) {
  const char sep = files.separator();
  Discovery discovery;
  std::vector<FoundHost>& hosts = discovery.hosts;
  std::vector<std::string> identities;  // of hosts, index for index
  std::size_t registryPlaces = 0;
  for (const HostPlace& place : places.places()) {
    if (isRegistryPlace(place) && ++registryPlaces > kMaxRegistryPlaces) continue;
    for (const std::string& folder : candidateFolders(files, place)) {
      const std::string exeName = photoshopExeIn(files, folder);
      if (exeName.empty()) continue;
      const std::string identity = folderIdentity(files, folder);
      const auto known = std::find(identities.begin(), identities.end(), identity);
      if (known != identities.end()) {
        std::vector<HostPlace>& foundAt = hosts[static_cast<std::size_t>(known - identities.begin())].foundAt;
        if (std::find(foundAt.begin(), foundAt.end(), place) == foundAt.end()) foundAt.push_back(place);
        continue;
      }
      FoundHost host;
      host.folder = withoutTrailingSeparators(folder, sep) + sep;
      host.exe = host.folder + exeName;
      host.foundAt.push_back(place);
      hosts.push_back(std::move(host));
      identities.push_back(identity);
    }
  }
  for (FoundHost& host : hosts) host.productVersion = files.productVersion(host.exe);
  std::stable_sort(hosts.begin(), hosts.end(), [](const FoundHost& a, const FoundHost& b) {
    return compareProductVersions(a.productVersion, b.productVersion) > 0;
  });
  const std::string unread = places.unreadRegistryFile();
  if (!unread.empty()) discovery.limits.push_back({MessageId::RegistryFileTooLarge, unread, {}});
  if (registryPlaces > kMaxRegistryPlaces)
    discovery.limits.push_back({MessageId::RegistryPlacesCut, {}, std::to_string(registryPlaces - kMaxRegistryPlaces)});
  return discovery;
}

}  // namespace lumaset
