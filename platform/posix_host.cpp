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

class FlockLock : public FileLock {
 public:
  explicit FlockLock(int fd) : fd_(fd) {}
  ~FlockLock() override { ::close(fd_); }  // closing drops the lock

 private:
  int fd_;
};

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
  // O_NOFOLLOW: a link planted at the lock's path is refused, not followed; a folder
  // there cannot be opened for writing.
  int fd = ::open(resolvePathForWrite(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
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
  lock = std::make_unique<FlockLock>(fd);
  return LockResult::Taken;
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
