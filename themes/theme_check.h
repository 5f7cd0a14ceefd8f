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
  NoThemeFolder,
  RequiredFileMissing,
  ImageMissing,
  EncodingUtf16LeBom,
  EncodingUtf16BeBom,
  EncodingUtf8Bom,
  EncodingUtf16Le,
  EncodingUtf8,
  EncodingGbk,
  NoDescription,
  Description,
  LoadtextDoesNothing,
  NotASoundPng,
  SizeNotTheGuides,
  NotForThisHost,
  IntoTheOneIcon,
  SizeNotTheHosts,
  TextLineForm,
  ObsoleteMarker,
  NoText,
  CarriesText,
  TextWithLoadtext,
  TextWithoutLoadtext,
  NoHostLocated,
  TextNotForThisHost,
  TextNotForLaterRelease,
  TextForThisHost,
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
