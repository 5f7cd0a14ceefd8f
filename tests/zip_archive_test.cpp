// The zip reader: what it unpacks, and every hostile or broken archive it refuses.
#include <gtest/gtest.h>

#include <cstdlib>

#include "formats/zip_archive.h"
#include "platform/posix_files.h"
#include "support/folder_snapshot.h"
#include "support/temp_dir.h"
#include "support/theme_maker.h"
#include "support/zip_builder.h"
#include "themes/import.h"
#include "themes/unzip.h"

namespace lumaset {
namespace {

using testing::buildZip;
using testing::readWhole;
using testing::writeFile;
using testing::ZipEntrySpec;

int check(const std::vector<ZipEntrySpec>& entries) {
  std::vector<ZipMember> members;
  return listZip(buildZip(entries), nullptr, members);
}

TEST(ZipReader, ReadsStoredAndDeflatedMembersAndFolders) {
  std::string big(100000, 'a');
  Bytes archive = buildZip({{"info.ini", "[Lumaset_theme]", false}, {"images/", ""}, {"images/a.png", big}});
  std::vector<std::pair<std::string, Bytes>> seen;
  ASSERT_EQ(readZip(archive, nullptr,
                    [&](const ZipMember& m, const Bytes& d) {
                      seen.push_back({m.name + (m.folder ? "/" : ""), d});
                      return true;
                    }),
            kZipOk);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], (std::pair<std::string, Bytes>{"info.ini", "[Lumaset_theme]"}));
  EXPECT_EQ(seen[1].first, "images/");
  EXPECT_EQ(seen[2].second, big);
}

TEST(ZipReader, RefusesNamesThatLeaveTheTargetOrThatWindowsReinterprets) {
  for (const char* name :
       {"/x",       "//x", "\\\\srv\\s\\x", "\\\\?\\C:\\x", "C:/x",     "C:x",       "../x", "a/../../x",
        "a\\..\\x", "CON", "nul.txt",       "COM1 ",        "lpt9.png", "a/aux",     "x.",   "x ",
        "a:stream", "a<b", "a|b",           "a*b",          "a?b",      "tab\tname", ""}) {
    EXPECT_EQ(check({{name, "x"}}), kZipUnsafeName) << name;
  }
  EXPECT_EQ(check({{"ok/./name.png", "x"}, {"com10.png", "x"}, {"console.txt", "x"}}), kZipOk);
}

TEST(ZipReader, RefusesLinksEncryptionAndOtherMethods) {
  ZipEntrySpec link{"link", "/etc/passwd", false};
  link.external = 0120777u << 16;
  EXPECT_EQ(check({link}), kZipSymbolicLink);
  ZipEntrySpec windowsMade = link;  // the same bits mean nothing from a Windows tool
  windowsMade.madeBy = 0x0014;
  EXPECT_EQ(check({windowsMade}), kZipOk);
  ZipEntrySpec encrypted{"a.png", "x"};
  encrypted.flags = 1;
  EXPECT_EQ(check({encrypted}), kZipEncrypted);
  ZipEntrySpec bzip2{"a.png", "x"};
  bzip2.method = 12;
  EXPECT_EQ(check({bzip2}), kZipUnsupportedMethod);
}

TEST(ZipReader, RefusesNamesThatDifferOnlyInCase) {
  EXPECT_EQ(check({{"Info.ini", "a"}, {"INFO.INI", "b"}}), kZipNameClash);
  EXPECT_EQ(check({{"a", "file"}, {"A/b", "inside"}}), kZipNameClash);
  EXPECT_EQ(check({{"sub/", ""}, {"SUB/x", "x"}}), kZipOk);
}

TEST(ZipReader, ChecksCrcAndSizes) {
  ZipEntrySpec crc{"a.png", "some data"};
  crc.crcDelta = 1;
  EXPECT_EQ(readZip(buildZip({crc}), nullptr, [](const ZipMember&, const Bytes&) { return true; }), kZipCorruptData);
  for (long long delta : {-1LL, 1LL}) {
    ZipEntrySpec size{"a.png", std::string(5000, 'q')};
    size.sizeDelta = delta;
    EXPECT_EQ(readZip(buildZip({size}), nullptr, [](const ZipMember&, const Bytes&) { return true; }), kZipCorruptData)
        << delta;
  }
  ZipEntrySpec stored{"s", "stored", false};
  stored.sizeDelta = 3;
  EXPECT_EQ(check({stored}), kZipDamaged);
}

