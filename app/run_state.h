// The values that describe the located host and the startup-text toggle, held by one
// object for the whole run, and the context that the core's operations work in.
#pragma once
#include <string>

#include "iconstore/record_table.h"
#include "platform/files.h"
#include "platform/interaction.h"

namespace lumaset {

struct RunState {
  std::string hostFolder;          // with trailing separator once located
  std::string currentIndexPath;
  bool version18 = false;
  std::string languageFolder;      // without trailing separator
  std::string languageFileName;
  std::string languageFilePath;
  std::string languageBackupFolder;
  bool startupTextToggle = false;
  RecordTable records;             // the index parsed last
};

struct Look;

// What the main window shows of the host: the path box and a look (splash, icons,
// description, toggle, overlay). The command line prints it or keeps it.
class HostView {
 public:
  virtual ~HostView() = default;
  virtual void setPathBox(const std::string& text) = 0;
  virtual void showLook(const Look& look) = 0;
};

struct Context {
  Files& files;
  Interaction& ui;
  HostView& view;
  RunState& state;
  std::string programFolder;  // without trailing separator

  char sep() const { return files.separator(); }
  std::string settingsFile() const { return programFolder + sep() + "setting.ini"; }
};

}  // namespace lumaset
