// The two kinds of stub Photoshop.exe side by side: those this build made with windres and
// the linker (LUMASET_TEST_STUBS) and those the native build's make-stub-exe wrote
// (LUMASET_NATIVE_STUBS). For every stub the build lists (LUMASET_STUB_NAMES), version.dll
// and the program's own reader give the same ProductVersion for both kinds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "formats/pe_version.h"
#include "platform/system.h"

namespace lumaset {
namespace {

const std::map<std::string, std::string> kVersions = {
    {"v15.9", "15.9"}, {"v16.1.2", "16.1.2"},  {"v17.0.1", "17.0.1"},        {"v18.0.0", "18.0.0"},
    {"v19.1", "19.1"}, {"zh-first", "16.1.2"}, {"no-translation", "17.0.1"}, {"no-version", ""},
};

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::vector<std::string> listedStubs() {
  std::vector<std::string> names;
  const std::string list = environment("LUMASET_STUB_NAMES");
  for (std::size_t pos = 0; pos < list.size();) {
    std::size_t comma = list.find(',', pos);
    if (comma == std::string::npos) comma = list.size();
    names.push_back(list.substr(pos, comma - pos));
    pos = comma + 1;
  }
  return names;
}

TEST(StubVersions, BothKindsOfEveryStubGiveItsVersion) {
  auto files = makeSystemFiles();
  const std::string made = environment("LUMASET_TEST_STUBS"), written = environment("LUMASET_NATIVE_STUBS");
  ASSERT_FALSE(made.empty());
  ASSERT_FALSE(written.empty());
  const std::vector<std::string> names = listedStubs();
  ASSERT_EQ(names.size(), kVersions.size());
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    auto expected = kVersions.find(name);
    ASSERT_NE(expected, kVersions.end()) << "a stub without a version in kVersions";
    for (const std::string& folder : {made, written}) {
      const std::string exe = folder + "\\" + name + "\\Photoshop.exe";
      SCOPED_TRACE(exe);
      const Bytes bytes = files->readFile(exe);
      ASSERT_EQ(bytes.substr(0, 2), "MZ");
      EXPECT_EQ(files->productVersion(exe), expected->second);  // version.dll
      EXPECT_EQ(peProductVersion(bytes), expected->second);
    }
  }
}

}  // namespace
}  // namespace lumaset
