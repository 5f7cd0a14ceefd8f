#include "platform/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "formats/path_text.h"
#include "platform/posix_file_io.h"

namespace lumaset {
namespace {

using posix::leafOf;
using posix::parentOf;
using posix::TempFile;
using posix::writeAll;

bool isFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool removeTree(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode)) return ::unlink(path.c_str()) == 0;
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return false;
  bool ok = true;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    ok = removeTree(path + "/" + name) && ok;
  }
  ::closedir(dir);
  return ::rmdir(path.c_str()) == 0 && ok;
}

EntryKind kindOf(mode_t mode) {
  if (S_ISREG(mode)) return EntryKind::File;
  if (S_ISDIR(mode)) return EntryKind::Folder;
  if (S_ISLNK(mode)) return EntryKind::Link;
  return EntryKind::Other;
}

}  // namespace

// The link is read into a buffer that grows until the whole target fits: a path may
// pass PATH_MAX, and readlink cuts it without a word.
std::string PosixFiles::programFolder() {
  std::string buffer(256, '\0');
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0) return ".";
    if (static_cast<std::size_t>(n) < buffer.size()) return parentOf(buffer.substr(0, static_cast<std::size_t>(n)));
    buffer.resize(buffer.size() * 2);
  }
}

std::string PosixFiles::absolutePath(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  // getcwd allocates a folder of any length (a fixed buffer fails past PATH_MAX).
  std::unique_ptr<char, decltype(&std::free)> current(::getcwd(nullptr, 0), &std::free);
  if (!current) return path;
  return std::string(current.get()) + "/" + path;
}

Bytes PosixFiles::readFile(const std::string& path) { return readRange(path, 0, UINT64_MAX); }

Bytes PosixFiles::readRange(const std::string& path, std::uint64_t offset, std::uint64_t length) {
  std::string real = resolveExistingPath(path);
  if (real.empty()) return {};
  int fd = openRegularFile(real, O_RDONLY);
  if (fd < 0) return {};
  struct stat st;
  Bytes out;
  if (::fstat(fd, &st) == 0) {
    auto size = static_cast<std::uint64_t>(st.st_size);
    if (offset < size) {
      std::uint64_t count = std::min(length, size - offset);
      out.resize(count);
      std::uint64_t done = 0;
      while (done < count) {
        ssize_t n = ::pread(fd, out.data() + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::uint64_t>(n);
      }
      out.resize(done);
    }
  }
  ::close(fd);
  return out;
}

bool PosixFiles::writeFile(const std::string& path, const Bytes& data) {
  std::string target = resolvePathForWrite(path);
  if (isFolder(target)) return false;
  TempFile temp(target);
  if (!temp.ok()) return false;
  if (!writeAll(temp.fd(), data.data(), data.size())) return false;
  return temp.replace(target);
}

bool PosixFiles::appendFile(const std::string& path, const Bytes& data) {
  std::string target = resolvePathForWrite(path);
  int fd = ::open(target.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  struct stat kind;
  if (::fstat(fd, &kind) != 0 || !S_ISREG(kind.st_mode)) {
    ::close(fd);
    return false;
  }
  struct stat before;
  bool ok = ::fstat(fd, &before) == 0 && writeAll(fd, data.data(), data.size()) && ::fsync(fd) == 0;
  // An append that broke off is taken back, so the file keeps its old bytes.
  if (!ok && ::ftruncate(fd, before.st_size) == 0) ::fsync(fd);
  return ::close(fd) == 0 && ok;
}

bool PosixFiles::moveFile(const std::string& from, const std::string& to) {
  std::string source = resolveExistingPath(from);
  if (source.empty() || exists(to)) return false;
  return ::rename(source.c_str(), resolvePathForWrite(to).c_str()) == 0;
}

bool PosixFiles::createFolder(const std::string& path) {
  if (exists(path)) return false;
  return ::mkdir(resolvePathForWrite(path).c_str(), 0755) == 0;
}

bool PosixFiles::deleteFolder(const std::string& path) {
  std::string real = resolveExistingPath(path);
  if (real.empty() || !isFolder(real)) return false;
  return removeTree(real);
}

bool PosixFiles::exists(const std::string& path) { return !resolveExistingPath(path).empty(); }

FileInfo PosixFiles::info(const std::string& path) {
  FileInfo result;
  std::string real = resolveExistingPath(path);
  struct stat st;
  if (real.empty() || ::stat(real.c_str(), &st) != 0) return result;
  result.exists = true;
  result.isFolder = S_ISDIR(st.st_mode);
  result.size = result.isFolder ? 0 : static_cast<std::uint64_t>(st.st_size);
  return result;
}

std::vector<std::string> PosixFiles::subfolders(const std::string& folder) {
  std::vector<std::string> names;
  std::string real = resolveExistingPath(folder);
  if (real.empty()) return names;
  DIR* dir = ::opendir(real.c_str());
  if (!dir) return names;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (isFolder(real + "/" + name)) names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

int openRegularFile(const std::string& resolvedPath, int flags) {
  // A device is not even opened (an open alone may rewind a tape or take a terminal);
  // what turns into one between the look and the open is caught by fstat below.
  struct stat before;
  if (::stat(resolvedPath.c_str(), &before) != 0 || !S_ISREG(before.st_mode)) return -1;
  int fd = ::open(resolvedPath.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  // Reads and writes of a regular file go on as usual.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

EntryKind PosixFiles::entryKind(const std::string& path) {
  std::string real = resolveExistingPath(path);
  struct stat st;
  if (real.empty() || ::lstat(real.c_str(), &st) != 0) return EntryKind::Missing;
  return kindOf(st.st_mode);
}

std::optional<std::vector<FolderEntry>> PosixFiles::folderEntries(const std::string& folder) {
  std::string real = resolveExistingPath(folder);
  struct stat st;
  if (real.empty() || ::lstat(real.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  DIR* dir = ::opendir(real.c_str());
  if (!dir) return std::nullopt;
  std::vector<FolderEntry> entries;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    FolderEntry e{name, EntryKind::Missing, 0};
    if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
      e.kind = kindOf(st.st_mode);
      if (e.kind == EntryKind::File) e.size = static_cast<std::uint64_t>(st.st_size);
    }
    entries.push_back(std::move(e));
  }
  ::closedir(dir);
  return entries;
}

}  // namespace lumaset
