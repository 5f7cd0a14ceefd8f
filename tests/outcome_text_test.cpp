// What the window hands its elevated worker and reads back from it: the operation as the
// command line's words, and the outcome.
#include <gtest/gtest.h>

#include "formats/worker_progress_line.h"
#include "run/outcome_text.h"
#include "themes/host_operation.h"

namespace lumaset {
namespace {

constexpr const char* kToken = "5f0c2a9e";

TEST(OutcomeText, ReadsBackWhatWasWritten) {
  Outcome out;
  out.note(MessageId::VersionSupported, "C:\\PS\\", "16.1.2");
  out.noteLine(MessageId::ImagesSkipped, "", "a\tb\r\nc\\d");
  out.fail(MessageId::WriteFailed, "D:\\路径\\with \\t escapes\\");
  std::optional<Outcome> back = outcomeFromText(outcomeText(out, kToken), kToken);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->status, Status::Failed);
  EXPECT_EQ(back->reports, out.reports);

  for (Status status : {Status::Done, Status::Refused, Status::Cancelled, Status::NeedsAdministrator}) {
    Outcome plain;
    plain.status = status;
    ASSERT_TRUE(outcomeFromText(outcomeText(plain, kToken), kToken));
    EXPECT_EQ(outcomeFromText(outcomeText(plain, kToken), kToken)->status, status);
  }
}

TEST(OutcomeText, AnythingElseIsNoOutcome) {
  Outcome out;
  out.needAdministrator("C:\\PS");
  const std::string text = outcomeText(out, kToken);
  ASSERT_TRUE(outcomeFromText(text, kToken));
  EXPECT_FALSE(outcomeFromText(text, "5f0c2a9f"));  // written for another run, or by another process
  EXPECT_FALSE(outcomeFromText(text, ""));
  EXPECT_FALSE(outcomeFromText("", kToken));
  EXPECT_FALSE(outcomeFromText(text.substr(0, text.size() - 4), kToken));  // cut before its end
  EXPECT_FALSE(outcomeFromText("lumaset-outcome 1" + text.substr(text.find('\n')), kToken));
  std::string unknownId = text;
  unknownId.replace(unknownId.find("report\t") + 7, 2, "99999");
  EXPECT_FALSE(outcomeFromText(unknownId, kToken));
  std::string badEscape = text;
  badEscape.replace(badEscape.find("C:\\\\PS"), 6, "C:\\qPS");
  EXPECT_FALSE(outcomeFromText(badEscape, kToken));
  const std::string header = text.substr(0, text.find('\n'));
  EXPECT_TRUE(outcomeFromText(header + "\ntoken\t5f0c2a9e\nstatus\t4\nend\n", kToken));
  EXPECT_FALSE(outcomeFromText(header + "\ntoken\t5f0c2a9e\nstatus\t5\nend\n", kToken));  // no such status
}

// The window hands an operation to its worker as the command line's words: every kind comes
// back as it was, a theme whose name begins with "-" and images in every slot included.
// The worker's progress line before its outcome: read back whole, and nothing read of a
// line torn by a write or written by another process, beyond the clamp of done.
TEST(OutcomeText, TheWorkersProgressLineReadsBackAndNothingElseDoes) {
  const std::string outcome = outcomeText(Outcome{}, kToken);
  const std::string file = workerProgressLine(120u << 20, 480u << 20) + outcome;
  const std::optional<WorkerProgress> seen = readWorkerProgress(file);
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->done, 120u << 20);
  EXPECT_EQ(seen->total, 480u << 20);
  EXPECT_EQ(workerOutcomePart(file), outcome);
  const std::optional<WorkerProgress> largest = readWorkerProgress(workerProgressLine(UINT64_MAX, UINT64_MAX));
  ASSERT_TRUE(largest);
  EXPECT_EQ(largest->total, UINT64_MAX);

  const std::optional<WorkerProgress> beyond = readWorkerProgress(workerProgressLine(9, 4));
  ASSERT_TRUE(beyond);
  EXPECT_EQ(beyond->done, 4u);
  const std::string line = workerProgressLine(5, 10);
  const std::vector<std::string> others = {line.substr(0, line.size() - 1),
                                           line.substr(0, 20),
                                           "",
                                           "Progress" + line.substr(8),
                                           line.substr(0, 12) + "x" + line.substr(13),
                                           line.substr(0, 29) + "-" + line.substr(30),
                                           "progress 99999999999999999999 99999999999999999999\n",
                                           line.substr(0, line.size() - 1) + "x"};
  for (const std::string& other : others)
    EXPECT_FALSE(readWorkerProgress(other)) << other;
  EXPECT_EQ(workerOutcomePart(line.substr(0, 10)), "");
}

TEST(HostOperationWords, TheWorkerReadsBackTheOperationTheWindowWrote) {
  HostOperation custom{.kind = OperationKind::ApplyCustom, .startupTextToggle = true};
  custom.images = {"/a/s.png", "", "/a/d.png", "", "", "/a/l2.png"};
  const HostOperation operations[] = {
      {.kind = OperationKind::Apply, .entry = "-dash theme", .startupTextToggle = false},
      {.kind = OperationKind::Apply, .entry = "[默认]", .startupTextToggle = true},
      custom,
      {.kind = OperationKind::CreateBackup},
      {.kind = OperationKind::RefreshBackup},
      {.kind = OperationKind::Reapply}};
  for (const HostOperation& op : operations) {
    const std::vector<std::string> words = operationArguments(op);
    std::string problem;
    const std::optional<HostOperation> read =
        operationFromArguments(words[0], std::vector<std::string>(words.begin() + 1, words.end()), problem);
    ASSERT_TRUE(read) << words[0] << ": " << problem;
    EXPECT_EQ(*read, op) << words[0];
  }
  std::string problem;
  EXPECT_FALSE(operationFromArguments("apply", {"Ink", "--hide-text", "maybe"}, problem));
  EXPECT_EQ(problem, "apply ENTRY [--hide-text on|off]");
  EXPECT_FALSE(operationFromArguments("backup", {"--refresh", "now"}, problem));
  EXPECT_FALSE(operationFromArguments("reapply", {"Ink"}, problem));
  EXPECT_FALSE(operationFromArguments("status", {}, problem));
}

}  // namespace
}  // namespace lumaset
