// Bringing a theme into the library: a zip package (chosen in a dialog or dropped on the
// window) is unpacked into a folder named after it; a dropped folder is copied in.
#pragma once
#include <string>

#include "app/run_state.h"

namespace lumaset {

// The parts of a path: F after the last separator, B that without its last extension,
// X the text after the last full stop of the whole path.
struct PathParts {
  std::string file, base, extension;
};
PathParts pathParts(const std::string& path, char sep);

// "添加主题": asks for a zip file and unpacks it. True when a theme was added (the caller
// then fills the theme list anew).
bool importThemePackage(Context& ctx);
// A dropped path: a folder is copied, a file whose extension is zip (any case) unpacked,
// anything else ignored. True when the theme list is to be filled anew.
bool importDroppedItem(Context& ctx, const std::string& path);
// Unpacks the package at `path` into the library; shows the result. A package or a
// dropped folder whose name cannot be one plain folder of the library is refused with
// "主题包名称无效：" and changes nothing.
bool unpackThemePackage(Context& ctx, const std::string& path);

}  // namespace lumaset
