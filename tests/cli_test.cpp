// The command line: its message output, exit status and the commands of the foundation.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <sstream>

#include "cli/cli.h"
#include "cli/json.h"
#include "formats/utf.h"
#include "support/folder_snapshot.h"
#include "support/forwarding_files.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "support/wine_prefix.h"

namespace lumaset {
namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

TEST(CliJson, HexTextIsTwoLowerCaseDigitsForEachByte) {
  EXPECT_EQ(cli::hexText(std::string("\x00\x0f\xa0\xff", 4)), "000fa0ff");
  EXPECT_EQ(cli::hexText("Az"), "417a");
  EXPECT_EQ(cli::hexText(""), "");
}

class Cli : public testing::HostFixture {
 protected:
  CliRun invoke(std::vector<std::string> args) {
    args.insert(args.begin(), {"--lang", "zh", "--home", home});
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    int status = cli::runCli(args, files, out, err);
    return {status, slurp(out), slurp(err)};
  }
  static std::string slurp(std::FILE* f) {
    std::rewind(f);
    std::string text;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
    return text;
  }
  std::string contents(const std::string& path) {
    std::ifstream in(testing::pathFromUtf8(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(Cli, UsageErrorsExitWithTwo) {
  EXPECT_EQ(invoke({}).status, 2);
  EXPECT_EQ(invoke({"frobnicate"}).status, 2);
  EXPECT_EQ(invoke({"extract", "Splash1080Background", "--pack", "mid", "-o", "x"}).status, 2);
  EXPECT_EQ(invoke({"look", "sideways"}).status, 2);
  CliRun missingValue = invoke({"extract", "X", "--pack"});
  EXPECT_EQ(missingValue.status, 2);
  EXPECT_NE(missingValue.err.find("usage:"), std::string::npos);
}

TEST_F(Cli, HelpAndVersionGoToStandardOutput) {
  const std::string usage = invoke({"--help"}).out;
  EXPECT_EQ(usage.rfind("usage: lumaset-cli", 0), 0u);
  // Windows' way of asking and the word "help" as the command give the same text.
  for (std::vector<std::string> asked : {std::vector<std::string>{"-h"}, {"/?"}, {"help"}, {"--json", "help"}}) {
    CliRun r = invoke(asked);
    EXPECT_EQ(r.status, 0) << asked.back();
    EXPECT_EQ(r.out, usage) << asked.back();
    EXPECT_EQ(r.err, "") << asked.back();
  }
  CliRun version = invoke({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("lumaset-cli ") + LUMASET_VERSION + "\n");
  CliRun wrong = invoke({"--verbose"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.out, "");
  EXPECT_NE(wrong.err.find("usage:"), std::string::npos);
}

// A file system that runs out of memory in the middle of a command.
struct ExhaustedFiles : PosixFiles {
  Bytes readFile(const std::string&) override { throw std::bad_alloc(); }
};

TEST_F(Cli, AnExceptionEndsTheCommandWithAMessageAndStatusOne) {
  ExhaustedFiles exhausted;
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  int status = cli::runCli({"--lang", "en", "--home", home, "index", dir / "any.idx"}, exhausted, out, err);
  EXPECT_EQ(status, 1);
  EXPECT_NE(slurp(err).find("lumaset-cli: stopped by an internal error"), std::string::npos);
  slurp(out);
}

TEST_F(Cli, LocateRefusesAFolderAndIndexAFileLargerThanAnyIndex) {
  makeHost();
  CliRun folder = invoke({"locate", host.folder});
  EXPECT_EQ(folder.status, 1);
  EXPECT_NE(folder.err.find("这里没有文件：" + host.folder), std::string::npos);
  EXPECT_EQ(settings("photoshop"), "<missing>");
  // ".." in the given path is resolved through the folders on disk.
  std::filesystem::create_directories(dir / "sub");
  CliRun dotted = invoke({"locate", dir / ("sub/../" + std::filesystem::path(host.folder).filename().string() + "/Photoshop.exe")});
  EXPECT_EQ(dotted.status, 0) << dotted.out << dotted.err;
  EXPECT_EQ(settings("photoshop"), hostFolder());
  {
    std::ofstream big(testing::pathFromUtf8(dir / "big.idx"), std::ios::binary);
    big << host.index;
  }
  std::filesystem::resize_file(testing::pathFromUtf8(dir / "big.idx"), (64ull << 20) + 1);
  CliRun r = invoke({"index", dir / "big.idx"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("大于 64 MiB"), std::string::npos);
}

TEST_F(Cli, JsonStaysValidUtf8ForRecordNamesThatAreNot) {
  makeHost();
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  const std::string name = host.records.back().name.substr(0, host.records.back().name.find('\0'));
  std::string index = host.index;
  std::size_t at = index.find(name);
  ASSERT_NE(at, std::string::npos);
  index[at] = '\xE9';  // a Latin-1 byte, no UTF-8
  index[at + 1] = '\xFF';
  std::ofstream(testing::pathFromUtf8(dir / "odd.idx"), std::ios::binary) << index;
  CliRun r = invoke({"--json", "index", dir / "odd.idx"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(isValidUtf8(r.out));
  std::istringstream lines(r.out);
  std::string line;
  nlohmann::json records;
  while (std::getline(lines, line)) records = nlohmann::json::parse(line)["records"];
  const nlohmann::json& odd = records.back();
  EXPECT_EQ(odd["name"].get<std::string>(), "\u00e9\u00ff" + name.substr(2));
  EXPECT_EQ(odd["name_hex"].get<std::string>().substr(0, 8), "e9ff" + cli::hexText(name.substr(2, 2)));
  EXPECT_FALSE(records.front().contains("name_hex"));
}

TEST_F(Cli, LocatePrintsTheBoxesAndStoresTheHost) {
  makeHost();
  CliRun r = invoke({"locate", host.exePath});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("[可以使用] 选择的 Photoshop 版本为：16.1.2\r\n", 0), 0u);
  EXPECT_NE(r.out.find("path box: " + host.folder + "/\n"), std::string::npos);
  EXPECT_EQ(settings("photoshop"), host.folder + "/");
  // A second locate on a configured program runs the location once more, not twice.
  CliRun again = invoke({"--json", "locate", host.exePath});
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(std::count(again.out.begin(), again.out.end(), '\n'), 2);
}

// A program folder that takes no settings: the host is located for the run, the error
// says where to put the program, and the exit status is 1.
struct NoProfileWrites : testing::ForwardingFiles {
  explicit NoProfileWrites(Files& inner) : ForwardingFiles(inner) {}
  bool allowChange(const testing::ChangeCall& call) override { return call.name != "writeProfileString"; }
};

TEST_F(Cli, LocateWhoseSettingsCannotBeStoredExitsWithOne) {
  makeHost();
  NoProfileWrites failing(files);
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = cli::runCli({"--lang", "zh", "--home", home, "--json", "locate", host.exePath}, failing, out, err);
  const std::string printed = slurp(out);
  slurp(err);
  EXPECT_EQ(status, 1);
  EXPECT_NE(printed.find("{\"caption\":\"错误\",\"text\":\"无法保存设置：" + home + "/setting.ini\\r\\n"),
            std::string::npos)
      << printed;
  EXPECT_NE(printed.find("\"icon\":\"error\"}"), std::string::npos) << printed;
  EXPECT_NE(printed.find("{\"pathBox\":\"" + host.folder + "/\"}"), std::string::npos) << printed;
  EXPECT_FALSE(files.exists(home + "/setting.ini"));
  // Nothing was kept: the next run asks for the host again.
  EXPECT_EQ(invoke({"status"}).out.rfind("host folder: \n", 0), 0u);
}

TEST_F(Cli, JsonBoxesCarryCaptionTextAndIcon) {
  makeHost();
  std::filesystem::remove(host.indexPath);
  CliRun r = invoke({"--json", "locate", host.exePath});
  EXPECT_EQ(r.status, 1);  // nothing was located or stored
  EXPECT_NE(r.out.find("{\"caption\":\"无效路径\",\"text\":\"Photoshop IconResources.idx 不存在：" + host.folder +
                       "/Resources/IconResources.idx\\r\\n\",\"icon\":\"none\"}\n"),
            std::string::npos)
      << r.out;
}

TEST_F(Cli, AnIndexThatCannotBeReadGivesExitStatusOneAndNoBackupYetIsNoError) {
  makeHost();
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  CliRun r = invoke({"look", "default"});  // no backup yet: the current images
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.find("[错误]"), std::string::npos) << r.out;
  testing::writeFile(host.indexPath, "");
  r = invoke({"look", "current"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("[错误] 读取到的索引长度为 0"), std::string::npos);
}

TEST_F(Cli, CommandsThatReadChangeNothingOnDisk) {
  makeHost();
  testing::writeTheme(home, "Sakura", testing::sixImages(), "[Lumaset_theme]\r\nloadtext=no\r\n");
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  const std::vector<std::vector<std::string>> reading = {{"status"},
                                                         {"--json", "status"},
                                                         {"index"},
                                                         {"look", "current"},
                                                         {"look", "default"},
                                                         {"preview", "[当前]"},
                                                         {"preview", "[默认]"},
                                                         {"preview", "Sakura"},
                                                         {"themes"}};
  for (const char* stage : {"before any backup", "on a themed host"}) {
    SCOPED_TRACE(stage);
    const testing::Snapshot before = testing::folderSnapshot(dir.str());
    for (const std::vector<std::string>& command : reading) EXPECT_EQ(invoke(command).status, 0) << command[0];
    EXPECT_TRUE(testing::folderSnapshot(dir.str()) == before);
    ASSERT_EQ(invoke({"apply", "Sakura"}).status, 0);
  }
}

TEST_F(Cli, StatusDescribesTheLocatedHost) {
  makeHost("v16.1.2", "16.1.2", false);
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  CliRun r = invoke({"--json", "status"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\"hostFolder\":\"" + host.folder + "/\""), std::string::npos);
  EXPECT_NE(r.out.find("\"layout\":\"two-pack\",\"records\":" + std::to_string(host.records.size())),
            std::string::npos);
  EXPECT_NE(r.out.find("\"marker\":false,\"backup\":false"), std::string::npos) << r.out;
}

// Which look the host carries: its own before anything changed, the theme applied, the
// custom images, its own again after "[默认]", unknown once someone else changed a file.
TEST_F(Cli, StatusTellsWhichLookTheHostCarries) {
  makeHost();
  testing::writeTheme(home, "墨竹", testing::sixImages(3));
  testing::writeFile(dir / "dark.png", testing::samplePng(9));
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  auto carries = [&] {
    CliRun r = invoke({"--json", "status"});
    EXPECT_EQ(r.status, 0) << r.err;
    const nlohmann::json look = nlohmann::json::parse(r.out)["carries"];
    return look["look"].get<std::string>() + ":" + look["theme"].get<std::string>();
  };
  EXPECT_EQ(carries(), "own:");
  ASSERT_EQ(invoke({"apply", "墨竹"}).status, 0);
  EXPECT_EQ(carries(), "theme:墨竹");
  EXPECT_NE(invoke({"status"}).out.find("\nhost carries: theme 墨竹\n"), std::string::npos);
  ASSERT_EQ(invoke({"apply-custom", "--dark", dir / "dark.png"}).status, 0);
  EXPECT_EQ(carries(), "custom:");
  ASSERT_EQ(invoke({"apply", "[默认]"}).status, 0);
  EXPECT_EQ(carries(), "own:");
  EXPECT_NE(invoke({"status"}).out.find("\nhost carries: its own look\n"), std::string::npos);
  ASSERT_EQ(invoke({"apply", "墨竹"}).status, 0);
  std::ofstream(testing::pathFromUtf8(res("PSIconsLowRes.dat")), std::ios::binary | std::ios::app) << "x";
  EXPECT_EQ(carries(), "unknown:");
  EXPECT_NE(invoke({"status"}).out.find("\nhost carries: unknown\n"), std::string::npos);
}

TEST_F(Cli, IndexListsRecordsAndRefusesFilesThatAreNoIndex) {
  makeHost();
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  CliRun r = invoke({"index"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("four-pack, " + std::to_string(host.records.size()) + " records"), std::string::npos);
  EXPECT_NE(r.out.find("Splash1080Background"), std::string::npos);
  std::ofstream(testing::pathFromUtf8(dir / "junk.idx"), std::ios::binary) << "not an index";
  EXPECT_EQ(invoke({"index", dir / "junk.idx"}).status, 1);
}

TEST_F(Cli, ExtractWritesTheImageBytes) {
  makeHost();
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  std::string target = dir / "splash.png";
  CliRun r = invoke({"extract", "Splash1080Background", "--pack", "high", "-o", target});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(contents(target), host.records[10].highImage);
  EXPECT_EQ(invoke({"extract", "NoSuchImage", "--pack", "low", "-o", target}).status, 1);
}

TEST_F(Cli, LookSavesTheThreeImages) {
  makeHost();
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  CliRun r = invoke({"look", "current", "--save", dir / "out"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("splash: " + std::to_string(host.records[10].lowImage.size()) + " bytes, 838x506"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(contents(dir / "out/splash.png"), host.records[10].lowImage);
  EXPECT_EQ(contents(dir / "out/dark.png").size(), host.records[19].lowImage.size());
}

}  // namespace
}  // namespace lumaset

namespace lumaset {
namespace {

TEST_F(Cli, ApplyTakesTheTogglePreviewWouldSetAndRestoresByteForByte) {
  makeHost();
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  testing::writeTheme(home, "Sakura", testing::sixImages(), testing::kHidingThemeInfo);
  CliRun applied = invoke({"--json", "apply", "Sakura"});
  EXPECT_EQ(applied.status, 0) << applied.out;
  EXPECT_EQ(applied.out, "{\"caption\":\"应用\",\"text\":\"修改完成\",\"icon\":\"none\"}\n");
  // loadtext=no hides the startup text: the blank block is appended.
  EXPECT_EQ(testing::readWhole(host.languageFile).size(), host.languageBytes.size() + 4870);
  EXPECT_NE(testing::readWhole(host.indexPath), host.index);

  CliRun restored = invoke({"apply", "[默认]"});
  EXPECT_EQ(restored.status, 0);
  EXPECT_EQ(testing::readWhole(host.indexPath), host.index);
  EXPECT_EQ(testing::readWhole(host.languageFile), host.languageBytes);
}

TEST_F(Cli, ApplyCustomAndBackupCommands) {
  makeHost();
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  CliRun backup = invoke({"backup"});
  EXPECT_EQ(backup.status, 0);
  EXPECT_EQ(backup.out, "backup: made\n");
  std::string png = testing::samplePng(9);
  testing::writeFile(dir / "dark.png", png);
  CliRun custom = invoke({"apply-custom", "--dark", dir / "dark.png", "--hide-text", "off"});
  EXPECT_EQ(custom.status, 0);
  EXPECT_EQ(custom.out, "[应用] 修改完成\n");
  EXPECT_EQ(testing::readWhole(res("PSIconsLowRes.dat")), testing::readWhole(bak("PSIconsLowRes.dat")) + png);
  EXPECT_EQ(invoke({"apply-custom", "--hide-text", "maybe"}).status, 2);
  EXPECT_EQ(invoke({"apply-custom"}).status, 1);  // no image named: refused
  EXPECT_EQ(invoke({"apply"}).status, 2);
}

TEST_F(Cli, ApplyWithAnErrorExitsWithOneAndShowsNoSuccess) {
  makeHost();
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  testing::writeTheme(home, "Bad", {{"loading_low.png", "not a png"}});
  CliRun r = invoke({"apply", "Bad"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.find("修改完成"), std::string::npos) << r.out;
  testing::writeTheme(dir.str(), "T", testing::sixImages());
  for (const std::string& entry : std::vector<std::string>{"NoSuchTheme", "", "../../LumasetTheme/T", dir / "LumasetTheme/T"}) {
    CliRun unknown = invoke({"apply", "--", entry});
    EXPECT_EQ(unknown.status, 1) << entry;
    EXPECT_NE(unknown.out.find("主题库里没有这个主题，未作任何修改：" + entry), std::string::npos) << unknown.out;
    EXPECT_EQ(contents(host.indexPath), host.index);
  }
}

// The language file takes the startup text: a language folder outside the host's Locales,
// from setting.ini or from the options the window hands its worker, changes nothing there.
TEST_F(Cli, ALanguageFolderOutsideTheHostIsNeverWritten) {
  makeHost();
  testing::writeTheme(home, "Sakura", testing::sixImages());
  testing::writeFile(dir / "outside/tw10428.dat", "mine");
  CliRun worker = invoke({"--host", hostFolder(), "--host-version", "16.1", "--language-folder", dir / "outside",
                          "--language-file", "tw10428.dat", "apply", "Sakura", "--hide-text", "on"});
  EXPECT_EQ(worker.status, 1);
  EXPECT_EQ(contents(dir / "outside/tw10428.dat"), "mine");
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  writeSettings("[lumaset]\r\nphotoshop=" + hostFolder() + "\r\nphotoshop_var=16.1\r\nphotoshop_locaal_file=tw10428.dat\r\n" +
                "photoshop_locaal_dir=" + (dir / "outside") + "\r\n");
  CliRun stored = invoke({"apply", "Sakura", "--hide-text", "on"});
  EXPECT_EQ(stored.status, 1);
  EXPECT_EQ(contents(dir / "outside/tw10428.dat"), "mine");
}

}  // namespace
}  // namespace lumaset

namespace lumaset {
namespace {

TEST_F(Cli, ThemeLibraryCommands) {
  makeHost();
  ASSERT_EQ(invoke({"locate", host.exePath}).status, 0);
  testing::writeTheme(home, "Ink", {{"loading_low.png", testing::samplePng(3)}},
                      "[Lumaset_theme]\r\ninfo=墨\r\nby=甲\r\nbyurl=https://a.example\r\n");
  CliRun list = invoke({"themes"});
  EXPECT_EQ(list.out, "[当前]\n[默认]\nInk\n");
  CliRun preview = invoke({"--json", "preview", "Ink", "--save", dir / "shown"});
  EXPECT_EQ(preview.status, 0);
  EXPECT_NE(preview.out.find("\"description\":\"墨\",\"author\":{\"text\":\"甲\",\"target\":\"https://a.example\"}"),
            std::string::npos)
      << preview.out;
  EXPECT_NE(preview.out.find("\"indicators\":true,\"1x\":true,\"2x\":false,\"t\":false,\"startupTextToggle\":false,"
                             "\"startupTextAvailable\":true,\"overlay\":\"marked\",\"hostLacks\":[]"),
            std::string::npos);
  EXPECT_EQ(testing::readWhole(dir / "shown/splash.png"), testing::samplePng(3));

  testing::writeFile(dir / "New.zip", testing::readWhole(dir / "none"));  // an empty file is no archive
  CliRun failed = invoke({"import", dir / "New.zip"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.out, "[错误代码：0] 解压主题包错误：" + home + "/LumasetTheme/New\n");
  EXPECT_EQ(invoke({"import"}).status, 2);

  CliRun refresh = invoke({"backup", "--refresh"});
  EXPECT_EQ(refresh.status, 0) << refresh.out;  // no backup yet: the refresh takes the first one
  EXPECT_EQ(refresh.out.rfind("[备份] 备份完成", 0), 0u) << refresh.out;
  EXPECT_EQ(invoke({"backup", "--refresh"}).out, "[备份] 备份已是最新\n");
}

// A prefix with release 19 registered in the 32-bit view outside Program Files, and CC
// 2015 in Program Files, also registered in the 64-bit view.
class CliFind : public Cli {
 protected:
  testing::FakeWinePrefix prefix{dir / "prefix"};
  std::string cc2015 = prefix.onDriveC("Program Files/Adobe/Adobe Photoshop CC 2015/");
  std::string release19 = prefix.onDriveC("PS19/");

  void SetUp() override {
    Cli::SetUp();
    testing::FakeWinePrefix::placeExe(cc2015, testing::stubExe("v16.1.2"));
    testing::FakeWinePrefix::placeExe(release19, testing::stubExe("v19.1"));
    prefix.writeSystemReg(testing::applicationPathKey("Software\\Adobe\\Photoshop\\90.0",
                                                      "C:\\Program Files\\Adobe\\Adobe Photoshop CC 2015\\") +
                          testing::applicationPathKey("Software\\Wow6432Node\\Adobe\\Photoshop\\110.0", "C:\\PS19"));
  }
};

TEST_F(CliFind, ListsTheHostsOfAWinePrefixNewestFirst) {
  CliRun text = invoke({"find", "--prefix", prefix.folder()});
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            release19 + "\t19.1\tregistry 32-bit 110.0\n" + cc2015 + "\t16.1.2\tregistry 64-bit 90.0, Program Files\n");
  EXPECT_EQ(text.err, "");

  CliRun json = invoke({"--json", "find", "--prefix", prefix.folder()});
  EXPECT_EQ(json.status, 0);
  const nlohmann::json hosts = nlohmann::json::parse(json.out)["hosts"];
  ASSERT_EQ(hosts.size(), 2u);
  EXPECT_EQ(hosts[0]["folder"], release19);
  EXPECT_EQ(hosts[1]["exe"], cc2015 + "Photoshop.exe");
  EXPECT_EQ(hosts[1]["version"], "16.1.2");
  EXPECT_EQ(hosts[1]["foundIn"], (nlohmann::json{"registry 64-bit 90.0", "Program Files"}));
  // Finding writes nothing, not even the settings.
  EXPECT_FALSE(files.exists(ctx.settingsFile()));
}

TEST_F(CliFind, NoHostIsOneLineAndExitStatusOne) {
  const std::string empty = dir / "empty-prefix";
  CliRun text = invoke({"find", "--prefix", empty});
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.out, "");
  EXPECT_EQ(text.err, "lumaset-cli: wine 前缀 " + empty + " 的注册表和 Program Files 文件夹里没有找到 Photoshop\n");
  // In English, the same in English.
  EXPECT_EQ(invoke({"--lang", "en", "find", "--prefix", empty}).err,
            "lumaset-cli: no Photoshop found in the registry or the Program Files folders of the wine prefix " + empty +
                "\n");
  CliRun json = invoke({"--json", "find", "--prefix", empty});
  EXPECT_EQ(json.status, 1);
  EXPECT_EQ(json.out, "{\"hosts\":[]}\n");
  EXPECT_EQ(invoke({"find", "extra"}).status, 2);
  EXPECT_EQ(invoke({"find", "--prefix"}).status, 2);
}

// Natively the prefix is $WINEPREFIX when no --prefix names one.
TEST_F(CliFind, ReadsThePrefixOfTheEnvironment) {
  const char* before = std::getenv("WINEPREFIX");
  const std::string saved = before ? before : "";
  ::setenv("WINEPREFIX", prefix.folder().c_str(), 1);
  CliRun found = invoke({"find"});
  before ? ::setenv("WINEPREFIX", saved.c_str(), 1) : ::unsetenv("WINEPREFIX");
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(found.out.substr(0, release19.size() + 1), release19 + "\t");
}

// --host DIR alone works on the host in DIR for that run: two hosts take a theme each,
// setting.ini keeps the host it named, and "[默认]" on each gives that host its own bytes.
TEST_F(Cli, HostAloneWorksOnTheGivenHostForThatRunOnly) {
  testing::writeTheme(home, "Ink", {{"loading_low.png", testing::samplePng(1)}});
  const tools::SampleHost first = makeHost("v16.1.2", "16.1.2", true, "PS_A");
  const tools::SampleHost second = makeHost("v18.0.0", "18.0.0", true, "PS_B");
  ASSERT_EQ(invoke({"locate", first.exePath}).status, 0);
  auto own = [](const tools::SampleHost& h) {
    return testing::folderSnapshot(h.folder + "/Resources", testing::Entries::Files);
  };
  const auto secondOwn = own(second);
  ASSERT_EQ(invoke({"apply", "Ink"}).status, 0);
  const auto firstThemed = own(first);
  CliRun applied = invoke({"--host", second.folder, "apply", "Ink"});
  ASSERT_EQ(applied.status, 0) << applied.out << applied.err;
  EXPECT_NE(invoke({"--host", second.folder, "status"}).out.find("host carries: theme Ink"), std::string::npos);
  EXPECT_EQ(settings("photoshop"), first.folder + "/");
  EXPECT_EQ(own(first), firstThemed);
  ASSERT_EQ(invoke({"--host", second.folder, "apply", "[默认]"}).status, 0);
  auto withoutBackup = [](testing::Snapshot snapshot) {
    std::erase_if(snapshot, [](const auto& f) { return f.first.find("lumaset_BAK") != std::string::npos; });
    return snapshot;
  };
  EXPECT_EQ(withoutBackup(own(second)), secondOwn);
  EXPECT_EQ(own(first), firstThemed);
  CliRun nowhere = invoke({"--host", dir / "nowhere", "status"});
  EXPECT_EQ(nowhere.status, 1);
  EXPECT_NE(nowhere.err.find("这个文件夹里没有 Photoshop.exe"), std::string::npos) << nowhere.err;
}

}  // namespace
}  // namespace lumaset
