// What stands at a path, as the Win32 side sees it under wine: files, folders, links,
// and things that are no file at all (a FIFO, a socket, a device, a named pipe), which
// every file operation refuses without waiting. tests/windows/pipes_and_links.sh makes the
// POSIX-only entries before this program runs.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

#include "platform/system.h"
#include "support/temp_dir.h"

namespace lumaset {
namespace {

using testing::TempDir;

// Runs `operation` on a thread of its own and gives its result, or nothing when it has not
// returned within ten seconds: an operation that waits on a pipe fails its test instead
// of hanging the run. A thread that never returns keeps what it was given until the
// process ends, so the operation holds only what it captured by value.
template <class Result>
std::optional<Result> inTime(std::function<Result()> operation) {
  struct Run {
    std::function<Result()> operation;
    Result result{};
  };
  auto* run = new Run{std::move(operation)};
  auto body = [](void* p) -> DWORD {
    auto* r = static_cast<Run*>(p);
    r->result = r->operation();
    return 0;
  };
  HANDLE thread = CreateThread(nullptr, 0, body, run, 0, nullptr);
  if (!thread) {
    delete run;
    return std::nullopt;
  }
  const bool returned = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
  CloseHandle(thread);
  if (!returned) return std::nullopt;
  Result result = std::move(run->result);
  delete run;
  return result;
}

class Entries : public ::testing::Test {
 protected:
  std::shared_ptr<Files> files = makeSystemFiles();
  TempDir dir;
  std::string path(const std::string& relative) { return dir / relative; }
};

TEST_F(Entries, FilesFoldersAndMissingPaths) {
  ASSERT_TRUE(files->writeFile(path("a.bin"), "12345"));
  ASSERT_TRUE(files->createFolder(path("子文件夹")));
  EXPECT_EQ(files->entryKind(path("a.bin")), EntryKind::File);
  EXPECT_EQ(files->entryKind(path("A.BIN")), EntryKind::File);  // letter case aside
  EXPECT_EQ(files->entryKind(path("子文件夹")), EntryKind::Folder);
  EXPECT_EQ(files->entryKind(dir.str() + "\\"), EntryKind::Folder);
  EXPECT_EQ(files->entryKind(path("missing")), EntryKind::Missing);
  EXPECT_EQ(files->entryKind(path("missing/a.bin")), EntryKind::Missing);
  EXPECT_EQ(files->entryKind(path("*.bin")), EntryKind::Missing);  // never a pattern
  EXPECT_EQ(files->entryKind("C:\\"), EntryKind::Folder);
}

TEST_F(Entries, AFolderListsItsEntriesWithTheirSizes) {
  ASSERT_TRUE(files->writeFile(path("a.bin"), "12345"));
  ASSERT_TRUE(files->writeFile(path("空.txt"), ""));
  ASSERT_TRUE(files->createFolder(path("sub")));
  ASSERT_TRUE(files->writeFile(path("sub/deeper.txt"), "not listed"));
  std::optional<std::vector<FolderEntry>> entries = files->folderEntries(dir.str());
  ASSERT_TRUE(entries);
  std::sort(entries->begin(), entries->end(), [](auto& a, auto& b) { return a.name < b.name; });
  ASSERT_EQ(entries->size(), 3u);
  EXPECT_EQ((*entries)[0].name, "a.bin");
  EXPECT_EQ((*entries)[0].kind, EntryKind::File);
  EXPECT_EQ((*entries)[0].size, 5u);
  EXPECT_EQ((*entries)[1].name, "sub");
  EXPECT_EQ((*entries)[1].kind, EntryKind::Folder);
  EXPECT_EQ((*entries)[2].name, "空.txt");
  EXPECT_EQ((*entries)[2].kind, EntryKind::File);
  EXPECT_EQ((*entries)[2].size, 0u);

  ASSERT_TRUE(files->createFolder(path("empty")));
  ASSERT_TRUE(files->folderEntries(path("empty")));
  EXPECT_TRUE(files->folderEntries(path("empty"))->empty());
  EXPECT_FALSE(files->folderEntries(path("missing")));
  EXPECT_FALSE(files->folderEntries(path("a.bin")));
}

// Three takers of one lock at once: the lock file comes and goes under each of them, and
// a moment when it is being made or deleted must read as held or free, never as a failure.
TEST_F(Entries, ALockThatComesAndGoesIsNeverTakenForSomethingElse) {
  struct Taker {
    std::shared_ptr<Files> files;
    std::string path;
    int failed = 0, taken = 0;
  };
  std::vector<Taker> takers(3, Taker{files, path("lumaset.lock")});
  auto body = [](void* p) -> DWORD {
    auto* taker = static_cast<Taker*>(p);
    for (int i = 0; i < 600; ++i) {
      std::unique_ptr<FileLock> lock;
      LockResult result = taker->files->lockFile(taker->path, lock);
      taker->failed += result == LockResult::Failed;
      taker->taken += result == LockResult::Taken;
    }
    return 0;
  };
  std::vector<HANDLE> threads;
  for (Taker& taker : takers) threads.push_back(CreateThread(nullptr, 0, body, &taker, 0, nullptr));
  ASSERT_EQ(WaitForMultipleObjects(3, threads.data(), TRUE, 120000), WAIT_OBJECT_0);
  for (HANDLE thread : threads) CloseHandle(thread);
  for (const Taker& taker : takers) {
    EXPECT_EQ(taker.failed, 0);
    EXPECT_GT(taker.taken, 0);
  }
}

// How many handles this process holds, from the system's list of all handles
// (GetProcessHandleCount gives 0 under wine); nothing when the list cannot be had.
std::optional<std::size_t> handlesHeld() {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  // SYSTEM_HANDLE_INFORMATION (class 16): a count, then one entry for each handle.
  struct Entry {
    ULONG process;
    UCHAR type, flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
  };
  struct List {
    ULONG count;
    Entry entries[1];
  };
  if (!query) return std::nullopt;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    ULONG needed = 0;
    const LONG status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == static_cast<LONG>(0xC0000004) && buffer.size() < (1u << 28)) {  // the buffer is too small
      buffer.resize(buffer.size() * 4);
      continue;
    }
    if (status != 0) return std::nullopt;
    break;
  }
  const auto* list = reinterpret_cast<const List*>(buffer.data());
  std::size_t held = 0;
  for (ULONG i = 0; i < list->count; ++i) held += list->entries[i].process == GetCurrentProcessId();
  return held;
}

