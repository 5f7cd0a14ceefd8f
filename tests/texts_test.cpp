// The catalogue in both languages, and the choice of the language.
#include <gtest/gtest.h>

#include <set>

#include "messages/catalogue.h"
#include "messages/language.h"
#include "messages/texts.h"

namespace lumaset {
namespace {

// Every report has a message with a caption in both languages, and the English one is
// no copy of the Chinese.
TEST(Texts, EveryReportHasATextAndACaptionInBothLanguages) {
  for (int id = 0; id <= static_cast<int>(kLastMessageId); ++id) {
    SCOPED_TRACE(id);
    const Report report{static_cast<MessageId>(id), "/p", "d"};
    const Message zh = messageIn(Language::Chinese, report);
    const Message en = messageIn(Language::English, report);
    for (const Message& m : {zh, en}) {
      EXPECT_FALSE(m.text.empty());
      EXPECT_FALSE(m.caption.empty());
    }
    EXPECT_NE(zh.text, en.text);
    EXPECT_EQ(zh.icon, en.icon);
  }
}

// A text that names a path or a detail names it in both languages.
TEST(Texts, BothLanguagesNameTheSamePathsAndDetails) {
  for (int id = 0; id <= static_cast<int>(kLastMessageId); ++id) {
    SCOPED_TRACE(id);
    const Report report{static_cast<MessageId>(id), "/the/path", "the-detail"};
    const Message zh = messageIn(Language::Chinese, report);
    const Message en = messageIn(Language::English, report);
    for (const char* named : {"/the/path", "the-detail"}) {
      EXPECT_EQ(zh.text.find(named) != std::string::npos, en.text.find(named) != std::string::npos) << named;
    }
  }
}

TEST(Texts, EveryTextIsThereInBothLanguages) {
  for (int id = 0; id < static_cast<int>(Text::Count); ++id) {
    SCOPED_TRACE(id);
    for (Language language : kLanguages) {
      const char* text = textIn(language, static_cast<Text>(id));
      ASSERT_NE(text, nullptr);
      EXPECT_NE(std::string(text), "");
    }
    // The same places to fill in both.
    const std::string zh = textIn(Language::Chinese, static_cast<Text>(id));
    const std::string en = textIn(Language::English, static_cast<Text>(id));
    for (const char* mark : {"{1}", "{2}", "%.0f", "%.1f"}) {
      EXPECT_EQ(zh.find(mark) != std::string::npos, en.find(mark) != std::string::npos) << mark;
    }
  }
}

TEST(Texts, MessagesFollowTheProcesssLanguage) {
  const Report applied{MessageId::Applied, "", ""};
  useLanguage(Language::English);
  EXPECT_EQ(messageFor(applied), (Message{"Done", "Apply", MessageIcon::None}));
  EXPECT_EQ(textWith(Text::ImportAdded, {"a.zip", "/lib/a"}), "Theme added: a.zip\r\n/lib/a");
  useLanguage(Language::Chinese);
  EXPECT_EQ(messageFor(applied), (Message{"修改完成", "应用", MessageIcon::None}));
  EXPECT_EQ(textWith(Text::ImportAdded, {"a.zip", "/lib/{2}"}), "已添加主题：a.zip\r\n/lib/{2}");
}

TEST(Language, ChineseForZhLocalesEnglishForAnyOther) {
  for (const char* zh : {"zh", "zh-CN", "zh-TW", "zh_CN.UTF-8", "zh_HK", "ZH-cn", "zh-Hans-CN"}) {
    EXPECT_EQ(languageOfLocale(zh), Language::Chinese) << zh;
  }
  for (const char* en : {"", "C", "C.UTF-8", "POSIX", "en-US", "en_GB.UTF-8", "de-DE", "zhx", "ja-JP"}) {
    EXPECT_EQ(languageOfLocale(en), Language::English) << en;
  }
}

TEST(Language, TheCommandLineFirstThenTheSettingThenTheSystem) {
  EXPECT_EQ(chooseLanguage(Language::English, "zh", "zh-CN"), Language::English);
  EXPECT_EQ(chooseLanguage(Language::Chinese, "en", "en-US"), Language::Chinese);
  EXPECT_EQ(chooseLanguage(std::nullopt, "en", "zh-CN"), Language::English);
  EXPECT_EQ(chooseLanguage(std::nullopt, "zh", "en-US"), Language::Chinese);
  // Absent or another value: the system's.
  EXPECT_EQ(chooseLanguage(std::nullopt, "", "zh-CN"), Language::Chinese);
  EXPECT_EQ(chooseLanguage(std::nullopt, "fr", "en-US"), Language::English);
  EXPECT_EQ(chooseLanguage(std::nullopt, "EN", "zh_CN.UTF-8"), Language::Chinese);
  EXPECT_EQ(languageNamed("zh"), Language::Chinese);
  EXPECT_EQ(languageNamed("en"), Language::English);
  EXPECT_EQ(languageNamed("english"), std::nullopt);
}

}  // namespace
}  // namespace lumaset