TEST(ZipReader, StopsAtZipBombs) {
  ZipEntrySpec bomb{"bomb.png", std::string(20 << 20, '\0')};  // 20 MiB of zeros deflate ~1000 times
  EXPECT_EQ(check({bomb}), kZipTooLarge);
  ZipEntrySpec declared{"huge.png", "tiny", false};
  declared.method = 8;
  declared.sizeDelta = 600ll << 20;
  EXPECT_EQ(check({declared}), kZipTooLarge);
  // Many members of 1 MiB each, none large on its own: the package as a whole counts.
  std::vector<ZipEntrySpec> many;
  for (int i = 0; i < 40; ++i) many.push_back({"m" + std::to_string(i) + ".png", std::string(1 << 20, 'z')});
  EXPECT_EQ(check(many), kZipTooLarge);
  many.resize(4);
  EXPECT_EQ(check(many), kZipTooLarge);  // 4 MiB from a few KiB
}

TEST(ZipReader, TakesAFullThemeOfImagesThatHardlyCompress) {
  std::string noise(3 << 20, '\0');
  std::uint32_t state = 12345;
  for (char& c : noise) c = static_cast<char>((state = state * 1103515245 + 12345) >> 24);
  std::vector<ZipEntrySpec> theme = {{"info.ini", "[Lumaset_theme]\r\ninfo=x\r\n"},
                                     {"loading_high.png", noise},
                                     {"loading_low.png", noise.substr(0, 1 << 20)},
                                     {"ico_dark_low.png", std::string(2000, 'p')}};
  EXPECT_EQ(check(theme), kZipOk);
  // 64 MiB in all is the most a package may hold.
  std::vector<ZipEntrySpec> large;
  for (int i = 0; i < 22; ++i) large.push_back({"n" + std::to_string(i) + ".png", noise, false});
  EXPECT_EQ(check(large), kZipTooLarge);
  large.resize(21);
  EXPECT_EQ(check(large), kZipOk);
}

TEST(ZipReader, RefusesTruncatedAndOverlappingArchives) {
  Bytes archive = buildZip({{"a.png", std::string(3000, 'x')}, {"b.png", "bbb"}});
  for (std::size_t cut = 0; cut < archive.size(); cut += 13) {
    std::vector<ZipMember> members;
    int result = listZip(archive.substr(0, cut), nullptr, members);
    EXPECT_TRUE(result == kZipNotAnArchive || result == kZipDamaged) << cut << ": " << result;
  }
  EXPECT_EQ(check({}), kZipOk);
  // Two directory entries that point at the same local header.
  Bytes twice = buildZip({{"a.png", "data"}, {"b.png", "data"}});
  std::size_t second = twice.rfind(std::string("\x50\x4b\x01\x02", 4));
  twice.replace(second + 42, 4, std::string(4, '\0'));
  std::vector<ZipMember> members;
  EXPECT_EQ(listZip(twice, nullptr, members), kZipDamaged);
}

std::string memberName(const ZipEntrySpec& entry, const CodePageConversion& gbk) {
  std::vector<ZipMember> members;
  if (listZip(buildZip({entry}), gbk, members) != kZipOk || members.size() != 1) return "<refused>";
  return members[0].name;
}

