// Imports that cannot escape, loop or half-land: what a dropped folder may bring in, what
// the library never takes, the limits, the library lock, what broken-off imports leave,
// and a failure at each step.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "cli/cli.h"
#include "formats/work_names.h"
#include "messages/import_messages.h"
#include "support/forwarding_files.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "support/zip_builder.h"
#include "themes/folder_copy.h"
#include "themes/library_import.h"
#include "themes/theme_folder.h"
#include "themes/theme_list.h"

namespace lumaset {
namespace {

namespace fs = std::filesystem;
using testing::readWhole;
using testing::RecordedBox;
using testing::writeFile;

// Every entry below a folder, the library's lock file left out (an import that refuses
// may still have taken the lock).
testing::Snapshot treeOf(const std::string& folder) {
  return testing::folderSnapshot(folder, testing::Entries::All,
                                 [](const fs::path& below) { return below.filename() == kLibraryLockName; });
}

class ThemeImport : public testing::HostFixture {
 protected:
  std::string library() { return home + "/LumasetTheme"; }
  // A theme folder outside the library, to be dropped.
  std::string dropFolder(const std::string& name, int seed = 1) {
    std::string folder = dir / ("drop/" + name);
    writeFile(folder + "/info.ini", "[Lumaset_theme]\r\ninfo=dropped\r\n");
    writeFile(folder + "/loading_low.png", testing::samplePng(seed));
    return folder;
  }
  std::vector<ImportOutcome> import(const std::vector<std::string>& paths, bool replace = false) {
    return importThemes(files, library(), paths, [replace](const std::string&) { return replace; });
  }
  bool listed(const std::string& theme) {
    std::vector<std::string> list = themeList(ctx);
    return std::find(list.begin(), list.end(), theme) != list.end();
  }
};

TEST_F(ThemeImport, DroppedFolderBringsRegularFilesOnlyAndNamesWhatItLeftOut) {
  std::string ink = dropFolder("Ink");
  writeFile(dir / "secret/word.text", "not the theme's");
  writeFile(ink + "/sub/more.png", "more");
  std::string longName;  // 250 bytes, which leaves no room for a temporary name beside it
  for (int i = 0; i < 82; ++i) longName += "图";
  longName += ".png";
  writeFile(ink + "/" + longName, "long");
  fs::create_symlink(dir / "secret/word.text", ink + "/word.text");
  fs::create_directory_symlink(dir / "secret", ink + "/outside");
  fs::create_directory_symlink(".", ink + "/a");  // two links back to the folder itself
  fs::create_directory_symlink(".", ink + "/b");
  fs::create_symlink(ink + "/nowhere", ink + "/dangling.png");
  ASSERT_EQ(::mkfifo((ink + "/sub/pipe").c_str(), 0644), 0);

  ASSERT_TRUE(importDroppedItems(files, ctx, ui, {ink}));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].caption, "添加主题");
  for (const char* name : {"word.text", "outside", "a", "b", "dangling.png", "sub/pipe"})
    EXPECT_NE(ui.boxes[0].text.find("\r\n  " + std::string(name)), std::string::npos) << name;
  const testing::Snapshot expected = {{"Ink", "<folder>"},
                                      {"Ink/info.ini", readWhole(ink + "/info.ini")},
                                      {"Ink/loading_low.png", testing::samplePng(1)},
                                      {"Ink/sub", "<folder>"},
                                      {"Ink/" + longName, "long"},
                                      {"Ink/sub/more.png", "more"}};
  EXPECT_EQ(treeOf(library()), expected);
  EXPECT_TRUE(listed("Ink"));
}

TEST_F(ThemeImport, TheLibraryNeverTakesItselfAFolderInItOrAFolderThatHoldsIt) {
  testing::writeTheme(home, "Aurora", {{"loading_low.png", testing::samplePng(1)}});
  fs::create_directory_symlink(library(), dir / "library-link");
  const auto before = treeOf(home);
  for (const std::string& path : {library(), library() + "/Aurora", home, dir / "library-link", library() + "/"}) {
    SCOPED_TRACE(path);
    std::vector<ImportOutcome> outcomes = import({path}, true);
    EXPECT_EQ(outcomes.at(0).result, ImportResult::InsideLibrary);
    EXPECT_EQ(treeOf(home), before);
  }
  ASSERT_FALSE(importDroppedItems(files, ctx, ui, {home}));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"不能把主题库本身、其中的文件夹或包含它的文件夹添加为主题：program",
                                                 "添加主题", MessageIcon::Error}}));
}

