// What theme authors get: the zip writer, the check of a theme folder, and the package
// that pack writes and the import takes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "cli/cli.h"
#include "formats/png.h"
#include "formats/zip_archive.h"
#include "formats/zip_writer.h"
#include "messages/import_messages.h"
#include "run/startup.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "themes/theme_check.h"
#include "themes/theme_list.h"
#include "tools/png_writer.h"

namespace lumaset {
namespace {

using testing::readWhole;
using testing::writeFile;

std::string pngOfSize(int w, int h) { return tools::encodePng(tools::Image(w, h, {10, 120, 200, 255})); }

TEST(ZipWriter, WritesWhatTheReaderAndForeignUnzippersRead) {
  const std::vector<ZipFile> files = {
      {"模板/主题制作说明.txt", "说明"}, {"info.ini", std::string(5000, 'i')}, {"b.png", pngOfSize(20, 10)}};
  const Bytes zip = writeZip(files);
  std::vector<std::pair<std::string, Bytes>> read;
  ASSERT_EQ(readZip(zip, nullptr,
                    [&](const ZipMember& m, const Bytes& d) {
                      read.push_back({m.name, d});
                      return true;
                    }),
            kZipOk);
  ASSERT_EQ(read.size(), 3u);  // in the order of their names
  EXPECT_EQ(read[0], (std::pair<std::string, Bytes>{"b.png", files[2].data}));
  EXPECT_EQ(read[1], (std::pair<std::string, Bytes>{"info.ini", files[1].data}));
  EXPECT_EQ(read[2], (std::pair<std::string, Bytes>{"模板/主题制作说明.txt", "说明"}));
  // The same files in another order give the same bytes.
  EXPECT_EQ(writeZip({files[2], files[0], files[1]}), zip);

  testing::TempDir dir;
  writeFile(dir / "p.zip", zip);
  for (const std::string& lister :
       {std::string("bsdtar -tf"), std::string("LC_ALL=C.UTF-8 unzip -Z1")}) {
    const std::string command = lister + " '" + (dir / "p.zip") + "' > '" + (dir / "list.txt") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << lister;
    EXPECT_EQ(readWhole(dir / "list.txt"), "b.png\ninfo.ini\n模板/主题制作说明.txt\n") << lister;
  }
}

class ThemeAuthor : public testing::HostFixture {
 protected:
  // The findings' words in English, in which these tests read them.
  static std::string textOf(const Finding& f) {
    useLanguage(Language::English);
    std::string said = findingText(f);
    useLanguage(Language::Chinese);
    return said;
  }
  std::string folder() { return home + "/LumasetTheme/Ink"; }
  std::vector<std::string> texts(FindingLevel level) {
    std::vector<std::string> out;
    for (const Finding& f : checkThemeFolder(ctx, folder()).findings)
      if (f.level == level) out.push_back(textOf(f));
    return out;
  }
  bool has(FindingLevel level, const std::string& part) {
    for (const std::string& text : texts(level))
      if (text.find(part) != std::string::npos) return true;
    return false;
  }
};

TEST_F(ThemeAuthor, ASoundThemeOfTheGuidesSizesHasNoWarning) {
  testing::writeTheme(home, "Ink",
                      {{"loading_low.png", pngOfSize(838, 506)},
                       {"loading_high.png", pngOfSize(1676, 1012)},
                       {"ico_dark_low.png", pngOfSize(32, 32)},
                       {"ico_dark_high.png", pngOfSize(64, 64)},
                       {"ico_light_low.png", pngOfSize(32, 32)},
                       {"ico_light_high.png", pngOfSize(64, 64)}});
  EXPECT_FALSE(checkThemeFolder(ctx, folder()).broken());
  EXPECT_TRUE(texts(FindingLevel::Warning).empty()) << texts(FindingLevel::Warning)[0];
  EXPECT_TRUE(has(FindingLevel::Note, "info.ini is UTF-8"));
}

TEST_F(ThemeAuthor, MissingOrBrokenPartsAreErrorsOtherSizesWarnings) {
  testing::writeTheme(home, "Ink", {{"ico_dark_low.png", pngOfSize(30, 32)}, {"ico_light_low.png", "GIF89a"}},
                      "[Lumaset_theme]\r\ninfo=\xCB\xAE\xC4\xAB\r\nloadtext=yes\r\n");
  EXPECT_TRUE(checkThemeFolder(ctx, folder()).broken());
  EXPECT_TRUE(has(FindingLevel::Error, "loading_low.png is missing"));
  EXPECT_TRUE(has(FindingLevel::Error, "ico_light_low.png is not a sound PNG"));
  EXPECT_TRUE(has(FindingLevel::Warning, "ico_dark_low.png is 30 x 32, the guide asks for 32 x 32"));
  EXPECT_TRUE(has(FindingLevel::Warning, "loadtext=yes does nothing"));
  EXPECT_TRUE(has(FindingLevel::Note, "info.ini is GBK"));
  EXPECT_TRUE(has(FindingLevel::Note, "description: 水墨"));
  EXPECT_TRUE(checkThemeFolder(ctx, home + "/nowhere").broken());
}

TEST_F(ThemeAuthor, StartupTextLinesWhetherTheHostTakesItAndTheHostsOwnImageSizes) {
  makeHost();
  std::optional<PngSize> own;
  for (const tools::SampleRecord& r : host.records)
    if (r.name.rfind("Splash1080Background", 0) == 0) own = pngSize(r.lowImage);
  ASSERT_TRUE(own);
  const int width = static_cast<int>(own->width) + 1;  // one pixel wider than the host's own
  testing::writeTheme(home, "Ink", {{"loading_low.png", pngOfSize(width, 506)}, {"word.txt", "T"}});
  EXPECT_TRUE(has(FindingLevel::Note, "no word.text: the theme carries no startup text (T mark off)"));
  EXPECT_TRUE(has(FindingLevel::Note, "word.txt is obsolete and lights nothing"));
  writeFile(folder() + "/word.text", "\xEF\xBB\xBF\"$$$/Splash/Initializing=研墨中\"\r\nno quotes here\r\n");
  EXPECT_TRUE(has(FindingLevel::Note, "word.text: the theme carries a startup text (T mark on)"));
  EXPECT_TRUE(has(FindingLevel::Note, "no Photoshop is located: word.text is applied only by releases below 18"));

  ui.answers.push_back(host.exePath);
  runStartup(ctx);
  EXPECT_FALSE(checkThemeFolder(ctx, folder()).broken());
  EXPECT_TRUE(has(FindingLevel::Note, "word.text is UTF-8 with a byte-order mark"));
  EXPECT_TRUE(has(FindingLevel::Warning, "word.text line 2 is not in the form"));
  EXPECT_FALSE(has(FindingLevel::Warning, "word.text line 1"));
  EXPECT_TRUE(has(FindingLevel::Warning, "without loadtext=no choosing the theme leaves it unticked"));
  EXPECT_TRUE(has(FindingLevel::Note, "word.text is applied to this host: a release below 18"));
  EXPECT_TRUE(has(FindingLevel::Warning, "loading_low.png is " + std::to_string(width) +
                                             " x 506, the host's own image " + "there is " +
                                             std::to_string(own->width) + " x " + std::to_string(own->height)));
  writeFile(folder() + "/info.ini", testing::kHidingThemeInfo);
  EXPECT_TRUE(has(FindingLevel::Note, "loadtext=no ticks it when the theme is chosen"));
  state.release18OrLater = true;
  EXPECT_TRUE(has(FindingLevel::Note, "word.text is not applied to this host: Photoshop CC 2017 (18) and later"));
}

// Runs the command line on the fixture's home; its standard output goes to `printed`.
int runCommand(Files& files, const std::string& home, std::vector<std::string> args, std::string* printed = nullptr) {
  args.insert(args.begin(), {"--lang", "zh", "--home", home});
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  int status = cli::runCli(args, files, out, err);
  std::rewind(out);
  char buffer[4096];
  std::size_t n;
  while (printed && (n = std::fread(buffer, 1, sizeof buffer, out)) > 0) printed->append(buffer, n);
  std::fclose(out);
  std::fclose(err);
  return status;
}

TEST_F(ThemeAuthor, CheckPrintsOneLinePerFindingAndFailsOnAnError) {
  testing::writeTheme(home, "Ink", {{"loading_low.png", pngOfSize(838, 506)}, {"ico_dark_low.png", pngOfSize(31, 32)}});
  std::string printed;
  EXPECT_EQ(runCommand(files, home, {"--lang", "en", "check", "Ink"}, &printed), 0);
  EXPECT_NE(printed.find("warning: ico_dark_low.png is 31 x 32, the guide asks for 32 x 32\n"), std::string::npos);
  EXPECT_NE(printed.find("ok: info.ini is UTF-8\n"), std::string::npos);
  // In Chinese, the same findings in Chinese.
  printed.clear();
  EXPECT_EQ(runCommand(files, home, {"--lang", "zh", "check", "Ink"}, &printed), 0);
  EXPECT_NE(printed.find("警告：ico_dark_low.png 的尺寸是 31 x 32，说明要求 32 x 32\n"), std::string::npos);
  EXPECT_NE(printed.find("正常：info.ini 的编码是 UTF-8\n"), std::string::npos);
  std::filesystem::remove(testing::pathFromUtf8(folder() + "/loading_low.png"));
  printed.clear();
  EXPECT_EQ(runCommand(files, home, {"--lang", "en", "check", folder()}, &printed), 1);
  EXPECT_NE(printed.find("error: loading_low.png is missing"), std::string::npos);
}

TEST_F(ThemeAuthor, PackWritesWhatTheImportTakesAndRefusesABrokenTheme) {
  auto pack = [&](const std::string& theme, const std::string& target, std::string* printed = nullptr) {
    return runCommand(files, home, {"pack", theme, "-o", target}, printed);
  };
  std::filesystem::create_directories(testing::pathFromUtf8(dir / "dl"));
  testing::writeTheme(home, "Ink", {{"loading_low.png", "not a png"}});
  EXPECT_EQ(pack("Ink", dir / "dl/broken.zip"), 1);
  EXPECT_FALSE(files.exists(dir / "dl/broken.zip"));

  // Word.text is the theme's text wherever the program finds word.text (both builds look
  // past letter case): it goes in under the theme's name. Anything else stays out.
  testing::writeTheme(home, "Ink", testing::sixImages());
  writeFile(folder() + "/Word.text", "\"$$$/Splash/Initializing=x\"\r\n");
  writeFile(folder() + "/notes.txt", "x");
  std::string printed;
  ASSERT_EQ(pack("Ink", dir / "dl/Ink2.zip", &printed), 0);
  EXPECT_NE(printed.find("没有打包（不是主题的文件）：notes.txt\n"), std::string::npos) << printed;
  ASSERT_TRUE(importDroppedItems(files, ctx, ui, {dir / "dl/Ink2.zip"}));
  std::vector<std::string> packed = files.fileNames(home + "/LumasetTheme/Ink2");
  std::sort(packed.begin(), packed.end());
  EXPECT_EQ(packed, (std::vector<std::string>{"ico_dark_high.png", "ico_dark_low.png", "ico_light_high.png",
                                              "ico_light_low.png", "info.ini", "loading_high.png", "loading_low.png",
                                              "word.text"}));
  for (const std::string& name : packed)
    EXPECT_EQ(readWhole(home + "/LumasetTheme/Ink2/" + name), files.readFile(folder() + "/" + name)) << name;
  const std::vector<std::string> listed = themeList(ctx);
  EXPECT_NE(std::find(listed.begin(), listed.end(), "Ink2"), listed.end());

  // A theme made from the template: its guide stays out of the package, and pack says so.
  std::filesystem::copy(testing::pathFromUtf8(std::string(LUMASET_SOURCE_DIR) + "/assets/模板"),
                        testing::pathFromUtf8(home + "/LumasetTheme/Mine"));
  std::filesystem::create_directories(testing::pathFromUtf8(home + "/LumasetTheme/Mine/草稿"));
  printed.clear();
  ASSERT_EQ(pack("Mine", dir / "dl/Mine.zip", &printed), 0);
  EXPECT_NE(printed.find("没有打包（不是主题的文件）：主题制作说明.txt, 草稿/\n"), std::string::npos) << printed;
  std::vector<std::string> members;
  ASSERT_EQ(readZip(readWhole(dir / "dl/Mine.zip"), nullptr,
                    [&](const ZipMember& m, const Bytes&) {
                      members.push_back(m.name);
                      return true;
                    }),
            kZipOk);
  EXPECT_EQ(members, (std::vector<std::string>{"ico_dark_high.png", "ico_dark_low.png", "ico_light_high.png",
                                               "ico_light_low.png", "info.ini", "loading_high.png", "loading_low.png",
                                               "word.text"}));
}

}  // namespace
}  // namespace lumaset
