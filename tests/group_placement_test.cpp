// Where the three windows stand: inside the work area at every DPI, the preview drawn
// smaller only when the whole group would not fit, a kept place kept as far as it can be.
#include <gtest/gtest.h>

#include "ui/group_placement.h"

namespace lumaset::ui {
namespace {

bool inside(const ScreenRect& r, const ScreenRect& work) {
  return r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom;
}

TEST(GroupPlacement, OnALargeScreenTheGroupStandsAsDesigned) {
  const GroupPlace place = placeGroup(Scale{96}, {0, 0, 1920, 1080});
  EXPECT_EQ(place.previewDpi, 96);
  EXPECT_EQ(place.main, (ScreenPoint{548, 514}));
  const GroupRects r = groupRects(Scale{96}, Scale{96}, place.main);
  EXPECT_EQ(r.preview, (ScreenRect{541, 2, 1379, 508}));
  EXPECT_EQ(r.frame, (ScreenRect{539, 509, 1381, 704}));
}

TEST(GroupPlacement, TheGroupFitsEveryWorkAreaAndThePreviewShrinksOnlyWhenItMust) {
  const ScreenRect works[] = {{0, 0, 1920, 1008},    {0, 48, 1920, 1080},  {0, 0, 1366, 728},
                              {-1280, 0, 0, 984},    {1920, 200, 4480, 1600}, {0, 0, 2560, 1368}};
  for (int dpi : {96, 120, 144, 192}) {
    for (const ScreenRect& work : works) {
      SCOPED_TRACE(std::to_string(dpi) + " in " + monitorKey(work));
      const Scale window{dpi};
      const GroupPlace place = placeGroup(window, work);
      const ScreenRect group = groupRects(window, Scale{place.previewDpi}, place.main).bounds();
      // A main window wider than the work area (200 % on a small screen) can only start at its left.
      if (groupRects(window, Scale{24}, {}).frame.width() <= work.width())
        EXPECT_TRUE(inside(group, work));
      else
        EXPECT_EQ(group.left, work.left);
      EXPECT_LE(place.previewDpi, dpi);
      // The largest preview that fits: one DPI more would not.
      if (place.previewDpi < dpi) {
        const ScreenRect larger = groupRects(window, Scale{place.previewDpi + 1}, {}).bounds();
        EXPECT_TRUE(larger.height() > work.height() || larger.width() > work.width());
      }
    }
  }
  // 150 % on a 1080-line screen with its taskbar: the full group is 1053 pixels high.
  EXPECT_LT(placeGroup(Scale{144}, {0, 0, 1920, 1008}).previewDpi, 144);
  EXPECT_EQ(placeGroup(Scale{144}, {0, 0, 2560, 1368}).previewDpi, 144);
}

TEST(GroupPlacement, AKeptPlaceIsKeptOrMovedJustInside) {
  const Scale window{96};
  const ScreenRect work{0, 0, 1920, 1008};
  EXPECT_EQ(placeGroup(window, work, ScreenPoint{300, 600}).main, (ScreenPoint{300, 600}));
  // Half off the right and the bottom: moved back until the frame's edge meets the work area's.
  const GroupPlace moved = placeGroup(window, work, ScreenPoint{1500, 900});
  const ScreenRect b = groupRects(window, Scale{moved.previewDpi}, moved.main).bounds();
  EXPECT_EQ(b.right, 1920);
  EXPECT_EQ(b.bottom, 1008);
  // Above the top: the preview's top on the work area's.
  EXPECT_EQ(groupRects(window, window, placeGroup(window, work, ScreenPoint{300, 100}).main).preview.top, 0);
  // A work area smaller than the least group: against its top-left corner.
  const ScreenRect tiny{10, 20, 400, 300};
  const GroupPlace cramped = placeGroup(window, tiny, ScreenPoint{5000, 5000});
  const ScreenRect c = groupRects(window, Scale{cramped.previewDpi}, cramped.main).bounds();
  EXPECT_EQ(c.left, 10);
  EXPECT_EQ(c.top, 20);
}

TEST(GroupPlacement, PlacesReadBackAndNothingElseReadsAsOne) {
  EXPECT_EQ(readPlace(placeText({-1270, 35}, 144), 144), (ScreenPoint{-1270, 35}));
  EXPECT_FALSE(readPlace(placeText({-1270, 35}, 144), 96));  // left at another DPI
  for (const char* bad : {"", "12,5", "1,2,96,3", "1,2,96 ", "a,b,96", "999999,0,96"})
    EXPECT_FALSE(readPlace(bad, 96)) << bad;
  EXPECT_EQ(monitorKey({-1280, 0, 0, 1024}), "-1280_0_0_1024");
}

}  // namespace
}  // namespace lumaset::ui
