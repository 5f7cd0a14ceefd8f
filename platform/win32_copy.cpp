// Copies and cuts on Windows. A plain copy is CopyFileExW's; a hashed copy reads the bytes
// through memory once. Both land in a temporary file that is flushed before it takes the
// target's place with a write-through move. A source that is no file on disk is refused
// before anything reads it.
#include <vector>

#include "formats/sha256.h"
#include "platform/win32_file_io.h"
#include "platform/win32_files.h"

namespace lumaset {
namespace {

using win32::Handle;

bool flushFile(const std::wstring& path) {
  Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.ok() && FlushFileBuffers(file.get()) && file.close();
}

std::uint64_t fileSize(HANDLE file) {
  LARGE_INTEGER size{};
  return GetFileSizeEx(file, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
}

bool copyThroughMemory(const std::wstring& from, const std::wstring& to, Sha256& hash, WorkProgress* progress) {
  Handle in(win32::openDiskFile(from, GENERIC_READ, win32::kShareAll, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN));
  Handle out(CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!in.ok() || !out.ok()) return false;
  expectBytes(progress, fileSize(in.get()));
  std::vector<char> buffer(1 << 20);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(in.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) return false;
    if (read == 0) break;
    hash.update(buffer.data(), read);
    if (!win32::writeAll(out.get(), buffer.data(), read)) return false;
    advanceBytes(progress, read);
  }
  return FlushFileBuffers(out.get()) && out.close();
}

// What a copy by CopyFileExW has told its progress so far.
struct CopyReport {
  WorkProgress* progress;
  std::uint64_t told = 0;
};

DWORD CALLBACK reportCopied(LARGE_INTEGER, LARGE_INTEGER copied, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE,
                            HANDLE, LPVOID data) {
  auto* report = static_cast<CopyReport*>(data);
  const auto now = static_cast<std::uint64_t>(copied.QuadPart);
  if (now > report->told) advanceBytes(report->progress, now - report->told);
  report->told = now > report->told ? now : report->told;
  return PROGRESS_CONTINUE;
}

}  // namespace

bool Win32Files::copyFile(const std::string& from, const std::string& to, WorkProgress* progress) {
  std::wstring source = win32::widePath(from), target = win32::widePath(to);
  if (win32::isFolderW(target)) return false;
  // The source stays open (shared) while CopyFileW reads it, so that what it copies is
  // the file that was checked.
  Handle checked(win32::openDiskFile(source, 0, win32::kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
  if (!checked.ok()) return false;
  win32::TempFile temp(target);
  if (!temp.ok()) return false;
  const std::uint64_t size = fileSize(checked.get());
  expectBytes(progress, size);
  // A system that calls the routine for no piece (or not for the last) is made up for
  // once the copy ends.
  CopyReport report{progress};
  if (!CopyFileExW(source.c_str(), temp.path().c_str(), reportCopied, &report, nullptr, 0)) return false;
  if (size > report.told) advanceBytes(progress, size - report.told);
  return flushFile(temp.path()) && temp.replaceTarget();
}

bool Win32Files::copyFileHashed(const std::string& from, const std::string& to, std::string& sha256,
                                WorkProgress* progress) {
  std::wstring source = win32::widePath(from), target = win32::widePath(to);
  if (win32::isFolderW(target) || win32::isFolderW(source)) return false;
  win32::TempFile temp(target);
  Sha256 hash;
  if (!temp.ok() || !copyThroughMemory(source, temp.path(), hash, progress) || !temp.replaceTarget()) return false;
  sha256 = hash.hexDigest();
  return true;
}

bool Win32Files::truncateFile(const std::string& path, std::uint64_t size) {
  Handle file(
      win32::openDiskFile(win32::widePath(path), GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
  if (!file.ok()) return false;
  LARGE_INTEGER length{}, end{};
  end.QuadPart = static_cast<LONGLONG>(size);
  if (!GetFileSizeEx(file.get(), &length) || static_cast<std::uint64_t>(length.QuadPart) < size) return false;
  return SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()) &&
         FlushFileBuffers(file.get()) && file.close();
}

// Under wine a POSIX link to a file is left: deleting it would delete the file it names.
bool Win32Files::removeFile(const std::string& path) {
  const std::wstring wide = win32::widePath(path);
  return !win32::isWineFileLink(wide) && DeleteFileW(wide.c_str()) != 0;
}

}  // namespace lumaset
