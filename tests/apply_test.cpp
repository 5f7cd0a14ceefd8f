// Applying themes, the host's own look and custom images, and what an apply leaves on
// disk when any step of it fails.
#include <gtest/gtest.h>

#include "formats/utf.h"

#include <functional>

#include "backup/create_backup.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"
#include "iconstore/pack_append.h"
#include "run/index_reading.h"
#include "run/startup.h"
#include "starttext/startup_text.h"
#include "support/broken_pngs.h"
#include "support/forwarding_files.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "themes/apply.h"
#include "themes/host_operation.h"

namespace lumaset {
namespace {

using testing::FailingNthChange;
using testing::readWhole;
using testing::RecordedBox;
using testing::writeFile;

using testing::Snapshot;

class Apply : public testing::HostFixture {
 protected:
  void checkThemeApply(bool fourPack);
  std::vector<RecordedBox> done() { return {{"修改完成", "应用", MessageIcon::None}}; }
  void failEachChangeInTurn(const std::string& entry, const std::function<void()>& reset,
                            const std::function<void(const Snapshot& fresh)>& check);
};

void Apply::checkThemeApply(bool fourPack) {
  {
    startOn({.fourPack = fourPack});
    auto images = testing::sixImages();
    testing::writeTheme(home, "Sakura", images);
    ui.shown(applyFromThemeList(ctx, "Sakura", state.startupTextToggle));
    EXPECT_EQ(ui.boxes, done());

    std::string low = readWhole(bak("PSIconsLowRes.dat"));
    std::string high = readWhole(bak("PSIconsHighRes.dat"));
    EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")),
              low + images["loading_low.png"] + images["ico_dark_low.png"] + images["ico_light_low.png"]);
    EXPECT_EQ(readWhole(res("PSIconsHighRes.dat")),
              high + images["loading_high.png"] + images["ico_dark_high.png"] + images["ico_light_high.png"]);

    Outcome quiet;
    RecordTable before, after;
    ASSERT_TRUE(parseIndex(readWhole(bak("IconResources.idx")), before, quiet));
    ASSERT_TRUE(parseIndex(readWhole(host.indexPath), after, quiet));
    ASSERT_EQ(before.count(), after.count());
    ASSERT_EQ(after.layout, fourPack ? IndexLayout::FourPack : IndexLayout::TwoPack);
    std::set<std::size_t> changed = {findRecord(before, kSplashResource), findRecord(before, kDarkIconResource),
                                     findRecord(before, kLightIconResource)};
    for (std::size_t n = 1; n <= before.count(); ++n) {
      Bytes a = before.records[n - 1], b = after.records[n - 1];
      if (changed.count(n)) {
        for (Pack p : {Pack::LowRes, Pack::HighRes}) {
          for (std::size_t field : {offsetField(before.layout, p), lengthField(before.layout, p)}) {
            a.replace(field, 4, 4, '\0');
            b.replace(field, 4, 4, '\0');
          }
        }
      }
      EXPECT_EQ(a, b) << "record " << n;
    }
    std::size_t splash = findRecord(after, kSplashResource);
    EXPECT_EQ(after.offset(splash, Pack::LowRes), static_cast<std::int32_t>(low.size()));
    EXPECT_EQ(after.length(splash, Pack::LowRes), static_cast<std::int32_t>(images["loading_low.png"].size()));
    // The splash's second record keeps its own image.
    EXPECT_EQ(before.records[34], after.records[34]);
  }
}

TEST_F(Apply, FourPackThemeImagesAreAppendedInSlotOrderAndOnlyTheirFieldsChange) { checkThemeApply(true); }
TEST_F(Apply, TwoPackThemeImagesAreAppendedInSlotOrderAndOnlyTheirFieldsChange) { checkThemeApply(false); }

TEST_F(Apply, ApplyingTheSameThemeTwiceGivesIdenticalFiles) {
  startOn();
  testing::writeTheme(home, "Sakura", testing::sixImages());
  ui.shown(applyFromThemeList(ctx, "Sakura", state.startupTextToggle));
  auto first = hostFiles();
  ui.shown(applyFromThemeList(ctx, "Sakura", state.startupTextToggle));
  EXPECT_EQ(hostFiles(), first);
  // Without its record the apply proves the host's files and their backup copies by
  // their bytes, which it counts.
  forgetRecord();
  WorkProgress progress;
  ctx.progress = &progress;
  ui.shown(applyFromThemeList(ctx, "Sakura", state.startupTextToggle));
  EXPECT_EQ(hostFiles(), first);
  // Each backup copy and each host file is read whole at least once.
  std::uint64_t iconFiles = 0;
  for (const char* f : testing::kHostIconFiles) iconFiles += readWhole(bak(f)).size();
  EXPECT_GE(progress.total(), 2 * iconFiles);
  EXPECT_EQ(progress.done(), progress.total());
}

TEST_F(Apply, DefaultEntryGivesTheHostBackByteForByte) {
  startOn();
  auto untouched = hostFiles();
  testing::writeTheme(home, "Sakura", testing::sixImages(), testing::kHidingThemeInfo);
  writeFile(home + "/LumasetTheme/Sakura/word.text", "custom text");
  state.startupTextToggle = true;
  ui.shown(applyFromThemeList(ctx, "Sakura", state.startupTextToggle));
  EXPECT_NE(hostFiles(), untouched);
  ui.boxes.clear();
  state.startupTextToggle = true;  // whatever the toggle says
  ui.shown(applyFromThemeList(ctx, "[默认]", state.startupTextToggle));
  EXPECT_EQ(ui.boxes, done());
  EXPECT_EQ(hostFiles(), untouched);
}

TEST_F(Apply, ThemeWithOnlySplashesKeepsTheBackedUpIcons) {
  startOn();
  testing::writeTheme(home, "Full", testing::sixImages(10));
  ui.shown(applyFromThemeList(ctx, "Full", state.startupTextToggle));
  auto images = testing::sixImages(20);
  testing::writeTheme(
      home, "Splashes",
      {{"loading_low.png", images["loading_low.png"]}, {"loading_high.png", images["loading_high.png"]}});
  ui.shown(applyFromThemeList(ctx, "Splashes", state.startupTextToggle));
  EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")), readWhole(bak("PSIconsLowRes.dat")) + images["loading_low.png"]);
  EXPECT_EQ(readWhole(res("PSIconsHighRes.dat")), readWhole(bak("PSIconsHighRes.dat")) + images["loading_high.png"]);
}

TEST_F(Apply, StartupTextFollowsTheToggleAndTheThemeText) {
  startOn();
  std::string untouched = readWhole(host.languageFile);
  testing::writeTheme(home, "Worded", testing::sixImages());
  writeFile(home + "/LumasetTheme/Worded/word.text", utf8ToUtf16le("WORDS"));
  state.startupTextToggle = true;
  ui.shown(applyFromThemeList(ctx, "Worded", state.startupTextToggle));
  EXPECT_EQ(readWhole(host.languageFile), untouched + openingBlock() + utf8ToUtf16le("WORDS") + closingBlock());
  state.startupTextToggle = false;  // theme text, toggle off: the host's own texts come back
  ui.shown(applyFromThemeList(ctx, "Worded", state.startupTextToggle));
  EXPECT_EQ(readWhole(host.languageFile), untouched);

  testing::writeTheme(home, "OnlyTxt", testing::sixImages());
  writeFile(home + "/LumasetTheme/OnlyTxt/word.txt", "indicator only");
  state.startupTextToggle = true;
  ui.shown(applyFromThemeList(ctx, "OnlyTxt", state.startupTextToggle));
  EXPECT_EQ(readWhole(host.languageFile).size(), untouched.size() + 4870);
}

TEST_F(Apply, CurrentEntryLeavesTheIconsAndSetsOnlyTheText) {
  startOn();
  testing::writeTheme(home, "Sakura", testing::sixImages());
  state.startupTextToggle = true;
  ui.shown(applyFromThemeList(ctx, "Sakura", state.startupTextToggle));
  auto themed = hostFiles();
  ui.boxes.clear();
  state.startupTextToggle = false;
  ui.shown(applyFromThemeList(ctx, "[当前]", state.startupTextToggle));
  EXPECT_EQ(ui.boxes, done());
  auto now = hostFiles();
  EXPECT_EQ(now["language"], readWhole(langBak("tw10428.dat")));
  now.erase("language");
  themed.erase("language");
  EXPECT_EQ(now, themed);
}

TEST_F(Apply, Version18HostGetsImagesButNotText) {
  startOn({.stub = "v18.0.0", .version = "18.0.0"});
  testing::writeTheme(home, "Sakura", testing::sixImages());
  state.startupTextToggle = true;
  ui.shown(applyFromThemeList(ctx, "Sakura", state.startupTextToggle));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{
                          {"Photoshop CC 2017（18.0）及以后的版本不支持修改启动文字", "版本限制", MessageIcon::None},
                          {"修改完成", "应用", MessageIcon::None}}));
  EXPECT_EQ(readWhole(host.languageFile), host.languageBytes);
}

