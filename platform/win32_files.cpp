#include "platform/win32_files.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "formats/byte_order_mark.h"
#include "formats/path_text.h"
#include "formats/pe_version.h"
#include "platform/win32_file_io.h"
#include "platform/win32_text.h"

namespace lumaset {
namespace {

using win32::folderOfWide;
using win32::fullPath;
using win32::Handle;
using win32::isFolderW;
using win32::kShareAll;
using win32::TempFile;
using win32::widePath;
using win32::withoutLongPrefix;
using win32::writeAll;

// A link to a folder is removed as a folder, one to a file as a file. Wine would remove
// what a POSIX link names instead, so there the link stays and the removal fails.
bool removeLink(const std::wstring& path, DWORD attributes) {
  if (win32::underWine()) return false;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return RemoveDirectoryW(path.c_str()) != 0;
  return DeleteFileW(path.c_str()) != 0;
}

// Removes a folder's content and then the folder. A link inside (a symbolic link,
// a junction) is removed itself, never followed: its target keeps its files.
bool removeTree(const std::wstring& path) {
  bool ok = true;
  // The search ends (and its handle closes) with the loop, before the folder itself goes.
  for (win32::FolderSearch search(win32::childPath(path, L"*")); search.found(); search.next()) {
    const WIN32_FIND_DATAW& data = search.entry();
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring child = win32::childPath(path, name);
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || win32::isWineFileLink(child)) {
      ok = removeLink(child, data.dwFileAttributes) && ok;
      continue;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
      SetFileAttributesW(child.c_str(), data.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ok = removeTree(child) && ok;
    } else {
      ok = DeleteFileW(child.c_str()) && ok;
    }
  }
  return RemoveDirectoryW(path.c_str()) && ok;
}

}  // namespace

// The buffer grows until the whole name fits: GetModuleFileNameW cuts a longer one off
// and says so only by filling the buffer.
std::string Win32Files::programFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size() || buffer.size() > 32768) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return fromWide(withoutLongPrefix(folderOfWide(buffer)));
}

// The names a path gives are kept, as on POSIX: the system's resolution would also drop
// the dots and spaces that end a part ("PS.." becomes "PS."), and the core must see them
// to refuse such a folder. A relative path is joined to the current folder; "." and ".."
// parts, a rooted path ("\x") and one relative to a drive ("C:x") are resolved by the
// system.
std::string Win32Files::absolutePath(const std::string& path) {
  std::wstring wide = toWide(path);
  const std::vector<std::string> parts = splitPath(path, "\\/");
  const bool dotParts =
      std::any_of(parts.begin(), parts.end(), [](const std::string& p) { return p == "." || p == ".."; });
  const bool relative = !wide.empty() && wide[0] != L'\\' && wide[0] != L'/' && (wide.size() < 2 || wide[1] != L':');
  if (relative && !dotParts) {
    const std::wstring current = withoutLongPrefix(fullPath(L"."));
    wide = current + (!current.empty() && current.back() == L'\\' ? L"" : L"\\") + wide;
  }
  if (dotParts || !win32::isAbsolute(wide)) return fromWide(withoutLongPrefix(fullPath(toWide(path))));
  std::replace(wide.begin(), wide.end(), L'/', L'\\');
  return fromWide(wide);
}

Bytes Win32Files::readFile(const std::string& path) { return readRange(path, 0, UINT64_MAX); }