TEST_F(ThemeImport, WhatHoldsNoThemeIsRefusedAndLeavesNothingBehind) {
  writeFile(dir / "drop/Notes/readme.txt", "no theme here");
  writeFile(dir / "drop/Photos.zip", testing::buildZip({{"a.png", testing::samplePng(1)}}));
  ASSERT_FALSE(importDroppedItems(files, ctx, ui, {dir / "drop/Notes"}));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"不是主题：Notes\r\n主题里要有 info.ini 和 loading_low.png",
                                                 "添加主题", MessageIcon::Error}}));
  EXPECT_EQ(import({dir / "drop/Photos.zip"}).at(0).result, ImportResult::NotATheme);
  EXPECT_TRUE(treeOf(library()).empty());
  // A zipped theme folder keeps its files in one folder of the package: that is the theme.
  writeFile(dir / "drop/Wrapped.zip", testing::buildZip({{"Sakura/info.ini", "[Lumaset_theme]\r\ninfo=x\r\n"},
                                                         {"Sakura/loading_low.png", testing::samplePng(2)}}));
  EXPECT_EQ(import({dir / "drop/Wrapped.zip"}).at(0).result, ImportResult::Added);
  EXPECT_EQ(readWhole(library() + "/Wrapped/loading_low.png"), testing::samplePng(2));
  EXPECT_TRUE(listed("Wrapped"));
}

TEST_F(ThemeImport, AThemeWithAnImageTheApplyWouldRefuseIsNotAdded) {
  const std::string info = "[Lumaset_theme]\r\ninfo=x\r\n";
  const std::string png = testing::samplePng(5);
  const std::string jpeg =
      std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01", 13) + std::string(64, 'j') + "\xFF\xD9";
  const std::string truncated = png.substr(0, png.size() - 13);
  writeFile(dir / "drop/Jpeg/info.ini", info);
  writeFile(dir / "drop/Jpeg/loading_low.png", jpeg);
  writeFile(dir / "drop/Cut/info.ini", info);
  writeFile(dir / "drop/Cut/loading_low.png", png);
  writeFile(dir / "drop/Cut/ico_dark_high.png", truncated);
  writeFile(dir / "drop/Jpeg.zip", testing::buildZip({{"info.ini", info}, {"loading_low.png", jpeg}}));
  writeFile(
      dir / "drop/Cut.zip",
      testing::buildZip({{"Cut/info.ini", info}, {"Cut/loading_low.png", png}, {"Cut/ico_light_low.png", truncated}}));
  const std::pair<std::string, std::string> refused[] = {{"Jpeg", "loading_low.png"},
                                                         {"Cut", "ico_dark_high.png"},
                                                         {"Jpeg.zip", "loading_low.png"},
                                                         {"Cut.zip", "ico_light_low.png"}};
  for (const auto& [item, image] : refused) {
    SCOPED_TRACE(item);
    ui.boxes.clear();
    EXPECT_FALSE(importDroppedItems(files, ctx, ui, {dir / ("drop/" + item)}));
    EXPECT_EQ(ui.boxes,
              (std::vector<RecordedBox>{{"未添加主题：" + item + "\r\n主题里的 " + image + " 不是有效的 PNG 图片文件",
                                         "添加主题", MessageIcon::Error}}));
    EXPECT_TRUE(treeOf(library()).empty());
  }
  // Nor is such an image merged into a sound theme of its name (a package of the one
  // image, or a whole theme), which stays as it was.
  testing::writeTheme(home, "Jpeg", {{"loading_low.png", png}});
  writeFile(dir / "update/Jpeg.zip", testing::buildZip({{"ico_dark_low.png", jpeg}}));
  const auto before = treeOf(library());
  for (const std::string& package : {dir / "update/Jpeg.zip", dir / "drop/Jpeg.zip"}) {
    EXPECT_EQ(import({package}, true).at(0).result, ImportResult::ImageNotPng) << package;
    EXPECT_EQ(treeOf(library()), before) << package;
  }
  // The command line says the same and fails.
  std::FILE* out = std::tmpfile();
  EXPECT_EQ(cli::runCli({"--lang", "zh", "--home", home, "import", dir / "drop/Cut.zip"}, files, out, stderr), 1);
  std::rewind(out);
  std::string printed(4096, '\0');
  printed.resize(std::fread(printed.data(), 1, printed.size(), out));
  std::fclose(out);
  EXPECT_EQ(printed, "[添加主题] 未添加主题：Cut.zip\r\n主题里的 ico_light_low.png 不是有效的 PNG 图片文件\n");
  EXPECT_EQ(treeOf(library()), before);
}

