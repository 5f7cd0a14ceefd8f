// The theme list and previews, importing packages and folders, and renewing the backup.
#include <gtest/gtest.h>

#include "formats/web_address.h"

#include "backup/create_backup.h"
#include "backup/refresh_backup.h"
#include "messages/catalogue.h"
#include "messages/import_messages.h"
#include "run/startup.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "support/zip_builder.h"
#include "themes/import.h"
#include "themes/theme_list.h"

namespace lumaset {
namespace {

using testing::readWhole;
using testing::RecordedBox;
using testing::writeFile;

class ThemeLibrary : public testing::HostFixture {
 protected:
  std::string library() { return home + "/LumasetTheme"; }
};

TEST_F(ThemeLibrary, ListStartsWithTheBuiltInEntriesAndKeepsOnlyThemes) {
  EXPECT_EQ(themeList(ctx), (std::vector<std::string>{"[当前]", "[默认]"}));  // no library at all
  std::filesystem::create_directories(testing::pathFromUtf8(library()));
  EXPECT_EQ(themeList(ctx), (std::vector<std::string>{"[当前]", "[默认]"}));
  testing::writeTheme(home, "Ink", {{"loading_low.png", testing::samplePng(1)}});
  testing::writeTheme(home, "NoSplash", {{"loading_high.png", testing::samplePng(2)}});
  writeFile(library() + "/OnlyImage/loading_low.png", testing::samplePng(3));
  testing::writeTheme(home, "[默认]", {{"loading_low.png", testing::samplePng(4)}});
  std::vector<std::string> entries = themeList(ctx);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0], "[当前]");
  EXPECT_EQ(entries[1], "[默认]");
  // The library's themes follow in the order the file system lists its folders.
  std::vector<std::string> listed;
  for (const std::string& f : files.subfolders(library()))
    if (f == "Ink" || f == "[默认]") listed.push_back(f);
  EXPECT_EQ(std::vector<std::string>(entries.begin() + 2, entries.end()), listed);
}

TEST_F(ThemeLibrary, PreviewShowsTheThemesFilesAndDefaults) {
  auto images = testing::sixImages();
  testing::writeTheme(home, "Full", images,
                      "[Lumaset_theme]\r\ninfo=樱花主题\r\nby=作者甲\r\nbyurl=https://a.example\r\nre=来源\r\n"
                      "reurl=https://b.example\r\nloadtext=no\r\n");
  writeFile(library() + "/Full/word.text", "\"$$$/Splash/Initializing=x\"\r\n");  // the text lights T
  Preview p = previewEntry(ctx, "Full");
  EXPECT_TRUE(p.indicatorsShown);
  EXPECT_TRUE(p.has1x && p.has2x && p.hasText);
  EXPECT_EQ(p.look.description, "樱花主题");
  EXPECT_EQ(p.author.text, "作者甲");
  EXPECT_EQ(p.author.target, "https://a.example");
  EXPECT_EQ(p.credit.text, "来源");
  EXPECT_EQ(p.credit.target, "https://b.example");
  EXPECT_TRUE(p.look.startupTextToggle);
  EXPECT_EQ(p.look.overlay, Overlay::Clear);
  EXPECT_EQ(p.look.splash, images["loading_low.png"]);
  EXPECT_EQ(p.look.darkIcon, images["ico_dark_low.png"]);
  EXPECT_EQ(p.look.lightIcon, images["ico_light_low.png"]);
  // The 2x images, for a window from 150 % on.
  EXPECT_TRUE(p.look.splashHigh == images["loading_high.png"]);
  EXPECT_EQ(p.look.darkIconHigh, images["ico_dark_high.png"]);
  EXPECT_EQ(p.look.lightIconHigh, images["ico_light_high.png"]);

  // Only web pages are link targets: anything else the shell would start stays text.
  for (const std::string url : {"file:///C:/Windows/System32/calc.exe", "C:\\Windows\\System32\\calc.exe",
                                "\\\\server\\share\\x.exe", "ms-settings:", "search-ms:query=x", "javascript:alert(1)",
                                "http:\\\\host", "https://", "https://a.example/\"x\" -y", "http:///etc"}) {
    testing::writeTheme(home, "Odd", {{"loading_low.png", testing::samplePng(9)}},
                        "[Lumaset_theme]\r\nby=作者乙\r\nbyurl=" + url + "\r\nre=来源\r\nreurl=" + url + "\r\n");
    const Preview odd = previewEntry(ctx, "Odd");
    EXPECT_EQ(odd.author.text, "作者乙");
    EXPECT_EQ(odd.author.target, "") << url;
    EXPECT_EQ(odd.credit.target, "") << url;
  }
  EXPECT_TRUE(isWebAddress("HTTPS://a.example/x?y=1#z"));
  EXPECT_TRUE(isWebAddress("http://a.example"));

  // An older release's word.txt lights nothing: the theme carries no text.
  testing::writeTheme(home, "Bare", {{"loading_low.png", testing::samplePng(9)}, {"word.txt", "T"}},
                      "[other]\r\nloadtext=no\r\n");
  Preview bare = previewEntry(ctx, "Bare");
  EXPECT_EQ(bare.look.description, "未知");
  EXPECT_EQ(bare.author.text, "");
  EXPECT_FALSE(bare.has2x || bare.hasText);
  EXPECT_FALSE(bare.look.startupTextToggle);  // switching themes turns the toggle off again
  EXPECT_FALSE(state.startupTextToggle);
  EXPECT_EQ(bare.look.overlay, Overlay::Marked);
  EXPECT_TRUE(bare.look.darkIcon.empty());
  EXPECT_TRUE(bare.look.splashHigh.empty());  // the window falls back to the 1x splash
}

