// The commands about the located host: locate, status, index, extract, look, backup.
#include <cstdio>

#include "backup/backup_layout.h"
#include "backup/edit_session.h"
#include "backup/host_look.h"
#include "backup/undone_look.h"
#include "cli/json.h"
#include "cli/session.h"
#include "formats/command_arguments.h"
#include "formats/path_text.h"
#include "formats/utf.h"
#include "iconstore/host_images.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"
#include "messages/texts.h"
#include "run/host_location.h"
#include "run/index_reading.h"
#include "run/name_rules.h"
#include "starttext/marker.h"
#include "themes/looks.h"

namespace lumaset::cli {
namespace {

const char* layoutName(IndexLayout layout) { return layout == IndexLayout::FourPack ? "four-pack" : "two-pack"; }

// The resources that carry the images the program changes on this host.
std::vector<std::string> hostImages(const RecordTable& table) {
  std::vector<std::string> found;
  for (HostImage image : kHostImages) {
    if (std::optional<std::string> resource = hostResource(table, image)) found.push_back(*resource);
  }
  return found;
}

// Which look the host carries, as status tells it: the host's own, a theme by its name,
// the custom images, or unknown (nothing proves one).
std::string carriedText(const HostLook& look) {
  switch (look.kind) {
    case LookKind::Own:
      return "its own look";
    case LookKind::Theme:
      return "theme " + look.theme;
    case LookKind::Custom:
      return "custom images";
    case LookKind::Unknown:
      break;
  }
  return "unknown";
}

// The look an update took off, which `reapply` gives back: as status tells it, and in
// its json (null when there is none).
std::string undoneText(const std::optional<UndoneLook>& undone) {
  return undone ? carriedText(undone->look) + " (lumaset-cli reapply applies it again)" : "none";
}
std::string undoneJson(const std::optional<UndoneLook>& undone) {
  if (!undone) return "null";
  return std::string("{\"look\":\"") + lookKindName(undone->look.kind) + "\",\"theme\":" + jsonString(undone->look.theme) +
         "}";
}

std::string listText(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text.empty() ? "none" : text;
}

// A path given on the command line, made absolute; "." and ".." parts in its folder
// (which a host folder may not hold) are resolved through the folder on disk, so
// "dir/sub/../host/Photoshop.exe" names the host in "dir/host". The file itself is not
// followed: a linked Photoshop.exe still belongs to the folder it was given in.
std::string givenFile(Session& s, const std::string& path) {
  const std::string absolute = s.absolute(path);
  const char sep = s.ctx.sep();
  const std::string folder = folderWithSeparator(absolute, sep);
  if (folder.empty() || isAbsolutePath(folder, sep)) return absolute;
  return withTrailingSeparator(s.files.canonicalPath(folder), sep) + leafName(absolute, sep);
}

}  // namespace

int cmdLocate(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"--language-file"}, {});
  if (!a.error.empty()) return s.usage(a.error);
  if (a.words.size() != 1) return s.usage("locate takes the path of Photoshop.exe");
  const std::string executable = givenFile(s, a.words[0]);
  const FileInfo exe = s.files.info(executable);
  if (!exe.exists || exe.isFolder) return s.fail(textWith(Text::CliNoFile, {executable}));
  s.questions.executable = executable;
  if (auto language = a.value("--language-file")) s.questions.language = givenFile(s, *language);
  // On a first start the program itself asks for the host; otherwise the user does.
  StartupOutcome outcome = runStartup(s.ctx);
  if (!outcome.locateRan) locateHost(s.ctx, outcome.location);
  s.report(outcome.location);
  // The language file is asked for only when the host has a zh_CN folder.
  if (a.value("--language-file") && s.state.languageAbsent()) s.err.print("%s\n", text(Text::CliNoChineseFolder));
  if (s.json) {
    s.out.print("{\"pathBox\":%s}\n", jsonString(s.view.pathBox).c_str());
  } else {
    s.out.print("path box: %s\n", s.view.pathBox.c_str());
  }
  return s.done();
}

