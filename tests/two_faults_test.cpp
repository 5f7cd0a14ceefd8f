// The way back with two faults at once: every pair of a backup file lost or damaged, a
// record lost, stale, re-signed, or a backup from another installation, on a themed host.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <set>

#include "backup/host_look.h"
#include "backup/refresh_backup.h"
#include "edits/backup_record.h"
#include "formats/sha256.h"
#include "run/host_location.h"
#include "support/host_fixture.h"
#include "support/theme_maker.h"
#include "themes/apply.h"

namespace lumaset {
namespace {

using testing::readWhole;
using testing::RecordedBox;
using testing::writeFile;
namespace fs = std::filesystem;

using testing::kDone;

class TwoFaults : public testing::HostFixture {
 protected:
  TwoFaults() {
    std::map<std::string, std::string> sakura = testing::sixImages();
    sakura["word.text"] = "SAKURA";
    startThemes = {{"Sakura", sakura, testing::kHidingThemeInfo}};
  }
  std::vector<RecordedBox> apply(const std::string& entry) {
    ui.boxes.clear();
    ui.shown(applyFromThemeList(ctx, entry, true));
    return ui.boxes;
  }
  std::vector<RecordedBox> refresh() {
    ui.boxes.clear();
    ui.shown(refreshBackup(ctx));
    return ui.boxes;
  }

  // Which host files' original bytes stand in some file below the host's folder. Only a
  // file of an original's size can hold it: no other is read.
  std::set<std::string> originalsOnDisk(const std::map<std::string, std::string>& originals) {
    std::set<std::string> hashes, found;
    std::set<std::uintmax_t> sizes;
    for (const auto& [file, bytes] : originals) sizes.insert(bytes.size());
    for (const auto& entry : fs::recursive_directory_iterator(testing::pathFromUtf8(dir / "PS")))
      if (entry.is_regular_file() && sizes.count(entry.file_size()))
        hashes.insert(sha256Hex(readWhole(entry.path().string())));
    for (const auto& [file, bytes] : originals)
      if (hashes.count(sha256Hex(bytes))) found.insert(file);
    return found;
  }

  // The backup folders of another installation (a host drawn with other packs), made once.
  std::string anotherInstallationsBackup() {
    static testing::TempDir otherDir;
    tools::SampleHostOptions options;
    options.folder = otherDir / "other";
    options.stubExe = testing::stubExe("v16.1.2");
    for (std::uint64_t& pad : options.packPadding) pad = 3000;
    tools::SampleHost other;
    std::string error;
    EXPECT_TRUE(tools::writeSampleHost(options, other, error)) << error;
    RunState otherState;
    const std::string otherHome = otherDir / "program";
    fs::create_directory(testing::pathFromUtf8(otherHome));
    Context otherCtx{files, ui, view, otherState, otherHome};
    ui.answers.push_back(other.exePath);
    runStartup(otherCtx);
    ui.shown(refreshBackup(otherCtx));
    ui.boxes.clear();
    return other.folder;
  }

