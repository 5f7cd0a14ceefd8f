// The main window's rules, with a fake window: the theme box and its stepping, the page
// buttons, the startup-text toggle and its overlay, and the operations controls run.
#include <gtest/gtest.h>

#include "support/fake_main_view.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "support/wine_prefix.h"
#include "support/without_rights.h"
#include "ui/presenter.h"

namespace lumaset {
namespace {

class PresenterTest : public testing::HostFixture {
 protected:
  testing::FakeMainView main;
  testing::ListedPlaces places;
  ui::Presenter presenter{files, ui, places, main, home};

  void startOnHost(const std::string& stub = "v16.1.2", const std::string& version = "16.1.2",
                   tools::HostShape shape = tools::HostShape::Sample, bool chinese = true) {
    makeHost(stub, version, true, "PS", shape, chinese);
    testing::writeTheme(home, "Ink", {{"loading_low.png", testing::samplePng(1)}}, testing::kHidingThemeInfo);
    testing::writeTheme(home, "Plain", {{"loading_low.png", testing::samplePng(2)}});
    ui.answers.push_back(host.exePath);
    presenter.runStartup();
    presenter.showFirstEntry();
    ui.boxes.clear();
  }
};

TEST_F(PresenterTest, StartOpensOnTheCurrentLook) {
  startOnHost();
  ASSERT_GE(main.entries.size(), 4u);
  EXPECT_EQ(main.selected, 0);
  EXPECT_EQ(main.fakeBoxText, "[当前]");
  EXPECT_FALSE(main.listShown);
  ASSERT_FALSE(main.looks.empty());
  EXPECT_EQ(main.looks.back().description, "当前 Photoshop 的启动画面");
}

TEST_F(PresenterTest, StartWithoutAHostLeavesTheListUnselected) {
  presenter.runStartup();  // the location dialog is cancelled
  presenter.showFirstEntry();
  EXPECT_EQ(main.entries, (std::vector<std::string>{"[当前]", "[默认]"}));
  EXPECT_EQ(main.selected, -1);
  EXPECT_EQ(main.fakeBoxText, std::string("选择一个主题"));
  EXPECT_TRUE(main.looks.empty());
  EXPECT_EQ(main.pathBox, std::vector<std::string>{""});
}

// The host in the Program Files folder the system names is offered on the first start,
// and taking it locates it.
TEST_F(PresenterTest, FirstStartOffersTheHostFoundInProgramFiles) {
  const std::string programFiles = dir / "Program Files";
  std::filesystem::create_directories(testing::pathFromUtf8(programFiles + "/Adobe"));
  makeHost("v16.1.2", "16.1.2", true, "Program Files/Adobe/Adobe Photoshop CC 2015");
  places.list = {{PlaceKind::ProgramFiles, programFiles, ""}};
  ui.answers.push_back(host.exePath);
  presenter.runStartup();
  presenter.showFirstEntry();
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes[0].caption, "找到 Photoshop");
  EXPECT_NE(ui.boxes[0].text.find("找到的 Photoshop：" + host.folder + "/"), std::string::npos) << ui.boxes[0].text;
  ASSERT_EQ(ui.dialogs.size(), 1u);
  EXPECT_EQ(ui.dialogs[0].initialFolder, host.folder + "/");
  EXPECT_EQ(ui.dialogs[0].fileName, "Photoshop.exe");
  EXPECT_EQ(main.pathBox.back(), host.folder + "/");
}

TEST_F(PresenterTest, NextAndPreviousWrapAround) {
  startOnHost();
  int last = static_cast<int>(main.entries.size()) - 1;
  presenter.previousTheme();
  EXPECT_EQ(main.selected, last);
  EXPECT_EQ(main.fakeBoxText, main.entries[last]);
  presenter.nextTheme();
  EXPECT_EQ(main.selected, 0);
  presenter.nextTheme();
  EXPECT_EQ(main.selected, 1);
  main.entries.clear();
  presenter.nextTheme();
  EXPECT_EQ(main.selected, -1);
  EXPECT_EQ(main.fakeBoxText, "");
}

TEST_F(PresenterTest, ThemeBoxOpensAndClosesOnTheChosenName) {
  startOnHost();
  presenter.openThemeBox();
  EXPECT_TRUE(main.listShown);
  EXPECT_TRUE(main.droppedDown);
  main.selected = 2;
  std::size_t previews = main.previews.size();
  presenter.closeThemeBox();  // focus lost: no preview
  EXPECT_FALSE(main.listShown);
  EXPECT_EQ(main.fakeBoxText, main.entries[2]);
  EXPECT_EQ(main.previews.size(), previews);
  presenter.themeBoxUpdate();  // an entry chosen: previewed
  EXPECT_EQ(main.previews.size(), previews + 1);
}

TEST_F(PresenterTest, ThemePreviewSetsTheToggleAndOverlay) {
  startOnHost();
  main.selected = static_cast<int>(std::find(main.entries.begin(), main.entries.end(), "Ink") - main.entries.begin());
  presenter.themeBoxUpdate();
  EXPECT_TRUE(main.toggle);
  EXPECT_EQ(main.overlay, Overlay::Clear);
  EXPECT_TRUE(main.previews.back().indicatorsShown);
  main.selected = static_cast<int>(std::find(main.entries.begin(), main.entries.end(), "Plain") - main.entries.begin());
  presenter.themeBoxUpdate();
  EXPECT_FALSE(main.toggle);  // switching themes turns it off again
  EXPECT_EQ(main.overlay, Overlay::Marked);
}

TEST_F(PresenterTest, EachPreviewStepRedrawsThePreviewOnce) {
  startOnHost();
  std::size_t looksBefore = main.looks.size(), previewsBefore = main.previews.size();
  int overlaysBefore = main.overlayShows;
  presenter.nextTheme();
  presenter.nextTheme();
  EXPECT_EQ(main.looks.size(), looksBefore + 2);
  EXPECT_EQ(main.overlayShows, overlaysBefore);
  EXPECT_EQ(main.previews.size(), previewsBefore + 2);
}

TEST_F(PresenterTest, PageButtonsSwitchPagesTogether) {
  startOnHost();
  main.themePressed = false;  // a click on 主题 while its page is shown lifts it
  presenter.themePageClicked();
  EXPECT_EQ(main.page, 1);
  EXPECT_TRUE(main.customPressed);
  EXPECT_EQ(main.labelRedraws, 1);
  main.customPressed = false;
  presenter.customPageClicked();
  EXPECT_EQ(main.page, 0);
  EXPECT_TRUE(main.themePressed);
}

// Each page previews what its 应用 gives: the custom page the picked images (the host's
// default where none, or none the host can take, is picked), the theme page its entry
// again; the user's tick stays.
TEST_F(PresenterTest, EachPagePreviewsWhatItsApplyGives) {
  startOnHost();
  const Bytes hostSplash = main.looks.back().splash;
  main.setTogglePressed(!main.togglePressed());
  presenter.toggleClicked();
  const bool tick = main.togglePressed();
  ASSERT_EQ(presenter.state().startupTextToggle, tick);
  testing::writeFile(dir / "mine.png", testing::samplePng(7));
  testing::writeFile(dir / "photo.png", "\xff\xd8\xff\xe0 a JPEG");
  main.themePressed = false;
  presenter.themePageClicked();
  EXPECT_EQ(main.looks.back().splash, hostSplash);  // nothing picked yet
  ui.answers = {dir / "mine.png"};
  presenter.pickImageClicked(0);
  EXPECT_EQ(main.looks.back().splash, testing::samplePng(7));
  ui.answers = {dir / "photo.png"};
  presenter.pickImageClicked(0);
  EXPECT_EQ(main.looks.back().splash, hostSplash);
  EXPECT_EQ(presenter.state().startupTextToggle, tick);
  main.customPressed = false;
  presenter.customPageClicked();
  EXPECT_EQ(main.looks.back().description, "当前 Photoshop 的启动画面");
  EXPECT_EQ(presenter.state().startupTextToggle, tick);
}

TEST_F(PresenterTest, ToggleChoosesTheOverlayAndVersion18KeepsItClear) {
  startOnHost();
  main.toggle = true;
  presenter.toggleClicked();
  EXPECT_TRUE(presenter.state().startupTextToggle);
  EXPECT_EQ(main.overlay, Overlay::Clear);
  presenter.toggleLabelPressed();  // the label flips the check box
  EXPECT_FALSE(main.toggle);
  EXPECT_FALSE(presenter.state().startupTextToggle);
  EXPECT_EQ(main.overlay, Overlay::Marked);
  presenter.state().release18OrLater = true;
  presenter.toggleClicked();
  EXPECT_EQ(main.overlay, Overlay::Clear);
}

TEST_F(PresenterTest, APressOnThePageKeepsTheTickAndThePreview) {
  startOnHost();
  main.toggle = true;
  presenter.toggleClicked();
  const std::size_t previews = main.previews.size(), looks = main.looks.size();
  presenter.pageControlClicked();
  EXPECT_TRUE(presenter.state().startupTextToggle);
  EXPECT_TRUE(main.toggle);
  EXPECT_EQ(main.overlay, Overlay::Clear);
  EXPECT_EQ(main.previews.size(), previews);
  EXPECT_EQ(main.looks.size(), looks);
}

// A host without a language file: the toggle cannot be ticked, by the box or its label,
// and no look turns it on.
TEST_F(PresenterTest, ToggleIsNotAvailableWithoutALanguageFile) {
  startOnHost("v16.1.2", "16.1.2", tools::HostShape::Sample, false);
  EXPECT_FALSE(main.looks.back().startupTextAvailable);
  main.toggle = true;
  presenter.toggleClicked();
  EXPECT_FALSE(main.toggle);
  EXPECT_FALSE(presenter.state().startupTextToggle);
  const int ticks = main.ticks;
  presenter.toggleLabelPressed();
  EXPECT_EQ(main.ticks, ticks);  // the label does not tick it, not even for a moment
  EXPECT_FALSE(main.toggle);
  main.selected = static_cast<int>(std::find(main.entries.begin(), main.entries.end(), "Ink") - main.entries.begin());
  presenter.themeBoxUpdate();  // its info.ini hides the startup text elsewhere
  EXPECT_FALSE(main.toggle);
  EXPECT_FALSE(main.looks.back().startupTextAvailable);
}

// The description under a look says which images the host lacks; a theme's image for
// one of them is not shown.
TEST_F(PresenterTest, LookOfASingleIconHostSaysWhatItLacks) {
  startOnHost("v19.1", "19.1", tools::HostShape::SingleIcon);
  EXPECT_EQ(main.looks.back().description, "当前 Photoshop 的启动画面（这个 Photoshop 没有 PS_OWL_appbar_light_win）");
  EXPECT_FALSE(main.looks.back().darkIcon.empty());
  EXPECT_TRUE(main.looks.back().lightIcon.empty());
  testing::writeTheme(home, "Icons",
                      {{"loading_low.png", testing::samplePng(3)}, {"ico_light_low.png", testing::samplePng(4)}});
  presenter.fillThemeList();
  main.selected = static_cast<int>(std::find(main.entries.begin(), main.entries.end(), "Icons") - main.entries.begin());
  presenter.themeBoxUpdate();
  EXPECT_TRUE(main.looks.back().lightIcon.empty());
  EXPECT_NE(main.looks.back().description.find("PS_OWL_appbar_light_win"), std::string::npos);
}

TEST_F(PresenterTest, ControlsRunTheirOperations) {
  startOnHost();
  presenter.applyThemeClicked();  // "[当前]" selected
  EXPECT_EQ(ui.boxes.back().text, "修改完成");
  EXPECT_TRUE(files.exists(bak("IconResources.idx")));
  // The change ran as the window's work beside it, the window kept responsive, and
  // counted the bytes of the first backup's copies.
  EXPECT_EQ(ui.responsiveWork, std::vector<std::string>{"正在修改 Photoshop 的文件，请稍候…"});
  ASSERT_EQ(ui.responsiveBytes.size(), 1u);
  EXPECT_GT(ui.responsiveBytes[0].second, 0u);
  EXPECT_EQ(ui.responsiveBytes[0].first, ui.responsiveBytes[0].second);

  ui.answers.push_back(dir / "pick.png");
  presenter.pickImageClicked(2);
  EXPECT_EQ(main.fields[2], dir / "pick.png");
  EXPECT_EQ(ui.dialogs.back().title, "选择图片");
  EXPECT_EQ(ui.dialogs.back().filter, "PNG 图片|*.png");
  presenter.pickImageClicked(2);  // cancelled: the field keeps its text
  EXPECT_EQ(main.fields[2], dir / "pick.png");

  testing::writeFile(dir / "dark.png", testing::samplePng(5));
  main.fields[2] = dir / "dark.png";
  ui.boxes.clear();
  presenter.applyCustomClicked();
  EXPECT_EQ(ui.boxes, (std::vector<testing::RecordedBox>{{"修改完成", "应用", MessageIcon::None}}));
  EXPECT_EQ(testing::readWhole(res("PSIconsLowRes.dat")),
            testing::readWhole(bak("PSIconsLowRes.dat")) + testing::samplePng(5));

  std::size_t before = main.entries.size();
  testing::writeTheme(dir.str() + "/drop", "Dropped", {{"loading_low.png", testing::samplePng(6)}});
  presenter.filesDropped({dir / "drop/LumasetTheme/Dropped"});
  EXPECT_EQ(main.entries.size(), before + 1);
}

// A program folder this user cannot write (under Program Files, or inside a zip): the
// settings and the imported themes go to the user's own folder, said on the first run
// only; the shipped themes stay listed and a later run finds the host it was shown.
TEST_F(PresenterTest, AReadOnlyProgramFolderKeepsItsDataInTheUsersFolder) {
  struct ReadOnlyProgram : testing::WithoutRightsBelow {
    std::string user;
    ReadOnlyProgram(Files& inner, std::string program, std::string userFolder)
        : WithoutRightsBelow(inner, std::move(program)), user(std::move(userFolder)) {}
    std::string userDataFolder() override { return user; }
  } readOnly(files, home, dir / "profile/.config/lumaset");
  makeHost();
  testing::writeTheme(home, "Ink", {{"loading_low.png", testing::samplePng(1)}});
  testing::writeTheme(dir.str() + "/drop", "Dropped", {{"loading_low.png", testing::samplePng(6)}});
  const std::string userSettings = readOnly.user + "/setting.ini";
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    testing::FakeMainView window;
    ui::Presenter again(readOnly, ui, places, window, home);
    ui.boxes.clear();
    ui.answers = {host.exePath};
    again.runStartup();
    again.showFirstEntry();
    const bool toldApart = !ui.boxes.empty() && ui.boxes[0].text.find(readOnly.user) != std::string::npos;
    EXPECT_EQ(toldApart, run == 0);
    EXPECT_EQ(ui.answers.size(), run == 0 ? 0u : 1u);  // the second run asks for no host
    EXPECT_EQ(window.pathBox.back(), host.folder + "/");
    EXPECT_NE(std::find(window.entries.begin(), window.entries.end(), "Ink"), window.entries.end());
    if (run == 0) again.filesDropped({dir / "drop/LumasetTheme/Dropped"});
    EXPECT_NE(std::find(window.entries.begin(), window.entries.end(), "Dropped"), window.entries.end());
  }
  EXPECT_TRUE(files.exists(userSettings));
  EXPECT_TRUE(files.exists(readOnly.user + "/LumasetTheme/Dropped/info.ini"));
  EXPECT_FALSE(files.exists(home + "/setting.ini"));
  EXPECT_FALSE(files.exists(home + "/LumasetTheme/Dropped"));
}

