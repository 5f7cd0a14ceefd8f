// What the edit of a host needs of POSIX beyond reading and writing: file identities,
// the per-host lock (flock, which the system drops with the process), folder listings
// and removal, and whether another process holds the host's files (a host under wine
// maps its executable and keeps its packs open).
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <set>
#include <utility>

#include "platform/posix_files.h"

namespace lumaset {
namespace {

using FileKey = std::pair<dev_t, ino_t>;

// The lock's file goes with the lock, as on Windows: removed while still held (so that no
// run can take the old file after it), unless another file stands at its name by now.
// A run that dies leaves it behind, unlocked, for the next run to take.
class FlockLock : public FileLock {
 public:
  FlockLock(int fd, std::string path, const struct stat& held) : fd_(fd), path_(std::move(path)), held_(held) {}
  ~FlockLock() override {
    struct stat now;
    if (::lstat(path_.c_str(), &now) == 0 && now.st_dev == held_.st_dev && now.st_ino == held_.st_ino)
      ::unlink(path_.c_str());
    ::close(fd_);  // closing drops the lock
  }

 private:
  int fd_;
  std::string path_;
  struct stat held_;
};

// Who may open a lock file: those who may change its folder, and no one else, since a
// process that can open the file can hold the lock (flock asks for no write access).
mode_t lockMode(const std::string& path) {
  mode_t mode = S_IRUSR | S_IWUSR;
  struct stat folder;
  const std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos || ::stat(slash == 0 ? "/" : path.substr(0, slash).c_str(), &folder) != 0) return mode;
  if (folder.st_mode & S_IWGRP) mode |= S_IRGRP | S_IWGRP;
  if (folder.st_mode & S_IWOTH) mode |= S_IROTH | S_IWOTH;
  return mode;
}

std::optional<FileKey> keyOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileKey{st.st_dev, st.st_ino};
}

std::vector<std::string> entries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

// The device and inode of a line of /proc/PID/maps ("start-end perms offset MM:mm inode
// path"), read from the line itself: no stat of every mapped file.
std::optional<FileKey> mappedFile(const std::string& line) {
  unsigned long major = 0, minor = 0;
  unsigned long long inode = 0;
  if (std::sscanf(line.c_str(), "%*s %*s %*s %lx:%lx %llu", &major, &minor, &inode) != 3 || inode == 0)
    return std::nullopt;
  return FileKey{makedev(major, minor), static_cast<ino_t>(inode)};
}

bool processHolds(const std::string& pid, const std::set<FileKey>& keys) {
  const std::string base = "/proc/" + pid;
  for (const std::string& fd : entries(base + "/fd")) {
    std::optional<FileKey> key = keyOf(base + "/fd/" + fd);
    if (key && keys.count(*key)) return true;
  }
  std::ifstream maps(base + "/maps");
  std::string line;
  while (std::getline(maps, line)) {
    std::optional<FileKey> key = mappedFile(line);
    if (key && keys.count(*key)) return true;
  }
  return false;
}

}  // namespace

bool PosixFiles::removeFile(const std::string& path) {
  std::string real = resolveExistingPath(path);
  struct stat st;
  if (real.empty() || ::lstat(real.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(real.c_str()) == 0;
}

std::vector<std::string> PosixFiles::fileNames(const std::string& folder) {
  std::vector<std::string> names;
  std::string real = resolveExistingPath(folder);
  if (real.empty()) return names;
  for (const std::string& name : entries(real)) {
    struct stat st;
    if (::lstat((real + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
  }
  return names;
}

std::optional<FileIdentity> PosixFiles::identity(const std::string& path) {
  std::string real = resolveExistingPath(path);
  struct stat st;
  if (real.empty() || ::stat(real.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  FileIdentity id;
  id.size = static_cast<std::uint64_t>(st.st_size);
  id.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  id.fileId = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
  return id;
}

LockResult PosixFiles::lockFile(const std::string& path, std::unique_ptr<FileLock>& lock) {
  const std::string real = resolvePathForWrite(path);
  const mode_t mode = lockMode(real);
  // A run that ends removes its file: the one opened may be gone by the time it is locked,
  // and the next run has made a new one. A few tries, then it counts as held.
  for (int attempt = 0; attempt < 3; ++attempt) {
    // O_NOFOLLOW: a link planted at the lock's path is refused, not followed; a folder
    // there cannot be opened for writing.
    int fd = ::open(real.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, mode);
    if (fd < 0) return LockResult::Failed;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return LockResult::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      bool held = errno == EWOULDBLOCK;
      ::close(fd);
      return held ? LockResult::HeldElsewhere : LockResult::Failed;
    }
    struct stat named;
    if (::lstat(real.c_str(), &named) == 0 && named.st_dev == st.st_dev && named.st_ino == st.st_ino) {
      // A file left by a run that died (or by a release that made it for anyone to read)
      // gets the mode of a new one.
      if ((st.st_mode & 07777) != mode && st.st_uid == ::geteuid()) (void)::fchmod(fd, mode);
      lock = std::make_unique<FlockLock>(fd, real, st);
      return LockResult::Taken;
    }
    ::close(fd);
  }
  return LockResult::HeldElsewhere;
}

namespace {

bool anyProcessHolds(const std::set<FileKey>& keys) {
  const std::string self = std::to_string(::getpid());
  for (const std::string& pid : entries("/proc")) {
    if (pid == self || pid.find_first_not_of("0123456789") != std::string::npos) continue;
    if (processHolds(pid, keys)) return true;
  }
  return false;
}

}  // namespace

bool PosixFiles::hostInUse(const std::string& exePath, const std::vector<std::string>& files) {
  std::set<FileKey> keys;
  for (const std::string& path : files) {
    if (std::optional<FileKey> key = keyOf(resolveExistingPath(path))) keys.insert(*key);
  }
  if (std::optional<FileKey> key = keyOf(resolveExistingPath(exePath))) keys.insert(*key);
  if (keys.empty()) return false;
  for (int look = 0; look < 10; ++look) {
    if (!anyProcessHolds(keys)) return false;
    ::usleep(50000);
  }
  return true;
}

}  // namespace lumaset
