// The window's question for Photoshop.exe: the first start's box before the dialog, the
// folder the dialog opens in (the located host, else the newest one found) and the file
// name it is filled with.
#include <gtest/gtest.h>

#include "messages/dialog_questions.h"
#include "run/host_location.h"
#include "support/host_fixture.h"

namespace lumaset {
namespace {

using testing::RecordedBox;

constexpr const char* kNeedText = "Lumaset 需要知道 Photoshop 安装在哪里：请在接下来的窗口中选择 Photoshop.exe。";

// Keeps the order in which boxes and dialogs came.
class OrderedInteraction : public testing::FakeInteraction {
 public:
  std::vector<std::string> events;
  void messageBox(const std::string& text, const std::string& caption, MessageIcon icon) override {
    events.push_back("box");
    FakeInteraction::messageBox(text, caption, icon);
  }
  std::optional<std::string> openFile(const OpenFileRequest& request) override {
    events.push_back("dialog");
    return FakeInteraction::openFile(request);
  }
};

FoundHost foundAt(const std::string& folder) { return {folder, folder + "Photoshop.exe", "25.0", {}}; }

class HostDialog : public testing::HostFixture {
 protected:
  OrderedInteraction ordered;
  Context orderedCtx{files, ordered, view, state, home};

  void expectHostDialog(const OpenFileRequest& dialog, const std::string& folder) {
    EXPECT_EQ(dialog.title, "找到 Photoshop 的位置");
    EXPECT_EQ(dialog.filter, "Photoshop.exe|Photoshop.exe");
    EXPECT_EQ(dialog.initialFolder, folder);
    EXPECT_EQ(dialog.fileName, "Photoshop.exe");
  }
};

TEST_F(HostDialog, FirstStartSaysWhatItNeedsThenOpensInTheNewestHostFound) {
  makeHost();
  const std::string folder = host.folder + "/";
  ordered.foundHosts = {foundAt(folder), foundAt(dir / "older/")};
  ordered.answers.push_back(host.exePath);
  runStartup(orderedCtx);

  ASSERT_GE(ordered.events.size(), 2u);
  EXPECT_EQ(ordered.events[0], "box");
  EXPECT_EQ(ordered.events[1], "dialog");
  EXPECT_EQ(ordered.boxes[0], (RecordedBox{std::string(kNeedText) + "\r\n找到的 Photoshop：" + folder +
                                               "\r\n窗口会在这个文件夹打开，确认即可。",
                                           "找到 Photoshop", MessageIcon::None}));
  ASSERT_EQ(ordered.dialogs.size(), 1u);
  expectHostDialog(ordered.dialogs[0], folder);
  EXPECT_EQ(state.hostFolder, folder);
}

TEST_F(HostDialog, FirstStartWithNothingFoundOpensWhereTheSystemChooses) {
  runStartup(orderedCtx);
  EXPECT_EQ(ordered.events, (std::vector<std::string>{"box", "dialog"}));
  EXPECT_EQ(ordered.boxes[0], (RecordedBox{kNeedText, "找到 Photoshop", MessageIcon::None}));
  expectHostDialog(ordered.dialogs[0], "");
}

TEST_F(HostDialog, ALaterLocationStartsInTheLocatedHostWithoutTheBox) {
  startOn();
  ui.dialogs.clear();
  ui.foundHosts = {foundAt(dir / "newer/")};
  EXPECT_EQ(locateShown(ctx, ui), LocateOutcome::Cancelled);
  EXPECT_TRUE(ui.boxes.empty());
  ASSERT_EQ(ui.dialogs.size(), 1u);
  expectHostDialog(ui.dialogs[0], host.folder + "/");
  ASSERT_EQ(ui.hostRequests.size(), 2u);
  EXPECT_TRUE(ui.hostRequests[0].firstStart);
  EXPECT_FALSE(ui.hostRequests[1].firstStart);
  EXPECT_EQ(ui.hostRequests[1].currentHostFolder, host.folder + "/");
}

// Without a located host a later location starts in the newest host found, without the box.
TEST_F(HostDialog, TheSystemIsSearchedOnlyWhenNoHostIsLocated) {
  int searches = 0;
  DialogQuestions questions(ui, [&] {
    ++searches;
    return Discovery{{foundAt("/newest/"), foundAt("/older/")}, {}};
  });
  questions.hostExecutable({false, "/located/"});
  EXPECT_EQ(searches, 0);
  questions.hostExecutable({false, ""});
  EXPECT_EQ(searches, 1);
  ASSERT_EQ(ui.dialogs.size(), 2u);
  EXPECT_EQ(ui.dialogs[0].initialFolder, "/located/");
  expectHostDialog(ui.dialogs[1], "/newest/");
  EXPECT_TRUE(ui.boxes.empty());
}

}  // namespace
}  // namespace lumaset
