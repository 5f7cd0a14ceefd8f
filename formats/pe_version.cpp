#include "formats/pe_version.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "formats/utf.h"

namespace lumaset {
namespace {

constexpr std::uint32_t kVersionResourceType = 16;  // RT_VERSION

std::optional<std::uint32_t> u16At(const Bytes& b, std::size_t pos) {
  if (pos + 2 > b.size() || pos + 2 < pos) return std::nullopt;
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[pos]) | (static_cast<unsigned char>(b[pos + 1]) << 8));
}

std::optional<std::uint32_t> u32At(const Bytes& b, std::size_t pos) {
  if (pos + 4 > b.size() || pos + 4 < pos) return std::nullopt;
  return static_cast<std::uint32_t>(readInt32LE(b, pos));
}

struct Section {
  std::uint32_t virtualAddress, virtualSize, rawSize, rawOffset;
};

// Where the resource section's bytes lie in the file, and how RVAs map onto them.
struct PeImage {
  std::vector<Section> sections;
  std::uint32_t resourceRva = 0;

  std::optional<std::size_t> fileOffset(std::uint32_t rva) const {
    for (const Section& s : sections) {
      std::uint32_t span = std::max(s.virtualSize, s.rawSize);
      if (rva >= s.virtualAddress && rva - s.virtualAddress < span) {
        std::uint32_t delta = rva - s.virtualAddress;
        if (delta >= s.rawSize) return std::nullopt;
        return static_cast<std::size_t>(s.rawOffset) + delta;
      }
    }
    return std::nullopt;
  }
};

std::optional<PeImage> readPeImage(const Bytes& file) {
  if (file.compare(0, 2, "MZ") != 0) return std::nullopt;
  auto peOffset = u32At(file, 0x3C);
  if (!peOffset || *peOffset > file.size() || file.compare(*peOffset, 4, Bytes("PE\0\0", 4)) != 0) return std::nullopt;
  std::size_t coff = *peOffset + 4;
  auto sectionCount = u16At(file, coff + 2);
  auto optionalSize = u16At(file, coff + 16);
  std::size_t optional = coff + 20;
  auto magic = u16At(file, optional);
  if (!sectionCount || !optionalSize || !magic) return std::nullopt;
  std::size_t directories;
  std::size_t countAt;
  if (*magic == 0x10B) {
    countAt = optional + 92;
    directories = optional + 96;
  } else if (*magic == 0x20B) {
    countAt = optional + 108;
    directories = optional + 112;
  } else {
    return std::nullopt;
  }
  auto directoryCount = u32At(file, countAt);
  if (!directoryCount || *directoryCount < 3) return std::nullopt;
  auto resourceRva = u32At(file, directories + 2 * 8);
  if (!resourceRva || *resourceRva == 0) return std::nullopt;

  PeImage image;
  image.resourceRva = *resourceRva;
  std::size_t table = optional + *optionalSize;
  for (std::uint32_t i = 0; i < *sectionCount; ++i) {
    std::size_t at = table + 40 * static_cast<std::size_t>(i);
    auto vsize = u32At(file, at + 8), va = u32At(file, at + 12), rsize = u32At(file, at + 16),
         raw = u32At(file, at + 20);
    if (!vsize || !va || !rsize || !raw) return std::nullopt;
    image.sections.push_back({*va, *vsize, *rsize, *raw});
  }
  return image;
}

// One entry of a resource directory: its id (or name offset) and where it points.
struct DirectoryEntry {
  std::uint32_t id;
  std::uint32_t target;  // high bit set: a subdirectory
};

std::vector<DirectoryEntry> readDirectory(const Bytes& file, std::size_t at) {
  std::vector<DirectoryEntry> entries;
  auto named = u16At(file, at + 12), ids = u16At(file, at + 14);
  if (!named || !ids) return entries;
  for (std::uint32_t i = 0; i < *named + *ids; ++i) {
    auto id = u32At(file, at + 16 + 8 * i), target = u32At(file, at + 20 + 8 * i);
    if (!id || !target) break;
    entries.push_back({*id, *target});
  }
  return entries;
}