int cmdStatus(Session& s, const std::vector<std::string>& args) {
  if (!args.empty()) return s.usage("status takes no arguments");
  startAsProgram(s);
  const RunState& st = s.state;
  bool indexExists = !st.currentIndexPath.empty() && s.files.exists(st.currentIndexPath);
  bool languageExists = s.files.exists(s.ctx.languageFilePath());
  bool marker = languageFileCarriesMarker(s.files, s.ctx.languageFilePath());
  bool backup = !st.hostFolder.empty() && s.files.exists(backupIndexPath(s.ctx));
  // The start told what reading the index had to say; a damaged one shows no records.
  RecordTable records;
  Outcome told;
  parseIndexFile(s.files, st.currentIndexPath, records, told);
  // Where an edit of this host takes its locks: in every folder it changes.
  std::vector<std::string> locks;
  if (hostPathsSettled(st, s.ctx.sep())) {
    BackupLayout layout = backupLayout(s.ctx);
    followLinks(s.files, layout);
    locks = HostEdit::lockFiles(s.files, hostEditPaths(layout, st));
  }
  const HostLook carried = carriedLook(s.ctx);
  const std::optional<UndoneLook> undone = undoneLook(s.ctx);
  if (s.json) {
    s.out.print(
        "{\"hostFolder\":%s,\"version18\":%s,\"indexPath\":%s,\"indexExists\":%s,\"layout\":\"%s\","
        "\"records\":%zu,\"images\":%s,\"lacks\":%s,\"languageFile\":%s,\"languageFileExists\":%s,"
        "\"startupTextAvailable\":%s,\"marker\":%s,\"backup\":%s,\"carries\":{\"look\":\"%s\",\"theme\":%s},"
        "\"undoneByUpdate\":%s,\"locks\":%s}\n",
        jsonString(st.hostFolder).c_str(), jsonBool(st.release18OrLater).c_str(),
        jsonString(st.currentIndexPath).c_str(), jsonBool(indexExists).c_str(), layoutName(records.layout),
        records.count(), jsonStrings(hostImages(records)).c_str(), jsonStrings(missingImages(records)).c_str(),
        jsonString(s.ctx.languageFilePath()).c_str(), jsonBool(languageExists).c_str(),
        jsonBool(!st.languageAbsent()).c_str(), jsonBool(marker).c_str(), jsonBool(backup).c_str(),
        lookKindName(carried.kind), jsonString(carried.theme).c_str(), undoneJson(undone).c_str(),
        jsonStrings(locks).c_str());
  } else {
    auto yes = [](bool b) { return b ? "yes" : "no"; };
    s.out.print("host folder: %s\n", st.hostFolder.c_str());
    s.out.print("version 18 or later: %s\n", yes(st.release18OrLater));
    s.out.print("index: %s (%s)\n", st.currentIndexPath.c_str(), indexExists ? "exists" : "missing");
    s.out.print("layout: %s, %zu records\n", layoutName(records.layout), records.count());
    s.out.print("images: %s\n", listText(hostImages(records)).c_str());
    s.out.print("lacks: %s\n", listText(missingImages(records)).c_str());
    if (st.languageAbsent()) {
      s.out.print("language file: none (the startup text cannot be changed)\n");
    } else {
      s.out.print("language file: %s (%s)\n", s.ctx.languageFilePath().c_str(), languageExists ? "exists" : "missing");
    }
    s.out.print("startup-text marker: %s\n", yes(marker));
    s.out.print("backup: %s\n", yes(backup));
    s.out.print("host carries: %s\n", carriedText(carried).c_str());
    s.out.print("undone by an update: %s\n", undoneText(undone).c_str());
    s.out.print("locks: %s\n", listText(locks).c_str());
  }
  return s.done();
}

