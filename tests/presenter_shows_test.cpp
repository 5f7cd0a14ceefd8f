// What the window shows is what happens, with a fake window: a theme's preview shows the
// icons an apply leaves, an import selects and previews the theme it added, "[默认]"
// before any backup is the current look, the label says which look the host carries
// (unknown for a damaged host, which "[默认]" gives back), an update that took the theme
// off is said and one answer gives it back, and the links open what ships beside the
// program.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/fake_main_view.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "support/wine_prefix.h"
#include "support/zip_builder.h"
#include "ui/presenter.h"

namespace lumaset {
namespace {

std::string info(const std::string& description) { return "[Lumaset_theme]\r\ninfo=" + description + "\r\n"; }

class WindowShows : public testing::HostFixture {
 protected:
  testing::FakeMainView main;
  testing::ListedPlaces places;
  ui::Presenter presenter{files, ui, places, main, home};

  void SetUp() override {
    HostFixture::SetUp();
    testing::writeTheme(home, "Full", testing::sixImages(20), info("Full theme"));
    // A splash alone, like the sample theme Sunset.
    testing::writeTheme(home, "Bare", {{"loading_low.png", testing::samplePng(30)}}, info("Bare theme"));
  }
  void start() {
    makeHost();
    ui.answers.push_back(host.exePath);
    presenter.runStartup();
    presenter.showFirstEntry();
    ui.boxes.clear();
  }
  void choose(const std::string& entry) {
    auto found = std::find(main.entries.begin(), main.entries.end(), entry);
    ASSERT_NE(found, main.entries.end()) << entry;
    main.selected = static_cast<int>(found - main.entries.begin());
    presenter.themeBoxUpdate();
  }
  void apply(const std::string& entry) {
    choose(entry);
    ui.boxes.clear();
    presenter.applyThemeClicked();
    ASSERT_EQ(ui.boxes, (std::vector<testing::RecordedBox>{{"修改完成", "应用", MessageIcon::None}})) << entry;
    ui.boxes.clear();
  }
  // The fake box, the list's selection and the description all name one entry.
  void expectShown(const std::string& entry, const std::string& description) {
    EXPECT_EQ(main.fakeBoxText, entry);
    EXPECT_EQ(main.selectedThemeText(), entry);
    ASSERT_FALSE(main.looks.empty());
    EXPECT_EQ(main.looks.back().description, description);
  }
  static void expectSameImages(const Look& shown, const Look& expected, const std::string& what) {
    EXPECT_TRUE(shown.splash == expected.splash) << what;
    EXPECT_TRUE(shown.darkIcon == expected.darkIcon) << what;
    EXPECT_TRUE(shown.lightIcon == expected.lightIcon) << what;
  }
};

// A theme without icons leaves the host's own there: the preview shows those, not the
// icons of the entry shown before, and not the icons a theme applied earlier left.
TEST_F(WindowShows, ThemePreviewShowsTheIconsTheApplyLeaves) {
  start();
  const Look own = main.looks.back();  // "[当前]" at the start: the host's own icons
  ASSERT_FALSE(own.darkIcon.empty());
  choose("Full");
  choose("Bare");
  EXPECT_TRUE(main.looks.back().darkIcon == own.darkIcon);  // before any backup: the current ones
  EXPECT_TRUE(main.looks.back().lightIcon == own.lightIcon);
  apply("Full");  // the host shows Full's icons now; its own stay in the backup
  choose("Bare");
  const Look bare = main.looks.back();
  EXPECT_TRUE(bare.darkIcon == own.darkIcon);
  EXPECT_TRUE(bare.splash == testing::samplePng(30));
  apply("Bare");
  choose("[当前]");
  expectSameImages(main.looks.back(), bare, "the host after the apply against the preview before it");
}

TEST_F(WindowShows, AnImportSelectsAndPreviewsTheThemeItAdded) {
  start();
  choose("Full");
  testing::writeTheme(dir.str() + "/drop", "Dropped", {{"loading_low.png", testing::samplePng(40)}},
                      info("Dropped theme"));
  presenter.filesDropped({dir / "drop/LumasetTheme/Dropped"});
  expectShown("Dropped", "Dropped theme");
  EXPECT_TRUE(main.looks.back().splash == testing::samplePng(40));
  EXPECT_TRUE(main.previews.back().indicatorsShown);

  testing::writeFile(dir / "dl/Zipped.zip", testing::buildZip({{"info.ini", info("Zipped theme")},
                                                               {"loading_low.png", testing::samplePng(41)}}));
  ui.answers.push_back(dir / "dl/Zipped.zip");
  presenter.addThemePackage();
  expectShown("Zipped", "Zipped theme");
  EXPECT_TRUE(main.looks.back().splash == testing::samplePng(41));
  // An import that adds nothing leaves the entry as it was shown.
  const std::size_t looks = main.looks.size();
  ui.answers.push_back(dir / "dl/none.zip");
  presenter.addThemePackage();
  expectShown("Zipped", "Zipped theme");
  EXPECT_EQ(main.looks.size(), looks);
}

// A theme removed after the list was read is refused, and the list shows the library as
// it is now.
TEST_F(WindowShows, AVanishedThemeIsRefusedAndTheListReadAgain) {
  start();
  choose("Bare");
  std::filesystem::remove_all(home + "/LumasetTheme/Bare");
  presenter.applyThemeClicked();
  EXPECT_EQ(ui.boxes, (std::vector<testing::RecordedBox>{
                          {"主题库里没有这个主题，未作任何修改：Bare", "错误", MessageIcon::Error}}));
  EXPECT_EQ(std::count(main.entries.begin(), main.entries.end(), "Bare"), 0);
  EXPECT_NE(main.selectedThemeText(), "Bare");
  EXPECT_FALSE(files.exists(host.folder + "/Resources/lumaset_BAK"));
}

// "[默认]" before any backup: nothing has been changed, so the host's own look is its
// current one; no message. The description follows the backup the first apply makes.
TEST_F(WindowShows, DefaultBeforeAnyBackupIsTheCurrentLookWithoutAMessage) {
  start();
  const Look current = main.looks.back();
  choose("[默认]");
  EXPECT_TRUE(ui.boxes.empty());
  expectShown("[默认]", "Photoshop 的默认启动画面（还没有备份，就是当前的画面）");
  expectSameImages(main.looks.back(), current, "[默认] before a backup");
  presenter.applyThemeClicked();
  expectShown("[默认]", "Photoshop 的默认启动画面（备份的画面）");
  apply("Full");
  choose("[默认]");
  EXPECT_TRUE(ui.boxes.empty());
  expectSameImages(main.looks.back(), current, "[默认] over Full");
}

TEST_F(WindowShows, WithoutAHostTheBuiltInEntriesSayNothingIsChosen) {
  presenter.runStartup();  // the first location is cancelled
  presenter.showFirstEntry();
  ui.boxes.clear();
  presenter.nextTheme();
  expectShown("[当前]", "还没有选择 Photoshop（点“Ps 路径”旁的文件夹按钮选择 Photoshop.exe）");
  presenter.nextTheme();
  expectShown("[默认]", "还没有选择 Photoshop（点“Ps 路径”旁的文件夹按钮选择 Photoshop.exe）");
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(main.looks.back().splash.empty());
  EXPECT_EQ(main.carries, std::vector<std::string>{""});
}

TEST_F(WindowShows, TheLabelSaysWhichLookTheHostCarries) {
  start();
  EXPECT_EQ(main.carries.back(), "当前：原版");
  apply("Full");
  EXPECT_EQ(main.carries.back(), "当前：Full");
  testing::writeFile(dir / "dark.png", testing::samplePng(50));
  main.fields[2] = dir / "dark.png";
  presenter.applyCustomClicked();
  EXPECT_EQ(main.carries.back(), "当前：自定义图片");
  apply("[默认]");
  EXPECT_EQ(main.carries.back(), "当前：原版");
  apply("Bare");
  EXPECT_EQ(main.carries.back(), "当前：Bare");

  // Someone else changes the language file: the next start claims nothing; "备份" makes
  // the change the host's own, and the theme is known again.
  std::ofstream(testing::pathFromUtf8(host.languageFile), std::ios::binary | std::ios::app) << "xx";
  testing::FakeMainView again;
  ui::Presenter restarted{files, ui, places, again, home};
  restarted.runStartup();
  restarted.showFirstEntry();
  EXPECT_EQ(again.carries.back(), "当前：未知");
  restarted.backupPressed();
  EXPECT_EQ(again.carries.back(), "当前：Bare");
}

// An update takes the theme off while the window is away: coming back to the front says
// so; declined, it is not asked again in that run. The next run asks once its window
// shows, and the answer yes gives the theme back.
TEST_F(WindowShows, AnUpdateThatTookTheThemeOffIsSaidAndOneAnswerGivesItBack) {
  start();
  apply("Full");
  presenter.cameToFront();
  EXPECT_TRUE(ui.questions.empty());
  updateHost({"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat",
              "PSIconsXHighRes.dat"});
  presenter.cameToFront();
  presenter.cameToFront();
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].text.rfind("Photoshop 已更新，主题「Full」已被还原", 0), 0u) << ui.questions[0].text;
  EXPECT_EQ(main.carries.back(), "当前：Full");

