// The language the program speaks: Chinese or English, chosen once at the start from the
// command line's `--lang`, else setting.ini's `language` key, else the system's UI
// language (Chinese for zh-*, English for any other). Everything the program shows
// (messages/texts_zh.cpp, messages/texts_en.cpp) follows it; what it writes (the
// startup-text block, setting.ini's keys, the files on disk, the command line's words)
// does not.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lumaset {

enum class Language { Chinese, English };
inline constexpr Language kLanguages[] = {Language::Chinese, Language::English};

// setting.ini's key (in section "lumaset") and the words it and `--lang` take.
inline constexpr const char* kKeyLanguage = "language";
// "zh" or "en"; anything else is no language.
std::optional<Language> languageNamed(std::string_view word);
const char* languageWord(Language language);

// A system locale or UI language name ("zh-CN", "zh_TW.UTF-8", "en-US", "C"): Chinese for
// one that begins with "zh", English for any other.
Language languageOfLocale(std::string_view locale);

// The command line's choice first, then setting.ini's value, then the system's.
Language chooseLanguage(std::optional<Language> commandLine, const std::string& setting, std::string_view systemLocale);

// The language of this process, set once at the start (Chinese until then).
Language language();
void useLanguage(Language language);

// The text of the language of this process of a pair.
inline const char* inLanguage(const char* zh, const char* en) { return language() == Language::Chinese ? zh : en; }

}  // namespace lumaset
