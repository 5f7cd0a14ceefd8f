// An update of the host takes the applied look off; the program finds it and one reapply
// renews the backup of the changed files and applies the same look with the same toggle,
// after which "[默认]" gives the update's bytes.
#include <gtest/gtest.h>

#include "backup/host_look.h"
#include "backup/refresh_backup.h"
#include "backup/undone_look.h"
#include "messages/catalogue.h"
#include "support/host_fixture.h"
#include "themes/host_operation.h"

namespace lumaset {
namespace {

using testing::kDone;
using testing::readWhole;
using testing::RecordedBox;

class Reapply : public testing::HostFixture {
 protected:
  Reapply() {
    std::map<std::string, std::string> sakura = testing::sixImages();
    sakura["word.text"] = "SAKURA";
    startThemes = {{"Sakura", sakura, testing::kHidingThemeInfo}};
  }
  std::vector<RecordedBox> run(const HostOperation& op) {
    ui.boxes.clear();
    ui.shown(runOperation(ctx, op));
    return ui.boxes;
  }
  static RecordedBox box(MessageId id, const std::string& detail = {}) {
    const Message m = messageFor({id, {}, detail});
    return {m.text, m.caption, m.icon};
  }
  void updateEverything() {
    updateHost({"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat",
                "PSIconsXHighRes.dat", "language"});
  }
  bool carriesText(const std::string& text) { return readWhole(host.languageFile).find(text) != std::string::npos; }
};

TEST_F(Reapply, AThemeAnUpdateTookOffComesBackWithItsTextAndTheWayBackGivesTheUpdate) {
  startOn();
  const HostOperation reapply{.kind = OperationKind::Reapply};
  EXPECT_EQ(run(reapply), std::vector<RecordedBox>{box(MessageId::NothingToReapply)});
  ASSERT_EQ(run({.kind = OperationKind::Apply, .entry = "Sakura", .startupTextToggle = true}),
            std::vector<RecordedBox>{kDone});
  EXPECT_FALSE(undoneLook(ctx));
  updateEverything();
  const auto updated = hostFiles();
  const std::optional<UndoneLook> undone = undoneLook(ctx);
  ASSERT_TRUE(undone);
  EXPECT_EQ(undone->look, (HostLook{LookKind::Theme, "Sakura"}));
  EXPECT_EQ(undone->request.startupTextToggle, true);

  EXPECT_EQ(run(reapply), std::vector<RecordedBox>{box(MessageId::Reapplied, "Sakura")});
  EXPECT_EQ(carriedLook(ctx), (HostLook{LookKind::Theme, "Sakura"}));
  EXPECT_TRUE(carriesText(utf8ToUtf16le("SAKURA")));
  EXPECT_FALSE(undoneLook(ctx));
  EXPECT_EQ(run(reapply), std::vector<RecordedBox>{box(MessageId::NothingToReapply)});
  ASSERT_EQ(run({.kind = OperationKind::Apply, .entry = "[默认]"}), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(hostFiles(), updated);
}

// Custom images, an update, and 备份 pressed by hand first: the renewed host still shows
// its look was taken off. A picked image moved away refuses the reapply before anything
// changes; back in place, the images come back with the toggle off as it was.
TEST_F(Reapply, CustomImagesComeBackAfterARefreshByHandAndOnlyWhileTheImagesAreThere) {
  startOn();
  const std::string splash = dir / "splash.png";
  testing::writeFile(splash, testing::sixImages().at("loading_low.png"));
  HostOperation custom{.kind = OperationKind::ApplyCustom, .startupTextToggle = false};
  custom.images[0] = splash;
  ASSERT_EQ(run(custom), std::vector<RecordedBox>{kDone});
  updateEverything();
  ASSERT_FALSE(run({.kind = OperationKind::RefreshBackup}).empty());
  const auto updated = hostFiles();
  const std::optional<UndoneLook> undone = undoneLook(ctx);
  ASSERT_TRUE(undone);
  EXPECT_EQ(undone->look.kind, LookKind::Custom);
  EXPECT_EQ(undone->request.startupTextToggle, false);

  std::filesystem::rename(testing::pathFromUtf8(splash), testing::pathFromUtf8(splash + ".away"));
  EXPECT_EQ(run({.kind = OperationKind::Reapply}).size(), 1u);
  EXPECT_EQ(hostFiles(), updated);
  std::filesystem::rename(testing::pathFromUtf8(splash + ".away"), testing::pathFromUtf8(splash));
  EXPECT_EQ(run({.kind = OperationKind::Reapply}), std::vector<RecordedBox>{box(MessageId::Reapplied)});
  EXPECT_EQ(carriedLook(ctx).kind, LookKind::Custom);
  EXPECT_EQ(readWhole(host.languageFile), updated.at("language"));
}

// What is no update's doing is not taken for one: a language file rewritten while the
// theme left the startup text alone, and the record read by an older release's rules.
TEST_F(Reapply, ALanguageUpdateUnderAThemeThatLeftTheTextAloneTakesNothingOff) {
  startOn();
  ASSERT_EQ(run({.kind = OperationKind::Apply, .entry = "Sakura", .startupTextToggle = false}),
            std::vector<RecordedBox>{kDone});
  updateHost({"language"});
  EXPECT_FALSE(undoneLook(ctx));
  updateHost({"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat"});
  ASSERT_TRUE(undoneLook(ctx));
  EXPECT_EQ(undoneLook(ctx)->request.startupTextToggle, false);
}

}  // namespace
}  // namespace lumaset
