// The records of a sample host's index, in index order: the small sample that most tests
// use, and indexes shaped as real releases ship them (some 1,800 records, the splash far
// into the packs, HighRes slots of length 0, names that fill all 48 bytes).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace lumaset::tools {

enum class HostShape {
  Sample,      // 36 records with the cases the lookup must get right
  Release19,   // 1,698 records, the dark and the light app-bar icon
  SingleIcon,  // 1,822 records and one app-bar icon, PS_OWL_appbar_win
};

enum class EntryKind { Tool, Splash, DarkIcon, LightIcon, Padding };

struct SampleEntry {
  std::string name;  // as stored: may carry bytes after its NUL
  EntryKind kind;
  int seed;
  bool highEmpty = false;  // the HighRes slot has length 0
};

std::vector<SampleEntry> sampleEntries(HostShape shape);

}  // namespace lumaset::tools
