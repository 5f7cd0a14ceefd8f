#include "cli/cli.h"

#include <functional>
#include <map>
#include <set>

#include "app/host_location.h"
#include "app/paths.h"
#include "app/startup.h"
#include "cli/arguments.h"
#include "cli/cli_interaction.h"
#include "cli/json.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"
#include "iconstore/looks.h"
#include "backup/create_backup.h"
#include "backup/refresh_backup.h"
#include "starttext/marker.h"
#include "themes/apply.h"
#include "themes/import.h"
#include "themes/theme_folder.h"
#include "themes/theme_list.h"

namespace lumaset::cli {
namespace {

constexpr int kUsageError = 2;

const char* kUsage =
    "usage: lumaset-cli [--home DIR] [--json] COMMAND ...\n"
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
    "  themes                              the entries of the theme list\n"
    "  preview ENTRY [--save DIR]          what choosing an entry of the theme list shows\n"
    "  import PATH | --package PATH        import a dropped folder or zip, or a chosen package\n";

// Everything one command run needs: the platform, the run state and the output.
struct Session {
  Files& files;
  CliInteraction ui;
  CliView view;
  RunState state;
  Context ctx;
  std::FILE* out;
  std::FILE* err;
  bool json;

  Session(Files& f, std::string home, std::FILE* o, std::FILE* e, bool j)
      : files(f), ui(o, j), ctx{f, ui, view, state, std::move(home)}, out(o), err(e), json(j) {}