// Only "[当前]", "[默认]" or a theme the library lists is applied: no selection, a typo, a
// theme removed after the list was read, a path in or out of the library and a folder
// that is no theme are refused before the host is touched, and the record keeps its look.
TEST_F(Apply, AnEntryThatIsNoListedThemeIsRefusedBeforeAnyChange) {
  startOn();
  testing::writeTheme(home, "Sakura", testing::sixImages());
  testing::writeTheme(dir.path().string(), "outside", testing::sixImages());
  std::filesystem::create_directories(home + "/LumasetTheme/NoInfo");
  ui.shown(applyFromThemeList(ctx, "Sakura", false));
  std::filesystem::remove_all(home + "/LumasetTheme/Sakura");
  const Snapshot applied = hostFiles();
  const std::string record = readWhole(bak("lumaset.record"));
  for (const std::string& entry :
       std::vector<std::string>{"", "NoSuchTheme", "Sakura", "../../LumasetTheme/outside", "NoInfo",
                                dir / "LumasetTheme/outside", ".lumaset-staging"}) {
    SCOPED_TRACE(entry);
    ui.boxes.clear();
    const Outcome out = applyFromThemeList(ctx, entry, true);
    EXPECT_EQ(out.status, Status::Refused);
    ui.shown(out);
    EXPECT_EQ(ui.boxes,
              (std::vector<RecordedBox>{{"主题库里没有这个主题，未作任何修改：" + entry, "错误", MessageIcon::Error}}));
    EXPECT_EQ(hostFiles(), applied);
    EXPECT_EQ(readWhole(bak("lumaset.record")), record);
  }
}

