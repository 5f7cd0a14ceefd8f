// Reads the ProductVersion string out of a PE file's version resource, from its bytes.
// Written here because the PE library Debian ships (LIEF 0.9) reads only the first
// string table of a version resource and throws on a resource without a translation
// list, and Windows' own answer depends on both. Used by both platforms (the Windows
// build imports no version.dll, which is no KnownDLL); a test under wine holds it to
// version.dll's answer.
#pragma once
#include <string>

#include "formats/bytes.h"

namespace lumaset {

// The ProductVersion of the string table of the first translation listed under
// \VarFileInfo\Translation, or of "040904E4" when none is listed; empty when the file
// is no PE file, has no version resource, or the table or value is missing.
std::string peProductVersion(const Bytes& file);

}  // namespace lumaset
