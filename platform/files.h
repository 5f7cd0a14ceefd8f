// The file-system side of the platform, split by purpose into four small interfaces:
//   FileReading        reads and inspects the disk: bytes, sizes, listings, identities,
//                      what stands at a path, where a path really leads, the folders the
//                      program works from; never changes anything.
//   FileChanges        every call that writes, creates, moves, removes, truncates, copies
//                      or flushes anything on disk, profile-string writes included.
//   ProcessesAndLocks  whether the host runs or holds its files, and the locks that keep
//                      two runs of the program apart.
//   TextsAndVersions   profile (INI) strings read as Windows reads them, text in the
//                      Chinese code page, the version resource of an executable.
// `Files` holds all four: it is the one object the core is handed. A call that changes the
// disk belongs in FileChanges and nowhere else, so that whatever watches those calls (the
// layer check, the fault decorator of the tests) sees every one of them.
// Paths and texts are UTF-8; nothing here throws.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/bytes.h"
#include "formats/profile_text.h"
#include "platform/work_progress.h"

namespace lumaset {

struct FileInfo {
  bool exists = false;
  bool isFolder = false;
  std::uint64_t size = 0;
};

// What stands at a path itself, links not followed: a symbolic link, a junction or any
// other reparse point is a Link; a device, a pipe or a socket is Other.
enum class EntryKind { Missing, File, Folder, Link, Other };

struct FolderEntry {
  std::string name;
  EntryKind kind = EntryKind::Missing;
  std::uint64_t size = 0;  // of a File
};

// Who a file is on its volume and how it last looked: equal identities mean that nothing
// wrote the file in between (a rewrite changes the time, a replacement the ID).
struct FileIdentity {
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // in the system's own unit
  std::string fileId;         // device and inode, or volume serial and file index
  bool operator==(const FileIdentity&) const = default;
};

// A lock that one process at a time holds; it goes with the object, or with the process.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

enum class LockResult { Taken, HeldElsewhere, Failed };

// Reading and inspecting: paths, bytes, listings and what stands where. Nothing here
// changes the disk, and nothing opens a pipe or a device in a way that waits.
class FileReading {
 public:
  virtual ~FileReading() = default;

  // The separator that paths are joined with: '\\' on Windows, '/' on POSIX.
  virtual char separator() const = 0;
  // The folder of the running executable, without a trailing separator.
  virtual std::string programFolder() = 0;
  // This user's folder for temporary files, without a trailing separator.
  virtual std::string temporaryFolder() = 0;
  // Whether the security of `path` grants this process what a change needs (a folder:
  // adding files and folders; a file: writing and appending), read from the security
  // alone, with nothing opened for writing and nothing made: a guess for the window's
  // shield before any change. mayChange, which tries, decides. True where the system
  // keeps no security to read.
  virtual bool securityAllowsChange(const std::string& path) = 0;
  // This user's own folder for the program's settings and themes, used when the program
  // folder cannot be written (%LOCALAPPDATA%\Lumaset; on POSIX $XDG_CONFIG_HOME/lumaset or
  // ~/.config/lumaset); it need not exist. Empty when the system names none.
  virtual std::string userDataFolder() = 0;
  // The path made absolute against the current folder (an absolute one as it is; Windows
  // resolves its "." and ".." parts and turns '/' into '\'). The names of its parts stay
  // as given: a trailing dot or space is not dropped.
  virtual std::string absolutePath(const std::string& path) = 0;

  // Whole file; a missing or unreadable file reads as no bytes. So does anything that is
  // no regular file (a folder, a pipe, a device): it is never opened in a way that waits.
  virtual Bytes readFile(const std::string& path) = 0;
  // Up to `length` bytes from `offset`, clipped to the file's end.
  virtual Bytes readRange(const std::string& path, std::uint64_t offset, std::uint64_t length) = 0;

  // True for an existing file or folder.
  virtual bool exists(const std::string& path) = 0;
  virtual FileInfo info(const std::string& path) = 0;
  // Names of the subfolders of a folder, in the order the file system lists them.
  virtual std::vector<std::string> subfolders(const std::string& folder) = 0;
  // Names of the files (not folders) of a folder.
  virtual std::vector<std::string> fileNames(const std::string& folder) = 0;
  // What stands at `path` itself; the last part of the path is never followed.
  virtual EntryKind entryKind(const std::string& path) = 0;
  // The entries of a folder as entryKind sees them, without "." and ".."; nothing when
  // the folder cannot be listed.
  virtual std::optional<std::vector<FolderEntry>> folderEntries(const std::string& folder) = 0;

