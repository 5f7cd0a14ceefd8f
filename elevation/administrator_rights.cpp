#include "elevation/administrator_rights.h"

#include <optional>

#include "formats/worker_progress_line.h"
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

// What a refusal for want of rights told besides (a location's messages).
std::vector<Report> toldBefore(const Outcome& refused) {
  std::vector<Report> told;
  for (const Report& r : refused.reports)
    if (r.id != MessageId::NeedsAdministrator) told.push_back(r);
  return told;
}

// The refusal of a process that may not change `folder` even with administrator rights,
// after what it told before.
Outcome noRightsEvenAsAdministrator(const Outcome& refused, const std::string& folder) {
  Outcome out;
  out.reports = toldBefore(refused);
  out.refuse(MessageId::NoRightsEvenAsAdministrator, folder);
  return out;
}

// Whether the worker's exit status is the one its outcome calls for: 0 when done, 1
// otherwise (the command line's rule).
bool exitAgrees(const Outcome& outcome, int exitCode) { return exitCode == (outcome.done() ? 0 : 1); }

// What the worker reported: believed only with this run's token and an exit status that
// agrees, since a process of the user can write into the result file too. A worker that
// could not change the folders either says so as the last thing, and is told apart from
// the window's own refusal.
Outcome workerOutcome(const ElevatedRun& run, const std::string& token) {
  std::optional<Outcome> out = outcomeFromText(workerOutcomePart(run.result), token);
  if (!out || !exitAgrees(*out, run.exitCode)) {
    Outcome none;
    none.fail(MessageId::WorkerGaveNoResult, {}, std::to_string(run.exitCode));
    return none;
  }
  if (out->status == Status::NeedsAdministrator) return noRightsEvenAsAdministrator(*out, out->folderNeedingRights());
  return *out;
}

Outcome runWorker(Context& ctx, Interaction& ui, const HostOperation& op) {
  const std::string program = ctx.programFolder + ctx.sep() + kWorkerProgram;
  const std::optional<std::string> token = randomHex(16);
  if (!token) return refused(MessageId::WorkerNotStarted, program, "0");
  ElevatedRun run;
  {
    BusyCursor busy(ui);
    run = ui.runAsAdministrator(program, workerArguments(ctx, *token, op), text(Text::Working));
  }
  return run.end == ElevatedRun::End::Finished ? workerOutcome(run, *token)
         : run.end == ElevatedRun::End::Declined
             ? refused(MessageId::NothingChangedWithoutRights)
             : refused(MessageId::WorkerNotStarted, program, std::to_string(run.error));
}

}  // namespace

// The window's location goes on the worker's command line, which no other process can
// change before the worker reads it (a file could be); setting.ini may not hold it (its
// folder may be read-only, or a location may have failed to store).
std::vector<std::string> workerArguments(const Context& ctx, const std::string& token, const HostOperation& op) {
  const RunState& st = ctx.state;
  std::vector<std::string> arguments = {
      "--home",          ctx.programFolder,   "--data",            ctx.dataFolder,
      "--result-token",  token,              "--lang",            languageWord(language()),
      "--host",          st.hostFolder,       "--host-version",    st.release18OrLater ? "18" : "16",
      "--language-file", st.languageFileName, "--language-folder", st.languageFolder};
  const std::vector<std::string> words = operationArguments(op);
  arguments.insert(arguments.end(), words.begin(), words.end());
  return arguments;
}

Outcome withAdministratorRights(Context& ctx, Interaction& ui, const HostOperation& op, Outcome inProcess) {
  if (inProcess.status != Status::NeedsAdministrator) return inProcess;
  const std::string folder = inProcess.folderNeedingRights();
  // A process that runs as administrator already can get no more rights.
  if (ui.runsAsAdministrator()) return noRightsEvenAsAdministrator(inProcess, folder);
  // What came before the refusal is told first.
  show(ui, toldBefore(inProcess));
  const Message offer = messageFor({MessageId::OfferAdministrator, folder, {}});
  if (!ui.askYesNo(offer.text, offer.caption)) return refused(MessageId::NothingChangedWithoutRights);
  return runWorker(ctx, ui, op);
}

}  // namespace lumaset
