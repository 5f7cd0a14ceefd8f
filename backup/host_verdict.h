// What a host file is now, measured against its backup copy: the record's identities
// prove most cases at once; a file they do not prove (no record, a change that did not
// end, a time that moved) is judged by its bytes.
#pragma once
#include <string>

#include "backup/edit_session.h"

namespace lumaset {

enum class Verdict {
  Original,  // the backup's bytes
  Themed,    // the backup's bytes with the program's addition: put back by a cut or a copy
  Changed,   // someone else's bytes (an update): the next refresh makes them the original
  Missing,   // no host file: put back by a copy
  NoBackup,  // no sound backup copy to measure against
};

Verdict verdictOf(EditSession& s, const std::string& key);

}  // namespace lumaset
