#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "cli/cli.h"
#include "platform/system.h"
#include "platform/win32_dll_search.h"
#include "platform/win32_text.h"

// Arguments arrive as UTF-16 and are handed on as UTF-8; output is UTF-8 bytes, written
// unchanged (binary mode), so that a message's own CR LF reaches the reader as it is.
int wmain(int argc, wchar_t** argv) {
  lumaset::win32::searchDllsInSystemFolderOnly();
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(lumaset::fromWide(argv[i]));
  auto files = lumaset::makeSystemFiles();
  return lumaset::cli::runCli(args, *files, stdout, stderr);
}
