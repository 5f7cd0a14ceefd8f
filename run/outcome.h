// What an operation of the core gives its front end: whether it was done, refused before
// any change, failed on the way or cancelled by the user, and what there is to tell, in
// order, each as a message id with the paths and details it names. The core never shows
// anything: the front ends turn reports into the system's messages (`messages/`) and the
// status into success or failure (an exit code, a closing box).
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace lumaset {

enum class MessageId {
  // Reading the host's icon index.
  IndexEmpty,
  IndexFourPackLength,
  IndexTwoPackLength,      // detail: the record area's length
  HostIndexDamagedAdvice,  // path: the host's index, which a backup can put back
  // Locating the host.
  VersionSupported,    // path: host folder, detail: ProductVersion
  VersionUnsupported,  // detail: ProductVersion
  IndexFileMissing,
  LanguageFileMissing,
  NoLanguageFile,
  HostPathWrong,
  LanguageFileOutsideHost,  // path: a language file picked outside the host's Locales folder
  // Opening the edit of the host.
  EditLocked,
  NoLock,
  HostRunning,
  HardLinked,
  // The backup.
  DamagedHostIndex,
  BackupCopyFailed,
  LanguageBackupFolderCopyFailed,
  LanguageBackupCopyFailed,  // path: the language file, detail: its backup copy
  NoFolderRights02,
  NoFolderRights01,
  BackupUpToDate,
  BackupMade,     // detail: the host files backed up, one a line
  BackupRenewed,  // detail: the host files whose copies were renewed, one a line
  RefreshCopyFailed,
  UnmendableCopy,
  ChangedByOthers,
  NoBackup,          // path: host folder
  DamagedHostFile,   // path: a damaged host file, which no backup takes
  ThemedNotUpdate,   // path: a host file that is a copy of the backup with the program's addition
  ForeignBackup,     // path: the backup folder, detail: the host folder its record names
  DefaultLeft,       // path: a host file that "[默认]" could not give its own bytes
  LanguageFileGone,  // path: the language file an update removed
  WriteFailed,
  // Putting files back.
  BackupIndexDamaged,
  ResetFailed,
  // The startup text.
  BadLanguageBackup,
  StartupTextUnsupported,
  LanguageChangedSinceBackup,
  // The apply.
  NoSuchTheme,  // detail: the entry, which is neither built in nor a theme of the library
  NoReplaceableImages,
  NoSuchResource,
  NotAPng,
  PackTooLarge,
  ThemeTextInvalid,
  SingleIconTakesDark,  // detail: the single icon's resource name
  ImagesSkipped,        // detail: the resource names, joined
  IconsSkipped,         // detail: the resource names, joined
  StartupTextSkipped,   // a host without a language file, with the toggle on
  NoCustomImages,       // the custom page's apply with every field empty
  CustomImageMissing,   // path: a custom image field's path, where nothing is
  // A look that an update of the host took off, applied again.
  UpdateUndidLook,   // detail: the theme, empty for the custom images; the window's question
  Reapplied,         // detail: the theme, empty for the custom images
  NothingToReapply,  // the host carries what was applied last, or no apply is on record
  // Administrator rights.
  NeedsAdministrator,           // path: the folder this process may not change
  OfferAdministrator,           // path: likewise; the window's question
  NothingChangedWithoutRights,  // the question or the system's prompt answered no
  WorkerNotStarted,             // path: the program that should have run, detail: the system's error
  WorkerGaveNoResult,           // detail: its exit code
  NoRightsEvenAsAdministrator,  // path: the folder
  // Where the location is kept, and host folders that Windows would take for others.
  SettingsNotSaved,       // path: setting.ini
  DataKeptApart,          // path: the user's folder that holds setting.ini and the theme library
  HostFolderNameTrimmed,  // path: the host's path up to the part that ends in a dot or a space
  // Looking for the installed hosts.
  RegistryFileTooLarge,  // path: a wine prefix's system.reg left unread for its size
  RegistryPlacesCut,     // detail: how many registry values were passed over
  // The window's links.
  GuideMissing,    // path: the guide that should lie beside the program
  GuideNotOpened,  // path: the guide, which neither its program nor Notepad opened
  Applied,
};

struct Report {
  MessageId id;
  std::string path;    // the file or folder the message names, if any
  std::string detail;  // what else it names (a version, a length, a list)
  // Shown in one message with the report before it, on a line of its own.
  bool sameMessage = false;
  bool operator==(const Report&) const = default;
};

// NeedsAdministrator: refused before any change because this process may not change a
// folder of the host (its report names the folder); a process with more rights may.
enum class Status { Done, Refused, Failed, Cancelled, NeedsAdministrator };

class [[nodiscard]] Outcome {
 public:
  Status status = Status::Done;
  std::vector<Report> reports;

  bool done() const { return status == Status::Done; }

  // Something to tell that changes nothing about success.
  void note(MessageId id, std::string path = {}, std::string detail = {}) {
    reports.push_back({id, std::move(path), std::move(detail)});
  }
  // A note shown in the message of the note before it.
  void noteLine(MessageId id, std::string path = {}, std::string detail = {}) {
    const bool joined = !reports.empty();
    reports.push_back({id, std::move(path), std::move(detail), joined});
  }
  // Nothing was changed, for the reason given.
  void refuse(MessageId id, std::string path = {}, std::string detail = {}) {
    refuseSilently();
    note(id, std::move(path), std::move(detail));
  }
  // Nothing was changed, and there is nothing to say why (a file that is no index).
  void refuseSilently() {
    if (status != Status::Failed) status = Status::Refused;
  }
  // A change did not happen as it should have.
  void fail(MessageId id, std::string path = {}, std::string detail = {}) {
    status = Status::Failed;
    note(id, std::move(path), std::move(detail));
  }
  // Nothing was changed: this process may not change `folder`.
  void needAdministrator(std::string folder) {
    if (status != Status::Failed) status = Status::NeedsAdministrator;
    note(MessageId::NeedsAdministrator, std::move(folder));
  }
  // The folder a refusal for want of rights names; empty for any other outcome.
  std::string folderNeedingRights() const {
    if (status != Status::NeedsAdministrator) return {};
    for (auto r = reports.rbegin(); r != reports.rend(); ++r)
      if (r->id == MessageId::NeedsAdministrator) return r->path;
    return {};
  }
  void cancel() {
    if (status == Status::Done) status = Status::Cancelled;
  }
  // The reports and the worse status of `later` join this outcome.
  void add(Outcome later) {
    if (later.status == Status::Failed || (later.status != Status::Done && status == Status::Done))
      status = later.status;
    for (Report& r : later.reports) reports.push_back(std::move(r));
  }
};

}  // namespace lumaset
