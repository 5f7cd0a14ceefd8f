// The commands for theme authors: check a theme folder, pack it as a package.
#include <algorithm>
#include <cstdio>

#include "cli/json.h"
#include "cli/session.h"
#include "formats/command_arguments.h"
#include "formats/path_text.h"
#include "formats/zip_writer.h"
#include "messages/catalogue.h"
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

// The level's word in the program's language.
const char* levelWord(FindingLevel level) {
  switch (level) {
    case FindingLevel::Error:
      return text(Text::CheckError);
    case FindingLevel::Warning:
      return text(Text::CheckWarning);
    case FindingLevel::Note:
      return text(Text::CheckOk);
  }
  return text(Text::CheckOk);
}

// One line per finding: "ok: …" (in Chinese "正常：…"); with --json the level in English
// and the text in the program's language.
ThemeCheck printCheck(Session& s, const std::string& folder) {
  ThemeCheck check = checkThemeFolder(s.ctx, folder);
  const char* colon = language() == Language::Chinese ? "：" : ": ";
  for (const Finding& f : check.findings) {
    const std::string said = findingText(f);
    if (s.json) {
      s.out.print("{\"level\":\"%s\",\"text\":%s}\n", levelName(f.level), jsonString(said).c_str());
    } else {
      s.out.print("%s%s%s\n", levelWord(f.level), colon, said.c_str());
    }
  }
  return check;
}

// The files a theme is made of, the ones a package carries: info.ini, the six images, the
// startup text, and the T mark's file of older releases, which they still read.
std::vector<std::string> themeFileNames() {
  std::vector<std::string> names = {kThemeInfo};
  for (const ThemeImage& image : kThemeImages) names.push_back(image.file);
  names.push_back(kThemeText);
  names.push_back(kObsoleteTextMarker);
  return names;
}

// The theme's own files of the folder, each under its name in the theme; every other file
// goes into `leftOut`. A name in other letter case is the theme's file where the system
// finds it under the theme's name, as the program then reads it (both builds do).
std::vector<ZipFile> themeFilesOf(Session& s, const std::string& folder, std::vector<std::string>& leftOut) {
  std::vector<std::string> present = s.files.fileNames(folder);
  std::vector<ZipFile> files;
  for (const std::string& name : themeFileNames()) {
    const std::string path = folder + s.ctx.sep() + name;
    auto found = std::find(present.begin(), present.end(), name);
    if (found == present.end() && s.files.exists(path))
      found = std::find_if(present.begin(), present.end(), [&](const std::string& p) { return asciiLower(p) == name; });
    if (found == present.end()) continue;
    files.push_back({name, s.files.readFile(path)});
    present.erase(found);
  }
  leftOut = std::move(present);
  return files;
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
  if (printCheck(s, folder).broken()) return s.fail(text(Text::PackRefused));
  std::vector<std::string> leftOut;
  const std::vector<ZipFile> files = themeFilesOf(s, folder, leftOut);
  for (const std::string& sub : s.files.subfolders(folder)) leftOut.push_back(sub + "/");
  if (!leftOut.empty()) {
    std::string list;
    for (const std::string& name : leftOut) list += (list.empty() ? "" : ", ") + name;
    s.out.print("%s\n", textWith(Text::PackLeftOut, {list}).c_str());
  }
  const std::string target = s.absolute(*output);
  const Bytes zip = writeZip(files);
  if (zip.empty() || !s.files.writeFile(target, zip)) return s.fail(textWith(Text::PackCannotWrite, {target}));
  const std::string packed = textWith(Text::Packed, {std::to_string(files.size()), target, std::to_string(zip.size())});
  s.out.print("%s\n", packed.c_str());
  return s.done();
}

}  // namespace lumaset::cli
