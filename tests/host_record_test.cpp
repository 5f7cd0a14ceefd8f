// The record of the backup: what it proves of the host's files, what the apply then
// spares itself, and what it refuses because someone else changed the host.
#include <gtest/gtest.h>

#include <filesystem>

#include "backup/host_look.h"
#include "backup/host_record.h"
#include "backup/refresh_backup.h"
#include "edits/backup_record.h"
#include "formats/sha256.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"
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

using testing::kDone;
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
  std::string otherHash = text;  // still a record by its shape: the check line tells
  otherHash[otherHash.find(std::string(64, 'a'))] = 'c';
  EXPECT_FALSE(parseRecord(otherHash));
  // A record of the release before the check line is still read.
  std::optional<BackupRecord> older = parseRecord(
      "lumaset-backup-record\t1\nversion\t16.1.2\nbackup\tPSIconsLowRes.dat\t10\t" + std::string(64, 'd') + "\nend\n");
  ASSERT_TRUE(older);
  EXPECT_EQ(older->backups["PSIconsLowRes.dat"].size, 10u);
}

TEST(BackupRecordFormat, KeepsTheAppliedLookAndReadsRecordsWithoutIt) {
  BackupRecord r;
  r.productVersion = "16.1.2";
  for (const HostLook& look :
       {HostLook{LookKind::Own, ""}, HostLook{LookKind::Custom, ""}, HostLook{LookKind::Theme, "墨竹 2.0"}}) {
    r.applied = look;
    std::optional<BackupRecord> back = parseRecord(serialiseRecord(r));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->applied, look);
  }
  // A name that would break its line is not kept: the record stays whole, knowing no look.
  for (const char* name : {"a\tb", "a\nb", "a\rb", ""}) {
    r.applied = {LookKind::Theme, name};
    std::optional<BackupRecord> back = parseRecord(serialiseRecord(r));
    ASSERT_TRUE(back) << name;
    EXPECT_EQ(back->applied, HostLook{}) << name;
  }
  // A record written before the applied look was kept.
  const std::string body = "lumaset-backup-record\t2\ngeneration\t3\nversion\t16.1.2\n";
  std::optional<BackupRecord> older = parseRecord(body + "check\t" + sha256Hex(body) + "\nend\n");
  ASSERT_TRUE(older);
  EXPECT_EQ(older->generation, 3u);
  EXPECT_EQ(older->applied, HostLook{});
}

// Counts the calls that move whole packs.
class CountingCopies : public testing::ForwardingFiles {
 public:
  int packCopies = 0, truncations = 0;
  bool allowChange(const testing::ChangeCall& call) override {
    const std::string& to = call.path;
    if (call.name == "copyFile")
      packCopies += to.find(".dat") != std::string::npos && to.find("PSIcons") != std::string::npos;
    if (call.name == "copyFileHashed")
      packCopies += to.find("PSIcons") != std::string::npos && to.find("lumaset_BAK") == std::string::npos;
    truncations += call.name == "truncateFile";
    return true;
  }
};

class Record : public testing::HostFixture {
 protected:
  Record() {
    startThemes = {{"Sakura", testing::sixImages()}, {"Other", testing::sixImages(40), testing::kHidingThemeInfo}};
  }
  // The host's files by the hashes of their bytes, which print short when a check fails.
  testing::Snapshot hostHashes() {
    testing::Snapshot all = hostFiles();
    for (auto& [file, bytes] : all) bytes = sha256Hex(bytes);
    return all;
  }
  std::vector<RecordedBox> apply(const std::string& entry, bool toggle = false) {
    ui.boxes.clear();
    ui.shown(applyFromThemeList(ctx, entry, toggle));
    return ui.boxes;
  }
};

TEST_F(Record, AThemeOverATheAppliedOneCutsThePacksBackAndGivesTheSameBytes) {
  startOn();
  ASSERT_EQ(apply("Other", true), std::vector<RecordedBox>{kDone});
  const auto otherAlone = hostHashes();
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  const auto sakuraAlone = hostHashes();

  CountingCopies counting;
  Context countingCtx{counting, ui, view, state, home};
  ui.boxes.clear();
  ui.shown(applyFromThemeList(countingCtx, "Other", true));
  EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
  EXPECT_EQ(counting.packCopies, 0);   // no pack was copied ...
  EXPECT_EQ(counting.truncations, 2);  // ... the two that carried images were cut back
  EXPECT_EQ(hostHashes(), otherAlone);
  ui.boxes.clear();
  ui.shown(applyFromThemeList(countingCtx, "[默认]", false));
  EXPECT_EQ(counting.packCopies, 0);
  EXPECT_EQ(hostHashes()["PSIconsLowRes.dat"], sha256Hex(readWhole(bak("PSIconsLowRes.dat"))));
  EXPECT_EQ(readWhole(host.indexPath), host.index);
  EXPECT_NE(sakuraAlone, otherAlone);
}

