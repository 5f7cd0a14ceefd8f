// The edit of one host: the only way to change the host's icon index, packs and language
// file and the backup folders. An edit holds the host's locks for as long as it lives
// (another Lumaset refuses meanwhile, and the system drops a lock with a process that
// dies), starts only while the host does not run or hold its files, and first removes the
// temporary files that a run which died left behind. Every write goes to disk before the
// call returns (the platform flushes data before a rename, and the folder after it).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "edits/edit_access.h"
#include "platform/files.h"

namespace lumaset {

// The name of an edit's lock file in each folder it changes.
inline constexpr char kHostLockName[] = ".lumaset.lock";

// What an edit of a host touches.
struct HostEditPaths {
  std::string exePath;                    // the host's Photoshop.exe
  std::vector<std::string> hostFiles;     // the index, the packs and the language file (links followed)
  std::vector<std::string> workFolders;   // where temporary files of the program may lie
  std::vector<std::string> probeFolders;  // folders the program makes for a moment only
  // Every folder whose content the edit may change (one that does not exist yet stands
  // for the folder it will be made in), and every existing file it may change in place
  // or replace. The folders are where the edit locks.
  std::vector<std::string> changedFolders;
  std::vector<std::string> changedFiles;
};

enum class EditRefusal {
  None,
  Locked,       // another process edits this host
  NoLock,       // a lock could not be made in one of the folders the edit changes
  HostRunning,  // the host runs, or another process holds one of its files
  HardLinked,   // a host file has another name: a replacement would part them
  NoRights,     // this process may not change one of the folders (without administrator rights)
};

class HostEdit {
 public:
  // The edit, or nothing with the reason in `refusal` (and the file or folder it
  // concerns in `refusedFile`). Every lock of `lockFiles` is taken, or the edit does not
  // start. Every changed folder and file is tried before anything else is done, so that
  // an edit without the rights for all of them changes nothing.
  static std::unique_ptr<HostEdit> begin(EditAccess access, const HostEditPaths& paths, EditRefusal& refusal,
                                         std::string& refusedFile);

  // The locks of an edit: a file `.lumaset.lock` in every folder it changes, as the system
  // names that folder (links and spellings resolved; of a folder still to be made, in the
  // nearest folder above that exists), each once, in the order they are taken. Two runs
  // that change one file change its folder, and so meet at its lock whatever path led
  // them there; only who may change a folder can make a lock in it.
  static std::vector<std::string> lockFiles(SystemReading& files, const HostEditPaths& paths);

  // Reads go to the files directly.
  SystemReading& files() { return files_; }

  bool writeFile(const std::string& path, const Bytes& data) { return files_.writeFile(path, data); }
  bool appendFile(const std::string& path, const Bytes& data) { return files_.appendFile(path, data); }
  bool copyFile(const std::string& from, const std::string& to, WorkProgress* progress = nullptr) {
    return files_.copyFile(from, to, progress);
  }
  bool copyFileHashed(const std::string& from, const std::string& to, std::string& sha256,
                      WorkProgress* progress = nullptr) {
    return files_.copyFileHashed(from, to, sha256, progress);
  }
  bool truncateFile(const std::string& path, std::uint64_t size) { return files_.truncateFile(path, size); }
  bool moveFile(const std::string& from, const std::string& to) { return files_.moveFile(from, to); }
  bool removeFile(const std::string& path) { return files_.removeFile(path); }
  bool createFolder(const std::string& path) { return files_.createFolder(path); }
  bool deleteFolder(const std::string& path) { return files_.deleteFolder(path); }

 private:
  HostEdit(Files& files, std::vector<std::unique_ptr<FileLock>> locks) : files_(files), locks_(std::move(locks)) {}
  void removeLeftovers(const HostEditPaths& paths);

  Files& files_;
  std::vector<std::unique_ptr<FileLock>> locks_;
};

}  // namespace lumaset
