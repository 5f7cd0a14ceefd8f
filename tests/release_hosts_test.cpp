// Hosts as real releases ship them: indexes of some 1,800 records with extra packs of 4
// bytes and zero-length slots, a later release with one app-bar icon, and installations
// in another language without zh_CN. The lookup by name, the bounds rule over the records
// the program changes, and apply, "[当前]", "[默认]" and the looks on each.
#include <gtest/gtest.h>

#include "iconstore/host_images.h"
#include "iconstore/index_bounds.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"
#include "run/host_location.h"
#include "run/index_reading.h"
#include "starttext/startup_text.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "themes/apply.h"
#include "themes/looks.h"
#include "themes/theme_folder.h"
#include "themes/theme_list.h"

namespace lumaset {
namespace {

using testing::FakeInteraction;
using testing::readWhole;
using testing::RecordedBox;
using tools::HostShape;

// A four-pack table of records named as given, each with LowRes bytes [offset, offset + 10).
RecordTable tableOf(const std::vector<std::string>& names, std::int32_t offset = 4) {
  RecordTable table;
  for (const std::string& name : names) {
    Bytes record(kFourPackRecordSize, '\0');
    record.replace(0, std::min(name.size(), kNameFieldLength), name.substr(0, kNameFieldLength));
    table.records.push_back(record);
    table.setOffset(table.count(), Pack::LowRes, offset);
    table.setLength(table.count(), Pack::LowRes, 10);
  }
  return table;
}

TEST(HostImages, AreFoundByNameAndTheSingleIconTakesTheDarkOnesPlace) {
  const RecordTable both = tableOf({"Tool", kSplashResource, kDarkIconResource, kLightIconResource});
  EXPECT_EQ(hostResource(both, HostImage::DarkIcon), std::optional<std::string>(kDarkIconResource));
  EXPECT_TRUE(missingImages(both).empty());
  EXPECT_EQ(changedRecords(both), (std::vector<std::size_t>{2, 3, 4}));

  const RecordTable single = tableOf({kSingleIconResource, "Tool", kSplashResource});
  EXPECT_EQ(hostResource(single, HostImage::DarkIcon), std::optional<std::string>(kSingleIconResource));
  EXPECT_FALSE(hostResource(single, HostImage::LightIcon));
  EXPECT_TRUE(darkIconIsSingleIcon(single));
  EXPECT_EQ(missingImages(single), std::vector<std::string>{kLightIconResource});
  EXPECT_EQ(changedRecords(single), (std::vector<std::size_t>{3, 1}));

  // A host with its own dark icon keeps it there, whatever else it names.
  const RecordTable all = tableOf({kSingleIconResource, kDarkIconResource});
  EXPECT_EQ(hostResource(all, HostImage::DarkIcon), std::optional<std::string>(kDarkIconResource));
  EXPECT_FALSE(darkIconIsSingleIcon(all));

  // A name that fills all 48 bytes has no NUL: it is still that name, and no other.
  const std::string full(kNameFieldLength, 'N');
  const RecordTable none = tableOf({full, "splash1080background"});
  EXPECT_EQ(findRecord(none, full), 1u);
  EXPECT_EQ(missingImages(none).size(), 3u);
  EXPECT_TRUE(changedRecords(none).empty());
}

TEST(IndexBounds, HoldOnlyTheRecordsTheProgramChangesToTheirPacks) {
  RecordTable table = tableOf({"Tool", kSplashResource, "Other"});
  table.setOffset(1, Pack::LowRes, 5000);  // the host's own business: carried, never judged
  EXPECT_EQ(firstRecordPastPack(table, Pack::LowRes, 100), std::optional<std::size_t>(1));
  EXPECT_FALSE(changedRecordPastPack(table, Pack::LowRes, 100));
  // A zero length names nothing, wherever its offset points; a negative offset with a
  // length names bytes that are not there.
  table.setOffset(2, Pack::LowRes, 5000);
  table.setLength(2, Pack::LowRes, 0);
  EXPECT_FALSE(changedRecordPastPack(table, Pack::LowRes, 100));
  table.setOffset(2, Pack::LowRes, -1);
  table.setLength(2, Pack::LowRes, 1);
  EXPECT_EQ(changedRecordPastPack(table, Pack::LowRes, 100), std::optional<std::size_t>(2));
  table.setOffset(2, Pack::LowRes, 90);
  table.setLength(2, Pack::LowRes, 11);
  EXPECT_EQ(changedRecordPastPack(table, Pack::LowRes, 100), std::optional<std::size_t>(2));
  EXPECT_FALSE(changedRecordPastPack(table, Pack::LowRes, 101));
}

// Release 19 with both app-bar icons, and a later release with PS_OWL_appbar_win alone.
const testing::HostStart kRelease19{.stub = "v19.1", .version = "19.1", .shape = HostShape::Release19};
const testing::HostStart kSingleIcon{.stub = "v19.1", .version = "19.1", .shape = HostShape::SingleIcon};

class ReleaseHosts : public testing::HostFixture {
 protected:
  std::map<std::string, std::string> theme = testing::sixImages(7);