// Every file operation gives back the handles it opened (of files, processes, the process
// snapshot), on its way to success and on its early ways out: a missing source, a cut past
// the end, a lock held elsewhere, a folder where a file belongs. A first round lets the
// system make what it keeps for later. (A folder search left open does not show in
// this count under wine.)
TEST_F(Entries, NoOperationKeepsAHandle) {
  ASSERT_TRUE(files->createFolder(path("tree")));
  auto round = [&] {
    const std::string tree = path("tree"), file = path("tree/a.bin");
    ASSERT_TRUE(files->writeFile(file, "12345"));
    ASSERT_TRUE(files->appendFile(file, "6"));
    ASSERT_TRUE(files->createFolder(path("tree/sub")));
    ASSERT_TRUE(files->writeNewFile(path("tree/sub/new.bin"), "n"));
    EXPECT_FALSE(files->writeNewFile(path("tree/sub/new.bin"), "again"));
    EXPECT_TRUE(files->flushFolder(tree));
    EXPECT_FALSE(files->flushFolder(path("missing")));
    EXPECT_EQ(files->readRange(file, 1, 2), "23");
    EXPECT_EQ(files->readFile(path("missing")), "");
    EXPECT_TRUE(files->copyFile(file, path("tree/copy.bin")));
    EXPECT_FALSE(files->copyFile(path("missing"), path("tree/copy.bin")));
    std::string sha;
    EXPECT_TRUE(files->copyFileHashed(file, path("tree/hashed.bin"), sha));
    EXPECT_FALSE(files->copyFileHashed(tree, path("tree/hashed.bin"), sha));
    EXPECT_FALSE(files->truncateFile(file, 100));
    EXPECT_TRUE(files->truncateFile(file, 1));
    EXPECT_TRUE(files->identity(file));
    EXPECT_FALSE(files->identity(tree));
    EXPECT_EQ(files->hardLinkCount(file), 1u);
    EXPECT_EQ(files->linkTarget(file), file);
    EXPECT_EQ(files->entryKind(file), EntryKind::File);
    EXPECT_EQ(files->entryKind(path("missing")), EntryKind::Missing);
    EXPECT_EQ(files->folderEntries(tree)->size(), 4u);
    EXPECT_FALSE(files->folderEntries(path("missing")));
    EXPECT_EQ(files->subfolders(tree).size(), 1u);
    EXPECT_EQ(files->fileNames(tree).size(), 3u);
    EXPECT_FALSE(files->hostInUse(path("missing.exe"), {file}));
    EXPECT_TRUE(files->writeProfileString(path("tree/p.ini"), "s", "k", "v"));
    EXPECT_EQ(files->readProfileString(path("tree/p.ini"), "s", "k", ""), "v");
    {
      std::unique_ptr<FileLock> lock, second;
      EXPECT_EQ(files->lockFile(path("tree/run.lock"), lock), LockResult::Taken);
      EXPECT_EQ(files->lockFile(path("tree/run.lock"), second), LockResult::HeldElsewhere);
      EXPECT_EQ(files->lockFile(tree, second), LockResult::Failed);
    }
    ASSERT_TRUE(files->moveFile(path("tree/sub"), path("tree/moved")));
    ASSERT_TRUE(files->removeFile(path("tree/copy.bin")));
    ASSERT_TRUE(files->deleteFolder(tree));
    ASSERT_TRUE(files->createFolder(tree));
  };
  round();
  std::optional<std::size_t> before = handlesHeld();
  ASSERT_TRUE(before);
  for (int i = 0; i < 5; ++i) round();
  EXPECT_EQ(handlesHeld(), before);
}

