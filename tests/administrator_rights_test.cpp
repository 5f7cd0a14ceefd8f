// A host this process may not change: the window offers administrator rights once and runs
// the operation in the elevated worker (the command line, here run in this process with
// full rights), or changes nothing; the command line says what it needs and exits 1.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "backup/host_look.h"
#include "cli/cli.h"
#include "formats/work_names.h"
#include "formats/worker_progress_line.h"
#include "messages/catalogue.h"
#include "run/outcome_text.h"
#include "support/host_fixture.h"
#include "support/wine_prefix.h"
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
  testing::ListedPlaces places;
  std::unique_ptr<testing::WithoutRightsBelow> limited;
  std::unique_ptr<ui::Presenter> window;

  std::string savedTemporary;

  void SetUp() override {
    HostFixture::SetUp();
    // The worker's result files are claimed in the temporary folder: each test has its own,
    // so that tests running side by side do not see each other's files.
    if (const char* old = std::getenv("TMPDIR")) savedTemporary = old;
    std::filesystem::create_directories(home + "/temporary");
    setenv("TMPDIR", (home + "/temporary").c_str(), 1);
    startThemes = {{"Ink", testing::sixImages(10), testing::kHidingThemeInfo}};
    startOn();
    limited = std::make_unique<testing::WithoutRightsBelow>(files, host.folder);
    window = std::make_unique<ui::Presenter>(*limited, ui, places, main, home);
    main.entry = "Ink";
    window->runStartup();
    window->themeBoxUpdate();  // the preview of "Ink" sets the startup-text toggle
    ui.boxes.clear();
  }

  void TearDown() override {
    if (savedTemporary.empty()) {
      unsetenv("TMPDIR");
    } else {
      setenv("TMPDIR", savedTemporary.c_str(), 1);
    }
    HostFixture::TearDown();
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
  ui::Presenter free(files, ui, places, main, home);
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

  EXPECT_TRUE(hostFiles() == before);
  EXPECT_FALSE(files.exists(bak("IconResources.idx")));
  EXPECT_FALSE(files.exists(host.folder + "/Locales_BAK"));
  EXPECT_TRUE(temporaryWorkerFiles().empty());
}

TEST_F(AdministratorRights, AWorkerThatDoesNotRunOrReportIsToldApart) {
  ui.yesNo = {true, true};
  ui.elevatedEnd = ElevatedRun::End::NotStarted;
  window->applyThemeClicked();
  EXPECT_EQ(ui.boxes.back(),
            (testing::RecordedBox{message(MessageId::WorkerNotStarted, home + "/lumaset-cli.exe", "0").text, "错误",
                                  MessageIcon::Error}));
  ui.elevatedEnd = ElevatedRun::End::Finished;  // ends with 1 and writes no result
  window->applyThemeClicked();
  EXPECT_EQ(ui.boxes.back().text, message(MessageId::WorkerGaveNoResult, {}, "1").text);
  EXPECT_NE(ui.boxes.back().text.find("退出代码：1"), std::string::npos);
  EXPECT_TRUE(temporaryWorkerFiles().empty());
}

TEST_F(AdministratorRights, AWindowRunningAsAdministratorAsksNothing) {
  ui.administrator = true;
  ui.yesNo = {true};
  window->applyThemeClicked();
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_TRUE(ui.elevated.empty());
  EXPECT_EQ(ui.boxes.back().text, message(MessageId::NoRightsEvenAsAdministrator, resources()).text);
}

TEST_F(AdministratorRights, TheWorkerGetsTheWindowsLocationAndGivesTheInProcessBytes) {
  // The same apply in this process, with full rights, for the bytes it gives.
  ui::Presenter free(files, ui, places, main, home);
  free.runStartup();
  free.themeBoxUpdate();
  free.applyThemeClicked();
  const auto inProcess = hostFiles();
  main.entry = "[默认]";
  free.themeBoxUpdate();
  free.applyThemeClicked();
  main.entry = "Ink";
  ASSERT_TRUE(hostFiles() != inProcess);

  // The window's location is the worker's, even where setting.ini says another.
  files.writeProfileString(home + "/setting.ini", "lumaset", "photoshop", dir / "elsewhere/");
  ui.worker = [&](const std::vector<std::string>& args) { return runQuietly(args, files); };
  ui.yesNo = {true};
  ui.boxes.clear();
  window->applyThemeClicked();
  ASSERT_EQ(ui.elevated.size(), 1u);
  std::vector<std::string> args = ui.elevated[0].arguments;
  ASSERT_EQ(args.size(), 21u);
  EXPECT_EQ(args[4], "--result-token");
  EXPECT_EQ(args[5].size(), 32u);
  args.erase(args.begin() + 4, args.begin() + 6);
  EXPECT_EQ(args, (std::vector<std::string>{"--home", home, "--data", home, "--lang", "zh", "--host", host.folder + "/", "--host-version", "16",
                                            "--language-file", "tw10428.dat", "--language-folder",
                                            host.languageFolder, "apply", "--hide-text", "on", "--", "Ink"}));
  EXPECT_EQ(ui.elevated[0].program, home + "/lumaset-cli.exe");
  EXPECT_EQ(ui.boxes.back().text, "修改完成");
  EXPECT_TRUE(hostFiles() == inProcess);
  EXPECT_TRUE(temporaryWorkerFiles().empty());
}