// The bytes of the first version resource (id 1 preferred), first language.
std::optional<Bytes> versionResource(const Bytes& file, const PeImage& image) {
  auto root = image.fileOffset(image.resourceRva);
  if (!root) return std::nullopt;
  auto subdirectory = [&](const DirectoryEntry& e) -> std::optional<std::size_t> {
    if (!(e.target & 0x80000000u)) return std::nullopt;
    return *root + (e.target & 0x7FFFFFFFu);
  };
  std::optional<std::size_t> names;
  for (const DirectoryEntry& e : readDirectory(file, *root)) {
    if (e.id == kVersionResourceType) names = subdirectory(e);
  }
  if (!names) return std::nullopt;
  std::vector<DirectoryEntry> nameEntries = readDirectory(file, *names);
  if (nameEntries.empty()) return std::nullopt;
  const DirectoryEntry* chosen = &nameEntries.front();
  for (const DirectoryEntry& e : nameEntries) {
    if (e.id == 1) chosen = &e;
  }
  auto languages = subdirectory(*chosen);
  if (!languages) return std::nullopt;
  std::vector<DirectoryEntry> languageEntries = readDirectory(file, *languages);
  if (languageEntries.empty() || (languageEntries.front().target & 0x80000000u)) return std::nullopt;
  std::size_t dataEntry = *root + languageEntries.front().target;
  auto dataRva = u32At(file, dataEntry), dataSize = u32At(file, dataEntry + 4);
  if (!dataRva || !dataSize) return std::nullopt;
  auto data = image.fileOffset(*dataRva);
  if (!data || *data + *dataSize > file.size()) return std::nullopt;
  return file.substr(*data, *dataSize);
}

// A node of the version resource: a key, a value and children, each 32-bit aligned.
struct Block {
  std::string key;
  std::size_t value = 0;
  std::size_t valueBytes = 0;
  std::size_t children = 0;
  std::size_t end = 0;
};

std::size_t align4(std::size_t pos) { return (pos + 3) & ~static_cast<std::size_t>(3); }

std::optional<Block> readBlock(const Bytes& data, std::size_t pos, std::size_t limit) {
  auto length = u16At(data, pos), valueLength = u16At(data, pos + 2), type = u16At(data, pos + 4);
  if (!length || !valueLength || !type || *length < 6 || pos + *length > limit) return std::nullopt;
  Block block;
  block.end = pos + *length;
  std::size_t keyEnd = pos + 6;
  Bytes key;
  while (true) {
    auto unit = u16At(data, keyEnd);
    if (!unit || keyEnd + 2 > block.end) return std::nullopt;
    keyEnd += 2;
    if (*unit == 0) break;
    key += data.substr(keyEnd - 2, 2);
  }
  block.key = utf16leToUtf8(key);
  block.value = align4(keyEnd);
  block.valueBytes = *type == 1 ? *valueLength * 2u : *valueLength;
  block.children = std::min(align4(block.value + block.valueBytes), block.end);
  if (block.value > block.end) block.value = block.end;
  if (block.value + block.valueBytes > block.end) block.valueBytes = block.end - block.value;
  return block;
}

std::vector<Block> childrenOf(const Bytes& data, const Block& parent) {
  std::vector<Block> blocks;
  for (std::size_t pos = parent.children; pos + 6 <= parent.end;) {
    auto child = readBlock(data, pos, parent.end);
    if (!child) break;
    blocks.push_back(*child);
    pos = align4(child->end);
  }
  return blocks;
}

bool sameCaseless(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

std::string firstTranslation(const Bytes& data, const std::vector<Block>& top) {
  for (const Block& info : top) {
    if (info.key != "VarFileInfo") continue;
    for (const Block& var : childrenOf(data, info)) {
      if (var.key != "Translation" || var.valueBytes < 4) continue;
      char key[9];
      std::snprintf(key, sizeof key, "%04x%04x", *u16At(data, var.value), *u16At(data, var.value + 2));
      return key;
    }
  }
  return "040904E4";
}

}  // namespace

std::string peProductVersion(const Bytes& file) {
  auto image = readPeImage(file);
  if (!image) return {};
  auto resource = versionResource(file, *image);
  if (!resource) return {};
  auto root = readBlock(*resource, 0, resource->size());
  if (!root || root->key != "VS_VERSION_INFO") return {};
  std::vector<Block> top = childrenOf(*resource, *root);
  const std::string wanted = firstTranslation(*resource, top);
  for (const Block& info : top) {
    if (info.key != "StringFileInfo") continue;
    for (const Block& table : childrenOf(*resource, info)) {
      if (!sameCaseless(table.key, wanted)) continue;
      for (const Block& entry : childrenOf(*resource, table)) {
        if (entry.key != "ProductVersion") continue;
        std::string text = utf16leToUtf8(resource->substr(entry.value, entry.end - entry.value));
        return text.substr(0, text.find('\0'));
      }
    }
  }
  return {};
}

}  // namespace lumaset
