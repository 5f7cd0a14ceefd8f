#include "formats/zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>

#include "formats/utf.h"
#include "formats/windows_names.h"

namespace lumaset {
namespace {

constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::uint32_t kZip64EndOfDirectory = 0x06064b50;
constexpr std::uint32_t kZip64Locator = 0x07064b50;
constexpr std::uint32_t kDirectoryEntry = 0x02014b50;
constexpr std::uint32_t kLocalHeader = 0x04034b50;

// Little-endian reads that fail instead of reading past the end.
class Reader {
 public:
  explicit Reader(const Bytes& b) : b_(b) {}
  bool has(std::uint64_t pos, std::uint64_t n) const { return pos <= b_.size() && n <= b_.size() - pos; }
  std::uint64_t get(std::uint64_t pos, int n) const {
    std::uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b_[pos + i]);
    return v;
  }
  std::uint32_t u16(std::uint64_t pos) const { return static_cast<std::uint32_t>(get(pos, 2)); }
  std::uint32_t u32(std::uint64_t pos) const { return static_cast<std::uint32_t>(get(pos, 4)); }
  std::uint64_t u64(std::uint64_t pos) const { return get(pos, 8); }

 private:
  const Bytes& b_;
};

struct Entry {
  ZipMember member;
  std::string folded;  // the name as Windows compares it
  std::uint32_t flags = 0, method = 0, crc = 0;
  std::uint64_t compressed = 0, localOffset = 0, dataOffset = 0;
  bool symlink = false;
};

struct Directory {
  std::uint64_t entries = 0, size = 0, offset = 0;
};

std::optional<Directory> findDirectory(const Bytes& a, ZipResult& error) {
  Reader r(a);
  error = kZipNotAnArchive;
  if (a.size() < 22) return std::nullopt;
  std::uint64_t lowest = a.size() > 22 + 65535 ? a.size() - 22 - 65535 : 0;
  for (std::uint64_t pos = a.size() - 22;; --pos) {
    if (r.u32(pos) == kEndOfDirectory && pos + 22 + r.u16(pos + 20) == a.size()) {
      error = kZipDamaged;
      if (r.u16(pos + 4) != 0 || r.u16(pos + 6) != 0) return std::nullopt;  // spanned archives
      Directory d{r.u16(pos + 10), r.u32(pos + 12), r.u32(pos + 16)};
      if (d.entries == 0xFFFF || d.size == 0xFFFFFFFF || d.offset == 0xFFFFFFFF) {
        if (pos < 20 || r.u32(pos - 20) != kZip64Locator) return std::nullopt;
        std::uint64_t at = r.u64(pos - 20 + 8);
        if (!r.has(at, 56) || r.u32(at) != kZip64EndOfDirectory) return std::nullopt;
        d = {r.u64(at + 32), r.u64(at + 40), r.u64(at + 48)};
      }
      if (!r.has(d.offset, d.size)) return std::nullopt;
      return d;
    }
    if (pos == lowest) return std::nullopt;
  }
}

// Zip64 sizes and offsets live in extra field 0x0001, in this order, for each field
// whose 32-bit slot is full.
bool applyZip64(const Bytes& a, std::uint64_t extra, std::uint64_t extraLength, std::uint64_t& size,
                std::uint64_t& compressed, std::uint64_t& offset) {
  Reader r(a);
  for (std::uint64_t pos = extra; pos + 4 <= extra + extraLength;) {
    std::uint32_t id = r.u16(pos), length = r.u16(pos + 2);
    if (pos + 4 + length > extra + extraLength) return false;
    if (id == 0x0001) {
      std::uint64_t field = pos + 4, end = field + length;
      for (std::uint64_t* value : {&size, &compressed, &offset}) {
        if (*value != 0xFFFFFFFF) continue;
        if (field + 8 > end) return false;
        *value = r.u64(field);
        field += 8;
      }
      return true;
    }
    pos += 4 + length;
  }
  return size != 0xFFFFFFFF && compressed != 0xFFFFFFFF && offset != 0xFFFFFFFF;
}

std::string foldCase(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

// The name as stored, with '\' read as a separator too, made into clean parts.
std::optional<std::string> normaliseName(const std::string& raw, bool& folder) {
  if (raw.empty() || raw[0] == '/' || raw[0] == '\\') return std::nullopt;
  folder = raw.back() == '/' || raw.back() == '\\';
  std::string clean, part;
  auto flush = [&]() -> bool {
    if (part.empty() || part == ".") {
      part.clear();
      return true;
    }
    if (part == ".." || !isPlainName(part)) return false;
    clean += (clean.empty() ? "" : "/") + part;
    part.clear();
    return true;
  };
  for (char c : raw) {
    if (c == '/' || c == '\\') {
      if (!flush()) return std::nullopt;
    } else {
      part += c;
    }
  }
  if (!flush() || (clean.empty() && !folder)) return std::nullopt;
  return clean;  // empty for a folder entry such as "./", which names the target itself
}

// The Info-ZIP Unicode Path extra field: version 1, the CRC-32 of the stored name, then
// the name in UTF-8. It counts only while its CRC matches the name beside it.
std::optional<std::string> unicodePathField(const Bytes& a, std::uint64_t extra, std::uint64_t extraLength,
                                            const Bytes& rawName) {
  Reader r(a);
  for (std::uint64_t pos = extra; pos + 4 <= extra + extraLength;) {
    std::uint32_t id = r.u16(pos), length = r.u16(pos + 2);
    if (pos + 4 + length > extra + extraLength) return std::nullopt;
    if (id == 0x7075 && length >= 5 && static_cast<unsigned char>(a[pos + 4]) == 1) {
      auto crc = static_cast<std::uint32_t>(
          crc32(0L, reinterpret_cast<const Bytef*>(rawName.data()), static_cast<uInt>(rawName.size())));
      Bytes name = a.substr(pos + 9, length - 5);
      if (r.u32(pos + 5) == crc && !name.empty() && isValidUtf8(name)) return name;
    }
    pos += 4 + length;
  }
  return std::nullopt;
}

std::optional<std::string> memberNameText(const Bytes& raw, std::uint32_t flags, const LegacyNameDecoder& gbkToUtf8) {
  if (flags & 0x0800) return isValidUtf8(raw) ? std::optional<std::string>(raw) : std::nullopt;
  if (std::optional<std::string> text = decodeUnmarkedText(raw, gbkToUtf8)) return text;
  return cp437ToUtf8(raw);
}

// A file may not also be a folder of another member ("a" and "a/b").
bool fileIsAlsoFolder(const std::vector<Entry>& entries) {
  for (const Entry& e : entries) {
    if (e.member.folder) continue;
    for (const Entry& other : entries) {
      if (other.folded.size() > e.folded.size() && other.folded.compare(0, e.folded.size(), e.folded) == 0 &&
          other.folded[e.folded.size()] == '/')
        return true;
    }
  }
  return false;
}

// Local headers, and member data that does not overlap (a trick of zip bombs).
ZipResult locateMemberData(const Reader& r, std::vector<Entry>& entries) {
  std::vector<std::pair<std::uint64_t, std::uint64_t>> spans;
  for (Entry& e : entries) {
    if (!r.has(e.localOffset, 30) || r.u32(e.localOffset) != kLocalHeader) return kZipDamaged;
    e.dataOffset = e.localOffset + 30 + r.u16(e.localOffset + 26) + r.u16(e.localOffset + 28);
    if (!r.has(e.dataOffset, e.compressed)) return kZipDamaged;
    spans.push_back({e.localOffset, e.dataOffset + e.compressed});
  }
  std::sort(spans.begin(), spans.end());
  for (std::size_t i = 1; i < spans.size(); ++i) {
    if (spans[i].first < spans[i - 1].second) return kZipDamaged;
  }
  return kZipOk;
}

ZipResult readEntries(const Bytes& a, const LegacyNameDecoder& decode, std::vector<Entry>& entries) {
  ZipResult error;
  std::optional<Directory> dir = findDirectory(a, error);
  if (!dir) return error;
  if (dir->entries > kZipMaxMembers) return kZipTooLarge;
  Reader r(a);
  std::uint64_t pos = dir->offset, end = dir->offset + dir->size, total = 0, compressedTotal = 0;
  std::set<std::string> names;
  for (std::uint64_t i = 0; i < dir->entries; ++i) {
    if (!r.has(pos, 46) || pos + 46 > end || r.u32(pos) != kDirectoryEntry) return kZipDamaged;
    Entry e;
    std::uint32_t madeBy = r.u16(pos + 4);
    e.flags = r.u16(pos + 8);
    e.method = r.u16(pos + 10);
    e.crc = r.u32(pos + 16);
    e.compressed = r.u32(pos + 20);
    std::uint64_t size = r.u32(pos + 24);
    std::uint32_t nameLength = r.u16(pos + 28), extraLength = r.u16(pos + 30), commentLength = r.u16(pos + 32);
    std::uint32_t external = r.u32(pos + 38);
    e.localOffset = r.u32(pos + 42);
    std::uint64_t next = pos + 46 + nameLength + extraLength + commentLength;
    if (next > end) return kZipDamaged;
    if (!applyZip64(a, pos + 46 + nameLength, extraLength, size, e.compressed, e.localOffset)) return kZipDamaged;

    const Bytes rawName = a.substr(pos + 46, nameLength);
    std::optional<std::string> utf8 = unicodePathField(a, pos + 46 + nameLength, extraLength, rawName);
    if (!utf8) utf8 = memberNameText(rawName, e.flags, decode);
    if (!utf8) return kZipUnsafeName;
    std::optional<std::string> name = normaliseName(*utf8, e.member.folder);
    if (!name) return kZipUnsafeName;
    if (name->empty()) {
      pos = next;
      continue;
    }
    e.member.name = *name;
    e.member.size = e.member.folder ? 0 : size;
    e.symlink = (madeBy >> 8) == 3 && ((external >> 16) & 0170000) == 0120000;
    if (e.symlink) return kZipSymbolicLink;
    if (e.flags & 0x0001) return kZipEncrypted;
    if (e.method != 0 && e.method != 8) return kZipUnsupportedMethod;
    if (e.method == 0 && e.compressed != size) return kZipDamaged;

    total += e.member.size;
    compressedTotal += e.compressed;
    if (total > kZipTotalLimit) return kZipTooLarge;

    e.folded = foldCase(e.member.name);
    // A folder may be listed with its members; a second file of the same name may not.
    if (names.count(e.folded) && !e.member.folder) return kZipNameClash;
    names.insert(e.folded);
    entries.push_back(e);
    pos = next;
  }

  if (total > kZipRatioFloor && total / std::max<std::uint64_t>(compressedTotal, 1) > kZipBombRatio)
    return kZipTooLarge;
  if (fileIsAlsoFolder(entries)) return kZipNameClash;
  return locateMemberData(r, entries);
}

ZipResult inflateMember(const Bytes& a, const Entry& e, Bytes& out) {
  out.clear();
  if (e.member.folder) return kZipOk;
  const char* data = a.data() + e.dataOffset;
  if (e.method == 0) {
    out.assign(data, e.compressed);
  } else {
    out.resize(e.member.size);
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return kZipCorruptData;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    z.avail_in = static_cast<uInt>(std::min<std::uint64_t>(e.compressed, UINT32_MAX));
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    int rc = inflate(&z, Z_FINISH);
    // Stream end exactly at the declared size; anything more or less is refused.
    bool whole = rc == Z_STREAM_END && z.total_out == out.size();
    if (rc == Z_BUF_ERROR && z.avail_out == 0) {
      unsigned char probe;
      z.next_out = &probe;
      z.avail_out = 1;
      whole = inflate(&z, Z_FINISH) == Z_STREAM_END && z.total_out == out.size();
    }
    inflateEnd(&z);
    if (!whole) return kZipCorruptData;
  }
  if (crc32(0L, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size())) != e.crc)
    return kZipCorruptData;
  return kZipOk;
}

}  // namespace

ZipResult listZip(const Bytes& archive, const LegacyNameDecoder& decode, std::vector<ZipMember>& members) {
  std::vector<Entry> entries;
  ZipResult result = readEntries(archive, decode, entries);
  if (result != kZipOk) return result;
  members.clear();
  for (const Entry& e : entries) members.push_back(e.member);
  return kZipOk;
}

ZipResult readZip(const Bytes& archive, const LegacyNameDecoder& decode,
                  const std::function<bool(const ZipMember&, const Bytes&)>& sink) {
  std::vector<Entry> entries;
  ZipResult result = readEntries(archive, decode, entries);
  if (result != kZipOk) return result;
  Bytes data;
  for (const Entry& e : entries) {
    result = inflateMember(archive, e, data);
    if (result != kZipOk) return result;
    if (!sink(e.member, data)) return kZipWriteFailed;
  }
  return kZipOk;
}

}  // namespace lumaset
