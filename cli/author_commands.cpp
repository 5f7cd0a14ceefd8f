// The commands for theme authors: check a theme folder, pack it as a package.
#include <cstdio>

#include "formats/command_arguments.h"
#include "cli/json.h"
#include "cli/session.h"
#include "formats/path_text.h"
#include "formats/zip_writer.h"
#include "themes/theme_check.h"
#include "themes/theme_folder.h"

namespace lumaset::cli {
namespace {

const char* levelName(FindingLevel level) {
  switch (level) {
    case FindingLevel::Error:
      return "error";
    case FindingLevel::Warning:
      return "warning";
    case FindingLevel::Note:
      return "ok";
  }
  return "ok";
}

// A path, or the name of a theme in the library.
std::string themeFolderOf(Session& s, const std::string& word) {
  const std::string path = s.absolute(word);
  if (s.files.info(path).exists) return path;
  const std::string inLibrary = themeFolder(s.ctx, word);
  return s.files.info(inLibrary).isFolder ? inLibrary : path;
}

ThemeCheck printCheck(Session& s, const std::string& folder) {
  ThemeCheck check = checkThemeFolder(s.ctx, folder);
  for (const Finding& f : check.findings) {
    if (s.json) {
      s.out.print("{\"level\":\"%s\",\"text\":%s}\n", levelName(f.level), jsonString(f.text).c_str());
    } else {
      s.out.print("%s: %s\n", levelName(f.level), f.text.c_str());
    }
  }
  return check;
}

}  // namespace

int cmdCheck(Session& s, const std::vector<std::string>& args) {
  if (args.size() != 1) return s.usage("check THEME");
  startAsProgram(s);
  return printCheck(s, themeFolderOf(s, args[0])).broken() ? 1 : s.done();
}

int cmdPack(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"-o"}, {});
  std::optional<std::string> output = a.value("-o");
  if (!a.error.empty() || a.words.size() != 1 || !output) return s.usage("pack THEME -o FILE.zip");
  startAsProgram(s);
  const std::string folder = themeFolderOf(s, a.words[0]);
  if (printCheck(s, folder).broken()) return s.fail("not packed: the theme has errors");
  // The import takes the package's top-level files as the theme's.
  std::vector<ZipFile> files;
  for (const std::string& name : s.files.fileNames(folder)) {
    files.push_back({name, s.files.readFile(folder + s.ctx.sep() + name)});
  }
  for (const std::string& sub : s.files.subfolders(folder)) {
    s.out.print("warning: the folder %s is not packed: a theme is its top-level files\n", sub.c_str());
  }
  const std::string target = s.absolute(*output);
  const Bytes zip = writeZip(files);
  if (zip.empty() || !s.files.writeFile(target, zip)) return s.fail("cannot write " + target);
  s.out.print("packed %zu files into %s (%zu bytes)\n", files.size(), target.c_str(), zip.size());
  return s.done();
}

}  // namespace lumaset::cli
