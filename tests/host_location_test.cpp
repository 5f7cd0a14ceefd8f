// Locating the host: the version gate, the derived paths, the stored settings and every
// way a location can stop.
#include <gtest/gtest.h>

#include "backup/refresh_backup.h"
#include "formats/path_text.h"
#include "formats/utf.h"
#include "messages/catalogue.h"
#include "run/host_location.h"
#include "run/host_paths.h"
#include "run/settings.h"
#include "run/startup.h"
#include "support/forwarding_files.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "themes/apply.h"

namespace lumaset {
namespace {

using testing::RecordedBox;

class LocateHost : public testing::HostFixture {
 protected:
  std::string supportedText(const std::string& productVersion) {
    return "选择的 Photoshop 版本为：" + productVersion +
           "\r\n本程序在 Photoshop CC2015.1.2（16.1.2）下测试通过，理论上适用于 CC2015 （16.x.x）及以后的所有"
           "版本；启动文字只能在 CC2017 （18.0）以前的版本上修改。\r\n可以对你的 Photoshop "
           "使用，但也请做好备份以免意外。\r\n修改启动图将修改以下文件夹内的内容：\r\n" +
           hostFolder() + "Locales\r\n" + hostFolder() + "Resources";
  }
  LocateOutcome locate(const std::string& exe) {
    ui.answers.push_back(exe);
    return locateShown(ctx, ui);
  }
};

struct VersionCase {
  const char* stub;
  const char* productVersion;
  bool release18OrLater;
  const char* languageFolder;
  const char* languageFile;
  const char* stored;
};

class LocateVersion : public LocateHost, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(LocateVersion, DerivesPathsAndStoresTheLocation) {
  const VersionCase& c = GetParam();
  makeHost(c.stub, c.productVersion);
  ASSERT_EQ(locate(host.exePath), LocateOutcome::Located);

  ASSERT_EQ(ui.dialogs.size(), 1u);
  EXPECT_EQ(ui.dialogs[0].title, "找到 Photoshop 的位置");
  EXPECT_EQ(ui.dialogs[0].filter, "Photoshop.exe|Photoshop.exe");
  EXPECT_EQ(ui.dialogs[0].initialFolder, "");
  ASSERT_GE(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], (RecordedBox{supportedText(c.productVersion), "可以使用", MessageIcon::None}));
  EXPECT_EQ(ui.boxes.size(), 1u);

  EXPECT_EQ(state.release18OrLater, c.release18OrLater);
  EXPECT_EQ(state.hostFolder, hostFolder());
  EXPECT_EQ(state.currentIndexPath, hostFolder() + "Resources/IconResources.idx");
  EXPECT_EQ(state.languageFolder, hostFolder() + c.languageFolder);
  EXPECT_EQ(state.languageFileName, c.languageFile);
  EXPECT_EQ(ctx.languageFilePath(), hostFolder() + c.languageFolder + "/" + c.languageFile);

  EXPECT_EQ(settings("photoshop"), hostFolder());
  EXPECT_EQ(settings("photoshop_var"), c.stored);
  EXPECT_EQ(settings("photoshop_locaal_file"), c.languageFile);
  EXPECT_EQ(settings("photoshop_locaal_dir"), hostFolder() + c.languageFolder);

