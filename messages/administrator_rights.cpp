#include "messages/administrator_rights.h"

#include <optional>

#include "messages/catalogue.h"
#include "run/outcome_text.h"

namespace lumaset {
namespace {

Outcome refused(MessageId id, std::string path = {}, std::string detail = {}) {
  Outcome out;
  out.refuse(id, std::move(path), std::move(detail));
  return out;
}

// The file the worker writes its outcome to, claimed under a name no other run uses. Names
// left by windows that died are cleared once all are taken.
std::optional<std::string> claimResultFile(Context& ctx) {
  Files& files = ctx.files;
  const std::string base = files.temporaryFolder() + ctx.sep() + "lumaset-worker-";
  for (int round = 0; round < 2; ++round) {
    for (int n = 0; n < 100; ++n) {
      const std::string path = base + std::to_string(n) + ".result";
      if (files.writeNewFile(path, {})) return path;
    }
    for (int n = 0; n < 100; ++n) files.removeFile(base + std::to_string(n) + ".result");
  }
  return std::nullopt;
}

// The window's location goes on the worker's command line, which no other process can
// change before the worker reads it (a file could be); setting.ini may not hold it (its
// folder may be read-only, or a location may have failed to store).
std::vector<std::string> workerArguments(const Context& ctx, const std::string& result,
                                         const std::vector<std::string>& command) {
  const RunState& st = ctx.state;
  std::vector<std::string> arguments = {"--home",          ctx.programFolder,
                                        "--result",        result,
                                        "--host",          st.hostFolder,
                                        "--host-version",  st.release18OrLater ? "18" : "16",
                                        "--language-file", st.languageFileName,
                                        "--language-folder", st.languageFolder};
  arguments.insert(arguments.end(), command.begin(), command.end());
  return arguments;
}

// What the worker reported. A worker that could not change the folders either says so
// as the last thing, and is told apart from the window's own refusal.
Outcome workerOutcome(Files& files, const std::string& result, const ElevatedRun& run) {
  std::optional<Outcome> out = outcomeFromText(files.readFile(result));
  if (!out) {
    Outcome none;
    none.fail(MessageId::WorkerGaveNoResult, {}, std::to_string(run.exitCode));
    return none;
  }
  if (lacksRights(*out)) out->reports.back().id = MessageId::NoRightsEvenAsAdministrator;
  return *out;
}

Outcome runWorker(Context& ctx, Interaction& ui, const std::vector<std::string>& command) {
  std::optional<std::string> result = claimResultFile(ctx);
  if (!result) return refused(MessageId::WriteFailed, ctx.files.temporaryFolder());
  const std::string program = ctx.programFolder + ctx.sep() + kWorkerProgram;
  ElevatedRun run;
  {
    BusyCursor busy(ui);
    run = ui.runAsAdministrator(program, workerArguments(ctx, *result, command));
  }
  Outcome out = run.end == ElevatedRun::End::Finished   ? workerOutcome(ctx.files, *result, run)
                : run.end == ElevatedRun::End::Declined ? refused(MessageId::NothingChangedWithoutRights)
                                                        : refused(MessageId::WorkerNotStarted, program,
                                                                  std::to_string(run.error));
  ctx.files.removeFile(*result);
  return out;
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
