// A test's world: a sample host of a chosen version and layout in a temporary folder,
// a program folder beside it, the POSIX platform with a scripted interaction, and the
// run state; the paths of the host's files and its backups, and what they hold.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

#include "formats/utf.h"
#include "platform/posix_files.h"
#include "run/run_state.h"
#include "run/startup.h"
#include "support/fake_interaction.h"
#include "support/folder_snapshot.h"
#include "support/temp_dir.h"
#include "support/theme_maker.h"
#include "tools/sample_host/sample_host.h"

namespace lumaset::testing {

inline std::string stubExe(const std::string& name) {
  return std::string(LUMASET_STUB_DIR) + "/" + name + "/Photoshop.exe";
}

// The icon files of a four-pack host, by their names in Resources.
inline constexpr const char* kHostIconFiles[] = {"IconResources.idx", "PSIconsLowRes.dat", "PSIconsHighRes.dat",
                                                 "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"};

// The sample host a test starts on (see HostFixture::makeHost).
struct HostStart {
  std::string stub = "v16.1.2";
  std::string version = "16.1.2";
  bool fourPack = true;
  tools::HostShape shape = tools::HostShape::Sample;
  bool chinese = true;
};

// A theme in the library when a test starts: its files (name -> bytes) and info.ini.
struct StartTheme {
  std::string name;
  std::map<std::string, std::string> files;
  std::string info = kTestThemeInfo;
};

class HostFixture : public ::testing::Test {
 protected:
  TempDir dir;
  PosixFiles files;
  FakeInteraction ui;
  FakeView view;
  RunState state;
  std::string home = dir / "program";
  Context ctx{files, ui, view, state, home};
  tools::SampleHost host;

  void SetUp() override {
    view.ctx = &ctx;
    std::filesystem::create_directory(testing::pathFromUtf8(home));
    // A program folder a test makes read-only sends the data to the user's folder: a
    // folder of the test's own, never the user's real one.
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  }

  // Writes a sample host into <temp>/<folder>. Each kind of host is drawn once per test
  // program and copied from then on.
  tools::SampleHost& makeHost(const std::string& stub = "v16.1.2", const std::string& version = "16.1.2",
                              bool fourPack = true, const std::string& folder = "PS",
                              tools::HostShape shape = tools::HostShape::Sample, bool chinese = true) {
    const tools::SampleHost& original = cachedHost(stub, version, fourPack, shape, chinese);
    std::string target = dir / folder;
    std::filesystem::copy(testing::pathFromUtf8(original.folder), testing::pathFromUtf8(target),
                          std::filesystem::copy_options::recursive);
    host = original;
    for (std::string* path : {&host.folder, &host.exePath, &host.indexPath, &host.languageFolder, &host.languageFile})
      path->replace(0, original.folder.size(), target);
    return host;
  }

  static const tools::SampleHost& cachedHost(const std::string& stub, const std::string& version, bool fourPack,
                                             tools::HostShape shape, bool chinese) {
    static TempDir cacheDir;
    static std::map<std::string, tools::SampleHost> cache;
    std::string key = stub + "-" + version + (fourPack ? "-four" : "-two") + "-" +
                      std::to_string(static_cast<int>(shape)) + (chinese ? "" : "-other");
    auto found = cache.find(key);
    if (found != cache.end()) return found->second;
    tools::SampleHostOptions options;
    options.folder = cacheDir / key;
    options.stubExe = stubExe(stub);
    options.version = version;
    options.fourPack = fourPack;
    options.shape = shape;
    options.chinese = chinese;
    tools::SampleHost made;
    std::string error;
    EXPECT_TRUE(tools::writeSampleHost(options, made, error)) << error;
    return cache.emplace(key, made).first->second;
  }

  // The themes that startOn writes into the library; a fixture names its own.
  std::vector<StartTheme> startThemes;

  // Writes startThemes and a sample host, and locates the host as on a first start (its
  // Photoshop.exe picked in the dialog), with what the start showed (boxes, looks) cleared.
  tools::SampleHost& startOn(const HostStart& start = {}) {
    for (const StartTheme& theme : startThemes) writeTheme(home, theme.name, theme.files, theme.info);
    makeHost(start.stub, start.version, start.fourPack, "PS", start.shape, start.chinese);
    ui.answers.push_back(host.exePath);
    runStartup(ctx);
    ui.boxes.clear();
    view.looks.clear();
    return host;
  }

  // A file of the host's Resources folder, of the backup there (lumaset_BAK) and of the
  // backup in Locales_BAK.
  std::string res(const std::string& file) const { return host.folder + "/Resources/" + file; }
  std::string bak(const std::string& file) const { return host.folder + "/Resources/lumaset_BAK/" + file; }
  std::string langBak(const std::string& file) const { return host.folder + "/Locales_BAK/lumaset_BAK/" + file; }

  // The host's icon files by name and its language file as "language", with their bytes.
  Snapshot hostFiles() const {
    Snapshot all;
    for (const char* file : kHostIconFiles) all[file] = readWhole(res(file));
    all["language"] = readWhole(host.languageFile);
    return all;
  }

  // Removes both copies of the backup's record, as if they were lost: the program then
  // judges the host's files by their bytes.
  void forgetRecord() {
    for (const char* at : {"/Resources/lumaset_BAK/lumaset.record", "/Locales_BAK/lumaset_BAK/lumaset.record"})
      std::filesystem::remove(testing::pathFromUtf8(host.folder + at));
  }

  // The files of a later release laid over the host: a sample host drawn with other pack
  // sizes, so that its index and packs differ throughout; its language file has a key more.
  void updateHost(const std::vector<std::string>& updated) {
    static TempDir releaseDir;
    static tools::SampleHost release;
    if (release.folder.empty()) {
      tools::SampleHostOptions options;
      options.folder = releaseDir / "release";
      options.stubExe = stubExe("v16.1.2");
      for (std::uint64_t& pad : options.packPadding) pad = 5000;
      std::string error;
      ASSERT_TRUE(tools::writeSampleHost(options, release, error)) << error;
    }
    for (const std::string& f : updated) {
      if (f == "language") {
        testing::writeFile(host.languageFile, host.languageBytes + utf8ToUtf16le("\r\n\"$$$/Update/Key=新版\""));
      } else if (f == "Photoshop.exe") {
        std::filesystem::copy_file(stubExe("v17.0.1"), host.exePath, std::filesystem::copy_options::overwrite_existing);
      } else {
        std::filesystem::copy_file(release.folder + "/Resources/" + f, res(f),
                                   std::filesystem::copy_options::overwrite_existing);
      }
    }
  }

  std::string settings(const std::string& key, const std::string& def = "<missing>") {
    return files.readProfileString(ctx.settingsFile(), "lumaset", key, def);
  }
  void writeSettings(const std::string& text) {
    std::ofstream(testing::pathFromUtf8(ctx.settingsFile()), std::ios::binary) << text;
  }
  std::string hostFolder() const { return host.folder + "/"; }
};

}  // namespace lumaset::testing
