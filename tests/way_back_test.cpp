// The way back across the life of an installation: updates of the host (its executable
// alone, its language file alone, every icon file), backup files lost or damaged one at a
// time, host files that are links. Each sequence ends with "[默认]" giving the host's own
// bytes (or the update's), and no backup file ever holds a byte of a theme.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "backup/refresh_backup.h"
#include "formats/sha256.h"
#include "formats/utf.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"
#include "messages/catalogue.h"
#include "run/startup.h"
#include "support/forwarding_files.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "themes/apply.h"

namespace lumaset {
namespace {

using testing::readWhole;
using testing::RecordedBox;
using testing::writeFile;
namespace fs = std::filesystem;

using testing::kDone;
using testing::kHostIconFiles;

class WayBack : public testing::HostFixture {
 protected:
  WayBack() {
    std::map<std::string, std::string> sakura = testing::sixImages();
    sakura["word.text"] = "SAKURA";
    startThemes = {{"Sakura", sakura, testing::kHidingThemeInfo}, {"Other", testing::sixImages(40)}};
  }
  std::vector<RecordedBox> apply(const std::string& entry, bool toggle = true) {
    ui.boxes.clear();
    ui.shown(applyFromThemeList(ctx, entry, toggle));
    return ui.boxes;
  }
  std::vector<RecordedBox> refresh() {
    ui.boxes.clear();
    ui.shown(refreshBackup(ctx));
    return ui.boxes;
  }
  // The box of a refresh that renewed the copies of these host files.
  static std::vector<RecordedBox> renewed(const std::string& lines) {
    const Message m = messageFor({MessageId::BackupRenewed, {}, lines});
    return {{m.text, m.caption, m.icon}};
  }

  // Every backup file (first and second copies) holds exactly the bytes `originals` gives
  // its host file: no byte of a theme ever lands in one.
  void expectBackupsHold(const std::map<std::string, std::string>& originals) {
    for (const char* f : kHostIconFiles) EXPECT_EQ(readWhole(bak(f)), originals.at(f)) << f;
    EXPECT_EQ(readWhole(langBak("IconResources.idx")), originals.at("IconResources.idx"));
    EXPECT_EQ(readWhole(langBak("tw10428.dat")), originals.at("language"));
    EXPECT_EQ(readWhole(bak("tw10428.dat")), originals.at("language"));
  }

  // "[默认]" gives `expected` on the host, and every backup file holds it.
  void expectDefaultGives(const std::map<std::string, std::string>& expected) {
    EXPECT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
    EXPECT_EQ(hostFiles(), expected);
    expectBackupsHold(expected);
  }

};

TEST_F(WayBack, AnUpdateOfTheExecutableAloneNeverStopsTheWayBack) {
  startOn();
  const auto original = hostFiles();
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  updateHost({"Photoshop.exe"});
  EXPECT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(hostFiles(), original);
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(refresh(), (std::vector<RecordedBox>{{"备份已是最新", "备份", MessageIcon::None}}));
  expectDefaultGives(original);
}

TEST_F(WayBack, AnUpdatedLanguageFileBecomesItsOwnOriginalAndTheIconsComeBack) {
  startOn();
  auto original = hostFiles();
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  updateHost({"language"});
  // Someone else's language file stops an apply, which would lay its old copy over it.
  EXPECT_EQ(apply("Other").size(), 1u);
  EXPECT_EQ(refresh(), renewed(host.languageFile));
  original["language"] = readWhole(host.languageFile);
  expectBackupsHold(original);
  EXPECT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(hostFiles(), original);
}

TEST_F(WayBack, ARealUpdateTwiceOverEndsWithTheUpdatesBytes) {
  startOn();
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  updateHost({"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat", "PSIconsXHighRes.dat",
          "language", "Photoshop.exe"});
  const auto updated = hostFiles();
  EXPECT_EQ(apply("Other").size(), 1u);
  EXPECT_EQ(hostFiles(), updated);
  const std::vector<RecordedBox> told = refresh();
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].text.rfind("备份完成", 0), 0u) << told[0].text;
  for (const char* file : {"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat",
                           "PSIconsXHighRes.dat"})
    EXPECT_NE(told[0].text.find(res(file)), std::string::npos) << file;
  EXPECT_NE(told[0].text.find(host.languageFile), std::string::npos);
  expectBackupsHold(updated);
  EXPECT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(hostFiles(), updated);
  // The second round: a theme on the updated host, then the executable alone.
  ASSERT_EQ(apply("Other"), std::vector<RecordedBox>{kDone});
  updateHost({"Photoshop.exe"});
  EXPECT_EQ(refresh(), (std::vector<RecordedBox>{{"备份已是最新", "备份", MessageIcon::None}}));
  expectDefaultGives(updated);
}

