#include "run/index_reading.h"

#include <string>

#include "iconstore/index_format.h"

namespace lumaset {

bool parseIndex(const Bytes& data, RecordTable& table, Outcome& out) {
  DecodedIndex decoded = decodeIndex(data);
  switch (decoded.problem) {
    case IndexProblem::None:
      table = std::move(decoded.table);
      return true;
    case IndexProblem::Empty:
      out.refuse(MessageId::IndexEmpty);
      return false;
    case IndexProblem::NoSignature:
      out.refuseSilently();
      return false;
    case IndexProblem::BadFourPackLength:
      out.refuse(MessageId::IndexFourPackLength);
      return false;
    case IndexProblem::BadTwoPackLength:
      out.refuse(MessageId::IndexTwoPackLength, {}, std::to_string(decoded.recordAreaLength));
      return false;
  }
  return false;
}

std::optional<Bytes> readIndexFile(SystemReading& files, const std::string& path) {
  if (files.info(path).size > kIndexFileLimit) return std::nullopt;
  return files.readFile(path);
}

bool parseIndexFile(SystemReading& files, const std::string& path, RecordTable& table, Outcome& out) {
  if (!files.info(path).exists) return false;
  std::optional<Bytes> data = readIndexFile(files, path);
  return data && parseIndex(*data, table, out);
}

}  // namespace lumaset
