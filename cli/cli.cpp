#include "cli/cli.h"

#include <exception>
#include <map>

#include "cli/json.h"
#include "cli/session.h"
#include "cli/worker_progress.h"
#include "formats/path_text.h"
#include "formats/png.h"
#include "messages/catalogue.h"
#include "messages/language.h"
#include "platform/system.h"
#include "platform/worker_result.h"
#include "run/data_folder.h"
#include "run/host_location.h"
#include "run/outcome_text.h"
#include "run/settings.h"
#include "run/startup.h"
#include "themes/host_operation.h"
#include "themes/looks.h"

namespace lumaset::cli {

namespace {
constexpr const char* kProgramVersion = LUMASET_VERSION;
}  // namespace

const char* const kUsage =
    "usage: lumaset-cli [--home DIR] [--data DIR] [--lang zh|en] [--json] [--result FILE --result-token HEX]\n"
    "                   [--host DIR [--host-version V --language-folder DIR --language-file NAME]] COMMAND ...\n"
    "       lumaset-cli --help | help | /? | --version\n"
    "  find [--prefix DIR]                 list the installed Photoshops, newest first (folder, version,\n"
    "                                      where found) from the registry and Program Files; --prefix\n"
    "                                      reads the wine prefix DIR (natively: $WINEPREFIX or ~/.wine)\n"
    "  locate EXE [--language-file FILE]   point the program at Photoshop.exe\n"
    "  status                              the located host and its files\n"
    "  index [FILE]                        the records of the current index (or FILE)\n"
    "  extract NAME --pack low|high [--backup] -o FILE\n"
    "                                      write an image of the current (or backup) index\n"
    "  look current|default [--save DIR]   the host's current or default look\n"
    "  apply ENTRY [--hide-text on|off]    apply a theme, \"[当前]\" or \"[默认]\"\n"
    "  apply-custom [--splash F] [--splash2x F] [--dark F] [--dark2x F] [--light F] [--light2x F]\n"
    "               [--hide-text on|off]   apply single images\n"
    "  backup [--refresh]                  create the backup (or renew it from the host's files)\n"
    "  reapply                             after an update of Photoshop took the applied theme off: renew\n"
    "                                      the backup of the changed files and apply the same theme again\n"
    "  themes                              the entries of the theme list\n"
    "  preview ENTRY [--save DIR]          what choosing an entry of the theme list shows\n"
    "  import PATH... [--replace]          import dropped folders or zip packages, in order;\n"
    "                                      --replace merges into a theme of the same name\n"
    "  import --package PATH [--replace]   import the package chosen in the window's dialog\n"
    "  check THEME                         check a theme folder (a path or a theme's name)\n"
    "  pack THEME -o FILE.zip              pack a sound theme folder as a package\n"
    "--home DIR is the program's folder (the shipped themes, the template); setting.ini and the theme\n"
    "library lie there when it can be written, else in $XDG_CONFIG_HOME/lumaset (Windows: %LOCALAPPDATA%\\\n"
    "Lumaset), or in --data DIR when given. --host DIR alone works on the Photoshop in DIR for this run\n"
    "(setting.ini keeps its own); with the three other location options it is taken as given.\n";

void Session::report(const Outcome& outcome) {
  show(ui, outcome);
  if (!outcome.done()) troubled = true;
  result.add(outcome);
  operationRan = true;
}

void Session::report(const std::vector<Report>& lookReports) {
  show(ui, lookReports);
  if (!lookReports.empty()) troubled = true;
}

void CliView::hostLocated() {
  if (!ctx) return;
  lastLook = currentLook(*ctx);
  if (session) session->report(lastLook.reports);
}

StartupOutcome startAsProgram(Session& s) {
  StartupOutcome outcome = runStartup(s.ctx);
  show(s.ui, outcome.location);
  // What the window's first preview tells is shown; it is no failure of the command that
  // follows (an apply or "[默认]" that mends a damaged index succeeds all the same).
  if (outcome.hostKnown && s.files.exists(s.state.currentIndexPath)) show(s.ui, currentLook(s.ctx).reports);
  return outcome;
}

std::string pngSizeText(const Bytes& png) {
  std::optional<PngSize> size = pngSize(png);
  return size ? std::to_string(size->width) + "x" + std::to_string(size->height) : std::string();
}

void printImages(Session& s, const NamedImages& images) {
  for (const auto& [name, bytes] : images) {
    if (bytes->empty()) {
      s.out.print("%s: none\n", name);
    } else {
      s.out.print("%s: %zu bytes, %s\n", name, bytes->size(), pngSizeText(*bytes).c_str());
    }
  }
}

bool saveImages(Session& s, const std::string& dir, const NamedImages& images) {
  if (!s.files.exists(dir) && !s.files.createFolder(dir)) return false;
  for (const auto& [name, bytes] : images) {
    if (!bytes->empty() && !s.files.writeFile(dir + s.ctx.sep() + name + ".png", *bytes)) return false;
  }
  return true;
}

int runHostCommand(Session& s, const std::string& command, const std::vector<std::string>& args) {
  std::string problem;
  std::optional<HostOperation> op = operationFromArguments(command, args, problem);
  if (!op) return s.usage(problem);
  startAsProgram(s);
  for (std::string& image : op->images)
    if (!image.empty()) image = s.absolute(image);
  Outcome out = locateForOperation(s.ctx, *op);
  if (out.done()) out.add(runOperation(s.ctx, *op));
  const bool done = out.done();
  s.report(out);
  if (op->kind != OperationKind::CreateBackup) return s.done();
  if (s.json) {
    s.out.print("{\"backup\":%s}\n", jsonBool(done).c_str());
  } else {
    s.out.print("backup: %s\n", done ? "made" : "failed");
  }
  return s.done();
}

namespace {

const std::map<std::string, Command>& commandTable() {
  static const std::map<std::string, Command> commands = {
      {"locate", cmdLocate},
      {"status", cmdStatus},
      {"index", cmdIndex},
      {"extract", cmdExtract},
      {"look", cmdLook},
      {"apply", cmdApply},
      {"apply-custom", cmdApplyCustom},
      {"backup", cmdBackup},
      {"reapply", cmdReapply},
      {"themes", cmdThemes},
      {"preview", cmdPreview},
      {"import", cmdImport},
      {"check", cmdCheck},
      {"pack", cmdPack},
      {"find", cmdFind},
  };
  return commands;
}

// The options before the command: where the program lives, the output's form, a location
// given instead of setting.ini's, and the worker's result file.
struct GlobalOptions {
  std::string home, data, resultFile, resultToken;
  std::optional<Language> language;  // --lang zh|en
  bool badLanguage = false;
  std::optional<StoredLocation> location;
  int locationOptions = 0;  // how many of the four location options were given
  bool json = false;
};

// Reads the options before the command into `o`; the index of the first word that is none.
std::size_t readGlobalOptions(const std::vector<std::string>& args, Files& files, GlobalOptions& o) {
  // The location options, each naming one value of a location given instead of setting.ini's.
  const std::map<std::string, std::string StoredLocation::*> locationOptions = {
      {"--host", &StoredLocation::hostFolder},
      {"--host-version", &StoredLocation::hostVersion},
      {"--language-file", &StoredLocation::languageFileName},
      {"--language-folder", &StoredLocation::languageFolder}};
  const std::map<std::string, std::string GlobalOptions::*> valued = {{"--result", &GlobalOptions::resultFile},
                                                                      {"--result-token", &GlobalOptions::resultToken}};
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--json") {
      o.json = true;
    } else if (args[i] == "--lang" && hasValue) {
      o.language = languageNamed(args[++i]);
      o.badLanguage = !o.language;
    } else if ((args[i] == "--home" || args[i] == "--data") && hasValue) {
      std::string& folder = args[i] == "--home" ? o.home : o.data;
      folder = files.absolutePath(args[++i]);
    } else if (locationOptions.count(args[i]) && hasValue) {
      if (!o.location) o.location.emplace();
      (*o.location).*locationOptions.at(args[i]) = args[i + 1];
      ++o.locationOptions;
      ++i;
    } else if (valued.count(args[i]) && hasValue) {
      o.*valued.at(args[i]) = args[i + 1];
      ++i;
    } else {
      break;
    }
  }
  return i;
}