TEST_F(ThemeImport, SeveralDroppedItemsEachGetTheirOutcomeInOneMessage) {
  std::string ink = dropFolder("Ink");
  writeFile(dir / "drop/Rose.zip", testing::buildZip({{"info.ini", "[Lumaset_theme]\r\ninfo=x\r\n"},
                                                      {"loading_low.png", testing::samplePng(3)}}));
  writeFile(dir / "drop/theme.rar", "rar");
  writeFile(dir / "drop/Empty/readme.txt", "x");
  ASSERT_TRUE(importDroppedItems(files, ctx, ui, {ink, dir / "drop/Rose.zip", dir / "drop/theme.rar", dir / "drop/Empty"}));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "已添加主题：Ink\r\n" + library() + "/Ink\r\n\r\n已添加主题：Rose.zip\r\n" + library() +
                                  "/Rose\r\n\r\n不支持的文件类型：theme.rar\r\n只能添加 zip 主题包或主题文件夹\r\n\r\n"
                                  "不是主题：Empty\r\n主题里要有 info.ini 和 loading_low.png");
  EXPECT_EQ(ui.boxes[0].icon, MessageIcon::Error);
  EXPECT_TRUE(listed("Ink"));
  EXPECT_TRUE(listed("Rose"));
}

TEST_F(ThemeImport, FoldersKeepToThePackagesLimits) {
  std::string many = dropFolder("Many");
  for (std::size_t i = 0; i < kImportMaxEntries; ++i) writeFile(many + "/f" + std::to_string(i), "");
  std::string deep = dropFolder("Deep");
  std::string level = deep;
  for (std::size_t i = 0; i <= kImportMaxDepth; ++i) level += "/d";
  writeFile(level + "/x.png", "x");
  std::string big = dropFolder("Big");
  { std::ofstream sparse(big + "/huge.png"); }
  fs::resize_file(big + "/huge.png", kImportTotalLimit);  // with the theme's two files, above the limit
  std::vector<testing::ZipEntrySpec> deepMembers = {{"info.ini", "x"}, {"loading_low.png", "x"}};
  deepMembers.push_back({level.substr(deep.size() + 1) + "/x.png", "x"});
  writeFile(dir / "drop/DeepPackage.zip", testing::buildZip(deepMembers));
  for (const std::string& path : {many, deep, big, dir / "drop/DeepPackage.zip"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(import({path}).at(0).result, ImportResult::TooLarge);
  }
  EXPECT_TRUE(treeOf(library()).empty());
  // One level less, and one file less, are taken.
  fs::remove_all(level);
  fs::remove(many + "/f0");
  fs::remove(many + "/f1");
  EXPECT_EQ(import({many, deep}).at(1).result, ImportResult::Added);
}

TEST_F(ThemeImport, LeftoversOfBrokenOffImportsGoAndASetAsideThemeComesBack) {
  testing::writeTheme(home, "Aurora", {{"loading_low.png", testing::samplePng(1)}});
  writeFile(library() + "/.lumaset-import-0a1b2c3d/info.ini", "half");
  writeFile(library() + "/.lumaset-unpacking/loading_low.png", "half");
  writeFile(library() + "/Aurora/.loading_low.png.lumaset-x1y2z3", "temporary");
  writeFile(library() + "/Aurora/sub/.a.png.lumaset-abcdef", "temporary");
  writeFile(library() + "/Aurora/.hidden-but-the-authors", "kept");
  // Sunset was set aside for a replacement that broke off before the new one took its place.
  testing::writeTheme(home, ".lumaset-aside-00ff0001", {{"loading_low.png", testing::samplePng(4)}});
  writeFile(library() + "/" + kReplacingNote, "Sunset\n.lumaset-aside-00ff0001\n");
  EXPECT_FALSE(listed("Sunset"));

  ASSERT_EQ(import({dropFolder("Ink")}).at(0).result, ImportResult::Added);
  std::vector<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(library()))
    names.push_back(e.path().lexically_relative(library()));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names,
            (std::vector<std::string>{"Aurora", "Aurora/.hidden-but-the-authors", "Aurora/info.ini",
                                      "Aurora/loading_low.png", "Aurora/sub", "Ink", "Ink/info.ini",
                                      "Ink/loading_low.png", "Sunset", "Sunset/info.ini", "Sunset/loading_low.png"}));
  EXPECT_EQ(readWhole(library() + "/Sunset/loading_low.png"), testing::samplePng(4));
  // Once the new theme is in place, the old one set aside is only a leftover.
  testing::writeTheme(home, ".lumaset-aside-00ff0002", {{"loading_low.png", "old"}});
  writeFile(library() + "/" + kReplacingNote, "Sunset\n.lumaset-aside-00ff0002\n");
  ASSERT_EQ(import({dropFolder("Rose")}).at(0).result, ImportResult::Added);
  EXPECT_FALSE(fs::exists(library() + "/.lumaset-aside-00ff0002"));
  EXPECT_EQ(readWhole(library() + "/Sunset/loading_low.png"), testing::samplePng(4));
}

