// An outcome written by the elevated worker and read back by the window.
#include <gtest/gtest.h>

#include "run/outcome_text.h"

namespace lumaset {
namespace {

TEST(OutcomeText, ReadsBackWhatWasWritten) {
  Outcome out;
  out.note(MessageId::VersionSupported, "C:\\PS\\", "16.1.2");
  out.noteLine(MessageId::ImagesSkipped, "", "a\tb\r\nc\\d");
  out.fail(MessageId::WriteFailed, "D:\\路径\\with \\t escapes\\");
  std::optional<Outcome> back = outcomeFromText(outcomeText(out));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->status, Status::Failed);
  EXPECT_EQ(back->reports, out.reports);

  for (Status status : {Status::Done, Status::Refused, Status::Cancelled}) {
    Outcome plain;
    plain.status = status;
    ASSERT_TRUE(outcomeFromText(outcomeText(plain)));
    EXPECT_EQ(outcomeFromText(outcomeText(plain))->status, status);
  }
}

TEST(OutcomeText, AnythingElseIsNoOutcome) {
  Outcome out;
  out.refuse(MessageId::NeedsAdministrator, "C:\\PS");
  const std::string text = outcomeText(out);
  EXPECT_FALSE(outcomeFromText(""));
  EXPECT_FALSE(outcomeFromText(text.substr(0, text.size() - 4)));  // cut before its end
  EXPECT_FALSE(outcomeFromText("lumaset-outcome 2" + text.substr(text.find('\n'))));
  std::string unknownId = text;
  unknownId.replace(unknownId.find("report\t") + 7, 2, "99999");
  EXPECT_FALSE(outcomeFromText(unknownId));
  std::string badEscape = text;
  badEscape.replace(badEscape.find("C:\\\\PS"), 6, "C:\\qPS");
  EXPECT_FALSE(outcomeFromText(badEscape));
  EXPECT_FALSE(outcomeFromText("lumaset-outcome 1\nstatus\t7\nend\n"));
}

}  // namespace
}  // namespace lumaset
