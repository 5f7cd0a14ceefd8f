#include "messages/administrator_rights.h"

#include <optional>

#include "messages/catalogue.h"
#include "platform/worker_result.h"
#include "run/outcome_text.h"

namespace lumaset {
namespace {

Outcome refused(MessageId id, std::string path = {}, std::string detail = {}) {
  Outcome out;
  out.refuse(id, std::move(path), std::move(detail));
  return out;
}

// The window's location goes on the worker's command line, which no other process can
// change before the worker reads it (a file could be); setting.ini may not hold it (its
// folder may be read-only, or a location may have failed to store).
std::vector<std::string> workerArguments(const Context& ctx, const std::string& token,
                                         const std::vector<std::string>& command) {
  const RunState& st = ctx.state;
  std::vector<std::string> arguments = {"--home",          ctx.programFolder,
                                        "--result-token",  token,
                                        "--host",          st.hostFolder,
                                        "--host-version",  st.release18OrLater ? "18" : "16",
                                        "--language-file", st.languageFileName,
                                        "--language-folder", st.languageFolder};
  arguments.insert(arguments.end(), command.begin(), command.end());
  return arguments;
}

// Whether the worker's exit status is the one its outcome calls for: 0 when done, 1
// otherwise (the command line's rule).
bool exitAgrees(const Outcome& outcome, int exitCode) { return exitCode == (outcome.done() ? 0 : 1); }

// What the worker reported: believed only with this run's token and an exit status that
// agrees, since a process of the user can write into the result file too. A worker that
// could not change the folders either says so as the last thing, and is told apart from
// the window's own refusal.
Outcome workerOutcome(const ElevatedRun& run, const std::string& token) {
  std::optional<Outcome> out = outcomeFromText(run.result, token);
  if (!out || !exitAgrees(*out, run.exitCode)) {
    Outcome none;
    none.fail(MessageId::WorkerGaveNoResult, {}, std::to_string(run.exitCode));
    return none;
  }
  if (lacksRights(*out)) out->reports.back().id = MessageId::NoRightsEvenAsAdministrator;
  return *out;
}

Outcome runWorker(Context& ctx, Interaction& ui, const std::vector<std::string>& command) {
  const std::string program = ctx.programFolder + ctx.sep() + kWorkerProgram;
  const std::optional<std::string> token = randomHex(16);
  if (!token) return refused(MessageId::WorkerNotStarted, program, "0");
  ElevatedRun run;
  {
    BusyCursor busy(ui);
    run = ui.runAsAdministrator(program, workerArguments(ctx, *token, command));
  }
  return run.end == ElevatedRun::End::Finished   ? workerOutcome(run, *token)
         : run.end == ElevatedRun::End::Declined ? refused(MessageId::NothingChangedWithoutRights)
                                                 : refused(MessageId::WorkerNotStarted, program,
                                                           std::to_string(run.error));
}

}  // namespace

bool lacksRights(const Outcome& outcome) {
  return outcome.status == Status::Refused && !outcome.reports.empty() &&
         outcome.reports.back().id == MessageId::NeedsAdministrator;
}

Outcome withAdministratorRights(Context& ctx, Interaction& ui, const std::vector<std::string>& command,
                                Outcome inProcess) {
  if (!lacksRights(inProcess)) return inProcess;
  const std::string folder = inProcess.reports.back().path;
  // A process that runs as administrator already can get no more rights.
  if (ui.runsAsAdministrator()) {
    inProcess.reports.back().id = MessageId::NoRightsEvenAsAdministrator;
    return inProcess;
  }
  // What came before the refusal (a location's messages) is told first.
  inProcess.reports.pop_back();
  show(ui, inProcess);
  const Message offer = messageFor({MessageId::OfferAdministrator, folder, {}});
  if (!ui.askYesNo(offer.text, offer.caption)) return refused(MessageId::NothingChangedWithoutRights);
  return runWorker(ctx, ui, command);
}

}  // namespace lumaset