// The shield on the controls that change the host shows when the security of the host's
// folders keeps this process out, before anything is tried; never for an administrator.
TEST_F(PresenterTest, TheShieldShowsWhereTheHostsFoldersNeedAdministratorRights) {
  struct ClosedFolder : testing::ForwardingFiles {
    std::string closed;
    ClosedFolder(Files& inner) : ForwardingFiles(inner) {}
    bool securityAllowsChange(const std::string& p) override {
      return p != closed && ForwardingFiles::securityAllowsChange(p);
    }
  } guarded(files);
  makeHost();
  for (bool administrator : {false, true}) {
    testing::FakeMainView window;
    ui::Presenter shown(guarded, ui, places, window, home);
    ui.administrator = administrator;
    guarded.closed.clear();
    ui.answers = {host.exePath};
    shown.runStartup();
    shown.showFirstEntry();
    shown.firstFrameDrawn();
    ASSERT_FALSE(window.shields.empty());
    EXPECT_FALSE(window.shields.back());
    guarded.closed = host.folder + "/Resources";
    ui.answers = {host.exePath};
    shown.locateClicked();  // the same host again, looked at anew
    ASSERT_FALSE(window.shields.empty());
    EXPECT_EQ(window.shields.back(), !administrator);
  }
}

// Two installed hosts: the folder button offers both, newest first, with the one worked
// on checked (listed even when no place names it); choosing the other locates it without
// a dialog. Each takes a theme and
// gives its own bytes back with "[默认]", and work on one never touches the other.
TEST_F(PresenterTest, TheFolderButtonOffersEveryInstalledHostAndEachKeepsItsOwnWayBack) {
  const std::string adobe = "Program Files/Adobe/";
  std::filesystem::create_directories(testing::pathFromUtf8(dir / adobe));
  const tools::SampleHost older = makeHost("v16.1.2", "16.1.2", true, adobe + "Adobe Photoshop CC 2015");
  const tools::SampleHost newer = makeHost("v18.0.0", "18.0.0", true, adobe + "Adobe Photoshop CC 2017");
  places.list = {{PlaceKind::ProgramFiles, dir / "Program Files", ""}};
  testing::writeTheme(home, "Ink", {{"loading_low.png", testing::samplePng(1)}});
  ui.answers.push_back(older.exePath);
  presenter.runStartup();
  presenter.showFirstEntry();
  auto own = [](const tools::SampleHost& h) { return testing::folderSnapshot(h.folder); };
  const auto olderOwn = own(older), newerOwn = own(newer);
  auto applyEntry = [&](const std::string& entry) {
    main.selected = static_cast<int>(std::find(main.entries.begin(), main.entries.end(), entry) - main.entries.begin());
    ui.boxes.clear();
    presenter.applyThemeClicked();
    EXPECT_EQ(ui.boxes.back().text, "修改完成") << entry;
  };
  applyEntry("Ink");

  main.hostChoice = 0;
  ui.boxes.clear();
  presenter.locateClicked();
  ASSERT_EQ(main.hostMenus.size(), 1u);
  EXPECT_EQ(main.hostMenus[0].first,
            (std::vector<std::string>{"Photoshop 18.0.0    " + newer.folder + "/",
                                      "Photoshop 16.1.2    " + older.folder + "/"}));
  EXPECT_EQ(main.hostMenus[0].second, 1);
  EXPECT_EQ(ui.dialogs.size(), 1u);  // the first start's only
  EXPECT_EQ(main.pathBox.back(), newer.folder + "/");
  EXPECT_EQ(settings("photoshop"), newer.folder + "/");
  applyEntry("Ink");
  applyEntry("[默认]");
  auto withoutBackups = [](testing::Snapshot all) {
    std::erase_if(all, [](const auto& file) { return file.first.find("lumaset_BAK") != std::string::npos ||
                                                     file.first.find("Locales_BAK") != std::string::npos; });
    return all;
  };
  EXPECT_EQ(withoutBackups(own(newer)), newerOwn);
  EXPECT_NE(withoutBackups(own(older)), olderOwn);  // its theme stays on

  main.hostChoice = 1;
  presenter.locateClicked();
  EXPECT_EQ(main.hostMenus.back().second, 0);
  EXPECT_EQ(main.pathBox.back(), older.folder + "/");
  applyEntry("[默认]");
  EXPECT_EQ(withoutBackups(own(older)), olderOwn);
  EXPECT_EQ(withoutBackups(own(newer)), newerOwn);
  // A host no place names any more is still listed while it is worked on, and checked.
  places.list = {{PlaceKind::Registry64, newer.folder + "/", "110.0"}};
  main.hostChoice = ui::kNoHostChosen;
  presenter.locateClicked();
  EXPECT_EQ(main.hostMenus.back(), (std::pair<std::vector<std::string>, int>{main.hostMenus[0].first, 1}));
  EXPECT_EQ(main.pathBox.back(), older.folder + "/");
}

}  // namespace
}  // namespace lumaset
