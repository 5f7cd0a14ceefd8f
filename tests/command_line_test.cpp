// Arguments joined into a Windows command line come back whole when the started program
// splits it as the C runtime does.
#include <gtest/gtest.h>

#include "formats/command_line.h"

namespace lumaset {
namespace {

// The C runtime's splitting (the rules of CommandLineToArgvW for every argument after
// the program's name), written out here to check the joining against.
std::vector<std::string> splitAsWindowsDoes(const std::string& line) {
  std::vector<std::string> args;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size()) break;
    std::string arg;
    bool quoted = false;
    for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i) {
      std::size_t backslashes = 0;
      while (i < line.size() && line[i] == '\\') ++backslashes, ++i;
      if (i < line.size() && line[i] == '"') {
        arg.append(backslashes / 2, '\\');
        if (backslashes % 2) {
          arg += '"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          arg += '"';
          ++i;
        } else {
          quoted = !quoted;
        }
      } else {
        arg.append(backslashes, '\\');
        if (i == line.size()) break;
        if (!quoted && (line[i] == ' ' || line[i] == '\t')) break;
        arg += line[i];
      }
    }
    args.push_back(arg);
  }
  return args;
}

TEST(CommandLine, EveryArgumentComesBackWhole) {
  const std::vector<std::string> args = {"--home",
                                         "C:\\Program Files\\Lumaset",
                                         "C:\\Users\\张三\\AppData\\Local\\Temp\\",
                                         "",
                                         "say \"hi\"",
                                         "ends\\",
                                         "a\\\\\"b",
                                         "tab\there",
                                         "[默认]",
                                         "plain"};
  EXPECT_EQ(splitAsWindowsDoes(windowsCommandLine(args)), args);
}

TEST(CommandLine, PlainArgumentsStayUnquoted) {
  EXPECT_EQ(windowsCommandLine({"apply", "--hide-text", "on"}), "apply --hide-text on");
  EXPECT_EQ(windowsCommandLine({"C:\\a b\\", "x"}), "\"C:\\a b\\\\\" x");
  EXPECT_EQ(windowsCommandLine({""}), "\"\"");
}

}  // namespace
}  // namespace lumaset
