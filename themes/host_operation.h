// One operation on the host's files as a value: what it does, on which entry or images,
// with which startup-text toggle. The window and the command line build it alike; the
// window hands it to its elevated worker as the command line's own words
// (`operationArguments`), which the worker reads back with `operationFromArguments`.
//
// Locating the host is the front end's step, taken before an operation runs
// (`locateForOperation`): an operation never asks the user anything and never calls back
// into a front end.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "themes/apply.h"

namespace lumaset {

enum class OperationKind {
  Apply,          // an entry of the theme list: a theme, "[当前]" or "[默认]"
  ApplyCustom,    // the six image fields of the custom page
  CreateBackup,   // the first backup
  RefreshBackup,  // the backup renewed from the host's files
  Reapply,        // the look an update took off, applied again (themes/reapply.h)
};

struct HostOperation {
  OperationKind kind = OperationKind::Apply;
  std::string entry;  // Apply
  ImageSlots images;  // ApplyCustom: a path per slot, empty to keep the backed-up image
  // Apply and ApplyCustom: on hides the startup text (or puts a theme's own in); nothing
  // takes what choosing the entry sets (off for the custom images).
  std::optional<bool> startupTextToggle;
  bool operator==(const HostOperation&) const = default;
};

// The command line's words for `op`: the command and its options, the entry last after
// "--" (a theme's name may begin with "-").
std::vector<std::string> operationArguments(const HostOperation& op);

// The operation that the command `command` with `args` names; nothing for a command
// that is none, or words that do not parse, with `problem` saying how they are used.
std::optional<HostOperation> operationFromArguments(const std::string& command, const std::vector<std::string>& args,
                                                    std::string& problem);

// Whether `command` is an operation on the host.
bool isOperationCommand(const std::string& command);

// What the front end does before an operation that needs a located host (an apply):
// nothing when the host is ready; else a location (its questions answered by the front
// end), whose reports come back, and a refusal when it leaves no host.
Outcome locateForOperation(Context& ctx, const HostOperation& op);

// Runs `op` on the located host; asks nothing. An apply finds no host ready, refused.
Outcome runOperation(Context& ctx, const HostOperation& op);

}  // namespace lumaset
