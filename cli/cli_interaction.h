// The command line's side of the interactive calls: every message box is printed to
// standard output (as "[caption] text", or as a JSON line); the questions of a location
// are answered from the command's arguments.
#pragma once
#include <string>

#include "cli/output.h"
#include "platform/interaction.h"
#include "run/run_state.h"
#include "themes/looks.h"

namespace lumaset::cli {

class CliInteraction : public Interaction {
 public:
  CliInteraction(Output& out, bool json) : out_(out), json_(json) {}

  void messageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
  // The command line asks nothing: a question is answered no, and the command says which
  // option answers yes.
  bool askYesNo(const std::string&, const std::string&) override { return false; }
  // No dialog opens on the command line.
  std::optional<std::string> openFile(const OpenFileRequest&) override { return std::nullopt; }
  void openFolder(const std::string& path) override;
  void openWebPage(const std::string& url) override;
  bool openTextFile(const std::string& path) override;
  void setBusy(bool) override {}
  void runWhileResponsive(const std::string&, const WorkProgress&, const std::function<void()>& work) override {
    work();
  }
  // The command line never raises its own rights: it says that it needs them.
  ElevatedRun runAsAdministrator(const std::string&, const std::vector<std::string>&, const std::string&) override {
    return {};
  }
  bool runsAsAdministrator() override { return false; }

 private:
  Output& out_;
  bool json_;
};

// The answers of `locate`: the host's executable and the language file it names; a
// command that names none answers nothing, as a cancelled dialog does. What the location
// found before asking for the language file is printed first.
class CliQuestions : public HostQuestions {
 public:
  explicit CliQuestions(Interaction& ui) : ui_(ui) {}
  std::optional<std::string> executable;
  std::optional<std::string> language;

  std::optional<std::string> hostExecutable(const HostRequest&) override { return executable; }
  std::optional<std::string> languageFile(const Outcome& before, const std::string& localesFolder) override;

 private:
  Interaction& ui_;
};

struct Session;

// Keeps what the main window would show: the path box, and the current look after a
// location (computed as the window computes it, with its messages).
class CliView : public HostView {
 public:
  void setPathBox(const std::string& text) override { pathBox = text; }
  void hostLocated() override;

  Context* ctx = nullptr;
  Session* session = nullptr;
  std::string pathBox;
  Look lastLook;
};

}  // namespace lumaset::cli
