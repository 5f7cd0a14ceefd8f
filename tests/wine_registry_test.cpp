// The text of a wine prefix's system.reg: keys of both registry views, string values and
// their escapes, input that is no registry at all, and Windows paths inside the prefix.
#include <gtest/gtest.h>

#include <random>

#include "formats/utf.h"
#include "formats/wine_registry.h"

namespace lumaset {
namespace {

// Written as wine 8 writes the hive: header, key lines with their modification time,
// #time lines, values of several types, a hex value over continuation lines.
constexpr const char* kHive = R"(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win64

[Software\\Adobe\\Photoshop\\120.0] 1700000000
#time=1da0b1c2d3e4f50
"ApplicationPath"="C:\\Program Files\\Adobe\\Adobe Photoshop CC 2015\\"
"Installed"=dword:00000001
"Blob"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\
  17,18,19,1a,1b
@="default text"

[Software\\Wow6432Node\\Adobe\\Photoshop\\70.0] 1700000001
"ApplicationPath"=str(2):"D:\\PS32\\"

[Software\\Adobe\\Photoshop\\120.0\\PluginPath] 1700000002
"Path"="C:\\Plug-ins"
)";

TEST(WineRegistry, KeysOfBothViewsWithTheirStringValues) {
  const std::vector<RegistryKey> keys = parseWineRegistry(kHive);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].path, "Software\\Adobe\\Photoshop\\120.0");
  EXPECT_EQ(registryString(keys[0], "ApplicationPath"), "C:\\Program Files\\Adobe\\Adobe Photoshop CC 2015\\");
  EXPECT_EQ(registryString(keys[0], ""), "default text");
  // Values of other types are named but carry no text.
  ASSERT_EQ(keys[0].values.size(), 4u);
  EXPECT_FALSE(registryString(keys[0], "Installed"));
  EXPECT_FALSE(registryString(keys[0], "Blob"));
  EXPECT_EQ(registryString(keys[1], "applicationpath"), "D:\\PS32\\");  // REG_EXPAND_SZ, any letter case

  // Only the direct subkeys of a key, letter case aside.
  std::vector<const RegistryKey*> below = registrySubkeys(keys, "software\\ADOBE\\photoshop");
  ASSERT_EQ(below.size(), 1u);
  EXPECT_EQ(below[0], &keys[0]);
  below = registrySubkeys(keys, "Software\\Wow6432Node\\Adobe\\Photoshop");
  ASSERT_EQ(below.size(), 1u);
  EXPECT_EQ(below[0], &keys[1]);
  EXPECT_TRUE(registrySubkeys(keys, "Software\\Adobe\\Photo").empty());
  EXPECT_EQ(findRegistryKey(keys, "SOFTWARE\\ADOBE\\PHOTOSHOP\\120.0\\pluginpath"), &keys[2]);
  EXPECT_EQ(findRegistryKey(keys, "Software\\Adobe"), nullptr);
}

TEST(WineRegistry, EscapesBecomeTheirCharacters) {
  const std::vector<RegistryKey> keys = parseWineRegistry(
      "[Software\\\\A\\]b\\x4e2d] 1\r\n"
      "\"Chinese\"=\"C:\\\\\\x4e2d\\x6587\\\\\"\r\n"
      "\"Pair\"=\"\\xd83d\\xde00\"\r\n"
      "\"Lone\"=\"a\\xd83db\"\r\n"
      "\"Quote\"=\"say \\\"hi\\\"\\t\\x41\\101\"\r\n"
      "\"Nul\"=\"before\\0after\"\r\n"
      "\"Short\"=\"\\x4\\x\"\r\n"
      "\"Raw\"=\"\xe4\xb8\xad\xff\"\r\n");
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].path, "Software\\A]b\xe4\xb8\xad");
  const RegistryKey& key = keys[0];
  EXPECT_EQ(registryString(key, "Chinese"), "C:\\\xe4\xb8\xad\xe6\x96\x87\\");  // C:\中文\ .
  EXPECT_EQ(registryString(key, "Pair"), "\xf0\x9f\x98\x80");                   // one character above U+FFFF
  EXPECT_EQ(registryString(key, "Lone"),
            "a\xef\xbf\xbd"
            "b");  // a lone half: U+FFFD
  EXPECT_EQ(registryString(key, "Quote"), "say \"hi\"\tAA");
  EXPECT_EQ(registryString(key, "Nul"), "before");  // cut where Windows stops
  EXPECT_EQ(registryString(key, "Short"), "\x04x");
  EXPECT_EQ(registryString(key, "Raw"), "\xe4\xb8\xad\xef\xbf\xbd");  // UTF-8 kept, a stray byte replaced
}

