// The two kinds of stub Photoshop.exe side by side: those this build made with windres and
// the linker (LUMASET_TEST_STUBS) and those the native build's make-stub-exe wrote
// (LUMASET_NATIVE_STUBS). For every stub the build lists (LUMASET_STUB_NAMES), version.dll
// and the program's own reader (which the Windows platform uses) give the same
// ProductVersion for both kinds.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/system.h"
#include "platform/win32_text.h"

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

// The ProductVersion as Windows reads it: of the first translation listed, else of 040904E4.
std::string systemProductVersion(const std::string& path) {
  const std::wstring wide = toWide(path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(wide.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<char> block(size);
  if (!GetFileVersionInfoW(wide.c_str(), 0, size, block.data())) return {};
  wchar_t key[9] = L"040904E4";
  void* translation = nullptr;
  UINT translationSize = 0;
  if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &translation, &translationSize) &&
      translationSize >= 4) {
    auto* words = static_cast<WORD*>(translation);
    swprintf(key, 9, L"%04x%04x", words[0], words[1]);
  }
  const std::wstring query = std::wstring(L"\\StringFileInfo\\") + key + L"\\ProductVersion";
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0) return {};
  return fromWide(static_cast<const wchar_t*>(value));
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
      EXPECT_EQ(systemProductVersion(exe), expected->second);
      EXPECT_EQ(files->productVersion(exe), expected->second);
    }
  }
}

}  // namespace
}  // namespace lumaset
