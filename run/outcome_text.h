// An outcome as text, for a program that runs an operation for another one: the elevated
// worker writes the outcome of its operation to a file, and the window that started it
// reads it back and shows it as its own when it carries the window's random token.
#pragma once
#include <optional>
#include <string>

#include "run/outcome.h"

namespace lumaset {

// The header, the `token` (the random value of the worker's command line), one line for
// the status and one for each report; paths and details are escaped, so that any text
// survives.
std::string outcomeText(const Outcome& outcome, const std::string& token);

// The outcome the text holds; nothing when it is not one (cut short, of another format,
// naming a message this build does not know) or carries another token than `token`.
std::optional<Outcome> outcomeFromText(const std::string& text, const std::string& token);

}  // namespace lumaset