TEST_F(ThemeLibrary, OnlyTheExactLowerCaseNoHidesTheText) {
  testing::writeTheme(home, "Caps", {{"loading_low.png", testing::samplePng(1)}}, "[Lumaset_theme]\r\nloadtext=No\r\n");
  EXPECT_FALSE(previewEntry(ctx, "Caps").look.startupTextToggle);
  state.release18OrLater = true;
  EXPECT_EQ(previewEntry(ctx, "Caps").look.overlay, Overlay::Clear);  // version 18: always clear
}

TEST_F(ThemeLibrary, EmptyEntryIsPreviewedAsAThemeOfThatName) {
  Preview p = previewEntry(ctx, "");
  EXPECT_TRUE(p.indicatorsShown);
  EXPECT_EQ(p.look.description, "未知");
  EXPECT_FALSE(p.has1x || p.has2x || p.hasText);
  EXPECT_TRUE(p.look.splash.empty());
}

TEST_F(ThemeLibrary, BuiltInEntriesHideTheIndicators) {
  makeHost();
  ui.answers.push_back(host.exePath);
  runStartup(ctx);
  Preview current = previewEntry(ctx, "[当前]");
  EXPECT_FALSE(current.indicatorsShown);
  EXPECT_EQ(current.look.description, "当前 Photoshop 的启动画面");
  EXPECT_FALSE(current.look.splash.empty());
}

TEST(PathParts, CutOnlyTheLastExtension) {
  PathParts p = pathParts("C:\\dl\\Sakura.blue.zip", '\\');
  EXPECT_EQ(p.file, "Sakura.blue.zip");
  EXPECT_EQ(p.base, "Sakura.blue");
  EXPECT_EQ(p.extension, "zip");
  PathParts folder = pathParts("C:\\dl\\Ink", '\\');
  EXPECT_EQ(folder.base, "Ink");
  EXPECT_EQ(folder.extension, "C:\\dl\\Ink");
}

