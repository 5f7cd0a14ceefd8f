#include "themes/host_operation.h"

#include "backup/create_backup.h"
#include "backup/refresh_backup.h"
#include "formats/command_arguments.h"
#include "run/host_location.h"
#include "themes/looks.h"
#include "themes/reapply.h"

namespace lumaset {
namespace {

// The options of the six image slots, in the order of ImageSlots.
constexpr const char* kSlotOptions[6] = {"--splash", "--splash2x", "--dark", "--dark2x", "--light", "--light2x"};
constexpr const char* kToggleOption = "--hide-text";

const char* toggleWord(bool on) { return on ? "on" : "off"; }

// --hide-text on|off into `op`; false for another value.
bool readToggle(const Arguments& a, HostOperation& op) {
  const std::optional<std::string> value = a.value(kToggleOption);
  if (!value) return true;
  if (*value != "on" && *value != "off") return false;
  op.startupTextToggle = *value == "on";
  return true;
}

std::optional<HostOperation> applyFrom(const std::vector<std::string>& args, std::string& problem) {
  const Arguments a = parseArguments(args, {kToggleOption}, {});
  HostOperation op{.kind = OperationKind::Apply};
  if (!a.error.empty() || a.words.size() != 1 || !readToggle(a, op)) {
    problem = "apply ENTRY [--hide-text on|off]";
    return std::nullopt;
  }
  op.entry = a.words[0];
  return op;
}

std::optional<HostOperation> applyCustomFrom(const std::vector<std::string>& args, std::string& problem) {
  std::set<std::string> valued(std::begin(kSlotOptions), std::end(kSlotOptions));
  valued.insert(kToggleOption);
  const Arguments a = parseArguments(args, valued, {});
  HostOperation op{.kind = OperationKind::ApplyCustom};
  if (!a.error.empty() || !a.words.empty() || !readToggle(a, op)) {
    problem = "apply-custom: " + a.error;
    return std::nullopt;
  }
  for (std::size_t i = 0; i < op.images.size(); ++i) op.images[i] = a.value(kSlotOptions[i]).value_or("");
  return op;
}

std::optional<HostOperation> backupFrom(const std::vector<std::string>& args, std::string& problem) {
  const Arguments a = parseArguments(args, {}, {"--refresh"});
  if (!a.error.empty() || !a.words.empty()) {
    problem = "backup [--refresh]";
    return std::nullopt;
  }
  return HostOperation{.kind = a.has("--refresh") ? OperationKind::RefreshBackup : OperationKind::CreateBackup};
}

bool needsLocatedHost(const HostOperation& op) {
  return op.kind == OperationKind::Apply || op.kind == OperationKind::ApplyCustom || op.kind == OperationKind::Reapply;
}

// What an operation refuses before it needs a host.
Outcome checkInputs(const Context& ctx, const HostOperation& op) {
  if (op.kind == OperationKind::Apply) return checkEntry(ctx, op.entry);
  if (op.kind == OperationKind::ApplyCustom) return checkCustomFields(ctx, op.images);
  return {};
}

}  // namespace

std::vector<std::string> operationArguments(const HostOperation& op) {
  switch (op.kind) {
    case OperationKind::Apply:
      return {"apply", kToggleOption, toggleWord(op.startupTextToggle.value_or(false)), "--", op.entry};
    case OperationKind::ApplyCustom: {
      std::vector<std::string> words = {"apply-custom"};
      for (std::size_t i = 0; i < op.images.size(); ++i)
        if (!op.images[i].empty()) words.insert(words.end(), {kSlotOptions[i], op.images[i]});
      words.insert(words.end(), {kToggleOption, toggleWord(op.startupTextToggle.value_or(false))});
      return words;
    }
    case OperationKind::CreateBackup:
      return {"backup"};
    case OperationKind::RefreshBackup:
      return {"backup", "--refresh"};
    case OperationKind::Reapply:
      return {"reapply"};
  }
  return {};
}

bool isOperationCommand(const std::string& command) {
  return command == "apply" || command == "apply-custom" || command == "backup" || command == "reapply";
}

std::optional<HostOperation> operationFromArguments(const std::string& command, const std::vector<std::string>& args,
                                                    std::string& problem) {
  if (command == "apply") return applyFrom(args, problem);
  if (command == "apply-custom") return applyCustomFrom(args, problem);
  if (command == "backup") return backupFrom(args, problem);
  if (command == "reapply") {
    if (args.empty()) return HostOperation{.kind = OperationKind::Reapply};
    problem = "reapply takes no arguments";
    return std::nullopt;
  }
  problem = "unknown command " + command;
  return std::nullopt;
}

Outcome locateForOperation(Context& ctx, const HostOperation& op) {
  if (!needsLocatedHost(op)) return {};
  Outcome out = checkInputs(ctx, op);
  if (!out.done() || hostReadyForChange(ctx)) return out;
  Outcome location;
  locateHost(ctx, location);
  // What the location told is shown; whether it stored the host is not the operation's
  // concern, only that the host is there now.
  out.reports = std::move(location.reports);
  if (!hostReadyForChange(ctx)) out.refuse(MessageId::HostPathWrong, ctx.state.hostFolder);
  return out;
}

Outcome runOperation(Context& ctx, const HostOperation& op) {
  switch (op.kind) {
    case OperationKind::Apply:
      return applyFromThemeList(ctx, op.entry, op.startupTextToggle.value_or(startupTextToggleFor(ctx, op.entry)));
    case OperationKind::ApplyCustom:
      return applyCustomImages(ctx, op.images, op.startupTextToggle.value_or(false));
    case OperationKind::CreateBackup:
      return createBackup(ctx);
    case OperationKind::RefreshBackup:
      return refreshBackup(ctx);
    case OperationKind::Reapply:
      return reapplyUndoneLook(ctx);
  }
  return {};
}

}  // namespace lumaset
