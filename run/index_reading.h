// Reading the host's icon index into the run's record table, with the messages that a
// damaged index calls for. The decoding itself (iconstore/index_format.h) is silent.
#pragma once
#include <optional>
#include <string>

#include "iconstore/record_table.h"
#include "platform/files.h"
#include "platform/interaction.h"

namespace lumaset {

// Decodes index bytes into `table`. On success the table is replaced and true returned;
// on any failure the table stays exactly as it was, a message is shown where the host's
// index calls for one, and false is returned, so that no caller goes on with records
// that came from another index.
bool parseIndex(const Bytes& data, RecordTable& table, Interaction& ui);

// The bytes of an index file; nothing, without reading it, for a file above
// kIndexFileLimit (a missing file reads as no bytes).
std::optional<Bytes> readIndexFile(Files& files, const std::string& path);
// parseIndex of the file at `path`; false, silently, for a file above the limit.
bool parseIndexFile(Files& files, const std::string& path, RecordTable& table, Interaction& ui);

}  // namespace lumaset