  // One fault of the two-fault test, done to the themed host.
  void harm(const std::string& fault, const std::string& oldRecord, const std::string& foreign) {
    if (fault.rfind("lost ", 0) == 0) {
      fs::remove_all(testing::pathFromUtf8(host.folder + fault.substr(5)));
    } else if (fault.rfind("flipped ", 0) == 0) {
      const std::string path = host.folder + fault.substr(8);
      if (!fs::is_regular_file(testing::pathFromUtf8(path))) return;
      std::string bytes = readWhole(path);
      bytes[bytes.size() / 2] ^= 0x01;
      writeFile(path, bytes);
    } else if (fault.rfind("cut ", 0) == 0) {
      const std::string path = host.folder + fault.substr(4);
      if (fs::is_regular_file(testing::pathFromUtf8(path)))
        fs::resize_file(testing::pathFromUtf8(path), fs::file_size(testing::pathFromUtf8(path)) - 7);
    } else if (fault == "set aside") {  // both backup folders renamed as set-aside copies
      for (const char* folder : {"/Resources/lumaset_BAK", "/Locales_BAK/lumaset_BAK"}) {
        if (fs::exists(testing::pathFromUtf8(host.folder + folder)))
          fs::rename(testing::pathFromUtf8(host.folder + folder), testing::pathFromUtf8(host.folder + folder + "_old"));
      }
    } else if (fault == "old record") {
      std::optional<BackupRecord> record = parseRecord(oldRecord);
      ASSERT_TRUE(record);
      record->generation = 1000;
      writeFile(langBak("lumaset.record"), serialiseRecord(*record));
    } else if (fault == "re-signed") {
      for (const std::string& path : {bak("lumaset.record"), langBak("lumaset.record")}) {
        std::optional<BackupRecord> record = parseRecord(readWhole(path));
        if (!record) continue;
        for (auto& [key, copy] : record->backups) {
          const std::string bytes = readWhole(key == "language" ? host.languageFile : res(key));
          copy.size = bytes.size();
          copy.sha256 = sha256Hex(bytes);
        }
        writeFile(path, serialiseRecord(*record));
      }
    } else if (fault == "foreign") {
      for (const char* folder : {"/Resources/lumaset_BAK", "/Locales_BAK/lumaset_BAK"}) {
        fs::remove_all(testing::pathFromUtf8(host.folder + folder));
        fs::copy(testing::pathFromUtf8(foreign + folder), testing::pathFromUtf8(host.folder + folder),
                 fs::copy_options::recursive);
      }
    }
  }
};

// Two faults at once on a themed host, every pair of: each backup file lost, each
// flipped by one bit, each pack copy cut short, the language folder's record copy from
// before the apply with a higher generation, both record copies re-signed with the themed
// files' hashes, both backup folders taken from another installation, and both renamed
// as set-aside copies. "[默认]" (and "备份" when its
// message asks for it) either gives the host's own bytes or refuses; it never says done
// over other bytes, and every original that was on disk before is on disk after.
// The pairs are dealt out to shards that run side by side.
constexpr std::size_t kShards = 4;
class AnyTwoFaults : public TwoFaults, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(AnyTwoFaults, LoseNoOriginalAndNeverFalselySucceed) {
  const std::vector<std::string> backupFiles = {
      "/Resources/lumaset_BAK/IconResources.idx",   "/Resources/lumaset_BAK/PSIconsLowRes.dat",
      "/Resources/lumaset_BAK/PSIconsHighRes.dat",  "/Resources/lumaset_BAK/PSIconsXLowRes.dat",
      "/Resources/lumaset_BAK/PSIconsXHighRes.dat", "/Resources/lumaset_BAK/tw10428.dat",
      "/Resources/lumaset_BAK/lumaset.record",      "/Locales_BAK/lumaset_BAK/tw10428.dat",
      "/Locales_BAK/lumaset_BAK/IconResources.idx", "/Locales_BAK/lumaset_BAK/lumaset.record"};
  std::vector<std::string> faults;
  for (const std::string& f : backupFiles) {
    faults.insert(faults.end(), {"lost " + f, "flipped " + f});
    if (f.ends_with(".dat") && f.find("/PSIcons") != std::string::npos) faults.push_back("cut " + f);
  }
  faults.insert(faults.end(), {"old record", "re-signed", "foreign", "set aside"});
  std::string foreignFolder;  // another installation's backup folders, made once
  int restored = 0;
  std::vector<std::string> refused;
  std::size_t pair = 0;
  for (std::size_t i = 0; i < faults.size(); ++i) {
    for (std::size_t j = i + 1; j < faults.size(); ++j) {
      if (pair++ % kShards != GetParam()) continue;
      SCOPED_TRACE(faults[i] + " + " + faults[j]);
      fs::remove_all(testing::pathFromUtf8(dir / "PS"));
      startOn();
      const auto original = hostFiles();
      const std::vector<RecordedBox> first = refresh();  // the first backup, said
      ASSERT_EQ(first.size(), 1u);
      ASSERT_EQ(first[0].text.rfind("备份完成", 0), 0u) << first[0].text;
      const std::string oldRecord = readWhole(langBak("lumaset.record"));
      ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
      if (foreignFolder.empty()) foreignFolder = anotherInstallationsBackup();
      for (const std::string& fault : {faults[i], faults[j]}) harm(fault, oldRecord, foreignFolder);
      const std::set<std::string> before = originalsOnDisk(original);
      std::vector<RecordedBox> boxes = apply("[默认]");
      if (boxes != std::vector<RecordedBox>{kDone} && !boxes.empty() &&
          boxes.back().text.find("请先点“备份”") != std::string::npos) {
        refresh();
        boxes = apply("[默认]");
      }
      if (boxes == std::vector<RecordedBox>{kDone}) {
        EXPECT_EQ(hostFiles(), original);
        ++restored;
      } else {
        EXPECT_TRUE(std::find(boxes.begin(), boxes.end(), kDone) == boxes.end());
        refused.push_back(faults[i] + " + " + faults[j] + ": " + (boxes.empty() ? "" : boxes.back().text));
      }
      if (carriedLook(ctx).kind == LookKind::Own) {
        EXPECT_EQ(hostFiles(), original);
      }
      const std::set<std::string> after = originalsOnDisk(original);
      EXPECT_TRUE(std::includes(after.begin(), after.end(), before.begin(), before.end()));
    }
  }
  std::cout << "two faults: " << restored << " restored, " << refused.size() << " refused\n";
  for (const std::string& refusal : refused) std::cout << "  refused: " << refusal << "\n";
}
INSTANTIATE_TEST_SUITE_P(Shard, AnyTwoFaults, ::testing::Range<std::size_t>(0, kShards));

// A backup whose record names another folder is refused only when the host's files were
// not made from its copies: a moved installation keeps its way back.
TEST_F(TwoFaults, AMovedInstallationKeepsItsBackupAndAForeignOneIsRefused) {
  startOn();
  const auto original = hostFiles();
  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  fs::rename(testing::pathFromUtf8(dir / "PS"), testing::pathFromUtf8(dir / "Moved"));
  for (std::string* path : {&host.folder, &host.exePath, &host.indexPath, &host.languageFolder, &host.languageFile})
    path->replace(0, (dir / "PS").size(), dir / "Moved");
  ui.answers.push_back(host.exePath);
  Outcome located;
  locateHost(ctx, located);
  ui.shown(located);
  EXPECT_EQ(apply("[默认]"), std::vector<RecordedBox>{kDone});
  EXPECT_EQ(hostFiles(), original);

  ASSERT_EQ(apply("Sakura"), std::vector<RecordedBox>{kDone});
  const std::string other = anotherInstallationsBackup();
  for (const char* folder : {"/Resources/lumaset_BAK", "/Locales_BAK/lumaset_BAK"}) {
    fs::remove_all(testing::pathFromUtf8(host.folder + folder));
    fs::copy(testing::pathFromUtf8(other + folder), testing::pathFromUtf8(host.folder + folder),
             fs::copy_options::recursive);
  }
  const auto themed = hostFiles();
  for (const std::vector<RecordedBox>& boxes : {apply("[默认]"), refresh()}) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("这份备份属于另一个 Photoshop（", 0), 0u);
  }
  EXPECT_EQ(hostFiles(), themed);
}

}  // namespace
}  // namespace lumaset
