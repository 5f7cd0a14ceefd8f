#include "iconstore/index_format.h"

#include <string>

namespace lumaset {
namespace {

Bytes packNameField(const char* name) {
  Bytes field(name);
  field.resize(127, '\0');
  field += '\n';
  return field;
}

Bytes makeFourPackHeader() {
  return indexSignature() + packNameField(kLowResPack) + packNameField(kHighResPack) +
         packNameField(kXLowResPack) + packNameField(kXHighResPack);
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

std::size_t offsetField(IndexLayout layout, Pack pack) {
  if (layout == IndexLayout::FourPack) return pack == Pack::LowRes ? 112 : 144;
  return pack == Pack::LowRes ? 80 : 112;
}

std::size_t lengthField(IndexLayout layout, Pack pack) {
  if (layout == IndexLayout::FourPack) return pack == Pack::LowRes ? 240 : 272;
  return pack == Pack::LowRes ? 144 : 176;
}

bool parseIndex(const Bytes& data, RecordTable& table, Interaction& ui) {
  BusyCursor busy(ui);
  if (data.empty()) {
    ui.messageBox("读取到的索引长度为 0 ，很可能是没有权限造成的，请用管理员权限运行 Lumaset", "错误",
                  MessageIcon::None);
    return false;
  }
  if (data.compare(0, kSignatureLength, indexSignature()) != 0) return false;

  const Bytes& fourPack = indexHeader(IndexLayout::FourPack);
  IndexLayout layout = data.compare(0, fourPack.size(), fourPack) == 0 ? IndexLayout::FourPack
                                                                       : IndexLayout::TwoPack;
  std::size_t start = headerLength(layout);
  std::size_t area = data.size() > start ? data.size() - start : 0;
  std::size_t size = recordSize(layout);
  if (area % size != 0) {
    if (layout == IndexLayout::FourPack) {
      ui.messageBox("索引长度错误_nc368", kDefaultCaption, MessageIcon::None);
    } else {
      ui.messageBox("索引长度错误_nc208:" + std::to_string(area), kDefaultCaption, MessageIcon::None);
    }
    return false;
  }

  table.layout = layout;
  table.records.clear();
  for (std::size_t pos = start; pos + size <= data.size(); pos += size) {
    table.records.push_back(data.substr(pos, size));
  }
  return true;
}

Bytes serialiseIndex(const RecordTable& table) {
  Bytes out = indexHeader(table.layout);
  out.reserve(out.size() + table.count() * recordSize(table.layout));
  for (const Bytes& record : table.records) out += record;
  return out;
}

}  // namespace lumaset
