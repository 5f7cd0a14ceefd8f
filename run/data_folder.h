// Where the program keeps what it writes of its own: setting.ini and the theme library.
// That is the program folder when this user can write it, else the user's own data folder
// (a program unpacked under C:\Program Files, or started from inside a zip). The themes
// that ship in the program folder stay listed from there either way.
#pragma once
#include <string>

#include "platform/files.h"

namespace lumaset {

struct DataFolder {
  std::string folder;       // without trailing separator
  bool apart = false;       // the user's data folder, not the program folder
  bool madeNow = false;     // made by this call: the first run that keeps its data apart
};

// Chooses the folder and, when it is the user's, makes it and its theme library. The
// program folder is kept when it is not there yet, and when no user folder is known or it
// cannot be made: writes then fail and are told as before.
DataFolder chooseDataFolder(Files& files, const std::string& programFolder);

}  // namespace lumaset