// What the wrapper script made on the POSIX side.
class SpecialEntries : public ::testing::Test {
 protected:
  std::shared_ptr<Files> files = makeSystemFiles();
  TempDir dir;

  void SetUp() override {
    ASSERT_NE(std::getenv("LUMASET_TEST_PIPES_AND_LINKS"), nullptr) << "run through tests/windows/pipes_and_links.sh";
    ASSERT_NE(std::getenv("LUMASET_TEST_DEVICE"), nullptr);
  }
  static std::string at(const std::string& name) {
    return std::string(std::getenv("LUMASET_TEST_PIPES_AND_LINKS")) + "\\" + name;
  }
  // No file on disk: the FIFOs, the socket and a device node.
  static std::vector<std::string> noFiles() {
    return {at("fifo"), at("held-fifo"), at("socket"), std::getenv("LUMASET_TEST_DEVICE")};
  }
};

TEST_F(SpecialEntries, PosixLinksAreLinksAndFifosSocketsAndDevicesAreOther) {
  EXPECT_EQ(files->entryKind(at("file-link")), EntryKind::Link);
  EXPECT_EQ(files->entryKind(at("folder-link")), EntryKind::Link);
  EXPECT_EQ(files->entryKind(at("outside\\file.txt")), EntryKind::File);
  for (const std::string& special : noFiles()) EXPECT_EQ(files->entryKind(special), EntryKind::Other) << special;
  // Wine does not show a link to nowhere at all; it is never a file or a folder.
  EntryKind dangling = files->entryKind(at("dangling-link"));
  EXPECT_TRUE(dangling == EntryKind::Link || dangling == EntryKind::Missing);

  std::optional<std::vector<FolderEntry>> entries = files->folderEntries(at(""));
  ASSERT_TRUE(entries);
  auto kindOf = [&](const std::string& name) {
    for (const FolderEntry& e : *entries)
      if (e.name == name) return e.kind;
    return EntryKind::Missing;
  };
  EXPECT_EQ(kindOf("outside"), EntryKind::Folder);
  EXPECT_EQ(kindOf("file-link"), EntryKind::Link);
  EXPECT_EQ(kindOf("folder-link"), EntryKind::Link);
  EXPECT_EQ(kindOf("fifo"), EntryKind::Other);
  EXPECT_EQ(kindOf("held-fifo"), EntryKind::Other);
  EXPECT_EQ(kindOf("socket"), EntryKind::Other);
  EXPECT_NE(kindOf("dangling-link"), EntryKind::File);
  // A link standing at the folder's own place is not listed through.
  EXPECT_FALSE(files->folderEntries(at("folder-link")));
}

TEST_F(SpecialEntries, ReadsAndCopiesOfNoFileGiveNothingWithoutWaiting) {
  for (const std::string& special : noFiles()) {
    SCOPED_TRACE(special);
    auto f = files;
    std::string target = dir / "copy";
    EXPECT_EQ(inTime<Bytes>([f, special] { return f->readFile(special); }), Bytes());
    EXPECT_EQ(inTime<Bytes>([f, special] { return f->readRange(special, 0, 16); }), Bytes());
    EXPECT_EQ(inTime<bool>([f, special, target] { return f->copyFile(special, target); }), false);
    EXPECT_EQ(inTime<bool>([f, special, target] {
                std::string hash;
                return f->copyFileHashed(special, target, hash);
              }),
              false);
    EXPECT_EQ(files->entryKind(target), EntryKind::Missing);
    EXPECT_EQ(inTime<bool>([f, special] { return f->identity(special).has_value(); }), false);
    EXPECT_EQ(inTime<std::uint32_t>([f, special] { return f->hardLinkCount(special); }), 0u);
    EXPECT_EQ(inTime<std::string>([f, special] { return f->canonicalPath(special); }), special);
    EXPECT_EQ(inTime<std::string>([f, special] { return f->productVersion(special); }), "");
  }
}

