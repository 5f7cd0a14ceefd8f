#include "run/data_folder.h"

#include <vector>

#include "formats/path_text.h"

namespace lumaset {

namespace {

// The program folder takes the settings when a file can be made in it and its setting.ini,
// if it is a file, can be written. Anything else standing there (a folder, a pipe) is
// refused by the settings' own reads and writes, as it always was.
bool programFolderWritable(Files& files, const std::string& programFolder) {
  const std::string settings = programFolder + files.separator() + "setting.ini";
  return files.mayChange(programFolder) &&
         (files.entryKind(settings) != EntryKind::File || files.mayChange(settings));
}

// A program folder that is not there (a --home to be made) is none that refuses writes.
bool programFolderRefuses(Files& files, const std::string& programFolder) {
  return files.info(programFolder).isFolder && !programFolderWritable(files, programFolder);
}

// Makes `folder` and those of its parents that are missing, outermost first.
bool makeFolders(Files& files, const std::string& folder) {
  std::vector<std::string> missing;
  const std::string_view separators = separatorsFor(files.separator());
  for (std::string f = folder; !f.empty() && !files.info(f).isFolder; f = folderOf(f, separators))
    missing.push_back(f);
  for (auto it = missing.rbegin(); it != missing.rend(); ++it)
    if (!files.createFolder(*it)) return false;
  return files.info(folder).isFolder;
}

}  // namespace

DataFolder chooseDataFolder(Files& files, const std::string& programFolder) {
  if (!programFolderRefuses(files, programFolder)) return {programFolder};
  std::string user = files.userDataFolder();
  while (user.size() > 1 && user.back() == files.separator()) user.pop_back();
  if (user.empty()) return {programFolder};
  const std::string library = user + files.separator() + "LumasetTheme";
  const bool existed = files.info(library).isFolder;
  if (!existed && !makeFolders(files, library)) return {programFolder};
  return {user, true, !existed};
}

}  // namespace lumaset