  testing::FakeMainView again;
  ui::Presenter restarted{files, ui, places, again, home};
  restarted.runStartup();
  restarted.showFirstEntry();
  EXPECT_EQ(again.carries.back(), "当前：未知");
  ui.yesNo = {true};
  restarted.firstFrameDrawn();
  EXPECT_EQ(ui.questions.size(), 2u);
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back().text, "已更新备份，并重新应用了主题「Full」");
  EXPECT_EQ(again.carries.back(), "当前：Full");
}

// A location shows the new host's current look under "[当前]", and what it carries.
TEST_F(WindowShows, ALocationShowsTheNewHostUnderTheCurrentEntry) {
  start();
  apply("Full");
  makeHost("v16.1.2", "16.1.2", true, "PS2");
  ui.answers.push_back(host.exePath);
  presenter.locateClicked();
  EXPECT_EQ(main.pathBox.back(), host.folder + "/");
  expectShown("[当前]", "当前 Photoshop 的启动画面");
  EXPECT_EQ(main.carries.back(), "当前：原版");
}

// A damaged host file is shown as unknown and never taken as an update by "备份"; "[默认]"
// gives the host's own bytes back, and a theme is applied over the backup's copies. The
// start says what "[默认]" can do for a damaged index.
TEST_F(WindowShows, ADamagedHostIsUnknownAndGivenBackNotTakenAsAnUpdate) {
  start();
  const auto own = hostFiles();
  auto damage = [&](const std::string& file, std::size_t keep) {
    std::string bytes(own.at(file).size(), '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
    testing::writeFile(res(file), bytes.substr(0, keep));
  };
  auto restartSaying = [&](const std::string& said) {
    testing::FakeMainView again;
    ui::Presenter restarted{files, ui, places, again, home};
    restarted.runStartup();
    restarted.showFirstEntry();
    EXPECT_EQ(again.carries.back(), "当前：未知");
    EXPECT_EQ(said.empty(), ui.boxes.empty());
    for (const auto& box : ui.boxes) EXPECT_NE(box.text.find(said), std::string::npos) << box.text;
    ui.boxes.clear();
  };
  apply("Full");
  damage("PSIconsHighRes.dat", std::string::npos);
  restartSaying("");
  presenter.backupPressed();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_NE(ui.boxes[0].text.find("已损坏，不能作为原版备份"), std::string::npos) << ui.boxes[0].text;
  EXPECT_EQ(testing::readWhole(bak("PSIconsHighRes.dat")), own.at("PSIconsHighRes.dat"));
  ui.boxes.clear();
  apply("Bare");
  apply("[默认]");
  EXPECT_TRUE(hostFiles() == own);

  for (std::size_t keep : {std::string::npos, own.at("IconResources.idx").size() - 100}) {
    damage("IconResources.idx", keep);
    restartSaying("应用“[默认]”可以用备份把它恢复");
    apply("[默认]");
    EXPECT_TRUE(hostFiles() == own);
  }
}

TEST_F(WindowShows, LinksOpenTheGuideAndTheThemeLibrary) {
  start();
  presenter.openGuide();  // not beside the program: said, and nothing opened
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text.rfind("找不到使用说明：" + home + "/使用说明.txt\r\n", 0), 0u) << ui.boxes[0].text;
  EXPECT_TRUE(ui.openedPages.empty());
  testing::writeFile(home + "/使用说明.txt", "guide");
  presenter.openGuide();
  EXPECT_EQ(ui.openedTexts, std::vector<std::string>{home + "/使用说明.txt"});
  ASSERT_EQ(ui.boxes.size(), 1u);
  ui.textsOpen = false;  // no program for .txt, and no Notepad either: where it is is said
  presenter.openGuide();
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_NE(ui.boxes[1].text.find(home + "/使用说明.txt"), std::string::npos);
  presenter.openMoreThemes();
  EXPECT_EQ(ui.openedFolders, std::vector<std::string>{home + "/LumasetTheme"});
  EXPECT_TRUE(ui.openedPages.empty());  // no web page
}

// In English the window opens the English guide, and says so in English when it is missing.
TEST_F(WindowShows, TheGuideIsTheOneOfTheWindowsLanguage) {
  start();
  useLanguage(Language::English);
  testing::writeFile(home + "/使用说明.txt", "guide");
  presenter.openGuide();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text.rfind("The guide is missing: " + home + "/Guide.txt\r\n", 0), 0u) << ui.boxes[0].text;
  testing::writeFile(home + "/Guide.txt", "guide");
  presenter.openGuide();
  EXPECT_EQ(ui.openedTexts, std::vector<std::string>{home + "/Guide.txt"});
  useLanguage(Language::Chinese);
  presenter.openGuide();
  EXPECT_EQ(ui.openedTexts, (std::vector<std::string>{home + "/Guide.txt", home + "/使用说明.txt"}));
}

}  // namespace
}  // namespace lumaset
