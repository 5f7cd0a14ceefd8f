// The edit of the located host for the length of one operation: the layout of its backup
// (host files that are links followed to their targets), the lock, and the record, opened
// once by the operation that changes the host and handed to every step it runs.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "backup/backup_layout.h"
#include "backup/host_record.h"
#include "edits/host_edit.h"
#include "run/run_state.h"

namespace lumaset {

// What an edit of the host of `b` touches and where it locks.
HostEditPaths hostEditPaths(const BackupLayout& b, const RunState& state);

// Host files that are symbolic links are edited through their targets: noted in `b`.
void followLinks(SystemReading& files, BackupLayout& b);

class EditSession {
 public:
  // The edit, or nothing after a refusal in `out` saying why it cannot start (no host
  // located, another run editing it, no lock to be had, the host running, a hard-linked
  // file). A note the opening has to make (the host's language file gone) goes to `out`
  // too; every step of the operation then returns its own outcome.
  static std::unique_ptr<EditSession> open(Context& ctx, Outcome& out);

  Context& ctx() { return ctx_; }
  SystemReading& files() { return ctx_.files; }
  HostEdit& edit() { return *edit_; }
  HostRecord& record() { return record_; }
  WorkProgress* progress() { return ctx_.progress; }
  const BackupLayout& layout() const { return layout_; }

  // The record keys of the icon files of the index's layout (of the backed-up index when
  // it decodes, else of the host's), and of all files (the language
  // last, when the host has a language file).
  std::vector<std::string> iconKeys() const;
  std::vector<std::string> keys() const;

  // Saves the record; a failure "写入文件失败：" when it cannot.
  Outcome saveRecord();

 private:
  EditSession(Context& ctx, BackupLayout layout, std::unique_ptr<HostEdit> edit);

  Context& ctx_;
  BackupLayout layout_;
  std::unique_ptr<HostEdit> edit_;
  HostRecord record_;
  IndexLayout indexLayout_ = IndexLayout::FourPack;
};

}  // namespace lumaset
