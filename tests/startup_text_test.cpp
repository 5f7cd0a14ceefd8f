// Hiding, replacing and restoring the host's startup texts in its language file.
#include <gtest/gtest.h>

#include "backup/create_backup.h"
#include "formats/utf.h"
#include "run/startup.h"
#include "starttext/marker.h"
#include "starttext/startup_text.h"
#include "support/forwarding_files.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "themes/apply.h"
#include "themes/theme_folder.h"

namespace lumaset {
namespace {

using testing::readWhole;
using testing::RecordedBox;
using testing::writeFile;

class StartupText : public testing::HostFixture {
 protected:
  std::string original;
  // The start, with the backup taken and the language file's bytes kept in `original`.
  void startOn(const testing::HostStart& start = {}) {
    HostFixture::startOn(start);
    ASSERT_TRUE(ui.shown(createBackup(ctx)));
    ui.boxes.clear();
    original = readWhole(host.languageFile);
  }
  std::string language() { return readWhole(host.languageFile); }
  std::string backupCopy() { return langBak(state.languageFileName); }
  // "[当前]" with the toggle on hides the startup text; off, it puts the backed-up file back.
  Outcome current(bool hide, Context& on) { return applyFromThemeList(on, kCurrentEntry, hide); }
  Outcome current(bool hide) { return current(hide, ctx); }
  // A theme that brings `text` as its own startup text, applied with the toggle on.
  Outcome themeWithText(const Bytes& text) {
    testing::writeTheme(home, "Words", testing::sixImages());
    writeFile(home + "/LumasetTheme/Words/word.text", text);
    return applyFromThemeList(ctx, "Words", true);
  }
  // Done, with nothing to tell but "修改完成".
  static bool doneQuietly(const Outcome& out) {
    return out.done() && out.reports == std::vector<Report>{{MessageId::Applied}};
  }
};

TEST(StartupTextBlock, HasItsFixedSizeWithTheSampleHostsNames) {
  // Thirteen rotating names of 171 characters in all give the block of 4870 bytes.
  testing::TempDir dir;
  tools::SampleHost host;
  std::string error;
  ASSERT_TRUE(tools::writeSampleHost({dir / "PS", testing::stubExe("v16.1.2")}, host, error)) << error;
  std::size_t names = 0;
  for (const std::string& n : host.rotatingNames) names += n.size();
  ASSERT_EQ(host.rotatingNames.size(), 13u);
  ASSERT_EQ(names, 171u);
  Bytes block = blankStartupTextBlock(host.languageBytes);
  EXPECT_EQ(block.size(), 4870u);
  EXPECT_EQ(block.substr(0, 42), openingBlock());
  EXPECT_EQ(block.substr(block.size() - 32), closingBlock());
  // The marker lines as earlier releases wrote them: a later run finds and removes them.
  EXPECT_EQ(openingBlock(), utf8ToUtf16le("\r\n//Lumaset v1.0---\r\n"));
  EXPECT_EQ(closingBlock(), utf8ToUtf16le("\r\n\r\n//Lum_End---"));
  std::string text = utf16leToUtf8(block);
  EXPECT_NE(text.find("\r\n\"$$$/About/ReleaseX=\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"$$$/private/Credits/RotatingNames/AdelaMoravcova=\"\r\n\"$$$/private/Credits/RotatingNames/"
                      "BrunoLindqvist=\""),
            std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 68);
}

TEST(StartupTextBlock, TakesTheRotatingNamesOfTheFileInFileOrderOnce) {
  Bytes file = utf8ToUtf16le(
      "\"$$$/private/Credits/RotatingNames/Zed=Zed\"\r\n\"$$$/Other=x\"\r\n"
      "\"$$$/private/Credits/RotatingNames/Amy=Amy\"\r\n\"$$$/private/Credits/RotatingNames/Zed=again\"\r\n");
  EXPECT_EQ(rotatingNameKeys(file), (std::vector<std::string>{"$$$/private/Credits/RotatingNames/Zed",
                                                              "$$$/private/Credits/RotatingNames/Amy"}));
  // Each line: quote, 37-character key, "=", quote, and the CR LF before it; two bytes a character.
  EXPECT_EQ(blankStartupTextBlock(file).size(), blankStartupTextBlock(Bytes()).size() + 2 * 2 * (1 + 37 + 2 + 2));
}

TEST_F(StartupText, HidingAppendsTheBlankBlockOnce) {
  startOn();
  ASSERT_TRUE(doneQuietly(current(true)));
  std::string hidden = language();
  EXPECT_EQ(hidden.size(), original.size() + 4870);
  EXPECT_EQ(hidden.substr(0, original.size()), original);
  EXPECT_EQ(hidden.substr(original.size() + 4, 34), startupTextMarker());
  ASSERT_TRUE(doneQuietly(current(true)));
  EXPECT_EQ(language(), hidden);
}

TEST_F(StartupText, ReplacingInsertsTheThemeTextAsTheLanguageFileHoldsIt) {
  startOn();
  const std::string line = "\"$$$/Splash/Initializing=正在载入水墨山水…\"";
  const Bytes expected = utf8ToUtf16le(line);
  // UTF-16LE without a mark goes in as it is; every other encoding an editor saves in
  // becomes that, so the language file never holds two encodings.
  const Bytes gbk =
      "\"$$$/Splash/Initializing=\xD5\xFD\xD4\xDA\xD4\xD8\xC8\xEB\xCB\xAE\xC4\xAB\xC9\xBD\xCB\xAE\xA1\xAD\"";
  for (const Bytes& saved : {expected, "\xFF\xFE" + expected, "\xFE\xFF" + swapUtf16ByteOrder(expected),
                             "\xEF\xBB\xBF" + line, Bytes(line), gbk}) {
    ASSERT_TRUE(doneQuietly(themeWithText(saved)));
    EXPECT_EQ(language(), original + openingBlock() + expected + closingBlock()) << saved.substr(0, 8);
  }
  ASSERT_TRUE(doneQuietly(themeWithText("")));
  EXPECT_EQ(language().size(), original.size() + 74);
  EXPECT_TRUE(languageFileCarriesMarker(files, host.languageFile));
}

TEST_F(StartupText, RestoringPutsTheBackupCopyBackSilently) {
  startOn();
  ASSERT_TRUE(doneQuietly(current(true)));
  ASSERT_TRUE(doneQuietly(current(false)));
  EXPECT_EQ(language(), original);
}

TEST_F(StartupText, Version18HostsOnlyRestore) {
  startOn({.stub = "v18.0.0", .version = "18.0.0"});
  writeFile(host.languageFile, original + blankStartupTextBlock(original));  // as an older release left it
  forgetRecord();
  ui.shown(current(true));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{
                          {"Photoshop CC 2017（18.0）及以后的版本不支持修改启动文字", "版本限制", MessageIcon::None},
                          {"修改完成", "应用", MessageIcon::None}}));
  EXPECT_EQ(language(), original);
  EXPECT_TRUE(doneQuietly(current(false)));
}

