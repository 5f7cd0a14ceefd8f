// Hiding or replacing the host's startup texts: the system appends one block of its own
// lines, framed by marker lines, to the host's UTF-16LE language file, always starting
// again from the backed-up copy; restoring puts that copy back.
#pragma once
#include <string>
#include <vector>

#include "app/run_state.h"

namespace lumaset {

// CR LF "//Lumaset v1.0---" CR LF, and CR LF CR LF "//Lum_End---", in UTF-16LE.
const Bytes& openingBlock();
const Bytes& closingBlock();

// The keys "$$$/private/Credits/RotatingNames/..." that a language file defines, in file
// order, each once.
std::vector<std::string> rotatingNameKeys(const Bytes& languageFile);

// The block that gives every startup text an empty value; its rotating-name lines are
// those of `languageFile`, so that it fits the host it is appended to.
Bytes blankStartupTextBlock(const Bytes& languageFile);

// Restore (textFile ignored), hide (empty textFile) or replace with a theme's text file.
// Returns false when a message with the caption "错误" was shown.
bool setStartupText(Context& ctx, const std::string& textFile, bool restoreDefault);

}  // namespace lumaset
