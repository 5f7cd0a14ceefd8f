#include "backup/host_verdict.h"

#include "backup/backup_copies.h"
#include "backup/host_damage.h"
#include "backup/original_copies.h"
#include "edits/host_file_state.h"
#include "formats/sha256.h"
#include "formats/startup_text_marker.h"
#include "iconstore/index_derivation.h"
#include "iconstore/index_format.h"
#include "run/index_reading.h"

namespace lumaset {
namespace {

std::optional<RecordTable> decodedIndex(SystemReading& files, const std::string& path) {
  std::optional<Bytes> bytes = readIndexFile(files, path);
  if (!bytes) return std::nullopt;
  DecodedIndex decoded = decodeIndex(*bytes);
  if (decoded.problem != IndexProblem::None) return std::nullopt;
  return std::move(decoded.table);
}

std::uint64_t backedUpSize(EditSession& s, const char* pack) {
  const BackedUpFile* known = s.record().backup(pack);
  return known ? known->size : s.files().info(s.layout().backupFile(pack)).size;
}

bool indexDerived(EditSession& s) {
  std::optional<RecordTable> base = decodedIndex(s.files(), s.layout().backupFile(kIndexFile));
  std::optional<RecordTable> host = decodedIndex(s.files(), s.layout().hostFile(kIndexFile));
  return base && host &&
         derivedByAppending(*base, *host, {backedUpSize(s, kLowResPack), backedUpSize(s, kHighResPack)});
}

// The program appends only to the splash packs, and never over a copy cut short.
bool appendedByTheProgram(EditSession& s, const std::string& key, std::uint64_t copySize) {
  const bool splash = key == packFile(Pack::LowRes) || key == packFile(Pack::HighRes);
  return splash && !copyCutShort(s, key, copySize);
}

bool languageDerived(EditSession& s, const BackedUpFile& known) {
  const Bytes host = s.files().readFile(s.layout().hostPath(kLanguageKey));
  std::optional<std::size_t> block = startupTextBlockStart(host);
  return block && *block == known.size && sha256Hex(host.substr(0, *block)) == known.sha256;
}

// Whether a file that someone else wrote (a copy by hand, a tool that touched it) still
// holds exactly what the program left: the backed-up bytes and the recorded addition (for
// the index, the recorded rewrite as a whole).
bool holdsWhatTheProgramLeft(EditSession& s, const std::string& key, const BackedUpFile& known, const FileInfo& info) {
  const HostFileMark* mark = s.record().mark(key);
  if (!mark || !mark->left || mark->appendedSha256.empty() || info.size != mark->left->size) return false;
  const std::string host = s.layout().hostPath(key);
  // A record of the release before holds no hash of the index's rewrite: its bytes decide.
  if (key == kIndexFile)
    return mark->baseSize == 0 ? tailSha256(s.files(), host, 0) == mark->appendedSha256 : indexDerived(s);
  return mark->baseSize == known.size && tailSha256(s.files(), host, known.size) == mark->appendedSha256 &&
         prefixSha256(s.files(), host, known.size, s.progress()) == known.sha256;
}

// A file the record does not prove is judged by its bytes, and so is one the record shows
// someone else wrote: a record can be lost, stale or forged, the bytes cannot. An update
// that grows a pack or points an image at new bytes just as an apply does is taken as the
// program's addition: the way back then gives the original, never loses it.
Verdict byContent(EditSession& s, const std::string& key, const BackedUpFile& known, bool foreign) {
  SystemReading& files = s.files();
  const std::string host = s.layout().hostPath(key);
  const FileInfo info = files.info(host);
  if (!info.exists || info.isFolder) return Verdict::Missing;
  if (info.size == known.size && prefixSha256(files, host, known.size, s.progress()) == known.sha256)
    return Verdict::Original;
  // What someone else wrote is still the program's addition when its bytes show it:
  // exactly what the program left, or the backup with the program's images or block.
  if (foreign && holdsWhatTheProgramLeft(s, key, known, info)) return Verdict::Themed;
  if (key == kIndexFile) return indexDerived(s) ? Verdict::Themed : Verdict::Changed;
  if (key == kLanguageKey) return languageDerived(s, known) ? Verdict::Themed : Verdict::Changed;
  const bool prefixKept = info.size > known.size && prefixSha256(files, host, known.size, s.progress()) == known.sha256;
  return prefixKept && appendedByTheProgram(s, key, known.size) ? Verdict::Themed : Verdict::Changed;
}

}  // namespace

Verdict verdictOf(EditSession& s, const std::string& key) {
  if (!backupCopySound(s, key)) return Verdict::NoBackup;
  const BackedUpFile& known = *s.record().backup(key);
  const HostFileState state = s.record().state(key);
  switch (state) {
    case HostFileState::Untouched:
      return Verdict::Original;
    case HostFileState::AsLeft: {
      // The cut back needs the appendix to begin where the backup ends.
      const HostFileMark* mark = s.record().mark(key);
      if (key == kIndexFile || (mark && mark->baseSize == known.size)) return Verdict::Themed;
      break;
    }
    case HostFileState::Foreign:
    case HostFileState::Unknown:
      break;
  }
  const Verdict verdict = byContent(s, key, known, state == HostFileState::Foreign);
  // A damaged icon file is not the host's own: it goes back like a missing one.
  if (verdict == Verdict::Changed && key != kLanguageKey && damagedHostFile(s) == key) return Verdict::Missing;
  return verdict;
}

}  // namespace lumaset
