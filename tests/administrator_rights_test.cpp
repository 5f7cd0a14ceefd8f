// A host this process may not change: the window offers administrator rights once and runs
// the operation in the elevated worker (the command line, here run in this process with
// full rights), or changes nothing; the command line says what it needs and exits 1.
#include <gtest/gtest.h>

#include <cstdio>

#include "cli/cli.h"
#include "messages/catalogue.h"
#include "support/host_fixture.h"
#include "support/without_rights.h"
#include "ui/presenter.h"

namespace lumaset {
namespace {

int runQuietly(const std::vector<std::string>& args, Files& files) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = cli::runCli(args, files, out, err);
  std::fclose(out);
  std::fclose(err);
  return status;
}

class AdministratorRights : public testing::HostFixture {
 protected:
  testing::EntryView main;
  std::unique_ptr<testing::WithoutRightsBelow> limited;
  std::unique_ptr<ui::Presenter> window;

  void SetUp() override {
    HostFixture::SetUp();
    startThemes = {{"Ink", testing::sixImages(10), testing::kHidingThemeInfo}};
    startOn();
    limited = std::make_unique<testing::WithoutRightsBelow>(files, host.folder);
    window = std::make_unique<ui::Presenter>(*limited, ui, main, home);
    main.entry = "Ink";
    window->runStartup();
    window->themeBoxUpdate();  // the preview of "Ink" sets the startup-text toggle
    ui.boxes.clear();
  }