// An operation never asks: without a located host it is refused, and only the front end's
// location, before it, opens the dialog for Photoshop.exe.
TEST_F(Apply, AnOperationAsksNothingTheLocationBeforeItDoes) {
  startOn();
  testing::writeTheme(home, "Sakura", testing::sixImages());
  state.hostFolder.clear();
  state.currentIndexPath.clear();
  ui.dialogs.clear();
  ui.hostRequests.clear();
  const Snapshot untouched = hostFiles();
  const HostOperation op{.kind = OperationKind::Apply, .entry = "Sakura", .startupTextToggle = false};
  const Outcome run = runOperation(ctx, op);
  EXPECT_EQ(run.reports, (std::vector<Report>{{MessageId::HostPathWrong, ""}}));
  EXPECT_TRUE(ui.dialogs.empty());
  EXPECT_TRUE(ui.hostRequests.empty());
  const Outcome located = locateForOperation(ctx, op);  // the dialog is cancelled
  EXPECT_EQ(located.status, Status::Refused);
  EXPECT_EQ(ui.hostRequests.size(), 1u);
  EXPECT_EQ(hostFiles(), untouched);
}

// The custom page reports as the theme page does. A field that names nothing, or no field
// at all, is refused before anything is made or changed.
TEST_F(Apply, CustomImagesAreAppliedOnlyAsNamed) {
  startOn();
  auto images = testing::sixImages(40);
  writeFile(dir / "mine/splash.png", images["loading_low.png"]);
  writeFile(dir / "mine/light2x.png", images["ico_light_high.png"]);
  const Snapshot untouched = hostFiles();
  ImageSlots fields = {dir / "mine/splash.png", "", dir / "mine/missing.png", "", "", dir / "mine/light2x.png"};
  ui.shown(applyCustomImages(ctx, fields, true));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"图片文件不存在，未作任何修改：" + (dir / "mine/missing.png"), "错误",
                                                 MessageIcon::Error}}));
  EXPECT_EQ(hostFiles(), untouched);
  EXPECT_FALSE(files.exists(bak("IconResources.idx")));

  fields[2].clear();
  ui.boxes.clear();
  ui.shown(applyCustomImages(ctx, fields, true));
  EXPECT_EQ(ui.boxes, done());
  EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")), readWhole(bak("PSIconsLowRes.dat")) + images["loading_low.png"]);
  EXPECT_EQ(readWhole(res("PSIconsHighRes.dat")), readWhole(bak("PSIconsHighRes.dat")) + images["ico_light_high.png"]);
  EXPECT_EQ(readWhole(host.languageFile).size(), host.languageBytes.size() + 4870);

  // Every field empty, the toggle off: the images and the hidden startup text stay.
  const Snapshot themed = hostFiles();
  ui.boxes.clear();
  ui.shown(applyCustomImages(ctx, ImageSlots{}, false));
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{
                {"没有选择任何图片，未作任何修改：请至少选择一张 PNG 图片，再点“应用”。", "应用", MessageIcon::None}}));
  EXPECT_EQ(hostFiles(), themed);
}

