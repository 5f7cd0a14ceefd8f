// Loading setting.ini and the startup check of the stored host folder.
#include <gtest/gtest.h>

#include <fstream>

#include "backup/create_backup.h"
#include "formats/utf.h"
#include "run/settings.h"
#include "run/startup.h"
#include "support/forwarding_files.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"

namespace lumaset {
namespace {

using testing::RecordedBox;

class Startup : public testing::HostFixture {};

TEST_F(Startup, FirstStartAsksForTheHostAndKeepsDefaultsWhenCancelled) {
  StartupOutcome outcome = runStartup(ctx);
  EXPECT_TRUE(outcome.locateRan);
  EXPECT_FALSE(outcome.hostKnown);
  ASSERT_EQ(ui.dialogs.size(), 1u);
  EXPECT_EQ(ui.dialogs[0].title, "找到 Photoshop 的位置");
  EXPECT_EQ(state.languageFileName, "语言文件名未设置");
  EXPECT_EQ(state.languageFolder, "语言文件路径未设置");
  EXPECT_FALSE(files.exists(ctx.settingsFile()));
  EXPECT_EQ(view.pathBoxTexts, std::vector<std::string>{""});
}

TEST_F(Startup, FirstStartLocatesTheHostAndChecksIt) {
  makeHost();
  ui.answers.push_back(host.exePath);
  StartupOutcome outcome = runStartup(ctx);
  EXPECT_TRUE(outcome.locateRan);
  EXPECT_TRUE(outcome.hostKnown);  // "photoshop.exe" is found as Photoshop.exe
  EXPECT_EQ(state.languageBackupFolder, host.folder + "/Locales_BAK");
  // The folder itself belongs to the first backup, made inside the edit of the host.
  EXPECT_FALSE(files.exists(state.languageBackupFolder));
  EXPECT_EQ(settings("photoshop"), host.folder + "/");
}

TEST_F(Startup, StoredHostStartsWithoutAnyDialog) {
  makeHost("v18.0.0", "18.0.0");
  writeSettings("[lumaset]\r\nphotoshop=" + host.folder +
                "/\r\nphotoshop_var=18\r\n"
                "photoshop_locaal_file=tw10428_Photoshop_zh_CN.dat\r\nphotoshop_locaal_dir=" +
                host.languageFolder + "\r\n");
  StartupOutcome outcome = runStartup(ctx);
  EXPECT_FALSE(outcome.locateRan);
  EXPECT_TRUE(outcome.hostKnown);
  EXPECT_TRUE(ui.dialogs.empty());
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(state.release18OrLater);
  EXPECT_EQ(state.currentIndexPath, host.folder + "/Resources/IconResources.idx");
  // The language file path is rebuilt from the stored folder and name.
  EXPECT_EQ(ctx.languageFilePath(), host.languageFile);
  EXPECT_EQ(view.pathBoxTexts, std::vector<std::string>{host.folder + "/"});
}

TEST_F(Startup, VersionFlagFollowsTheStoredIntegerPart) {
  writeSettings("[lumaset]\r\nphotoshop=/nowhere/\r\nphotoshop_var=17.9\r\n");
  runStartup(ctx);
  EXPECT_FALSE(state.release18OrLater);
  writeSettings("[lumaset]\r\nphotoshop=/nowhere/\r\nphotoshop_var=18\r\n");
  runStartup(ctx);
  EXPECT_TRUE(state.release18OrLater);
}

TEST_F(Startup, DoubledSeparatorsInTheLanguageFolderAreCollapsed) {
  writeSettings("[lumaset]\r\nphotoshop=/PS/\r\nphotoshop_locaal_dir=//PS//Locales///x\r\n");
  runStartup(ctx);
  EXPECT_EQ(state.languageFolder, "/PS/Locales//x");
  EXPECT_EQ(collapseDoubledSeparators("C:\\\\PS\\\\Locales", '\\'), "C:\\PS\\Locales");
  EXPECT_EQ(collapseDoubledSeparators("a\\\\\\b", '\\'), "a\\\\b");
}

TEST_F(Startup, StoredFolderWithoutPhotoshopStartsWithoutAHost) {
  writeSettings("[lumaset]\r\nphotoshop=" + (dir / "empty") + "/\r\n");
  StartupOutcome outcome = runStartup(ctx);
  EXPECT_FALSE(outcome.locateRan);
  EXPECT_FALSE(outcome.hostKnown);
  EXPECT_TRUE(ui.dialogs.empty());
  EXPECT_TRUE(view.pathBoxTexts.empty());
  EXPECT_EQ(state.hostFolder, "");
}

TEST_F(Startup, StoredFolderWithoutTrailingSeparatorIsNormalised) {
  makeHost();
  writeSettings("[lumaset]\r\nphotoshop=" + host.folder + "\r\n");
  EXPECT_TRUE(runStartup(ctx).hostKnown);
  EXPECT_EQ(state.hostFolder, host.folder + "/");
  EXPECT_EQ(state.languageBackupFolder, host.folder + "/Locales_BAK");
}

TEST_F(Startup, ExistingLocalesBakIsLeftAlone) {
  makeHost();
  std::filesystem::create_directory(testing::pathFromUtf8(host.folder + "/Locales_BAK"));
  std::ofstream(testing::pathFromUtf8(host.folder + "/Locales_BAK/keep"), std::ios::binary) << "k";
  EXPECT_TRUE(startupCheck(ctx, host.folder + "/"));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(files.exists(host.folder + "/Locales_BAK/keep"));
}

// Files whose folder creation fails, as it does in a folder the user may not write to.
// Refuses, and counts, every change.
class NoChanges : public testing::ForwardingFiles {
 public:
  int refused = 0;
  bool allowChange(const testing::ChangeCall&) override {
    ++refused;
    return false;
  }
};

TEST_F(Startup, AStartChangesNothingInTheHostFolder) {
  makeHost();
  NoChanges failing;
  Context failingCtx{failing, ui, view, state, home};
  EXPECT_TRUE(startupCheck(failingCtx, host.folder + "/"));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(failing.refused, 0);
  EXPECT_FALSE(files.exists(host.folder + "/Locales_BAK"));
  EXPECT_EQ(state.languageBackupFolder, host.folder + "/Locales_BAK");
  EXPECT_EQ(view.pathBoxTexts, std::vector<std::string>{host.folder + "/"});
}

TEST_F(Startup, StoredValuesThatLeaveTheirFoldersCountAsNoStoredHost) {
  makeHost();
  const std::string victim = dir / "victim.txt";
  testing::writeFile(victim, "keep me");
  const std::string good = "[lumaset]\r\nphotoshop=" + host.folder + "/\r\nphotoshop_var=16.1\r\n";
  const std::string planted[] = {
      good + "photoshop_locaal_file=../../victim.txt\r\nphotoshop_locaal_dir=" + host.languageFolder + "\r\n",
      good + "photoshop_locaal_file=tw10428.dat\r\nphotoshop_locaal_dir=Locales\r\n",
      good + "photoshop_locaal_file=tw10428.dat\r\nphotoshop_locaal_dir=" + host.languageFolder + "/../../..\r\n",
      "[lumaset]\r\nphotoshop=PS/\r\nphotoshop_locaal_file=tw10428.dat\r\nphotoshop_locaal_dir=/x\r\n",
      "[lumaset]\r\nphotoshop=" + host.folder + "/../PS/\r\n",
      // One of the two left empty is no mark of a host without a language file.
      good + "photoshop_locaal_file=\r\nphotoshop_locaal_dir=" + host.languageFolder + "\r\n",
      good + "photoshop_locaal_file=tw10428.dat\r\nphotoshop_locaal_dir=\r\n",
  };
  for (const std::string& settingsText : planted) {
    SCOPED_TRACE(settingsText);
    state = RunState{};
    ui.dialogs.clear();
    ui.boxes.clear();
    writeSettings(settingsText);
    StartupOutcome outcome = runStartup(ctx);
    // As on a first start: the user is asked for the host, and nothing planted stays.
    EXPECT_TRUE(outcome.locateRan);
    EXPECT_FALSE(outcome.hostKnown);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(state.hostFolder, "");
    EXPECT_EQ(state.languageFileName, "语言文件名未设置");
    EXPECT_EQ(state.languageFolder, "语言文件路径未设置");
  }
  EXPECT_EQ(testing::readWhole(victim), "keep me");
}

// A stored host folder with a part that Windows shortens (kept by an older release, or
// edited by hand) is dropped as unsound, though a host lies there: the start asks again.
TEST_F(Startup, StoredHostFolderEndingInADotOrASpaceIsAskedForAgain) {
  for (const std::string folder : {"PS.", "PS  "}) {
    SCOPED_TRACE(folder);
    makeHost("v16.1.2", "16.1.2", true, folder);
    state = RunState{};
    ui.dialogs.clear();
    writeSettings("[lumaset]\r\nphotoshop=" + host.folder + "/\r\nphotoshop_var=16.1\r\nphotoshop_locaal_file=" +
                  "tw10428.dat\r\nphotoshop_locaal_dir=" + host.languageFolder + "\r\n");
    StartupOutcome outcome = runStartup(ctx);
    EXPECT_TRUE(outcome.locateRan);
    EXPECT_FALSE(outcome.hostKnown);
    EXPECT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(state.hostFolder, "");
    EXPECT_EQ(state.languageFolder, "语言文件路径未设置");
  }
  EXPECT_FALSE(storedLocationIsSound("D:\\Adobe.\\PS\\", "tw10428.dat", "D:\\PS\\Locales", '\\'));
  EXPECT_TRUE(storedLocationIsSound("D:\\Adobe\\PS\\", "tw10428.dat", "d:\\adobe\\ps\\locales\\zh_CN", '\\'));
  // The language file takes the startup text: a folder outside the host's Locales folder
  // is no stored host at all.
  for (const char* outside : {"D:\\PS\\Locales", "D:\\Adobe\\PS\\Localesx", "D:\\Adobe\\PS\\Locales\\..\\..\\x",
                              "D:\\Adobe\\PS", "C:\\Windows\\System32"})
    EXPECT_FALSE(storedLocationIsSound("D:\\Adobe\\PS\\", "tw10428.dat", outside, '\\')) << outside;
  EXPECT_FALSE(storedLocationIsSound("/PS/", "x.dat", "/PS/Locales/../../etc", '/'));
  EXPECT_FALSE(storedLocationIsSound("/PS/", "x.dat", "/ps/Locales", '/'));
}

TEST_F(Startup, MissingLanguageKeysKeepTheStoredHostButNothingIsWrittenWithoutThem) {
  makeHost();
  writeSettings("[lumaset]\r\nphotoshop=" + host.folder + "/\r\n");
  EXPECT_TRUE(runStartup(ctx).hostKnown);
  EXPECT_EQ(state.languageFolder, "语言文件路径未设置");
  // The language file has no path yet: the backup refuses rather than guess one.
  ui.boxes.clear();
  EXPECT_FALSE(ui.shown(createBackup(ctx)));
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{{"Photoshop 路径有误：" + host.folder + "/", "错误", MessageIcon::None}}));
  EXPECT_FALSE(files.exists(host.folder + "/Resources/lumaset_BAK"));
}

TEST_F(Startup, SettingsUseTheHostsKeyNamesExactly) {
  makeHost();
  ui.answers.push_back(host.exePath);
  runStartup(ctx);
  std::string raw = files.readFile(ctx.settingsFile());
  ASSERT_EQ(raw.substr(0, 2), "\xFF\xFE");
  std::string text = utf16leToUtf8(raw.substr(2));
  for (const char* line : {"[lumaset]", "photoshop=", "photoshop_var=16.1", "photoshop_locaal_file=tw10428.dat",
                           "photoshop_locaal_dir="}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(text.find("photoshop_local"), std::string::npos);
}

}  // namespace
}  // namespace lumaset
