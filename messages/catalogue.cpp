#include "messages/catalogue.h"

namespace lumaset {

Message messageIn(Language language, const Report& report) {
  return language == Language::Chinese ? zh::messageFor(report) : en::messageFor(report);
}

const char* textIn(Language language, Text id) { return language == Language::Chinese ? zh::text(id) : en::text(id); }

namespace {

std::string filledIn(const std::string& form, const std::vector<std::string_view>& args) {
  std::string out;
  for (std::size_t i = 0; i < form.size(); ++i) {
    const bool mark = form[i] == '{' && i + 2 < form.size() && form[i + 1] >= '1' && form[i + 1] <= '9' &&
                      form[i + 2] == '}' && static_cast<std::size_t>(form[i + 1] - '1') < args.size();
    if (!mark) {
      out += form[i];
      continue;
    }
    out += args[static_cast<std::size_t>(form[i + 1] - '1')];
    i += 2;
  }
  return out;
}

}  // namespace

std::string textWith(Text id, std::initializer_list<std::string_view> args) { return filledIn(text(id), args); }

std::string findingText(const Finding& finding) {
  static_assert(static_cast<int>(Text::FindingTextForThisHost) - static_cast<int>(Text::FindingNoThemeFolder) ==
                    static_cast<int>(FindingId::TextForThisHost),
                "the findings' texts stand in the order of FindingId");
  const auto id = static_cast<Text>(static_cast<int>(Text::FindingNoThemeFolder) + static_cast<int>(finding.id));
  return filledIn(text(id), std::vector<std::string_view>(finding.args.begin(), finding.args.end()));
}

Message messageFor(const Report& report) { return messageIn(language(), report); }

std::string descriptionOf(const Look& look) {
  switch (look.builtIn) {
    case BuiltInDescription::None:
      break;
    case BuiltInDescription::NoHost:
      return text(Text::LookNoHost);
    case BuiltInDescription::Current:
      return text(Text::LookCurrent);
    case BuiltInDescription::DefaultBackedUp:
      return text(Text::LookDefaultBackedUp);
    case BuiltInDescription::DefaultNotBackedUp:
      return text(Text::LookDefaultNotBackedUp);
    case BuiltInDescription::Custom:
      return text(Text::LookCustom);
  }
  return look.description;
}

std::vector<Message> messagesOf(const std::vector<Report>& reports) {
  std::vector<Message> messages;
  for (const Report& report : reports) {
    Message m = messageFor(report);
    if (report.sameMessage && !messages.empty()) {
      messages.back().text += "\r\n" + m.text;
    } else {
      messages.push_back(std::move(m));
    }
  }
  return messages;
}

void show(Interaction& ui, const std::vector<Report>& reports) {
  for (const Message& m : messagesOf(reports)) ui.messageBox(m.text, m.caption, m.icon);
}

void show(Interaction& ui, const Outcome& outcome) { show(ui, outcome.reports); }

}  // namespace lumaset
