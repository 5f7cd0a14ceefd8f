// The version resource reader on the stubs and on files cut short: it answers the
// version or nothing. Damaged bytes at large are the fuzz target's.
#include <gtest/gtest.h>

#include <fstream>

#include "formats/pe_version.h"
#include "support/host_fixture.h"

namespace lumaset {
namespace {

Bytes stubBytes(const std::string& name) {
  std::ifstream in(testing::stubExe(name), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(PeVersion, ReadsTheStubsVersions) {
  EXPECT_EQ(peProductVersion(stubBytes("v19.1")), "19.1");
  EXPECT_EQ(peProductVersion(stubBytes("zh-first")), "16.1.2");
  EXPECT_EQ(peProductVersion(stubBytes("no-translation")), "17.0.1");
  EXPECT_EQ(peProductVersion(stubBytes("no-version")), "");
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
