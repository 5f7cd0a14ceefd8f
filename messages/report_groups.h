// Which group of messages holds the text of each report, the same in every language: each
// language's catalogue writes its texts group by group. The switch names every id, so an
// id added without a group does not compile.
#pragma once
#include <array>
#include <cstddef>

#include "messages/texts.h"
#include "run/outcome.h"

namespace lumaset {

enum class ReportGroup { ProgramFile, Location, Edit, Backup, Apply, Rights };

ReportGroup reportGroup(MessageId id);

// A language's message of each group, in the order of ReportGroup.
using GroupMessages = std::array<Message (*)(const Report&), 6>;

// The message of a report, from the texts of its group.
inline Message messageByGroup(const Report& r, const GroupMessages& groups) {
  return groups[static_cast<std::size_t>(reportGroup(r.id))](r);
}

}  // namespace lumaset