// A pack replaced on its own leaves the host's index naming bytes that are not there. An
// extra pack (whose images the program never changes) stops "[默认]" and an apply, which
// would lay the old backup beside it; a pack whose images are no longer there is damage:
// no refresh takes it, and "[默认]" puts its original back.
TEST_F(Record, APackReplacedAloneIsNeverTakenAsTheHostsOwn) {
  for (const char* file : {"PSIconsHighRes.dat", "PSIconsXLowRes.dat"}) {
    SCOPED_TRACE(file);
    std::filesystem::remove_all(testing::pathFromUtf8(dir / "PS"));
    startOn();
    const auto original = hostHashes();
    ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
    writeFile(res(file), "fdra the update's own images");
    const auto changed = hostHashes();
    const bool extra = std::string(file) == "PSIconsXLowRes.dat";
    ui.boxes.clear();
    ui.shown(refreshBackup(ctx));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.rfind(extra ? "Photoshop 自己的图标索引文件已损坏" : "Photoshop 的这个文件已损坏", 0),
              0u);
    EXPECT_EQ(hostHashes(), changed);
    EXPECT_NE(readWhole(bak(file)), "fdra the update's own images");
    if (!extra) {
      EXPECT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
      EXPECT_EQ(hostHashes(), original);
      continue;
    }
    for (const char* entry : {"Other", "[默认]"}) {
      EXPECT_EQ(apply(entry), std::vector<RecordedBox>{kChangedByOthers}) << entry;
      EXPECT_EQ(hostHashes(), changed) << entry;
    }
  }
}

// An index replaced alone, one of whose other records names bytes past the backed-up
// pack (bytes only a theme put there): no refresh takes it, or "[默认]" would lay it over
// the cut-back pack. What the host's own index named past its pack from the start is
// carried as it is.
TEST_F(Record, ARefreshRefusesAnIndexNamingBytesOnlyAThemePutThere) {
  startOn();
  const std::string tool = "ToolMove";
  DecodedIndex quirky = decodeIndex(readWhole(host.indexPath));
  const std::uint64_t low = readWhole(res("PSIconsLowRes.dat")).size();
  quirky.table.setOffset(findRecord(quirky.table, "PanelActions"), Pack::LowRes, static_cast<std::int32_t>(low));
  writeFile(host.indexPath, serialiseIndex(quirky.table));  // the host's own oddity, before any backup
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  ASSERT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(readWhole(host.indexPath), serialiseIndex(quirky.table));
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});

  DecodedIndex update = quirky;  // an update's own index, made without the theme
  update.table.setOffset(findRecord(update.table, tool), Pack::LowRes, static_cast<std::int32_t>(low + 8));
  writeFile(host.indexPath, serialiseIndex(update.table));
  const auto changed = hostHashes();
  ui.boxes.clear();
  ui.shown(refreshBackup(ctx));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text.rfind("Photoshop 自己的图标索引文件已损坏", 0), 0u);
  EXPECT_EQ(hostHashes(), changed);
  EXPECT_EQ(readWhole(bak("IconResources.idx")), serialiseIndex(quirky.table));
}

TEST_F(Record, ARefreshWhileOnlyTheProgramChangedTheHostKeepsBackupAndTheme) {
  startOn();
  ASSERT_EQ(apply("Other", true), std::vector<RecordedBox>{kDone});
  const auto themed = hostHashes();
  const std::string backedUpPack = readWhole(bak("PSIconsLowRes.dat"));
  const std::string backedUpLanguage = readWhole(langBak("tw10428.dat"));
  ui.boxes.clear();
  ui.shown(refreshBackup(ctx));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"备份已是最新", "备份", MessageIcon::None}}));
  EXPECT_EQ(readWhole(bak("PSIconsLowRes.dat")), backedUpPack);
  EXPECT_EQ(readWhole(langBak("tw10428.dat")), backedUpLanguage);
  EXPECT_EQ(hostHashes(), themed);
  EXPECT_FALSE(std::filesystem::exists(testing::pathFromUtf8(res("lumaset_BAK_old"))));
}

