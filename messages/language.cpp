#include "messages/language.h"

#include <atomic>

namespace lumaset {
namespace {

// Set once, before any window or command runs; read from any thread (the progress window's).
std::atomic<Language> current{Language::Chinese};

}  // namespace

std::optional<Language> languageNamed(std::string_view word) {
  if (word == "zh") return Language::Chinese;
  if (word == "en") return Language::English;
  return std::nullopt;
}

const char* languageWord(Language language) { return language == Language::Chinese ? "zh" : "en"; }

Language languageOfLocale(std::string_view locale) {
  const bool chinese = locale.size() >= 2 && (locale[0] == 'z' || locale[0] == 'Z') &&
                       (locale[1] == 'h' || locale[1] == 'H') &&
                       (locale.size() == 2 || locale[2] == '-' || locale[2] == '_' || locale[2] == '.');
  return chinese ? Language::Chinese : Language::English;
}

Language chooseLanguage(std::optional<Language> commandLine, const std::string& setting,
                        std::string_view systemLocale) {
  if (commandLine) return *commandLine;
  if (std::optional<Language> stored = languageNamed(setting)) return *stored;
  return languageOfLocale(systemLocale);
}

Language language() { return current.load(std::memory_order_relaxed); }

void useLanguage(Language language) { current.store(language, std::memory_order_relaxed); }

}  // namespace lumaset
