// The theme library while one import runs. Its lock serialises imports (two windows, or
// a window and the command line, never unpack into each other's work), what imports that
// broke off left behind goes first, each import works in a staging folder of its own
// inside the library, and a finished theme takes its place with a rename on the same
// volume: the library lists a theme whole or not at all.
#pragma once
#include <chrono>
#include <memory>
#include <string>

#include "platform/files.h"

namespace lumaset {

// Names in the library that belong to imports: the lock, staging folders, a theme set
// aside while it is replaced, and the note that says which theme that is.
inline constexpr const char* kLibraryLockName = ".lumaset-library.lock";
inline constexpr const char* kReplacingNote = ".lumaset-replacing";

class LibraryImport {
 public:
  enum class Opened { Ready, Busy, Failed };
  // Creates the library when it is missing, takes its lock (waiting up to `patience` for
  // another import to end) and clears what broken-off imports left.
  static Opened open(Files& files, const std::string& library, std::chrono::milliseconds patience,
                     std::unique_ptr<LibraryImport>& out);

  // A new empty folder for one item's files; empty when none could be made.
  std::string newStagingFolder();
  // Puts the finished folder `root` (a staging folder or a folder in one) in place as the
  // theme `name`, on disk first. A theme of that name is replaced as a whole: a run that
  // breaks off in between leaves the old theme, which the next import puts back.
  bool place(const std::string& root, const std::string& name);

  const std::string& library() const { return library_; }

 private:
  LibraryImport(Files& files, std::string library, std::unique_ptr<FileLock> lock);
  std::string uniqueName(const std::string& prefix);
  // Puts back a theme that a broken-off replacement left aside; the name of an aside
  // that could not go back (it and its note are then kept), else empty.
  std::string putBackSetAside();
  void clearLeftovers(const std::string& keptAside);
  void clearTemporaryFiles(const std::string& folder, std::size_t depth);

  Files& files_;
  std::string library_;
  std::unique_ptr<FileLock> lock_;
  unsigned counter_ = 0;
};

}  // namespace lumaset