TEST_F(Apply, DamagedPngsAreRefusedBeforeAnyByteIsWritten) {
  startOn();
  const std::string packs = readWhole(res("PSIconsLowRes.dat")) + readWhole(res("PSIconsHighRes.dat"));
  const std::string index = readWhole(host.indexPath);
  for (const auto& [name, broken] : testing::brokenPngs(testing::sixImages()["loading_low.png"])) {
    writeFile(dir / "splash.png", broken);
    ui.boxes.clear();
    ui.shown(applyCustomImages(ctx, {dir / "splash.png", "", "", "", "", ""}, false));
    ASSERT_EQ(ui.boxes.size(), 1u) << name;
    EXPECT_EQ(ui.boxes[0].text, "不是有效的 PNG 图片文件，未作修改：" + (dir / "splash.png")) << name;
    EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")) + readWhole(res("PSIconsHighRes.dat")), packs) << name;
    EXPECT_EQ(readWhole(host.indexPath), index) << name;
  }
}

TEST_F(Apply, AnImageThatIsNoPngRefusesTheWholeApplyOnAThemedHost) {
  startOn();
  testing::writeTheme(home, "Sakura", testing::sixImages(), testing::kHidingThemeInfo);
  ui.shown(applyFromThemeList(ctx, "Sakura", true));
  const Snapshot themed = hostFiles();
  auto images = testing::sixImages(30);
  images["ico_dark_low.png"] = "GIF89a not a png";
  testing::writeTheme(home, "Broken", images);
  ui.boxes.clear();
  ui.shown(applyFromThemeList(ctx, "Broken", true));
  const std::string theme = home + "/LumasetTheme/Broken/";
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{{"不是有效的 PNG 图片文件，未作修改：" + theme + "ico_dark_low.png",
                                                 "错误", MessageIcon::Error}}));
  EXPECT_EQ(hostFiles(), themed);  // the packs keep Sakura, the language file its block

  std::filesystem::create_directories(testing::pathFromUtf8(dir / "folder.png"));
  ui.boxes.clear();
  ui.shown(applyCustomImages(ctx, {dir / "folder.png", "", "", "", "", ""}, false));
  EXPECT_EQ(ui.boxes[0].text, "不是有效的 PNG 图片文件，未作修改：" + (dir / "folder.png"));
  EXPECT_EQ(hostFiles(), themed);
}

