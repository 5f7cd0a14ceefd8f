#include "cli/cli_interaction.h"

#include "cli/json.h"
#include "messages/catalogue.h"
#include "messages/texts.h"

namespace lumaset::cli {

void CliInteraction::messageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
  if (json_) {
    out_.print("{\"caption\":%s,\"text\":%s,\"icon\":\"%s\"}\n", jsonString(caption).c_str(), jsonString(text).c_str(),
               icon == MessageIcon::Error ? "error" : "none");
  } else {
    out_.print("[%s] %s\n", caption.c_str(), text.c_str());
  }
  out_.flush();
}

std::optional<std::string> CliQuestions::languageFile(const Outcome& before, const std::string&) {
  show(ui_, before);
  return language;
}

void CliInteraction::openFolder(const std::string& path) {
  out_.print("%s\n", textWith(Text::CliOpenFolder, {path}).c_str());
}

void CliInteraction::openWebPage(const std::string& url) {
  out_.print("%s\n", textWith(Text::CliOpenWebPage, {url}).c_str());
}

bool CliInteraction::openTextFile(const std::string& path) {
  out_.print("%s\n", textWith(Text::CliOpenTextFile, {path}).c_str());
  return true;
}

}  // namespace lumaset::cli
