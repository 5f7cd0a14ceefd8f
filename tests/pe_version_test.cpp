// The version resource reader on the stubs and on files cut short: it answers the
// version or nothing. Damaged bytes at large are the fuzz target's.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>

#include "formats/pe_version.h"

namespace lumaset {
namespace {

Bytes stubBytes(const std::string& name) {
  std::ifstream in(std::string(LUMASET_STUB_DIR) + "/" + name + "/Photoshop.exe", std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(PeVersion, ReadsTheStubsVersions) {
  const std::pair<const char*, const char*> stubs[] = {
      {"v15.9", "15.9"}, {"v16.1.2", "16.1.2"},  {"v17.0.1", "17.0.1"},        {"v18.0.0", "18.0.0"},
      {"v19.1", "19.1"}, {"zh-first", "16.1.2"}, {"no-translation", "17.0.1"}, {"no-version", ""},
  };
  for (const auto& [name, version] : stubs) {
    const Bytes exe = stubBytes(name);
    ASSERT_EQ(exe.substr(0, 2), "MZ") << name;
    EXPECT_EQ(peProductVersion(exe), version) << name;
  }
}

TEST(PeVersion, TruncatedFilesGiveTheVersionOrNothing) {
  Bytes whole = stubBytes("v16.1.2");
  ASSERT_FALSE(whole.empty());
  for (std::size_t size = 0; size < whole.size(); size += 7) {
    std::string version = peProductVersion(whole.substr(0, size));
    EXPECT_TRUE(version.empty() || version == "16.1.2") << "at " << size << ": " << version;
  }
}

}  // namespace
}  // namespace lumaset
