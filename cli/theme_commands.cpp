// The commands about themes: apply, apply-custom, themes, preview, import.
#include <cstdio>

#include "cli/json.h"
#include "cli/session.h"
#include "formats/command_arguments.h"
#include "messages/import_messages.h"
#include "messages/texts.h"
#include "themes/import.h"
#include "themes/looks.h"
#include "themes/theme_folder.h"
#include "themes/theme_list.h"

namespace lumaset::cli {
int cmdApply(Session& s, const std::vector<std::string>& args) { return runHostCommand(s, "apply", args); }

int cmdApplyCustom(Session& s, const std::vector<std::string>& args) { return runHostCommand(s, "apply-custom", args); }

int cmdThemes(Session& s, const std::vector<std::string>& args) {
  if (!args.empty()) return s.usage("themes takes no arguments");
  startAsProgram(s);
  std::vector<std::string> entries = themeList(s.ctx);
  if (s.json) {
    s.out.print("[");
    for (std::size_t i = 0; i < entries.size(); ++i) s.out.print("%s%s", i ? "," : "", jsonString(entries[i]).c_str());
    s.out.print("]\n");
  } else {
    for (const std::string& e : entries) s.out.print("%s\n", e.c_str());
  }
  return s.done();
}

int cmdPreview(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"--save"}, {});
  if (!a.error.empty() || a.words.size() > 1) return s.usage("preview ENTRY [--save DIR]");
  startAsProgram(s);
  // No entry at all is the empty entry text, previewed as a theme of that name.
  Preview p = previewEntry(s.ctx, a.words.empty() ? std::string() : a.words[0]);
  s.report(p.look.reports);
  const NamedImages images = {{"splash", &p.look.splash}, {"dark", &p.look.darkIcon}, {"light", &p.look.lightIcon}};
  if (auto folder = a.value("--save")) {
    if (!saveImages(s, s.absolute(*folder), images)) return s.fail(textWith(Text::CliCannotWriteInto, {*folder}));
  }
  const char* overlay = p.look.overlay == Overlay::Clear ? "clear" : "marked";
  auto onOff = [](bool b) { return b ? "on" : "off"; };
  if (s.json) {
    s.out.print(
        "{\"description\":%s,\"author\":{\"text\":%s,\"target\":%s},\"credit\":{\"text\":%s,\"target\":%s},"
        "\"indicators\":%s,\"1x\":%s,\"2x\":%s,\"t\":%s,\"startupTextToggle\":%s,"
        "\"startupTextAvailable\":%s,\"overlay\":\"%s\",\"hostLacks\":%s",
        jsonString(p.look.description).c_str(), jsonString(p.author.text).c_str(), jsonString(p.author.target).c_str(),
        jsonString(p.credit.text).c_str(), jsonString(p.credit.target).c_str(), jsonBool(p.indicatorsShown).c_str(),
        jsonBool(p.has1x).c_str(), jsonBool(p.has2x).c_str(), jsonBool(p.hasText).c_str(),
        jsonBool(p.look.startupTextToggle).c_str(), jsonBool(p.look.startupTextAvailable).c_str(), overlay,
        jsonStrings(p.look.hostLacks).c_str());
    for (const auto& [name, bytes] : images) s.out.print(",\"%s\":%zu", name, bytes->size());
    s.out.print("}\n");
  } else {
    s.out.print("description: %s\n", p.look.description.c_str());
    s.out.print("author: %s <%s>\n", p.author.text.c_str(), p.author.target.c_str());
    s.out.print("credit: %s <%s>\n", p.credit.text.c_str(), p.credit.target.c_str());
    if (p.indicatorsShown) {
      s.out.print("indicators: 1X %s, 2X %s, T %s\n", onOff(p.has1x), onOff(p.has2x), onOff(p.hasText));
    } else {
      s.out.print("indicators: hidden\n");
    }
    s.out.print("startup-text toggle: %s\n",
                p.look.startupTextAvailable ? onOff(p.look.startupTextToggle) : "not available");
    s.out.print("overlay: %s\n", overlay);
    if (!p.look.hostLacks.empty()) {
      std::string list;
      for (const std::string& name : p.look.hostLacks) list += (list.empty() ? "" : ", ") + name;
      s.out.print("host lacks: %s\n", list.c_str());
    }
    printImages(s, images);
  }
  return s.done();
}

int cmdImport(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"--package"}, {"--replace"});
  std::vector<std::string> paths;
  if (auto package = a.value("--package")) paths.push_back(*package);
  paths.insert(paths.end(), a.words.begin(), a.words.end());
  if (!a.error.empty() || paths.empty() || (a.has("--package") && paths.size() > 1))
    return s.usage("import PATH... [--replace] | --package PATH [--replace]");
  startAsProgram(s);
  for (std::string& path : paths) path = s.absolute(path);
  const bool replace = a.has("--replace");
  std::vector<ImportOutcome> outcomes =
      importThemes(s.files, themeLibrary(s.ctx), paths, [replace](const std::string&) { return replace; });
  if (std::optional<ImportMessage> m = importMessage(outcomes, false)) s.ui.messageBox(m->text, m->caption, m->icon);
  bool declined = false, allAdded = true;
  for (const ImportOutcome& o : outcomes) {
    declined = declined || o.result == ImportResult::Declined;
    allAdded = allAdded && o.added();
  }
  if (declined) s.err.print("%s\n", text(Text::CliReplaceNote));
  return allAdded ? 0 : 1;
}

}  // namespace lumaset::cli
