#include "formats/command_arguments.h"

namespace lumaset {

Arguments parseArguments(const std::vector<std::string>& args, const std::set<std::string>& valued,
                         const std::set<std::string>& flags) {
  Arguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // After "--" every argument is a word, one that begins with "-" too (a theme's name).
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      parsed.words.push_back(arg);
    } else if (flags.count(arg)) {
      parsed.options[arg] = "";
    } else if (valued.count(arg)) {
      if (i + 1 >= args.size()) {
        parsed.error = arg + " needs a value";
        return parsed;
      }
      parsed.options[arg] = args[++i];
    } else {
      parsed.error = "unknown option " + arg;
      return parsed;
    }
  }
  return parsed;
}

}  // namespace lumaset