  // The identity of an existing file; nothing when it cannot be read.
  virtual std::optional<FileIdentity> identity(const std::string& path) = 0;
  // How many names (hard links) an existing file has; 0 when it cannot be read.
  virtual std::uint32_t hardLinkCount(const std::string& path) = 0;
  // The file that `path` names once symbolic links are followed, as an absolute path; the
  // path itself when it is no link (or does not exist).
  virtual std::string linkTarget(const std::string& path) = 0;
  // An existing file's or folder's one absolute name, whatever links or spellings lead to
  // it (letter case as on disk); the path itself when it cannot be found.
  virtual std::string canonicalPath(const std::string& path) = 0;
};

// Every call that changes the disk. Each gives false when it did not do its whole work.
class FileChanges {
 public:
  virtual ~FileChanges() = default;

  // Replaces the file as a whole: the bytes go to a temporary file in the same folder
  // that then takes the target's place, so the target is never half-written.
  virtual bool writeFile(const std::string& path, const Bytes& data) = 0;
  // Writes a new file (failing when the path exists) without waiting for the disk: for
  // the many small files of an unpacking, which flushFolder then puts on disk at once.
  // The name is taken as given: on POSIX a file whose name differs only in letter case
  // is not looked for.
  virtual bool writeNewFile(const std::string& path, const Bytes& data) = 0;
  // Puts everything written below `folder` on disk, in one step where the system has one.
  virtual bool flushFolder(const std::string& folder) = 0;
  // Adds bytes at the end of a file, creating it when missing.
  virtual bool appendFile(const std::string& path, const Bytes& data) = 0;
  // Copies a file, overwriting the target, with the fastest copy the system has; the copy
  // is on disk before it takes the target's place. A source that is no regular file
  // fails, without waiting. The source's size goes to `progress` as expected when the
  // copy starts, and each piece as it is copied.
  virtual bool copyFile(const std::string& from, const std::string& to, WorkProgress* progress = nullptr) = 0;
  // Copies a file as copyFile does, through memory, and gives the SHA-256 of its bytes.
  virtual bool copyFileHashed(const std::string& from, const std::string& to, std::string& sha256,
                              WorkProgress* progress = nullptr) = 0;
  // Cuts a file back to `size` bytes (never longer), on disk when it returns.
  virtual bool truncateFile(const std::string& path, std::uint64_t size) = 0;
  // Removes one file (not a folder).
  virtual bool removeFile(const std::string& path) = 0;
  // Renames a file or folder; fails when something stands at `to`.
  virtual bool moveFile(const std::string& from, const std::string& to) = 0;
  // Creates one folder level; fails when the parent is missing or the path exists.
  virtual bool createFolder(const std::string& path) = 0;
  // Removes a folder with everything in it.
  virtual bool deleteFolder(const std::string& path) = 0;
  // Whether this process may change what stands at `path`, found by trying without a
  // change: in a folder a temporary file is made and removed at once; an existing file
  // is opened for writing and deleting, and closed unchanged. Windows keeps Program Files
  // from a process without administrator rights whatever the attributes say, and a file
  // may be read-only or another user's in a folder that takes new files: only a try tells.
  virtual bool mayChange(const std::string& path) = 0;
  // Sets one profile (INI) value as TextsAndVersions::readProfileString reads it, keeping
  // every other line of the file and creating the file when it is missing.
  virtual bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                                  const std::string& value) = 0;
};

// The host's processes and the locks of the program's runs.
class ProcessesAndLocks {
 public:
  virtual ~ProcessesAndLocks() = default;

  // Whether the program `exePath` runs, or another process holds one of `files` open;
  // a hold of a moment (a virus scanner, an indexer) that ends within half a second does
  // not count.
  virtual bool hostInUse(const std::string& exePath, const std::vector<std::string>& files) = 0;
  // Takes the lock of `path` (the file is made when missing) into `lock`. A folder or a
  // link standing at `path` is never followed: the lock then fails.
  virtual LockResult lockFile(const std::string& path, std::unique_ptr<FileLock>& lock) = 0;
};

// Texts as the system reads them: profile strings, the Chinese code page, version resources.
class TextsAndVersions {
 public:
  virtual ~TextsAndVersions() = default;

  // Profile strings behave as the Windows profile functions: sections and keys match
  // without regard to case, a missing file, section or key gives `def`, and the value
  // is cut to kProfileValueLimit bytes.
  virtual std::string readProfileString(const std::string& file, const std::string& section, const std::string& key,
                                        const std::string& def) = 0;
  // Text in the Chinese ANSI code page (GBK, code page 936) as UTF-8; nothing when the
  // bytes are not valid in it.
  virtual std::optional<std::string> chineseCodePageToUtf8(const Bytes& text) = 0;
  // The ProductVersion of an executable's version resource, from the string table of
  // the first listed translation (else "040904E4"); empty without a version resource.
  virtual std::string productVersion(const std::string& path) = 0;
};

// Everything that only reads: what previews, looks and verdicts are given.
class SystemReading : public FileReading, public TextsAndVersions {};

// The whole file side, as the front ends hold it. The core gets its changing half only
// through the edit of the host (edits/edit_access.h), the settings file and the theme
// library's import.
class Files : public SystemReading, public FileChanges, public ProcessesAndLocks {};

}  // namespace lumaset