TEST_F(ThemeImport, AnImportWaitsForTheLibraryAndGivesUpWithAMessage) {
  std::string ink = dropFolder("Ink");
  fs::create_directories(library());
  std::unique_ptr<FileLock> held;
  ASSERT_EQ(files.lockFile(library() + "/" + kLibraryLockName, held), LockResult::Taken);
  std::vector<ImportOutcome> outcomes = importThemes(
      files, library(), {ink}, [](const std::string&) { return true; }, std::chrono::milliseconds(100));
  EXPECT_EQ(outcomes.at(0).result, ImportResult::Busy);
  EXPECT_EQ(outcomeText(outcomes[0]), "另一个添加主题的操作还没有结束，请稍后再试：Ink");
  EXPECT_TRUE(treeOf(library()).empty());
  held.reset();
  EXPECT_EQ(import({ink}).at(0).result, ImportResult::Added);
}

// The entries of a tree that do not lie in one of the library's work folders or files.
testing::Snapshot withoutWorkNames(testing::Snapshot tree) {
  std::erase_if(tree, [](const auto& entry) { return isWorkName(entry.first); });
  return tree;
}

TEST_F(ThemeImport, AFailureAtAnyStepLeavesTheLibraryAsItWas) {
  testing::writeTheme(home, "Ink", testing::sixImages(1));
  std::string newInk = dropFolder("Ink", 9);
  writeFile(newInk + "/sub/extra.png", "extra");
  writeFile(dir / "drop/Rose.zip",
            testing::buildZip({{"info.ini", "x"}, {"loading_low.png", testing::samplePng(4)}, {"d/e.png", "e"}}));
  const std::string saved = dir / "saved-library";
  auto yes = [](const std::string&) { return true; };
  for (const std::string& item : {newInk, dir / "drop/Rose.zip"}) {
    // Every run starts from the library as it was before this item.
    fs::remove_all(saved);
    fs::copy(library(), saved, fs::copy_options::recursive);
    auto restore = [&] {
      fs::remove_all(library());
      fs::copy(saved, library(), fs::copy_options::recursive);
    };
    const auto before = treeOf(library());
    ASSERT_TRUE(importThemes(files, library(), {item}, yes).at(0).added());
    const auto imported = treeOf(library());
    int failAt = 1;
    for (;; ++failAt) {
      SCOPED_TRACE(item + " failing change " + std::to_string(failAt));
      restore();
      testing::FailingNthChange failing;
      failing.failAt = failAt;
      std::vector<ImportOutcome> outcomes = importThemes(failing, library(), {item}, yes);
      if (failing.changes < failAt) break;  // every change went through
      const std::string failed = failing.failedCall + " " + failing.failedPath;
      if (!outcomes.at(0).added()) {
        // The import itself may have made the library's lock; nothing else changed.
        EXPECT_EQ(treeOf(library()), before) << failed;
        continue;
      }
      // Only the import's own tidying may fail without failing it: a lock that is tried
      // again at once, the removal of its note or of the old theme set aside. The library
      // then shows the new theme, and what is left over goes at the next import.
      EXPECT_TRUE(failing.failedCall == "lockFile" || failing.failedCall == "removeFile" ||
                  failing.failedCall == "deleteFolder")
          << failed;
      EXPECT_EQ(withoutWorkNames(treeOf(library())), imported) << failed;
      EXPECT_TRUE(importThemes(files, library(), {item}, yes).at(0).added());
      EXPECT_EQ(treeOf(library()), imported) << failed;
    }
    EXPECT_GT(failAt, 4);
  }
  EXPECT_EQ(readWhole(library() + "/Ink/loading_low.png"), testing::samplePng(9));
  EXPECT_EQ(readWhole(library() + "/Ink/ico_dark_high.png"), testing::sixImages(1)["ico_dark_high.png"]);
  EXPECT_EQ(readWhole(library() + "/Rose/d/e.png"), "e");
}

}  // namespace
}  // namespace lumaset

