// Copies and cuts on POSIX. A plain copy goes through copy_file_range, which lets the
// kernel move the bytes (or share them, on file systems that can); a hashed copy reads
// them through memory once. Both land in a temporary file that is flushed before it
// takes the target's place.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "formats/sha256.h"
#include "platform/posix_file_io.h"
#include "platform/posix_files.h"

namespace lumaset {
namespace {

// Copies through memory, handing each piece to `seen`.
template <typename Seen>
bool copyThroughMemory(int in, int out, Seen seen) {
  std::vector<char> buffer(1 << 20);
  while (true) {
    ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    seen(buffer.data(), static_cast<std::size_t>(n));
    if (!posix::writeAll(out, buffer.data(), static_cast<std::size_t>(n))) return false;
  }
}

// Copies with the kernel, in pieces small enough for `progress` to move; falls back to
// memory where copy_file_range cannot serve.
bool copyInKernel(int in, int out, WorkProgress* progress) {
  while (true) {
    ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, 16 << 20, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
      return copyThroughMemory(in, out, [&](const char*, std::size_t size) { advanceBytes(progress, size); });
    }
    if (n < 0) return false;
    if (n == 0) return true;
    advanceBytes(progress, static_cast<std::uint64_t>(n));
  }
}

// Opens `from`, copies it with `copy` into a temporary file beside `to` and puts that in
// place; the source's size is what `progress` is told to expect.
template <typename Copy>
bool copyVia(const std::string& from, const std::string& to, WorkProgress* progress, Copy copy) {
  std::string source = resolveExistingPath(from);
  if (source.empty()) return false;
  std::string target = resolvePathForWrite(to);
  struct stat st;
  if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
  int in = openRegularFile(source, O_RDONLY);
  if (in < 0) return false;
  if (::fstat(in, &st) == 0) expectBytes(progress, static_cast<std::uint64_t>(st.st_size));
  posix::TempFile temp(target);
  bool ok = temp.ok() && copy(in, temp.fd());
  ::close(in);
  return ok && temp.replace(target);
}

}  // namespace

bool PosixFiles::copyFile(const std::string& from, const std::string& to, WorkProgress* progress) {
  return copyVia(from, to, progress, [&](int in, int out) { return copyInKernel(in, out, progress); });
}

bool PosixFiles::copyFileHashed(const std::string& from, const std::string& to, std::string& sha256,
                                WorkProgress* progress) {
  Sha256 hash;
  bool ok = copyVia(from, to, progress, [&](int in, int out) {
    return copyThroughMemory(in, out, [&](const char* data, std::size_t size) {
      hash.update(data, size);
      advanceBytes(progress, size);
    });
  });
  if (ok) sha256 = hash.hexDigest();
  return ok;
}

bool PosixFiles::truncateFile(const std::string& path, std::uint64_t size) {
  std::string real = resolveExistingPath(path);
  if (real.empty()) return false;
  int fd = openRegularFile(real, O_WRONLY);
  if (fd < 0) return false;
  struct stat st;
  bool ok = ::fstat(fd, &st) == 0 && static_cast<std::uint64_t>(st.st_size) >= size &&
            ::ftruncate(fd, static_cast<off_t>(size)) == 0 && ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

}  // namespace lumaset
