// libFuzzer target for the icon index decoder: any bytes decode or are refused, and a
// decoded table answers for each of its records without reading outside it.
#include <cstdint>

#include "iconstore/index_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumaset::DecodedIndex decoded = lumaset::decodeIndex(lumaset::Bytes(reinterpret_cast<const char*>(data), size));
  if (decoded.problem != lumaset::IndexProblem::None) return 0;
  const lumaset::RecordTable& t = decoded.table;
  std::size_t sum = 0;
  for (std::size_t n = 1; n <= t.count(); ++n) {
    sum += t.name(n).size();
    sum += static_cast<std::size_t>(t.offset(n, lumaset::Pack::LowRes)) + t.length(n, lumaset::Pack::HighRes);
  }
  volatile std::size_t sink = sum;
  (void)sink;
  return 0;
}