// --host DIR alone: the host in DIR, located as `locate` would locate its Photoshop.exe,
// for this run only (setting.ini keeps the window's host). What stops the location is
// said; false then.
bool locateGivenHost(Session& s, const std::string& folder) {
  const char sep = s.files.separator();
  // "." and ".." parts and links are resolved through the folder on disk, as `locate`
  // resolves the folder of the Photoshop.exe it is given: every path the run builds from
  // the host folder then names the folder that is really there.
  const std::string exe = withTrailingSeparator(s.files.canonicalPath(s.files.absolutePath(folder)), sep) +
                          "Photoshop.exe";
  if (!s.files.exists(exe)) {
    s.fail(textWith(Text::CliHostNoExe, {folder}));
    return false;
  }
  s.questions.executable = exe;
  Outcome located;
  const LocateOutcome outcome = locateHost(s.ctx, located, LocateReason::ForThisRun);
  if (outcome == LocateOutcome::Located || outcome == LocateOutcome::LocatedWithoutLanguage) return true;
  s.report(located);
  s.fail(textWith(Text::CliHostUnworkable, {folder}));
  return false;
}

// A command for the window that started this one: its progress and the outcome of its
// operation written only into the result file the window made (platform/worker_result.h),
// never to another file, which is checked before the command runs; a command that ran
// none (a usage error) leaves no outcome, which the window reads as no result. The exit
// status is the one the outcome calls for, which the window checks.
int runForWindow(Session& session, const Command& command, const std::vector<std::string>& rest,
                 const GlobalOptions& o) {
  const std::unique_ptr<WorkerResultFile> file = WorkerResultFile::open(o.resultFile);
  if (!file) return session.fail(textWith(Text::CliResultFile, {o.resultFile}));
  WorkProgress progress;
  int status = 0;
  {
    CountedIn counted(session.ctx, progress);
    WorkerProgressReporter reporter(*file, progress);
    status = command(session, rest);
  }
  if (!session.operationRan) return status;
  if (!file->writeOutcome(outcomeText(session.result, o.resultToken)))
    return session.fail(textWith(Text::CliResultFile, {o.resultFile}));
  return session.result.done() ? 0 : 1;
}