TEST_F(ThemeLibrary, PackageBecomesAThemeNamedAfterIt) {
  writeFile(dir / "dl/Sakura.blue.zip", testing::buildZip({{"info.ini", "[Lumaset_theme]\r\ninfo=x\r\n"},
                                                           {"loading_low.png", testing::samplePng(2)}}));
  ui.answers.push_back(dir / "dl/Sakura.blue.zip");
  EXPECT_EQ(importThemePackage(files, ctx, ui), "Sakura.blue");  // the theme the window then selects
  EXPECT_EQ(ui.dialogs[0].filter, "zip|*.zip");
  EXPECT_EQ(ui.dialogs[0].title, "");
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"已添加主题：Sakura.blue.zip\r\n" + library() + "/Sakura.blue",
                                                 "添加主题", MessageIcon::None}}));
  EXPECT_EQ(themeList(ctx).back(), "Sakura.blue");
  ui.boxes.clear();
  EXPECT_FALSE(importThemePackage(files, ctx, ui));  // cancelled: nothing shown
  EXPECT_TRUE(ui.boxes.empty());
  // Several packages chosen give their folder: not imported as a theme folder.
  ui.answers.push_back(dir / "dl");
  EXPECT_FALSE(importThemePackage(files, ctx, ui));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"不支持的文件类型：dl\r\n只能添加 zip 主题包或主题文件夹", "添加主题",
                                                 MessageIcon::Error}}));
  EXPECT_EQ(themeList(ctx).size(), 3u);
}

TEST_F(ThemeLibrary, AnImportThatBrokeOffIsNeverListedAndIsClearedByTheNext) {
  // What a crash in the middle of an unpacking leaves: a complete theme in a work folder
  // (of this release, and of the release before).
  testing::writeTheme(home, ".lumaset-unpacking", {{"loading_low.png", testing::samplePng(1)}});
  writeFile(library() + "/.lumaset-unpacking/half.png", "half");
  testing::writeTheme(home, ".lumaset-import-12ab34cd", {{"loading_low.png", testing::samplePng(1)}});
  EXPECT_EQ(themeList(ctx), (std::vector<std::string>{"[当前]", "[默认]"}));
  writeFile(dir / "Ink.zip", testing::buildZip({{"info.ini", "[Lumaset_theme]\r\ninfo=x\r\n"},
                                                {"loading_low.png", testing::samplePng(2)}}));
  ASSERT_TRUE(importDroppedItems(files, ctx, ui, {dir / "Ink.zip"}));
  EXPECT_EQ(files.subfolders(library()), std::vector<std::string>{"Ink"});
  EXPECT_EQ(themeList(ctx).back(), "Ink");
  // A package named after the work folder would be unpacked into it, and wiped.
  ui.boxes.clear();
  writeFile(dir / ".lumaset-unpacking.zip", testing::buildZip({{"info.ini", "x"}}));
  EXPECT_FALSE(importDroppedItems(files, ctx, ui, {dir / ".lumaset-unpacking.zip"}));
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{{"主题包名称无效：.lumaset-unpacking.zip", "错误", MessageIcon::Error}}));
}

TEST_F(ThemeLibrary, FailedPackageShowsItsCode) {
  writeFile(dir / "bad.zip", "not a zip at all");
  EXPECT_FALSE(importDroppedItems(files, ctx, ui, {dir / "bad.zip"}));
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{{"解压主题包错误：" + library() + "/bad", "错误代码：0", MessageIcon::None}}));
  ui.boxes.clear();
  writeFile(dir / "evil.zip", testing::buildZip({{"../../evil.txt", "x"}}));
  importDroppedItems(files, ctx, ui, {dir / "evil.zip"});
  EXPECT_EQ(ui.boxes[0].caption, "错误代码：-2");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "evil.txt"));
}

