#include "platform/posix_file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "formats/path_text.h"
#include "formats/work_names.h"

namespace lumaset::posix {

std::string parentOf(const std::string& path) {
  if (path.find('/') == std::string::npos) return ".";
  std::string folder = folderOf(path, "/");
  return folder.empty() ? "/" : folder;
}

std::string leafOf(const std::string& path) { return leafName(path, '/'); }

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

void syncFolder(const std::string& folder) {
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir < 0) return;
  ::fsync(dir);
  ::close(dir);
}

TempFile::TempFile(const std::string& target) {
  // mkstemp replaces the six X's with letters and digits that no file beside it has.
  path_ = parentOf(target) + "/" + temporaryNamePrefix(leafOf(target)) + "XXXXXX";
  std::vector<char> name(path_.begin(), path_.end());
  name.push_back('\0');
  fd_ = ::mkstemp(name.data());
  path_.assign(name.data());
  if (fd_ >= 0) ::fchmod(fd_, 0644);
}

TempFile::~TempFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!moved_ && !path_.empty()) ::unlink(path_.c_str());
}

bool TempFile::replace(const std::string& target) {
  if (::fsync(fd_) != 0) return false;
  if (::close(fd_) != 0) {
    fd_ = -1;
    return false;
  }
  fd_ = -1;
  if (::rename(path_.c_str(), target.c_str()) != 0) return false;
  moved_ = true;
  syncFolder(parentOf(target));
  return true;
}

}  // namespace lumaset::posix
