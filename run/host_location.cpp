#include "run/host_location.h"

#include "formats/path_text.h"
#include "run/host_paths.h"
#include "run/name_rules.h"
#include "run/settings.h"
#include "run/version.h"

namespace lumaset {
namespace {

// The host's Photoshop.exe as the user gives it; a folder is no file, and the host's
// paths are built from the file's folder.
std::optional<std::string> askForHost(Context& ctx, LocateReason reason) {
  const HostRequest request{reason == LocateReason::FirstStart, ctx.state.hostFolder};
  std::optional<std::string> picked = ctx.questions.hostExecutable(request);
  if (!picked) return std::nullopt;
  const FileInfo info = ctx.files.info(*picked);
  if (!info.exists || info.isFolder) return std::nullopt;
  return picked;
}

enum class LanguageFound { Found, NoChinese, NotPicked, Outside };

// Settles the language file in the run state: the one the version calls for, or one the
// user picks by hand when that is missing. A host without a zh_CN folder (an installation
// in another language) is not asked about: it has none.
LanguageFound findLanguageFile(Context& ctx, Outcome& out) {
  RunState& st = ctx.state;
  const char sep = ctx.sep();
  if (ctx.files.exists(ctx.languageFilePath())) return LanguageFound::Found;
  const std::string locales = withTrailingSeparator(st.hostFolder, sep) + "Locales" + sep;
  if (!ctx.files.info(locales + "zh_CN").isFolder) return LanguageFound::NoChinese;
  // What was found so far is told before the question; the location goes on afresh.
  Outcome before = std::move(out);
  out = Outcome{};
  before.note(MessageId::LanguageFileMissing, ctx.languageFilePath());
  std::optional<std::string> picked = ctx.questions.languageFile(before, locales);
  if (!picked) return LanguageFound::NotPicked;
  const FileInfo info = ctx.files.info(*picked);
  if (!info.exists || info.isFolder) return LanguageFound::NotPicked;
  std::string folder = folderWithSeparator(*picked, sep);
  if (!folder.empty()) folder.pop_back();
  const std::string name = leafName(*picked, sep);
  if (folder.empty() || name.empty()) return LanguageFound::NotPicked;
  // The startup text is appended to this file: one outside the host would let a pick
  // (or a worker with administrator rights) write anywhere.
  if (!isAbsolutePath(folder, sep) || !isPlainName(name) || !languageFolderInHost(st.hostFolder, folder, sep)) {
    out.refuse(MessageId::LanguageFileOutsideHost, *picked);
    return LanguageFound::Outside;
  }
  // The picked file is the one that backup, restore and the startup text work on, now
  // and after a restart.
  st.languageFolder = folder;
  st.languageFileName = name;
  return LanguageFound::Found;
}

}  // namespace

bool languageFolderInHost(const std::string& hostFolder, const std::string& languageFolder, char sep) {
  return isWithinFolder(languageFolder, withTrailingSeparator(hostFolder, sep) + "Locales", sep);
}

void settleLanguageBackupFolder(RunState& state) { state.languageBackupFolder = state.hostFolder + "Locales_BAK"; }

bool hostPathsSettled(const RunState& state, char sep) {
  const std::string& host = state.hostFolder;
  if (host.empty() || host.back() != sep || !isAbsolutePath(host, sep)) return false;
  const bool language =
      state.languageAbsent() || (isAbsolutePath(state.languageFolder, sep) && isPlainName(state.languageFileName) &&
                                 languageFolderInHost(host, state.languageFolder, sep));
  return state.languageBackupFolder == host + "Locales_BAK" && language;
}

LanguageLocation languageLocationFor(const std::string& hostFolder, float version, char sep) {
  std::string base = withTrailingSeparator(hostFolder, sep) + "Locales" + sep + "zh_CN";
  bool from18 = versionAtLeast(version, 18);
  bool from19 = versionAtLeast(version, 19);
  LanguageLocation location;
  location.folder = (from18 && !from19) ? base : base + sep + "Support Files";
  location.fileName = from18 ? "tw10428_Photoshop_zh_CN.dat" : "tw10428.dat";
  return location;
}

namespace {

// The second half of a location, once the host's folder and index are settled: the
// language file (found, picked by hand, or none), then the location stored.
LocateOutcome settleLanguageAndStore(Context& ctx, Outcome& out, float version, LocateReason reason) {
  RunState& st = ctx.state;
  LanguageLocation language = languageLocationFor(st.hostFolder, version, ctx.sep());
  st.languageFolder = language.folder;
  st.languageFileName = language.fileName;

  // A host with a zh_CN folder may carry the program's block in a file it names: only
  // the user's pick settles which, and without one nothing is stored.
  const LanguageFound found = findLanguageFile(ctx, out);
  if (found == LanguageFound::NotPicked || found == LanguageFound::Outside) {
    out.cancel();
    return LocateOutcome::LanguageMissing;
  }
  const bool withLanguage = found == LanguageFound::Found;
  if (!withLanguage) {
    st.languageFolder.clear();
    st.languageFileName.clear();
    out.note(MessageId::NoLanguageFile);
  }
  // A program folder the user may not write to (unpacked into Program Files, say) takes
  // nothing: the host stays located for this run, and the user learns why the next start
  // will ask again and where the program belongs.
  if (reason == LocateReason::ForThisRun) {
    ctx.givenLocation = StoredLocation{st.hostFolder, versionToText(version), st.languageFileName, st.languageFolder};
  } else if (!storeLocation(ctx, st.hostFolder, version, st.languageFileName, st.languageFolder)) {
    out.fail(MessageId::SettingsNotSaved, ctx.settingsFile());
  }
  ctx.view.hostLocated();
  ctx.view.setPathBox(st.hostFolder);
  return withLanguage ? LocateOutcome::Located : LocateOutcome::LocatedWithoutLanguage;
}

}  // namespace

LocateOutcome locateHost(Context& ctx, Outcome& out, LocateReason reason) {
  RunState& st = ctx.state;
  const char sep = ctx.sep();

  std::optional<std::string> exe = askForHost(ctx, reason);
  // An answer without an absolute folder (a bare file name) gives no host folder to
  // build the host's paths from: it counts as no answer.
  if (exe && !isAbsolutePath(folderWithSeparator(*exe, sep), sep)) exe.reset();
  if (!exe) {
    ctx.view.setPathBox(st.hostFolder);
    out.cancel();
    return LocateOutcome::Cancelled;
  }
  // Windows drops the dots and spaces that end a folder's name, so every path built from
  // such a host folder would reach another one ("D:\PS..\" is "D:\PS\"; under wine a
  // folder "PS.." is read as its neighbour "PS"). The user renames it; the run keeps the
  // host it had.
  if (std::string part = partWindowsRenames(folderWithSeparator(*exe, sep), sep); !part.empty()) {
    out.refuse(MessageId::HostFolderNameTrimmed, part);
    return LocateOutcome::FolderRefused;
  }

  const std::string productVersion = ctx.files.productVersion(*exe);
  const float version = versionFromText(productVersion);
  st.hostFolder = folderWithSeparator(*exe, sep);
  st.currentIndexPath = indexPathFor(st.hostFolder, sep);

  out.note(versionAtLeast(version, 16) ? MessageId::VersionSupported : MessageId::VersionUnsupported, st.hostFolder,
           productVersion);
  st.release18OrLater = versionAtLeast(version, 18);

  if (!ctx.files.exists(st.currentIndexPath)) {
    out.refuse(MessageId::IndexFileMissing, st.currentIndexPath);
    st.hostFolder.clear();
    st.currentIndexPath.clear();
    st.languageBackupFolder.clear();
    return LocateOutcome::IndexMissing;
  }
  settleLanguageBackupFolder(st);

  return settleLanguageAndStore(ctx, out, version, reason);
}

}  // namespace lumaset
