// Behaviour of the file side of the platform. The same tests run against the POSIX
// implementation natively and against the Win32 one under wine, so that the two cannot
// drift apart unnoticed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/system.h"
#include "support/temp_dir.h"

namespace lumaset {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

class PlatformFiles : public ::testing::Test {
 protected:
  std::unique_ptr<Files> files = makeSystemFiles();
  TempDir dir;

  std::string path(const std::string& relative) { return dir / relative; }
  void put(const std::string& relative, const std::string& bytes) {
    std::ofstream(testing::pathFromUtf8(path(relative)), std::ios::binary) << bytes;
  }
  std::string get(const std::string& relative) {
    std::ifstream in(testing::pathFromUtf8(path(relative)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::size_t entryCount() {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()));
  }
};

TEST_F(PlatformFiles, ReadsWholeFilesAndMissingOnesAsNothing) {
  put("a.bin", std::string("ab\0cd", 5));
  EXPECT_EQ(files->readFile(path("a.bin")), std::string("ab\0cd", 5));
  EXPECT_EQ(files->readFile(path("missing.bin")), "");
  EXPECT_EQ(files->readFile(dir.str()), "");  // a folder reads as nothing
}

TEST_F(PlatformFiles, RangeReadsAreClippedToTheFile) {
  put("p.dat", "0123456789");
  EXPECT_EQ(files->readRange(path("p.dat"), 2, 3), "234");
  EXPECT_EQ(files->readRange(path("p.dat"), 8, 100), "89");
  EXPECT_EQ(files->readRange(path("p.dat"), 10, 1), "");
  EXPECT_EQ(files->readRange(path("p.dat"), 50, 1), "");
  EXPECT_EQ(files->readRange(path("missing"), 0, 1), "");
}

TEST_F(PlatformFiles, WriteReplacesWholeFileAndLeavesNoTemporaryFile) {
  put("t.txt", "old contents that are longer");
  ASSERT_TRUE(files->writeFile(path("t.txt"), "new"));
  EXPECT_EQ(get("t.txt"), "new");
  ASSERT_TRUE(files->writeFile(path("fresh.txt"), std::string("\0x", 2)));
  EXPECT_EQ(get("fresh.txt"), std::string("\0x", 2));
  EXPECT_EQ(entryCount(), 2u);
  EXPECT_FALSE(files->writeFile(path("no/such/folder/x"), "y"));
  EXPECT_FALSE(files->writeFile(dir.str(), "y"));  // a folder is never replaced
}

TEST_F(PlatformFiles, AppendAddsAtTheEndAndCreatesMissingFiles) {
  put("pack.dat", "fdra");
  ASSERT_TRUE(files->appendFile(path("pack.dat"), "IMG1"));
  ASSERT_TRUE(files->appendFile(path("pack.dat"), "IMG2"));
  EXPECT_EQ(get("pack.dat"), "fdraIMG1IMG2");
  ASSERT_TRUE(files->appendFile(path("new.dat"), "x"));
  EXPECT_EQ(get("new.dat"), "x");
}

TEST_F(PlatformFiles, CopyOverwritesAndFailsForMissingSources) {
  put("src", "source bytes");
  put("dst", "old");
  ASSERT_TRUE(files->copyFile(path("src"), path("dst")));
  EXPECT_EQ(get("dst"), "source bytes");
  EXPECT_FALSE(files->copyFile(path("missing"), path("dst2")));
  EXPECT_FALSE(files->exists(path("dst2")));
  EXPECT_EQ(entryCount(), 2u);
  // A copy of a few MB, plain and hashed, counts exactly its bytes, expected and done.
  const std::string pack((3u << 20) + 12345, 'p');
  put("pack", pack);
  WorkProgress progress;
  ASSERT_TRUE(files->copyFile(path("pack"), path("pack copy"), &progress));
  EXPECT_EQ(progress.total(), pack.size());
  EXPECT_EQ(progress.done(), pack.size());
  std::string hash;
  ASSERT_TRUE(files->copyFileHashed(path("pack"), path("pack hashed"), hash, &progress));
  EXPECT_EQ(progress.total(), 2 * pack.size());
  EXPECT_EQ(progress.done(), 2 * pack.size());
  EXPECT_EQ(get("pack hashed"), pack);
}

TEST_F(PlatformFiles, MoveRenamesButNeverOverwrites) {
  put("a", "A");
  put("b", "B");
  EXPECT_FALSE(files->moveFile(path("a"), path("b")));
  EXPECT_EQ(get("b"), "B");
  ASSERT_TRUE(files->moveFile(path("a"), path("c")));
  EXPECT_FALSE(files->exists(path("a")));
  EXPECT_EQ(get("c"), "A");
  fs::create_directory(dir.path() / "folder");
  ASSERT_TRUE(files->moveFile(path("folder"), path("folder_old")));
  EXPECT_TRUE(files->info(path("folder_old")).isFolder);
}

TEST_F(PlatformFiles, CreatesOneFolderLevelOnly) {
  EXPECT_TRUE(files->createFolder(path("one")));
  EXPECT_FALSE(files->createFolder(path("one")));  // exists already
  EXPECT_FALSE(files->createFolder(path("two/three")));
  EXPECT_TRUE(files->info(path("one")).isFolder);
  EXPECT_FALSE(files->exists(path("two")));
}

TEST_F(PlatformFiles, DeletesAFolderWithEverythingInIt) {
  fs::create_directories(dir.path() / "tree" / "sub" / "deeper");
  put("tree/sub/deeper/f", "x");
  put("tree/g", "y");
  put("keep", "z");
  ASSERT_TRUE(files->deleteFolder(path("tree")));
  EXPECT_FALSE(files->exists(path("tree")));
  EXPECT_TRUE(files->exists(path("keep")));
  EXPECT_FALSE(files->deleteFolder(path("tree")));
  EXPECT_FALSE(files->deleteFolder(path("keep")));  // not a folder
}

TEST_F(PlatformFiles, ExistsAndInfoTellFilesFromFolders) {
  put("f", "12345");
  FileInfo file = files->info(path("f"));
  EXPECT_TRUE(file.exists);
  EXPECT_FALSE(file.isFolder);
  EXPECT_EQ(file.size, 5u);
  EXPECT_TRUE(files->info(dir.str()).isFolder);
  EXPECT_FALSE(files->info(path("none")).exists);
  EXPECT_TRUE(files->exists(dir.str()));
  EXPECT_FALSE(files->exists(path("none")));
}

TEST_F(PlatformFiles, ListsSubfoldersOnly) {
  fs::create_directory(dir.path() / "ThemeA");
  fs::create_directory(dir.path() / testing::pathFromUtf8("主题乙"));
  put("file.txt", "x");
  std::vector<std::string> names = files->subfolders(dir.str());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"ThemeA", "主题乙"}));
  EXPECT_TRUE(files->subfolders(path("missing")).empty());
}

