// Looking images up in the packs, and the current and default looks built on it.
#include <gtest/gtest.h>

#include <fstream>

#include "formats/utf.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"
#include "run/index_reading.h"
#include "run/startup.h"
#include "starttext/marker.h"
#include "support/host_fixture.h"
#include "themes/looks.h"
#include "themes/theme_folder.h"

namespace lumaset {
namespace {

using testing::RecordedBox;

// Counts whole-file reads, so a test can see that a lookup reads only a range of a pack.
class CountingFiles : public PosixFiles {
 public:
  int wholeReads = 0;
  Bytes readFile(const std::string& path) override {
    ++wholeReads;
    return PosixFiles::readFile(path);
  }
};

RecordTable tableWith(const std::vector<std::pair<std::string, std::pair<int, int>>>& records) {
  RecordTable table;
  table.layout = IndexLayout::TwoPack;
  for (const auto& [name, field] : records) {
    Bytes r(208, '\0');
    r.replace(0, name.size(), name);
    writeInt32LE(r, 80, field.first);
    writeInt32LE(r, 144, field.second);
    table.records.push_back(r);
  }
  return table;
}

class Lookup : public testing::HostFixture {
 protected:
  std::string packFolder() { return dir.str() + "/"; }
  void writePack(const std::string& bytes) {
    std::ofstream(dir.path() / "PSIconsLowRes.dat", std::ios::binary) << bytes;
  }
};

TEST_F(Lookup, FirstRecordOfTheExactNameWins) {
  writePack("fdraAAAABBBB");
  RecordTable table = tableWith({{"Splash", {4, 4}}, {"Splash", {8, 4}}, {"splash", {8, 4}}});
  EXPECT_EQ(lookUpImage(table, files, packFolder(), "Splash", Pack::LowRes), "AAAA");
  EXPECT_EQ(lookUpImage(table, files, packFolder(), "SPLASH", Pack::LowRes), "");
  EXPECT_EQ(lookUpImage(table, files, packFolder(), "Spl", Pack::LowRes), "");
  EXPECT_EQ(findRecord(table, "splash"), 3u);
}

TEST_F(Lookup, RangesAreClippedToThePack) {
  writePack(std::string(50, 'x').replace(40, 10, "0123456789"));
  RecordTable table = tableWith({{"end", {50, 4}},
                                 {"tail", {10, 100}},
                                 {"neg", {-5, 3}},
                                 {"negLen", {0, -1}},
                                 {"past", {60, 1}},
                                 {"lastTen", {40, 100}}});
  EXPECT_EQ(lookUpImage(table, files, packFolder(), "end", Pack::LowRes), "");
  EXPECT_EQ(lookUpImage(table, files, packFolder(), "tail", Pack::LowRes).size(), 40u);
  EXPECT_EQ(lookUpImage(table, files, packFolder(), "neg", Pack::LowRes), "xxx");
  EXPECT_EQ(lookUpImage(table, files, packFolder(), "negLen", Pack::LowRes), "");
  EXPECT_EQ(lookUpImage(table, files, packFolder(), "past", Pack::LowRes), "");
  EXPECT_EQ(lookUpImage(table, files, packFolder(), "lastTen", Pack::LowRes), "0123456789");
}

TEST_F(Lookup, MissingPackGivesNothing) {
  RecordTable table = tableWith({{"A", {0, 4}}});
  EXPECT_EQ(lookUpImage(table, files, dir.str() + "/nowhere/", "A", Pack::LowRes), "");
}

TEST_F(Lookup, ReadsOnlyTheImagesBytesOfAPack) {
  makeHost();
  CountingFiles counting;
  Outcome quiet;
  RecordTable table;
  ASSERT_TRUE(parseIndex(counting.readFile(host.indexPath), table, quiet));
  counting.wholeReads = 0;
  Bytes splash = lookUpImage(table, counting, host.folder + "/Resources/", kSplashResource, Pack::HighRes);
  EXPECT_EQ(splash, host.records[10].highImage);
  EXPECT_EQ(counting.wholeReads, 0);
}

TEST_F(Lookup, SampleHostImagesComeBackExactly) {
  makeHost("v16.1.2", "16.1.2", false);
  RecordTable table;
  Outcome read;
  ASSERT_TRUE(parseIndex(files.readFile(host.indexPath), table, read));
  EXPECT_EQ(table.layout, IndexLayout::TwoPack);
  ASSERT_EQ(table.count(), host.records.size());
  std::string folder = host.folder + "/Resources/";
  for (const char* name : {kSplashResource, kDarkIconResource, kLightIconResource}) {
    std::size_t n = findRecord(table, name);
    ASSERT_NE(n, 0u) << name;
    EXPECT_EQ(lookUpImage(table, files, folder, name, Pack::LowRes), host.records[n - 1].lowImage);
    EXPECT_EQ(lookUpImage(table, files, folder, name, Pack::HighRes), host.records[n - 1].highImage);
  }
  EXPECT_EQ(table.name(findRecord(table, "PanelLayers")), "PanelLayers");
}

class Looks : public testing::HostFixture {
 protected:
  const tools::SampleRecord& sample(const std::string& name) {
    for (const auto& r : host.records)
      if (r.name == name) return r;
    throw std::runtime_error("no sample record " + name);
  }
  void backUpIndex() {
    std::filesystem::create_directories(testing::pathFromUtf8(res("lumaset_BAK")));
    std::filesystem::copy_file(testing::pathFromUtf8(host.indexPath), testing::pathFromUtf8(bak("IconResources.idx")));
  }
};

TEST_F(Looks, CurrentLookShowsTheHostsImagesAndDescription) {
  startOn();
  Look look = currentLook(ctx);
  EXPECT_EQ(look.splash, sample(kSplashResource).lowImage);
  EXPECT_EQ(look.darkIcon, sample(kDarkIconResource).lowImage);
  EXPECT_EQ(look.lightIcon, sample(kLightIconResource).lowImage);
  EXPECT_EQ(look.description, "当前 Photoshop 的启动画面");
  EXPECT_FALSE(look.startupTextToggle);
  EXPECT_EQ(look.overlay, Overlay::Marked);
  EXPECT_TRUE(view.looks.empty());  // a look is a value: the front end shows it
}

TEST_F(Looks, MarkedLanguageFileTurnsTheToggleOnAndClearsTheOverlay) {
  startOn();
  std::ofstream(testing::pathFromUtf8(host.languageFile), std::ios::binary | std::ios::app)
      << utf8ToUtf16le("\r\n//Lumaset v1.0---\r\n");
  Look look = currentLook(ctx);
  EXPECT_TRUE(look.startupTextToggle);
  EXPECT_TRUE(startupTextToggleFor(ctx, kCurrentEntry));
  EXPECT_FALSE(state.startupTextToggle);  // the front end takes the look's toggle
  EXPECT_EQ(look.overlay, Overlay::Clear);
}

TEST_F(Looks, MarkerInSingleByteCharactersDoesNotCount) {
  startOn();
  std::ofstream(testing::pathFromUtf8(host.languageFile), std::ios::binary | std::ios::app) << "//Lumaset v1.0---";
  EXPECT_FALSE(languageFileCarriesMarker(files, host.languageFile));
  EXPECT_EQ(startupTextMarker().size(), 34u);
}

TEST_F(Looks, HostOfVersion18AlwaysGetsTheClearOverlay) {
  startOn({.stub = "v18.0.0", .version = "18.0.0"});
  EXPECT_EQ(currentLook(ctx).overlay, Overlay::Clear);
  EXPECT_EQ(chooseOverlay(false, false), Overlay::Marked);
  EXPECT_EQ(chooseOverlay(true, false), Overlay::Clear);
  EXPECT_EQ(chooseOverlay(false, true), Overlay::Clear);
}

TEST_F(Looks, DefaultLookComesFromTheBackupIndexAndThePacksBesideTheCurrentOne) {
  startOn();
  backUpIndex();
  // Point the current index's splash elsewhere; the default look still finds the original.
  RecordTable changed;
  Outcome unused;
  ASSERT_TRUE(parseIndexFile(files, host.indexPath, changed, unused));
  std::size_t n = findRecord(changed, kSplashResource);
  changed.setOffset(n, Pack::LowRes, sample("ToolMove").lowOffset);
  changed.setLength(n, Pack::LowRes, static_cast<std::int32_t>(sample("ToolMove").lowImage.size()));
  files.writeFile(host.indexPath, serialiseIndex(changed));
  state.startupTextToggle = true;

  Look look = defaultLook(ctx);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(look.splash == sample(kSplashResource).lowImage);
  EXPECT_EQ(look.description, "Photoshop 的默认启动画面（备份的画面）");
  EXPECT_FALSE(look.startupTextToggle);
  EXPECT_TRUE(state.startupTextToggle);  // left to the front end
  EXPECT_EQ(look.overlay, Overlay::Marked);
  EXPECT_TRUE(currentLook(ctx).splash == sample("ToolMove").lowImage);
}

TEST_F(Looks, DefaultLookWithoutBackupIsTheCurrentImagesWithoutAnAlarm) {
  startOn();
  Look look = defaultLook(ctx);
  // No backup yet says nothing about rights: nothing has been changed.
  EXPECT_TRUE(look.reports.empty());
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(look.splash, sample(kSplashResource).lowImage);
  EXPECT_EQ(look.description, "Photoshop 的默认启动画面（还没有备份，就是当前的画面）");
}

}  // namespace
}  // namespace lumaset
