// The command line's side of the interactive calls: every message box is printed to
// standard output (as "[caption] text", or as a JSON line), and the open-file dialogs
// take their answers, in order, from the command's arguments.
#pragma once
#include <cstdio>
#include <deque>
#include <string>

#include "run/run_state.h"
#include "platform/interaction.h"
#include "themes/looks.h"

namespace lumaset::cli {

class CliInteraction : public Interaction {
 public:
  CliInteraction(std::FILE* out, bool json) : out_(out), json_(json) {}

  // The next dialog's answer; a dialog with no answer left counts as cancelled.
  void queueAnswer(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }

  void messageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
  // The command line asks nothing: a question is answered no, and the command says which
  // option answers yes.
  bool askYesNo(const std::string&, const std::string&) override { return false; }
  std::optional<std::string> openFile(const OpenFileRequest& request) override;
  void openFolder(const std::string& path) override;
  void openWebPage(const std::string& url) override;
  void setBusy(bool) override {}

  // A box with the error icon or the caption "错误" was shown.
  bool errorShown() const { return errorShown_; }

 private:
  std::FILE* out_;
  bool json_;
  bool errorShown_ = false;
  std::deque<std::optional<std::string>> answers_;
};

// Keeps what the main window would show: the path box, and the current look after a
// location (computed as the window computes it, with its messages).
class CliView : public HostView {
 public:
  void setPathBox(const std::string& text) override { pathBox = text; }
  void hostLocated() override {
    if (ctx) lastLook = currentLook(*ctx);
  }

  Context* ctx = nullptr;
  std::string pathBox;
  Look lastLook;
};

}  // namespace lumaset::cli
