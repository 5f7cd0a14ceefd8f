#include "cli/cli.h"
#include "platform/system.h"
#include "platform/win32_console.h"
#include "platform/win32_dll_search.h"
#include "platform/win32_text.h"

namespace {

// Standard output or error as the command line's Output: a console through its wide
// API, a file or a pipe byte for byte (platform/win32_console.h).
class StandardOutput : public lumaset::cli::Output {
 public:
  explicit StandardOutput(lumaset::win32::StandardStream::Which which) : stream_(which) {}
  void write(std::string_view text) override { stream_.write(text); }
  void flush() override { stream_.flush(); }

 private:
  lumaset::win32::StandardStream stream_;
};

}  // namespace

// Arguments arrive as UTF-16 and are handed on as UTF-8; the output is UTF-8 text, which
// a console is given as UTF-16 and a file or a pipe as the bytes themselves, so that a
// message's own CR LF reaches the reader as it is. The console's code page is not changed.
int wmain(int argc, wchar_t** argv) {
  lumaset::win32::searchDllsInSystemFolderOnly();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(lumaset::fromWide(argv[i]));
  auto files = lumaset::makeSystemFiles();
  StandardOutput out(lumaset::win32::StandardStream::Which::Output);
  StandardOutput err(lumaset::win32::StandardStream::Which::Error);
  const int status = lumaset::cli::runCli(args, *files, out, err);
  out.flush();
  err.flush();
  return status;
}
