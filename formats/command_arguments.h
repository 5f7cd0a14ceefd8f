// Splits a command's arguments into positional words and --options with values.
#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace lumaset {

struct Arguments {
  std::vector<std::string> words;
  std::map<std::string, std::string> options;  // option -> value ("" for a flag)
  std::string error;                           // set when the words do not parse

  bool has(const std::string& name) const { return options.count(name) != 0; }
  std::optional<std::string> value(const std::string& name) const {
    auto it = options.find(name);
    if (it == options.end()) return std::nullopt;
    return it->second;
  }
};

// `valued` lists the options that take a value, `flags` those that do not; "--" ends the
// options.
Arguments parseArguments(const std::vector<std::string>& args, const std::set<std::string>& valued,
                         const std::set<std::string>& flags);

}  // namespace lumaset
