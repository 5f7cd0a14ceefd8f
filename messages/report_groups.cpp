#include "messages/report_groups.h"

namespace lumaset {

ReportGroup reportGroup(MessageId id) {
  switch (id) {
    // clang-format off
    case MessageId::VersionSupported: case MessageId::VersionUnsupported: case MessageId::IndexFileMissing:
    case MessageId::LanguageFileMissing: case MessageId::LanguageFileOutsideHost: case MessageId::NoLanguageFile:
    case MessageId::HostPathWrong: case MessageId::HostFolderNameTrimmed: case MessageId::RegistryFileTooLarge:
    case MessageId::RegistryPlacesCut: case MessageId::IndexEmpty: case MessageId::IndexFourPackLength: case MessageId::HostIndexDamagedAdvice:
    case MessageId::IndexTwoPackLength:
      return ReportGroup::Location;
    case MessageId::SettingsNotSaved: case MessageId::DataKeptApart: case MessageId::GuideMissing:
    case MessageId::GuideNotOpened:
      return ReportGroup::ProgramFile;
    case MessageId::EditLocked: case MessageId::NoLock: case MessageId::HostRunning: case MessageId::HardLinked:
    case MessageId::WriteFailed: case MessageId::ResetFailed: case MessageId::BackupIndexDamaged:
      return ReportGroup::Edit;
    case MessageId::DamagedHostIndex: case MessageId::BackupCopyFailed:
    case MessageId::LanguageBackupFolderCopyFailed: case MessageId::LanguageBackupCopyFailed:
    case MessageId::NoFolderRights02: case MessageId::NoFolderRights01: case MessageId::BackupUpToDate:
    case MessageId::BackupMade: case MessageId::BackupRenewed:
    case MessageId::RefreshCopyFailed: case MessageId::UnmendableCopy: case MessageId::ChangedByOthers:
    case MessageId::DamagedHostFile: case MessageId::ThemedNotUpdate: case MessageId::ForeignBackup:
    case MessageId::DefaultLeft: case MessageId::LanguageFileGone: case MessageId::NoBackup:
      return ReportGroup::Backup;
    case MessageId::BadLanguageBackup: case MessageId::StartupTextUnsupported:
    case MessageId::LanguageChangedSinceBackup: case MessageId::NoReplaceableImages: case MessageId::NoSuchTheme:
    case MessageId::NoSuchResource: case MessageId::NotAPng: case MessageId::PackTooLarge:
    case MessageId::ThemeTextInvalid: case MessageId::SingleIconTakesDark: case MessageId::ImagesSkipped:
    case MessageId::IconsSkipped: case MessageId::StartupTextSkipped: case MessageId::NoCustomImages:
    case MessageId::CustomImageMissing: case MessageId::Applied:
    case MessageId::UpdateUndidLook: case MessageId::Reapplied: case MessageId::NothingToReapply:
      return ReportGroup::Apply;
    case MessageId::NeedsAdministrator: case MessageId::OfferAdministrator:
    case MessageId::NothingChangedWithoutRights: case MessageId::WorkerNotStarted: case MessageId::WorkerGaveNoResult:
    case MessageId::NoRightsEvenAsAdministrator:
      return ReportGroup::Rights;
      // clang-format on
  }
  return ReportGroup::Apply;  // not reached: the switch names every id
}

}  // namespace lumaset
