// Which group of messages holds the text of each report, the same in every language: each
// language's catalogue writes its texts group by group. The switch names every id, so an
// id added without a group does not compile.
#pragma once
#include "run/outcome.h"

namespace lumaset {

enum class ReportGroup { ProgramFile, Location, Edit, Backup, Apply, Rights };

ReportGroup reportGroup(MessageId id);

}  // namespace lumaset