TEST_F(ThemeLibrary, DroppedItemsByKind) {
  writeFile(dir / "THEME.ZIP", testing::buildZip({{"info.ini", "x"}, {"loading_low.png", testing::samplePng(1)}}));
  EXPECT_TRUE(importDroppedItems(files, ctx, ui, {dir / "THEME.ZIP"}));
  EXPECT_TRUE(files.exists(library() + "/THEME/info.ini"));
  writeFile(dir / "theme.rar", "rar");
  writeFile(dir / "theme.png", "png");
  ui.boxes.clear();
  EXPECT_FALSE(importDroppedItems(files, ctx, ui, {dir / "theme.rar"}));
  EXPECT_FALSE(importDroppedItems(files, ctx, ui, {dir / "theme.png"}));
  const std::string onlyThese = "\r\n只能添加 zip 主题包或主题文件夹";
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{{"不支持的文件类型：theme.rar" + onlyThese, "添加主题", MessageIcon::Error},
                                      {"不支持的文件类型：theme.png" + onlyThese, "添加主题", MessageIcon::Error}}));
  ui.boxes.clear();

  testing::writeTheme(dir.str() + "/drop", "Ink", {{"loading_low.png", testing::samplePng(5)}});
  std::string ink = dir / "drop/LumasetTheme/Ink";
  EXPECT_TRUE(importDroppedItems(files, ctx, ui, {ink}));
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{{"已添加主题：Ink\r\n" + library() + "/Ink", "添加主题", MessageIcon::None}}));
  // Again: the user is asked first; no keeps the theme, yes merges the new files in.
  writeFile(library() + "/Ink/notes.txt", "kept");
  writeFile(ink + "/loading_low.png", testing::samplePng(6));
  EXPECT_FALSE(importDroppedItems(files, ctx, ui, {ink}));
  EXPECT_EQ(ui.questions, (std::vector<RecordedBox>{{replaceQuestion("Ink"), "添加主题", MessageIcon::None}}));
  EXPECT_EQ(ui.boxes.size(), 1u);  // no box after the answer no
  EXPECT_EQ(readWhole(library() + "/Ink/loading_low.png"), testing::samplePng(5));
  ui.yesNo.push_back(true);
  EXPECT_TRUE(importDroppedItems(files, ctx, ui, {ink}));
  EXPECT_EQ(ui.boxes.back().text, "已添加主题：Ink\r\n" + library() + "/Ink\r\n（并入了原有的同名主题）");
  EXPECT_EQ(readWhole(library() + "/Ink/loading_low.png"), testing::samplePng(6));
  EXPECT_EQ(readWhole(library() + "/Ink/notes.txt"), "kept");
}

TEST_F(ThemeLibrary, PackagesNamedOnlyWithDotsAreRefusedAndChangeNothing) {
  testing::writeTheme(home, "Aurora", {{"loading_low.png", testing::samplePng(1)}});
  writeFile(home + "/setting.ini", "[lumaset]\r\n");
  // What such a package held: the program's settings, a DLL beside the program, another
  // theme's image.
  const std::string hostile = testing::buildZip({{"setting.ini", "[lumaset]\r\nphotoshop=planted\r\n"},
                                                 {"version.dll", "MZ planted"},
                                                 {"LumasetTheme/Aurora/loading_low.png", "replaced"},
                                                 {"Aurora/loading_low.png", "replaced"}});
  const auto before = testing::folderSnapshot(home);
  for (const char* name : {"...zip", "..zip", ".zip", "CON.zip", "lpt¹.zip", "ends..zip"}) {
    SCOPED_TRACE(name);
    std::string package = dir / "dl/" + name;
    writeFile(package, hostile);
    ui.boxes.clear();
    EXPECT_FALSE(importDroppedItems(files, ctx, ui, {package}));
    ui.answers.push_back(package);
    EXPECT_FALSE(importThemePackage(files, ctx, ui));
    const RecordedBox refused{std::string("主题包名称无效：") + name, "错误", MessageIcon::Error};
    EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{refused, refused}));
    EXPECT_EQ(testing::folderSnapshot(home), before);
  }
}

TEST_F(ThemeLibrary, DroppedFoldersWhoseNameIsNoPlainNameAreRefused) {
  testing::writeTheme(dir.str() + "/drop", "Ink", {{"loading_low.png", testing::samplePng(5)}});
  const auto before = testing::folderSnapshot(home);
  for (const std::string& path : {dir / "drop/LumasetTheme/Ink/..", dir / "drop/LumasetTheme/Ink/.", dir / "drop/./"}) {
    SCOPED_TRACE(path);
    ui.boxes.clear();
    EXPECT_FALSE(importDroppedItems(files, ctx, ui, {path}));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "错误");
    EXPECT_EQ(ui.boxes[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui.boxes[0].text.rfind("主题包名称无效：", 0), 0u);
    EXPECT_EQ(testing::folderSnapshot(home), before);
  }
}

