// Just enough JSON for the command line's one-line records.
#pragma once
#include <string>
#include <vector>

#include "formats/bytes.h"

namespace lumaset::cli {

// A JSON string; bytes that are not valid UTF-8 become \u00XX escapes of their value.
std::string jsonString(const std::string& text);
// Lower-case hexadecimal digits of the bytes (formats/bytes.h).
using lumaset::hexText;
inline std::string jsonBool(bool value) { return value ? "true" : "false"; }
// A JSON array of strings.
std::string jsonStrings(const std::vector<std::string>& texts);

}  // namespace lumaset::cli
