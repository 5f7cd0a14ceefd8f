// Creating the backup and copying it back.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "backup/create_backup.h"
#include "backup/restore.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"

namespace lumaset {
namespace {

using testing::readWhole;
using testing::RecordedBox;
using testing::writeFile;

class Backup : public testing::HostFixture {
 protected:
  void startOn(bool fourPack = true) {
    makeHost("v16.1.2", "16.1.2", fourPack);
    ui.answers.push_back(host.exePath);
    runStartup(ctx);
    ctx.state.records.layout = fourPack ? IndexLayout::FourPack : IndexLayout::TwoPack;
    ui.boxes.clear();
  }
  std::string res(const std::string& file) { return host.folder + "/Resources/" + file; }
  std::string bak(const std::string& file) { return host.folder + "/Resources/lumaset_BAK/" + file; }
  std::string langBak() { return host.folder + "/Locales_BAK/lumaset_BAK/tw10428.dat"; }
};

TEST_F(Backup, FourPackBackupHoldsTheIndexAllPacksAndTheLanguageFile) {
  startOn(true);
  ASSERT_TRUE(createBackup(ctx));
  EXPECT_TRUE(ui.boxes.empty());
  for (const char* f :
       {"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"})
    EXPECT_EQ(readWhole(bak(f)), readWhole(res(f))) << f;
  EXPECT_EQ(readWhole(langBak()), host.languageBytes);
  EXPECT_FALSE(files.exists(bak("TEST")));
}

TEST_F(Backup, TwoPackBackupLeavesTheExtraPacksOut) {
  startOn(false);
  writeFile(res("PSIconsXLowRes.dat"), "stray");
  ASSERT_TRUE(createBackup(ctx));
  EXPECT_TRUE(files.exists(bak("IconResources.idx")));
  EXPECT_TRUE(files.exists(bak("PSIconsLowRes.dat")));
  EXPECT_TRUE(files.exists(bak("PSIconsHighRes.dat")));
  EXPECT_FALSE(files.exists(bak("PSIconsXLowRes.dat")));
  EXPECT_FALSE(files.exists(bak("PSIconsXHighRes.dat")));
}

TEST_F(Backup, ExistingCopiesAreNeverReplaced) {
  startOn();
  ASSERT_TRUE(createBackup(ctx));
  std::string original = readWhole(bak("PSIconsLowRes.dat"));
  writeFile(res("PSIconsLowRes.dat"), "changed by a theme");
  writeFile(bak("IconResources.idx"), "");  // even a damaged copy stays as it is
  ASSERT_TRUE(createBackup(ctx));
  EXPECT_EQ(readWhole(bak("PSIconsLowRes.dat")), original);
  EXPECT_EQ(readWhole(bak("IconResources.idx")), "");
}

// A probe folder left by a run that died goes before the next backup looks; one that
// cannot be made (no rights to the folder) stops the backup.
class NoProbe : public PosixFiles {
 public:
  bool createFolder(const std::string& p) override {
    return p.size() < 5 || p.compare(p.size() - 5, 5, "/TEST") != 0 ? PosixFiles::createFolder(p) : false;
  }
};

TEST_F(Backup, StrayProbeFolderIsRemovedAndAProbeThatCannotBeMadeStopsTheBackup) {
  startOn();
  ASSERT_TRUE(createBackup(ctx));
  std::filesystem::create_directories(testing::pathFromUtf8(bak("TEST")));
  EXPECT_TRUE(createBackup(ctx));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_FALSE(std::filesystem::exists(testing::pathFromUtf8(bak("TEST"))));

  NoProbe noProbe;
  Context noProbeCtx{noProbe, ui, view, state, home};
  EXPECT_FALSE(createBackup(noProbeCtx));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"没有目录权限02", "错误", MessageIcon::None}}));
}