  // The current look is shown, then the path box names the host.
  ASSERT_EQ(view.looks.size(), 1u);
  EXPECT_EQ(view.looks[0].description, "当前 Photoshop 的启动画面");
  EXPECT_EQ(view.pathBoxTexts, std::vector<std::string>{hostFolder()});
}

INSTANTIATE_TEST_SUITE_P(
    Versions, LocateVersion,
    ::testing::Values(VersionCase{"v16.1.2", "16.1.2", false, "Locales/zh_CN/Support Files", "tw10428.dat", "16.1"},
                      VersionCase{"v17.0.1", "17.0.1", false, "Locales/zh_CN/Support Files", "tw10428.dat", "17"},
                      VersionCase{"v18.0.0", "18.0.0", true, "Locales/zh_CN", "tw10428_Photoshop_zh_CN.dat", "18"},
                      VersionCase{"v19.1", "19.1", true, "Locales/zh_CN/Support Files", "tw10428_Photoshop_zh_CN.dat",
                                  "19.1"}),
    [](const ::testing::TestParamInfo<VersionCase>& param) {
      std::string name = param.param.stub;
      for (char& c : name) {
        if (c == '.') c = '_';
      }
      return name;
    });

TEST_F(LocateHost, UnsupportedVersionWarnsAndGoesOn) {
  makeHost("v15.9", "15.9");
  ASSERT_EQ(locate(host.exePath), LocateOutcome::Located);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0],
            (RecordedBox{"选择的 Photoshop 版本为：15.9\r\n本程序适用于 Photoshop CC2015（16.x.x）及以后的版本，"
                         "未对其他版本作测试，不适用于你的 Photoshop 版本。",
                         "不适用的版本", MessageIcon::None}));
  EXPECT_FALSE(state.release18OrLater);
  EXPECT_EQ(settings("photoshop_var"), "15.9");
}

TEST_F(LocateHost, NoVersionResourceIsVersionZero) {
  makeHost("no-version", "16.1.2");
  ui.answers.push_back(host.exePath);
  ui.answers.push_back(std::nullopt);
  locateShown(ctx, ui);
  ASSERT_GE(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].caption, "不适用的版本");
  EXPECT_EQ(ui.boxes[0].text.rfind("选择的 Photoshop 版本为：\r\n", 0), 0u);
}

TEST_F(LocateHost, CancelledDialogOnlyRefreshesThePathBox) {
  state.hostFolder = "/old/host/";
  EXPECT_EQ(locateShown(ctx, ui), LocateOutcome::Cancelled);
  EXPECT_EQ(view.pathBoxTexts, std::vector<std::string>{"/old/host/"});
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_FALSE(files.exists(ctx.settingsFile()));
  EXPECT_EQ(state.hostFolder, "/old/host/");
}

TEST_F(LocateHost, AnswerThatIsNoFileCountsAsCancelled) {
  EXPECT_EQ(locate(dir / "gone/Photoshop.exe"), LocateOutcome::Cancelled);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(LocateHost, MissingIndexEmptiesTheHostAndStoresNothing) {
  makeHost();
  std::filesystem::remove(host.indexPath);
  state.hostFolder = "/previous/";
  EXPECT_EQ(locate(host.exePath), LocateOutcome::IndexMissing);
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[1],
            (RecordedBox{"Photoshop IconResources.idx 不存在：" + hostFolder() + "Resources/IconResources.idx\r\n",
                         "无效路径", MessageIcon::None}));
  EXPECT_EQ(state.hostFolder, "");
  EXPECT_EQ(state.currentIndexPath, "");
  EXPECT_FALSE(files.exists(ctx.settingsFile()));
  EXPECT_TRUE(view.pathBoxTexts.empty());
  // A later cancelled location writes the now empty host folder into the path box.
  locateShown(ctx, ui);
  EXPECT_EQ(view.pathBoxTexts, std::vector<std::string>{""});
}

// The picked file takes the startup text: one outside the host's Locales folder is
// refused and nothing is stored; one inside it is the language file from then on.
TEST_F(LocateHost, MissingLanguageFileAsksForOneInsideTheHostAndStoresIt) {
  makeHost();
  std::string outside = dir / "elsewhere/mine.dat";
  std::string picked = hostFolder() + "Locales/zh_CN/mine.dat";
  std::filesystem::create_directories(dir.path() / "elsewhere");
  std::filesystem::copy_file(testing::pathFromUtf8(host.languageFile), testing::pathFromUtf8(outside));
  std::filesystem::rename(testing::pathFromUtf8(host.languageFile), testing::pathFromUtf8(picked));
  ui.answers = {host.exePath, outside};
  ASSERT_EQ(locateShown(ctx, ui), LocateOutcome::LanguageMissing);
  EXPECT_EQ(ui.boxes.back(),
            (RecordedBox{"语言文件必须在这个 Photoshop 安装目录的 Locales 文件夹里，未作任何修改：" + outside, "无效路径",
                         MessageIcon::None}));
  EXPECT_NE(state.languageFolder, dir / "elsewhere");
  EXPECT_EQ(settings("photoshop_locaal_dir"), "<missing>");

  ui.boxes.clear();
  ui.dialogs.clear();
  ui.answers = {host.exePath, picked};
  ASSERT_EQ(locateShown(ctx, ui), LocateOutcome::Located);
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[1],
            (RecordedBox{"语言文件不存在：" + host.languageFile +
                             "\r\n你可以在 Photoshop 安装目录下 Locales 文件夹中手动找 .dat 后缀名的语言文件",
                         "无效路径", MessageIcon::None}));
  ASSERT_EQ(ui.dialogs.size(), 2u);
  EXPECT_EQ(ui.dialogs[1].title, "");
  EXPECT_EQ(ui.dialogs[1].filter, "*.dat|*.dat");
  EXPECT_EQ(ui.dialogs[1].initialFolder, hostFolder() + "Locales/");
  EXPECT_EQ(ctx.languageFilePath(), picked);
  EXPECT_EQ(state.languageFileName, "mine.dat");
  EXPECT_EQ(settings("photoshop_locaal_file"), "mine.dat");
  EXPECT_EQ(settings("photoshop_locaal_dir"), hostFolder() + "Locales/zh_CN");
}

