// The questions of locating a host, answered by the user through the platform's dialogs:
// what the location found so far is shown first, then the open-file dialog.
#pragma once
#include "platform/interaction.h"
#include "run/run_state.h"

namespace lumaset {

class DialogQuestions : public HostQuestions {
 public:
  explicit DialogQuestions(Interaction& ui) : ui_(ui) {}
  std::optional<std::string> hostExecutable() override;
  std::optional<std::string> languageFile(const Outcome& before, const std::string& localesFolder) override;

 private:
  Interaction& ui_;
};

}  // namespace lumaset
