// An outcome as text, for a program that runs an operation for another one: the elevated
// worker writes the outcome of its operation to a file, and the window that started it
// reads it back and shows it as its own.
#pragma once
#include <optional>
#include <string>

#include "run/outcome.h"

namespace lumaset {

// One line for the status and one for each report; paths and details are escaped, so
// that any text survives.
std::string outcomeText(const Outcome& outcome);

// The outcome the text holds; nothing when it is not one (cut short, of another format,
// naming a message this build does not know).
std::optional<Outcome> outcomeFromText(const std::string& text);

}  // namespace lumaset
