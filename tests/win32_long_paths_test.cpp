// Paths longer than MAX_PATH on the Win32 side: the wide form that the file functions
// take, and every file operation of the program in a folder whose path passes 300
// characters.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/system.h"
#include "platform/win32_file_io.h"
#include "platform/win32_text.h"
#include "support/temp_dir.h"

namespace lumaset {
namespace {

using testing::TempDir;
using win32::childPath;
using win32::isDevicePath;
using win32::widePath;
using win32::withoutLongPrefix;

TEST(WidePath, NormalisesAbsolutePathsAndMarksLongOnes) {
  EXPECT_EQ(widePath("C:\\a\\b"), L"C:\\a\\b");
  EXPECT_EQ(widePath("C:/a/./b/../c. "), L"C:\\a\\c");
  const std::string at247 = "C:\\" + std::string(win32::kLongPathFrom - 4, 'x');
  ASSERT_EQ(at247.size(), win32::kLongPathFrom - 1);
  EXPECT_EQ(widePath(at247), toWide(at247));
  EXPECT_EQ(widePath(at247 + "y"), L"\\\\?\\" + toWide(at247 + "y"));
  const std::string deep =
      "D:\\" + std::string(150, 'a') + "\\..\\" + std::string(150, 'b') + "\\" + std::string(150, 'c') + ".";
  EXPECT_EQ(widePath(deep), L"\\\\?\\D:\\" + std::wstring(150, L'b') + L"\\" + std::wstring(150, L'c'));
  const std::string share = "\\\\server\\share\\" + std::string(260, 's');
  EXPECT_EQ(widePath(share), L"\\\\?\\UNC\\server\\share\\" + std::wstring(260, L's'));
}

TEST(WidePath, LeavesRelativeAndPrefixedPathsAlone) {
  const std::string relative = std::string(150, 'r') + "\\" + std::string(150, 'r') + "\\..";
  EXPECT_EQ(widePath(relative), toWide(relative));
  EXPECT_EQ(widePath("\\\\?\\C:\\x\\..\\y"), L"\\\\?\\C:\\x\\..\\y");
  EXPECT_EQ(widePath("\\\\.\\pipe\\p"), L"\\\\.\\pipe\\p");
}

TEST(WidePath, ThePrefixGoesBeforeTheCoreSeesAPath) {
  EXPECT_EQ(withoutLongPrefix(L"\\\\?\\C:\\x"), L"C:\\x");
  EXPECT_EQ(withoutLongPrefix(L"\\\\?\\UNC\\server\\share\\x"), L"\\\\server\\share\\x");
  EXPECT_EQ(withoutLongPrefix(L"C:\\x"), L"C:\\x");
  const std::wstring folder = L"C:\\" + std::wstring(240, L'f');
  EXPECT_EQ(childPath(L"C:\\f\\", L"n"), L"C:\\f\\n");
  EXPECT_EQ(childPath(folder, L"name"), L"\\\\?\\" + folder + L"\\name");
  EXPECT_EQ(childPath(L"\\\\?\\C:\\f", L"n"), L"\\\\?\\C:\\f\\n");
}

TEST(WidePath, TellsDevicesFromFiles) {
  for (const wchar_t* device : {L"NUL", L"con", L"C:\\x\\nul.txt", L"C:\\x\\COM1", L"\\\\.\\pipe\\p",
                                L"\\\\?\\GLOBALROOT\\Device\\Null", L"C:\\x\\LPT1 .log"})
    EXPECT_TRUE(isDevicePath(device)) << device;
  for (const wchar_t* file : {L"C:\\x\\null", L"C:\\nul\\x", L"\\\\?\\C:\\x", L"\\\\?\\UNC\\s\\h\\x", L"COM10"})
    EXPECT_FALSE(isDevicePath(file)) << file;
}

// The names of an absolute path stay as given, so the core sees a part that Windows
// would shorten ("PS.." would become "PS."); dotted parts and relative paths are resolved.
TEST(AbsolutePath, KeepsTheNamesOfItsParts) {
  std::unique_ptr<Files> files = makeSystemFiles();
  EXPECT_EQ(files->absolutePath("C:\\Adobe\\PS..\\Photoshop.exe"), "C:\\Adobe\\PS..\\Photoshop.exe");
  EXPECT_EQ(files->absolutePath("D:/Adobe /PS"), "D:\\Adobe \\PS");
  EXPECT_EQ(files->absolutePath("\\\\nas\\apps.\\PS"), "\\\\nas\\apps.\\PS");
  EXPECT_EQ(files->absolutePath("C:\\Adobe\\..\\PS\\.\\x"), "C:\\PS\\x");
  const std::string current = fromWide(win32::fullPath(L"."));
  const std::string joined = current.back() == '\\' ? current : current + "\\";
  EXPECT_EQ(files->absolutePath("PS..\\Photoshop.exe"), joined + "PS..\\Photoshop.exe");
  EXPECT_EQ(files->absolutePath("a/b"), joined + "a\\b");
  EXPECT_EQ(files->absolutePath("..\\x"), fromWide(win32::fullPath(L"..\\x")));
}

// A folder 300+ characters deep, made level by level by the program itself.
class LongFolder : public ::testing::Test {
 protected:
  std::unique_ptr<Files> files = makeSystemFiles();
  TempDir dir;
  std::string top = dir / "长路径";
  std::string deep;

