// The catalogue of every text the program shows, one folder per language: messages/zh/
// and messages/en/, each with reports.cpp and texts.cpp. Each language holds the message of every report
// (`MessageId`, with its caption and icon) and every other text of the window and the
// command line (`Text`: labels, tooltips, the theme menu, captions, dialog titles, the
// progress window, the import's messages, the checks of a theme folder). Each file's
// switches name every id, so an id added without its text in both languages does not
// compile (-Wswitch, an error in CI), and tests/texts_test.cpp checks every id of both.
#pragma once
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "messages/language.h"
#include "platform/interaction.h"
#include "run/outcome.h"

namespace lumaset {

struct Message {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::None;
  bool operator==(const Message&) const = default;
};

// The last id of MessageId (ids count from 0 without gaps); a new id goes before it.
inline constexpr MessageId kLastMessageId = MessageId::Applied;

// Texts other than the reports'. "{1}", "{2}", ... stand for what `textWith` puts in.
enum class Text {
  // The progress window.
  Working,
  ProcessedKb,       // printf form: done, total
  ProcessedSmallMb,  // printf form: done, total (one decimal)
  ProcessedMb,       // printf form: done, total
  // The main window's frame and pages.
  PathLabel,
  BackupLink,
  HideStartupText,
  TemplateLink,
  HelpLink,
  AuthorLabel,
  CreditLabel,
  SplashLabel,
  LightLabel,
  DarkLabel,
  Splash2xLabel,
  Light2xLabel,
  Dark2xLabel,
  Badge1xTip,
  Badge2xTip,
  BadgeTextTip,
  BackupTip,
  MenuAddTheme,
  MenuOpenLibrary,
  MenuMoreThemes,
  ThemeBoxPlaceholder,
  CurrentOriginal,
  CurrentTheme,  // {1}: the theme
  CurrentCustom,
  CurrentUnknown,
  HostLacksImages,  // {1}: the resource names
  PickImageTitle,
  PickImageFilter,
  InternalErrorStopped,
  InternalErrorStep,
  ErrorCaption,
  GuideFile,  // the guide beside the program
  // The descriptions of the built-in entries' looks.
  LookNoHost,
  LookCurrent,
  LookDefaultBackedUp,
  LookDefaultNotBackedUp,
  LookCustom,
  // The location's dialogs.
  FirstStart,       // what the first start needs
  FirstStartFound,  // {1}: the folder found
  FindHostCaption,
  FindHostTitle,
  // The import.
  ImportCaption,
  ImportCopyCaption,
  ImportErrorCode,      // {1}: the unpacking's code
  ImportErrorCodeNote,  // {1}: likewise, after an item's text
  ImportSkipped,
  ImportSkippedCount,     // {1}: how many
  ImportAdded,            // {1}: item, {2}: the theme folder
  ImportMerged,           // {1}: item, {2}: the theme folder
  ImportDeclined,         // {1}: item, {2}: theme
  ImportNotATheme,        // {1}: item
  ImportImageNotPng,      // {1}: item, {2}: image
  ImportUnsupported,      // {1}: item
  ImportUnreadable,       // {1}: item
  ImportBadName,          // {1}: item
  ImportInsideLibrary,    // {1}: item
  ImportTooLarge,         // {1}: item
  ImportBusy,             // {1}: item
  ImportLibraryFailed,    // {1}: item
  ImportPackageFailed,    // {1}: the package
  ImportCopyFailed,       // {1}: the package
  ImportReplaceQuestion,  // {1}: theme
  // The findings of a theme folder's check, in the order of FindingId (themes/theme_check.h).
  FindingNoThemeFolder,
  FindingRequiredFileMissing,
  FindingImageMissing,
  FindingEncodingUtf16LeBom,
  FindingEncodingUtf16BeBom,
  FindingEncodingUtf8Bom,
  FindingEncodingUtf16Le,
  FindingEncodingUtf8,
  FindingEncodingGbk,
  FindingNoDescription,
  FindingDescription,
  FindingLoadtextDoesNothing,
  FindingNotASoundPng,
  FindingSizeNotTheGuides,
  FindingNotForThisHost,
  FindingIntoTheOneIcon,
  FindingSizeNotTheHosts,
  FindingTextLineForm,
  FindingObsoleteMarker,
  FindingNoText,
  FindingCarriesText,
  FindingTextWithLoadtext,
  FindingTextWithoutLoadtext,
  FindingNoHostLocated,
  FindingTextNotForThisHost,
  FindingTextNotForLaterRelease,
  FindingTextForThisHost,
  // The author commands: the words of the levels, pack's lines.
  CheckOk,
  CheckWarning,
  CheckError,
  PackRefused,
  PackLeftOut,
  PackCannotWrite,
  Packed,
  // The command line's sentences (its records' field names stay the same in both).
  CliNoFile,
  CliNoChineseFolder,
  CliIndexTooLarge,
  CliNotAnIndex,
  CliNoCurrentIndex,
  CliNoBackupIndex,
  CliNoImageNamed,
  CliCannotWriteInto,
  CliResultFile,
  CliDataApart,
  CliLocationUnsound,
  CliUnknownCommand,
  CliResultTogether,
  CliLanguageWord,
  CliInternalError,
  CliInternalErrorUnknown,
  CliReplaceNote,
  CliNoHostFound,
  CliNoHostFoundInPrefix,
  CliOpenFolder,
  CliOpenWebPage,
  CliOpenTextFile,
  CliHostNoExe,       // {1}: the folder
  CliHostUnworkable,  // {1}: the folder
  HostMenuBrowse,     // the host menu's item that opens the dialog
  Count               // not a text: the number of texts
};

// A language's texts, in the order of `Text`: a table that misses a text, or holds one
// out of place, does not compile.
struct TextRow {
  Text id;
  const char* text;
};
template <std::size_t N>
constexpr bool textsInOrder(const TextRow (&rows)[N]) {
  if (N != static_cast<std::size_t>(Text::Count)) return false;
  for (std::size_t i = 0; i < N; ++i) {
    if (rows[i].id != static_cast<Text>(i) || rows[i].text == nullptr || rows[i].text[0] == '\0') return false;
  }
  return true;
}

// The message of a report, and a text, in the given language or in the process's.
Message messageIn(Language language, const Report& report);
const char* textIn(Language language, Text id);
inline const char* text(Text id) { return textIn(language(), id); }
// The text with "{1}", "{2}", ... replaced by `args` in order.
std::string textWith(Text id, std::initializer_list<std::string_view> args);

namespace zh {
Message messageFor(const Report& report);
const char* text(Text id);
}  // namespace zh
namespace en {
Message messageFor(const Report& report);
const char* text(Text id);
}  // namespace en

}  // namespace lumaset
