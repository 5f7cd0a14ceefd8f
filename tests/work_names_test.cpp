// The program's own names among others' files: temporary files beside their target, and
// the work names of the theme library.
#include "formats/work_names.h"

#include <gtest/gtest.h>

namespace lumaset {
namespace {

TEST(WorkNames, OnlyTheProgramsOwnTemporaryFilesMatch) {
  EXPECT_TRUE(isTemporaryName(".PSIconsHighRes.dat.lumaset-a1B2c3"));
  EXPECT_TRUE(isTemporaryName(".tw10428.dat.lumaset-zzzzzz"));
  EXPECT_TRUE(isTemporaryName(".loading_low.png.lumaset-a1B2c3"));
  EXPECT_TRUE(isTemporaryName(".x.lumaset-000000"));
  for (const char* other : {"PSIconsHighRes.dat.lumaset-a1B2c3",  // not hidden
                            ".PSIconsHighRes.dat.lumaset-a1B2c",  // five
                            ".x.lumaset-a1B2c3d",                 // seven
                            ".x.lumaset-a1B2-3",                  // not six letters or digits
                            ".x.lumaset-a1B2\xC3\xA9",            // a letter outside ASCII
                            "..lumaset-a1B2c3",                   // no name before the marker
                            ".lumaset-abcdef", ".lumaset.lock", ".x.lumaset_abcdef", "notes.txt", ""})
    EXPECT_FALSE(isTemporaryName(other)) << other;
}

TEST(WorkNames, ATemporaryNameIsThePrefixAndSixCharacters) {
  EXPECT_EQ(temporaryNamePrefix("IconResources.idx"), ".IconResources.idx.lumaset-");
  EXPECT_TRUE(isTemporaryName(temporaryNamePrefix("tw10428.dat") + "Ab12Cd"));
  EXPECT_FALSE(isTemporaryName(temporaryNamePrefix("tw10428.dat") + "Ab12C"));
  EXPECT_EQ(kTemporarySuffixLength, 6u);
  // A target whose name is as long as a name may be still gets a temporary name that
  // fits, cut at a whole character.
  for (const std::string& longest : {std::string(255, 'a'), "a" + [] {
                                       std::string s;
                                       for (int i = 0; i < 84; ++i) s += "\xE4\xB8\xBB";  // 主
                                       return s;
                                     }()}) {
    const std::string name = temporaryNamePrefix(longest) + "Ab12Cd";
    EXPECT_LE(name.size(), 255u);
    EXPECT_TRUE(isTemporaryName(name));
    const std::size_t kept = name.size() - 16;
    EXPECT_EQ(longest.rfind(name.substr(1, kept), 0), 0u);
    EXPECT_NE(static_cast<unsigned char>(longest[kept]) & 0xC0, 0x80);
  }
}

TEST(WorkNames, BeginWithTheMarker) {
  EXPECT_TRUE(isWorkName(".lumaset-library.lock"));
  EXPECT_TRUE(isWorkName(".lumaset-import-0a1b2c3d"));
  EXPECT_TRUE(isWorkName(".lumaset-"));
  for (const char* other : {"Aurora", ".lumaset", "lumaset-import", "..lumaset-x", "a.lumaset-x", ".Lumaset-x", ""})
    EXPECT_FALSE(isWorkName(other)) << other;
}

}  // namespace
}  // namespace lumaset
