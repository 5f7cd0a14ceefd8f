#include <windows.h>

#include "cli/cli.h"
#include "platform/system.h"
#include "platform/win32_text.h"

// Arguments arrive as UTF-16 and are handed on as UTF-8; output is UTF-8 bytes.
int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(lumaset::fromUtf16(argv[i]));
  auto files = lumaset::makeSystemFiles();
  return lumaset::cli::runCli(args, *files, stdout, stderr);
}
