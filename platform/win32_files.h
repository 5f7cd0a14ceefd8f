// The Win32 implementation of the file side of the platform: kernel32's file and
// profile functions and version.dll, called through their wide (W) forms with paths in
// the form win32::widePath gives (long ones marked "\\?\").
#pragma once
#include "platform/files.h"

namespace lumaset {

class Win32Files : public Files {
 public:
  // FileReading
  char separator() const override { return '\\'; }
  std::string programFolder() override;
  std::string temporaryFolder() override;
  std::string userDataFolder() override;
  bool securityAllowsChange(const std::string& path) override;
  std::string absolutePath(const std::string& path) override;
  Bytes readFile(const std::string& path) override;
  Bytes readRange(const std::string& path, std::uint64_t offset, std::uint64_t length) override;
  bool exists(const std::string& path) override;
  FileInfo info(const std::string& path) override;
  std::vector<std::string> subfolders(const std::string& folder) override;
  std::vector<std::string> fileNames(const std::string& folder) override;
  EntryKind entryKind(const std::string& path) override;
  std::optional<std::vector<FolderEntry>> folderEntries(const std::string& folder) override;
  std::optional<FileIdentity> identity(const std::string& path) override;
  std::uint32_t hardLinkCount(const std::string& path) override;
  std::string linkTarget(const std::string& path) override;
  std::string canonicalPath(const std::string& path) override;

  // FileChanges
  bool writeFile(const std::string& path, const Bytes& data) override;
  bool writeNewFile(const std::string& path, const Bytes& data) override;
  bool flushFolder(const std::string& folder) override;
  bool mayChange(const std::string& path) override;
  bool appendFile(const std::string& path, const Bytes& data) override;
  bool copyFile(const std::string& from, const std::string& to, WorkProgress* progress = nullptr) override;
  bool copyFileHashed(const std::string& from, const std::string& to, std::string& sha256,
                      WorkProgress* progress = nullptr) override;
  bool truncateFile(const std::string& path, std::uint64_t size) override;
  bool removeFile(const std::string& path) override;
  bool moveFile(const std::string& from, const std::string& to) override;
  bool createFolder(const std::string& path) override;
  bool deleteFolder(const std::string& path) override;
  bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& value) override;

  // ProcessesAndLocks
  bool hostInUse(const std::string& exePath, const std::vector<std::string>& files) override;
  LockResult lockFile(const std::string& path, std::unique_ptr<FileLock>& lock) override;

  // TextsAndVersions
  std::string readProfileString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& def) override;
  std::optional<std::string> chineseCodePageToUtf8(const Bytes& text) override;
  std::string productVersion(const std::string& path) override;
};

}  // namespace lumaset