  ReleaseHosts() {
    std::map<std::string, std::string> sakura = theme;
    sakura["word.text"] = "\"$$$/Splash/Initializing=x\"\r\n";
    startThemes = {{"Sakura", sakura}};
  }
  // Every file of the host but the backups, by path below the host folder.
  testing::Snapshot wholeHost() {
    testing::Snapshot found = testing::folderSnapshot(
        host.folder, testing::Entries::Files,
        [](const std::filesystem::path& below) { return below.string().find("lumaset") != std::string::npos; });
    EXPECT_GE(found.size(), 6u);  // the exe, the index, four packs (and a language file)
    return found;
  }
  RecordTable indexOnDisk() { return decodeIndex(readWhole(host.indexPath)).table; }
};

TEST_F(ReleaseHosts, Release19TakesTheWholeThemeAndComesBackByteForByte) {
  startOn(kRelease19);
  const auto original = wholeHost();
  const RecordTable before = indexOnDisk();
  ASSERT_EQ(before.count(), 1698u);
  const std::size_t splash = findRecord(before, kSplashResource);
  EXPECT_GT(before.offset(splash, Pack::LowRes), 2700000);
  EXPECT_GT(before.offset(splash, Pack::HighRes), 4400000);

  ui.shown(applyFromThemeList(ctx, "Sakura", false));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"修改完成", "应用", MessageIcon::None}}));
  const RecordTable after = indexOnDisk();
  const std::uint64_t low = original.at("Resources/PSIconsLowRes.dat").size();
  EXPECT_EQ(after.offset(splash, Pack::LowRes), static_cast<std::int32_t>(low));
  EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")).substr(low),
            theme["loading_low.png"] + theme["ico_dark_low.png"] + theme["ico_light_low.png"]);
  for (std::size_t n = 1; n <= after.count(); ++n) {
    if (n == splash || n == findRecord(after, kDarkIconResource) || n == findRecord(after, kLightIconResource))
      continue;
    ASSERT_EQ(after.records[n - 1], before.records[n - 1]) << n;
  }
  EXPECT_EQ(readWhole(res("PSIconsXLowRes.dat")), "fdra");

  ui.shown(applyFromThemeList(ctx, kDefaultEntry, false));
  EXPECT_EQ(wholeHost(), original);
}

