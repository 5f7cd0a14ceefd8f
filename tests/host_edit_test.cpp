// The edit of a host: one process at a time, never while the host holds its files, and
// what a run that died left behind is gone before anything changes.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

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
using testing::kDone;
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
  // The lock files of an edit of the host, as `lumaset-cli --json status` names them.
  std::vector<std::string> statusLocks() {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    PosixFiles cliFiles;
    cli::runCli({"--lang", "zh", "--home", home, "--json", "status"}, cliFiles, out, err);
    std::string text(static_cast<std::size_t>(std::ftell(out)), '\0');
    std::rewind(out);
    text.resize(std::fread(text.data(), 1, text.size(), out));
    std::fclose(out);
    std::fclose(err);
    std::vector<std::string> locks;
    const std::size_t list = text.find("\"locks\":[");
    const std::size_t end = text.find(']', list);
    for (std::size_t open = text.find('"', list + 9); open < end; open = text.find('"', text.find('"', open + 1) + 1))
      locks.push_back(text.substr(open + 1, text.find('"', open + 1) - open - 1));
    return locks;
  }
  static std::string canonical(const std::string& path) {
    return testing::utf8Path(std::filesystem::canonical(testing::pathFromUtf8(path)));
  }
};

// TMPDIR set to a new folder for as long as the object lives.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::string& folder) {
    if (const char* now = std::getenv("TMPDIR")) before_ = now;
    std::filesystem::create_directories(testing::pathFromUtf8(folder));
    ::setenv("TMPDIR", folder.c_str(), 1);
  }
  ~TemporaryFolder() {
    if (before_) {
      ::setenv("TMPDIR", before_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
  }

 private:
  std::optional<std::string> before_;
};

// Runs `body` in a child process as the user nobody, which keeps what it opened until
// the object dies; the child's result is the number `body` returned.
class AsNobody {
 public:
  explicit AsNobody(const std::function<int()>& body) {
    int done[2];
    if (::pipe(done) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      const passwd* nobody = ::getpwnam("nobody");
      int result = -1;
      if (nobody && ::setgroups(0, nullptr) == 0 && ::setgid(nobody->pw_gid) == 0 && ::setuid(nobody->pw_uid) == 0)
        result = body();
      (void)!::write(done[1], &result, sizeof result);
      ::pause();
      ::_exit(0);
    }
    if (::read(done[0], &result_, sizeof result_) != sizeof result_) result_ = -1;
    ::close(done[0]);
    ::close(done[1]);
  }
  ~AsNobody() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  bool ran() const { return result_ >= 0; }
  int result() const { return result_; }

 private:
  pid_t pid_ = -1;
  int result_ = -1;
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
  const std::vector<std::string> locks = statusLocks();
  ASSERT_FALSE(locks.empty());
  auto before = tree();
  for (const std::string& lock : locks) {
    SCOPED_TRACE(lock);
    std::unique_ptr<FileLock> held;
    ASSERT_EQ(files.lockFile(lock, held), LockResult::Taken);
    ui.boxes.clear();
    ui.shown(applyFromThemeList(ctx, "Sakura", false));
    EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kLocked});
    ui.boxes.clear();
    ui.shown(refreshBackup(ctx));
    EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kLocked});
    EXPECT_EQ(tree(), before);
  }
  ui.boxes.clear();  // the other one is done
  ui.shown(applyFromThemeList(ctx, "Sakura", false));
  EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
  // Its locks went with it, and leftover removal never takes a held one.
  for (const std::string& lock : locks) EXPECT_FALSE(std::filesystem::exists(testing::pathFromUtf8(lock))) << lock;
}

// Refuses every lock, as a system where no folder of the host can be written.
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
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{
                          {"无法创建锁文件，为免与另一个 Lumaset 同时修改，未作任何修改：" + statusLocks().front() +
                               "\r\n请检查其所在文件夹的写入权限；该位置若已有文件夹或链接，请将其移走。",
                           "错误", MessageIcon::Error}}));
  EXPECT_EQ(tree(), before);
}

