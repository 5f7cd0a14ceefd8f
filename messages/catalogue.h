// The system's messages: the text, caption and icon of every report an operation gives,
// in one place, and their showing through the platform's message boxes. The window and
// the command line both show outcomes through here.
#pragma once
#include <string>
#include <vector>

#include "platform/interaction.h"
#include "run/outcome.h"

namespace lumaset {

// The progress window's text while an operation changes the host's files, in the window
// or in its elevated worker.
inline constexpr const char* kWorkingText = "正在修改 Photoshop 的文件，请稍候…";

struct Message {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::None;
  bool operator==(const Message&) const = default;
};

// The message of one report.
Message messageFor(const Report& report);
// The messages of reports in order; a report marked `sameMessage` adds a line to the
// message before it, whose caption and icon it keeps.
std::vector<Message> messagesOf(const std::vector<Report>& reports);

// Shows each message of the reports as a message box.
void show(Interaction& ui, const std::vector<Report>& reports);
void show(Interaction& ui, const Outcome& outcome);

}  // namespace lumaset