TEST_F(Record, WithoutTheRecordTheBytesTellTheThemeFromTheOriginal) {
  startOn();
  ASSERT_EQ(apply("Other", true), std::vector<RecordedBox>{kDone});
  forgetRecord();
  const auto themed = hostHashes();
  const std::string backedUpLanguage = readWhole(langBak("tw10428.dat"));
  ui.boxes.clear();
  ui.shown(refreshBackup(ctx));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"备份已是最新", "备份", MessageIcon::None}}));
  EXPECT_EQ(hostHashes(), themed);
  EXPECT_EQ(readWhole(langBak("tw10428.dat")), backedUpLanguage);
  EXPECT_TRUE(parseRecord(readWhole(bak("lumaset.record"))));
  EXPECT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(readWhole(host.languageFile), backedUpLanguage);
  EXPECT_EQ(readWhole(host.indexPath), host.index);
}

TEST_F(Record, ABackupWithoutARecordOrWithDamagedOnesCutsThemedPacksBackThenHasOne) {
  for (const char* damage : {"remove", "cut"}) {
    SCOPED_TRACE(damage);
    std::filesystem::remove_all(testing::pathFromUtf8(dir / "PS"));
    startOn();
    ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
    const std::string record = readWhole(bak("lumaset.record"));
    if (std::string(damage) == "remove") {
      forgetRecord();
    } else {
      writeFile(bak("lumaset.record"), record.substr(0, record.size() / 2));
      writeFile(langBak("lumaset.record"), record.substr(0, 20));
    }
    CountingCopies counting;
    Context countingCtx{counting, ui, view, state, home};
    ui.boxes.clear();
    ui.shown(applyFromThemeList(countingCtx, "Other", false));
    EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
    EXPECT_EQ(counting.packCopies, 0);  // the bytes prove the packs: cut back, not copied
    EXPECT_EQ(counting.truncations, 2);
    EXPECT_TRUE(parseRecord(readWhole(bak("lumaset.record"))));
    EXPECT_EQ(readWhole(bak("lumaset.record")), readWhole(langBak("lumaset.record")));
  }
}

// The look the host carries is told only while every file is as the program left it.
TEST_F(Record, TheLookTheHostCarriesIsToldWhileItsFilesAreAsLeft) {
  startOn();
  EXPECT_EQ(carriedLook(ctx), (HostLook{LookKind::Own, ""}));  // nothing changed yet
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(carriedLook(ctx), (HostLook{LookKind::Theme, "Sakura"}));
  ASSERT_EQ(apply("[当前]", true), std::vector<RecordedBox>{kDone});  // the startup text alone
  EXPECT_EQ(carriedLook(ctx), (HostLook{LookKind::Theme, "Sakura"}));
  writeFile(dir / "splash.png", testing::samplePng(7));
  ui.boxes.clear();
  ui.shown(applyCustomImages(ctx, {dir / "splash.png", "", "", "", "", ""}, false));
  ASSERT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
  EXPECT_EQ(carriedLook(ctx), (HostLook{LookKind::Custom, ""}));
  ASSERT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(carriedLook(ctx), (HostLook{LookKind::Own, ""}));
  ASSERT_EQ(apply("Other", true), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(carriedLook(ctx), (HostLook{LookKind::Theme, "Other"}));
  // Someone else writes a pack: the theme's images may be gone.
  writeFile(res("PSIconsHighRes.dat"), readWhole(res("PSIconsHighRes.dat")) + "x");
  EXPECT_EQ(carriedLook(ctx), HostLook{});
}

// A record of the release before knows no applied look: a host whose index holds what
// an apply left carries something unknown; one whose index is the backup's, its own look.
TEST_F(Record, ARecordWithoutTheAppliedLookTellsNoTheme) {
  startOn();
  auto forgetApplied = [&] {
    for (const std::string& path : {bak("lumaset.record"), langBak("lumaset.record")}) {
      std::optional<BackupRecord> record = parseRecord(readWhole(path));
      ASSERT_TRUE(record) << path;
      record->applied = {};
      writeFile(path, serialiseRecord(*record));
    }
  };
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  forgetApplied();
  EXPECT_EQ(carriedLook(ctx), HostLook{});
  ASSERT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  forgetApplied();
  EXPECT_EQ(carriedLook(ctx), (HostLook{LookKind::Own, ""}));
}

}  // namespace
}  // namespace lumaset
