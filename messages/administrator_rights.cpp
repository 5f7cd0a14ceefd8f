#include "messages/administrator_rights.h"

#include <optional>

#include "formats/byte_order_mark.h"
#include "messages/catalogue.h"
#include "run/outcome_text.h"
#include "run/settings.h"

namespace lumaset {
namespace {

Outcome refused(MessageId id, std::string path = {}, std::string detail = {}) {
  Outcome out;
  out.refuse(id, std::move(path), std::move(detail));
  return out;
}

// The files the worker is handed: the window's location, which the program's own
// setting.ini may not hold (its folder may be read-only), and the place for its outcome.
struct WorkerFiles {
  std::string settings;
  std::string result;
};

// Claims a settings file of a name no other run uses, and writes the run state's location
// into it as setting.ini holds it. A new profile starts with a UTF-16 mark, so that every
// character of a path survives the profile functions.
std::optional<WorkerFiles> writeWorkerFiles(Context& ctx) {
  Files& files = ctx.files;
  const std::string base = files.temporaryFolder() + ctx.sep() + "lumaset-worker-";
  for (int n = 0; n < 100; ++n) {
    WorkerFiles made{base + std::to_string(n) + ".ini", base + std::to_string(n) + ".result"};
    if (!files.writeNewFile(made.settings, kUtf16LeBom)) continue;
    const RunState& st = ctx.state;
    auto write = [&](const char* key, const std::string& value) {
      return files.writeProfileString(made.settings, kSettingsSection, key, value);
    };
    if (write(kKeyHostFolder, st.hostFolder) && write(kKeyHostVersion, st.release18OrLater ? "18" : "16") &&
        write(kKeyLanguageFile, st.languageFileName) && write(kKeyLanguageFolder, st.languageFolder)) {
      files.removeFile(made.result);
      return made;
    }
    files.removeFile(made.settings);
    return std::nullopt;
  }
  return std::nullopt;
}

// What the worker reported. A worker that could not change the folders either says so
// as the last thing, and is told apart from the window's own refusal.
Outcome workerOutcome(Files& files, const WorkerFiles& made, const ElevatedRun& run) {
  std::optional<Outcome> out = outcomeFromText(files.readFile(made.result));
  if (!out) {
    Outcome none;
    none.fail(MessageId::WorkerGaveNoResult, {}, std::to_string(run.exitCode));
    return none;
  }
  if (lacksRights(*out)) out->reports.back().id = MessageId::NoRightsEvenAsAdministrator;
  return *out;
}

Outcome runWorker(Context& ctx, Interaction& ui, const std::vector<std::string>& command) {
  std::optional<WorkerFiles> made = writeWorkerFiles(ctx);
  if (!made) return refused(MessageId::WriteFailed, ctx.files.temporaryFolder());
  std::vector<std::string> arguments = {"--home", ctx.programFolder, "--settings", made->settings,
                                        "--result", made->result};
  arguments.insert(arguments.end(), command.begin(), command.end());
  const std::string program = ctx.programFolder + ctx.sep() + kWorkerProgram;
  ElevatedRun run;
  {
    BusyCursor busy(ui);
    run = ui.runAsAdministrator(program, arguments);
  }
  Outcome out = run.end == ElevatedRun::End::Finished   ? workerOutcome(ctx.files, *made, run)
                : run.end == ElevatedRun::End::Declined ? refused(MessageId::NothingChangedWithoutRights)
                                                        : refused(MessageId::WorkerNotStarted, program);
  ctx.files.removeFile(made->settings);
  ctx.files.removeFile(made->result);
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
  // What came before the refusal (a location's messages) is told first.
  inProcess.reports.pop_back();
  show(ui, inProcess);
  const Message offer = messageFor({MessageId::OfferAdministrator, folder, {}});
  if (!ui.askYesNo(offer.text, offer.caption)) return refused(MessageId::NothingChangedWithoutRights);
  return runWorker(ctx, ui, command);
}

}  // namespace lumaset
