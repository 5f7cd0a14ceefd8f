#include "backup/edit_session.h"

#include "formats/path_text.h"
#include "iconstore/index_format.h"
#include "run/host_location.h"
#include "run/index_reading.h"

namespace lumaset {
namespace {

std::optional<IndexLayout> layoutOf(SystemReading& files, const std::string& indexPath) {
  std::optional<Bytes> bytes = readIndexFile(files, indexPath);
  if (!bytes) return std::nullopt;
  DecodedIndex decoded = decodeIndex(*bytes);
  if (decoded.problem != IndexProblem::None) return std::nullopt;
  return decoded.table.layout;
}

// The record keys of every file an edit may touch: the icon files of either layout and
// the language file, when the host has one.
std::vector<std::string> everyKey(const BackupLayout& b) {
  std::vector<std::string> keys;
  for (const char* file : backedUpIconFiles(IndexLayout::FourPack)) keys.push_back(file);
  if (!b.languageAbsent) keys.push_back(kLanguageKey);
  return keys;
}

MessageId refusalMessage(EditRefusal refusal) {
  switch (refusal) {
    case EditRefusal::Locked:
      return MessageId::EditLocked;
    case EditRefusal::NoLock:
      return MessageId::NoLock;
    case EditRefusal::HostRunning:
      return MessageId::HostRunning;
    case EditRefusal::NoRights:  // a status of its own: never a plain refusal
    case EditRefusal::HardLinked:
    case EditRefusal::None:
      break;
  }
  return MessageId::HardLinked;
}

}  // namespace

HostEditPaths hostEditPaths(const BackupLayout& b, const RunState& state) {
  HostEditPaths paths;
  paths.exePath = state.hostFolder + "Photoshop.exe";
  for (const char* file : backedUpIconFiles(IndexLayout::FourPack)) paths.hostFiles.push_back(b.hostFile(file));
  if (!b.languageAbsent) paths.hostFiles.push_back(b.hostPath(kLanguageKey));
  paths.workFolders = {b.resources, b.iconBackup, b.languageBackup};
  if (!b.languageAbsent) paths.workFolders.push_back(state.languageFolder);
  for (const auto& [key, target] : b.linkTargets) {
    const std::string folder = folderOf(target, separatorsFor(b.sep));
    if (!folder.empty()) paths.workFolders.push_back(folder);
  }
  paths.probeFolders = {b.probe};
  // The folders of the files the edit replaces and of their backups; the host's own
  // folder only where the language backup folder is still to be made in it. The edit
  // locks in each of them.
  paths.changedFolders = paths.workFolders;
  paths.changedFolders.insert(paths.changedFolders.end(),
                              {b.iconBackupOld, state.languageBackupFolder, b.languageBackupOld});
  // The host's files are appended to, cut back and replaced; the backup's copies and
  // records are replaced.
  paths.changedFiles = paths.hostFiles;
  for (const std::string& key : everyKey(b)) {
    for (const std::string& copy : {b.backupPath(key), b.secondCopyPath(key)})
      if (!copy.empty()) paths.changedFiles.push_back(copy);
  }
  paths.changedFiles.insert(paths.changedFiles.end(), {b.recordPath(), b.recordSecondCopyPath()});
  return paths;
}

// Found once when an edit opens: a replacement then lands in the target and the link
// stays a link.
void followLinks(SystemReading& files, BackupLayout& b) {
  for (const std::string& key : everyKey(b)) {
    const std::string path = b.hostPath(key);
    const std::string target = files.linkTarget(path);
    if (target != path) b.linkTargets[key] = target;
  }
}

EditSession::EditSession(Context& ctx, BackupLayout layout, std::unique_ptr<HostEdit> edit)
    : ctx_(ctx), layout_(std::move(layout)), edit_(std::move(edit)), record_(ctx.files, layout_) {
  std::optional<IndexLayout> found = layoutOf(ctx.files, layout_.backupFile(kIndexFile));
  if (!found) found = layoutOf(ctx.files, layout_.hostFile(kIndexFile));
  if (found) indexLayout_ = *found;
}

std::unique_ptr<EditSession> EditSession::open(Context& ctx, Outcome& out) {
  std::optional<BackupLayout> settled = settledBackupLayout(ctx, out);
  if (!settled) return nullptr;
  followLinks(ctx.files, *settled);
  EditRefusal refusal = EditRefusal::None;
  std::string refusedFile;
  std::unique_ptr<HostEdit> edit = HostEdit::begin(ctx.hostEdits(), hostEditPaths(*settled, ctx.state), refusal, refusedFile);
  if (!edit && refusal == EditRefusal::NoRights) {
    out.needAdministrator(refusedFile);
    return nullptr;
  }
  if (!edit) {
    out.refuse(refusalMessage(refusal), refusedFile);
    return nullptr;
  }
  std::unique_ptr<EditSession> session(new EditSession(ctx, std::move(*settled), std::move(edit)));
  // Said once: the record forgets the host's language file with the operation's save.
  if (session->layout().languageGone && session->record().mark(kLanguageKey)) {
    out.note(MessageId::LanguageFileGone, session->layout().languageFile);
    session->record().forgetHostFile(kLanguageKey);
  }
  return session;
}

std::vector<std::string> EditSession::iconKeys() const {
  std::vector<std::string> keys;
  for (const char* file : backedUpIconFiles(indexLayout_)) keys.push_back(file);
  return keys;
}

std::vector<std::string> EditSession::keys() const {
  std::vector<std::string> all = iconKeys();
  if (!layout_.languageAbsent) all.push_back(kLanguageKey);
  return all;
}

Outcome EditSession::saveRecord() {
  Outcome out;
  if (!record_.save(*edit_)) out.fail(MessageId::WriteFailed, layout_.recordPath());
  return out;
}

}  // namespace lumaset
