// The questions of locating a host, answered by the user through the platform's dialogs:
// what the location found so far is shown first, then the open-file dialog. The dialog
// for Photoshop.exe starts in the located host's folder, else in the newest host that
// discovery finds, with the file name filled in; on the first start a box says first
// what the program needs.
#pragma once
#include <functional>
#include <vector>

#include "platform/interaction.h"
#include "run/host_discovery.h"
#include "run/run_state.h"

namespace lumaset {

// The installed hosts, newest first, and the limits the search met; called only when a
// dialog is about to open, since it reads the registry and the disk.
using HostFinder = std::function<Discovery()>;

class DialogQuestions : public HostQuestions {
 public:
  // Without a finder the dialog starts where the located host is, or where the system
  // opens it.
  explicit DialogQuestions(Interaction& ui, HostFinder findHosts = {}) : ui_(ui), findHosts_(std::move(findHosts)) {}
  std::optional<std::string> hostExecutable(const HostRequest& request) override;
  // The next question for the host's Photoshop.exe takes `exe` without a dialog: the
  // user chose it already (a host the window offered).
  void answerNextWith(std::string exe) { chosen_ = std::move(exe); }
  std::optional<std::string> languageFile(const Outcome& before, const std::string& localesFolder) override;

 private:
  Interaction& ui_;
  HostFinder findHosts_;
  std::optional<std::string> chosen_;
};

}  // namespace lumaset
