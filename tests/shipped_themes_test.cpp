// The themes that ship with the program: each is a complete theme of the host's image
// sizes, and the template holds every file a theme may have.
#include <gtest/gtest.h>

#include "formats/utf.h"
#include "platform/posix_files.h"
#include "support/fake_interaction.h"
#include "support/theme_maker.h"
#include "themes/theme_check.h"
#include "themes/theme_folder.h"
#include "themes/theme_list.h"

namespace lumaset {
namespace {

class ShippedThemes : public ::testing::Test {
 protected:
  PosixFiles files;
  testing::FakeInteraction ui;
  testing::FakeView view;
  RunState state;
  Context ctx{files, ui, view, state, std::string(LUMASET_SOURCE_DIR) + "/assets"};

  void expectPng(const std::string& path, int width, int height) {
    tools::Image image = tools::decodePng(testing::readWhole(path));
    EXPECT_EQ(image.width, width) << path;
    EXPECT_EQ(image.height, height) << path;
  }
};

TEST_F(ShippedThemes, SampleThemesAreListedWithTheHostsSizes) {
  std::vector<std::string> entries = themeList(ctx);
  std::sort(entries.begin() + 2, entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"[当前]", "[默认]", "Aurora", "Sunset", "墨竹"}));
  for (const char* theme : {"Aurora", "墨竹"}) {
    expectPng(themeFile(ctx, theme, kSplashLow), 838, 506);
    expectPng(themeFile(ctx, theme, kSplashHigh), 1676, 1012);
    expectPng(themeFile(ctx, theme, kDarkLow), 32, 32);
    expectPng(themeFile(ctx, theme, kLightHigh), 64, 64);
  }
  EXPECT_EQ(readThemeKey(ctx, "墨竹", "info"), "墨竹：宣纸上的几竿竹子和一方印章。");
  EXPECT_TRUE(previewTheme(ctx, "Aurora").look.startupTextToggle);
  Preview sunset = previewTheme(ctx, "Sunset");
  EXPECT_FALSE(sunset.has2x);
  // The T mark shows what each theme carries: 墨竹 its startup text, the others none.
  EXPECT_TRUE(previewTheme(ctx, "墨竹").hasText);
  EXPECT_FALSE(previewTheme(ctx, "Aurora").hasText || sunset.hasText);
  EXPECT_TRUE(sunset.look.darkIcon.empty());
}

TEST_F(ShippedThemes, TemplateHoldsEveryThemeFileAndAGuide) {
  for (const char* file : {kThemeInfo, kSplashLow, kSplashHigh, kDarkLow, kDarkHigh, kLightLow, kLightHigh, kThemeText,
                           "主题制作说明.txt"}) {
    EXPECT_TRUE(files.exists(ctx.programFolder + "/模板/" + file)) << file;
  }
  Bytes text = testing::readWhole(ctx.programFolder + "/模板/word.text");
  ASSERT_GE(text.size(), 2u);
  EXPECT_NE(text.substr(0, 2), "\xFF\xFE");  // no byte-order mark inside the language file
  EXPECT_EQ(utf16leToUtf8(text).rfind("\"$$$/private/Credits/Legal/CopyrightTwoLine=\"\r\n", 0), 0u);
}

// What a theme author copies must pass the author's own check and link nowhere that does
// not exist, and a theme with its own startup text must tick "隐藏启动文字" when chosen,
// or its text would never be applied.
TEST_F(ShippedThemes, EveryShippedThemePassesTheAuthorsCheck) {
  const std::string library = ctx.programFolder + "/LumasetTheme/";
  for (const std::string& folder :
       {library + "Aurora", library + "Sunset", library + "墨竹", ctx.programFolder + "/模板"}) {
    ThemeCheck check = checkThemeFolder(ctx, folder);
    for (const Finding& f : check.findings) EXPECT_NE(f.level, FindingLevel::Error) << folder << ": " << findingText(f);
    for (const Finding& f : check.findings) EXPECT_NE(f.level, FindingLevel::Warning) << folder << ": " << findingText(f);
    for (const char* key : {"byurl", "reurl"})
      EXPECT_EQ(files.readProfileString(folder + "/info.ini", kThemeSection, key, "<missing>"), "") << folder << key;
    if (files.exists(folder + "/word.text")) {
      EXPECT_EQ(files.readProfileString(folder + "/info.ini", kThemeSection, "loadtext", ""), "no") << folder;
    }
  }
  EXPECT_TRUE(previewTheme(ctx, "墨竹").look.startupTextToggle);
}

}  // namespace
}  // namespace lumaset