// A folder, or a link, where a lock belongs is never followed, and without that lock the
// edit does not start: another run could meet this one there alone.
TEST_F(HostEditing, SomethingElseAtALocksPlaceIsNotFollowedAndRefuses) {
  startOn();
  const std::string lock = canonical(res("")) + "/.lumaset.lock";
  const std::string linkTarget = dir / "not-a-lock";
  auto before = tree();
  for (const char* standing : {"folder", "link"}) {
    SCOPED_TRACE(standing);
    if (std::string(standing) == "folder") {
      std::filesystem::create_directory(testing::pathFromUtf8(lock));
    } else {
      std::filesystem::create_symlink(testing::pathFromUtf8(linkTarget), testing::pathFromUtf8(lock));
    }
    ui.boxes.clear();
    ui.shown(applyFromThemeList(ctx, "Sakura", false));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.substr(0, ui.boxes[0].text.find("\r\n")),
              "无法创建锁文件，为免与另一个 Lumaset 同时修改，未作任何修改：" + lock);
    EXPECT_EQ(tree(), before);
    EXPECT_FALSE(std::filesystem::exists(testing::pathFromUtf8(linkTarget)));
    std::filesystem::remove(testing::pathFromUtf8(lock));
  }
  ui.boxes.clear();
  ui.shown(applyFromThemeList(ctx, "Sakura", false));
  EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
}

// While one run edits the host, a second is refused whatever its temporary folder, however
// it spells the host's folder, and from another host that shares the Resources folder
// through a link; the host's own folder, where no lock can be made, does not matter.
TEST_F(HostEditing, RunsThatChangeTheSameFilesMeetWhateverTheirTemporaryFolderSpellingOrLinks) {
  startOn();
  ui.shown(applyFromThemeList(ctx, "Sakura", false));  // the backup folders exist from now on
  ASSERT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
  std::filesystem::remove(testing::pathFromUtf8(host.folder + "/.lumaset.lock"));
  std::filesystem::create_directory(testing::pathFromUtf8(host.folder + "/.lumaset.lock"));
  const std::string viaLink = dir / "link-to-host";
  std::filesystem::create_directory_symlink(testing::pathFromUtf8(host.folder), testing::pathFromUtf8(viaLink));
  const std::string second = dir / "PS2";
  std::filesystem::create_directory(testing::pathFromUtf8(second));
  std::filesystem::copy(testing::pathFromUtf8(host.exePath), testing::pathFromUtf8(second + "/Photoshop.exe"));
  std::filesystem::copy(testing::pathFromUtf8(host.folder + "/Locales"), testing::pathFromUtf8(second + "/Locales"),
                        std::filesystem::copy_options::recursive);
  std::filesystem::create_directory_symlink(testing::pathFromUtf8(host.folder + "/Resources"),
                                            testing::pathFromUtf8(second + "/Resources"));
  TemporaryFolder first(dir / "tmp-first");
  Outcome held;
  std::unique_ptr<EditSession> session = EditSession::open(ctx, held);
  ASSERT_TRUE(session);
  TemporaryFolder other(dir / "tmp-second");
  auto before = tree();
  for (const std::string& folder : {host.folder, viaLink, second}) {
    SCOPED_TRACE(folder);
    RunState elsewhere = state;
    for (std::string* path : {&elsewhere.hostFolder, &elsewhere.currentIndexPath, &elsewhere.languageFolder,
                              &elsewhere.languageBackupFolder})
      path->replace(0, host.folder.size(), folder);
    Context elsewhereCtx{files, ui, view, elsewhere, home};
    ui.boxes.clear();
    ui.shown(applyFromThemeList(elsewhereCtx, "Sakura", true));
    EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kLocked});
  }
  EXPECT_EQ(tree(), before);
}

// A user who may not change the host finds the lock files that a run which died left
// behind, and makes or opens every lock an edit takes that it can: the host's owner
// still edits the host.
TEST_F(HostEditing, AUserWhoCannotChangeTheHostCannotHoldItsLocks) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a child as nobody";
  startOn();
  const pid_t dying = ::fork();
  if (dying == 0) {
    Outcome out;
    std::unique_ptr<EditSession> session = EditSession::open(ctx, out);
    ::_exit(session ? 0 : 1);  // as if killed: nothing is released by the program
  }
  int status = -1;
  ::waitpid(dying, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::vector<std::string> locks = statusLocks();
  ASSERT_FALSE(locks.empty());
  AsNobody other([&locks] {
    int held = 0;
    for (const std::string& lock : locks) {
      // A lock nobody cannot even reach (a host below a folder only root may enter) proves nothing.
      if (::access(lock.c_str(), F_OK) != 0) return -1;
      int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (fd < 0) fd = ::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
      held += fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    }
    return held;
  });
  ASSERT_TRUE(other.ran()) << "cannot run a child as nobody that reaches the host's locks";
  EXPECT_EQ(other.result(), 0);
  ui.shown(applyFromThemeList(ctx, "Sakura", false));
  EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
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
  EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
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
  EXPECT_EQ(ui.boxes, std::vector<RecordedBox>{kDone});
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
    int rc = cli::runCli({"--lang", "zh", "--home", home, "apply", theme}, childFiles, sink, sink);
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
