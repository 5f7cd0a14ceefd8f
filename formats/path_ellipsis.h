// A path shortened at its start to fit a box: whole parts are dropped at the left behind
// "…", so a box shows the end of a path (its file or its last folders) and never a part
// cut in the middle of a word, unless the last part alone does not fit.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace lumaset {

// The path (UTF-8) itself when `fits` takes it; else "…" and the longest end of it that
// begins at a separator and fits; else "…" and as many of the last characters as fit
// (whole UTF-8 characters); "…" alone when not even one does.
std::string pathEndThatFits(const std::string& path, std::string_view separators,
                            const std::function<bool(const std::string&)>& fits);

}  // namespace lumaset