TEST_F(ReleaseHosts, SingleIconHostTakesTheDarkIconAndSaysWhatItSkipped) {
  startOn(kSingleIcon);
  const auto original = wholeHost();
  const RecordTable before = indexOnDisk();
  ASSERT_EQ(before.count(), 1822u);
  const std::size_t icon = findRecord(before, kSingleIconResource);
  ASSERT_NE(icon, 0u);

  ui.shown(applyFromThemeList(ctx, "Sakura", false));
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{{"这个 Photoshop 只有一个应用栏图标 PS_OWL_appbar_win，已换成主题的暗色图标\r\n"
                                       "这个 Photoshop 没有以下图标，已跳过：PS_OWL_appbar_light_win",
                                       "应用", MessageIcon::None},
                                      {"修改完成", "应用", MessageIcon::None}}));
  const std::string packFolder = host.folder + "/Resources/";
  const RecordTable after = indexOnDisk();
  EXPECT_EQ(lookUpImage(after, files, packFolder, kSingleIconResource, Pack::LowRes), theme["ico_dark_low.png"]);
  EXPECT_EQ(lookUpImage(after, files, packFolder, kSingleIconResource, Pack::HighRes), theme["ico_dark_high.png"]);

  Look look = currentLook(ctx);
  EXPECT_EQ(look.darkIcon, theme["ico_dark_low.png"]);
  EXPECT_TRUE(look.lightIcon.empty());
  EXPECT_EQ(look.hostLacks, std::vector<std::string>{kLightIconResource});
  Preview preview = previewEntry(ctx, "Sakura");  // the light icon is never applied here
  EXPECT_TRUE(preview.look.lightIcon.empty() && preview.look.lightIconHigh.empty());
  EXPECT_EQ(preview.look.darkIconHigh, theme["ico_dark_high.png"]);
  EXPECT_EQ(preview.look.darkIcon, theme["ico_dark_low.png"]);

  ui.boxes.clear();
  ui.shown(applyFromThemeList(ctx, kCurrentEntry, false));
  ui.shown(applyFromThemeList(ctx, kDefaultEntry, false));
  EXPECT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(wholeHost(), original);
  // With the backup's record lost the host is judged by its bytes: an index derived by
  // the program over the single icon is still the program's.
  ui.shown(applyFromThemeList(ctx, "Sakura", false));
  forgetRecord();
  ui.shown(applyFromThemeList(ctx, kDefaultEntry, false));
  EXPECT_EQ(wholeHost(), original);
}

TEST_F(ReleaseHosts, OtherLanguageHostIsLocatedOnceAndItsStartupTextLeftAlone) {
  startOn({.chinese = false});
  EXPECT_TRUE(state.languageAbsent());
  EXPECT_TRUE(ui.dialogs.size() == 1u);  // only Photoshop.exe was asked for
  const auto original = wholeHost();

  // A second start reads the stored location and asks nothing.
  RunState second;
  FakeInteraction quiet;
  Context again{files, quiet, view, second, home};
  runStartup(again);
  EXPECT_TRUE(quiet.dialogs.empty());
  EXPECT_TRUE(quiet.boxes.empty());
  EXPECT_EQ(second.hostFolder, state.hostFolder);
  EXPECT_TRUE(second.languageAbsent());
  EXPECT_TRUE(hostPathsSettled(second, '/'));

  EXPECT_FALSE(startupTextToggleFor(ctx, "Sakura"));
  EXPECT_FALSE(previewEntry(ctx, kCurrentEntry).look.startupTextAvailable);
  ui.shown(applyFromThemeList(ctx, "Sakura", true));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{testing::kNoLanguageFileText, "应用", MessageIcon::None},
                                                {"修改完成", "应用", MessageIcon::None}}));
  EXPECT_EQ(readWhole(host.languageFile), host.languageBytes);

  ui.shown(applyFromThemeList(ctx, kDefaultEntry, true));
  EXPECT_EQ(wholeHost(), original);
  EXPECT_TRUE(files.exists(langBak("IconResources.idx")));
  EXPECT_EQ(files.fileNames(host.folder + "/Locales_BAK/lumaset_BAK").size(), 2u);  // the index and the record
}

}  // namespace
}  // namespace lumaset
