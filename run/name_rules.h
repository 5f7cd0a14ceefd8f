// Rules for names and paths that come from outside the program (the file name of a
// theme package, a dropped folder, the values kept in setting.ini) before any path is
// built from them: a name must stay one entry of its folder, a stored folder must be a
// whole path of its own.
#pragma once
#include <string>

#include "formats/windows_names.h"  // isPlainName

namespace lumaset {

// An absolute path in the convention of `sep`: a drive ("C:\") or a network share
// ("\\server\share") for '\\', a leading '/' for '/'; no part of it "." or "..", and on
// Windows no part holding a character that Windows forbids in names.
bool isAbsolutePath(const std::string& path, char sep);

// The path up to and including its first part whose name ends in a dot or a space ("."
// and ".." aside), or empty when none does. Windows drops those endings when it resolves
// a path, so "D:\PS..\" is "D:\PS\": under wine a POSIX folder "PS.." is another
// folder than "PS", yet Windows programs reach "PS" through it. Both builds hold this,
// since the native command line works on wine prefixes too.
std::string partWindowsRenames(const std::string& path, char sep);

// Whether the absolute path `path` is `folder` or lies below it, part by part (empty parts
// aside; on Windows, whose names ignore ASCII case, without regard to it). Neither path
// may hold "." or ".." parts: isAbsolutePath refuses those first.
bool isWithinFolder(const std::string& path, const std::string& folder, char sep);

}  // namespace lumaset
