// Everything one command run needs: the platform, the run state and the output, and the
// helpers the commands share.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_interaction.h"
#include "cli/output.h"
#include "run/startup.h"

namespace lumaset::cli {

inline constexpr int kUsageError = 2;

extern const char* const kUsage;

struct Session {
  Files& files;
  CliInteraction ui;
  CliQuestions questions;
  CliView view;
  RunState state;
  Context ctx;
  Output& out;
  Output& err;
  bool json;
  // An operation was refused or failed, or a look could not read its index: exit 1.
  bool troubled = false;
  // What the operations of the command reported, joined, for --result.
  Outcome result;
  bool operationRan = false;

  Session(Files& f, std::string home, std::string data, Output& o, Output& e, bool j)
      : files(f),
        ui(o, j),
        questions(ui),
        ctx{f, questions, view, state, std::move(home), std::move(data)},
        out(o),
        err(e),
        json(j) {
    view.ctx = &ctx;
    view.session = this;
  }

  int usage(const std::string& problem) {
    if (!problem.empty()) err.print("lumaset-cli: %s\n", problem.c_str());
    err.write(kUsage);
    return kUsageError;
  }
  int fail(const std::string& problem) {
    err.print("lumaset-cli: %s\n", problem.c_str());
    return 1;
  }
  int done() const { return troubled ? 1 : 0; }
  // Prints what an operation had to tell; anything but done makes the exit status 1.
  void report(const Outcome& outcome);
  // Prints what reading an index had to tell a look; such a look is trouble.
  void report(const std::vector<Report>& lookReports);
  std::string absolute(const std::string& path) { return files.absolutePath(path); }
};

// Starts as the window does: settings, startup check (a first start's location printed)
// and, where the current index exists, the parse that the first preview of "[当前]"
// makes; what they tell is printed without bearing on the exit status.
StartupOutcome startAsProgram(Session& s);

// The three images of a look or a preview, by the names the output gives them.
using NamedImages = std::pair<const char*, const Bytes*>[3];

// "WxH" of a PNG, empty when the bytes are no PNG.
std::string pngSizeText(const Bytes& png);
void printImages(Session& s, const NamedImages& images);
// Writes the images that are there as NAME.png into `dir`, creating it when missing.
bool saveImages(Session& s, const std::string& dir, const NamedImages& images);

// The operations on the host (apply, apply-custom, backup): read from the words as the
// window's worker gets them, the host located first, then run; "backup" says whether
// it made the backup.
int runHostCommand(Session& s, const std::string& command, const std::vector<std::string>& args);

using Command = int (*)(Session&, const std::vector<std::string>&);
int cmdFind(Session& s, const std::vector<std::string>& args);
int cmdLocate(Session& s, const std::vector<std::string>& args);
int cmdStatus(Session& s, const std::vector<std::string>& args);
int cmdIndex(Session& s, const std::vector<std::string>& args);
int cmdExtract(Session& s, const std::vector<std::string>& args);
int cmdLook(Session& s, const std::vector<std::string>& args);
int cmdBackup(Session& s, const std::vector<std::string>& args);
int cmdReapply(Session& s, const std::vector<std::string>& args);
int cmdApply(Session& s, const std::vector<std::string>& args);
int cmdApplyCustom(Session& s, const std::vector<std::string>& args);
int cmdThemes(Session& s, const std::vector<std::string>& args);
int cmdPreview(Session& s, const std::vector<std::string>& args);
int cmdImport(Session& s, const std::vector<std::string>& args);
int cmdCheck(Session& s, const std::vector<std::string>& args);
int cmdPack(Session& s, const std::vector<std::string>& args);

}  // namespace lumaset::cli
