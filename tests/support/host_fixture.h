// A test's world: a sample host of a chosen version and layout in a temporary folder,
// a program folder beside it, the POSIX platform with a scripted interaction, and the
// run state.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "app/run_state.h"
#include "platform/posix_files.h"
#include "support/fake_interaction.h"
#include "support/temp_dir.h"
#include "tools/sample_host/sample_host.h"

namespace lumaset::testing {

inline std::string stubExe(const std::string& name) {
  return std::string(LUMASET_STUB_DIR) + "/" + name + "/Photoshop.exe";
}

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

  void SetUp() override { std::filesystem::create_directory(testing::pathFromUtf8(home)); }

  // Writes a sample host into <temp>/<folder>.
  tools::SampleHost& makeHost(const std::string& stub = "v16.1.2", const std::string& version = "16.1.2",
                              bool fourPack = true, const std::string& folder = "PS") {
    tools::SampleHostOptions options;
    options.folder = dir / folder;
    options.stubExe = stubExe(stub);
    options.version = version;
    options.fourPack = fourPack;
    std::string error;
    EXPECT_TRUE(tools::writeSampleHost(options, host, error)) << error;
    return host;
  }

  std::string settings(const std::string& key, const std::string& def = "<missing>") {
    return files.readProfileString(ctx.settingsFile(), "lumaset", key, def);
  }
};

}  // namespace lumaset::testing
