// Replacing a host file that another program holds open, as the host or a virus scanner
// may: the file ends as its old bytes or its new ones, never in between, and no
// temporary file is left beside it.
#include <windows.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>

#include "platform/system.h"
#include "support/temp_dir.h"

namespace lumaset {
namespace {

using testing::TempDir;

// Grown until the name fits: the test may run from a folder past MAX_PATH.
std::wstring selfPath() {
  std::wstring self(MAX_PATH, L'\0');
  DWORD n = 0;
  while ((n = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()))) == self.size())
    self.resize(self.size() * 2);
  self.resize(n);
  return self;
}

// Holds a file open from a second process, with the given sharing (or takes the program's
// lock on it, with `share` of kTakeLock), until destroyed.
constexpr DWORD kTakeLock = 0xFFFF;

class HeldOpen {
 public:
  HeldOpen(const std::wstring& path, DWORD share) {
    ready_ = path + L".held";
    std::wstring command = L"\"" + selfPath() + L"\" --hold \"" + path + L"\" " + std::to_wstring(share);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_)) return;
    for (int i = 0; i < 200 && GetFileAttributesW(ready_.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
  }
  ~HeldOpen() {
    if (process_.hProcess) {
      TerminateProcess(process_.hProcess, 0);
      WaitForSingleObject(process_.hProcess, 5000);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    DeleteFileW(ready_.c_str());
  }
  bool holding() const { return GetFileAttributesW(ready_.c_str()) != INVALID_FILE_ATTRIBUTES; }

 private:
  std::wstring ready_;
  PROCESS_INFORMATION process_{};
};

class HeldFile : public ::testing::Test {
 protected:
  std::unique_ptr<Files> files = makeSystemFiles();
  TempDir dir;
  std::string target = dir / "IconResources.idx";

  void SetUp() override { std::ofstream(target, std::ios::binary) << "old bytes"; }
  std::string contents() {
    std::ifstream in(target, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::size_t entries() {
    std::size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) n += e.path().extension() != ".held";
    return n;
  }
};

TEST_F(HeldFile, ReplacedWhenTheHolderSharesDeleteAccess) {
  {
    HeldOpen holder(std::filesystem::path(target).wstring(), FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(holder.holding());
    EXPECT_TRUE(files->writeFile(target, "new bytes"));
  }
  EXPECT_EQ(contents(), "new bytes");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(HeldFile, KeptWhenTheHolderDoesNotShareDelete) {
  {
    HeldOpen holder(std::filesystem::path(target).wstring(), FILE_SHARE_READ);
    ASSERT_TRUE(holder.holding());
    EXPECT_FALSE(files->writeFile(target, "new bytes"));
    EXPECT_FALSE(files->copyFile(dir / "IconResources.idx", target));
  }
  EXPECT_EQ(contents(), "old bytes");
  EXPECT_EQ(entries(), 1u);
}

// The per-host lock: one process at a time, and gone with a process that ends.
TEST_F(HeldFile, TheLockIsOneProcesssAtATime) {
  const std::string lock = dir / ".lumaset.lock";
  {
    HeldOpen holder(std::filesystem::path(lock).wstring(), kTakeLock);
    ASSERT_TRUE(holder.holding());
    std::unique_ptr<FileLock> mine;
    EXPECT_EQ(files->lockFile(lock, mine), LockResult::HeldElsewhere);
    EXPECT_FALSE(mine);
  }
  std::unique_ptr<FileLock> mine;
  EXPECT_EQ(files->lockFile(lock, mine), LockResult::Taken);
  mine.reset();
  EXPECT_FALSE(std::filesystem::exists(lock));  // deleted when closed
}

TEST_F(HeldFile, AHostThatHoldsItsFilesOrRunsIsInUse) {
  const std::string absent = dir / "Photoshop.exe";
  EXPECT_FALSE(files->hostInUse(absent, {target}));
  {
    HeldOpen holder(std::filesystem::path(target).wstring(), FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(holder.holding());
    EXPECT_TRUE(files->hostInUse(absent, {target}));
  }
  EXPECT_FALSE(files->hostInUse(absent, {target}));
  {
    // A second copy of this program runs: as a host that runs from its executable.
    HeldOpen running(std::filesystem::path(dir / "other").wstring(), kTakeLock);
    ASSERT_TRUE(running.holding());
    std::string self;
    for (wchar_t c : selfPath()) self += static_cast<char>(c);
    EXPECT_TRUE(files->hostInUse(self, {}));
  }
}

}  // namespace
}  // namespace lumaset

// Waits up to a minute for PATH.release to appear (the end-to-end test asks the holder to
// let go that way).
void holdUntilReleased(const std::wstring& path) {
  for (int i = 0; i < 600 && GetFileAttributesW((path + L".release").c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(100);
}

// "--hold PATH SHARE" makes this program the second process that holds a file open (or,
// with SHARE 65535, its lock).
int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--hold") {
    int n = 0;
    wchar_t** wargv = CommandLineToArgvW(GetCommandLineW(), &n);
    if (std::stoul(argv[3]) == lumaset::kTakeLock) {
      std::unique_ptr<lumaset::FileLock> lock;
      std::string path;
      for (const wchar_t* c = wargv[2]; *c; ++c) path += static_cast<char>(*c);
      if (lumaset::makeSystemFiles()->lockFile(path, lock) != lumaset::LockResult::Taken) return 1;
      std::ofstream(std::filesystem::path(std::wstring(wargv[2]) + L".held")) << "held";
      holdUntilReleased(wargv[2]);
      return 0;
    }
    HANDLE h = CreateFileW(wargv[2], GENERIC_READ, static_cast<DWORD>(std::stoul(argv[3])), nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
    std::ofstream(std::filesystem::path(std::wstring(wargv[2]) + L".held")) << "held";
    holdUntilReleased(wargv[2]);
    CloseHandle(h);
    return 0;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
