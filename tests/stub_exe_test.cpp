// The stand-ins for Photoshop.exe that make-stub-exe writes: the program's version reader
// finds the version of the table the translation names (never the decoy), whole at every
// length, and nothing without a version resource; the headers describe a loadable image.
#include <gtest/gtest.h>

#include <cstdint>

#include "formats/pe_version.h"
#include "tools/stub_host/stub_exe.h"

namespace lumaset {
namespace {

using tools::stubExecutable;
using tools::StubVersion;

std::uint32_t u16(const Bytes& b, std::size_t pos) {
  return static_cast<unsigned char>(b[pos]) | static_cast<unsigned char>(b[pos + 1]) << 8;
}

std::uint32_t u32(const Bytes& b, std::size_t pos) { return u16(b, pos) | u16(b, pos + 2) << 16; }

TEST(StubExe, TheTableOfTheListedTranslationGivesTheVersion) {
  EXPECT_EQ(peProductVersion(stubExecutable({"16.1.2", "0409", "04b0"})), "16.1.2");
  EXPECT_EQ(peProductVersion(stubExecutable({"16.1.2", "0804", "04b0"})), "16.1.2");
  EXPECT_EQ(peProductVersion(stubExecutable({"18.0.0", "0409", "04e4"})), "18.0.0");
  // Without a translation list the reader takes "040904E4", where the stub puts it.
  EXPECT_EQ(peProductVersion(stubExecutable({"17.0.1", "", ""})), "17.0.1");
  // The decoy table is there, before the chosen one: listing its name gives the decoy.
  EXPECT_EQ(peProductVersion(stubExecutable({"17.0.1", "0407", "04b0"})), "0.1-decoy");
}

TEST(StubExe, VersionsOfEveryLengthAreReadWhole) {
  // Each added character moves the padding that follows the text.
  std::string version;
  for (char c : std::string("19.1.0.2024-x")) {
    version += c;
    EXPECT_EQ(peProductVersion(stubExecutable({version, "0409", "04b0"})), version);
  }
  EXPECT_EQ(peProductVersion(stubExecutable({"19.1 测试版", "0804", "04b0"})), "19.1 测试版");
}

TEST(StubExe, WithoutAVersionThereIsNoVersionResource) {
  const Bytes exe = stubExecutable({});
  EXPECT_EQ(exe.substr(0, 2), "MZ");
  EXPECT_EQ(peProductVersion(exe), "");
  const std::size_t optional = u32(exe, 0x3C) + 24;
  const std::uint32_t resources = u32(exe, optional + 112 + 16);
  EXPECT_NE(resources, 0u);  // a string table stays, as a resource compiler would leave it
}

TEST(StubExe, TheHeadersDescribeALoadableImage) {
  for (const StubVersion& version : {StubVersion{"16.1.2", "0409", "04b0"}, StubVersion{}}) {
    const Bytes exe = stubExecutable(version);
    const std::size_t pe = u32(exe, 0x3C);
    ASSERT_EQ(exe.compare(pe, 4, Bytes("PE\0\0", 4)), 0);
    EXPECT_EQ(u16(exe, pe + 4), 0x8664u);
    const std::size_t optional = pe + 24;
    EXPECT_EQ(u16(exe, optional), 0x20Bu);
    const std::uint32_t fileAlignment = u32(exe, optional + 36), sectionAlignment = u32(exe, optional + 32);
    const std::uint32_t imageSize = u32(exe, optional + 56), headerSize = u32(exe, optional + 60);
    EXPECT_EQ(exe.size() % fileAlignment, 0u);
    EXPECT_EQ(imageSize % sectionAlignment, 0u);
    const std::size_t sections = optional + u16(exe, pe + 20);
    EXPECT_LE(sections + 40 * u16(exe, pe + 6), headerSize);
    const std::uint32_t entry = u32(exe, optional + 16);
    bool entryInCode = false;
    std::uint32_t end = headerSize;
    for (std::size_t i = 0; i < u16(exe, pe + 6); ++i) {
      const std::size_t at = sections + 40 * i;
      const std::uint32_t virtualSize = u32(exe, at + 8), rva = u32(exe, at + 12), rawSize = u32(exe, at + 16),
                          raw = u32(exe, at + 20);
      EXPECT_EQ(rva % sectionAlignment, 0u);
      EXPECT_GE(rva, end);  // in order, without overlap
      EXPECT_LE(raw + rawSize, exe.size());
      EXPECT_GE(rawSize, virtualSize);
      end = rva + virtualSize;
      if (entry >= rva && entry < rva + virtualSize) entryInCode = (u32(exe, at + 36) & 0x20000000u) != 0;
    }
    EXPECT_LE(end, imageSize);
    EXPECT_TRUE(entryInCode);
  }
}

}  // namespace
}  // namespace lumaset
