// lumaset-cli: a front end over the same core as the window, for scripting, for hosts
// that run under wine, and for tests.
//   lumaset-cli [--home DIR] [--json] COMMAND ...
// Exit status: 0, 1 when a message box with the error icon or the caption "错误" was
// shown (or the command itself failed), 2 for a usage error.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "cli/output.h"
#include "platform/files.h"

namespace lumaset::cli {

int runCli(const std::vector<std::string>& args, Files& files, Output& out, Output& err);
// The same over stdio streams, written byte for byte (POSIX's entry, and the tests).
int runCli(const std::vector<std::string>& args, Files& files, std::FILE* out, std::FILE* err);

}  // namespace lumaset::cli