TEST(PathParts, WindowsPathsSplitAtEitherSlash) {
  PathParts p = pathParts("C:\\dl/...zip", '\\');
  EXPECT_EQ(p.file, "...zip");
  EXPECT_EQ(p.base, "..");
  EXPECT_EQ(pathParts("C:/dl/Ink.zip", '\\').base, "Ink");
  EXPECT_EQ(pathParts("/dl/a\\b.zip", '/').base, "a\\b");  // a backslash is part of a POSIX name
}

using Refresh = testing::HostFixture;

TEST_F(Refresh, WithoutABackupTakesTheFirstOne) {
  startOn();
  ui.shown(refreshBackup(ctx));
  // Said, naming every file it holds.
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text.rfind("备份完成，已备份", 0), 0u);
  EXPECT_NE(ui.boxes[0].text.find(host.languageFile), std::string::npos);
  for (const char* f : {"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat"}) {
    EXPECT_EQ(readWhole(res(std::string("lumaset_BAK/") + f)), readWhole(res(f))) << f;
    EXPECT_NE(ui.boxes[0].text.find(res(f)), std::string::npos) << f;
  }
  ui.boxes.clear();
  ui.shown(refreshBackup(ctx));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"备份已是最新", "备份", MessageIcon::None}}));
}

TEST_F(Refresh, SetsTheFirstCopyOfARenewedFileAsideAndKeepsIt) {
  startOn();
  ASSERT_TRUE(ui.shown(createBackup(ctx)));
  const std::string languageBackup = langBak("tw10428.dat");
  const std::string languageOld = host.folder + "/Locales_BAK/lumaset_BAK_old/tw10428.dat";
  const std::string first = readWhole(host.languageFile);
  writeFile(host.languageFile, first + "an update");
  ui.boxes.clear();
  ui.shown(refreshBackup(ctx));
  const Message renewed = messageFor({MessageId::BackupRenewed, {}, host.languageFile});
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{renewed.text, "备份", MessageIcon::None}}));
  EXPECT_EQ(readWhole(languageBackup), first + "an update");
  EXPECT_EQ(readWhole(languageOld), first);
  EXPECT_FALSE(std::filesystem::exists(testing::pathFromUtf8(res("lumaset_BAK_old"))));  // no icon file was renewed
  writeFile(host.languageFile, "second");
  ui.shown(refreshBackup(ctx));
  EXPECT_EQ(readWhole(languageBackup), "second");
  EXPECT_EQ(readWhole(languageOld), first);  // the first one stays
}

TEST_F(Refresh, MissingExtraPacksAreReportedAndTheRestCopied) {
  startOn();
  ASSERT_TRUE(ui.shown(createBackup(ctx)));
  std::filesystem::remove(testing::pathFromUtf8(res("PSIconsXLowRes.dat")));
  std::filesystem::remove(testing::pathFromUtf8(res("PSIconsXHighRes.dat")));
  ui.shown(refreshBackup(ctx));
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{
                {"_更新备份_创建备份文件失败：" + res("lumaset_BAK/PSIconsXHighRes.dat"), "错误", MessageIcon::Error},
                {"_更新备份_创建备份文件失败：" + res("lumaset_BAK/PSIconsXLowRes.dat"), "错误", MessageIcon::Error}}));
  EXPECT_TRUE(files.exists(res("lumaset_BAK/PSIconsLowRes.dat")));

  // A copy that cannot be taken fails the refresh but lets it go on with the others.
  const std::string first = readWhole(host.languageFile);
  writeFile(host.languageFile, first + "an update");
  ui.boxes.clear();
  ui.shown(refreshBackup(ctx));
  EXPECT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(readWhole(langBak("tw10428.dat")), first + "an update");
}

}  // namespace
}  // namespace lumaset
