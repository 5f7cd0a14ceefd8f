// What the POSIX file operations share: whole writes, the folder and name of a path, and
// the temporary file that takes a target's place only once it is on disk.
#pragma once
#include <string>

namespace lumaset::posix {

// The folder a path lies in, as the system names it: "." for a bare name, "/" at the root.
std::string parentOf(const std::string& path);
std::string leafOf(const std::string& path);
// Writes every byte, going on after interruptions.
bool writeAll(int fd, const char* data, std::size_t size);
// Flushes a folder's entries (a rename in it) to disk.
void syncFolder(const std::string& folder);

// A temporary file beside the target; it is removed unless it was moved into place.
class TempFile {
 public:
  explicit TempFile(const std::string& target);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  // Flushes the bytes to disk, renames the file over the target and flushes the folder.
  bool replace(const std::string& target);

 private:
  std::string path_;
  int fd_ = -1;
  bool moved_ = false;
};

}  // namespace lumaset::posix