TEST(ZipReader, NamesWithoutTheUtf8FlagAreReadAsTheirToolWroteThem) {
  PosixFiles files;
  auto gbk = [&](const std::string& raw) { return files.chineseCodePageToUtf8(raw); };
  // GBK bytes that are also valid UTF-8 ("ˮī", "ҹɫ"), and GBK bytes that are not.
  EXPECT_EQ(memberName({"\xCB\xAE\xC4\xAB\xC9\xBD\xCB\xAE.png", "x"}, gbk), "水墨山水.png");
  EXPECT_EQ(memberName({"\xD2\xB9\xC9\xAB/a.png", "x"}, gbk), "夜色/a.png");
  EXPECT_EQ(memberName({"\xD6\xF7\xCC\xE2.png", "x"}, gbk), "主题.png");
  // UTF-8 that a tool wrote without setting the flag.
  EXPECT_EQ(memberName({"水墨山水.png", "x"}, gbk), "水墨山水.png");
  EXPECT_EQ(memberName({"“墨竹”，全角ＡＢ.png", "x"}, gbk), "“墨竹”，全角ＡＢ.png");
  // Neither UTF-8 nor GBK: code page 437, where every byte is a character.
  EXPECT_EQ(memberName({"caf\x82\xFF.png", "x"}, gbk), "caf\u00e9\u00a0.png");
  // Flagged UTF-8 must be valid.
  ZipEntrySpec flagged{"\xD6\xF7\xCC\xE2.png", "x"};
  flagged.flags = 0x0800;
  EXPECT_EQ(memberName(flagged, gbk), "<refused>");
}

TEST(ZipReader, UnicodePathFieldNamesTheMemberWhileItsCrcMatches) {
  PosixFiles files;
  auto gbk = [&](const std::string& raw) { return files.chineseCodePageToUtf8(raw); };
  const std::string stored = "\xCB\xAE\xC4\xAB.png";  // GBK 水墨
  ZipEntrySpec entry{stored, "x"};
  entry.extra = testing::unicodePathField(stored, "水墨新版.png");
  EXPECT_EQ(memberName(entry, gbk), "水墨新版.png");
  entry.extra = testing::unicodePathField(stored, "水墨新版.png", 1);  // the name changed after the field was made
  EXPECT_EQ(memberName(entry, gbk), "水墨.png");
  entry.extra = testing::unicodePathField(stored, "../escape.png");
  EXPECT_EQ(memberName(entry, gbk), "<refused>");  // the field's name passes the same checks
}

TEST(ZipReader, RefusesTheSuperscriptDeviceNames) {
  for (const char* name : {"COM¹", "com².png", "LPT³", "a/lpt¹.txt"}) {
    ZipEntrySpec flagged{name, "x"};
    flagged.flags = 0x0800;
    EXPECT_EQ(check({flagged}), kZipUnsafeName) << name;
  }
}

class Unzip : public ::testing::Test {
 protected:
  PosixFiles files;
  testing::TempDir dir;
  std::string library = dir / "LumasetTheme";
  // Every entry below the test's folder, the library's lock file left out.
  testing::Snapshot snapshotOfTree() {
    return testing::folderSnapshot(dir.str(), testing::Entries::All, [](const std::filesystem::path& below) {
      return below.filename() == ".lumaset-library.lock";
    });
  }
  // Imports the package into the library, merging into a theme of its name; the zip
  // reader's result, or kZipWriteFailed for any other failure.
  int importPackage(const std::string& zip) {
    std::vector<ImportOutcome> outcomes = importThemes(files, library, {zip}, [](const std::string&) { return true; });
    if (outcomes.at(0).added()) return kZipOk;
    return outcomes[0].result == ImportResult::PackageFailed ? outcomes[0].zipCode : kZipWriteFailed;
  }
};

TEST_F(Unzip, MergesIntoAnExistingThemeFolder) {
  writeFile(library + "/Ink/info.ini", "old");
  writeFile(library + "/Ink/loading_low.png", testing::samplePng(1));
  writeFile(library + "/Ink/keep.txt", "kept");
  writeFile(dir / "Ink.zip", buildZip({{"info.ini", "new"}, {"deep/er/a.png", "png"}}));
  ASSERT_EQ(importPackage(dir / "Ink.zip"), kZipOk);
  EXPECT_EQ(readWhole(library + "/Ink/info.ini"), "new");
  EXPECT_EQ(readWhole(library + "/Ink/keep.txt"), "kept");
  EXPECT_EQ(readWhole(library + "/Ink/deep/er/a.png"), "png");
  EXPECT_EQ(files.subfolders(library), std::vector<std::string>{"Ink"});  // no staging left
}