TEST_F(Apply, UnknownResourceAndATwoGigabytePackAreRefusedInThePlan) {
  startOn();
  writeFile(dir / "a.png", testing::samplePng(3));
  DecodedIndex decoded = decodeIndex(host.index);
  ASSERT_EQ(decoded.problem, IndexProblem::None);
  const std::map<Pack, std::string> paths = {{Pack::LowRes, "low.dat"}, {Pack::HighRes, "high.dat"}};
  PlanRefusal refusal;
  EXPECT_FALSE(planReplacements(
      files, decoded.table, {100, 100}, paths,
      {{kSplashResource, Pack::LowRes, dir / "a.png"}, {"NoSuchResource", Pack::LowRes, dir / "a.png"}}, refusal));
  EXPECT_EQ(refusal.problem, PlanProblem::NoSuchResource);
  EXPECT_EQ(refusal.name, "NoSuchResource");
  EXPECT_FALSE(planReplacements(files, decoded.table, {kPackLimit - 10, 100}, paths,
                                {{kSplashResource, Pack::LowRes, dir / "a.png"}}, refusal));
  EXPECT_EQ(refusal.problem, PlanProblem::PackTooLarge);
  EXPECT_EQ(refusal.name, "low.dat");
  std::optional<ReplacementPlan> plan = planReplacements(
      files, decoded.table, {100, 200}, paths,
      {{kSplashResource, Pack::HighRes, dir / "a.png"}, {kDarkIconResource, Pack::HighRes, dir / "a.png"}}, refusal);
  ASSERT_TRUE(plan);
  const std::size_t png = testing::samplePng(3).size();
  EXPECT_EQ(plan->table.offset(findRecord(plan->table, kDarkIconResource), Pack::HighRes), static_cast<int>(200 + png));
  EXPECT_EQ(plan->appended.at(Pack::HighRes), testing::samplePng(3) + testing::samplePng(3));
  EXPECT_FALSE(plan->appended.count(Pack::LowRes));
}

TEST_F(Apply, DamagedBackupIndexIsMendedFromItsSecondCopyOrStopsTheApplyBeforeAnyChange) {
  startOn();
  ASSERT_TRUE(ui.shown(createBackup(ctx)));
  const std::string second = langBak("IconResources.idx");
  ASSERT_EQ(readWhole(second), host.index);
  testing::writeTheme(home, "Sakura", testing::sixImages());
  writeFile(bak("IconResources.idx"), host.index.substr(0, 1000));
  ui.shown(applyFromThemeList(ctx, "Sakura", state.startupTextToggle));
  EXPECT_EQ(ui.boxes, done());
  EXPECT_EQ(readWhole(bak("IconResources.idx")), host.index);

  std::string changedInPlace = host.index;  // same size, one byte off: only the hash tells
  changedInPlace[kFourPackHeaderLength + 60] ^= 1;
  writeFile(bak("IconResources.idx"), changedInPlace);
  writeFile(second, host.index.substr(0, 1000));
  auto before = hostFiles();
  ui.boxes.clear();
  ui.shown(applyFromThemeList(ctx, "[默认]", state.startupTextToggle));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "备份文件已丢失或损坏，也无法从另一份备份或 Photoshop 的文件重建，未作任何修改：" +
                                  bak("IconResources.idx") + "\r\n请修复或重新安装 Photoshop，再点“备份”。");
  EXPECT_EQ(hostFiles(), before);
}

// A host whose own index names none of the images the program changes has nothing to
// put a theme on.
TEST_F(Apply, BackupIndexWithoutAnyOfTheThreeImagesIsRefusedBeforeAnyChange) {
  const std::string whole = makeHost().index;
  RecordTable twoPackHeader;
  twoPackHeader.layout = IndexLayout::TwoPack;
  for (const Bytes& bare : {whole.substr(0, kFourPackHeaderLength), serialiseIndex(twoPackHeader)}) {
    std::filesystem::remove_all(testing::pathFromUtf8(dir / "PS"));
    startOn();
    writeFile(host.indexPath, bare);
    testing::writeTheme(home, "Sakura", testing::sixImages());
    auto before = hostFiles();
    ui.boxes.clear();
    ui.shown(applyFromThemeList(ctx, "Sakura", false));
    ASSERT_FALSE(ui.boxes.empty());
    EXPECT_EQ(ui.boxes[0],
              (RecordedBox{"这个 Photoshop 的图标索引里没有可以替换的图片，未作任何修改：" + bak("IconResources.idx"),
                           "错误", MessageIcon::Error}));
    EXPECT_EQ(hostFiles(), before) << bare.size();
  }
}

