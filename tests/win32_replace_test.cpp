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

// Holds a file open from a second process, with the given sharing, until destroyed.
class HeldOpen {
 public:
  HeldOpen(const std::wstring& path, DWORD share) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ready_ = path + L".held";
    std::wstring command = L"\"" + std::wstring(self) + L"\" --hold \"" + path + L"\" " + std::to_wstring(share);
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

}  // namespace
}  // namespace lumaset

// "--hold PATH SHARE" makes this program the second process that holds a file open.
int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--hold") {
    int n = 0;
    wchar_t** wargv = CommandLineToArgvW(GetCommandLineW(), &n);
    HANDLE h = CreateFileW(wargv[2], GENERIC_READ, static_cast<DWORD>(std::stoul(argv[3])), nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
    std::ofstream(std::filesystem::path(std::wstring(wargv[2]) + L".held")) << "held";
    Sleep(60000);
    return 0;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
