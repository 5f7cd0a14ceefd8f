// The edit of a host: one process at a time, never while the host holds its files, and
// what a run that died left behind is gone before anything changes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "backup/backup_layout.h"
#include "backup/edit_session.h"
#include "backup/refresh_backup.h"
#include "cli/cli.h"
#include "edits/host_edit.h"
#include "run/startup.h"
#include "support/forwarding_files.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "themes/apply.h"

namespace lumaset {
namespace {

using testing::readWhole;
using testing::RecordedBox;
using testing::writeFile;

const RecordedBox kLocked{"另一个 Lumaset 正在修改这个 Photoshop 的文件，请稍后再试", "错误", MessageIcon::Error};
const RecordedBox kRunning{"Photoshop 正在运行，请先关闭 Photoshop 再修改", "错误", MessageIcon::Error};

class HostEditing : public testing::HostFixture {
 protected:
  HostEditing() { startThemes = {{"Sakura", testing::sixImages()}}; }
  // Every file below the host's folder with its bytes (the lock file and the record, which
  // holds times and file IDs, aside).
  testing::Snapshot tree() {
    return testing::folderSnapshot(host.folder, testing::Entries::Files, [](const std::filesystem::path& below) {
      return below.filename() == ".lumaset.lock" || below.filename() == "lumaset.record";
    });
  }
};

// A child process that holds `path` open (or maps it) until it is killed.
class Holder {
 public:
  explicit Holder(const std::string& path) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      int fd = ::open(path.c_str(), O_RDONLY);
      char c = fd >= 0 ? '1' : '0';
      (void)!::write(ready[1], &c, 1);
      ::pause();
      ::_exit(0);
    }
    char c = '0';
    (void)!::read(ready[0], &c, 1);
    holding_ = c == '1';
    ::close(ready[0]);
    ::close(ready[1]);
  }
  ~Holder() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  bool holding() const { return holding_; }

 private:
  pid_t pid_ = -1;
  bool holding_ = false;
};

TEST_F(HostEditing, ASecondEditOfTheHostIsRefusedAndChangesNothing) {
  startOn();
  std::unique_ptr<FileLock> held;
  ASSERT_EQ(files.lockFile(host.folder + "/.lumaset.lock", held), LockResult::Taken);
  auto before = tree();
  ui.shown(applyFromThemeList(ctx, "Sakura", false));
  EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kLocked});
  ui.boxes.clear();
  ui.shown(refreshBackup(ctx));
  EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kLocked});
  EXPECT_EQ(tree(), before);

  held.reset();  // the other one is done
  ui.boxes.clear();
  ui.shown(applyFromThemeList(ctx, "Sakura", false));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"修改完成", "应用", MessageIcon::None}}));
}

// Refuses every lock, as a system where neither the host's folder nor the temporary
// folder can be written.
class NoLocks : public testing::ForwardingFiles {
 public:
  bool allowChange(const testing::ChangeCall& call) override { return call.name != "lockFile"; }
};

TEST_F(HostEditing, WithoutAnyLockNothingChanges) {
  startOn();
  auto before = tree();
  NoLocks none;
  Context noLockCtx{none, ui, view, state, home};
  ui.shown(applyFromThemeList(noLockCtx, "Sakura", false));
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{{"无法创建锁文件，为免与另一个 Lumaset 同时修改，未作任何修改：" + host.folder +
                                           "/.lumaset.lock\r\n请检查 Photoshop 目录和临时文件夹的写入权限。",
                                       "错误", MessageIcon::Error}}));
  EXPECT_EQ(tree(), before);
}

// A folder, or a link, where the lock beside the host belongs is never followed: the lock
// in the temporary folder keeps a second run out all the same.
TEST_F(HostEditing, SomethingElseAtTheLocksPlaceLeavesTheSharedLockInCharge) {
  startOn();
  const std::string besideLock = host.folder + "/.lumaset.lock";
  const std::string linkTarget = dir / "not-a-lock";
  const std::string shared = hostEditPaths(files, backupLayout(ctx), state).sharedLockFile;
  for (const char* standing : {"folder", "link"}) {
    SCOPED_TRACE(standing);
    std::filesystem::remove_all(testing::pathFromUtf8(besideLock));
    if (std::string(standing) == "folder") {
      std::filesystem::create_directory(testing::pathFromUtf8(besideLock));
    } else {
      std::filesystem::create_symlink(testing::pathFromUtf8(linkTarget), testing::pathFromUtf8(besideLock));
    }
    std::unique_ptr<FileLock> held;
    ASSERT_EQ(files.lockFile(shared, held), LockResult::Taken);
    auto before = tree();
    ui.boxes.clear();
    ui.shown(applyFromThemeList(ctx, "Sakura", false));
    EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kLocked});
    EXPECT_EQ(tree(), before);
    held.reset();
    ui.boxes.clear();
    ui.shown(applyFromThemeList(ctx, "Sakura", false));
    EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"修改完成", "应用", MessageIcon::None}}));
    EXPECT_FALSE(std::filesystem::exists(testing::pathFromUtf8(linkTarget)));
  }
}