  void SetUp() override {
    ASSERT_TRUE(files->createFolder(top));
    deep = top;
    for (int level = 0; deep.size() <= 320; ++level) {
      deep += "\\" + std::string(60, static_cast<char>('a' + level));
      ASSERT_TRUE(files->createFolder(deep)) << deep.size();
    }
  }
  // The C runtime under std::filesystem may not reach this deep: the program removes it.
  void TearDown() override { files->deleteFolder(top); }
  std::string at(const std::string& name) { return deep + "\\" + name; }
  std::size_t entryCount(const std::string& folder) {
    auto entries = files->folderEntries(folder);
    return entries ? entries->size() : 0;
  }
};

TEST_F(LongFolder, FilesAreWrittenReadCutAndCopied) {
  ASSERT_TRUE(files->writeFile(at("a.bin"), "abc"));
  ASSERT_TRUE(files->writeFile(at("a.bin"), "abcdef"));  // replaced through a temporary file
  EXPECT_EQ(files->readFile(at("a.bin")), "abcdef");
  EXPECT_EQ(files->readRange(at("a.bin"), 2, 2), "cd");
  ASSERT_TRUE(files->appendFile(at("a.bin"), "gh"));
  ASSERT_TRUE(files->truncateFile(at("a.bin"), 3));
  EXPECT_EQ(files->readFile(at("a.bin")), "abc");
  ASSERT_TRUE(files->copyFile(at("a.bin"), at("b.bin")));
  std::string hash;
  ASSERT_TRUE(files->copyFileHashed(at("b.bin"), at("c.bin"), hash));
  EXPECT_EQ(hash, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");  // SHA-256 of "abc"
  EXPECT_EQ(files->readFile(at("c.bin")), "abc");
  ASSERT_TRUE(files->writeNewFile(at("new.bin"), "n"));
  EXPECT_FALSE(files->writeNewFile(at("new.bin"), "again"));
  EXPECT_TRUE(files->flushFolder(top));
  EXPECT_EQ(entryCount(deep), 4u);  // no temporary file left behind

  EXPECT_TRUE(files->exists(at("b.bin")));
  FileInfo info = files->info(at("b.bin"));
  EXPECT_TRUE(info.exists && !info.isFolder && info.size == 3);
  std::optional<FileIdentity> before = files->identity(at("b.bin"));
  ASSERT_TRUE(before);
  EXPECT_EQ(files->identity(at("b.bin")), before);
  EXPECT_NE(files->identity(at("c.bin")), before);
  EXPECT_EQ(files->hardLinkCount(at("b.bin")), 1u);
  ASSERT_TRUE(files->moveFile(at("b.bin"), at("moved.bin")));
  EXPECT_FALSE(files->moveFile(at("c.bin"), at("moved.bin")));  // never over a file
  ASSERT_TRUE(files->removeFile(at("moved.bin")));
  EXPECT_FALSE(files->exists(at("moved.bin")));
}

TEST_F(LongFolder, FoldersAreListedMovedAndDeleted) {
  ASSERT_TRUE(files->createFolder(at("inner")));
  ASSERT_TRUE(files->writeFile(at("inner\\x.txt"), "xx"));
  ASSERT_TRUE(files->writeFile(at("f.txt"), "f"));
  EXPECT_EQ(files->entryKind(at("inner")), EntryKind::Folder);
  EXPECT_EQ(files->entryKind(at("f.txt")), EntryKind::File);
  EXPECT_EQ(files->subfolders(deep), std::vector<std::string>{"inner"});
  EXPECT_EQ(files->fileNames(deep), std::vector<std::string>{"f.txt"});
  std::optional<std::vector<FolderEntry>> entries = files->folderEntries(at("inner"));
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 1u);
  EXPECT_EQ((*entries)[0].name, "x.txt");
  EXPECT_EQ((*entries)[0].size, 2u);

  ASSERT_TRUE(files->moveFile(at("inner"), at("renamed")));
  EXPECT_EQ(files->readFile(at("renamed\\x.txt")), "xx");
  EXPECT_EQ(files->entryKind(at("inner")), EntryKind::Missing);
  // The folder is deleted from above, where its own path is still short.
  ASSERT_TRUE(files->deleteFolder(top));
  EXPECT_EQ(files->entryKind(top), EntryKind::Missing);
}

TEST_F(LongFolder, ProfileStringsAreReadAndWritten) {
  const std::string ini = at("setting.ini");
  EXPECT_EQ(files->readProfileString(ini, "Lumaset", "path", "none"), "none");
  ASSERT_TRUE(files->writeProfileString(ini, "Lumaset", "path", "C:\\PS 安装"));
  EXPECT_EQ(files->readRange(ini, 0, 2), "\xFF\xFE");  // a new file is UTF-16LE, as Windows keeps it
  ASSERT_TRUE(files->writeProfileString(ini, "Lumaset", "theme", "樱花"));
  ASSERT_TRUE(files->writeProfileString(ini, "Other", "path", "second"));
  ASSERT_TRUE(files->writeProfileString(ini, "lumaset", "PATH", "D:\\PS"));
  EXPECT_EQ(files->readProfileString(ini, "LUMASET", "path", "none"), "D:\\PS");
  EXPECT_EQ(files->readProfileString(ini, "Lumaset", "theme", "none"), "樱花");
  EXPECT_EQ(files->readProfileString(ini, "Other", "path", "none"), "second");
  EXPECT_EQ(files->readProfileString(ini, "Other", "missing", "none"), "none");
  EXPECT_EQ(entryCount(deep), 1u);  // the copy it was edited in is gone

  // An info.ini as editors save it: UTF-8 without a mark.
  ASSERT_TRUE(files->writeFile(at("info.ini"), "[Lumaset_theme]\r\ninfo=主题\r\n"));
  EXPECT_EQ(files->readProfileString(at("info.ini"), "lumaset_theme", "INFO", ""), "主题");
}

TEST_F(LongFolder, LocksNamesAndHolds) {
  const std::string lockPath = at("lumaset.lock");
  std::unique_ptr<FileLock> lock, second;
  ASSERT_EQ(files->lockFile(lockPath, lock), LockResult::Taken);
  EXPECT_EQ(files->lockFile(lockPath, second), LockResult::HeldElsewhere);
  lock.reset();
  EXPECT_EQ(files->entryKind(lockPath), EntryKind::Missing);  // deleted when closed

  ASSERT_TRUE(files->writeFile(at("Mixed.Case"), "m"));
  std::string lower = deep;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
  EXPECT_EQ(files->canonicalPath(lower + "\\mixed.case"), at("Mixed.Case"));
  EXPECT_EQ(files->canonicalPath(deep), deep);
  EXPECT_EQ(files->canonicalPath(at("missing")), at("missing"));
  EXPECT_EQ(files->linkTarget(at("Mixed.Case")), at("Mixed.Case"));
  EXPECT_EQ(files->absolutePath(deep + "\\.\\x\\..\\Mixed.Case"), at("Mixed.Case"));

  EXPECT_FALSE(files->hostInUse(at("Photoshop.exe"), {at("Mixed.Case")}));
  HANDLE held = CreateFileW(widePath(at("Mixed.Case")).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(files->hostInUse(at("Photoshop.exe"), {at("Mixed.Case")}));
  CloseHandle(held);
}

TEST_F(LongFolder, TheVersionOfAnExecutableIsRead) {
  const char* stubs = std::getenv("LUMASET_TEST_STUBS");
  ASSERT_NE(stubs, nullptr);
  ASSERT_TRUE(files->copyFile(std::string(stubs) + "\\v18.0.0\\Photoshop.exe", at("Photoshop.exe")));
  EXPECT_EQ(files->productVersion(at("Photoshop.exe")), "18.0.0");
}

}  // namespace
}  // namespace lumaset
