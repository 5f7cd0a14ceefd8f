#include "backup/host_edit_scope.h"

#include "app/host_location.h"

namespace lumaset {

HostEditPaths hostEditPaths(const BackupLayout& b, const RunState& state) {
  HostEditPaths paths;
  paths.lockFile = state.hostFolder + ".lumaset.lock";
  paths.exePath = state.hostFolder + "Photoshop.exe";
  for (const char* file : backedUpIconFiles(IndexLayout::FourPack)) paths.hostFiles.push_back(b.hostFile(file));
  paths.hostFiles.push_back(b.languageFile);
  paths.workFolders = {b.resources, b.iconBackup, state.languageFolder, b.languageBackup};
  paths.probeFolders = {b.probe};
  return paths;
}

HostEditScope::HostEditScope(Context& ctx, const BackupLayout& b) : ctx_(ctx) {
  // Without a settled host there is nothing to lock; the operations say so themselves.
  if (ctx.edit || !hostPathsSettled(ctx.state, ctx.sep())) return;
  EditRefusal refusal = EditRefusal::None;
  owned_ = HostEdit::begin(ctx.files, hostEditPaths(b, ctx.state), refusal);
  if (refusal == EditRefusal::Locked) {
    ctx.ui.messageBox("另一个 Lumaset 正在修改这个 Photoshop 的文件，请稍后再试", "错误", MessageIcon::Error);
  } else if (refusal == EditRefusal::HostRunning) {
    ctx.ui.messageBox("Photoshop 正在运行，请先关闭 Photoshop 再修改", "错误", MessageIcon::Error);
  }
  ctx.edit = owned_.get();
}

HostEditScope::~HostEditScope() {
  if (owned_) ctx_.edit = nullptr;
}

}  // namespace lumaset
