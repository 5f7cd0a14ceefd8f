// The worker's end of its result file, and random values from RtlGenRandom (advapi32's
// SystemFunction036: advapi32.dll is a KnownDLL, bcrypt.dll is none). See worker_result.h.
#include <windows.h>
#include <ntsecapi.h>

#include "formats/bytes.h"
#include "formats/path_text.h"
#include "formats/work_names.h"
#include "formats/worker_progress_line.h"
#include "platform/win32_file_io.h"
#include "platform/win32_scoped.h"
#include "platform/win32_text.h"
#include "platform/worker_result.h"

namespace lumaset {
namespace {

// The name the file bears itself, whatever path reached it.
std::string finalName(HANDLE file) {
  std::wstring name(MAX_PATH, L'\0');
  for (int round = 0; round < 2; ++round) {
    const DWORD n = GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()), 0);
    if (n == 0) return {};
    if (n < name.size()) {
      name.resize(n);
      return leafName(fromWide(name), separatorsFor('\\'));
    }
    name.resize(n + 1);
  }
  return {};
}

bool isFreshResultFile(HANDLE file, const std::string& name) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info)) return false;
  if (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return info.nNumberOfLinks == 1 && info.nFileSizeHigh == 0 && info.nFileSizeLow == 0 && finalName(file) == name;
}

}  // namespace

std::optional<std::string> randomHex(std::size_t bytes) {
  std::string raw(bytes, '\0');
  if (!RtlGenRandom(raw.data(), static_cast<ULONG>(bytes))) return std::nullopt;
  return hexText(raw);
}

namespace {

// Writes all of `text` at `offset`, whatever the handle's file pointer.
bool writeAt(HANDLE file, const std::string& text, std::uint64_t offset) {
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && win32::writeAll(file, text.data(), text.size());
}

class Win32WorkerResultFile : public WorkerResultFile {
 public:
  explicit Win32WorkerResultFile(win32::Handle file) : file_(std::move(file)) {}

  bool writeProgress(std::uint64_t done, std::uint64_t total) override {
    return writeAt(file_.get(), workerProgressLine(done, total), 0);
  }
  bool writeOutcome(const std::string& text) override { return writeAt(file_.get(), text, kWorkerProgressLineSize); }

 private:
  win32::Handle file_;
};

}  // namespace

std::unique_ptr<WorkerResultFile> WorkerResultFile::open(const std::string& path) {
  const std::string name = leafName(path, separatorsFor('\\'));
  if (!isWorkerResultName(name)) return nullptr;
  // FILE_FLAG_OPEN_REPARSE_POINT opens a link itself, which the check refuses (wine shows
  // a link of the host system as the file it names: it is asked apart). The window holds
  // the file with delete access, so this open shares delete.
  const std::wstring wide = win32::widePath(path);
  if (win32::isWineFileLink(wide)) return nullptr;
  win32::Handle file(CreateFileW(wide.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.ok() || !isFreshResultFile(file.get(), name)) return nullptr;
  auto opened = std::make_unique<Win32WorkerResultFile>(std::move(file));
  return opened->writeProgress(0, 0) ? std::move(opened) : nullptr;
}

}  // namespace lumaset
