// Parsing and serialising the host's icon index, in both layouts.
#include <gtest/gtest.h>

#include "iconstore/index_bounds.h"
#include "iconstore/index_format.h"
#include "run/index_reading.h"
#include "support/fake_interaction.h"

namespace lumaset {
namespace {

using testing::FakeInteraction;
using testing::RecordedBox;

// Header bytes written out field by field, independently of the code under test.
Bytes handMadeHeader(int packs, char padding = '\0') {
  const char* names[] = {"PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"};
  Bytes header = "Photoshop Icon Resource Index 1.0\n";
  for (int i = 0; i < packs; ++i) {
    Bytes field = names[i];
    field.resize(127, padding);
    header += field + "\n";
  }
  return header;
}

Bytes record(std::size_t size, const std::string& name, unsigned char fill) {
  Bytes r(size, static_cast<char>(fill));
  r.replace(0, name.size(), name);
  r[name.size()] = '\0';
  return r;
}

class IndexFormat : public ::testing::Test {
 protected:
  FakeInteraction ui;
  RecordTable table;
  // Parses into `table` and shows what the parse reported, as the window would.
  bool parse(const Bytes& data) {
    Outcome out;
    const bool parsed = parseIndex(data, table, out);
    ui.shown(out);
    return parsed;
  }
};

TEST_F(IndexFormat, HeaderConstantsAreTheHostsHeaders) {
  EXPECT_EQ(indexHeader(IndexLayout::FourPack), handMadeHeader(4));
  EXPECT_EQ(indexHeader(IndexLayout::TwoPack), handMadeHeader(2));
  EXPECT_EQ(indexHeader(IndexLayout::FourPack).size(), 546u);
  EXPECT_EQ(indexHeader(IndexLayout::TwoPack).size(), 290u);
}

TEST_F(IndexFormat, ParsesFourPackRecordsAndSerialisesThemByteForByte) {
  Bytes data =
      handMadeHeader(4) + record(368, "Splash1080Background", 0xA1) + record(368, "PS_OWL_appbar_dark_win", 0xB2);
  ASSERT_TRUE(parse(data));
  EXPECT_EQ(table.layout, IndexLayout::FourPack);
  ASSERT_EQ(table.count(), 2u);
  EXPECT_EQ(table.name(1), "Splash1080Background");
  EXPECT_EQ(table.name(2), "PS_OWL_appbar_dark_win");
  EXPECT_EQ(serialiseIndex(table), data);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(IndexFormat, ParsesTwoPackRecordsAndSerialisesThemByteForByte) {
  Bytes data = handMadeHeader(2) + record(208, "A", 1) + record(208, "B", 2) + record(208, "C", 3);
  ASSERT_TRUE(parse(data));
  EXPECT_EQ(table.layout, IndexLayout::TwoPack);
  EXPECT_EQ(table.count(), 3u);
  EXPECT_EQ(serialiseIndex(table), data);
}

TEST_F(IndexFormat, FieldsSitAtTheirLayoutsPositions) {
  Bytes four = record(368, "X", 0);
  writeInt32LE(four, 112, 1000);
  writeInt32LE(four, 144, 2000);
  writeInt32LE(four, 240, 30);
  writeInt32LE(four, 272, -40);
  ASSERT_TRUE(parse(handMadeHeader(4) + four));
  EXPECT_EQ(table.offset(1, Pack::LowRes), 1000);
  EXPECT_EQ(table.offset(1, Pack::HighRes), 2000);
  EXPECT_EQ(table.length(1, Pack::LowRes), 30);
  EXPECT_EQ(table.length(1, Pack::HighRes), -40);

  Bytes two = record(208, "Y", 0);
  writeInt32LE(two, 80, 11);
  writeInt32LE(two, 112, 22);
  writeInt32LE(two, 144, 33);
  writeInt32LE(two, 176, 44);
  ASSERT_TRUE(parse(handMadeHeader(2) + two));
  EXPECT_EQ(table.offset(1, Pack::LowRes), 11);
  EXPECT_EQ(table.offset(1, Pack::HighRes), 22);
  EXPECT_EQ(table.length(1, Pack::LowRes), 33);
  EXPECT_EQ(table.length(1, Pack::HighRes), 44);
}

TEST_F(IndexFormat, TheExtraPacksHaveFieldsInTheFourPackLayoutOnly) {
  Bytes four = record(368, "X", 0);
  writeInt32LE(four, 176, 3000);
  writeInt32LE(four, 208, 4000);
  writeInt32LE(four, 304, 50);
  writeInt32LE(four, 336, 60);
  ASSERT_TRUE(parse(handMadeHeader(4) + four));
  EXPECT_EQ(table.offset(1, Pack::XLowRes), 3000);
  EXPECT_EQ(table.offset(1, Pack::XHighRes), 4000);
  EXPECT_EQ(table.length(1, Pack::XLowRes), 50);
  EXPECT_EQ(table.length(1, Pack::XHighRes), 60);
  ASSERT_TRUE(table.setLength(1, Pack::XHighRes, 7));
  ASSERT_TRUE(table.setOffset(1, Pack::XLowRes, 8));
  EXPECT_EQ(table.records[0].substr(336, 4), Bytes("\x07\0\0\0", 4));
  EXPECT_EQ(table.records[0].substr(176, 4), Bytes("\x08\0\0\0", 4));

  Bytes two = record(208, "Y", 0x55);
  ASSERT_TRUE(parse(handMadeHeader(2) + two));
  for (const Pack pack : {Pack::XLowRes, Pack::XHighRes}) {
    EXPECT_EQ(table.offset(1, pack), 0);
    EXPECT_EQ(table.length(1, pack), 0);
    EXPECT_FALSE(table.setOffset(1, pack, 1));
    EXPECT_FALSE(table.setLength(1, pack, 1));
  }
  EXPECT_EQ(table.records[0], two);
}

TEST_F(IndexFormat, SettingAFieldChangesOnlyItsFourBytes) {
  Bytes original = record(368, "Splash1080Background", 0x77);
  ASSERT_TRUE(parse(handMadeHeader(4) + original));
  ASSERT_TRUE(table.setOffset(1, Pack::HighRes, 0x01020304));
  ASSERT_TRUE(table.setLength(1, Pack::LowRes, 5));
  const Bytes& patched = table.records[0];
  ASSERT_EQ(patched.size(), 368u);
  for (std::size_t i = 0; i < 368; ++i) {
    bool inField = (i >= 144 && i < 148) || (i >= 240 && i < 244);
    if (!inField) {
      EXPECT_EQ(patched[i], original[i]) << "byte " << i;
    }
  }
  EXPECT_EQ(patched.substr(144, 4), Bytes("\x04\x03\x02\x01", 4));
  EXPECT_EQ(table.length(1, Pack::LowRes), 5);
  EXPECT_FALSE(table.setOffset(2, Pack::LowRes, 1));
  EXPECT_FALSE(table.setLength(0, Pack::LowRes, 1));
  EXPECT_EQ(table.offset(9, Pack::LowRes), 0);
}

TEST_F(IndexFormat, NamesEndAtTheirNulOrAtTheFieldsEnd) {
  Bytes withGarbage = record(208, "PanelLayers", 0);
  withGarbage.replace(12, 10, "garbage!!!");
  Bytes noNul(208, 'N');
  ASSERT_TRUE(parse(handMadeHeader(2) + withGarbage + noNul));
  EXPECT_EQ(table.name(1), "PanelLayers");
  EXPECT_EQ(table.name(2), std::string(48, 'N'));
  EXPECT_EQ(table.name(3), "");
}

TEST_F(IndexFormat, HeaderAloneGivesAnEmptyFourPackTable) {
  table.layout = IndexLayout::TwoPack;
  table.records.push_back("old");
  ASSERT_TRUE(parse(handMadeHeader(4)));
  EXPECT_EQ(table.layout, IndexLayout::FourPack);
  EXPECT_EQ(table.count(), 0u);
}

TEST_F(IndexFormat, ShortFileWithSignatureIsAnEmptyTwoPackIndex) {
  ASSERT_TRUE(parse(handMadeHeader(4).substr(0, 100)));
  EXPECT_EQ(table.layout, IndexLayout::TwoPack);
  EXPECT_EQ(table.count(), 0u);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(IndexFormat, FourPackHeaderWithOtherPaddingIsReadAsTwoPack) {
  Bytes header = handMadeHeader(4);
  header[320] = ' ';
  // From byte 290 on: 256 header bytes + 160 = two records of 208.
  Bytes data = header + Bytes(160, 'q');
  ASSERT_TRUE(parse(data));
  EXPECT_EQ(table.layout, IndexLayout::TwoPack);
  ASSERT_EQ(table.count(), 2u);
  EXPECT_EQ(table.records[0], data.substr(290, 208));
  EXPECT_EQ(table.name(1), "PSIconsXLowRes.dat");
}

TEST_F(IndexFormat, EmptyDataShowsThePermissionMessageAndKeepsTheTable) {
  ASSERT_TRUE(parse(handMadeHeader(2) + record(208, "Kept", 0)));
  EXPECT_FALSE(parse(""));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], (RecordedBox{"读取到的索引长度为 0 ，很可能是没有权限造成的，请用管理员权限运行 Lumaset",
                                      "错误", MessageIcon::None}));
  EXPECT_EQ(table.layout, IndexLayout::TwoPack);
  EXPECT_EQ(table.name(1), "Kept");
}

TEST_F(IndexFormat, WrongSignatureIsIgnoredSilently) {
  ASSERT_TRUE(parse(handMadeHeader(4) + record(368, "Kept", 0)));
  Bytes bad = handMadeHeader(4);
  bad[10] = 'X';
  EXPECT_FALSE(parse(bad + record(368, "New", 0)));
  EXPECT_FALSE(parse("Photoshop"));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(table.name(1), "Kept");
}

TEST_F(IndexFormat, FourPackLengthErrorNamesNoLength) {
  ASSERT_TRUE(parse(handMadeHeader(4) + record(368, "Kept", 0)));
  EXPECT_FALSE(parse(handMadeHeader(4) + Bytes(369, 'r')));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], (RecordedBox{"索引长度错误_nc368", "信息：", MessageIcon::None}));
  EXPECT_EQ(table.name(1), "Kept");
}

