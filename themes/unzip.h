// Unpacking a theme package into an empty staging folder: the whole archive is listed
// and checked first, then every member is written, without waiting for the disk (the
// caller puts the finished folder in place and on disk at once).
#pragma once
#include <string>

#include "formats/zip_archive.h"
#include "platform/files.h"

namespace lumaset {

// kZipOk on success, else the failure (formats/zip_archive.h). A package that is no
// regular file, or too large to be a theme, is refused before it is read.
ZipResult unpackPackage(Files& files, const std::string& archive, const std::string& folder);

}  // namespace lumaset
