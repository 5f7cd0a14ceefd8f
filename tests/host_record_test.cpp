// The record of the backup: what it proves of the host's files, what the apply then
// spares itself, and what it refuses because someone else changed the host.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/startup.h"
#include "backup/host_record.h"
#include "backup/refresh_backup.h"
#include "edits/backup_record.h"
#include "formats/sha256.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "themes/apply.h"

namespace lumaset {
namespace {

using testing::readWhole;
using testing::RecordedBox;
using testing::writeFile;

const RecordedBox kDone{"修改完成", "应用", MessageIcon::None};
const RecordedBox kChangedByOthers{
    "Photoshop 的文件在备份之后被改动过（可能是 Photoshop 更新了）。为免损坏，本次未作任何修改。"
    "请先点“备份”更新备份，再应用主题。",
    "错误", MessageIcon::Error};
const RecordedBox kThemedRefresh{
    "Photoshop 的文件仍是应用主题后的样子，用它们更新备份会丢失原版文件。请先选择“[默认]”并应用，再点“备份”。", "错误",
    MessageIcon::Error};

TEST(BackupRecordFormat, RoundTripsAndRefusesWhatIsNotWhole) {
  BackupRecord r;
  r.productVersion = "16.1.2 x64";
  r.backups["PSIconsLowRes.dat"] = {1234, std::string(64, 'a')};
  r.host["PSIconsLowRes.dat"].pristine = FileIdentity{1234, -5, "2049:77"};
  r.host["PSIconsLowRes.dat"].left = FileIdentity{2000, 1733000000123456789, "2049:78"};
  r.host["PSIconsLowRes.dat"].baseSize = 1234;
  r.host["PSIconsLowRes.dat"].appendedSha256 = std::string(64, 'b');
  r.host["language"].pending = true;
  const std::string text = serialiseRecord(r);
  std::optional<BackupRecord> back = parseRecord(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(serialiseRecord(*back), text);
  EXPECT_EQ(back->host["PSIconsLowRes.dat"].left->modified, 1733000000123456789);
  EXPECT_EQ(back->host["PSIconsLowRes.dat"].pristine->modified, -5);
  EXPECT_TRUE(back->host["language"].pending);
  for (std::size_t cut : {text.size() - 1, text.size() - 4, text.size() / 2, std::size_t{10}, std::size_t{0}})
    EXPECT_FALSE(parseRecord(text.substr(0, cut))) << cut;
  EXPECT_FALSE(parseRecord(text + "more\n"));
  std::string badNumber = text;
  badNumber.replace(badNumber.find("1234"), 4, "12x4");
  EXPECT_FALSE(parseRecord(badNumber));
}

// Counts the calls that move whole packs.
class CountingCopies : public PosixFiles {
 public:
  int packCopies = 0, truncations = 0;
  bool copyFile(const std::string& f, const std::string& t) override {
    packCopies += t.find(".dat") != std::string::npos && t.find("PSIcons") != std::string::npos;
    return PosixFiles::copyFile(f, t);
  }
  bool copyFileHashed(const std::string& f, const std::string& t, std::string& h) override {
    packCopies += t.find("PSIcons") != std::string::npos && t.find("lumaset_BAK") == std::string::npos;
    return PosixFiles::copyFileHashed(f, t, h);
  }
  bool truncateFile(const std::string& p, std::uint64_t n) override {
    ++truncations;
    return PosixFiles::truncateFile(p, n);
  }
};

class Record : public testing::HostFixture {
 protected:
  void startOn(const std::string& stub = "v16.1.2") {
    makeHost(stub);
    ui.answers.push_back(host.exePath);
    runStartup(ctx);
    ui.boxes.clear();
    testing::writeTheme(home, "Sakura", testing::sixImages());
    testing::writeTheme(home, "Other", testing::sixImages(40), "[Lumaset_theme]\r\nloadtext=no\r\n");
  }
  std::string res(const std::string& f) { return host.folder + "/Resources/" + f; }
  std::string bak(const std::string& f) { return host.folder + "/Resources/lumaset_BAK/" + f; }
  std::map<std::string, std::string> hostFiles() {
    std::map<std::string, std::string> all;
    for (const char* f :
         {"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"})
      all[f] = sha256Hex(readWhole(res(f)));
    all["language"] = sha256Hex(readWhole(host.languageFile));
    return all;
  }
  std::vector<RecordedBox> apply(const std::string& entry, bool toggle = false) {
    ui.boxes.clear();
    applyFromThemeList(ctx, entry, toggle);
    return ui.boxes;
  }
};

TEST_F(Record, AThemeOverATheAppliedOneCutsThePacksBackAndGivesTheSameBytes) {
  startOn();
  ASSERT_EQ(apply("Other", true), std::vector<RecordedBox>{kDone});
  const auto otherAlone = hostFiles();
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  const auto sakuraAlone = hostFiles();

  CountingCopies counting;
  Context countingCtx{counting, ui, view, state, home};
  ui.boxes.clear();
  applyFromThemeList(countingCtx, "Other", true);
  EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
  EXPECT_EQ(counting.packCopies, 0);   // no pack was copied ...
  EXPECT_EQ(counting.truncations, 2);  // ... the two that carried images were cut back
  EXPECT_EQ(hostFiles(), otherAlone);
  ui.boxes.clear();
  applyFromThemeList(countingCtx, "[默认]", false);
  EXPECT_EQ(counting.packCopies, 0);
  EXPECT_EQ(hostFiles()["PSIconsLowRes.dat"], sha256Hex(readWhole(bak("PSIconsLowRes.dat"))));
  EXPECT_EQ(readWhole(host.indexPath), host.index);
  EXPECT_NE(sakuraAlone, otherAlone);
}

TEST_F(Record, HostChangedBySomeoneElseIsRefusedUntilARefresh) {
  struct Change {
    const char* what;
    std::function<void()> make;
  };
  const std::vector<Change> changes = {
      {"a pack rewritten",
       [this] { writeFile(res("PSIconsHighRes.dat"), readWhole(res("PSIconsHighRes.dat")) + "update"); }},
      {"an extra pack grown",
       [this] { writeFile(res("PSIconsXLowRes.dat"), readWhole(res("PSIconsXLowRes.dat")) + "new version"); }},
      {"the index replaced", [this] { writeFile(host.indexPath, readWhole(host.indexPath)); }},
      {"a new ProductVersion", [this] {
         std::filesystem::copy_file(testing::stubExe("v17.0.1"), host.exePath,
                                    std::filesystem::copy_options::overwrite_existing);
       }}};
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    std::filesystem::remove_all(testing::pathFromUtf8(dir / "PS"));
    startOn();
    ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
    change.make();
    const auto changed = hostFiles();
    for (const char* entry : {"Other", "[默认]", "[当前]"}) {
      EXPECT_EQ(apply(entry), std::vector<RecordedBox>{kChangedByOthers}) << entry;
      EXPECT_EQ(hostFiles(), changed) << entry;
    }
    // The way out: a new backup of the host as it is now, then themes again.
    ui.boxes.clear();
    refreshBackup(ctx);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(hostFiles(), changed);
    for (const char* entry : {"Other", "[默认]"}) {
      auto boxes = apply(entry, true);
      EXPECT_EQ(boxes, std::vector<RecordedBox>{kDone}) << entry << ": " << (boxes.empty() ? "" : boxes[0].text);
    }
    EXPECT_EQ(hostFiles(), changed);
  }
}

TEST_F(Record, ARefreshWhileAThemeIsAppliedPutsTheDefaultsBackFirst) {
  startOn();
  ASSERT_EQ(apply("Other", true), std::vector<RecordedBox>{kDone});
  const std::string backedUpPack = readWhole(bak("PSIconsLowRes.dat"));
  const std::string backedUpLanguage = readWhole(host.folder + "/Locales_BAK/lumaset_BAK/tw10428.dat");
  ui.boxes.clear();
  refreshBackup(ctx);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(readWhole(bak("PSIconsLowRes.dat")), backedUpPack);
  EXPECT_EQ(readWhole(host.folder + "/Locales_BAK/lumaset_BAK/tw10428.dat"), backedUpLanguage);
  EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")), backedUpPack);
  EXPECT_EQ(readWhole(host.indexPath), host.index);
}

TEST_F(Record, ALanguageFileWithTheBlockButNoProofStopsTheRefresh) {
  startOn();
  ASSERT_EQ(apply("Other", true), std::vector<RecordedBox>{kDone});
  std::filesystem::remove(testing::pathFromUtf8(bak("lumaset.record")));
  const std::string language = readWhole(host.languageFile);
  const std::string backedUpLanguage = readWhole(host.folder + "/Locales_BAK/lumaset_BAK/tw10428.dat");
  ui.boxes.clear();
  refreshBackup(ctx);
  EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kThemedRefresh});
  EXPECT_EQ(readWhole(host.languageFile), language);
  EXPECT_EQ(readWhole(host.folder + "/Locales_BAK/lumaset_BAK/tw10428.dat"), backedUpLanguage);
  EXPECT_FALSE(std::filesystem::exists(testing::pathFromUtf8(res("lumaset_BAK_old"))));
}

TEST_F(Record, ABackupWithoutARecordOrWithADamagedOneTakesTheSafePathThenHasOne) {
  for (const char* damage : {"remove", "cut"}) {
    SCOPED_TRACE(damage);
    std::filesystem::remove_all(testing::pathFromUtf8(dir / "PS"));
    startOn();
    ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
    const std::string record = readWhole(bak("lumaset.record"));
    if (std::string(damage) == "remove") {
      std::filesystem::remove(testing::pathFromUtf8(bak("lumaset.record")));
    } else {
      writeFile(bak("lumaset.record"), record.substr(0, record.size() / 2));
    }
    CountingCopies counting;
    Context countingCtx{counting, ui, view, state, home};
    ui.boxes.clear();
    applyFromThemeList(countingCtx, "Other", false);
    EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
    EXPECT_EQ(counting.packCopies, 4);  // every pack copied back
    EXPECT_TRUE(parseRecord(readWhole(bak("lumaset.record"))));
    counting.packCopies = 0;
    ui.boxes.clear();
    applyFromThemeList(countingCtx, "Sakura", false);
    EXPECT_EQ(counting.packCopies, 0);  // the record proves the packs again
    EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
  }
}

}  // namespace
}  // namespace lumaset