  // The first folder an edit changes, named by the refusal.
  std::string resources() const { return host.folder + "/Resources"; }
  Message message(MessageId id, const std::string& path = {}, const std::string& detail = {}) {
    return messageFor({id, path, detail});
  }
  std::vector<std::string> temporaryWorkerFiles() {
    std::vector<std::string> left;
    for (const std::string& name : files.fileNames(files.temporaryFolder()))
      if (name.starts_with("lumaset-worker-")) left.push_back(name);
    return left;
  }
};

TEST_F(AdministratorRights, AWritableHostIsChangedWithoutAQuestion) {
  ui::Presenter free(files, ui, main, home);
  free.runStartup();
  free.applyThemeClicked();
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_TRUE(ui.elevated.empty());
  EXPECT_EQ(ui.boxes.back().text, "修改完成");
}

TEST_F(AdministratorRights, NoToTheQuestionOrThePromptChangesNothing) {
  const auto before = hostFiles();
  window->applyThemeClicked();  // the question answered no
  ASSERT_EQ(ui.questions.size(), 1u);
  const Message offer = message(MessageId::OfferAdministrator, resources());
  EXPECT_EQ(ui.questions[0].text, offer.text);
  EXPECT_EQ(ui.questions[0].caption, "需要管理员权限");
  EXPECT_TRUE(ui.elevated.empty());
  EXPECT_EQ(ui.boxes.back().text, message(MessageId::NothingChangedWithoutRights).text);

  ui.yesNo = {true};
  ui.elevatedEnd = ElevatedRun::End::Declined;  // the system's prompt answered no
  window->backupPressed();
  EXPECT_EQ(ui.elevated.size(), 1u);
  EXPECT_EQ(ui.boxes.back().text, message(MessageId::NothingChangedWithoutRights).text);

  EXPECT_EQ(hostFiles(), before);
  EXPECT_FALSE(files.exists(bak("IconResources.idx")));
  EXPECT_FALSE(files.exists(host.folder + "/Locales_BAK"));
  EXPECT_TRUE(temporaryWorkerFiles().empty());
}

TEST_F(AdministratorRights, AWorkerThatDoesNotRunOrReportIsToldApart) {
  ui.yesNo = {true, true};
  ui.elevatedEnd = ElevatedRun::End::NotStarted;
  window->applyThemeClicked();
  EXPECT_EQ(ui.boxes.back(), (testing::RecordedBox{message(MessageId::WorkerNotStarted, home + "/lumaset-cli.exe").text,
                                                   "错误", MessageIcon::Error}));
  ui.elevatedEnd = ElevatedRun::End::Finished;  // ends with 1 and writes no result
  window->applyThemeClicked();
  EXPECT_EQ(ui.boxes.back().text, message(MessageId::WorkerGaveNoResult, {}, "1").text);
  EXPECT_NE(ui.boxes.back().text.find("退出代码：1"), std::string::npos);
  EXPECT_TRUE(temporaryWorkerFiles().empty());
}

TEST_F(AdministratorRights, TheWorkerGetsTheWindowsLocationAndGivesTheInProcessBytes) {
  // The same apply in this process, with full rights, for the bytes it gives.
  ui::Presenter free(files, ui, main, home);
  free.runStartup();
  free.themeBoxUpdate();
  free.applyThemeClicked();
  const auto inProcess = hostFiles();
  main.entry = "[默认]";
  free.themeBoxUpdate();
  free.applyThemeClicked();
  main.entry = "Ink";
  ASSERT_NE(hostFiles(), inProcess);

  // The window's location is the worker's, even where setting.ini says another.
  files.writeProfileString(home + "/setting.ini", "lumaset", "photoshop", dir / "elsewhere/");
  std::string settingsSeen;
  ui.worker = [&](const std::vector<std::string>& args) {
    settingsSeen = files.readProfileString(args[3], "lumaset", "photoshop", "");
    return runQuietly(args, files);
  };
  ui.yesNo = {true};
  ui.boxes.clear();
  window->applyThemeClicked();
  ASSERT_EQ(ui.elevated.size(), 1u);
  const std::vector<std::string>& args = ui.elevated[0].arguments;
  ASSERT_EQ(args.size(), 10u);
  EXPECT_EQ(std::vector<std::string>(args.begin(), args.begin() + 2), (std::vector<std::string>{"--home", home}));
  EXPECT_EQ(args[2], "--settings");
  EXPECT_EQ(args[4], "--result");
  EXPECT_EQ(std::vector<std::string>(args.begin() + 6, args.end()),
            (std::vector<std::string>{"apply", "Ink", "--hide-text", "on"}));
  EXPECT_EQ(ui.elevated[0].program, home + "/lumaset-cli.exe");
  EXPECT_EQ(settingsSeen, host.folder + "/");
  EXPECT_EQ(ui.boxes.back().text, "修改完成");
  EXPECT_EQ(hostFiles(), inProcess);
  EXPECT_TRUE(temporaryWorkerFiles().empty());
}

TEST_F(AdministratorRights, AWorkerWithoutRightsEndsWithAMessageNotAnotherQuestion) {
  ui.worker = [&](const std::vector<std::string>& args) { return runQuietly(args, *limited); };
  ui.yesNo = {true, true};
  const auto before = hostFiles();
  window->applyThemeClicked();
  EXPECT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.elevated.size(), 1u);
  EXPECT_EQ(ui.boxes.back(), (testing::RecordedBox{message(MessageId::NoRightsEvenAsAdministrator, resources()).text,
                                                   "错误", MessageIcon::Error}));
  EXPECT_EQ(hostFiles(), before);
}

TEST_F(AdministratorRights, TheCommandLineSaysItNeedsTheRightsAndChangesNothing) {
  const auto before = hostFiles();
  for (std::vector<std::string> command :
       {std::vector<std::string>{"apply", "Ink"}, {"backup"}, {"backup", "--refresh"}, {"apply", "[默认]"}}) {
    command.insert(command.begin(), {"--home", home});
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(cli::runCli(command, *limited, out, err), 1) << command[2];
    std::rewind(out);
    char text[4096] = {};
    const std::size_t n = std::fread(text, 1, sizeof text - 1, out);
    std::fclose(out);
    std::fclose(err);
    const std::string printed(text, n);
    EXPECT_NE(printed.find("[需要管理员权限] " + message(MessageId::NeedsAdministrator, resources()).text),
              std::string::npos)
        << printed;
  }
  EXPECT_EQ(hostFiles(), before);
  EXPECT_FALSE(files.exists(host.folder + "/.lumaset.lock"));
}

}  // namespace
}  // namespace lumaset