// A host that lacks one image is a host: the rest is applied and the lack said once.
TEST_F(Apply, HostWithoutTheSplashTakesTheIconsAndSaysWhatItSkipped) {
  DecodedIndex decoded = decodeIndex(makeHost().index);
  ASSERT_EQ(decoded.problem, IndexProblem::None);
  RecordTable withoutSplash = decoded.table;  // the sample host names the splash twice
  while (std::size_t n = findRecord(withoutSplash, kSplashResource))
    withoutSplash.records.erase(withoutSplash.records.begin() + static_cast<std::ptrdiff_t>(n - 1));
  std::filesystem::remove_all(testing::pathFromUtf8(dir / "PS"));
  startOn();
  writeFile(host.indexPath, serialiseIndex(withoutSplash));
  testing::writeTheme(home, "Sakura", testing::sixImages());
  const Bytes lowPack = readWhole(res("PSIconsLowRes.dat"));
  const auto theme = testing::sixImages();
  ui.boxes.clear();
  ui.shown(applyFromThemeList(ctx, "Sakura", false));
  EXPECT_EQ(ui.boxes, (std::vector<RecordedBox>{
                          {"这个 Photoshop 没有以下图片，已跳过：Splash1080Background", "应用", MessageIcon::None},
                          {"修改完成", "应用", MessageIcon::None}}));
  const RecordTable now = decodeIndex(readWhole(host.indexPath)).table;
  EXPECT_EQ(now.count(), withoutSplash.count());
  const std::size_t dark = findRecord(now, kDarkIconResource);
  EXPECT_EQ(static_cast<std::uint64_t>(now.offset(dark, Pack::LowRes)), lowPack.size());
  EXPECT_EQ(readWhole(res("PSIconsLowRes.dat")),
            lowPack + theme.at("ico_dark_low.png") + theme.at("ico_light_low.png"));
}

TEST_F(Apply, MissingIndexAsksForTheHostThenGivesUp) {
  startOn();
  std::filesystem::remove(testing::pathFromUtf8(host.indexPath));
  ui.shown(applyFromThemeList(ctx, "[默认]", state.startupTextToggle));
  ASSERT_FALSE(ui.dialogs.empty());
  EXPECT_EQ(ui.dialogs.back().title, "找到 Photoshop 的位置");
  EXPECT_EQ(ui.boxes,
            (std::vector<RecordedBox>{{"Photoshop 路径有误：" + host.folder + "/", "错误", MessageIcon::None}}));
}

TEST_F(Apply, FailedBackupShowsTheNoBackupMessage) {
  startOn();
  writeFile(res("lumaset_BAK"), "a file where the backup folder belongs");
  ui.shown(applyFromThemeList(ctx, "[当前]", state.startupTextToggle));
  ASSERT_FALSE(ui.boxes.empty());
  std::string h = host.folder + "/";
  EXPECT_EQ(ui.boxes.back(),
            (RecordedBox{"没有创建备份，所以无法为你进行下一步操作\r\n如果你 PS 安装在 C 盘，这可能是 Lumaset "
                         "没有目录修改权限造成，请用管理员模式运行 Lumaset 或者修改下面目录的读写权限：\r\n" +
                             h + "Locales\r\n" + h + "Resources",
                         "信息：", MessageIcon::None}));
}

// A host whose index names bytes its packs lack is damaged: that is what it is told, not
// a lack of rights.
// A pack of the right size whose images are no PNGs is damaged too, and never becomes
// the first backup.
TEST_F(Apply, ADamagedHostIsToldAsDamagedNotAsALackOfRights) {
  startOn();
  std::filesystem::remove(testing::pathFromUtf8(res("PSIconsHighRes.dat")));
  ui.shown(applyFromThemeList(ctx, "[当前]", state.startupTextToggle));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text.rfind("Photoshop 自己的图标索引文件已损坏", 0), 0u);

  writeFile(res("PSIconsHighRes.dat"), std::string(readWhole(res("PSIconsLowRes.dat")).size() * 2, 'x'));
  ui.boxes.clear();
  ui.shown(applyFromThemeList(ctx, "[当前]", state.startupTextToggle));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Photoshop 的这个文件已损坏，不能作为原版备份，未作任何修改：" +
                                  res("PSIconsHighRes.dat") +
                                  "\r\n请先应用“[默认]”把原版放回，或修复、重新安装 Photoshop。");
  EXPECT_FALSE(files.exists(bak("IconResources.idx")));
}