int runCommand(const std::vector<std::string>& args, Files& files, Output& out, Output& err) {
  GlobalOptions o;
  const std::size_t i = readGlobalOptions(args, files, o);
  // --lang or the system's language until setting.ini, whose folder is still to be found, is read.
  useLanguage(chooseLanguage(o.language, "", systemUiLanguage()));
  // "/?" is how Windows programs are asked for their usage; "help" reads as a command.
  if (i < args.size() && (args[i] == "--help" || args[i] == "-h" || args[i] == "/?" || args[i] == "help")) {
    out.write(kUsage);
    return 0;
  }
  if (i < args.size() && args[i] == "--version") {
    out.print("lumaset-cli %s\n", kProgramVersion);
    return 0;
  }
  if (o.home.empty()) o.home = files.programFolder();
  while (o.home.size() > 1 && o.home.back() == files.separator()) o.home.pop_back();
  bool dataMadeNow = false;
  if (o.data.empty()) {
    const DataFolder chosen = chooseDataFolder(files, o.home);
    o.data = chosen.folder;
    dataMadeNow = chosen.madeNow;
  }

  Session session(files, o.home, o.data, out, err, o.json);
  // The language of the messages: --lang, else setting.ini's, else the system's.
  const std::string stored = files.readProfileString(session.ctx.settingsFile(), kSettingsSection, kKeyLanguage, "");
  useLanguage(chooseLanguage(o.language, stored, systemUiLanguage()));
  if (dataMadeNow) err.print("%s\n", textWith(Text::CliDataApart, {o.home, o.data}).c_str());
  if (o.badLanguage) return session.usage(text(Text::CliLanguageWord));
  if (i >= args.size()) return session.usage("");
  if (o.location && o.locationOptions == 1 && !o.location->hostFolder.empty()) {
    if (!locateGivenHost(session, o.location->hostFolder)) return 1;
    o.location = session.ctx.givenLocation;
  }
  session.ctx.givenLocation = o.location;
  if (o.resultFile.empty() != o.resultToken.empty()) return session.usage(text(Text::CliResultTogether));
  // A location given on the command line (the window's, for its worker) is held to the
  // rules of a stored one, and said when it breaks them rather than asked for again.
  const std::optional<StoredLocation>& location = o.location;
  if (location && !storedLocationIsSound(location->hostFolder, location->languageFileName, location->languageFolder,
                                         files.separator()))
    return session.fail(text(Text::CliLocationUnsound));
  const auto found = commandTable().find(args[i]);
  if (found == commandTable().end()) return session.usage(textWith(Text::CliUnknownCommand, {args[i]}));
  const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  return o.resultFile.empty() ? found->second(session, rest) : runForWindow(session, found->second, rest, o);
}

}  // namespace

int runCli(const std::vector<std::string>& args, Files& files, Output& out, Output& err) {
  // No input may end the program with an uncaught exception: it ends with a message.
  // The language the command chose is the caller's again afterwards (a test's process).
  struct LanguageKept {
    Language before = language();
    ~LanguageKept() { useLanguage(before); }
  } kept;
  try {
    return runCommand(args, files, out, err);
  } catch (const std::exception& e) {
    err.print("%s\n", textWith(Text::CliInternalError, {e.what()}).c_str());
  } catch (...) {
    err.print("%s\n", text(Text::CliInternalErrorUnknown));
  }
  return 1;
}

int runCli(const std::vector<std::string>& args, Files& files, std::FILE* out, std::FILE* err) {
  FileOutput outFile(out), errFile(err);
  const int status = runCli(args, files, outFile, errFile);
  outFile.flush();
  errFile.flush();
  return status;
}

}  // namespace lumaset::cli
