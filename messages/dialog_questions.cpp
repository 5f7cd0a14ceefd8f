#include "messages/dialog_questions.h"

#include <utility>

#include "messages/catalogue.h"

namespace lumaset {
namespace {

// The first start's box: what the program needs, and the folder found for it, if any.
std::string firstStartText(const std::string& foundFolder) {
  std::string said = text(Text::FirstStart);
  if (!foundFolder.empty()) said += textWith(Text::FirstStartFound, {foundFolder});
  return said;
}

}  // namespace

std::optional<std::string> DialogQuestions::hostExecutable(const HostRequest& request) {
  if (chosen_) return std::exchange(chosen_, std::nullopt);
  std::string found;
  // A located host is where the user most likely goes again; only without one is the
  // system searched.
  if (request.currentHostFolder.empty() && findHosts_) {
    const Discovery discovery = findHosts_();
    if (!discovery.hosts.empty()) found = discovery.hosts.front().folder;
    show(ui_, discovery.limits);
  }
  if (request.firstStart) ui_.messageBox(firstStartText(found), text(Text::FindHostCaption), MessageIcon::None);
  const std::string folder = request.currentHostFolder.empty() ? found : request.currentHostFolder;
  return ui_.openFile({text(Text::FindHostTitle), "Photoshop.exe|Photoshop.exe", folder, "Photoshop.exe"});
}

std::optional<std::string> DialogQuestions::languageFile(const Outcome& before, const std::string& localesFolder) {
  show(ui_, before);
  return ui_.openFile({"", "*.dat|*.dat", localesFolder});
}

}  // namespace lumaset
