#include "iconstore/index_format.h"

#include <string>

namespace lumaset {
namespace {

// The fields of one record's packs lie 32 bytes apart.
constexpr std::size_t kPackFieldStride = 32;

Bytes packNameField(const char* name) {
  Bytes field(name);
  field.resize(127, '\0');
  field += '\n';
  return field;
}

Bytes makeFourPackHeader() {
  return indexSignature() + packNameField(kLowResPack) + packNameField(kHighResPack) + packNameField(kXLowResPack) +
         packNameField(kXHighResPack);
}

}  // namespace

const Bytes& indexSignature() {
  static const Bytes signature = "Photoshop Icon Resource Index 1.0\n";
  return signature;
}

const Bytes& indexHeader(IndexLayout layout) {
  static const Bytes four = makeFourPackHeader();
  static const Bytes two = four.substr(0, kTwoPackHeaderLength);
  return layout == IndexLayout::FourPack ? four : two;
}

std::size_t headerLength(IndexLayout layout) {
  return layout == IndexLayout::FourPack ? kFourPackHeaderLength : kTwoPackHeaderLength;
}

std::size_t recordSize(IndexLayout layout) {
  return layout == IndexLayout::FourPack ? kFourPackRecordSize : kTwoPackRecordSize;
}

const char* packFile(Pack pack) {
  switch (pack) {
    case Pack::LowRes:
      return kLowResPack;
    case Pack::HighRes:
      return kHighResPack;
    case Pack::XLowRes:
      return kXLowResPack;
    case Pack::XHighRes:
      return kXHighResPack;
  }
  return kLowResPack;
}

std::size_t offsetField(IndexLayout layout, Pack pack) {
  return (layout == IndexLayout::FourPack ? 112 : 80) + kPackFieldStride * static_cast<std::size_t>(pack);
}

std::size_t lengthField(IndexLayout layout, Pack pack) {
  return (layout == IndexLayout::FourPack ? 240 : 144) + kPackFieldStride * static_cast<std::size_t>(pack);
}

DecodedIndex decodeIndex(const Bytes& data) {
  DecodedIndex decoded;
  if (data.empty()) {
    decoded.problem = IndexProblem::Empty;
    return decoded;
  }
  if (data.compare(0, kSignatureLength, indexSignature()) != 0) {
    decoded.problem = IndexProblem::NoSignature;
    return decoded;
  }
  const Bytes& fourPack = indexHeader(IndexLayout::FourPack);
  IndexLayout layout = data.compare(0, fourPack.size(), fourPack) == 0 ? IndexLayout::FourPack : IndexLayout::TwoPack;
  std::size_t start = headerLength(layout);
  std::size_t size = recordSize(layout);
  decoded.recordAreaLength = data.size() > start ? data.size() - start : 0;
  if (decoded.recordAreaLength % size != 0) {
    decoded.problem =
        layout == IndexLayout::FourPack ? IndexProblem::BadFourPackLength : IndexProblem::BadTwoPackLength;
    return decoded;
  }
  decoded.table.layout = layout;
  for (std::size_t pos = start; pos + size <= data.size(); pos += size) {
    decoded.table.records.push_back(data.substr(pos, size));
  }
  return decoded;
}

Bytes serialiseIndex(const RecordTable& table) {
  Bytes out = indexHeader(table.layout);
  out.reserve(out.size() + table.count() * recordSize(table.layout));
  for (const Bytes& record : table.records) out += record;
  return out;
}

}  // namespace lumaset