TEST_F(Unzip, AFailingArchiveLeavesTheDiskAsItWas) {
  writeFile(library + "/Ink/info.ini", "old");
  ZipEntrySpec bad{"b.png", "bad"};
  bad.crcDelta = 5;
  std::vector<std::vector<ZipEntrySpec>> hostile = {
      {{"a.png", "good"}, bad},
      {{"a.png", "good"}, {"../escape.png", "x"}},
      {{"info.ini", "x"}, {"INFO.ini", "y"}},
      {{"info.ini/", ""}},  // a folder where the theme has a file
  };
  for (std::size_t i = 0; i < hostile.size(); ++i) {
    writeFile(dir / "p.zip", buildZip(hostile[i]));
    const testing::Snapshot before = snapshotOfTree();
    EXPECT_NE(importPackage(dir / "p.zip"), kZipOk) << i;
    EXPECT_EQ(snapshotOfTree(), before) << i;
  }
  EXPECT_EQ(unpackPackage(files, dir / "missing.zip", library + "/Ink"), kZipNotAnArchive);
}

TEST_F(Unzip, EveryHostileMemberIsRefusedWithoutTouchingTheDisk) {
  std::vector<ZipEntrySpec> hostile;
  for (const char* name : {"/x", "//x", "\\\\srv\\s\\x", "\\\\?\\C:\\x", "C:/x", "C:x", "../x", "a/../../x", "CON",
                           "nul.txt", "COM1 ", "x.", "x ", "a:stream"})
    hostile.push_back({name, "x"});
  ZipEntrySpec link{"link", "../../etc", false};
  link.external = 0120777u << 16;
  ZipEntrySpec encrypted{"e.png", "x"};
  encrypted.flags = 1;
  ZipEntrySpec lzma{"m.png", "x"};
  lzma.method = 14;
  ZipEntrySpec bomb{"bomb.png", std::string(20 << 20, '\0')};
  for (const ZipEntrySpec& e : {link, encrypted, lzma, bomb}) hostile.push_back(e);
  writeFile(library + "/Ink/info.ini", "old");
  for (const ZipEntrySpec& bad : hostile) {
    writeFile(dir / "p.zip", buildZip({{"good.png", "fine"}, bad}));
    const testing::Snapshot before = snapshotOfTree();
    EXPECT_LT(importPackage(dir / "p.zip"), kZipOk) << bad.name;
    EXPECT_EQ(snapshotOfTree(), before) << bad.name;
  }
}

// Archives made by the zip tools users have, read by this reader.
class ForeignZip : public Unzip {
 protected:
  void SetUp() override {
    writeFile(dir / "src/Theme/info.ini", "[Lumaset_theme]\r\ninfo=x\r\n");
    writeFile(dir / "src/Theme/loading_low.png", testing::samplePng(4) + std::string(70000, 'z'));
    writeFile(dir / "src/Theme/子目录/图标.png", testing::samplePng(5));
  }
  void expectUnpacked(const std::string& archive) {
    ASSERT_TRUE(std::filesystem::exists(archive)) << archive;
    std::filesystem::create_directories(library + "/Out");
    ASSERT_EQ(unpackPackage(files, archive, library + "/Out"), kZipOk);
    EXPECT_EQ(readWhole(library + "/Out/info.ini"), readWhole(dir / "src/Theme/info.ini"));
    EXPECT_EQ(readWhole(library + "/Out/loading_low.png"), readWhole(dir / "src/Theme/loading_low.png"));
    EXPECT_EQ(readWhole(library + "/Out/子目录/图标.png"), readWhole(dir / "src/Theme/子目录/图标.png"));
  }
  void run(const std::string& command) {
    std::string line = "cd '" + (dir / "src/Theme") + "' && " + command + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(line.c_str()), 0) << command;
  }
};

TEST_F(ForeignZip, InfoZip) {
  run("zip -q -r '" + (dir / "a.zip") + "' .");
  expectUnpacked(dir / "a.zip");
}

TEST_F(ForeignZip, SevenZip) {
  run("7z a -tzip '" + (dir / "b.zip") + "' .");
  expectUnpacked(dir / "b.zip");
}

TEST_F(ForeignZip, Bsdtar) {
  run("bsdtar --format zip -cf '" + (dir / "c.zip") + "' .");
  expectUnpacked(dir / "c.zip");
}

}  // namespace
}  // namespace lumaset