TEST_F(StartupText, ABackupCopyChangedInPlaceIsMendedWhileTheRecordKnowsItsHash) {
  startOn();
  ASSERT_TRUE(doneQuietly(current(true)));
  std::string marked = original + blankStartupTextBlock(original);
  writeFile(backupCopy(), marked);
  EXPECT_TRUE(doneQuietly(current(false)));
  EXPECT_EQ(language(), original);
  EXPECT_EQ(readWhole(backupCopy()), original);

  // Without the record the copies are taken as they are, but never with the block: an
  // older refresh of a themed host may have taken one.
  forgetRecord();
  writeFile(backupCopy(), marked);
  writeFile(bak(state.languageFileName), marked);
  ASSERT_TRUE(doneQuietly(current(true)));
  EXPECT_TRUE(doneQuietly(current(false)));
  EXPECT_EQ(readWhole(backupCopy()), original);
  EXPECT_EQ(language(), original);
}

// Fails every copy onto one path and every cut of it, as a language file held open by the host would.
class LockedTarget : public testing::ForwardingFiles {
 public:
  std::string locked;
  bool allowChange(const testing::ChangeCall& call) override {
    return call.path != locked || (call.name != "copyFile" && call.name != "truncateFile");
  }
};

TEST_F(StartupText, NoBlockIsStackedOnAFileThatWasNotPutBack) {
  startOn();
  ASSERT_TRUE(doneQuietly(current(true)));
  std::string hidden = language();
  LockedTarget locked;
  locked.locked = host.languageFile;
  Context lockedCtx{locked, ui, view, state, home};
  const Outcome out = current(true, lockedCtx);
  EXPECT_EQ(out.status, Status::Failed);
  EXPECT_EQ(out.reports, (std::vector<Report>{{MessageId::ResetFailed, host.languageFile}}));
  EXPECT_EQ(language(), hidden);
}

}  // namespace
}  // namespace lumaset