// With a theme on, each backup file is lost, then damaged in place, one at a time: the
// next "[默认]" still gives the host's own bytes, and the backup is whole again.
TEST_F(WayBack, AnySingleLossOrDamageOfTheBackupIsSurvived) {
  const std::vector<std::string> parts = {"/Resources/lumaset_BAK/IconResources.idx",
                                          "/Resources/lumaset_BAK/PSIconsLowRes.dat",
                                          "/Resources/lumaset_BAK/PSIconsHighRes.dat",
                                          "/Resources/lumaset_BAK/PSIconsXLowRes.dat",
                                          "/Resources/lumaset_BAK/PSIconsXHighRes.dat",
                                          "/Resources/lumaset_BAK/tw10428.dat",
                                          "/Resources/lumaset_BAK/lumaset.record",
                                          "/Locales_BAK/lumaset_BAK/tw10428.dat",
                                          "/Locales_BAK/lumaset_BAK/IconResources.idx",
                                          "/Locales_BAK/lumaset_BAK/lumaset.record",
                                          "/Resources/lumaset_BAK",
                                          "/Locales_BAK/lumaset_BAK"};
  for (const std::string& part : parts) {
    for (const char* harm : {"lost", "damaged"}) {
      SCOPED_TRACE(part + " " + harm);
      fs::remove_all(testing::pathFromUtf8(dir / "PS"));
      startOn();
      const auto original = hostFiles();
      ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
      const std::string path = host.folder + part;
      if (std::string(harm) == "lost") {
        fs::remove_all(testing::pathFromUtf8(path));
      } else if (fs::is_regular_file(testing::pathFromUtf8(path))) {
        std::string bytes = readWhole(path);
        bytes[bytes.size() / 2] ^= 0x20;  // same size, one bit off
        writeFile(path, bytes);
      } else {
        continue;
      }
      expectDefaultGives(original);
    }
  }
}

TEST_F(WayBack, ARefreshOfAThemedHostWhoseRecordIsLostTakesNoThemeByte) {
  startOn();
  const auto original = hostFiles();
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  forgetRecord();
  // Timestamps moved as a copy by hand moves them: identities prove nothing now.
  for (const char* f : kHostIconFiles)
    fs::last_write_time(testing::pathFromUtf8(res(f)), fs::file_time_type::clock::now());
  EXPECT_EQ(refresh(), (std::vector<RecordedBox>{{"备份已是最新", "备份", MessageIcon::None}}));
  expectBackupsHold(original);
  EXPECT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(hostFiles(), original);
}

// An update that adds a splash at the end of both packs and points the index at it is,
// byte for byte, the backup with an image appended: it is taken as the program's addition
// whatever the record says, never backed up, and "[默认]" gives the original.
TEST_F(WayBack, AnUpdateThatAppendsImagesAsAnApplyWouldIsTakenAsTheProgramsAddition) {
  startOn();
  const auto original = hostFiles();
  ASSERT_EQ(apply("Other"), std::vector<RecordedBox>{kDone});
  ASSERT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  const std::string splash = testing::samplePng(77);
  DecodedIndex index = decodeIndex(readWhole(host.indexPath));
  const std::size_t n = findRecord(index.table, kSplashResource);
  for (const Pack pack : {Pack::LowRes, Pack::HighRes}) {
    const std::string path = res(packFile(pack));
    index.table.setOffset(n, pack, static_cast<std::int32_t>(readWhole(path).size()));
    index.table.setLength(n, pack, static_cast<std::int32_t>(splash.size()));
    writeFile(path, readWhole(path) + splash);
  }
  writeFile(host.indexPath, serialiseIndex(index.table));
  EXPECT_EQ(refresh(), (std::vector<RecordedBox>{{"备份已是最新", "备份", MessageIcon::None}}));
  EXPECT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  expectDefaultGives(original);
}

// A language file with the program's block that someone else changed after it (an
// update that kept the block, a hand's edit): the block never enters the backup.
TEST_F(WayBack, ALanguageFileChangedAfterTheBlockIsBackedUpWithoutIt) {
  startOn();
  auto original = hostFiles();
  ASSERT_EQ(apply("Other"), std::vector<RecordedBox>{kDone});  // the toggle hides the text: a block
  const Bytes line = utf8ToUtf16le("\r\n\"$$$/Update/Key=新版\"");
  writeFile(host.languageFile, readWhole(host.languageFile) + line);
  EXPECT_EQ(refresh(), renewed(host.languageFile));
  original["language"] += line;
  EXPECT_EQ(readWhole(langBak("tw10428.dat")), original.at("language"));
  expectDefaultGives(original);
}

// One copy of the record damaged where it still reads as a record (a hash off by one
// letter): its check line gives it away, and the other copy serves.
TEST_F(WayBack, ARecordCopyWithAWrongHashIsNotBelieved) {
  startOn();
  const auto original = hostFiles();
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  std::string record = readWhole(bak("lumaset.record"));
  const std::size_t at = record.find("backup\tIconResources.idx\t");
  ASSERT_NE(at, std::string::npos);
  const std::size_t hash = record.find('\t', at + 26) + 1;
  record[hash] = record[hash] == 'a' ? 'b' : 'a';
  writeFile(bak("lumaset.record"), record);
  expectDefaultGives(original);
}

// Fails the write of the host's index, as a disk that fills up after the packs grew.
class IndexWriteFails : public testing::ForwardingFiles {
 public:
  std::string index;
  bool allowChange(const testing::ChangeCall& call) override { return call.name != "writeFile" || call.path != index; }
};