  int usage(const std::string& problem) {
    if (!problem.empty()) std::fprintf(err, "lumaset-cli: %s\n", problem.c_str());
    std::fputs(kUsage, err);
    return kUsageError;
  }
  int fail(const std::string& problem) {
    std::fprintf(err, "lumaset-cli: %s\n", problem.c_str());
    return 1;
  }
  int done() const { return ui.errorShown() ? 1 : 0; }
};

// Starts as the window does: settings, startup check and, where the current index
// exists, the parse that the first preview of "[当前]" makes.
StartupOutcome startAsProgram(Session& s) {
  StartupOutcome outcome = runStartup(s.ctx);
  if (outcome.hostKnown && s.files.exists(s.state.currentIndexPath)) showCurrentLook(s.ctx);
  return outcome;
}

std::string absoluteArgument(Session& s, const std::string& path) { return s.files.absolutePath(path); }

std::string pngSize(const Bytes& png) {
  if (png.size() < 24 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return "";
  auto be32 = [&](std::size_t p) {
    return (static_cast<unsigned>(static_cast<unsigned char>(png[p])) << 24) |
           (static_cast<unsigned>(static_cast<unsigned char>(png[p + 1])) << 16) |
           (static_cast<unsigned>(static_cast<unsigned char>(png[p + 2])) << 8) |
           static_cast<unsigned>(static_cast<unsigned char>(png[p + 3]));
  };
  return std::to_string(be32(16)) + "x" + std::to_string(be32(20));
}

using NamedImages = std::pair<const char*, const Bytes*>[3];

void printImages(Session& s, const NamedImages& images) {
  for (const auto& [name, bytes] : images) {
    if (bytes->empty()) {
      std::fprintf(s.out, "%s: none\n", name);
    } else {
      std::fprintf(s.out, "%s: %zu bytes, %s\n", name, bytes->size(), pngSize(*bytes).c_str());
    }
  }
}

// Writes the images that are there as NAME.png into `dir`, creating it when missing.
bool saveImages(Session& s, const std::string& dir, const NamedImages& images) {
  if (!s.files.exists(dir) && !s.files.createFolder(dir)) return false;
  for (const auto& [name, bytes] : images) {
    if (!bytes->empty() && !s.files.writeFile(dir + s.ctx.sep() + name + ".png", *bytes)) return false;
  }
  return true;
}

const char* layoutName(IndexLayout layout) { return layout == IndexLayout::FourPack ? "four-pack" : "two-pack"; }

int cmdLocate(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"--language-file"}, {});
  if (!a.error.empty()) return s.usage(a.error);
  if (a.words.size() != 1) return s.usage("locate takes the path of Photoshop.exe");
  s.ui.queueAnswer(absoluteArgument(s, a.words[0]));
  if (auto language = a.value("--language-file")) {
    s.ui.queueAnswer(absoluteArgument(s, *language));
  } else {
    s.ui.queueAnswer(std::nullopt);
  }
  // On a first start the program itself asks for the host; otherwise the user does.
  StartupOutcome outcome = runStartup(s.ctx);
  if (!outcome.locateRan) locateHost(s.ctx);
  if (s.json) {
    std::fprintf(s.out, "{\"pathBox\":%s}\n", jsonString(s.view.pathBox).c_str());
  } else {
    std::fprintf(s.out, "path box: %s\n", s.view.pathBox.c_str());
  }
  return s.done();
}

int cmdStatus(Session& s, const std::vector<std::string>& args) {
  if (!args.empty()) return s.usage("status takes no arguments");
  startAsProgram(s);
  const RunState& st = s.state;
  bool indexExists = !st.currentIndexPath.empty() && s.files.exists(st.currentIndexPath);
  bool languageExists = s.files.exists(st.languageFilePath);
  bool marker = languageFileCarriesMarker(s.files, st.languageFilePath);
  bool backup = !st.hostFolder.empty() && s.files.exists(backupIndexPath(s.ctx));
  if (s.json) {
    std::fprintf(s.out,
                 "{\"hostFolder\":%s,\"version18\":%s,\"indexPath\":%s,\"indexExists\":%s,\"layout\":\"%s\","
                 "\"records\":%zu,\"languageFile\":%s,\"languageFileExists\":%s,\"marker\":%s,\"backup\":%s}\n",
                 jsonString(st.hostFolder).c_str(), jsonBool(st.version18).c_str(),
                 jsonString(st.currentIndexPath).c_str(), jsonBool(indexExists).c_str(),
                 layoutName(st.records.layout), st.records.count(), jsonString(st.languageFilePath).c_str(),
                 jsonBool(languageExists).c_str(), jsonBool(marker).c_str(), jsonBool(backup).c_str());
  } else {
    auto yes = [](bool b) { return b ? "yes" : "no"; };
    std::fprintf(s.out, "host folder: %s\n", st.hostFolder.c_str());
    std::fprintf(s.out, "version 18 or later: %s\n", yes(st.version18));
    std::fprintf(s.out, "index: %s (%s)\n", st.currentIndexPath.c_str(), indexExists ? "exists" : "missing");
    std::fprintf(s.out, "layout: %s, %zu records\n", layoutName(st.records.layout), st.records.count());
    std::fprintf(s.out, "language file: %s (%s)\n", st.languageFilePath.c_str(),
                 languageExists ? "exists" : "missing");
    std::fprintf(s.out, "startup-text marker: %s\n", yes(marker));
    std::fprintf(s.out, "backup: %s\n", yes(backup));
  }
  return s.done();
}

int cmdIndex(Session& s, const std::vector<std::string>& args) {
  if (args.size() > 1) return s.usage("index takes at most one file");
  startAsProgram(s);
  if (!args.empty()) {
    std::string file = absoluteArgument(s, args[0]);
    if (!parseIndex(s.files.readFile(file), s.state.records, s.ui)) return s.fail("not an icon index: " + file);
  } else if (!s.files.exists(s.state.currentIndexPath)) {
    return s.fail("no current index: " + s.state.currentIndexPath);
  }
  const RecordTable& t = s.state.records;
  if (s.json) {
    std::fprintf(s.out, "{\"layout\":\"%s\",\"records\":[", layoutName(t.layout));
    for (std::size_t n = 1; n <= t.count(); ++n) {
      std::fprintf(s.out, "%s{\"number\":%zu,\"name\":%s,\"lowOffset\":%d,\"lowLength\":%d,\"highOffset\":%d,"
                   "\"highLength\":%d}", n > 1 ? "," : "", n, jsonString(t.name(n)).c_str(),
                   t.offset(n, Pack::LowRes), t.length(n, Pack::LowRes), t.offset(n, Pack::HighRes),
                   t.length(n, Pack::HighRes));
    }
    std::fprintf(s.out, "]}\n");
  } else {
    std::fprintf(s.out, "%s, %zu records\n", layoutName(t.layout), t.count());
    std::fprintf(s.out, "%5s  %-48s %11s %11s %11s %11s\n", "#", "name", "low offset", "low length",
                 "high offset", "high length");
    for (std::size_t n = 1; n <= t.count(); ++n) {
      std::fprintf(s.out, "%5zu  %-48s %11d %11d %11d %11d\n", n, t.name(n).c_str(), t.offset(n, Pack::LowRes),
                   t.length(n, Pack::LowRes), t.offset(n, Pack::HighRes), t.length(n, Pack::HighRes));
    }
  }
  return s.done();
}

int cmdExtract(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"--pack", "-o"}, {"--backup"});
  if (!a.error.empty()) return s.usage(a.error);
  std::optional<std::string> pack = a.value("--pack");
  std::optional<std::string> output = a.value("-o");
  if (a.words.size() != 1 || !pack || !output || (*pack != "low" && *pack != "high"))
    return s.usage("extract NAME --pack low|high [--backup] -o FILE");
  startAsProgram(s);
  if (a.has("--backup") && !parseIndex(s.files.readFile(backupIndexPath(s.ctx)), s.state.records, s.ui))
    return s.fail("no usable backup index: " + backupIndexPath(s.ctx));
  std::string packFolder = folderWithSeparator(s.state.currentIndexPath, s.ctx.sep());
  Bytes image = lookUpImage(s.state.records, s.files, packFolder, a.words[0],
                            *pack == "low" ? Pack::LowRes : Pack::HighRes);
  if (image.empty()) return s.fail("no image named " + a.words[0] + " in the " + *pack + " pack");
  std::string target = absoluteArgument(s, *output);
  if (!s.files.writeFile(target, image)) return s.fail("cannot write " + target);
  if (s.json) {
    std::fprintf(s.out, "{\"file\":%s,\"bytes\":%zu}\n", jsonString(target).c_str(), image.size());
  } else {
    std::fprintf(s.out, "%s: %zu bytes\n", target.c_str(), image.size());
  }
  return s.done();
}

