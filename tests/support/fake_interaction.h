// A scripted stand-in for the interactive calls: dialogs answer from a queue, message
// boxes are recorded with their text, caption and icon, and the view keeps what the
// main window would show.
#pragma once
#include <ostream>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "run/run_state.h"
#include "platform/interaction.h"
#include "themes/looks.h"

namespace lumaset::testing {

struct RecordedBox {
  std::string text;
  std::string caption;
  MessageIcon icon;
  bool operator==(const RecordedBox&) const = default;
};

// Failures show the box's text and caption rather than its bytes.
inline void PrintTo(const RecordedBox& box, std::ostream* out) {
  *out << "{\"" << box.text << "\", \"" << box.caption << "\"" << (box.icon == MessageIcon::Error ? ", error" : "")
       << "}";
}

class FakeInteraction : public Interaction {
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
  void openFolder(const std::string&) override {}
  void openWebPage(const std::string&) override {}
  void setBusy(bool busy) override {
    busyDepth += busy ? 1 : -1;
    if (busyDepth > maxBusyDepth) maxBusyDepth = busyDepth;
  }
};

// Keeps the path box texts, and the current look that each location shows, computed
// as the window computes it (when it knows its context).
class FakeView : public HostView {
 public:
  Context* ctx = nullptr;
  std::vector<std::string> pathBoxTexts;
  std::vector<Look> looks;
  void setPathBox(const std::string& text) override { pathBoxTexts.push_back(text); }
  void hostLocated() override {
    if (ctx) looks.push_back(currentLook(*ctx));
  }
};

}  // namespace lumaset::testing
