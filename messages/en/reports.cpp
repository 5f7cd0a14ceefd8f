// The English message of every report (messages/texts.h), in the order of the Chinese file.
#include "messages/report_groups.h"
#include "run/host_discovery.h"

namespace lumaset::en {
namespace {

constexpr const char* kError = "Error";
constexpr const char* kInfo = "Lumaset";
constexpr const char* kApply = "Apply";
constexpr const char* kBackup = "Backup";
constexpr const char* kInvalidPath = "Invalid path";
constexpr const char* kNoLanguageFile =
    "This Photoshop has no Chinese language file: the startup text will not be changed";

Message error(std::string text) { return {std::move(text), kError, MessageIcon::Error}; }
Message plainError(std::string text) { return {std::move(text), kError, MessageIcon::None}; }
Message info(std::string text, const char* caption = kInfo) { return {std::move(text), caption}; }

std::string hostFolders(const std::string& host) { return host + "Locales\r\n" + host + "Resources"; }

Message programFileMessage(const Report& r) {
  switch (r.id) {
    case MessageId::SettingsNotSaved:
      return error("Cannot save the settings: " + r.path +
                   "\r\nLumaset's folder cannot be written (it lies under C:\\Program Files, for example), or another "
                   "program holds the settings file. This run still uses the chosen Photoshop, but the next start "
                   "will ask for it again.\r\nMove the whole Lumaset folder to a place that can be written (for "
                   "example D:\\Tools\\Lumaset or your Documents folder) and start it there.");
    case MessageId::DataKeptApart:
      return info(
          "Lumaset's folder cannot be written (it lies under C:\\Program Files, for example); the settings "
          "and the themes you add are kept in:\r\n" +
          r.path + "\r\nThe themes that came with the program can still be used.");
    case MessageId::GuideNotOpened:
      return info("Cannot open the guide; please open it with Notepad or another text editor:\r\n" + r.path);
    case MessageId::GuideMissing:
      return info("The guide is missing: " + r.path +
                  "\r\nIt belongs in the folder of lumaset.exe (the release zip holds them together); please unpack "
                  "Lumaset again.");
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

Message indexMessage(const Report& r) {
  switch (r.id) {
    case MessageId::IndexEmpty:
      return plainError(
          "The index read has a length of 0, most likely for want of rights; please run Lumaset as "
          "administrator");
    case MessageId::IndexFourPackLength:
      return info("Wrong index length_nc368");
    case MessageId::HostIndexDamagedAdvice:
      return info("Photoshop's icon index is damaged: " + r.path +
                  "\r\nApplying \"[默认]\" (Default) puts it back "
                  "from the backup.");
    case MessageId::IndexTwoPackLength:
      return info("Wrong index length_nc208: " + r.detail);
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

Message locationMessage(const Report& r) {
  switch (r.id) {
    case MessageId::VersionSupported:
      return info("The chosen Photoshop is version " + r.detail +
                      ".\r\nLumaset changes the splash image and the icons of every release from 16 (CC 2015) on; "
                      "the startup text only of releases below 18 (CC 2015, 16.x).\r\nYou can use it on your "
                      "Photoshop, but keep a backup of your own in case of accidents.\r\nChanging the splash "
                      "changes what these folders hold:\r\n" +
                      hostFolders(r.path),
                  "Supported");
    case MessageId::VersionUnsupported:
      return info("The chosen Photoshop is version " + r.detail +
                      ".\r\nLumaset works with Photoshop CC 2015 (16) and later releases; it was not tested with "
                      "this version and does not suit it.",
                  "Unsupported version");
    case MessageId::IndexFileMissing:
      return info("Photoshop's IconResources.idx does not exist: " + r.path + "\r\n", kInvalidPath);
    case MessageId::LanguageFileMissing:
      return info("The language file does not exist: " + r.path +
                      "\r\nYou can look for the language file (a .dat file) by hand in the Locales folder of the "
                      "Photoshop installation.",
                  kInvalidPath);
    case MessageId::LanguageFileOutsideHost:
      return info(
          "The language file must lie in the Locales folder of this Photoshop installation; nothing was "
          "changed: " +
              r.path,
          kInvalidPath);
    case MessageId::NoLanguageFile:
      return info(kNoLanguageFile);
    case MessageId::HostPathWrong:
      return plainError("Wrong Photoshop path: " +
                        (r.path.empty() ? std::string("no Photoshop that can be changed is chosen yet; nothing was "
                                                      "changed.\r\nClick the folder button beside \"Ps path\" and "
                                                      "choose Photoshop.exe in the Photoshop installation folder.")
                                        : r.path));
    case MessageId::HostFolderNameTrimmed:
      return info(
          "A folder in Photoshop's path has a name that ends in a dot or a space, which Windows drops, so "
          "that it takes it for another folder: " +
              r.path +
              "\r\nRename that folder (without the dot or space at the end), then choose "
              "Photoshop.exe again.",
          kInvalidPath);
    case MessageId::RegistryFileTooLarge:
      return info("wine's registry file is larger than " + std::to_string(kMaxRegistryFileBytes >> 20) +
                      " MiB and was not read; no Photoshop it names was looked at: " + r.path,
                  "Find Photoshop");
    case MessageId::RegistryPlacesCut:
      return info("The registry names too many Photoshop places: only the first " + std::to_string(kMaxRegistryPlaces) +
                      " were looked at, " + r.detail + " more were not.",
                  "Find Photoshop");
    default:  // the index's, or another group's
      return indexMessage(r);
  }
}

Message editMessage(const Report& r) {
  switch (r.id) {
    case MessageId::EditLocked:
      return error("Another Lumaset is changing this Photoshop's files; please try again later");
    case MessageId::NoLock:
      return error(
          "Cannot create the lock file that keeps another Lumaset from changing the files at the same "
          "time; nothing was changed: " +
          r.path + "\r\nCheck that its folder can be written; move away a folder or link that stands in its place.");
    case MessageId::HostRunning:
      return error("Photoshop is running; please close Photoshop before changing it");
    case MessageId::HardLinked:
      return error(
          "This file has another name as well (a hard link): changing it would change a file elsewhere "
          "too; nothing was changed: " +
          r.path);
    case MessageId::WriteFailed:
      return error("Writing the file failed: " + r.path);
    case MessageId::ResetFailed:
      return error("Resetting the file failed: " + r.path);
    case MessageId::BackupIndexDamaged:
      return error("The backed-up index cannot be read or is damaged; nothing was changed: " + r.path);
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

Message backupAdvice(const Report& r) {
  switch (r.id) {
    case MessageId::LanguageFileGone:
      return info(
          "Photoshop's Chinese language file is gone (an update may have removed it); the startup text is "
          "no longer changed. Its backup is still kept: " +
          r.path);
    case MessageId::NoBackup:
      return info(
          "No backup was created, so the next step cannot be done.\r\nIf Photoshop is installed on drive "
          "C:, Lumaset may lack the rights to change its folders: run Lumaset as administrator, or change "
          "the rights of these folders:\r\n" +
          hostFolders(r.path));
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

Message backupMessage(const Report& r) {
  switch (r.id) {
    case MessageId::DamagedHostIndex:
      return error(
          "Photoshop's own icon index is damaged (it cannot be read, or it points at data its image packs "
          "lack); nothing was changed: " +
          r.path + "\r\nPlease repair or reinstall Photoshop.");
    case MessageId::BackupCopyFailed:
      return error("Creating the backup file failed: " + r.path);
    case MessageId::LanguageBackupFolderCopyFailed:
      return error("Backup: creating the language folder failed: " + r.path);
    case MessageId::LanguageBackupCopyFailed:
      return error("Backup: creating the language file's backup failed: " + r.path + "\r\n > \r\n" + r.detail);
    case MessageId::NoFolderRights02:
      return plainError("No rights on the folder (02)");
    case MessageId::NoFolderRights01:
      return plainError("No rights on the folder (01)");
    case MessageId::BackupUpToDate:
      return info("The backup is up to date", kBackup);
    case MessageId::BackupMade:
      return info("Backup done; these files of Photoshop were backed up:\r\n" + r.detail, kBackup);
    case MessageId::BackupRenewed:
      return info("Backup done; the backups of these files were renewed from Photoshop's present files:\r\n" + r.detail,
                  kBackup);
    case MessageId::RefreshCopyFailed:
      return error("Renewing the backup: creating the backup file failed: " + r.path);
    case MessageId::UnmendableCopy:
      return error(
          "A backup file is lost or damaged and cannot be rebuilt from the other backup or from "
          "Photoshop's files; nothing was changed: " +
          r.path + "\r\nPlease repair or reinstall Photoshop, then click \"Backup\".");
    case MessageId::ChangedByOthers:
      return error(
          "Photoshop's files were changed after the backup (Photoshop may have been updated). To avoid "
          "damage nothing was changed this time. Click \"Backup\" first to renew the backup, then apply "
          "the theme.");
    case MessageId::DamagedHostFile:
      return error(
          "This file of Photoshop is damaged and cannot be taken as the original's backup; nothing was "
          "changed: " +
          r.path +
          "\r\nApply \"[默认]\" (Default) first to put the original back, or repair or reinstall "
          "Photoshop.");
    case MessageId::ThemedNotUpdate:
      return error(
          "This file of Photoshop is the backup plus a theme that Lumaset put in, not an update of "
          "Photoshop; nothing was changed: " +
          r.path + "\r\nApply \"[默认]\" (Default) first.");
    case MessageId::ForeignBackup:
      return error("This backup belongs to another Photoshop (" + r.detail +
                   ") and cannot be used here; nothing was changed: " + r.path +
                   "\r\nMove it away, then click \"Backup\".");
    case MessageId::DefaultLeft:
      return error("Could not restore Photoshop's original file; this file is still not the original: " + r.path);
    default:  // the advice's, or another group's
      return backupAdvice(r);
  }
}

Message applyMessage(const Report& r) {
  switch (r.id) {
    case MessageId::BadLanguageBackup:
      return plainError("Your backup files are not right, so the default startup text cannot be restored");
    case MessageId::StartupTextUnsupported:
      return info("Photoshop CC 2017 (18) and later releases cannot have their startup text changed", "Version limit");
    case MessageId::LanguageChangedSinceBackup:
      return error(
          "Photoshop's language file was changed after the backup; nothing was changed. Click \"Backup\" "
          "first: " +
          r.path);
    case MessageId::NoReplaceableImages:
      return error("This Photoshop's icon index holds no image that can be replaced; nothing was changed: " + r.path);
    case MessageId::NoSuchTheme:
      return error("The theme library has no such theme; nothing was changed: " + r.detail);
    case MessageId::NoSuchResource:
      return error("The index has no such image resource; nothing was changed: " + r.path);
    case MessageId::NotAPng:
      return error("Not a valid PNG image file; nothing was changed: " + r.path);
    case MessageId::PackTooLarge:
      return error("The image pack would pass 2 GB; no more images can be added: " + r.path);
    case MessageId::ThemeTextInvalid:
      return error("The startup-text file is not a valid text file; nothing was changed: " + r.path);
    case MessageId::SingleIconTakesDark:
      return info("This Photoshop has a single app-bar icon, " + r.detail + ": it now shows the theme's dark icon",
                  kApply);
    case MessageId::ImagesSkipped:
      return info("This Photoshop lacks these images, which were skipped: " + r.detail, kApply);
    case MessageId::IconsSkipped:
      return info("This Photoshop lacks these icons, which were skipped: " + r.detail, kApply);
    case MessageId::StartupTextSkipped:
      return info(kNoLanguageFile, kApply);
    case MessageId::NoCustomImages:
      return info("No image is chosen; nothing was changed. Choose at least one PNG image, then click \"Apply\".",
                  kApply);
    case MessageId::CustomImageMissing:
      return error("The image file does not exist; nothing was changed: " + r.path);
    case MessageId::Applied:
      return info("Done", kApply);
    case MessageId::UpdateUndidLook:
      return info((r.detail.empty() ? std::string("Photoshop was updated, and the custom images are gone")
                                    : "Photoshop was updated, and the theme \"" + r.detail + "\" is gone") +
                      "\r\nRenew the backup and apply " + (r.detail.empty() ? "these images" : "this theme") +
                      " again?",
                  "Photoshop updated");
    case MessageId::Reapplied:
      return info("The backup is renewed, and " +
                      (r.detail.empty() ? std::string("the custom images are") : "the theme \"" + r.detail + "\" is") +
                      " applied again",
                  kApply);
    case MessageId::NothingToReapply:
      return info(
          "No theme to apply again: Photoshop's files are as the last apply left them, or no apply is on "
          "record.",
          kApply);
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

constexpr const char* kRights = "Administrator rights needed";
constexpr const char* kProtectedHost =
    "When Photoshop is installed in a protected folder such as C:\\Program Files, only an administrator may change "
    "its files.";

Message rightsMessage(const Report& r) {
  switch (r.id) {
    case MessageId::NeedsAdministrator:
      return {"Lumaset may not change this folder; nothing was changed:\r\n" + r.path + "\r\n" + kProtectedHost +
                  "\r\nRun this command again in a command prompt opened as administrator (the window asks for "
                  "administrator rights itself when it needs them).",
              kRights, MessageIcon::Error};
    case MessageId::OfferAdministrator:
      return {"Lumaset may not change this folder:\r\n" + r.path + "\r\n" + kProtectedHost +
                  "\r\n\r\nGo on as administrator? Windows will ask you to confirm; only this one change runs as "
                  "administrator.",
              kRights};
    case MessageId::NothingChangedWithoutRights:
      return info(
          "Nothing was changed.\r\nTo change this Photoshop, answer \"Yes\" when asked and agree in "
          "Windows' confirmation window; or right-click lumaset.exe and choose \"Run as administrator\".",
          kRights);
    case MessageId::WorkerNotStarted:
      return error("Cannot run as administrator (error code " + r.detail + "); nothing was changed: " + r.path +
                   "\r\nMake sure that lumaset-cli.exe and lumaset.exe are in one folder (the release zip holds "
                   "them together).");
    case MessageId::WorkerGaveNoResult:
      return error("The Lumaset that ran as administrator reported no result (exit code " + r.detail +
                   ").\r\nPlease try again; if it stays so, right-click lumaset.exe, choose \"Run as "
                   "administrator\" and do it there.");
    case MessageId::NoRightsEvenAsAdministrator:
      return error("Even as administrator this folder cannot be changed; nothing was changed:\r\n" + r.path +
                   "\r\nCheck whether it is read-only, on a read-only disk, or protected by security software.");
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

}  // namespace

Message messageFor(const Report& r) {
  return messageByGroup(r, {programFileMessage, locationMessage, editMessage, backupMessage, applyMessage,
                            rightsMessage});
}

}  // namespace lumaset::en
