// Hiding or replacing the host's startup texts: the system appends one block of its own
// lines, framed by marker lines, to the host's UTF-16LE language file, always starting
// again from the backed-up copy; restoring puts that copy back.
#pragma once
#include <string>
#include <vector>

#include "backup/edit_session.h"
#include "backup/host_verdict.h"
#include "run/run_state.h"

namespace lumaset {

// CR LF, the marker line, CR LF; and CR LF CR LF, the end line (both texts in
// formats/startup_text_marker.h); in UTF-16LE.
const Bytes& openingBlock();
const Bytes& closingBlock();

// The keys "$$$/private/Credits/RotatingNames/..." that a language file defines, in file
// order, each once.
std::vector<std::string> rotatingNameKeys(const Bytes& languageFile);

// The block that gives every startup text an empty value; its rotating-name lines are
// those of `languageFile`, so that it fits the host it is appended to.
Bytes blankStartupTextBlock(const Bytes& languageFile);

enum class StartupTextMode { Restore, Hide, Replace };

// The language file put back from its backup (`verdict` is its state before the edit
// began) and then, to hide or replace, the block appended on hosts below version 18.
// `themeText` holds the bytes of a theme's word.text for Replace. Notes the change in the
// record (the caller saves it).
Outcome setStartupText(EditSession& s, Verdict verdict, StartupTextMode mode, const Bytes& themeText);

}  // namespace lumaset
