// Arguments joined into one Windows command line, quoted so that the started program's
// C runtime (or CommandLineToArgvW) splits them back into exactly the same texts: a path
// with spaces, quotes or trailing backslashes arrives whole.
#pragma once
#include <string>
#include <vector>

namespace lumaset {

std::string windowsCommandLine(const std::vector<std::string>& arguments);

}  // namespace lumaset