int cmdLook(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"--save"}, {});
  if (!a.error.empty()) return s.usage(a.error);
  if (a.words.size() != 1 || (a.words[0] != "current" && a.words[0] != "default"))
    return s.usage("look current|default [--save DIR]");
  startAsProgram(s);
  Look look = a.words[0] == "current" ? showCurrentLook(s.ctx) : showDefaultLook(s.ctx);
  const NamedImages images = {
      {"splash", &look.splash}, {"dark", &look.darkIcon}, {"light", &look.lightIcon}};
  if (auto folder = a.value("--save")) {
    if (!saveImages(s, absoluteArgument(s, *folder), images)) return s.fail("cannot write into " + *folder);
  }
  const char* overlay = look.overlay == Overlay::Clear ? "clear" : "marked";
  if (s.json) {
    std::fprintf(s.out, "{\"description\":%s,\"startupTextToggle\":%s,\"overlay\":\"%s\"",
                 jsonString(look.description).c_str(), jsonBool(look.startupTextToggle).c_str(), overlay);
    for (const auto& [name, bytes] : images)
      std::fprintf(s.out, ",\"%s\":{\"bytes\":%zu,\"size\":%s}", name, bytes->size(), jsonString(pngSize(*bytes)).c_str());
    std::fprintf(s.out, "}\n");
  } else {
    std::fprintf(s.out, "description: %s\n", look.description.c_str());
    std::fprintf(s.out, "startup-text toggle: %s\n", look.startupTextToggle ? "on" : "off");
    std::fprintf(s.out, "overlay: %s\n", overlay);
    printImages(s, images);
  }
  return s.done();
}