// Applies `entry` on the host that `reset` lays out, counting its changing calls (locks
// included),
// then once more for each of those calls on a host laid out anew, with that call
// failing. `check` is given the files of the apply that did not fail.
void Apply::failEachChangeInTurn(const std::string& entry, const std::function<void()>& reset,
                                 const std::function<void(const Snapshot& fresh)>& check) {
  Apply& t = *this;
  reset();
  FailingNthChange counting;
  Context countingCtx{counting, t.ui, t.view, t.state, t.home};
  ASSERT_EQ(applyFromThemeList(countingCtx, entry, state.startupTextToggle).status, Status::Done);
  const Snapshot fresh = t.hostFiles();
  ASSERT_GT(counting.changes, 5);

  for (int n = 1; n <= counting.changes; ++n) {
    SCOPED_TRACE("failing change " + std::to_string(n));
    reset();
    FailingNthChange failing;
    failing.failAt = n;
    Context failingCtx{failing, t.ui, t.view, t.state, t.home};
    const Outcome out = applyFromThemeList(failingCtx, entry, state.startupTextToggle);
    // A failure is never reported as success (a lock that cannot be made refuses too).
    EXPECT_NE(out.status, Status::Done) << failing.failedCall << " " << failing.failedPath;
    EXPECT_FALSE(out.reports.empty());
    for (const Report& r : out.reports) EXPECT_NE(r.id, MessageId::Applied);
    check(fresh);
  }
}

TEST_F(Apply, EveryFailureLeavesEachHostFileOldOrNew) {
  startOn();
  const Snapshot old = hostFiles();
  testing::writeTheme(home, "Sakura", testing::sixImages(), testing::kHidingThemeInfo);
  writeFile(home + "/LumasetTheme/Sakura/word.text", "WORDS");
  auto reset = [&] {
    std::filesystem::remove_all(testing::pathFromUtf8(host.folder));
    makeHost();
    state.startupTextToggle = true;
  };
  failEachChangeInTurn("Sakura", reset, [&](const Snapshot& fresh) {
    for (const auto& [file, bytes] : hostFiles()) {
      EXPECT_TRUE(bytes == old.at(file) || bytes == fresh.at(file)) << file;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(testing::pathFromUtf8(host.folder))) {
      EXPECT_EQ(entry.path().filename().string().find(".lumaset-"), std::string::npos) << entry.path();
    }
  });
}

// Whether every image that the index on disk names lies inside its pack and begins with
// the PNG signature: what the host needs to show its splash and icons. Empty when so,
// else the first record that does not.
std::string firstBrokenImage(const std::string& resources) {
  DecodedIndex decoded = decodeIndex(readWhole(resources + "/IconResources.idx"));
  if (decoded.problem != IndexProblem::None) return "the index does not decode";
  const RecordTable& t = decoded.table;
  const bool four = t.layout == IndexLayout::FourPack;
  const char* packs[] = {"PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"};
  const std::size_t offsetAt = offsetField(t.layout, Pack::LowRes), lengthAt = lengthField(t.layout, Pack::LowRes);
  auto field = [](const Bytes& r, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(r[at + i]);
    return v;
  };
  for (int p = 0; p < (four ? 4 : 2); ++p) {
    const std::string pack = readWhole(resources + "/" + packs[p]);
    for (std::size_t n = 1; n <= t.count(); ++n) {
      const Bytes& r = t.records[n - 1];
      std::uint64_t offset = field(r, offsetAt + 32 * p), length = field(r, lengthAt + 32 * p);
      if (length == 0) continue;
      if (offset + length > pack.size() || pack.compare(offset, 8, "\x89PNG\r\n\x1a\n") != 0)
        return std::string(packs[p]) + " record " + std::to_string(n) + " at " + std::to_string(offset) + " of " +
               std::to_string(pack.size());
    }
  }
  return "";
}