int cmdIndex(Session& s, const std::vector<std::string>& args) {
  if (args.size() > 1) return s.usage("index takes at most one file");
  startAsProgram(s);
  RecordTable t;
  if (!args.empty()) {
    std::string file = s.absolute(args[0]);
    if (s.files.info(file).size > kIndexFileLimit) return s.fail(textWith(Text::CliIndexTooLarge, {file}));
    Outcome read;
    const bool parsed = parseIndexFile(s.files, file, t, read);
    s.report(read);
    if (!parsed) return s.fail(textWith(Text::CliNotAnIndex, {file}));
  } else if (!s.files.exists(s.state.currentIndexPath)) {
    return s.fail(textWith(Text::CliNoCurrentIndex, {s.state.currentIndexPath}));
  } else {
    // The start told what a damaged one had to say; it shows no records.
    Outcome told;
    parseIndexFile(s.files, s.state.currentIndexPath, t, told);
  }
  if (s.json) {
    s.out.print("{\"layout\":\"%s\",\"records\":[", layoutName(t.layout));
    for (std::size_t n = 1; n <= t.count(); ++n) {
      const std::string name = t.name(n);
      const std::string rawName = isValidUtf8(name) ? "" : ",\"name_hex\":\"" + hexText(name) + "\"";
      s.out.print(
          "%s{\"number\":%zu,\"name\":%s%s,\"lowOffset\":%d,\"lowLength\":%d,\"highOffset\":%d,"
          "\"highLength\":%d}",
          n > 1 ? "," : "", n, jsonString(name).c_str(), rawName.c_str(), t.offset(n, Pack::LowRes),
          t.length(n, Pack::LowRes), t.offset(n, Pack::HighRes), t.length(n, Pack::HighRes));
    }
    s.out.print("]}\n");
  } else {
    s.out.print("%s, %zu records\n", layoutName(t.layout), t.count());
    s.out.print("%5s  %-48s %11s %11s %11s %11s\n", "#", "name", "low offset", "low length", "high offset",
                "high length");
    for (std::size_t n = 1; n <= t.count(); ++n) {
      s.out.print("%5zu  %-48s %11d %11d %11d %11d\n", n, t.name(n).c_str(), t.offset(n, Pack::LowRes),
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
  RecordTable records;
  Outcome read;
  if (a.has("--backup")) {
    const bool parsed = parseIndexFile(s.files, backupIndexPath(s.ctx), records, read);
    s.report(read);
    if (!parsed) return s.fail(textWith(Text::CliNoBackupIndex, {backupIndexPath(s.ctx)}));
  } else {
    // The start told what a damaged current index had to say.
    parseIndexFile(s.files, s.state.currentIndexPath, records, read);
  }
  std::string packFolder = folderWithSeparator(s.state.currentIndexPath, s.ctx.sep());
  Bytes image = lookUpImage(records, s.files, packFolder, a.words[0], *pack == "low" ? Pack::LowRes : Pack::HighRes);
  if (image.empty()) return s.fail(textWith(Text::CliNoImageNamed, {a.words[0], *pack}));
  std::string target = s.absolute(*output);
  if (!s.files.writeFile(target, image)) return s.fail(textWith(Text::PackCannotWrite, {target}));
  if (s.json) {
    s.out.print("{\"file\":%s,\"bytes\":%zu}\n", jsonString(target).c_str(), image.size());
  } else {
    s.out.print("%s: %zu bytes\n", target.c_str(), image.size());
  }
  return s.done();
}

int cmdLook(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"--save"}, {});
  if (!a.error.empty()) return s.usage(a.error);
  if (a.words.size() != 1 || (a.words[0] != "current" && a.words[0] != "default"))
    return s.usage("look current|default [--save DIR]");
  startAsProgram(s);
  Look look = a.words[0] == "current" ? currentLook(s.ctx) : defaultLook(s.ctx);
  s.report(look.reports);
  const NamedImages images = {{"splash", &look.splash}, {"dark", &look.darkIcon}, {"light", &look.lightIcon}};
  if (auto folder = a.value("--save")) {
    if (!saveImages(s, s.absolute(*folder), images)) return s.fail(textWith(Text::CliCannotWriteInto, {*folder}));
  }
  const char* overlay = look.overlay == Overlay::Clear ? "clear" : "marked";
  if (s.json) {
    s.out.print(
        "{\"description\":%s,\"startupTextToggle\":%s,\"startupTextAvailable\":%s,\"overlay\":\"%s\","
        "\"hostLacks\":%s",
        jsonString(look.description).c_str(), jsonBool(look.startupTextToggle).c_str(),
        jsonBool(look.startupTextAvailable).c_str(), overlay, jsonStrings(look.hostLacks).c_str());
    for (const auto& [name, bytes] : images)
      s.out.print(",\"%s\":{\"bytes\":%zu,\"size\":%s}", name, bytes->size(), jsonString(pngSizeText(*bytes)).c_str());
    s.out.print("}\n");
  } else {
    s.out.print("description: %s\n", look.description.c_str());
    s.out.print("startup-text toggle: %s\n", !look.startupTextAvailable ? "not available"
                                             : look.startupTextToggle   ? "on"
                                                                        : "off");
    s.out.print("overlay: %s\n", overlay);
    s.out.print("host lacks: %s\n", listText(look.hostLacks).c_str());
    printImages(s, images);
  }
  return s.done();
}

int cmdBackup(Session& s, const std::vector<std::string>& args) { return runHostCommand(s, "backup", args); }
int cmdReapply(Session& s, const std::vector<std::string>& args) { return runHostCommand(s, "reapply", args); }

}  // namespace lumaset::cli
