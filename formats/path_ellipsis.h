// A path shortened at its start to fit a box: whole parts are dropped at the left behind
// "…", so a box shows the end of a path (its file or its last folders) and never a part
// cut in the middle of a word, unless the last part alone does not fit.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumaset {

// The path (UTF-8) itself when `fits` takes it; else "…" and the longest end of it that
// begins at a separator and fits; else "…" and as many of the last characters as fit
// (whole UTF-8 characters); "…" alone when not even one does.
std::string pathEndThatFits(const std::string& path, std::string_view separators,
                            const std::function<bool(const std::string&)>& fits);

// The path's end in a box's lines, its last part whole: one line while pathEndThatFits
// keeps the last part whole; else, when the box has `twoLines`, the last part broken at
// its last space that lets the first line fit, the first line led by "…" and what fits of
// the parts before, or by nothing where "…" does not fit; empty when neither shows the
// last part whole.
std::vector<std::string> pathEndLines(const std::string& path, std::string_view separators, bool twoLines,
                                      const std::function<bool(const std::string&)>& fits);

}  // namespace lumaset