TEST_F(LocateHost, CancelledLanguageDialogKeepsTheHostForThisRunOnly) {
  makeHost();
  std::filesystem::remove(host.languageFile);
  ui.answers.push_back(host.exePath);
  EXPECT_EQ(locateShown(ctx, ui), LocateOutcome::LanguageMissing);
  EXPECT_EQ(state.hostFolder, hostFolder());
  EXPECT_EQ(state.currentIndexPath, hostFolder() + "Resources/IconResources.idx");
  EXPECT_FALSE(files.exists(ctx.settingsFile()));
  EXPECT_TRUE(view.pathBoxTexts.empty());
  EXPECT_TRUE(view.looks.empty());
}

// An installation in another language has no zh_CN folder: it is not asked about, and
// is located and stored without a language file.
TEST_F(LocateHost, HostWithoutZhCnIsStoredWithoutALanguageFile) {
  makeHost();
  std::filesystem::remove_all(testing::pathFromUtf8(host.folder + "/Locales/zh_CN"));
  ui.answers.push_back(host.exePath);
  EXPECT_EQ(locateShown(ctx, ui), LocateOutcome::LocatedWithoutLanguage);
  EXPECT_EQ(ui.dialogs.size(), 1u);
  EXPECT_TRUE(state.languageAbsent());
  EXPECT_EQ(ctx.languageFilePath(), "");
  EXPECT_TRUE(hostPathsSettled(state, '/'));
  EXPECT_EQ(settings("photoshop"), hostFolder());
  EXPECT_EQ(settings("photoshop_locaal_file"), "");
  EXPECT_EQ(settings("photoshop_locaal_dir"), "");
  EXPECT_EQ(ui.boxes.back(), (RecordedBox{testing::kNoLanguageFileText, "信息：", MessageIcon::None}));
  EXPECT_EQ(view.pathBoxTexts, std::vector<std::string>{hostFolder()});
  EXPECT_EQ(view.looks.size(), 1u);
}

TEST_F(LocateHost, HostBelow18AfterA18HostClearsTheFlag) {
  makeHost("v18.0.0", "18.0.0", true, "PS18");
  ASSERT_EQ(locate(host.exePath), LocateOutcome::Located);
  EXPECT_TRUE(state.release18OrLater);
  makeHost("v16.1.2", "16.1.2", true, "PS16");
  ASSERT_EQ(locate(host.exePath), LocateOutcome::Located);
  EXPECT_FALSE(state.release18OrLater);
  EXPECT_EQ(settings("photoshop_var"), "16.1");
}

// Two installations in one run: whatever is backed up, restored or written belongs to the
// host located last.
class SecondHost : public LocateHost {
 protected:
  tools::SampleHost a, b;
  std::string bLanguage;  // B's own language file, unlike A's
  void SetUp() override {
    LocateHost::SetUp();
    a = makeHost("v16.1.2", "16.1.2", true, "PS_A");
    b = makeHost("v16.1.2", "16.1.2", true, "PS_B");
    bLanguage = b.languageBytes + utf8ToUtf16le("\"$$$/Menu/OnlyOnB=B\"\r\n");
    testing::writeFile(b.languageFile, bLanguage);
    testing::writeTheme(home, "Sakura", testing::sixImages());
  }
  std::string read(const std::string& path) { return testing::readWhole(path); }
};

