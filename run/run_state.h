// The values that describe the located host and the startup-text toggle, held by one
// object for the whole run, and the context that the core's operations work in.
#pragma once
#include <optional>
#include <string>

#include "edits/edit_access.h"
#include "platform/files.h"
#include "run/outcome.h"

namespace lumaset {

struct RunState {
  std::string hostFolder;  // with trailing separator once located
  std::string currentIndexPath;
  // Release 18 (CC 2017) and every later one: their splash draws no startup texts that
  // the language file changes.
  bool release18OrLater = false;
  // Both empty when the host has no language file to edit (no zh_CN): nothing then
  // touches the startup text.
  std::string languageFolder;  // without trailing separator
  std::string languageFileName;
  std::string languageBackupFolder;
  // The front end's toggle (the window's check box, the command line's option); the core
  // never reads it, an apply takes the toggle as an argument.
  bool startupTextToggle = false;

  // A located host without a language file.
  bool languageAbsent() const { return !hostFolder.empty() && languageFolder.empty() && languageFileName.empty(); }
  // The host's language file: language folder + separator + file name; empty when absent.
  std::string languageFilePath(char sep) const {
    return languageFolder.empty() && languageFileName.empty() ? std::string() : languageFolder + sep + languageFileName;
  }
};

// What the front end shows of the host while an operation runs: the path box, and the
// current look once a location has settled a host (the front end computes and shows it).
class HostView {
 public:
  virtual ~HostView() = default;
  virtual void setPathBox(const std::string& text) = 0;
  virtual void hostLocated() = 0;
};

// Why a location asks for the host's Photoshop.exe, and what the run knows already.
struct HostRequest {
  bool firstStart = false;        // no host is stored in the settings: the program's first start
  std::string currentHostFolder;  // the located host's folder; empty when none is located
};

// The questions that locating a host asks; the front end answers them (the window with
// its dialogs, the command line from its arguments).
class HostQuestions {
 public:
  virtual ~HostQuestions() = default;
  // The host's Photoshop.exe; nothing when the user gives none.
  virtual std::optional<std::string> hostExecutable(const HostRequest& request) = 0;
  // A language file picked by hand in `localesFolder`, once what the location found so
  // far (`before`, which ends with why it asks) has been told; nothing when none is given.
  virtual std::optional<std::string> languageFile(const Outcome& before, const std::string& localesFolder) = 0;
};

// The four values that setting.ini keeps of a location, as a caller may hand them instead
// (the window to its elevated worker, on the worker's command line, which no other
// process can change).
struct StoredLocation {
  std::string hostFolder;
  std::string hostVersion;
  std::string languageFileName;
  std::string languageFolder;
};

// What the core's operations work in. It reads through `files`; it changes nothing but
// through the edit of the host (`hostEdits`, which only HostEdit can use) and the
// program's own setting.ini (`writeSetting`).
class Context {
 public:
  // `dataFolder_` holds setting.ini and the theme library; empty, it is the program folder.
  Context(Files& system, HostQuestions& questions_, HostView& view_, RunState& state_, std::string programFolder_,
          std::string dataFolder_ = {})
      : files(system),
        questions(questions_),
        view(view_),
        state(state_),
        programFolder(std::move(programFolder_)),
        dataFolder(dataFolder_.empty() ? programFolder : std::move(dataFolder_)),
        system_(system) {}

  SystemReading& files;
  HostQuestions& questions;
  HostView& view;
  RunState& state;
  std::string programFolder;  // without trailing separator: the guide, the template, the themes shipped
  std::string dataFolder;     // without trailing separator: setting.ini and the theme library
  // The location to start from instead of the one setting.ini holds.
  std::optional<StoredLocation> givenLocation;
  // Where the steps that copy or hash whole files count their bytes; none: not counted.
  WorkProgress* progress = nullptr;

  char sep() const { return files.separator(); }
  std::string settingsFile() const { return dataFolder + sep() + "setting.ini"; }
  std::string languageFilePath() const { return state.languageFilePath(sep()); }

  EditAccess hostEdits() const { return EditAccess(system_); }
  // Writes a value of setting.ini, the only file outside the edit the core writes.
  bool writeSetting(const std::string& section, const std::string& key, const std::string& value) {
    return system_.writeProfileString(settingsFile(), section, key, value);
  }

 private:
  Files& system_;
};

// Hands `progress` to the steps of the context's operations for as long as it lives.
class CountedIn {
 public:
  CountedIn(Context& ctx, WorkProgress& progress) : ctx_(ctx) { ctx_.progress = &progress; }
  ~CountedIn() { ctx_.progress = nullptr; }
  CountedIn(const CountedIn&) = delete;
  CountedIn& operator=(const CountedIn&) = delete;

 private:
  Context& ctx_;
};

}  // namespace lumaset