TEST_F(PlatformFiles, TellsWhatStandsAtAPathAndListsFolders) {
  fs::create_directory(dir.path() / "sub");
  put("a.png", "12345");
  put("sub/b.txt", "x");
  EXPECT_EQ(files->entryKind(path("a.png")), EntryKind::File);
  EXPECT_EQ(files->entryKind(path("sub")), EntryKind::Folder);
  EXPECT_EQ(files->entryKind(path("missing")), EntryKind::Missing);
  std::optional<std::vector<FolderEntry>> entries = files->folderEntries(dir.str());
  ASSERT_TRUE(entries);
  std::sort(entries->begin(), entries->end(), [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[0].name, "a.png");
  EXPECT_EQ((*entries)[0].kind, EntryKind::File);
  EXPECT_EQ((*entries)[0].size, 5u);
  EXPECT_EQ((*entries)[1].name, "sub");
  EXPECT_EQ((*entries)[1].kind, EntryKind::Folder);
  EXPECT_FALSE(files->folderEntries(path("missing")));
  EXPECT_FALSE(files->folderEntries(path("a.png")));
}

#ifndef _WIN32
TEST_F(PlatformFiles, LinksAreNotFollowedAndPipesAreNeverOpened) {
  fs::create_directory(dir.path() / "real");
  put("real/x.txt", "x");
  fs::create_directory_symlink(dir.path() / "real", dir.path() / "folder-link");
  fs::create_symlink(dir.path() / "real" / "x.txt", dir.path() / "file-link");
  ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
  EXPECT_EQ(files->entryKind(path("folder-link")), EntryKind::Link);
  EXPECT_EQ(files->entryKind(path("file-link")), EntryKind::Link);
  EXPECT_EQ(files->entryKind(path("pipe")), EntryKind::Other);
  std::optional<std::vector<FolderEntry>> entries = files->folderEntries(dir.str());
  ASSERT_TRUE(entries);
  for (const FolderEntry& e : *entries) {
    EntryKind expected = e.name == "real" ? EntryKind::Folder : e.name == "pipe" ? EntryKind::Other : EntryKind::Link;
    EXPECT_EQ(e.kind, expected) << e.name;
  }
  EXPECT_FALSE(files->folderEntries(path("folder-link")));
  // A pipe with no writer would block an ordinary open for good.
  EXPECT_EQ(files->readFile(path("pipe")), "");
  EXPECT_EQ(files->readRange(path("pipe"), 0, 10), "");
  EXPECT_FALSE(files->copyFile(path("pipe"), path("copy")));
  std::string hash;
  EXPECT_FALSE(files->copyFileHashed(path("pipe"), path("copy"), hash));
  EXPECT_FALSE(files->appendFile(path("pipe"), "x"));
  EXPECT_FALSE(files->truncateFile(path("pipe"), 0));
  EXPECT_EQ(files->readProfileString(path("pipe"), "Lumaset_theme", "info", "default"), "default");
  std::unique_ptr<FileLock> lock;
  EXPECT_EQ(files->lockFile(path("pipe"), lock), LockResult::Failed);
  EXPECT_FALSE(fs::exists(dir.path() / "copy"));
}
#endif

TEST_F(PlatformFiles, HandlesNonAsciiPaths) {
  std::string name = path("模板 ünïcode.txt");
  ASSERT_TRUE(files->writeFile(name, "中文"));
  EXPECT_EQ(files->readFile(name), "中文");
  EXPECT_TRUE(files->exists(name));
}

TEST_F(PlatformFiles, ProfileReadsDefaultsForMissingFileSectionOrKey) {
  std::string ini = path("setting.ini");
  EXPECT_EQ(files->readProfileString(ini, "lumaset", "photoshop", "dflt"), "dflt");
  put("setting.ini", "[other]\r\nphotoshop=x\r\n");
  EXPECT_EQ(files->readProfileString(ini, "lumaset", "photoshop", ""), "");
  EXPECT_EQ(files->readProfileString(ini, "other", "missing", "语言文件名未设置"), "语言文件名未设置");
}

TEST_F(PlatformFiles, ProfileMatchesSectionsAndKeysWithoutCase) {
  put("a.ini", "[LumaSet]\r\nPhotoShop=D:\\PS\\\r\n");
  EXPECT_EQ(files->readProfileString(path("a.ini"), "lumaset", "photoshop", ""), "D:\\PS\\");
}

TEST_F(PlatformFiles, ProfileWriteCreatesFileAndKeepsOtherKeys) {
  std::string ini = path("setting.ini");
  ASSERT_TRUE(files->writeProfileString(ini, "lumaset", "photoshop", "C:\\主机\\"));
  ASSERT_TRUE(files->writeProfileString(ini, "lumaset", "photoshop_var", "16.1"));
  ASSERT_TRUE(files->writeProfileString(ini, "other", "key", "v"));
  ASSERT_TRUE(files->writeProfileString(ini, "lumaset", "photoshop", "E:\\新\\"));
  ASSERT_TRUE(files->writeProfileString(ini, "lumaset", "photoshop_locaal_file", ""));
  EXPECT_EQ(files->readProfileString(ini, "lumaset", "photoshop", ""), "E:\\新\\");
  EXPECT_EQ(files->readProfileString(ini, "lumaset", "photoshop_var", ""), "16.1");
  EXPECT_EQ(files->readProfileString(ini, "other", "key", ""), "v");
  // An empty value is stored as a key, not taken as a deletion.
  EXPECT_EQ(files->readProfileString(ini, "lumaset", "photoshop_locaal_file", "default"), "");
}

TEST_F(PlatformFiles, ProfileReadsAreCutAt10239Bytes) {
  std::string ini = path("long.ini");
  std::string longValue(12000, 'x');
  ASSERT_TRUE(files->writeProfileString(ini, "lumaset", "photoshop", longValue));
  EXPECT_EQ(files->readProfileString(ini, "lumaset", "photoshop", ""), std::string(10239, 'x'));
  EXPECT_EQ(files->readProfileString(ini, "lumaset", "none", longValue), std::string(10239, 'x'));
}

// A theme's info.ini as the editors of its authors save it: both builds read the same text.
TEST_F(PlatformFiles, ProfileTextsReadTheSameInEveryEncodingAnEditorSaves) {
  const std::string text = "[Lumaset_theme]\r\ninfo=水墨山水\r\nby=“小明”\r\n";
  const std::string utf16 = [&] {
    std::string out;
    for (char16_t c : std::u16string(u"[Lumaset_theme]\r\ninfo=水墨山水\r\nby=“小明”\r\n")) {
      out += static_cast<char>(c & 0xFF);
      out += static_cast<char>(c >> 8);
    }
    return out;
  }();
  std::string utf16be = utf16;
  for (std::size_t i = 0; i + 1 < utf16be.size(); i += 2) std::swap(utf16be[i], utf16be[i + 1]);
  // GBK whose bytes are valid UTF-8 as well ("水墨山水" reads "ˮīɽˮ" as UTF-8).
  const std::string gbk =
      "[Lumaset_theme]\r\ninfo=\xCB\xAE\xC4\xAB\xC9\xBD\xCB\xAE\r\nby=\xA1\xB0\xD0\xA1\xC3\xF7\xA1\xB1\r\n";
  const std::pair<const char*, std::string> saved[] = {{"utf8.ini", text},
                                                       {"utf8bom.ini", "\xEF\xBB\xBF" + text},
                                                       {"utf16le.ini", "\xFF\xFE" + utf16},
                                                       {"utf16be.ini", "\xFE\xFF" + utf16be},
                                                       {"gbk.ini", gbk}};
  for (const auto& [name, bytes] : saved) {
    put(name, bytes);
    EXPECT_EQ(files->readProfileString(path(name), "Lumaset_theme", "info", "未知"), "水墨山水") << name;
    EXPECT_EQ(files->readProfileString(path(name), "lumaset_theme", "BY", ""), "“小明”") << name;
  }
}

TEST_F(PlatformFiles, NewFilesWrittenAsABatchAreFlushedOnce) {
  ASSERT_TRUE(files->createFolder(path("batch")));
  ASSERT_TRUE(files->createFolder(path("batch/sub")));
  ASSERT_TRUE(files->writeNewFile(path("batch/a.png"), "aaa"));
  ASSERT_TRUE(files->writeNewFile(path("batch/sub/模板.txt"), std::string("b\0b", 3)));
  EXPECT_FALSE(files->writeNewFile(path("batch/a.png"), "again"));  // never over a file
  EXPECT_TRUE(files->flushFolder(path("batch")));
  EXPECT_EQ(get("batch/a.png"), "aaa");
  EXPECT_EQ(get("batch/sub/模板.txt"), std::string("b\0b", 3));
  EXPECT_FALSE(files->flushFolder(path("missing")));
}

TEST_F(PlatformFiles, DecodesTheChineseCodePage) {
  EXPECT_EQ(files->chineseCodePageToUtf8("\xD6\xF7\xCC\xE2 theme"), "主题 theme");
  EXPECT_EQ(files->chineseCodePageToUtf8(""), "");
  EXPECT_FALSE(files->chineseCodePageToUtf8("\xD6"));  // a lead byte without its second half
  EXPECT_FALSE(files->chineseCodePageToUtf8("a\xFF"));
}

std::string stub(const std::string& name) {
  const char* folder = std::getenv("LUMASET_TEST_STUBS");
  return std::string(folder ? folder : "stubs") + (makeSystemFiles()->separator()) + name +
         makeSystemFiles()->separator() + "Photoshop.exe";
}

TEST_F(PlatformFiles, ProductVersionComesFromTheFirstTranslation) {
  EXPECT_EQ(files->productVersion(stub("v16.1.2")), "16.1.2");
  EXPECT_EQ(files->productVersion(stub("v18.0.0")), "18.0.0");
  EXPECT_EQ(files->productVersion(stub("zh-first")), "16.1.2");
  // Without a translation list the string table 040904E4 is read, not the first one.
  EXPECT_EQ(files->productVersion(stub("no-translation")), "17.0.1");
}

TEST_F(PlatformFiles, ProductVersionIsEmptyWithoutAVersionResource) {
  EXPECT_EQ(files->productVersion(stub("no-version")), "");
  put("not-an-exe.exe", "MZ but nothing more");
  EXPECT_EQ(files->productVersion(path("not-an-exe.exe")), "");
  EXPECT_EQ(files->productVersion(path("missing.exe")), "");
}

TEST_F(PlatformFiles, FindsPathsWhoseLetterCaseDiffers) {
  fs::create_directories(dir.path() / "Host" / "Resources");
  put("Host/Photoshop.exe", "MZ");
  EXPECT_TRUE(files->exists(path("host/photoshop.exe")));
  EXPECT_EQ(files->readFile(path("HOST/PHOTOSHOP.EXE")), "MZ");
  ASSERT_TRUE(files->writeFile(path("host/resources/new.idx"), "i"));
  EXPECT_EQ(get("Host/Resources/new.idx"), "i");
  ASSERT_TRUE(files->writeFile(path("host/photoshop.exe"), "MZ2"));
  EXPECT_EQ(get("Host/Photoshop.exe"), "MZ2");
}

}  // namespace
}  // namespace lumaset
