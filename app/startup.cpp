#include "app/startup.h"

#include "app/host_location.h"
#include "app/paths.h"
#include "iconstore/index_format.h"

namespace lumaset {

bool startupCheck(Context& ctx, const std::string& storedHostFolder) {
  const char sep = ctx.sep();
  if (storedHostFolder.empty()) return false;
  const std::string host = withTrailingSeparator(storedHostFolder, sep);
  if (!ctx.files.exists(host + "photoshop.exe")) return false;

  RunState& st = ctx.state;
  st.hostFolder = host;
  st.currentIndexPath = host + "Resources" + sep + kIndexFile;
  settleLanguageBackupFolder(ctx);
  ctx.view.setPathBox(st.hostFolder);
  return true;
}

StartupOutcome runStartup(Context& ctx) {
  StartupOutcome outcome;
  LoadedSettings loaded = loadSettings(ctx);
  outcome.locateRan = loaded.locateRan;
  if (ctx.state.languageFilePath.empty()) {
    ctx.state.languageFilePath = ctx.state.languageFolder + ctx.sep() + ctx.state.languageFileName;
  }
  outcome.hostKnown = startupCheck(ctx, loaded.hostFolder);
  return outcome;
}

}  // namespace lumaset