// --hide-text on|off, or nothing when the option is absent; false for another value.
bool readToggle(const Arguments& a, std::optional<bool>& toggle) {
  auto value = a.value("--hide-text");
  if (!value) return true;
  if (*value != "on" && *value != "off") return false;
  toggle = *value == "on";
  return true;
}

int cmdApply(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"--hide-text"}, {});
  std::optional<bool> toggle;
  if (!a.error.empty() || a.words.size() != 1 || !readToggle(a, toggle))
    return s.usage("apply ENTRY [--hide-text on|off]");
  startAsProgram(s);
  const std::string& entry = a.words[0];
  // The toggle is what choosing the entry in the list would set.
  if (entry == kCurrentEntry) {
    s.state.startupTextToggle = languageFileCarriesMarker(s.files, s.state.languageFilePath);
  } else if (entry == kDefaultEntry) {
    s.state.startupTextToggle = false;
  } else {
    s.state.startupTextToggle = themeHidesStartupText(s.ctx, entry);
  }
  if (toggle) s.state.startupTextToggle = *toggle;
  applyFromThemeList(s.ctx, entry);
  return s.done();
}

int cmdApplyCustom(Session& s, const std::vector<std::string>& args) {
  static const char* const kSlotOptions[6] = {"--splash", "--splash2x", "--dark", "--dark2x", "--light", "--light2x"};
  std::set<std::string> valued(std::begin(kSlotOptions), std::end(kSlotOptions));
  valued.insert("--hide-text");
  Arguments a = parseArguments(args, valued, {});
  std::optional<bool> toggle;
  if (!a.error.empty() || !a.words.empty() || !readToggle(a, toggle)) return s.usage("apply-custom: " + a.error);
  startAsProgram(s);
  ImageSlots fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (auto path = a.value(kSlotOptions[i])) fields[i] = absoluteArgument(s, *path);
  }
  s.state.startupTextToggle = toggle.value_or(false);
  applyCustomImages(s.ctx, fields);
  return s.done();
}

int cmdBackup(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {}, {"--refresh"});
  if (!a.error.empty() || !a.words.empty()) return s.usage("backup [--refresh]");
  startAsProgram(s);
  if (a.has("--refresh")) {
    refreshBackup(s.ctx);
    return s.done();
  }
  bool made = createBackup(s.ctx);
  if (s.json) {
    std::fprintf(s.out, "{\"backup\":%s}\n", jsonBool(made).c_str());
  } else {
    std::fprintf(s.out, "backup: %s\n", made ? "made" : "failed");
  }
  return made ? s.done() : 1;
}

int cmdThemes(Session& s, const std::vector<std::string>& args) {
  if (!args.empty()) return s.usage("themes takes no arguments");
  startAsProgram(s);
  std::vector<std::string> entries = themeList(s.ctx);
  if (s.json) {
    std::fprintf(s.out, "[");
    for (std::size_t i = 0; i < entries.size(); ++i) std::fprintf(s.out, "%s%s", i ? "," : "", jsonString(entries[i]).c_str());
    std::fprintf(s.out, "]\n");
  } else {
    for (const std::string& e : entries) std::fprintf(s.out, "%s\n", e.c_str());
  }
  return s.done();
}