TEST_F(SecondHost, ApplyAfterLocatingAnotherHostWorksOnThatHostsFilesOnly) {
  ui.answers.push_back(a.exePath);
  runStartup(ctx);
  state.startupTextToggle = true;
  ui.shown(applyFromThemeList(ctx, "Sakura", state.startupTextToggle));
  const std::string aLanguage = read(a.languageFile), aIndex = read(a.indexPath);
  ASSERT_NE(aLanguage, a.languageBytes);  // A carries the program's block

  ASSERT_EQ(locate(b.exePath), LocateOutcome::Located);
  EXPECT_EQ(state.languageBackupFolder, b.folder + "/Locales_BAK");
  ui.boxes.clear();
  state.startupTextToggle = false;
  ui.shown(applyFromThemeList(ctx, "Sakura", state.startupTextToggle));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"修改完成", "应用", MessageIcon::None}}));
  EXPECT_EQ(read(b.languageFile), bLanguage);
  EXPECT_EQ(read(b.folder + "/Locales_BAK/lumaset_BAK/tw10428.dat"), bLanguage);
  EXPECT_EQ(read(b.folder + "/Resources/lumaset_BAK/IconResources.idx"), b.index);
  EXPECT_NE(read(b.indexPath), b.index);
  EXPECT_EQ(read(a.languageFile), aLanguage);
  EXPECT_EQ(read(a.indexPath), aIndex);
  EXPECT_EQ(read(a.folder + "/Locales_BAK/lumaset_BAK/tw10428.dat"), a.languageBytes);
}

TEST_F(SecondHost, FirstStartCancelledThenLocatedKeepsTheBackupInThatHost) {
  runStartup(ctx);  // the first start's dialog is cancelled
  EXPECT_EQ(state.languageBackupFolder, "");
  ASSERT_EQ(locate(b.exePath), LocateOutcome::Located);
  EXPECT_EQ(state.languageBackupFolder, b.folder + "/Locales_BAK");
  EXPECT_FALSE(files.exists(b.folder + "/Locales_BAK"));  // made by the first backup, inside the edit
  state.startupTextToggle = true;
  ui.shown(applyFromThemeList(ctx, "[当前]", state.startupTextToggle));
  EXPECT_EQ(read(b.folder + "/Locales_BAK/lumaset_BAK/tw10428.dat"), bLanguage);
  EXPECT_EQ(read(b.languageFile).substr(0, bLanguage.size()), bLanguage);
  EXPECT_EQ(read(b.languageFile).size(), bLanguage.size() + 4870);
}

TEST_F(SecondHost, LocationStoppedAtTheLanguageFileNeverUsesTheFirstHostsBackup) {
  ui.answers.push_back(a.exePath);
  runStartup(ctx);
  ui.shown(applyFromThemeList(ctx, "[当前]", state.startupTextToggle));  // A's language backup exists from here on
  std::filesystem::remove(testing::pathFromUtf8(b.languageFile));
  ASSERT_EQ(locate(b.exePath), LocateOutcome::LanguageMissing);
  EXPECT_EQ(state.languageBackupFolder, b.folder + "/Locales_BAK");
  ui.boxes.clear();
  ui.shown(applyFromThemeList(ctx, "[默认]", state.startupTextToggle));
  EXPECT_FALSE(files.exists(b.languageFile));  // not made from A's backup
  EXPECT_EQ(read(b.indexPath), b.index);
  EXPECT_EQ(read(a.languageFile), a.languageBytes);
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back().caption, "信息：");  // the no-backup message: B's language file cannot be backed up
}

