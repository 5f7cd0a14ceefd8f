// The English texts of the window and the command line other than the reports'
// (messages/texts.h), in the order of `Text`.
#include "messages/texts.h"

namespace lumaset::en {
namespace {

constexpr TextRow kTexts[] = {
    {Text::Working, "Changing Photoshop's files, please wait…"},
    {Text::ProcessedKb, "Done %.0f / %.0f KB"},
    {Text::ProcessedSmallMb, "Done %.1f / %.1f MB"},
    {Text::ProcessedMb, "Done %.0f / %.0f MB"},
    {Text::PathLabel, "Ps path:"},
    {Text::BackupLink, "Backup"},
    {Text::HideStartupText, "Hide startup text"},
    {Text::TemplateLink, "Template"},
    {Text::HelpLink, "Help"},
    {Text::AuthorLabel, "By:"},
    {Text::CreditLabel, "Credit:"},
    {Text::SplashLabel, "Splash:"},
    {Text::LightLabel, "Light icon:"},
    {Text::DarkLabel, "Dark icon:"},
    {Text::Splash2xLabel, "Splash @2x:"},
    {Text::Light2xLabel, "Light icon @2x:"},
    {Text::Dark2xLabel, "Dark icon @2x:"},
    {Text::Badge1xTip, "This theme has a splash image at @1x size"},
    {Text::Badge2xTip,
     "This theme has a splash image at @2x size, which Photoshop shows on high-resolution screens with its UI at "
     "200%"},
    {Text::BadgeTextTip, "This theme has its own startup text"},
    {Text::BackupTip,
     "Create a backup of this Photoshop (the first apply of a theme also creates it).\r\nClick here after an update "
     "of Photoshop to renew the backup from the updated files; a theme that Lumaset put in is never taken for the "
     "original."},
    {Text::MenuAddTheme, "Add a theme"},
    {Text::MenuOpenLibrary, "Open the theme folder"},
    {Text::MenuMoreThemes, "Get more themes..."},
    {Text::ThemeBoxPlaceholder, "Choose a theme"},
    {Text::CurrentOriginal, "Now: original"},
    {Text::CurrentTheme, "Now: {1}"},
    {Text::CurrentCustom, "Now: custom images"},
    {Text::CurrentUnknown, "Now: unknown"},
    {Text::HostLacksImages, " (this Photoshop has no {1})"},
    {Text::PickImageTitle, "Choose an image"},
    {Text::PickImageFilter, "PNG images|*.png"},
    {Text::InternalErrorStopped, "Lumaset met an internal error and has stopped"},
    {Text::InternalErrorStep, "Lumaset met an internal error; this step was not done"},
    {Text::ErrorCaption, "Error"},
    {Text::GuideFile, "Guide.txt"},
    {Text::LookNoHost, "No Photoshop chosen yet (click the folder button beside \"Ps path\" to choose Photoshop.exe)"},
    {Text::LookCurrent, "The present splash of this Photoshop"},
    {Text::LookDefaultBackedUp, "Photoshop's default splash (the backed-up one)"},
    {Text::LookDefaultNotBackedUp, "Photoshop's default splash (no backup yet: the present one)"},
    {Text::LookCustom, "Custom images: an image not chosen stays Photoshop's default"},
    {Text::FirstStart,
     "Lumaset needs to know where Photoshop is installed: please choose Photoshop.exe in the window that follows."},
    {Text::FirstStartFound, "\r\nPhotoshop found: {1}\r\nThe window opens in this folder; just confirm it."},
    {Text::FindHostCaption, "Find Photoshop"},
    {Text::FindHostTitle, "Where is Photoshop"},
    {Text::ImportCaption, "Add a theme"},
    {Text::ImportCopyCaption, "Copy error"},
    {Text::ImportErrorCode, "Error code: {1}"},
    {Text::ImportErrorCodeNote, " (error code: {1})"},
    {Text::ImportSkipped, "\r\nThese links or special files were not copied:"},
    {Text::ImportSkippedCount, "\r\n  … {1} in all"},
    {Text::ImportAdded, "Theme added: {1}\r\n{2}"},
    {Text::ImportMerged, "Theme added: {1}\r\n{2}\r\n(merged into the theme of the same name)"},
    {Text::ImportDeclined, "Theme not added: {1}\r\nThe theme library already has a theme \"{2}\"; nothing changed"},
    {Text::ImportNotATheme, "Not a theme: {1}\r\nA theme needs info.ini and loading_low.png"},
    {Text::ImportImageNotPng, "Theme not added: {1}\r\nThe theme's {2} is not a valid PNG image file"},
    {Text::ImportUnsupported, "Unsupported file type: {1}\r\nOnly zip theme packages and theme folders can be added"},
    {Text::ImportUnreadable, "Not found or unreadable: {1}"},
    {Text::ImportBadName, "Invalid theme package name: {1}"},
    {Text::ImportInsideLibrary,
     "The theme library itself, a folder in it or a folder that holds it cannot be added as a theme: {1}"},
    {Text::ImportTooLarge,
     "The theme is too large and was not added: {1}\r\nAt most 64 MB, 10000 files, 16 folder levels"},
    {Text::ImportBusy, "Another import of themes has not ended yet; please try again later: {1}"},
    {Text::ImportLibraryFailed, "Cannot write the theme library; not added: {1}"},
    {Text::ImportPackageFailed, "Unpacking the theme package failed: {1}"},
    {Text::ImportCopyFailed, "Copying the theme package failed: {1}"},
    {Text::ImportReplaceQuestion,
     "The theme library already has a theme \"{1}\".\r\nMerge the new files into it? Files of the same name are "
     "replaced, the others kept."},
};
static_assert(textsInOrder(kTexts), "an English text is missing or out of the order of Text");

}  // namespace

const char* text(Text id) { return kTexts[static_cast<int>(id)].text; }

}  // namespace lumaset::en