// An update took the theme off a host this process may not change: the yes to the offer
// and the yes to the rights give the theme back through the worker, as "reapply".
TEST_F(AdministratorRights, AReapplyAfterAnUpdateGoesThroughTheWorker) {
  ui::Presenter free(files, ui, places, main, home);
  free.runStartup();
  free.themeBoxUpdate();
  free.applyThemeClicked();
  updateHost({"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat",
              "PSIconsXHighRes.dat"});
  ui.worker = [&](const std::vector<std::string>& args) { return runQuietly(args, files); };
  ui.yesNo = {true, true};
  ui.boxes.clear();
  window->cameToFront();
  ASSERT_EQ(ui.elevated.size(), 1u);
  EXPECT_EQ(ui.elevated[0].arguments.back(), "reapply");
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back().text, "已更新备份，并重新应用了主题「Ink」");
  EXPECT_EQ(carriedLook(ctx), (HostLook{LookKind::Theme, "Ink"}));
}

TEST_F(AdministratorRights, AResultTheWorkerDidNotGiveIsNotBelieved) {
  ui.yesNo = {true, true};
  // Another process of the user writes a result into the file (it can, as the worker can).
  ui.worker = [&](const std::vector<std::string>& args) {
    std::ofstream(args[1], std::ios::binary) << outcomeText(Outcome{}, std::string(32, 'a'));
    return 0;
  };
  window->applyThemeClicked();
  EXPECT_EQ(ui.boxes.back().text, message(MessageId::WorkerGaveNoResult, {}, "0").text);
  // The worker's own result, with an exit status that does not agree with it.
  ui.worker = [&](const std::vector<std::string>& args) {
    EXPECT_EQ(runQuietly(args, files), 0);
    return 1;
  };
  window->applyThemeClicked();
  EXPECT_EQ(ui.boxes.back().text, message(MessageId::WorkerGaveNoResult, {}, "1").text);
  EXPECT_TRUE(temporaryWorkerFiles().empty());
}

// The worker writes its result only into an empty file of the result file's name with one
// link, never through a link and never into a host file, whatever its command line says.
TEST_F(AdministratorRights, TheWorkerWritesOnlyIntoAFreshResultFile) {
  const std::string token(32, 'c');
  const auto workerApply = [&](const std::string& result) {
    return runQuietly({"--result", result, "--result-token", token, "--home", home, "apply", "--", "Ink"}, files);
  };
  EXPECT_EQ(workerApply(res("IconResources.idx")), 1);
  EXPECT_EQ(testing::readWhole(res("IconResources.idx")).find("lumaset-outcome"), std::string::npos);

  const std::string folder = files.temporaryFolder() + "/";
  const std::string named = folder + std::string(kWorkerResultPrefix) + std::string(32, '0') + ".result";
  const std::string other = folder + "other";
  std::ofstream(other, std::ios::binary).close();
  std::filesystem::create_symlink(other, named);
  EXPECT_EQ(workerApply(named), 1);
  std::filesystem::remove(named);
  std::filesystem::create_hard_link(other, named);
  EXPECT_EQ(workerApply(named), 1);
  EXPECT_EQ(testing::readWhole(other), "");
  std::filesystem::remove(named);
  std::ofstream(named, std::ios::binary) << "x";
  EXPECT_EQ(workerApply(named), 1);
  EXPECT_EQ(testing::readWhole(named), "x");

  std::filesystem::remove(named);
  std::ofstream(named, std::ios::binary).close();
  EXPECT_EQ(workerApply(named), 0);
  const std::optional<Outcome> written = outcomeFromText(workerOutcomePart(testing::readWhole(named)), token);
  ASSERT_TRUE(written);
  EXPECT_TRUE(written->done());
  // Its progress line, rewritten in place, ends with every byte it counted done.
  const std::optional<WorkerProgress> progress = readWorkerProgress(testing::readWhole(named));
  ASSERT_TRUE(progress);
  EXPECT_GT(progress->total, 0u);
  EXPECT_EQ(progress->done, progress->total);
}