TEST_F(IndexFormat, TwoPackLengthErrorNamesTheRecordAreasLength) {
  ASSERT_TRUE(parse(handMadeHeader(4) + record(368, "Kept", 0)));
  EXPECT_FALSE(parse(handMadeHeader(2) + Bytes(1000, 'r')));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], (RecordedBox{"索引长度错误_nc208:1000", "信息：", MessageIcon::None}));
  EXPECT_EQ(table.layout, IndexLayout::FourPack);
  EXPECT_EQ(table.count(), 1u);
}

// Offsets and lengths put in by hand at the host's positions: in the four-pack layout the
// LowRes offset at 112 and length at 240, each further pack 32 bytes on.
Bytes recordWithImage(int slot, std::int32_t offset, std::int32_t length) {
  Bytes r = record(kFourPackRecordSize, "Img", 0);
  writeInt32LE(r, 112 + 32 * slot, offset);
  writeInt32LE(r, 240 + 32 * slot, length);
  return r;
}

TEST(IndexBounds, ImagesMustEndWithinTheirPack) {
  RecordTable t;
  t.records = {recordWithImage(0, 4, 96), recordWithImage(0, 100, 0), recordWithImage(0, -5, -1)};
  EXPECT_EQ(firstRecordPastPack(t, Pack::LowRes, 100), std::nullopt);  // ends exactly at the pack's end
  EXPECT_EQ(firstRecordPastPack(t, Pack::LowRes, 99), std::optional<std::size_t>(1));
  t.records.push_back(recordWithImage(0, -1, 4));
  EXPECT_EQ(firstRecordPastPack(t, Pack::LowRes, 1000), std::optional<std::size_t>(4));
  // A 32-bit offset and length that add up past 2^31 are not taken as negative.
  t.records = {recordWithImage(0, 0x7FFFFFF0, 0x7FFFFFF0)};
  EXPECT_EQ(firstRecordPastPack(t, Pack::LowRes, 0x80000000ull), std::optional<std::size_t>(1));
}

