// What an import tells the user: one message for the outcomes of the items of one
// import, and the two imports the window starts (the dialog's package and dropped items).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/interaction.h"
#include "run/run_state.h"
#include "themes/import.h"

namespace lumaset {

struct ImportMessage {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::None;
};

// The text of one outcome.
std::string outcomeText(const ImportOutcome& o);
// One message for all outcomes (one item keeps its own caption); nothing when there is
// nothing to say (no items, or only items the user chose to keep as they were, when
// `quietDeclines` is set).
std::optional<ImportMessage> importMessage(const std::vector<ImportOutcome>& outcomes, bool quietDeclines);

// The question asked before a theme of the same name is merged into.
std::string replaceQuestion(const std::string& theme);

// The theme library changes through `files`, under the library's lock; the host never.
// "添加主题": asks for a zip file and imports it. The theme added (or merged into), which
// the caller then selects in the theme list it fills anew; nothing when none was.
std::optional<std::string> importThemePackage(Files& files, const Context& ctx, Interaction& ui);
// Items dropped on the window: each folder or zip package is imported, in order, and
// one message tells what became of each. The last theme added, or nothing.
std::optional<std::string> importDroppedItems(Files& files, const Context& ctx, Interaction& ui,
                                              const std::vector<std::string>& paths);

}  // namespace lumaset