TEST_F(SpecialEntries, WritesLocksAndProfilesRefuseNoFileWithoutWaiting) {
  for (const std::string& special : noFiles()) {
    SCOPED_TRACE(special);
    auto f = files;
    EXPECT_EQ(inTime<bool>([f, special] { return f->appendFile(special, std::string(1 << 17, 'x')); }), false);
    EXPECT_EQ(inTime<bool>([f, special] { return f->truncateFile(special, 0); }), false);
    EXPECT_EQ(inTime<LockResult>([f, special] {
                std::unique_ptr<FileLock> lock;
                return f->lockFile(special, lock);
              }),
              LockResult::Failed);
    EXPECT_EQ(inTime<std::string>([f, special] { return f->readProfileString(special, "s", "k", "def"); }), "def");
    EXPECT_EQ(inTime<bool>([f, special] { return f->writeProfileString(special, "s", "k", "v"); }), false);
    EXPECT_EQ(inTime<bool>([f, special] { return f->hostInUse(special + ".exe", {special}); }), false);
  }
}

TEST_F(SpecialEntries, LinksAreFollowedForReadsButNeverByLocksOrDeletion) {
  EXPECT_EQ(files->readFile(at("file-link")), "outside");
  EXPECT_EQ(files->linkTarget(at("file-link")), at("outside\\file.txt"));
  EXPECT_EQ(files->canonicalPath(at("folder-link")), at("outside"));
  // A lock at a link's place would delete the link's target when it closes.
  std::unique_ptr<FileLock> lock;
  EXPECT_EQ(files->lockFile(at("file-link"), lock), LockResult::Failed);
  EXPECT_EQ(files->lockFile(at("folder-link"), lock), LockResult::Failed);
  EXPECT_FALSE(lock);
  EXPECT_EQ(files->readFile(at("outside\\file.txt")), "outside");

  // Removing a link, or a folder that holds links, never removes what they lead to.
  // (Wine would remove the target instead of a POSIX link, so there the links stay.)
  files->removeFile(at("file-link"));
  files->deleteFolder(at("tree"));
  files->deleteFolder(at("folder-link"));
  EXPECT_EQ(files->entryKind(at("tree\\real")), EntryKind::Missing);
  EXPECT_EQ(files->readFile(at("outside\\file.txt")), "outside");
  EXPECT_EQ(files->readFile(at("outside\\sub\\kept.txt")), "inside");
  EXPECT_EQ(files->entryKind(at("empty")), EntryKind::Folder);
}

// Windows' own devices and pipes, which need no POSIX side.
class Devices : public ::testing::Test {
 protected:
  std::unique_ptr<Files> files = makeSystemFiles();
  TempDir dir;
};

TEST_F(Devices, ReservedNamesAndDevicePathsAreNeverOpened) {
  for (const std::string& device :
       {std::string("NUL"), std::string("CON"), std::string("\\\\.\\NUL"), dir / "nul.txt", dir / "COM1"}) {
    SCOPED_TRACE(device);
    EXPECT_EQ(files->entryKind(device), EntryKind::Other);
    EXPECT_EQ(files->readFile(device), "");
    EXPECT_FALSE(files->copyFile(device, dir / "copy"));
    EXPECT_FALSE(files->appendFile(device, "x"));
    std::unique_ptr<FileLock> lock;
    EXPECT_EQ(files->lockFile(device, lock), LockResult::Failed);
    EXPECT_FALSE(files->writeProfileString(device, "s", "k", "v"));
  }
  EXPECT_EQ(files->entryKind(dir / "copy"), EntryKind::Missing);
}

TEST_F(Devices, ANamedPipeIsNeverConnectedTo) {
  const std::string name = "\\\\.\\pipe\\lumaset-test-" + std::to_string(GetCurrentProcessId());
  HANDLE pipe =
      CreateNamedPipeA(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_NOWAIT, 1, 4096, 4096, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  EXPECT_EQ(files->entryKind(name), EntryKind::Other);
  EXPECT_EQ(files->readFile(name), "");
  EXPECT_FALSE(files->appendFile(name, "x"));
  EXPECT_FALSE(files->copyFile(name, dir / "copy"));
  EXPECT_EQ(files->readProfileString(name, "s", "k", "def"), "def");
  EXPECT_FALSE(files->identity(name));
  // A client that connected (and left) would show here as a connection.
  EXPECT_FALSE(ConnectNamedPipe(pipe, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PIPE_LISTENING));
  CloseHandle(pipe);
}

}  // namespace
}  // namespace lumaset
