// The names the program gives its own files and folders among others' ones (temporary
// files beside a target, staging folders and the lock in the theme library): each holds
// the marker ".lumaset-", so that a later run can tell them from anything else.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace lumaset {

inline constexpr char kWorkNameMarker[] = ".lumaset-";
// The letters or digits after the marker that tell a target's temporary files apart.
inline constexpr std::size_t kTemporarySuffixLength = 6;

// A work name of the program: it begins with the marker.
constexpr bool isWorkName(std::string_view name) { return name.starts_with(kWorkNameMarker); }

// The longest name a file system takes (255 bytes on POSIX, 255 UTF-16 units on Windows).
inline constexpr std::size_t kLongestName = 255;

// The start of the name of a temporary file beside the target named `targetName`:
// "." + the target's name + the marker; kTemporarySuffixLength characters follow. A
// target name too long to fit is cut (at a whole UTF-8 character), so that a file whose
// name is as long as a name may be can still be written.
inline std::string temporaryNamePrefix(const std::string& targetName) {
  constexpr std::size_t room = kLongestName - 1 - (sizeof kWorkNameMarker - 1) - kTemporarySuffixLength;
  std::size_t keep = targetName.size();
  if (keep > room) {
    keep = room;
    while (keep > 0 && (static_cast<unsigned char>(targetName[keep]) & 0xC0) == 0x80) --keep;
  }
  std::string prefix(1, '.');
  prefix.append(targetName, 0, keep);
  prefix.append(kWorkNameMarker);
  return prefix;
}

// A temporary file that a write left beside its target: "." + the target's name (not
// empty) + ".lumaset-" + six ASCII letters or digits.
constexpr bool isTemporaryName(std::string_view name) {
  constexpr std::string_view marker = kWorkNameMarker;
  if (name.size() < 2 + marker.size() + kTemporarySuffixLength || name[0] != '.') return false;
  const std::string_view tail = name.substr(name.size() - marker.size() - kTemporarySuffixLength);
  if (!tail.starts_with(marker)) return false;
  for (const char c : tail.substr(marker.size())) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
  }
  return true;
}

// The result file of the window's elevated worker, made by the window in its temporary
// folder: "lumaset-worker-" + 32 lowercase hexadecimal digits (random) + ".result". The
// worker writes into nothing of another name.
inline constexpr std::string_view kWorkerResultPrefix = "lumaset-worker-";
inline constexpr std::string_view kWorkerResultSuffix = ".result";
inline constexpr std::size_t kWorkerResultRandomDigits = 32;

constexpr bool isWorkerResultName(std::string_view name) {
  if (name.size() != kWorkerResultPrefix.size() + kWorkerResultRandomDigits + kWorkerResultSuffix.size() ||
      !name.starts_with(kWorkerResultPrefix) || !name.ends_with(kWorkerResultSuffix))
    return false;
  for (const char c : name.substr(kWorkerResultPrefix.size(), kWorkerResultRandomDigits)) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

}  // namespace lumaset
