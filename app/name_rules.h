// Rules for names and paths that come from outside the program (the file name of a
// theme package, a dropped folder, the values kept in setting.ini) before any path is
// built from them: a name must stay one entry of its folder, a stored folder must be a
// whole path of its own.
#pragma once
#include <string>

namespace lumaset {

// One file or folder name that Windows accepts as it is: not empty, not "." or "..", no
// separator, no character Windows forbids in names, no trailing dot or space, and not a
// reserved device name (CON, PRN, AUX, NUL, COM0–COM9, LPT0–LPT9, also with the
// superscript digits ¹²³, CONIN$, CONOUT$), with or without an extension.
bool isPlainName(const std::string& name);

// An absolute path in the convention of `sep`: a drive ("C:\") or a network share
// ("\\server\share") for '\\', a leading '/' for '/'; no part of it "." or "..", and on
// Windows no part holding a character that Windows forbids in names.
bool isAbsolutePath(const std::string& path, char sep);

}  // namespace lumaset