TEST_F(AdministratorRights, AThemeNamedLikeAnOptionReachesTheWorker) {
  testing::writeTheme(home, "-Ink", testing::sixImages(20));
  main.entry = "-Ink";
  window->themeBoxUpdate();
  ui.worker = [&](const std::vector<std::string>& args) { return runQuietly(args, files); };
  ui.yesNo = {true};
  window->applyThemeClicked();
  EXPECT_EQ(ui.boxes.back().text, "修改完成");
  EXPECT_GT(testing::readWhole(res("PSIconsLowRes.dat")).size(), testing::readWhole(bak("PSIconsLowRes.dat")).size());
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
  EXPECT_TRUE(hostFiles() == before);
}

// Whatever an operation changes, a process that may not change it is refused before
// anything changes: every folder (as it stood before, or the folder it is made in) and
// every existing file that a run with full rights changed is taken away alone.
class EveryChangeIsTried : public AdministratorRights {
 protected:
  using Operation = std::function<void(ui::Presenter&)>;

  // What a run with full rights changes below the host's folder: the paths of its calls.
  class Recording : public testing::ForwardingFiles {
   public:
    Recording(Files& inner, std::string below) : ForwardingFiles(inner), below_(std::move(below)) {}
    std::set<std::string> changed;
    bool allowChange(const testing::ChangeCall& call) override {
      if (call.name != "mayChange" && call.name != "lockFile") {
        for (const std::string* p : {&call.path, &call.from})
          if (p->starts_with(below_)) changed.insert(*p);
      }
      return true;
    }

   private:
    std::string below_;
  };

  // The folders and files whose rights decide whether `path` may change, as things stand.
  std::set<std::string> decidingPaths(const std::string& path) {
    std::set<std::string> deciding;
    if (files.entryKind(path) == EntryKind::File) deciding.insert(path);
    std::string folder = path;
    do folder = folder.substr(0, folder.rfind('/'));
    while (!files.info(folder).isFolder);
    deciding.insert(folder);
    return deciding;
  }

  void restore(const std::string& from) {
    std::filesystem::remove_all(testing::pathFromUtf8(host.folder));
    std::filesystem::copy(testing::pathFromUtf8(from), testing::pathFromUtf8(host.folder),
                          std::filesystem::copy_options::recursive);
  }

  void checkEveryChange(const std::string& name, const Operation& operation) {
    const std::string start = dir / ("start-" + name);
    std::filesystem::copy(testing::pathFromUtf8(host.folder), testing::pathFromUtf8(start),
                          std::filesystem::copy_options::recursive);
    Recording recording(files, host.folder);
    {
      ui::Presenter free(recording, ui, places, main, home);
      free.runStartup();
      operation(free);
    }
    ASSERT_FALSE(recording.changed.empty()) << name;
    restore(start);
    std::set<std::string> deciding;
    for (const std::string& path : recording.changed) deciding.merge(decidingPaths(path));
    const auto leaveLock = [](const std::filesystem::path& below) { return below == ".lumaset.lock"; };
    const testing::Snapshot before = testing::folderSnapshot(host.folder, testing::Entries::All, leaveLock);
    for (const std::string& path : deciding) {
      testing::WithoutRightsAt limitedAt(files, path);
      ui::Presenter limitedWindow(limitedAt, ui, places, main, home);
      limitedWindow.runStartup();
      ui.boxes.clear();
      operation(limitedWindow);
      ASSERT_FALSE(ui.boxes.empty()) << name << ": " << path;
      EXPECT_EQ(ui.boxes.back().text, message(MessageId::NothingChangedWithoutRights).text) << name << ": " << path;
      // Compared whole, not printed: the packs are megabytes.
      EXPECT_TRUE(testing::folderSnapshot(host.folder, testing::Entries::All, leaveLock) == before)
          << name << ": changed without the rights for " << path;
    }
    ui::Presenter free(files, ui, places, main, home);
    free.runStartup();
    operation(free);
  }
};

TEST_F(EveryChangeIsTried, ByTheFirstApplyARefreshAndTheWayBack) {
  const auto apply = [this](const std::string& entry) {
    return [this, entry](ui::Presenter& p) {
      main.entry = entry;
      p.themeBoxUpdate();
      p.applyThemeClicked();
    };
  };
  checkEveryChange("first-apply", apply("Ink"));
  checkEveryChange("refresh", [](ui::Presenter& p) { p.backupPressed(); });
  checkEveryChange("default", apply("[默认]"));
}

TEST_F(AdministratorRights, TheCommandLineSaysItNeedsTheRightsAndChangesNothing) {
  const auto before = hostFiles();
  for (std::vector<std::string> command :
       {std::vector<std::string>{"apply", "Ink"}, {"backup"}, {"backup", "--refresh"}, {"apply", "[默认]"}}) {
    command.insert(command.begin(), {"--lang", "zh", "--home", home});
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(cli::runCli(command, *limited, out, err), 1) << command[4];
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
  EXPECT_TRUE(hostFiles() == before);
  EXPECT_FALSE(files.exists(bak("")));
  EXPECT_FALSE(files.exists(host.folder + "/Locales_BAK"));
}

}  // namespace
}  // namespace lumaset
