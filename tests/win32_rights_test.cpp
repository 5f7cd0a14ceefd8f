// The window's operation run by the elevated worker under wine: the real lumaset-cli.exe
// started through ShellExecuteExW with the verb "runas" (which wine runs without a
// prompt, as the same user). Driven by wine/rights_e2e.sh, which prepares a located host
// (LUMASET_RIGHTS_HOST, its folder with a trailing backslash) and a program folder with
// lumaset-cli.exe and the theme Ink (LUMASET_RIGHTS_HOME), and picks the case:
//   forced  a writable host that the window is told it may not change: the worker's
//           bytes are those of the same apply in the window's own process;
//   nobody  run as a user who cannot write the host: the offer, the worker's arguments,
//           and the worker, which cannot write either, ends it with a message.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "messages/catalogue.h"
#include "platform/system.h"
#include "platform/win32_interaction.h"
#include "support/fake_interaction.h"
#include "support/wine_prefix.h"
#include "support/without_rights.h"
#include "ui/presenter.h"

namespace lumaset {
namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Answers the offer from its queue and runs the worker as the system runs it, with the
// platform's result file.
class SystemWorker : public testing::FakeInteraction {
 public:
  ElevatedRun runAsAdministrator(const std::string& program, const std::vector<std::string>& arguments,
                                 const std::string& text) override {
    elevated.push_back({program, arguments});
    ElevatedRun run = system_.runAsAdministrator(program, arguments, text);
    EXPECT_EQ(run.end, ElevatedRun::End::Finished);
    return run;
  }

 private:
  Win32Interaction system_;
};

class Win32Rights : public ::testing::Test {
 protected:
  std::unique_ptr<Files> files = makeSystemFiles();
  std::string host = environment("LUMASET_RIGHTS_HOST");
  std::string home = environment("LUMASET_RIGHTS_HOME");
  SystemWorker ui;
  testing::EntryView main;
  testing::ListedPlaces places;

  void SetUp() override {
    if (host.empty() || home.empty()) GTEST_SKIP() << "run by wine/rights_e2e.sh";
    ui.yesNo = {true};  // yes to the offer
  }
  std::map<std::string, std::string> hostFiles() {
    std::map<std::string, std::string> all;
    for (const char* file : {"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat",
                             "PSIconsXHighRes.dat"})
      all[file] = files->readFile(host + "Resources\\" + file);
    all["language"] = files->readFile(host + "Locales\\zh_CN\\Support Files\\tw10428.dat");
    return all;
  }
  void apply(ui::Presenter& window, const std::string& entry) {
    main.entry = entry;
    window.themeBoxUpdate();
    window.applyThemeClicked();
  }
};

TEST_F(Win32Rights, AWorkerForcedOnAWritableHostGivesTheInProcessBytes) {
  if (environment("LUMASET_RIGHTS_CASE") != "forced") GTEST_SKIP();
  ui::Presenter free(*files, ui, places, main, home);
  free.runStartup();
  apply(free, "Ink");
  ASSERT_EQ(ui.boxes.back().text, "修改完成");
  const auto inProcess = hostFiles();
  apply(free, "[默认]");
  ASSERT_NE(hostFiles(), inProcess);

  testing::WithoutRightsBelow limited(*files, host);
  ui::Presenter window(limited, ui, places, main, home);
  window.runStartup();
  ui.boxes.clear();
  apply(window, "Ink");
  ASSERT_EQ(ui.questions.size(), 1u);
  ASSERT_EQ(ui.elevated.size(), 1u);
  EXPECT_EQ(ui.boxes.back().text, "修改完成");
  EXPECT_TRUE(hostFiles() == inProcess) << "the worker's apply differs from the window's own";
}

TEST_F(Win32Rights, AUserWithoutRightsIsOfferedTheWorkerOnce) {
  if (environment("LUMASET_RIGHTS_CASE") != "nobody") GTEST_SKIP();
  const auto before = hostFiles();
  ui::Presenter window(*files, ui, places, main, home);
  window.runStartup();
  ui.boxes.clear();
  apply(window, "Ink");
  const std::string resources = host + "Resources";
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].text, messageFor({MessageId::OfferAdministrator, resources, {}}).text);
  ASSERT_EQ(ui.elevated.size(), 1u);
  std::vector<std::string> args = ui.elevated[0].arguments;
  ASSERT_EQ(args.size(), 21u);
  EXPECT_EQ(args[4], "--result-token");
  args.erase(args.begin() + 4, args.begin() + 6);
  EXPECT_EQ(args, (std::vector<std::string>{"--home", home, "--data", home, "--lang", "zh", "--host", host, "--host-version", "16", "--language-file",
                                            "tw10428.dat", "--language-folder",
                                            host + "Locales\\zh_CN\\Support Files", "apply", "--hide-text", "on",
                                            "--", "Ink"}));
  EXPECT_EQ(ui.boxes.back().text, messageFor({MessageId::NoRightsEvenAsAdministrator, resources, {}}).text);
  EXPECT_TRUE(hostFiles() == before);
}

}  // namespace
}  // namespace lumaset
