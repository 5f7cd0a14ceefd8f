// Creating the backup and copying it back.
#include <gtest/gtest.h>

#include "backup/create_backup.h"
#include "backup/restore.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"
#include "run/startup.h"
#include "support/forwarding_files.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "themes/apply.h"
#include "themes/theme_folder.h"

namespace lumaset {
namespace {

using testing::readWhole;
using testing::RecordedBox;
using testing::writeFile;

using Backup = testing::HostFixture;

// Notes the total a WorkProgress holds when the first pack copy starts.
class FirstCopyWatch : public testing::ForwardingFiles {
 public:
  explicit FirstCopyWatch(Files& inner, const WorkProgress& progress) : ForwardingFiles(inner), progress_(progress) {}
  std::optional<std::uint64_t> totalAtFirstCopy;
  bool allowChange(const testing::ChangeCall& call) override {
    if (call.name == "copyFileHashed" && !totalAtFirstCopy) totalAtFirstCopy = progress_.total();
    return true;
  }

 private:
  const WorkProgress& progress_;
};

TEST_F(Backup, FourPackBackupHoldsTheIndexAllPacksAndTheLanguageFile) {
  startOn();
  WorkProgress progress;
  FirstCopyWatch watch(files, progress);
  Context counted{watch, ui, view, state, home};
  counted.progress = &progress;
  ASSERT_TRUE(ui.shown(createBackup(counted)));
  EXPECT_TRUE(ui.boxes.empty());
  std::uint64_t iconFiles = 0;
  for (const char* f : testing::kHostIconFiles) {
    EXPECT_EQ(readWhole(bak(f)), readWhole(res(f))) << f;
    iconFiles += readWhole(res(f)).size();
  }
  EXPECT_EQ(readWhole(langBak("tw10428.dat")), host.languageBytes);
  EXPECT_FALSE(files.exists(bak("TEST")));
  // The bytes of the icon files are expected before the first is copied; the second
  // copies of the index and the language file come after them. All are done.
  EXPECT_EQ(watch.totalAtFirstCopy, iconFiles);
  EXPECT_EQ(progress.total(), iconFiles + readWhole(res("IconResources.idx")).size() + host.languageBytes.size());
  EXPECT_EQ(progress.done(), progress.total());
}

TEST_F(Backup, TwoPackBackupLeavesTheExtraPacksOut) {
  startOn({.fourPack = false});
  writeFile(res("PSIconsXLowRes.dat"), "stray");
  ASSERT_TRUE(ui.shown(createBackup(ctx)));
  EXPECT_TRUE(files.exists(bak("IconResources.idx")));
  EXPECT_TRUE(files.exists(bak("PSIconsLowRes.dat")));
  EXPECT_TRUE(files.exists(bak("PSIconsHighRes.dat")));
  EXPECT_FALSE(files.exists(bak("PSIconsXLowRes.dat")));
  EXPECT_FALSE(files.exists(bak("PSIconsXHighRes.dat")));
}

TEST_F(Backup, ExistingCopiesAreNeverReplacedAndADamagedOneIsMended) {
  startOn();
  ASSERT_TRUE(ui.shown(createBackup(ctx)));
  std::string original = readWhole(bak("PSIconsLowRes.dat"));
  writeFile(res("PSIconsLowRes.dat"), "changed by someone");
  writeFile(bak("IconResources.idx"), "");  // its second copy and its hash give it back
  ASSERT_TRUE(ui.shown(createBackup(ctx)));
  EXPECT_EQ(readWhole(bak("PSIconsLowRes.dat")), original);
  EXPECT_EQ(readWhole(bak("IconResources.idx")), host.index);
}

// A probe folder left by a run that died goes before the next backup looks; one that
// cannot be made (no rights to the folder) stops the backup.
class NoProbe : public testing::ForwardingFiles {
 public:
  bool allowChange(const testing::ChangeCall& call) override {
    const std::string& p = call.path;
    return call.name != "createFolder" || p.size() < 5 || p.compare(p.size() - 5, 5, "/TEST") != 0;
  }
};

TEST_F(Backup, StrayProbeFolderIsRemovedAndAProbeThatCannotBeMadeStopsTheBackup) {
  startOn();
  ASSERT_TRUE(ui.shown(createBackup(ctx)));
  std::filesystem::create_directories(testing::pathFromUtf8(bak("TEST")));
  EXPECT_TRUE(ui.shown(createBackup(ctx)));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_FALSE(std::filesystem::exists(testing::pathFromUtf8(bak("TEST"))));

  NoProbe noProbe;
  Context noProbeCtx{noProbe, ui, view, state, home};
  EXPECT_FALSE(ui.shown(createBackup(noProbeCtx)));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"没有目录权限02", "错误", MessageIcon::None}}));
}

