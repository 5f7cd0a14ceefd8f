// Unpacking a theme package into a folder: every member is read and checked into a
// staging folder beside the target first, and merged into the target (replacing files
// of the same name, keeping others) only when the whole archive has passed, so that a
// package that fails leaves the library as it was.
#pragma once
#include <string>

#include "formats/zip_archive.h"
#include "platform/files.h"

namespace lumaset {

// kZipOk on success, else the failure (formats/zip_archive.h).
ZipResult unzipInto(Files& files, const std::string& archive, const std::string& targetFolder);

}  // namespace lumaset
