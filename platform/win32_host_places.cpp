// The places of Windows: HKLM\SOFTWARE\Adobe\Photoshop in both registry views (a 32-bit
// release registers itself below WOW6432Node) and the known Program Files folders.
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cwchar>
#include <optional>
#include <vector>

#include "platform/host_places.h"
#include "platform/win32_scoped.h"
#include "platform/win32_text.h"

namespace lumaset {
namespace {

constexpr const wchar_t* kPhotoshopKey = L"SOFTWARE\\Adobe\\Photoshop";

// The names of a key's subkeys; the buffer takes the longest name the key reports, and
// grows when a longer one was added in between.
std::vector<std::wstring> subkeyNames(HKEY key) {
  DWORD count = 0, longest = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr) != ERROR_SUCCESS)
    return {};
  std::vector<std::wstring> names;
  std::vector<wchar_t> name(longest + 1);
  for (DWORD i = 0;;) {
    DWORD length = static_cast<DWORD>(name.size());
    const LONG result = RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA && name.size() < 32768) {
      name.resize(name.size() * 2);
      continue;
    }
    if (result != ERROR_SUCCESS) break;  // ERROR_NO_MORE_ITEMS after the last one
    names.emplace_back(name.data(), length);
    ++i;
  }
  return names;
}

std::wstring expandEnvironment(const std::wstring& text) {
  const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::wstring expanded(needed, L'\0');
  const DWORD written = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed);
  if (written == 0 || written > needed) return text;
  expanded.resize(written - 1);
  return expanded;
}

// A string value (REG_SZ, or REG_EXPAND_SZ with its variables expanded). The value may
// grow between the size query and the read: it is read again with the size it then has.
std::optional<std::wstring> stringValue(HKEY key, const wchar_t* name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LONG result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
    if (result == ERROR_SUCCESS) {
      // The stored data need not end with a NUL.
      std::wstring text(data.data(), wcsnlen(data.data(), got / sizeof(wchar_t)));
      return type == REG_EXPAND_SZ ? expandEnvironment(text) : text;
    }
    if (result != ERROR_MORE_DATA) return std::nullopt;
    size = got;
  }
  return std::nullopt;
}

void addRegistryPlaces(REGSAM view, PlaceKind kind, std::vector<HostPlace>& places) {
  win32::RegistryKey photoshop(HKEY_LOCAL_MACHINE, kPhotoshopKey, view);
  if (!photoshop.ok()) return;
  for (const std::wstring& version : subkeyNames(photoshop.get())) {
    win32::RegistryKey key(photoshop.get(), version, view);
    std::optional<std::wstring> path = key.ok() ? stringValue(key.get(), L"ApplicationPath") : std::nullopt;
    if (path && !path->empty()) places.push_back({kind, fromWide(*path), fromWide(version)});
  }
}

std::optional<std::wstring> environmentValue(const wchar_t* name) {
  const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::wstring value(needed, L'\0');
  const DWORD written = GetEnvironmentVariableW(name, value.data(), needed);
  if (written == 0 || written >= needed) return std::nullopt;
  value.resize(written);
  return value;
}

// A known folder, or the environment's name for it when the shell cannot tell.
std::optional<std::wstring> programFilesFolder(REFKNOWNFOLDERID id, const wchar_t* variable) {
  PWSTR path = nullptr;
  std::optional<std::wstring> folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)) && path) folder = path;
  CoTaskMemFree(path);
  return folder ? folder : environmentValue(variable);
}

class Win32HostPlaces : public HostPlaces {
 public:
  std::vector<HostPlace> places() override {
    std::vector<HostPlace> found;
    addRegistryPlaces(KEY_WOW64_64KEY, PlaceKind::Registry64, found);
    addRegistryPlaces(KEY_WOW64_32KEY, PlaceKind::Registry32, found);
    if (auto folder = programFilesFolder(FOLDERID_ProgramFiles, L"ProgramW6432"))
      found.push_back({PlaceKind::ProgramFiles, fromWide(*folder), ""});
    if (auto folder = programFilesFolder(FOLDERID_ProgramFilesX86, L"ProgramFiles(x86)"))
      found.push_back({PlaceKind::ProgramFilesX86, fromWide(*folder), ""});
    return found;
  }
};

}  // namespace

std::unique_ptr<HostPlaces> makeSystemHostPlaces(FileReading&) { return std::make_unique<Win32HostPlaces>(); }

}  // namespace lumaset