TEST(WineRegistry, WhatDoesNotParseIsPassedOver) {
  const std::vector<RegistryKey> keys = parseWineRegistry(
      "\"Orphan\"=\"before any key\"\n"
      "[Software\\\\Unclosed\n"
      "\"Lost\"=\"belongs to no key\"\n"
      "[Software\\\\Good] 5\n"
      "\"Unterminated\"=\"no end\n"
      "\"NoEquals\" \"x\"\n"
      "\"Kept\"=\"yes\"\n"
      "garbage line\n"
      "@\n");
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].path, "Software\\Good");
  ASSERT_EQ(keys[0].values.size(), 1u);
  EXPECT_EQ(registryString(keys[0], "Kept"), "yes");
}

// Bytes drawn mostly from the registry's own punctuation: nothing may crash, and every
// text that comes out is valid UTF-8.
TEST(WineRegistry, GarbageGivesValidTextOrNothing) {
  std::mt19937 random(20240611);
  const std::string alphabet = "[]\\\"@=x0d8fA:\r\n\xe4\xff str(2):";
  for (int round = 0; round < 3000; ++round) {
    std::string text(random() % 200, ' ');
    for (char& c : text) c = random() % 4 ? alphabet[random() % alphabet.size()] : static_cast<char>(random() % 256);
    for (const RegistryKey& key : parseWineRegistry(text)) {
      ASSERT_TRUE(isValidUtf8(key.path)) << text;
      for (const RegistryValue& value : key.values) {
        ASSERT_TRUE(isValidUtf8(value.name)) << text;
        ASSERT_TRUE(isValidUtf8(value.text)) << text;
        ASSERT_EQ(value.text.find('\0'), std::string::npos) << text;
      }
    }
  }
}

TEST(WineRegistry, DrivePathsInsideThePrefix) {
  const std::string prefix = "/home/u/.wine";
  EXPECT_EQ(pathInWinePrefix(prefix, "C:\\Program Files\\Adobe\\", '/'), prefix + "/drive_c/Program Files/Adobe");
  EXPECT_EQ(pathInWinePrefix(prefix + "/", "c:/x/./y", '/'), prefix + "/drive_c/x/y");
  EXPECT_EQ(pathInWinePrefix(prefix, "D:\\PS32", '/'), prefix + "/dosdevices/d:/PS32");
  EXPECT_EQ(pathInWinePrefix(prefix, "E:", '/'), prefix + "/dosdevices/e:");
  EXPECT_EQ(pathInWinePrefix(prefix, "\\\\?\\C:\\PS", '/'), prefix + "/drive_c/PS");
  // ".." goes up, but never out of the drive.
  EXPECT_EQ(pathInWinePrefix(prefix, "C:\\a\\..\\..\\..\\etc", '/'), prefix + "/drive_c/etc");
  EXPECT_EQ(pathInWinePrefix("Z:\\p", "C:\\PS", '\\'), "Z:\\p\\drive_c\\PS");
  for (const char* noDrive : {"", "C", "Program Files", "C:PS", "\\\\server\\share\\PS", "1:\\x", "\\PS"})
    EXPECT_FALSE(pathInWinePrefix(prefix, noDrive, '/')) << noDrive;
}

}  // namespace
}  // namespace lumaset