// A hand-picked language file that carries the program's block is never forgotten by a
// later location whose pick is cancelled: the stored one stays, and "[默认]" after a
// restart takes the block out again.
TEST_F(SecondHost, CancelledPickKeepsTheHandPickedLanguageFileForTheWayBack) {
  std::filesystem::remove(testing::pathFromUtf8(a.languageFile));
  const std::string picked = a.folder + "/Locales/zh_CN/mine.dat";
  testing::writeFile(picked, a.languageBytes);
  ui.answers = {a.exePath, picked};
  runStartup(ctx);
  ui.shown(applyFromThemeList(ctx, "[当前]", true));  // the block goes into the picked file
  ASSERT_GT(read(picked).size(), a.languageBytes.size());
  ui.answers.clear();  // the pick of the language file is cancelled
  EXPECT_EQ(locate(a.exePath), LocateOutcome::LanguageMissing);
  EXPECT_EQ(settings("photoshop_locaal_file"), "mine.dat");
  RunState restarted;
  Context again{files, ui, view, restarted, home};
  runStartup(again);
  ASSERT_FALSE(restarted.languageAbsent());
  ui.shown(applyFromThemeList(again, "[默认]", false));
  EXPECT_EQ(read(picked), a.languageBytes);
}

TEST_F(SecondHost, LocationStoppedAtTheIndexLeavesNothingOfTheFirstHostToWriteTo) {
  ui.answers.push_back(a.exePath);
  runStartup(ctx);
  std::filesystem::remove(testing::pathFromUtf8(b.indexPath));
  ASSERT_EQ(locate(b.exePath), LocateOutcome::IndexMissing);
  EXPECT_EQ(state.languageBackupFolder, "");
  EXPECT_FALSE(hostPathsSettled(state, '/'));
  ui.boxes.clear();
  ui.shown(refreshBackup(ctx));
  const Message wrong = messageFor({MessageId::HostPathWrong});
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{wrong.text, "错误", MessageIcon::None}}));
  EXPECT_FALSE(files.exists(a.folder + "/Resources/lumaset_BAK"));
}

TEST_F(LocateHost, AnswerWithoutAnAbsoluteFolderCountsAsCancelled) {
  makeHost();
  std::filesystem::current_path(testing::pathFromUtf8(host.folder));
  EXPECT_EQ(locate("Photoshop.exe"), LocateOutcome::Cancelled);
  EXPECT_EQ(state.hostFolder, "");
  EXPECT_TRUE(ui.boxes.empty());
}

// A folder part that Windows would shorten (trailing dots or spaces) names another folder
// on Windows, and under wine the neighbour without them: the location refuses it before
// it sets or stores anything, and the host located before stays.
TEST_F(LocateHost, HostFolderWithAPartEndingInADotOrASpaceIsRefused) {
  makeHost();
  ASSERT_EQ(locate(host.exePath), LocateOutcome::Located);
  const std::string settingsBefore = testing::readWhole(ctx.settingsFile());
  const std::string located = state.hostFolder, language = ctx.languageFilePath();
  for (const std::string refused : {"PS..", "PS ", "outer./PS", "outer /PS"}) {
    SCOPED_TRACE(refused);
    std::filesystem::create_directories(testing::pathFromUtf8(folderOf(dir / refused, "/")));
    makeHost("v18.0.0", "18.0.0", true, refused);
    ui.boxes.clear();
    view.looks.clear();
    view.pathBoxTexts.clear();
    EXPECT_EQ(locate(host.exePath), LocateOutcome::FolderRefused);
    const std::string part = dir / refused.substr(0, refused.find('/'));
    EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{
                            {"Photoshop 所在路径中有文件夹的名字以点或空格结尾，Windows 会去掉这些点和空格，"
                             "把它当成另一个文件夹：" +
                                 part + "\r\n请给这个文件夹改名（去掉名字结尾的点或空格）后再选择 Photoshop.exe。",
                             "无效路径", MessageIcon::None}}));
    EXPECT_EQ(state.hostFolder, located);
    EXPECT_EQ(ctx.languageFilePath(), language);
    EXPECT_FALSE(state.release18OrLater);
    EXPECT_EQ(testing::readWhole(ctx.settingsFile()), settingsBefore);
    EXPECT_TRUE(view.looks.empty());
    EXPECT_TRUE(view.pathBoxTexts.empty());
  }
}