TEST_F(WayBack, AnApplyThatFailsAfterThePacksGrewLeavesThemForTheWayBack) {
  startOn();
  const auto original = hostFiles();
  ASSERT_EQ(apply("Other"), std::vector<RecordedBox>{kDone});
  IndexWriteFails failing;
  failing.index = host.indexPath;
  Context failingCtx{failing, ui, view, state, home};
  ui.boxes.clear();
  ui.shown(applyFromThemeList(failingCtx, "Sakura", true));
  ASSERT_EQ(ui.boxes, (std::vector<RecordedBox>{{"写入文件失败：" + host.indexPath, "错误", MessageIcon::Error}}));
  EXPECT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(hostFiles(), original);
  EXPECT_EQ(refresh(), (std::vector<RecordedBox>{{"备份已是最新", "备份", MessageIcon::None}}));
  expectBackupsHold(original);
}

// The record as the release before wrote it: no generation, no check line, and an index
// mark that holds no hash of the rewrite.
std::string asOlderRecord(const std::string& record) {
  std::string older;
  std::istringstream lines(record);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("generation\t", 0) == 0 || line.rfind("copyid\t", 0) == 0 || line.rfind("check\t", 0) == 0) continue;
    if (line == "lumaset-backup-record\t2") line = "lumaset-backup-record\t1";
    older += line + "\n";
  }
  return older;
}

TEST_F(WayBack, ARecordOfTheReleaseBeforeStillLeadsTheWayBack) {
  startOn();
  const auto original = hostFiles();
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  std::string older = asOlderRecord(readWhole(bak("lumaset.record")));
  // Its index mark named the backup's size and the hash of nothing after it.
  const std::size_t left = older.find("left\tIconResources.idx\t");
  ASSERT_NE(left, std::string::npos);
  const std::size_t end = older.find('\n', left);
  std::string mark = older.substr(left, end - left);
  mark = mark.substr(0, mark.rfind('\t'));
  mark = mark.substr(0, mark.rfind('\t')) + "\t" + std::to_string(original.at("IconResources.idx").size()) + "\t" +
         sha256Hex("");
  older.replace(left, end - left, mark);
  forgetRecord();
  writeFile(bak("lumaset.record"), older);
  writeFile(host.indexPath, readWhole(host.indexPath));  // the index rewritten as it was: its identity moves
  expectDefaultGives(original);
}

TEST_F(WayBack, ALanguageBackupTakenWithTheBlockByAnOlderReleaseLosesIt) {
  startOn();
  const auto original = hostFiles();
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});  // the theme's text: a block
  const std::string themedLanguage = readWhole(host.languageFile);
  // An older refresh took the themed language file as the backup, and its record says so.
  writeFile(langBak("tw10428.dat"), themedLanguage);
  forgetRecord();
  writeFile(bak("lumaset.record"), "lumaset-backup-record\t1\nversion\t16.1.2\nbackup\tlanguage\t" +
                                       std::to_string(themedLanguage.size()) + "\t" + sha256Hex(themedLanguage) +
                                       "\nend\n");
  expectDefaultGives(original);
}

TEST_F(WayBack, APackThatIsALinkStaysALinkAndItsTargetComesBack) {
  startOn();
  const std::string elsewhere = dir / "elsewhere.dat";
  fs::rename(testing::pathFromUtf8(res("PSIconsLowRes.dat")), testing::pathFromUtf8(elsewhere));
  fs::create_symlink(testing::pathFromUtf8(elsewhere), testing::pathFromUtf8(res("PSIconsLowRes.dat")));
  const auto original = hostFiles();
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  EXPECT_NE(readWhole(elsewhere), original.at("PSIconsLowRes.dat"));  // the theme went to the target
  forgetRecord();
  EXPECT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  EXPECT_TRUE(fs::is_symlink(testing::pathFromUtf8(res("PSIconsLowRes.dat"))));
  EXPECT_EQ(readWhole(elsewhere), original.at("PSIconsLowRes.dat"));
  EXPECT_EQ(hostFiles(), original);
}

TEST_F(WayBack, AHardLinkedHostFileIsRefusedBeforeAnyChange) {
  startOn();
  const std::string otherName = dir / "second-name.dat";
  fs::create_hard_link(testing::pathFromUtf8(res("PSIconsHighRes.dat")), testing::pathFromUtf8(otherName));
  const auto before = hostFiles();
  const auto boxes = apply("Sakura");
  EXPECT_EQ(boxes,
            (std::vector<RecordedBox>{{"这个文件还有别的名字（硬链接），修改它会同时改动别处的文件，未作任何修改：" +
                                           res("PSIconsHighRes.dat"),
                                       "错误", MessageIcon::Error}}));
  EXPECT_EQ(hostFiles(), before);
  EXPECT_EQ(readWhole(otherName), before.at("PSIconsHighRes.dat"));
  EXPECT_FALSE(fs::exists(testing::pathFromUtf8(res("lumaset_BAK"))));
}

}  // namespace
}  // namespace lumaset
