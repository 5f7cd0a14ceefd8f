// Just enough JSON for the command line's one-line records.
#pragma once
#include <string>

namespace lumaset::cli {

std::string jsonString(const std::string& text);
inline std::string jsonBool(bool value) { return value ? "true" : "false"; }

}  // namespace lumaset::cli