Bytes Win32Files::readRange(const std::string& path, std::uint64_t offset, std::uint64_t length) {
  Handle file(win32::openDiskFile(widePath(path), GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
  if (!file.ok()) return {};
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return {};
  auto total = static_cast<std::uint64_t>(size.QuadPart);
  if (offset >= total) return {};
  std::uint64_t count = std::min(length, total - offset);
  LARGE_INTEGER start;
  start.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) return {};
  Bytes out(count, '\0');
  std::uint64_t done = 0;
  while (done < count) {
    DWORD chunk = count - done > (1u << 30) ? (1u << 30) : static_cast<DWORD>(count - done);
    DWORD read = 0;
    if (!ReadFile(file.get(), out.data() + done, chunk, &read, nullptr) || read == 0) break;
    done += read;
  }
  out.resize(done);
  return out;
}

bool Win32Files::writeFile(const std::string& path, const Bytes& data) {
  std::wstring target = widePath(path);
  if (isFolderW(target)) return false;
  TempFile temp(target);
  if (!temp.ok()) return false;
  {
    Handle file(
        CreateFileW(temp.path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) return false;
    if (!writeAll(file.get(), data.data(), data.size())) return false;
    if (!FlushFileBuffers(file.get())) return false;
    if (!file.close()) return false;
  }
  return temp.replaceTarget();
}

bool Win32Files::appendFile(const std::string& path, const Bytes& data) {
  Handle file(win32::openDiskFile(widePath(path), GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL));
  if (!file.ok()) return false;
  LARGE_INTEGER before{}, zero{};
  bool ok = SetFilePointerEx(file.get(), zero, &before, FILE_END) && writeAll(file.get(), data.data(), data.size()) &&
            FlushFileBuffers(file.get());
  // An append that broke off is taken back, so the file keeps its old bytes.
  if (!ok && SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN)) SetEndOfFile(file.get());
  return file.close() && ok;
}

bool Win32Files::moveFile(const std::string& from, const std::string& to) {
  return MoveFileW(widePath(from).c_str(), widePath(to).c_str()) != 0;
}

bool Win32Files::createFolder(const std::string& path) {
  return CreateDirectoryW(widePath(path).c_str(), nullptr) != 0;
}

// A link standing at `path` is removed as a link; its target keeps its files.
bool Win32Files::deleteFolder(const std::string& path) {
  std::wstring folder = widePath(path);
  DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return removeLink(folder, attributes);
  return removeTree(folder);
}

bool Win32Files::exists(const std::string& path) {
  if (path.find_first_of("*?") != std::string::npos) return false;
  return GetFileAttributesW(widePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileInfo Win32Files::info(const std::string& path) {
  FileInfo result;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &data)) return result;
  result.exists = true;
  result.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (!result.isFolder) result.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return result;
}

std::vector<std::string> Win32Files::subfolders(const std::string& folder) {
  std::vector<std::string> names;
  for (win32::FolderSearch search(win32::childPath(widePath(folder), L"*")); search.found(); search.next()) {
    std::wstring name = search.entry().cFileName;
    if (name == L"." || name == L"..") continue;
    if (search.entry().dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.push_back(fromWide(name));
  }
  return names;
}

// The profile functions take a path of MAX_PATH characters at most, with or without
// "\\?\" (wine's refuse a longer one either way). A long path's file is looked up by the
// program's own reading, and changed as a copy in the temporary folder that the profile
// function edits and that then replaces the file whole.
std::string Win32Files::readProfileString(const std::string& file, const std::string& section, const std::string& key,
                                          const std::string& def) {
  std::wstring path = win32::longPathForm(fullPath(toWide(file)));
  // A missing or empty file gives the default, and so does anything that is no file on
  // disk: readRange never opens it, and it never reaches the profile function.
  Bytes head = readRange(file, 0, 2);
  if (head.empty()) return cutProfileValue(def);
  // Windows reads a profile without a UTF-16 mark in the ANSI code page, which garbles
  // the UTF-8 that editors save; such files are decoded and looked up as on POSIX.
  if (bomOf(head) != Bom::Utf16Le || win32::hasLongPrefix(path)) {
    auto gbk = [this](const std::string& text) { return chineseCodePageToUtf8(text); };
    std::optional<std::string> value = lookupProfileValue(decodeProfileText(readFile(file), gbk).utf8, section, key);
    return cutProfileValue(value ? *value : def);
  }
  std::wstring wsection = toWide(section), wkey = toWide(key), wdef = toWide(def);
  // The value is cut by bytes of UTF-8 below, so the buffer grows until it holds it all.
  std::vector<wchar_t> buffer(kProfileValueLimit + 1);
  for (;;) {
    DWORD n = GetPrivateProfileStringW(wsection.c_str(), wkey.c_str(), wdef.c_str(), buffer.data(),
                                       static_cast<DWORD>(buffer.size()), path.c_str());
    if (n + 1 < buffer.size() || buffer.size() > (1u << 20)) {
      return cutProfileValue(fromWide(std::wstring(buffer.data(), n)));
    }
    buffer.resize(buffer.size() * 4);
  }
}

bool Win32Files::writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& value) {
  const EntryKind kind = entryKind(file);
  if (kind == EntryKind::Folder || kind == EntryKind::Other) return false;
  std::wstring path = win32::longPathForm(fullPath(toWide(file)));
  std::wstring wsection = toWide(section), wkey = toWide(key), wvalue = toWide(value);
  // A new profile file starts with a UTF-16LE byte-order mark, so that the wide profile
  // functions store every character instead of the system code page's approximation.
  const Bytes kNewProfile = kUtf16LeBom;
  if (win32::hasLongPrefix(path)) {
    Bytes bytes = kind == EntryKind::Missing ? kNewProfile : readFile(file);
    TempFile copy(win32::childPath(widePath(temporaryFolder()), L"profile.ini"));
    if (!copy.ok() || !writeFile(fromWide(copy.path()), bytes)) return false;
    if (!WritePrivateProfileStringW(wsection.c_str(), wkey.c_str(), wvalue.c_str(), copy.path().c_str())) return false;
    Bytes edited = readFile(fromWide(copy.path()));
    return !edited.empty() && writeFile(file, edited);
  }
  if (kind == EntryKind::Missing) {
    Handle created(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (created.ok()) writeAll(created.get(), kNewProfile.data(), kNewProfile.size());
  }
  if (!win32::isDiskFile(path)) return false;
  return WritePrivateProfileStringW(wsection.c_str(), wkey.c_str(), wvalue.c_str(), path.c_str()) != 0;
}

std::optional<std::string> Win32Files::chineseCodePageToUtf8(const Bytes& text) {
  if (text.empty()) return std::string();
  int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return fromWide(wide);
}

// Read with the program's own reader, not version.dll: that DLL is no KnownDLL, and an
// import of it would be looked for beside the program first (see the entries).
std::string Win32Files::productVersion(const std::string& path) {
  if (!win32::isDiskFile(widePath(path))) return {};
  return peProductVersion(readFile(path));
}

}  // namespace lumaset