int cmdPreview(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"--save"}, {});
  if (!a.error.empty() || a.words.size() > 1) return s.usage("preview ENTRY [--save DIR]");
  startAsProgram(s);
  // No entry at all is the empty entry text, previewed as a theme of that name.
  Preview p = previewEntry(s.ctx, a.words.empty() ? std::string() : a.words[0]);
  const NamedImages images = {
      {"splash", &p.look.splash}, {"dark", &p.look.darkIcon}, {"light", &p.look.lightIcon}};
  if (auto folder = a.value("--save")) {
    if (!saveImages(s, absoluteArgument(s, *folder), images)) return s.fail("cannot write into " + *folder);
  }
  const char* overlay = p.look.overlay == Overlay::Clear ? "clear" : "marked";
  auto onOff = [](bool b) { return b ? "on" : "off"; };
  if (s.json) {
    std::fprintf(s.out,
                 "{\"description\":%s,\"author\":{\"text\":%s,\"target\":%s},\"credit\":{\"text\":%s,\"target\":%s},"
                 "\"indicators\":%s,\"1x\":%s,\"2x\":%s,\"t\":%s,\"startupTextToggle\":%s,\"overlay\":\"%s\"",
                 jsonString(p.look.description).c_str(), jsonString(p.author.text).c_str(),
                 jsonString(p.author.target).c_str(), jsonString(p.credit.text).c_str(),
                 jsonString(p.credit.target).c_str(), jsonBool(p.indicatorsShown).c_str(), jsonBool(p.has1x).c_str(),
                 jsonBool(p.has2x).c_str(), jsonBool(p.hasText).c_str(), jsonBool(p.look.startupTextToggle).c_str(),
                 overlay);
    for (const auto& [name, bytes] : images) std::fprintf(s.out, ",\"%s\":%zu", name, bytes->size());
    std::fprintf(s.out, "}\n");
  } else {
    std::fprintf(s.out, "description: %s\n", p.look.description.c_str());
    std::fprintf(s.out, "author: %s <%s>\n", p.author.text.c_str(), p.author.target.c_str());
    std::fprintf(s.out, "credit: %s <%s>\n", p.credit.text.c_str(), p.credit.target.c_str());
    if (p.indicatorsShown) {
      std::fprintf(s.out, "indicators: 1X %s, 2X %s, T %s\n", onOff(p.has1x), onOff(p.has2x), onOff(p.hasText));
    } else {
      std::fprintf(s.out, "indicators: hidden\n");
    }
    std::fprintf(s.out, "startup-text toggle: %s\n", onOff(p.look.startupTextToggle));
    std::fprintf(s.out, "overlay: %s\n", overlay);
    printImages(s, images);
  }
  return s.done();
}

int cmdImport(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"--package"}, {});
  if (!a.error.empty() || (a.words.size() == 1) == a.has("--package") || a.words.size() > 1)
    return s.usage("import PATH | --package PATH");
  startAsProgram(s);
  if (auto package = a.value("--package")) {
    s.ui.queueAnswer(absoluteArgument(s, *package));
    importThemePackage(s.ctx);
  } else {
    importDroppedItem(s.ctx, absoluteArgument(s, a.words[0]));
  }
  return s.done();
}

}  // namespace

int runCli(const std::vector<std::string>& args, Files& files, std::FILE* out, std::FILE* err) {
  std::string home;
  bool json = false;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    if (args[i] == "--json") {
      json = true;
    } else if (args[i] == "--home" && i + 1 < args.size()) {
      home = files.absolutePath(args[++i]);
    } else {
      break;
    }
  }
  if (home.empty()) home = files.programFolder();
  while (home.size() > 1 && home.back() == files.separator()) home.pop_back();

  Session session(files, home, out, err, json);
  if (i >= args.size()) return session.usage("");
  const std::string command = args[i];
  std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());

  static const std::map<std::string, std::function<int(Session&, const std::vector<std::string>&)>> commands = {
      {"locate", cmdLocate}, {"status", cmdStatus}, {"index", cmdIndex},
      {"extract", cmdExtract}, {"look", cmdLook}, {"apply", cmdApply}, {"apply-custom", cmdApplyCustom},
      {"backup", cmdBackup}, {"themes", cmdThemes}, {"preview", cmdPreview}, {"import", cmdImport},
  };
  auto found = commands.find(command);
  if (found == commands.end()) return session.usage("unknown command " + command);
  return found->second(session, rest);
}

}  // namespace lumaset::cli
