// An operation that changes the host, as the window runs it: first in this process, and
// when this process may not change the host's folders (Photoshop under Program Files,
// the window without administrator rights), once more in an elevated worker after the
// user agreed. The worker is the program's own command line started with administrator
// rights; it takes the window's location from its command line, and writes the outcome of
// its operation to a result file made for the run (platform/worker_result.h), shown here
// as the window's own when it carries the run's random token and the worker's exit
// status agrees. The
// window itself stays a normal process, so that drops from Explorer keep reaching it.
#pragma once
#include <string>
#include <vector>

#include "platform/interaction.h"
#include "themes/host_operation.h"

namespace lumaset {

// The command line's program beside the window's.
inline constexpr const char* kWorkerProgram = "lumaset-cli.exe";

// The worker's command line: the window's location, the result token, and `op` in the
// command line's own words.
std::vector<std::string> workerArguments(const Context& ctx, const std::string& token, const HostOperation& op);

// `inProcess` when it was not refused for want of rights; else what the user chose:
// nothing changed, or the outcome of `op` run by the elevated worker. Asks once: a
// worker that cannot change the folders either ends with a message, never with another
// question.
Outcome withAdministratorRights(Context& ctx, Interaction& ui, const HostOperation& op, Outcome inProcess);

}  // namespace lumaset
