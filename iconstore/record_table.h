// The in-memory form of the host's icon index: the layout of the index parsed last and
// its records as raw bytes, with access to the few fields the system uses. Every other
// byte of a record is carried unchanged.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formats/bytes.h"

namespace lumaset {

enum class IndexLayout { FourPack, TwoPack };
// The packs in the order of a record's offset fields and of its length fields; the
// two-pack layout has only the first two.
enum class Pack { LowRes = 0, HighRes = 1, XLowRes = 2, XHighRes = 3 };

// How many packs the layout has: 4 or 2.
int packCount(IndexLayout layout);

struct RecordTable {
  IndexLayout layout = IndexLayout::FourPack;
  std::vector<Bytes> records;  // record n is records[n - 1]

  std::size_t count() const { return records.size(); }
  // The record's name: the bytes before its first NUL, at most 48 bytes. Out-of-range
  // numbers give an empty name; offsets and lengths read as 0 and writes are refused, and
  // so they do for a pack that the layout lacks.
  std::string name(std::size_t number) const;
  std::int32_t offset(std::size_t number, Pack pack) const;
  std::int32_t length(std::size_t number, Pack pack) const;
  bool setOffset(std::size_t number, Pack pack, std::int32_t value);
  bool setLength(std::size_t number, Pack pack, std::int32_t value);
};

}  // namespace lumaset