TEST(IndexBounds, EachPackReadsItsOwnFields) {
  RecordTable t;
  t.records = {recordWithImage(3, 50, 50)};
  EXPECT_EQ(firstRecordPastPack(t, Pack::XHighRes, 99), std::optional<std::size_t>(1));
  EXPECT_EQ(firstRecordPastPack(t, Pack::XHighRes, 100), std::nullopt);
  EXPECT_EQ(firstRecordPastPack(t, Pack::XLowRes, 0), std::nullopt);
  EXPECT_EQ(firstRecordPastPack(t, Pack::LowRes, 0), std::nullopt);
  EXPECT_EQ(packCount(IndexLayout::FourPack), 4);
  EXPECT_EQ(packCount(IndexLayout::TwoPack), 2);
  EXPECT_STREQ(packFile(Pack::LowRes), "PSIconsLowRes.dat");
  EXPECT_STREQ(packFile(Pack::HighRes), "PSIconsHighRes.dat");
  EXPECT_STREQ(packFile(Pack::XLowRes), "PSIconsXLowRes.dat");
  EXPECT_STREQ(packFile(Pack::XHighRes), "PSIconsXHighRes.dat");
}

TEST(IndexBounds, ATwoPackIndexNamesNothingInTheExtraPacks) {
  // The bytes where a four-pack record keeps its XHighRes fields would be past a
  // two-pack record's end, and its XLowRes ones are the LowRes and HighRes lengths.
  RecordTable t;
  t.layout = IndexLayout::TwoPack;
  t.records = {Bytes(kTwoPackRecordSize, '\x7F')};
  for (const Pack pack : {Pack::XLowRes, Pack::XHighRes})
    EXPECT_EQ(firstRecordPastPack(t, pack, 0), std::nullopt) << static_cast<int>(pack);
  EXPECT_EQ(firstRecordPastPack(t, Pack::HighRes, 0), std::optional<std::size_t>(1));
}

}  // namespace
}  // namespace lumaset
