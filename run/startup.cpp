#include "run/startup.h"

#include "formats/path_text.h"
#include "run/host_location.h"
#include "run/host_paths.h"

namespace lumaset {

bool startupCheck(Context& ctx, const std::string& storedHostFolder) {
  const char sep = ctx.sep();
  if (storedHostFolder.empty()) return false;
  const std::string host = withTrailingSeparator(storedHostFolder, sep);
  if (!ctx.files.exists(host + "photoshop.exe")) return false;

  RunState& st = ctx.state;
  st.hostFolder = host;
  st.currentIndexPath = indexPathFor(host, sep);
  settleLanguageBackupFolder(st);
  ctx.view.setPathBox(st.hostFolder);
  return true;
}

StartupOutcome runStartup(Context& ctx) {
  StartupOutcome outcome;
  LoadedSettings loaded = loadSettings(ctx, outcome.location);
  outcome.locateRan = loaded.locateRan;
  outcome.hostKnown = startupCheck(ctx, loaded.hostFolder);
  return outcome;
}

}  // namespace lumaset