TEST_F(Backup, MissingLanguageBackupFolderIsReportedAfterTheIconCopies) {
  startOn();
  std::filesystem::remove_all(testing::pathFromUtf8(host.folder + "/Locales_BAK"));
  EXPECT_FALSE(createBackup(ctx));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], (RecordedBox{"_创建备份_创建语言路径_失败：" + host.folder + "/Locales_BAK/lumaset_BAK",
                                      "错误", MessageIcon::Error}));
  EXPECT_TRUE(files.exists(bak("PSIconsXLowRes.dat")));
}

TEST_F(Backup, MissingHostFileNamesItsBackupCopy) {
  startOn();
  std::filesystem::remove(testing::pathFromUtf8(res("PSIconsHighRes.dat")));
  EXPECT_FALSE(createBackup(ctx));
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{{"创建备份文件失败：" + bak("PSIconsHighRes.dat"), "错误", MessageIcon::Error}}));
  EXPECT_TRUE(files.exists(bak("IconResources.idx")));
}

TEST_F(Backup, MissingLanguageFileNamesSourceAndTarget) {
  startOn();
  std::filesystem::remove(testing::pathFromUtf8(host.languageFile));
  EXPECT_FALSE(createBackup(ctx));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "_创建备份_创建语言文件备份失败：" + host.languageFile + "\r\n > \r\n" + langBak());
}

TEST_F(Backup, TwoPackCopyBackSkipsTheExtraPacks) {
  startOn(false);
  ASSERT_TRUE(createBackup(ctx));
  writeFile(bak("PSIconsXLowRes.dat"), "never copied back");
  writeFile(res("PSIconsLowRes.dat"), "themed");
  ASSERT_TRUE(copyBackIconFiles(ctx, CopyBackPolicy::StopAtFirstFailure));
  EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")), readWhole(bak("PSIconsLowRes.dat")));
  EXPECT_FALSE(files.exists(res("PSIconsXLowRes.dat")));
}

TEST_F(Backup, RestoreWithoutBackupStopsTheIconsAtTheIndexAndGoesOnWithTheLanguage) {
  startOn(true);
  EXPECT_FALSE(restoreDefaults(ctx));
  // The index goes back first; without it no pack may be cut back.
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[0], (RecordedBox{"备份的索引文件无法读取或已损坏，未作任何修改：" + bak("IconResources.idx"),
                                      "错误", MessageIcon::Error}));
  EXPECT_EQ(ui.boxes[1].text, "重置文件错误：" + langBak());
  EXPECT_EQ(readWhole(host.indexPath), host.index);  // nothing was lost on the way
}

TEST_F(Backup, KeepGoingCopyBackPutsTheIndexBackFirstThenEveryPackItCan) {
  startOn(true);
  ASSERT_TRUE(createBackup(ctx));
  std::filesystem::remove(testing::pathFromUtf8(bak("PSIconsXLowRes.dat")));
  std::filesystem::remove(testing::pathFromUtf8(bak("PSIconsHighRes.dat")));
  writeFile(res("PSIconsLowRes.dat"), readWhole(bak("PSIconsLowRes.dat")) + "themed");
  writeFile(host.indexPath, "themed index");
  EXPECT_FALSE(copyBackIconFiles(ctx, CopyBackPolicy::KeepGoing));
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{{"重置文件错误：" + bak("PSIconsXLowRes.dat"), "错误", MessageIcon::Error},
                                      {"重置文件错误：" + bak("PSIconsHighRes.dat"), "错误", MessageIcon::Error}}));
  EXPECT_EQ(readWhole(host.indexPath), host.index);
  EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")), readWhole(bak("PSIconsLowRes.dat")));
}

TEST_F(Backup, StopAtFirstFailureStopsAfterOneMessage) {
  startOn(true);
  ASSERT_TRUE(createBackup(ctx));
  std::filesystem::remove(testing::pathFromUtf8(bak("PSIconsXLowRes.dat")));
  writeFile(res("PSIconsLowRes.dat"), "themed");
  EXPECT_FALSE(copyBackIconFiles(ctx, CopyBackPolicy::StopAtFirstFailure));
  EXPECT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")), "themed");
}

}  // namespace
}  // namespace lumaset
