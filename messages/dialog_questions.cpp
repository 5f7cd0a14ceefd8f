#include "messages/dialog_questions.h"

#include "messages/catalogue.h"

namespace lumaset {

std::optional<std::string> DialogQuestions::hostExecutable() {
  return ui_.openFile({"找到 Photoshop 的位置", "Photoshop.exe|Photoshop.exe", ""});
}

std::optional<std::string> DialogQuestions::languageFile(const Outcome& before, const std::string& localesFolder) {
  show(ui_, before);
  return ui_.openFile({"", "*.dat|*.dat", localesFolder});
}

}  // namespace lumaset
