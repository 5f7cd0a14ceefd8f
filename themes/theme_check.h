// What a theme author needs to know of a theme folder before shipping it: the parts the
// program requires, the images' structure and sizes, the encodings of its texts, and
// how its startup text will be used. Findings are values; the command line prints them.
#pragma once
#include <string>
#include <vector>

#include "run/run_state.h"

namespace lumaset {

enum class FindingLevel { Note, Warning, Error };

// What a finding says; its words, with `args` filled in ({1}, {2}, {3}), are the front
// end's in its language (messages/texts.h, `findingText`).
enum class FindingId {
  NoThemeFolder,       // {1}: the folder
  RequiredFileMissing, // {1}: info.ini or loading_low.png
  ImageMissing,        // {1}: the image file
  EncodingUtf16LeBom,  // {1}: the file, for each encoding
  EncodingUtf16BeBom,
  EncodingUtf8Bom,
  EncodingUtf16Le,
  EncodingUtf8,
  EncodingGbk,
  NoDescription,       // {1}: info.ini, {2}: its section
  Description,         // {1}: the description
  LoadtextDoesNothing, // {1}: its value
  NotASoundPng,        // {1}: the image file
  SizeNotTheGuides,    // {1}: the image file, {2}: its size, {3}: the guide's
  NotForThisHost,      // {1}: the image file, {2}: the resource the host lacks
  IntoTheOneIcon,      // {1}: the image file, {2}: the host's one app-bar icon
  SizeNotTheHosts,     // {1}: the image file, {2}: its size, {3}: the host's
  MarkerWithoutText,   // {1}: the marker file, {2}: word.text
  TextLineForm,        // {1}: word.text, {2}: the line's number, {3}: the line
  NoMarker,            // {1}: the marker file
  TextNotForThisHost,  // {1}: word.text
  TextHowApplied,      // {1}: word.text
};

struct Finding {
  FindingLevel level;
  FindingId id;
  std::vector<std::string> args;
};

struct ThemeCheck {
  std::vector<Finding> findings;
  // A required part is missing or broken: the theme would not show or not apply.
  bool broken() const;
};

// The sizes the template's guide gives: splash 838 × 506 and 1676 × 1012, icons 32 × 32
// and 64 × 64. With a located host, each image is also held against the size of the
// host's own image for that resource (from the backup index where there is one).
ThemeCheck checkThemeFolder(Context& ctx, const std::string& folder);

}  // namespace lumaset
