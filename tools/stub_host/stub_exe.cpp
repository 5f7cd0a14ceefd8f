#include "tools/stub_host/stub_exe.h"

#include <cstdint>
#include <string>
#include <vector>

#include "formats/utf.h"

namespace lumaset::tools {
namespace {

constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kTextRva = 0x1000;
constexpr std::uint32_t kResourceRva = 0x2000;
constexpr std::uint64_t kImageBase = 0x140000000;
constexpr std::size_t kPeHeader = 0x40;
constexpr std::size_t kOptionalHeaderSize = 240;  // PE32+ with all 16 data directories
constexpr std::uint16_t kStringType = 6;          // RT_STRING
constexpr std::uint16_t kVersionType = 16;        // RT_VERSION
constexpr std::uint16_t kEnglishUs = 0x0409;      // the language resource compilers give by default

void put16(Bytes& b, std::size_t pos, std::uint32_t value) {
  for (int i = 0; i < 2; ++i) b[pos + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void put32(Bytes& b, std::size_t pos, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) b[pos + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void put64(Bytes& b, std::size_t pos, std::uint64_t value) {
  put32(b, pos, static_cast<std::uint32_t>(value));
  put32(b, pos + 4, static_cast<std::uint32_t>(value >> 32));
}

void append16(Bytes& b, std::uint32_t value) {
  b.resize(b.size() + 2);
  put16(b, b.size() - 2, value);
}

void append32(Bytes& b, std::uint32_t value) {
  b.resize(b.size() + 4);
  put32(b, b.size() - 4, value);
}

std::uint32_t alignUp(std::size_t value, std::uint32_t alignment) {
  return static_cast<std::uint32_t>((value + alignment - 1) / alignment * alignment);
}

void padTo(Bytes& b, std::uint32_t alignment) { b.resize(alignUp(b.size(), alignment), '\0'); }

// ---- The version resource: a tree of nodes, each a length, the length of its value, its
// type (1: text), a UTF-16 key, then its value and its children, each on a 32-bit boundary.
// A node's length ends with its last child, as resource compilers write it.
Bytes versionNode(const std::string& key, const Bytes& value, std::uint16_t valueLength, bool text,
                  const std::vector<Bytes>& children) {
  Bytes node(6, '\0');
  node += utf8ToUtf16le(key) + Bytes(2, '\0');
  padTo(node, 4);
  node += value;
  for (const Bytes& child : children) {
    padTo(node, 4);
    node += child;
  }
  put16(node, 0, static_cast<std::uint32_t>(node.size()));
  put16(node, 2, valueLength);
  put16(node, 4, text ? 1 : 0);
  return node;
}

// A string of a string table; its value's length counts UTF-16 units with the closing NUL.
Bytes versionString(const std::string& key, const std::string& text) {
  const Bytes value = utf8ToUtf16le(text) + Bytes(2, '\0');
  return versionNode(key, value, static_cast<std::uint16_t>(value.size() / 2), true, {});
}

// VS_FIXEDFILEINFO: its signature and structure version, file and product version 1.0.0.0,
// every flag and kind 0.
Bytes fixedFileInfo() {
  Bytes info(52, '\0');
  put32(info, 0, 0xFEEF04BD);
  put32(info, 4, 0x00010000);
  put32(info, 8, 0x00010000);
  put32(info, 16, 0x00010000);
  return info;
}

Bytes versionResource(const StubVersion& version) {
  const bool listed = !version.language.empty();
  const std::string table = listed ? version.language + version.codepage : "040904E4";
  const Bytes decoy = versionNode("040704b0", {}, 0, true, {versionString("ProductVersion", "0.1-decoy")});
  const Bytes chosen =
      versionNode(table, {}, 0, true,
                  {versionString("CompanyName", "Lumaset sample host"), versionString("ProductName", "Sample host"),
                   versionString("ProductVersion", version.productVersion)});
  std::vector<Bytes> children{versionNode("StringFileInfo", {}, 0, true, {decoy, chosen})};
  if (listed) {
    Bytes translation(4, '\0');
    put16(translation, 0, std::stoul(version.language, nullptr, 16));
    put16(translation, 2, std::stoul(version.codepage, nullptr, 16));
    children.push_back(
        versionNode("VarFileInfo", {}, 0, true, {versionNode("Translation", translation, 4, false, {})}));
  }
  return versionNode("VS_VERSION_INFO", fixedFileInfo(), 52, false, children);
}

// String table block 1 (strings 0 to 15, each its length in UTF-16 units, then the units),
// with the one text as string 1.
Bytes stringTableResource(const std::string& text) {
  Bytes block;
  for (int i = 0; i < 16; ++i) {
    const Bytes units = i == 1 ? utf8ToUtf16le(text) : Bytes();
    append16(block, static_cast<std::uint32_t>(units.size() / 2));
    block += units;
  }
  return block;
}

// ---- The resource section: the directory of types, below each type one of names (id 1)
// and one of languages (en-US), then the data entries and the data, each 8-byte aligned.
struct Resource {
  std::uint16_t type;  // resources in ascending order of type, one of each
  Bytes data;
};

Bytes directory(std::size_t entries) {
  Bytes d(16, '\0');
  put16(d, 14, static_cast<std::uint32_t>(entries));  // entries by id; none by name
  return d;
}

void appendEntry(Bytes& b, std::uint32_t id, std::size_t target, bool subdirectory) {
  append32(b, id);
  append32(b, static_cast<std::uint32_t>(target) | (subdirectory ? 0x80000000u : 0));
}

Bytes resourceSection(const std::vector<Resource>& resources) {
  const std::size_t count = resources.size();
  const std::size_t branches = 16 + 8 * count;            // a name and a language directory per type
  const std::size_t dataEntries = branches + 48 * count;  // 16 bytes each
  Bytes section = directory(count);
  for (std::size_t i = 0; i < count; ++i) appendEntry(section, resources[i].type, branches + 48 * i, true);
  for (std::size_t i = 0; i < count; ++i) {
    section += directory(1);
    appendEntry(section, 1, branches + 48 * i + 24, true);
    section += directory(1);
    appendEntry(section, kEnglishUs, dataEntries + 16 * i, false);
  }
  std::vector<std::size_t> at;
  std::size_t end = dataEntries + 16 * count;
  for (const Resource& r : resources) {
    at.push_back(alignUp(end, 8));
    end = at.back() + r.data.size();
  }
  for (std::size_t i = 0; i < count; ++i) {
    append32(section, static_cast<std::uint32_t>(kResourceRva + at[i]));
    append32(section, static_cast<std::uint32_t>(resources[i].data.size()));
    append32(section, 0);  // code page
    append32(section, 0);
  }
  for (std::size_t i = 0; i < count; ++i) {
    section.resize(at[i], '\0');
    section += resources[i].data;
  }
  return section;
}

// ---- The headers: the DOS header (only its signature and where the PE header is), the
// COFF header, the PE32+ optional header and the section table.
void writeSectionHeader(Bytes& file, std::size_t at, const char* name, std::size_t virtualSize, std::uint32_t rva,
                        std::size_t rawOffset, std::uint32_t characteristics) {
  file.replace(at, 8, Bytes(name) + Bytes(8 - Bytes(name).size(), '\0'));
  put32(file, at + 8, static_cast<std::uint32_t>(virtualSize));
  put32(file, at + 12, rva);
  put32(file, at + 16, alignUp(virtualSize, kFileAlignment));
  put32(file, at + 20, static_cast<std::uint32_t>(rawOffset));
  put32(file, at + 36, characteristics);
}

Bytes headers(std::size_t codeSize, std::size_t resourceSize) {
  Bytes file(kFileAlignment, '\0');
  file[0] = 'M';
  file[1] = 'Z';
  put32(file, 0x3C, kPeHeader);
  file.replace(kPeHeader, 4, Bytes("PE\0\0", 4));
  const std::size_t coff = kPeHeader + 4;
  put16(file, coff, 0x8664);  // x86-64
  put16(file, coff + 2, 2);   // sections
  put16(file, coff + 16, kOptionalHeaderSize);
  put16(file, coff + 18, 0x0023);  // an executable that loads at its base (no relocations), large addresses
  const std::size_t optional = coff + 20;
  put16(file, optional, 0x20B);  // PE32+
  put32(file, optional + 4, alignUp(codeSize, kFileAlignment));
  put32(file, optional + 8, alignUp(resourceSize, kFileAlignment));
  put32(file, optional + 16, kTextRva);  // the entry point: the first byte of the code
  put32(file, optional + 20, kTextRva);
  put64(file, optional + 24, kImageBase);
  put32(file, optional + 32, kSectionAlignment);
  put32(file, optional + 36, kFileAlignment);
  put16(file, optional + 40, 6);  // operating system and subsystem 6.0
  put16(file, optional + 48, 6);
  put32(file, optional + 56, kResourceRva + alignUp(resourceSize, kSectionAlignment));
  put32(file, optional + 60, kFileAlignment);  // the size of the headers
  put16(file, optional + 68, 3);               // console subsystem
  put16(file, optional + 70, 0x8100);          // NX compatible, terminal-server aware
  put64(file, optional + 72, 0x100000);        // stack and heap: reserved, committed
  put64(file, optional + 80, 0x1000);
  put64(file, optional + 88, 0x100000);
  put64(file, optional + 96, 0x1000);
  put32(file, optional + 108, 16);  // data directories
  put32(file, optional + 112 + 2 * 8, kResourceRva);
  put32(file, optional + 112 + 2 * 8 + 4, static_cast<std::uint32_t>(resourceSize));
  const std::size_t sections = optional + kOptionalHeaderSize;
  writeSectionHeader(file, sections, ".text", codeSize, kTextRva, kFileAlignment, 0x60000020);  // code: run, read
  writeSectionHeader(file, sections + 40, ".rsrc", resourceSize, kResourceRva, 2 * kFileAlignment,
                     0x40000040);  // initialized data: read
  return file;
}

}  // namespace

Bytes stubExecutable(const StubVersion& version) {
  std::vector<Resource> resources;
  if (version.productVersion.empty()) {
    resources.push_back({kStringType, stringTableResource("A sample host without a version resource")});
  } else {
    resources.push_back({kVersionType, versionResource(version)});
  }
  const Bytes code("\x31\xC0\xC3", 3);  // xor eax, eax; ret: the program returns 0
  const Bytes resourceBytes = resourceSection(resources);
  Bytes file = headers(code.size(), resourceBytes.size());
  file += code;
  padTo(file, kFileAlignment);
  file += resourceBytes;
  padTo(file, kFileAlignment);
  return file;
}

}  // namespace lumaset::tools
