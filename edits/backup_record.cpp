#include "edits/backup_record.h"

#include <sstream>
#include <vector>

#include "formats/path_text.h"
#include "formats/sha256.h"

namespace lumaset {
namespace {

// Lines of tab-separated fields; names and versions hold no tab or line break.
// Version 1 lacked the generation, the backup copies' identities and the renewals; it is
// still read. The line of the applied look came later within version 2: a record
// without it is read as one that knows no look.
const char* const kHeader = "lumaset-backup-record\t2";
const char* const kHeaderV1 = "lumaset-backup-record\t1";
const char* const kEnd = "end";
constexpr std::size_t kAppliedImageSlots = 6;

std::string identityFields(const FileIdentity& id) {
  return std::to_string(id.size) + "\t" + std::to_string(id.modified) + "\t" + id.fileId;
}

std::optional<std::uint64_t> number(const std::string& text) {
  if (text.empty() || text.size() > 20 || text.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return std::stoull(text);
}

std::optional<FileIdentity> identityFrom(const std::vector<std::string>& f, std::size_t at) {
  if (f.size() < at + 3) return std::nullopt;
  std::optional<std::uint64_t> size = number(f[at]);
  const std::string& modified = f[at + 1];
  bool negative = !modified.empty() && modified[0] == '-';
  std::optional<std::uint64_t> time = number(negative ? modified.substr(1) : modified);
  if (!size || !time || f[at + 2].empty()) return std::nullopt;
  FileIdentity id;
  id.size = *size;
  id.modified = negative ? -static_cast<std::int64_t>(*time) : static_cast<std::int64_t>(*time);
  id.fileId = f[at + 2];
  return id;
}

// "applied" KIND [THEME]: a theme's name only with the kind theme.
bool parseApplied(const std::vector<std::string>& f, HostLook& look) {
  if (f.size() == 3 && f[1] == "theme" && !f[2].empty()) {
    look = {LookKind::Theme, f[2]};
    return true;
  }
  if (f.size() != 2) return false;
  for (LookKind kind : {LookKind::Own, LookKind::Custom}) {
    if (f[1] == lookKindName(kind)) {
      look = {kind, ""};
      return true;
    }
  }
  return false;
}

// "applied-text on|off", and "applied-image SLOT PATH" for each custom slot with a path.
bool parseAppliedWith(const std::vector<std::string>& f, AppliedRequest& with) {
  if (f[0] == "applied-text" && f.size() == 2 && (f[1] == "on" || f[1] == "off")) {
    with.startupTextToggle = f[1] == "on";
    return true;
  }
  if (f[0] != "applied-image" || f.size() != 3 || f[2].empty()) return false;
  const std::optional<std::uint64_t> slot = number(f[1]);
  if (!slot || *slot >= kAppliedImageSlots) return false;
  with.images.resize(kAppliedImageSlots);
  with.images[*slot] = f[2];
  return true;
}

bool parseLine(const std::vector<std::string>& f, BackupRecord& record) {
  const std::string& kind = f[0];
  if (kind == "applied") return parseApplied(f, record.applied);
  if (kind == "applied-text" || kind == "applied-image") return parseAppliedWith(f, record.appliedWith);
  if (kind == "resources" && f.size() == 2) {
    record.resources = f[1];
    return true;
  }
  if (kind == "version" && f.size() == 2) {
    record.productVersion = f[1];
    return true;
  }
  if (kind == "generation" && f.size() == 2) {
    std::optional<std::uint64_t> n = number(f[1]);
    record.generation = n.value_or(0);
    return n.has_value();
  }
  if (f.size() < 2 || f[1].empty()) return false;
  if (kind == "copyid" && f.size() == 5) return (record.backups[f[1]].identity = identityFrom(f, 2)).has_value();
  if (kind == "renewing" && f.size() == 2) {
    record.backups[f[1]].renewing = true;
    return true;
  }
  if (kind == "backup" && f.size() == 4) {
    std::optional<std::uint64_t> size = number(f[2]);
    if (!size) return false;
    BackedUpFile& b = record.backups[f[1]];
    b.size = *size;
    b.sha256 = f[3];
    return true;
  }
  HostFileMark& mark = record.host[f[1]];
  if (kind == "pending" && f.size() == 2) {
    mark.pending = true;
    return true;
  }
  if (kind == "pristine" && f.size() == 5) return (mark.pristine = identityFrom(f, 2)).has_value();
  if (kind == "left" && f.size() == 7) {
    std::optional<std::uint64_t> base = number(f[5]);
    mark.left = identityFrom(f, 2);
    mark.baseSize = base.value_or(0);
    mark.appendedSha256 = f[6] == "-" ? "" : f[6];
    return mark.left && base;
  }
  return false;
}

// A path that holds a tab or a line break would break its line: that slot is not kept,
// and a reapply of it is refused as one that names no image.
void serialiseAppliedWith(std::ostream& out, const AppliedRequest& with) {
  if (with.startupTextToggle) out << "applied-text\t" << (*with.startupTextToggle ? "on" : "off") << "\n";
  for (std::size_t slot = 0; slot < with.images.size() && slot < kAppliedImageSlots; ++slot) {
    const std::string& path = with.images[slot];
    if (!path.empty() && path.find_first_of("\t\r\n") == std::string::npos)
      out << "applied-image\t" << slot << "\t" << path << "\n";
  }
}

}  // namespace

const char* lookKindName(LookKind kind) {
  switch (kind) {
    case LookKind::Own:
      return "own";
    case LookKind::Theme:
      return "theme";
    case LookKind::Custom:
      return "custom";
    case LookKind::Unknown:
      break;
  }
  return "unknown";
}

std::string serialiseRecord(const BackupRecord& record) {
  std::ostringstream out;
  out << kHeader << "\n";
  out << "generation\t" << record.generation << "\n";
  out << "version\t" << record.productVersion << "\n";
  if (!record.resources.empty() && record.resources.find_first_of("\t\r\n") == std::string::npos)
    out << "resources\t" << record.resources << "\n";
  for (const auto& [name, b] : record.backups) {
    out << "backup\t" << name << "\t" << b.size << "\t" << b.sha256 << "\n";
    if (b.identity) out << "copyid\t" << name << "\t" << identityFields(*b.identity) << "\n";
    if (b.renewing) out << "renewing\t" << name << "\n";
  }
  for (const auto& [name, mark] : record.host) {
    if (mark.pristine) out << "pristine\t" << name << "\t" << identityFields(*mark.pristine) << "\n";
    if (mark.left) {
      out << "left\t" << name << "\t" << identityFields(*mark.left) << "\t" << mark.baseSize << "\t"
          << (mark.appendedSha256.empty() ? "-" : mark.appendedSha256) << "\n";
    }
    if (mark.pending) out << "pending\t" << name << "\n";
  }
  // A theme's name that is empty or holds a tab or a line break would break the line:
  // such a look is not kept, and reads back as unknown.
  const HostLook& look = record.applied;
  const bool nameFits = !look.theme.empty() && look.theme.find_first_of("\t\r\n") == std::string::npos;
  if (look.kind != LookKind::Unknown && (look.kind != LookKind::Theme || nameFits)) {
    out << "applied\t" << lookKindName(look.kind) << (look.kind == LookKind::Theme ? "\t" + look.theme : "") << "\n";
    serialiseAppliedWith(out, record.appliedWith);
  }
  // A copy whose bytes changed (a bit, a hand's edit) must not pass for a record.
  const std::string body = out.str();
  return body + "check\t" + sha256Hex(body) + "\n" + kEnd + "\n";
}

std::optional<BackupRecord> parseRecord(const std::string& text) {
  std::vector<std::string> lines = splitPath(text, "\n");
  // A whole record: the header first, the end line last, and nothing after it.
  if (lines.size() < 3 || (lines[0] != kHeader && lines[0] != kHeaderV1) || lines.back() != "" ||
      lines[lines.size() - 2] != kEnd)
    return std::nullopt;
  std::size_t bodyLines = lines.size() - 2;
  if (lines[0] == kHeader) {
    // The check line holds the hash of every line before it.
    const std::string check = "check\t";
    if (lines.size() < 4) return std::nullopt;
    const std::string& last = lines[lines.size() - 3];
    if (last.rfind(check, 0) != 0) return std::nullopt;
    const std::size_t bodyBytes = text.size() - last.size() - 1 - std::string(kEnd).size() - 1;
    if (sha256Hex(text.substr(0, bodyBytes)) != last.substr(check.size())) return std::nullopt;
    bodyLines = lines.size() - 3;
  }
  BackupRecord record;
  for (std::size_t i = 1; i < bodyLines; ++i) {
    if (!parseLine(splitPath(lines[i], "\t"), record)) return std::nullopt;
  }
  return record;
}

}  // namespace lumaset