// setting.ini that takes only the first `allowed` writes, as a program folder the user may
// not write to (none) or a file that another program locks on the way; counts the tries.
class SettingsWritesFail : public testing::ForwardingFiles {
 public:
  SettingsWritesFail(Files& inner, int allowed) : ForwardingFiles(inner), allowed_(allowed) {}
  int tries = 0;
  bool allowChange(const testing::ChangeCall& call) override {
    return call.name != "writeProfileString" || ++tries <= allowed_;
  }

 private:
  int allowed_;
};

TEST_F(LocateHost, SettingsThatCannotBeStoredFailTheLocationOnceButKeepTheHostForThisRun) {
  makeHost();
  const std::string unsaved =
      "无法保存设置：" + ctx.settingsFile() +
      "\r\nLumaset 所在的文件夹不能写入（例如放在了 C:\\Program Files 下），或者设置文件正被别的程序占用。"
      "这次运行仍会使用选择的 Photoshop，但下次启动时还要重新选择。"
      "\r\n请把 Lumaset 整个文件夹移到一个可以写入的位置（例如 D:\\工具\\Lumaset 或“文档”文件夹）后再运行。";
  for (int allowed : {0, 2}) {
    SCOPED_TRACE(allowed);
    std::filesystem::remove(testing::pathFromUtf8(ctx.settingsFile()));
    state = RunState{};
    ui.boxes.clear();
    view.looks.clear();
    view.pathBoxTexts.clear();
    SettingsWritesFail failing(files, allowed);
    Context failingCtx{failing, ui, view, state, home};
    ui.answers.push_back(host.exePath);
    Outcome out;
    EXPECT_EQ(locateHost(failingCtx, out), LocateOutcome::Located);
    EXPECT_EQ(out.status, Status::Failed);
    EXPECT_EQ(failing.tries, allowed + 1);  // no write after the first that failed
    ui.shown(out);
    EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{supportedText("16.1.2"), "可以使用", MessageIcon::None},
                                                  {unsaved, "错误", MessageIcon::Error}}));
    EXPECT_EQ(state.hostFolder, hostFolder());
    EXPECT_EQ(ctx.languageFilePath(), host.languageFile);
    EXPECT_TRUE(hostPathsSettled(state, '/'));
    EXPECT_EQ(view.looks.size(), 1u);
    EXPECT_EQ(view.pathBoxTexts, std::vector<std::string>{hostFolder()});
  }
  EXPECT_EQ(settings("photoshop_locaal_file"), "<missing>");  // the third write never happened
}

TEST(LanguageLocation, FollowsTheVersionTableWithItsTolerance) {
  auto at = [](float v) { return languageLocationFor("C:\\PS\\", v, '\\'); };
  EXPECT_EQ(at(16.1f).folder, "C:\\PS\\Locales\\zh_CN\\Support Files");
  EXPECT_EQ(at(16.1f).fileName, "tw10428.dat");
  EXPECT_EQ(at(18.0f).folder, "C:\\PS\\Locales\\zh_CN");
  EXPECT_EQ(at(18.0f).fileName, "tw10428_Photoshop_zh_CN.dat");
  EXPECT_EQ(at(17.99999999f).fileName, "tw10428_Photoshop_zh_CN.dat");  // rounds to 18 in float
  EXPECT_EQ(at(19.0f).folder, "C:\\PS\\Locales\\zh_CN\\Support Files");
  EXPECT_EQ(languageLocationFor("C:\\PS", 16.0f, '\\').folder, "C:\\PS\\Locales\\zh_CN\\Support Files");
}

TEST(HostPaths, ExecutableAtADriveRoot) {
  std::string host = folderWithSeparator("C:\\Photoshop.exe", '\\');
  EXPECT_EQ(host, "C:\\");
  EXPECT_EQ(withTrailingSeparator(host, '\\') + "Resources\\IconResources.idx", "C:\\Resources\\IconResources.idx");
  EXPECT_EQ(withTrailingSeparator("", '\\'), "\\");
  EXPECT_EQ(withTrailingSeparator("D:\\PS", '\\'), "D:\\PS\\");
  EXPECT_EQ(resourcesFolder("D:\\PS\\", '\\'), "D:\\PS\\Resources");
}

}  // namespace
}  // namespace lumaset
