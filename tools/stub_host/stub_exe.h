// A stand-in for the host's executable, written byte by byte: a minimal 64-bit Windows
// program (PE32+) that only returns 0, whose one resource is the version resource the
// tests choose. Both version readers (formats/pe_version.h and Windows' version.dll) read
// it as they read an executable that a resource compiler and linker made.
#pragma once
#include <string>

#include "formats/bytes.h"

namespace lumaset::tools {

struct StubVersion {
  // The ProductVersion of the string table the translation names; empty: the program has
  // no version resource (only a string table resource).
  std::string productVersion;
  // Four hex digits each, as in the string table's name ("0409", "04b0"). Empty: no
  // translation list, and the table is named "040904E4", the name a reader then assumes.
  std::string language;
  std::string codepage;
};

// The whole executable. Beside the chosen table, the string table "040704b0" holds a
// decoy ProductVersion "0.1-decoy" that a reader taking the wrong table would return.
Bytes stubExecutable(const StubVersion& version);

}  // namespace lumaset::tools
