// The edit of the located host for the length of an operation: opened by the first
// operation that changes the host's files or the backups, shared by the operations it
// calls, closed (and the host's lock released) when that first one ends.
#pragma once
#include <memory>

#include "app/run_state.h"
#include "backup/backup_layout.h"
#include "edits/host_edit.h"

namespace lumaset {

// What an edit of the host of `b` touches.
HostEditPaths hostEditPaths(const BackupLayout& b, const RunState& state);

class HostEditScope {
 public:
  // Opens the edit unless `ctx` has one open; shows why when it cannot start.
  HostEditScope(Context& ctx, const BackupLayout& b);
  ~HostEditScope();
  HostEditScope(const HostEditScope&) = delete;
  HostEditScope& operator=(const HostEditScope&) = delete;

  bool ok() const { return ctx_.edit != nullptr; }

 private:
  Context& ctx_;
  std::unique_ptr<HostEdit> owned_;
};

}  // namespace lumaset