TEST_F(Apply, EveryFailureOnAThemedHostLeavesAnIndexThatNamesOnlyImagesItsPacksHold) {
  startOn();
  testing::writeTheme(home, "Big", testing::sixImages(10));
  testing::writeTheme(home, "Small", {{"loading_low.png", testing::samplePng(3)}});
  ui.shown(applyFromThemeList(ctx, "Big", state.startupTextToggle));
  ASSERT_EQ(firstBrokenImage(host.folder + "/Resources"), "");
  const std::string themedHost = dir / "themed";
  std::filesystem::copy(testing::pathFromUtf8(host.folder), testing::pathFromUtf8(themedHost),
                        std::filesystem::copy_options::recursive);
  const Snapshot themed = hostFiles();
  // The themed host as the apply left it (the record proves its packs, which are then cut
  // back), or a copy of it without the record (a backup made before the record: every
  // file is copied back).
  auto reapplied = [&] {
    std::filesystem::remove_all(testing::pathFromUtf8(host.folder));
    makeHost();
    std::filesystem::create_directory(testing::pathFromUtf8(host.folder + "/Locales_BAK"));
    ui.shown(applyFromThemeList(ctx, "Big", state.startupTextToggle));
    ui.boxes.clear();
  };
  auto copiedWithoutRecord = [&] {
    std::filesystem::remove_all(testing::pathFromUtf8(host.folder));
    std::filesystem::copy(testing::pathFromUtf8(themedHost), testing::pathFromUtf8(host.folder),
                          std::filesystem::copy_options::recursive);
    forgetRecord();
  };
  const std::vector<std::pair<const char*, std::function<void()>>> runs = {
      {"Small", reapplied}, {"[默认]", reapplied}, {"Small", copiedWithoutRecord}, {"[默认]", copiedWithoutRecord}};
  for (const auto& [entry, reset] : runs) {
    SCOPED_TRACE(entry);
    failEachChangeInTurn(entry, reset, [&](const Snapshot& fresh) {
      EXPECT_EQ(firstBrokenImage(host.folder + "/Resources"), "");
      // The index is the themed one, the backed-up one or the new one, never a mix.
      const std::string index = readWhole(host.indexPath);
      EXPECT_TRUE(index == themed.at("IconResources.idx") || index == host.index ||
                  index == fresh.at("IconResources.idx"));
    });
  }
}

// Fails every copy from one source, as a backup copy that cannot be read does.
class UnreadableSource : public testing::ForwardingFiles {
 public:
  std::string source;
  bool allowChange(const testing::ChangeCall& call) override { return call.name != "copyFile" || call.from != source; }
};

TEST_F(Apply, DefaultEntryThatCannotPutTheIndexBackLeavesTheThemedPacksInPlace) {
  startOn();
  testing::writeTheme(home, "Big", testing::sixImages(10));
  ui.shown(applyFromThemeList(ctx, "Big", state.startupTextToggle));
  auto themed = hostFiles();
  UnreadableSource unreadable;
  unreadable.source = bak("IconResources.idx");
  Context unreadableCtx{unreadable, ui, view, state, home};
  ui.boxes.clear();
  ui.shown(applyFromThemeList(unreadableCtx, "[默认]", state.startupTextToggle));
  ASSERT_GE(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], (RecordedBox{"重置文件错误：" + bak("IconResources.idx"), "错误", MessageIcon::Error}));
  auto now = hostFiles();
  now.erase("language");
  themed.erase("language");
  EXPECT_EQ(now, themed);  // cutting the packs back would leave the themed index pointing past their end
  EXPECT_EQ(firstBrokenImage(host.folder + "/Resources"), "");
}

TEST_F(Apply, BothIndexCopiesLostOnAThemedHostIsRefusedBeforeAnyChange) {
  startOn();
  testing::writeTheme(home, "Big", testing::sixImages(10));
  ui.shown(applyFromThemeList(ctx, "Big", state.startupTextToggle));
  const std::string themedIndex = readWhole(host.indexPath);
  // The themed index is the program's rewrite: nothing of it gives the original back.
  std::filesystem::remove(testing::pathFromUtf8(bak("IconResources.idx")));
  std::filesystem::remove(testing::pathFromUtf8(langBak("IconResources.idx")));
  auto themed = hostFiles();
  for (const char* entry : {"[默认]", "Big"}) {
    SCOPED_TRACE(entry);
    ui.boxes.clear();
    ui.shown(applyFromThemeList(ctx, entry, state.startupTextToggle));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.rfind("备份文件已丢失或损坏", 0), 0u) << ui.boxes[0].text;
    EXPECT_EQ(hostFiles(), themed);
    EXPECT_EQ(firstBrokenImage(host.folder + "/Resources"), "");
  }
  EXPECT_EQ(readWhole(host.indexPath), themedIndex);
}

}  // namespace
}  // namespace lumaset
