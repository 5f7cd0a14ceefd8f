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
  std::string sharedLockFile;             // in the user's temporary folder, named for the host
  std::string exePath;                    // the host's Photoshop.exe
  std::vector<std::string> hostFiles;     // the index, the packs and the language file (links followed)
  std::vector<std::string> workFolders;   // where temporary files of the program may lie
  std::vector<std::string> probeFolders;  // folders the program makes for a moment only
  // Every folder whose content the edit may change (one that does not exist yet stands
  // for the folder it will be made in), and every existing file it may change in place
  // or replace.
  std::vector<std::string> changedFolders;
  std::vector<std::string> changedFiles;
};

enum class EditRefusal {
  None,
  Locked,       // another process edits this host
  NoLock,       // no lock could be made, neither beside the host nor in the temporary folder
  HostRunning,  // the host runs, or another process holds one of its files
  HardLinked,   // a host file has another name: a replacement would part them
  NoRights,     // this process may not change one of the folders (without administrator rights)
};

class HostEdit {
 public:
  // The edit, or nothing with the reason in `refusal` (and the file or folder it
  // concerns in `refusedFile`). The lock is taken beside the host and in the temporary
  // folder: two runs meet at the one they can both make, and an edit never starts
  // without either. Every changed folder and file is tried before anything else is
  // done, so that an edit without the rights for all of them changes nothing.
  static std::unique_ptr<HostEdit> begin(Files& files, const HostEditPaths& paths, EditRefusal& refusal,
                                         std::string& refusedFile);

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
  bool removeFile(const std::string& path) { return files_.removeFile(path); }
  bool createFolder(const std::string& path) { return files_.createFolder(path); }
  bool deleteFolder(const std::string& path) { return files_.deleteFolder(path); }

  // How many leftover temporary files and probe folders the start removed.
  int leftoversRemoved() const { return leftoversRemoved_; }

 private:
  HostEdit(Files& files, std::unique_ptr<FileLock> beside, std::unique_ptr<FileLock> shared)
      : files_(files), beside_(std::move(beside)), shared_(std::move(shared)) {}
  void removeLeftovers(const HostEditPaths& paths);

  Files& files_;
  std::unique_ptr<FileLock> beside_;
  std::unique_ptr<FileLock> shared_;
  int leftoversRemoved_ = 0;
};

}  // namespace lumaset
