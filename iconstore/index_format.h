// The host's icon index file IconResources.idx: its two layouts, the header constants,
// the field positions inside a record, and parsing and serialising the record table.
#pragma once
#include <cstddef>

#include "iconstore/record_table.h"

namespace lumaset {

inline constexpr std::size_t kSignatureLength = 34;
inline constexpr std::size_t kFourPackHeaderLength = 546;
inline constexpr std::size_t kTwoPackHeaderLength = 290;
inline constexpr std::size_t kFourPackRecordSize = 368;
inline constexpr std::size_t kTwoPackRecordSize = 208;
inline constexpr std::size_t kNameFieldLength = 48;
// A real index is well below a megabyte; a larger file is not read at all.
inline constexpr std::uint64_t kIndexFileLimit = 64ull << 20;

inline constexpr const char* kLowResPack = "PSIconsLowRes.dat";
inline constexpr const char* kHighResPack = "PSIconsHighRes.dat";
inline constexpr const char* kXLowResPack = "PSIconsXLowRes.dat";
inline constexpr const char* kXHighResPack = "PSIconsXHighRes.dat";
inline constexpr const char* kIndexFile = "IconResources.idx";

// "Photoshop Icon Resource Index 1.0" and a line feed.
const Bytes& indexSignature();
// The header the system writes for a layout (the two-pack one is the first 290 bytes of
// the four-pack one).
const Bytes& indexHeader(IndexLayout layout);
std::size_t headerLength(IndexLayout layout);
std::size_t recordSize(IndexLayout layout);

// The pack's file ("PSIconsXLowRes.dat" and so on).
const char* packFile(Pack pack);

// Positions of a record's offset and length fields for a layout and a pack it has: each
// pack's field lies 32 bytes after the one before, LowRes first.
std::size_t offsetField(IndexLayout layout, Pack pack);
std::size_t lengthField(IndexLayout layout, Pack pack);

enum class IndexProblem { None, Empty, NoSignature, BadFourPackLength, BadTwoPackLength };

struct DecodedIndex {
  IndexProblem problem = IndexProblem::None;
  RecordTable table;  // valid when problem is None
  std::size_t recordAreaLength = 0;
};

// Decodes index bytes without showing anything.
DecodedIndex decodeIndex(const Bytes& data);

// The header of the table's layout followed by every record, in order.
Bytes serialiseIndex(const RecordTable& table);

}  // namespace lumaset
