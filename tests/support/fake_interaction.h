// A scripted stand-in for the interactive calls: dialogs answer from a queue, message
// boxes are recorded with their text, caption and icon, and the view keeps what the
// main window would show.
#pragma once
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "formats/work_names.h"
#include "messages/catalogue.h"
#include "messages/dialog_questions.h"
#include "platform/interaction.h"
#include "platform/worker_result.h"
#include "run/host_location.h"
#include "run/run_state.h"
#include "themes/looks.h"

namespace lumaset::testing {

// The note of a host without a language file, as the user reads it.
inline constexpr const char* kNoLanguageFileText = "这个 Photoshop 没有中文语言文件，启动文字不会修改";

struct RecordedBox {
  std::string text;
  std::string caption;
  MessageIcon icon;
  bool operator==(const RecordedBox&) const = default;
};

// The box that says an apply was done.
inline const RecordedBox kDone{"修改完成", "应用", MessageIcon::None};

// Failures show the box's text and caption rather than its bytes.
inline void PrintTo(const RecordedBox& box, std::ostream* out) {
  *out << "{\"" << box.text << "\", \"" << box.caption << "\"" << (box.icon == MessageIcon::Error ? ", error" : "")
       << "}";
}

// Also answers the questions of a location as the window does, through its dialogs.
class FakeInteraction : public Interaction, public HostQuestions {
 public:
  std::vector<RecordedBox> boxes;
  std::vector<OpenFileRequest> dialogs;
  std::deque<std::optional<std::string>> answers;  // an empty queue cancels
  std::vector<RecordedBox> questions;
  std::deque<bool> yesNo;  // an empty queue answers no
  int busyDepth = 0;
  int maxBusyDepth = 0;

  void messageBox(const std::string& text, const std::string& caption, MessageIcon icon) override {
    boxes.push_back({text, caption, icon});
  }
  bool askYesNo(const std::string& text, const std::string& caption) override {
    questions.push_back({text, caption, MessageIcon::None});
    if (yesNo.empty()) return false;
    bool answer = yesNo.front();
    yesNo.pop_front();
    return answer;
  }
  std::optional<std::string> openFile(const OpenFileRequest& request) override {
    dialogs.push_back(request);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // What the shell was asked to open: folders, and pages or documents.
  std::vector<std::string> openedFolders, openedPages;
  void openFolder(const std::string& path) override { openedFolders.push_back(path); }
  void openWebPage(const std::string& url) override { openedPages.push_back(url); }
  // Text files opened, and whether the next opens succeed.
  std::vector<std::string> openedTexts;
  bool textsOpen = true;
  bool openTextFile(const std::string& path) override {
    openedTexts.push_back(path);
    return textsOpen;
  }
  // What host discovery finds for the host dialog, and every request the core made of it.
  std::vector<FoundHost> foundHosts;
  std::vector<HostRequest> hostRequests;
  std::optional<std::string> hostExecutable(const HostRequest& request) override {
    hostRequests.push_back(request);
    return DialogQuestions(*this, [this] { return Discovery{foundHosts, {}}; }).hostExecutable(request);
  }
  std::optional<std::string> languageFile(const Outcome& before, const std::string& folder) override {
    return DialogQuestions(*this).languageFile(before, folder);
  }

  // Shows what an operation gave, as the window does; whether it was done.
  bool shown(const Outcome& outcome) {
    show(*this, outcome);
    return outcome.done();
  }
  void setBusy(bool busy) override {
    busyDepth += busy ? 1 : -1;
    if (busyDepth > maxBusyDepth) maxBusyDepth = busyDepth;
  }

  // The programs run with administrator rights, and how each ends: by `worker` (which
  // may do what the program would) when it is set, else by `elevatedEnd`.
  struct ElevatedCall {
    std::string program;
    std::vector<std::string> arguments;
  };
  std::vector<ElevatedCall> elevated;
  std::function<int(const std::vector<std::string>&)> worker;
  ElevatedRun::End elevatedEnd = ElevatedRun::End::Declined;
  bool administrator = false;
  bool runsAsAdministrator() override { return administrator; }
  // The texts of the work run while the window stays responsive, run here in turn, and
  // the bytes each counted, done of expected.
  std::vector<std::string> responsiveWork;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> responsiveBytes;
  void runWhileResponsive(const std::string& text, const WorkProgress& progress,
                          const std::function<void()>& work) override {
    responsiveWork.push_back(text);
    work();
    responsiveBytes.emplace_back(progress.done(), progress.total());
  }
  // A worker gets its result file as the platform makes it (empty, under a random name in
  // the temporary folder, "--result FILE" first) and the run returns what it wrote there.
  ElevatedRun runAsAdministrator(const std::string& program, const std::vector<std::string>& arguments,
                                 const std::string&) override {
    elevated.push_back({program, arguments});
    if (!worker) return {elevatedEnd, elevatedEnd == ElevatedRun::End::Finished ? 1 : 0};
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        (std::string(kWorkerResultPrefix) + randomHex(16).value_or("") + std::string(kWorkerResultSuffix));
    std::ofstream(file, std::ios::binary).close();
    std::vector<std::string> all = {"--result", file.string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    ElevatedRun run{ElevatedRun::End::Finished, worker(all)};
    std::ifstream written(file, std::ios::binary);
    run.result.assign(std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>());
    written.close();
    std::filesystem::remove(file);
    return run;
  }
};

// Keeps the path box texts, and the current look that each location shows, computed
// as the window computes it (when it knows its context), with its messages when it
// knows the interaction.
class FakeView : public HostView {
 public:
  Context* ctx = nullptr;
  FakeInteraction* ui = nullptr;
  std::vector<std::string> pathBoxTexts;
  std::vector<Look> looks;
  void setPathBox(const std::string& text) override { pathBoxTexts.push_back(text); }
  void hostLocated() override {
    if (!ctx) return;
    looks.push_back(currentLook(*ctx));
    if (ui) show(*ui, looks.back().reports);
  }
};

// Locates the host as the window's folder button does, showing what the location tells.
inline LocateOutcome locateShown(Context& ctx, FakeInteraction& ui) {
  Outcome out;
  const LocateOutcome result = locateHost(ctx, out);
  ui.shown(out);
  return result;
}

}  // namespace lumaset::testing
