// Bringing themes into the library: zip packages (chosen in a dialog or dropped on the
// window) and dropped folders take one path. Each item is unpacked or copied into a
// staging folder of its own, checked to be a theme, and renamed into place, so that the
// library lists a theme whole or not at all. Each item gets its own outcome; the front
// ends turn outcomes into messages (themes/import_report.h).
#pragma once
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace lumaset {

// The parts of a path: F after the last separator, B that without its last extension,
// X the text after the last full stop of the whole path.
struct PathParts {
  std::string file, base, extension;
};
PathParts pathParts(const std::string& path, char sep);

enum class ImportResult {
  Added,
  Merged,         // into the theme of the same name, as the user agreed
  Declined,       // a theme of the name exists, and the user kept it
  NotATheme,      // no info.ini and loading_low.png, at the top or in its one folder
  ImageNotPng,    // one of the theme's six images is no PNG the apply takes (`image` names it)
  Unsupported,    // neither a folder nor a zip file
  Unreadable,     // missing, or a link that leads nowhere
  BadName,        // a name that cannot be one plain folder of the library
  InsideLibrary,  // the library itself, a folder in it, or a folder that holds it
  TooLarge,       // above the size, count or depth limits
  Busy,           // another import held the library too long
  LibraryFailed,  // the library cannot be made or locked
  PackageFailed,  // a package that cannot be read or unpacked (zipCode says why)
  CopyFailed,     // a folder whose files cannot be read or written
};

struct ImportOutcome {
  ImportResult result = ImportResult::Unreadable;
  bool package = false;
  std::string item;    // F of the path given
  std::string theme;   // the theme's folder name in the library
  std::string target;  // library + separator + theme
  std::string image;   // the file name of the theme's image that refused it
  int zipCode = 1;     // a package's ZipResult
  std::vector<std::string> skipped;  // links, devices and pipes left out, relative names
  bool added() const { return result == ImportResult::Added || result == ImportResult::Merged; }
};

// Asked when the library already has a theme of the name: true merges the new files
// into it (files of the same name replaced, the others kept).
using ReplaceQuestion = std::function<bool(const std::string& theme)>;

inline constexpr std::chrono::milliseconds kImportPatience{10000};

// Imports each path in turn into the library folder `library` (made when missing).
std::vector<ImportOutcome> importThemes(Files& files, const std::string& library,
                                        const std::vector<std::string>& paths, const ReplaceQuestion& mayReplace,
                                        std::chrono::milliseconds patience = kImportPatience);

}  // namespace lumaset