TEST_F(HostEditing, EverySpellingOfTheHostsFolderMeetsAtOneSharedLock) {
  startOn();
  const std::string viaLink = dir / "link-to-host";
  std::filesystem::create_directory_symlink(testing::pathFromUtf8(host.folder), testing::pathFromUtf8(viaLink));
  RunState other = state;
  for (std::string* path : {&other.hostFolder, &other.languageFolder, &other.languageBackupFolder})
    path->replace(0, host.folder.size(), viaLink);
  Context otherCtx{files, ui, view, other, home};
  EXPECT_EQ(hostEditPaths(files, backupLayout(otherCtx), other).sharedLockFile,
            hostEditPaths(files, backupLayout(ctx), state).sharedLockFile);
  std::unique_ptr<FileLock> held;
  ASSERT_EQ(files.lockFile(hostEditPaths(files, backupLayout(ctx), state).sharedLockFile, held), LockResult::Taken);
  std::filesystem::remove(testing::pathFromUtf8(host.folder + "/.lumaset.lock"));
  std::filesystem::create_directory(testing::pathFromUtf8(host.folder + "/.lumaset.lock"));
  ui.shown(applyFromThemeList(otherCtx, "Sakura", false));
  EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kLocked});
}

TEST_F(HostEditing, AHostThatHoldsItsFilesIsLeftAlone) {
  startOn();
  auto before = tree();
  for (const std::string& held : {res("PSIconsHighRes.dat"), res("IconResources.idx"), host.exePath}) {
    SCOPED_TRACE(held);
    Holder holder(held);
    ASSERT_TRUE(holder.holding());
    ui.boxes.clear();
    ui.shown(applyFromThemeList(ctx, "Sakura", true));
    EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kRunning});
    EXPECT_EQ(tree(), before);
  }
  ui.boxes.clear();
  ui.shown(applyFromThemeList(ctx, "Sakura", true));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"修改完成", "应用", MessageIcon::None}}));
}

TEST_F(HostEditing, LeftoversOfARunThatDiedGoFirst) {
  startOn();
  const std::string language = std::filesystem::path(host.languageFile).parent_path().string();
  std::vector<std::string> leftovers = {res(".PSIconsHighRes.dat.lumaset-Ab12Cd"),
                                        res(".IconResources.idx.lumaset-xyzxyz"),
                                        language + "/.tw10428.dat.lumaset-000000"};
  std::vector<std::string> kept = {res("notes.lumaset-abcdef"), res(".lumaset-abcdef"), res(".keep.lumaset-abc")};
  for (const auto& f : leftovers) writeFile(f, std::string(1000, 'x'));
  // A run that died between making its probe folder and removing it.
  std::filesystem::create_directories(testing::pathFromUtf8(res("lumaset_BAK/TEST")));
  for (const auto& f : kept) writeFile(f, "mine");
  ui.shown(applyFromThemeList(ctx, "Sakura", false));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"修改完成", "应用", MessageIcon::None}}));
  for (const auto& f : leftovers) EXPECT_FALSE(std::filesystem::exists(f)) << f;
  EXPECT_FALSE(std::filesystem::exists(testing::pathFromUtf8(res("lumaset_BAK/TEST"))));
  for (const auto& f : kept) EXPECT_EQ(readWhole(f), "mine") << f;
}

// Two command lines applying different themes at once: one may refuse, and the host ends
// as exactly one of the two themes left it.
TEST_F(HostEditing, TwoProcessesAtOnceLeaveOneThemesResult) {
  startOn();
  testing::writeTheme(home, "Other", testing::sixImages(40));
  std::map<std::string, std::map<std::string, std::string>> alone;
  const std::string pristine = dir / "pristine";
  std::filesystem::copy(testing::pathFromUtf8(host.folder), testing::pathFromUtf8(pristine),
                        std::filesystem::copy_options::recursive);
  auto restoreHost = [&] {
    std::filesystem::remove_all(testing::pathFromUtf8(host.folder));
    std::filesystem::copy(testing::pathFromUtf8(pristine), testing::pathFromUtf8(host.folder),
                          std::filesystem::copy_options::recursive);
  };
  auto apply = [&](const char* theme) {
    PosixFiles childFiles;
    std::FILE* sink = std::fopen("/dev/null", "w");
    int rc = cli::runCli({"--home", home, "apply", theme}, childFiles, sink, sink);
    std::fclose(sink);
    return rc;
  };
  for (const char* theme : {"Sakura", "Other"}) {
    restoreHost();
    ASSERT_EQ(apply(theme), 0);
    alone[theme] = tree();
  }
  int refusals = 0;
  for (int trial = 0; trial < 8; ++trial) {
    restoreHost();
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    pid_t children[2];
    const char* themes[2] = {"Sakura", "Other"};
    for (int i = 0; i < 2; ++i) {
      children[i] = ::fork();
      if (children[i] == 0) {
        char c;
        (void)!::read(go[0], &c, 1);
        ::_exit(apply(themes[i]));
      }
    }
    (void)!::write(go[1], "xx", 2);
    int codes[2];
    for (int i = 0; i < 2; ++i) {
      int status = 0;
      ::waitpid(children[i], &status, 0);
      codes[i] = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      EXPECT_TRUE(codes[i] == 0 || codes[i] == 1) << codes[i];
    }
    ::close(go[0]);
    ::close(go[1]);
    refusals += (codes[0] != 0) + (codes[1] != 0);
    EXPECT_LE((codes[0] != 0) + (codes[1] != 0), 1);
    auto now = tree();
    EXPECT_TRUE(now == alone["Sakura"] || now == alone["Other"]) << "trial " << trial;
  }
  RecordProperty("refusals", refusals);
}

}  // namespace
}  // namespace lumaset
