#include "cli/cli.h"
#include "platform/system.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  auto files = lumaset::makeSystemFiles();
  return lumaset::cli::runCli(args, *files, stdout, stderr);
}
