// The interactive side of the platform: message boxes, the open-file dialog, the shell's
// folder and web-page openers and the wait cursor. Tests replace it with a scripted fake.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/work_progress.h"

namespace lumaset {

enum class MessageIcon { None, Error };

// Caption of a message box whose caller names none.
inline constexpr const char* kDefaultCaption = "信息：";

struct OpenFileRequest {
  std::string title;          // empty: the dialog's own title
  std::string filter;         // description|pattern pairs joined by '|'
  std::string initialFolder;  // empty: none
  std::string fileName;       // the file name the dialog opens with; empty: none
};

// How a program started with administrator rights ended.
struct ElevatedRun {
  enum class End { Finished, Declined, NotStarted };
  End end = End::NotStarted;
  int exitCode = 0;   // of a finished run; -1 when it could not be read
  unsigned error = 0;  // why it did not start: the system's error code
  std::string result;  // what a finished run wrote into its result file, whole (platform/worker_result.h)
};

class Interaction {
 public:
  virtual ~Interaction() = default;
  virtual void messageBox(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
  // A question with the buttons yes and no; true for yes.
  virtual bool askYesNo(const std::string& text, const std::string& caption) = 0;
  // The chosen path, or nothing when the dialog was cancelled or failed.
  virtual std::optional<std::string> openFile(const OpenFileRequest& request) = 0;
  virtual void openFolder(const std::string& path) = 0;
  virtual void openWebPage(const std::string& url) = 0;
  // Opens a text file in the program the system has for it, else in Notepad; false when
  // neither opened it.
  virtual bool openTextFile(const std::string& path) = 0;
  // Shows or takes down the wait cursor.
  virtual void setBusy(bool busy) = 0;
  // Runs `work` and returns when it has ended. A window keeps painting meanwhile and takes
  // no input (so no second operation starts and a close waits for the end), and shows
  // `text` in a progress window when the work outlasts half a second, with the bytes
  // `work` counts into `progress` once it expects any. `work` must not touch the window:
  // it runs on a thread of its own there.
  virtual void runWhileResponsive(const std::string& text, const WorkProgress& progress,
                                  const std::function<void()>& work) = 0;
  // Runs `program` with `arguments` and administrator rights, once the system's consent
  // prompt has been answered yes, and waits for it to end; Declined when the user said no.
  // The program gets "--result FILE" before `arguments`: a result file made for this run
  // alone, whose text the run returns (see platform/worker_result.h). A window shows
  // `text` in a progress window when the run outlasts half a second, with the bytes of
  // the file's progress line.
  virtual ElevatedRun runAsAdministrator(const std::string& program, const std::vector<std::string>& arguments,
                                         const std::string& text) = 0;
  // Whether this process already runs with administrator rights (more it cannot get).
  virtual bool runsAsAdministrator() = 0;
};

// Shows the wait cursor for as long as it lives.
class BusyCursor {
 public:
  explicit BusyCursor(Interaction& ui) : ui_(ui) { ui_.setBusy(true); }
  ~BusyCursor() { ui_.setBusy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Interaction& ui_;
};

}  // namespace lumaset
