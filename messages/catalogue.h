// The system's messages: the text, caption and icon of every report an operation gives
// (written in messages/zh/ and messages/en/, see messages/texts.h), and their showing
// through the platform's message boxes. The window and the command line both show
// outcomes through here.
#pragma once
#include <string>
#include <vector>

#include "messages/texts.h"
#include "themes/looks.h"
#include "themes/theme_check.h"

namespace lumaset {

// The message of one report, in the process's language (messages/language.h).
Message messageFor(const Report& report);
// The messages of reports in order; a report marked `sameMessage` adds a line to the
// message before it, whose caption and icon it keeps.
std::vector<Message> messagesOf(const std::vector<Report>& reports);

// A look's description in the process's language: the program's own ones from the
// catalogue, a theme's as its info.ini says it.
std::string descriptionOf(const Look& look);

// What a finding of a theme folder's check says, in the process's language.
std::string findingText(const Finding& finding);

// Shows each message of the reports as a message box.
void show(Interaction& ui, const std::vector<Report>& reports);
void show(Interaction& ui, const Outcome& outcome);

}  // namespace lumaset
