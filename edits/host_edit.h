// The edit of one host: the only way to change the host's icon index, packs and language
// file and the backup folders. An edit holds the host's lock for as long as it lives
// (another Lumaset refuses meanwhile, and the system drops the lock with a process that
// dies), starts only while the host does not run or hold its files, and first removes the
// temporary files that a run which died left behind. Every write goes to disk before the
// call returns (the platform flushes data before a rename, and the folder after it).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"

namespace lumaset {

// What an edit of a host touches.
struct HostEditPaths {
  std::string lockFile;                   // in the host's folder
  std::string exePath;                    // the host's Photoshop.exe
  std::vector<std::string> hostFiles;     // the index, the packs and the language file
  std::vector<std::string> workFolders;   // where temporary files of the program may lie
  std::vector<std::string> probeFolders;  // folders the program makes for a moment only
};

enum class EditRefusal {
  None,
  Locked,       // another process edits this host
  HostRunning,  // the host runs, or another process holds one of its files
};

// The program's temporary file names: "." + target name + ".lumaset-" + six letters or
// digits. Nothing else in the host's folders is named so.
bool isLeftoverTemporaryName(const std::string& name);

class HostEdit {
 public:
  // The edit, or nothing with the reason in `refusal`. A lock file that cannot be made at
  // all (a folder without rights) leaves the edit without a lock: the writes then fail
  // on their own, with their own messages.
  static std::unique_ptr<HostEdit> begin(Files& files, const HostEditPaths& paths, EditRefusal& refusal);

  // Reads go to the files directly.
  Files& files() { return files_; }

  bool writeFile(const std::string& path, const Bytes& data) { return files_.writeFile(path, data); }
  bool appendFile(const std::string& path, const Bytes& data) { return files_.appendFile(path, data); }
  bool copyFile(const std::string& from, const std::string& to) { return files_.copyFile(from, to); }
  bool copyFileHashed(const std::string& from, const std::string& to, std::string& sha256) {
    return files_.copyFileHashed(from, to, sha256);
  }
  bool truncateFile(const std::string& path, std::uint64_t size) { return files_.truncateFile(path, size); }
  bool moveFile(const std::string& from, const std::string& to) { return files_.moveFile(from, to); }
  bool createFolder(const std::string& path) { return files_.createFolder(path); }
  bool deleteFolder(const std::string& path) { return files_.deleteFolder(path); }

  // How many leftover temporary files and probe folders the start removed.
  int leftoversRemoved() const { return leftoversRemoved_; }

 private:
  HostEdit(Files& files, std::unique_ptr<FileLock> lock) : files_(files), lock_(std::move(lock)) {}
  void removeLeftovers(const HostEditPaths& paths);

  Files& files_;
  std::unique_ptr<FileLock> lock_;
  int leftoversRemoved_ = 0;
};

}  // namespace lumaset