TEST_F(Backup, TheFirstBackupMakesTheLanguageBackupFolderOrReportsItAfterTheIconCopies) {
  startOn();
  ASSERT_FALSE(files.exists(host.folder + "/Locales_BAK"));
  writeFile(host.folder + "/Locales_BAK", "a file where the folder belongs");
  EXPECT_FALSE(ui.shown(createBackup(ctx)));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], (RecordedBox{"_创建备份_创建语言路径_失败：" + host.folder + "/Locales_BAK/lumaset_BAK",
                                      "错误", MessageIcon::Error}));
  EXPECT_TRUE(files.exists(bak("PSIconsXLowRes.dat")));

  std::filesystem::remove(testing::pathFromUtf8(host.folder + "/Locales_BAK"));
  ui.boxes.clear();
  EXPECT_TRUE(ui.shown(createBackup(ctx)));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(readWhole(langBak("tw10428.dat")), host.languageBytes);
}

TEST_F(Backup, AHostIndexThatNamesBytesItsPacksLackIsNeverBackedUp) {
  startOn();
  std::filesystem::remove(testing::pathFromUtf8(res("PSIconsHighRes.dat")));
  EXPECT_FALSE(ui.shown(createBackup(ctx)));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{
                          {"Photoshop 自己的图标索引文件已损坏（无法读取，或指向图片包里没有的数据），未作任何修改：" +
                               host.indexPath + "\r\n请修复或重新安装 Photoshop。",
                           "错误", MessageIcon::Error}}));
  EXPECT_FALSE(files.exists(bak("IconResources.idx")));
  writeFile(host.indexPath, host.index.substr(0, 600));
  ui.boxes.clear();
  EXPECT_FALSE(ui.shown(createBackup(ctx)));
  EXPECT_EQ(ui.boxes.size(), 1u);
  EXPECT_FALSE(files.exists(res("lumaset_BAK")));
}

TEST_F(Backup, MissingLanguageFileNamesSourceAndTarget) {
  startOn();
  std::filesystem::remove(testing::pathFromUtf8(host.languageFile));
  EXPECT_FALSE(ui.shown(createBackup(ctx)));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            "_创建备份_创建语言文件备份失败：" + host.languageFile + "\r\n > \r\n" + langBak("tw10428.dat"));
}

TEST_F(Backup, TwoPackCopyBackSkipsTheExtraPacks) {
  startOn({.fourPack = false});
  ASSERT_TRUE(ui.shown(createBackup(ctx)));
  writeFile(bak("PSIconsXLowRes.dat"), "never copied back");
  writeFile(res("PSIconsLowRes.dat"), readWhole(bak("PSIconsLowRes.dat")) + "themed");
  forgetRecord();  // as a run that died left it: the bytes show the appendix
  ASSERT_TRUE(ui.shown(applyFromThemeList(ctx, kDefaultEntry, false)));
  EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")), readWhole(bak("PSIconsLowRes.dat")));
  EXPECT_FALSE(files.exists(res("PSIconsXLowRes.dat")));
}

// Fails every change of one host file, as a file held or made read-only by another
// program does.
// Every write of one file fails, though the process has the rights for it (a disk error,
// a scanner that will not let go).
class OneFileStuck : public testing::ForwardingFiles {
 public:
  std::string stuck;
  bool allowChange(const testing::ChangeCall& call) override { return call.name == "mayChange" || call.path != stuck; }
};

// "[默认]" puts back every pack it can; an apply stops at the first that does not go back.
TEST_F(Backup, TheWayBackPutsBackEveryPackItCanAnApplyStopsAtTheFirst) {
  for (const std::string& entry : {std::string(kDefaultEntry), std::string("Ink")}) {
    std::filesystem::remove_all(testing::pathFromUtf8(dir / "PS"));
    startOn();
    testing::writeTheme(home, "Ink", testing::sixImages());
    ASSERT_TRUE(ui.shown(createBackup(ctx)));
    // As a theme leaves them: the packs carry an appendix, the index names it.
    for (const char* pack : {"PSIconsLowRes.dat", "PSIconsHighRes.dat"})
      writeFile(res(pack), readWhole(bak(pack)) + "themed");
    DecodedIndex decoded = decodeIndex(host.index);
    const std::size_t splash = findRecord(decoded.table, kSplashResource);
    decoded.table.setOffset(splash, Pack::LowRes,
                            static_cast<std::int32_t>(readWhole(bak("PSIconsLowRes.dat")).size()));
    writeFile(host.indexPath, serialiseIndex(decoded.table));
    forgetRecord();  // as a run that died left them: the bytes show the theme
    OneFileStuck stuck;
    stuck.stuck = res("PSIconsLowRes.dat");  // the packs go back last to first: LowRes before HighRes
    Context stuckCtx{stuck, ui, view, state, home};
    const Outcome out = applyFromThemeList(stuckCtx, entry, false);
    EXPECT_EQ(out.status, Status::Failed);
    ASSERT_FALSE(out.reports.empty());
    EXPECT_EQ(out.reports[0], (Report{MessageId::ResetFailed, bak("PSIconsLowRes.dat")}));
    EXPECT_EQ(readWhole(host.indexPath), host.index);
    EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")), readWhole(bak("PSIconsLowRes.dat")) + "themed");
    const bool keptGoing = entry == kDefaultEntry;
    EXPECT_EQ(readWhole(res("PSIconsHighRes.dat")) == readWhole(bak("PSIconsHighRes.dat")), keptGoing);
  }
}

}  // namespace
}  // namespace lumaset
