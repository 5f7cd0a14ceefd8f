// Reading the host's icon index into a record table, with the reports that a damaged
// index calls for. The decoding itself (iconstore/index_format.h) is silent.
#pragma once
#include <optional>
#include <string>

#include "iconstore/record_table.h"
#include "platform/files.h"
#include "run/outcome.h"

namespace lumaset {

// Decodes index bytes into `table`. On success the table is replaced and true returned;
// on any failure the table stays exactly as it was, `out` is told where the host's index
// calls for a message, and false is returned, so that no caller goes on with records
// that came from another index.
bool parseIndex(const Bytes& data, RecordTable& table, Outcome& out);

// The bytes of an index file; nothing, without reading it, for a file above
// kIndexFileLimit (a missing file reads as no bytes).
std::optional<Bytes> readIndexFile(SystemReading& files, const std::string& path);
// parseIndex of the file at `path`; false, silently, for a file above the limit and for
// a missing one (which says nothing about rights, unlike one that reads as empty).
bool parseIndexFile(SystemReading& files, const std::string& path, RecordTable& table, Outcome& out);

}  // namespace lumaset
