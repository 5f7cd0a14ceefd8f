// What Windows accepts as one file or folder name. Names that come from outside (a theme
// package's members, its file name, a dropped folder) pass this before a path is built.
#pragma once
#include <string>

namespace lumaset {

// A character that Windows forbids in a name (controls, <>:"/\|?*).
bool forbiddenInWindowsName(char c);

// A reserved device name (CON, PRN, AUX, NUL, COM0–COM9, LPT0–LPT9, also with the
// superscript digits ¹²³, CONIN$, CONOUT$), with or without an extension.
bool isDeviceName(const std::string& name);

// Whether the name ends in a dot or a space, which Windows drops when it resolves a path
// ("C:\PS..\x" is "C:\PS\x"): such a name stands for another one.
bool endsInDotOrSpace(const std::string& name);

// One name that Windows holds as it is: not empty, not "." or "..", no separator, no
// forbidden character, no trailing dot or space, and not a device name.
bool isPlainName(const std::string& name);

}  // namespace lumaset