namespace lumaset {
namespace {

// Fails every move after the first `allowed` ones.
class FailingMoves : public testing::ForwardingFiles {
 public:
  int allowed = 0;
  bool allowChange(const testing::ChangeCall& call) override { return call.name != "moveFile" || allowed-- > 0; }
};

TEST_F(ThemeImport, AnOldThemeThatCannotGoBackAtOnceIsKeptForTheNextImport) {
  testing::writeTheme(home, "Ink", testing::sixImages(1));
  const auto before = treeOf(library() + "/Ink");
  // The old theme steps aside, and neither the new one nor the old one can then take its place.
  FailingMoves failing;
  failing.allowed = 1;
  auto yes = [](const std::string&) { return true; };
  EXPECT_EQ(importThemes(failing, library(), {dropFolder("Ink", 7)}, yes).at(0).result, ImportResult::CopyFailed);
  // Nor at the next import's start: it keeps the set-aside theme and its note.
  failing.allowed = 0;
  EXPECT_EQ(importThemes(failing, library(), {dropFolder("Rose")}, yes).at(0).result, ImportResult::CopyFailed);
  EXPECT_FALSE(listed("Ink"));
  // The first import that can move puts it back whole.
  EXPECT_EQ(import({dropFolder("Rose")}).at(0).result, ImportResult::Added);
  EXPECT_EQ(treeOf(library() + "/Ink"), before);
}

TEST_F(ThemeImport, AMergeKeepsTheThemesNameAndNamesWhatItCannotCarryOver) {
  testing::writeTheme(home, "Ink", {{"loading_low.png", testing::samplePng(1)}, {"notes.txt", "kept"}});
  fs::create_symlink("loading_low.png", library() + "/Ink/alias.png");
  std::string lower = dropFolder("ink", 3);
  std::vector<std::string> asked;
  std::vector<ImportOutcome> outcomes = importThemes(files, library(), {lower}, [&](const std::string& theme) {
    asked.push_back(theme);
    return true;
  });
  ASSERT_EQ(outcomes.at(0).result, ImportResult::Merged);
  EXPECT_EQ(asked, std::vector<std::string>{"Ink"});
  EXPECT_EQ(outcomes[0].skipped, std::vector<std::string>{"Ink/alias.png"});
  EXPECT_NE(outcomeText(outcomes[0]).find("\r\n  Ink/alias.png"), std::string::npos);
  EXPECT_EQ(readWhole(library() + "/Ink/loading_low.png"), testing::samplePng(3));
  EXPECT_EQ(readWhole(library() + "/Ink/notes.txt"), "kept");
  EXPECT_FALSE(fs::exists(library() + "/ink"));
}

TEST_F(ThemeImport, APackageThatCannotBePlacedSaysItCouldNotBeWritten) {
  writeFile(dir / "drop/Rose.zip", testing::buildZip({{"info.ini", "x"}, {"loading_low.png", testing::samplePng(3)}}));
  FailingMoves failing;
  std::vector<ImportOutcome> outcomes =
      importThemes(failing, library(), {dir / "drop/Rose.zip"}, [](const std::string&) { return true; });
  EXPECT_EQ(outcomes.at(0).result, ImportResult::PackageFailed);
  EXPECT_EQ(importMessage(outcomes, true)->caption, "错误代码：" + std::to_string(kZipWriteFailed));
}

}  // namespace
}  // namespace lumaset
