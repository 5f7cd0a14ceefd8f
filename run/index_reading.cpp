#include "run/index_reading.h"

#include <string>

#include "iconstore/index_format.h"

namespace lumaset {

bool parseIndex(const Bytes& data, RecordTable& table, Interaction& ui) {
  BusyCursor busy(ui);
  DecodedIndex decoded = decodeIndex(data);
  switch (decoded.problem) {
    case IndexProblem::None:
      table = std::move(decoded.table);
      return true;
    case IndexProblem::Empty:
      ui.messageBox("读取到的索引长度为 0 ，很可能是没有权限造成的，请用管理员权限运行 Lumaset", "错误",
                    MessageIcon::None);
      return false;
    case IndexProblem::NoSignature:
      return false;
    case IndexProblem::BadFourPackLength:
      ui.messageBox("索引长度错误_nc368", kDefaultCaption, MessageIcon::None);
      return false;
    case IndexProblem::BadTwoPackLength:
      ui.messageBox("索引长度错误_nc208:" + std::to_string(decoded.recordAreaLength), kDefaultCaption,
                    MessageIcon::None);
      return false;
  }
  return false;
}

std::optional<Bytes> readIndexFile(Files& files, const std::string& path) {
  if (files.info(path).size > kIndexFileLimit) return std::nullopt;
  return files.readFile(path);
}

bool parseIndexFile(Files& files, const std::string& path, RecordTable& table, Interaction& ui) {
  std::optional<Bytes> data = readIndexFile(files, path);
  return data && parseIndex(*data, table, ui);
}

}  // namespace lumaset
