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

}  // namespace lumaset
