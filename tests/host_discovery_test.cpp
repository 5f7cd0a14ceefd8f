// Host discovery on a wine prefix that each test builds: the registry's two views, the
// Program Files folders, one host named by several places, newest first, and the places
// that name no host.
#include <gtest/gtest.h>

#include "messages/catalogue.h"
#include "platform/posix_files.h"
#include "run/host_discovery.h"
#include "support/host_fixture.h"
#include "support/wine_prefix.h"

namespace lumaset {
namespace {

using testing::applicationPathKey;
using testing::FakeWinePrefix;
using testing::stubExe;

class HostDiscovery : public ::testing::Test {
 protected:
  testing::TempDir dir;
  PosixFiles files;
  FakeWinePrefix prefix{dir / "prefix"};

  std::vector<FoundHost> discover() {
    std::unique_ptr<HostPlaces> places = makeWinePrefixPlaces(files, prefix.folder());
    return discoverHosts(files, *places).hosts;
  }
};

TEST_F(HostDiscovery, EachHostOnceNewestFirstWithEveryPlaceThatNamedIt) {
  // CC 2015 is registered in the 64-bit view and lies in Program Files; CC 2017 lies in
  // Program Files (x86) with a lower-case file name; release 19 is registered in the
  // 32-bit view on drive D.
  const std::string cc2015 = prefix.onDriveC("Program Files/Adobe/Adobe Photoshop CC 2015");
  const std::string cc2017 = prefix.onDriveC("Program Files (x86)/Adobe/Adobe Photoshop CC 2017");
  FakeWinePrefix::placeExe(cc2015, stubExe("v16.1.2"));
  FakeWinePrefix::placeExe(cc2017, stubExe("v18.0.0"), "photoshop.exe");
  FakeWinePrefix::placeExe(dir / "drive-d/PS19", stubExe("v19.1"));
  prefix.linkDrive('d', dir / "drive-d");
  prefix.writeSystemReg(
      applicationPathKey("Software\\Adobe\\Photoshop\\90.0", "C:\\Program Files\\Adobe\\Adobe Photoshop CC 2015\\") +
      applicationPathKey("Software\\Wow6432Node\\Adobe\\Photoshop\\110.0", "D:\\PS19\\"));

  const std::vector<FoundHost> hosts = discover();
  ASSERT_EQ(hosts.size(), 3u);
  const std::string release19 = prefix.folder() + "/dosdevices/d:/PS19/";
  EXPECT_EQ(hosts[0].folder, release19);
  EXPECT_EQ(hosts[0].exe, release19 + "Photoshop.exe");
  EXPECT_EQ(hosts[0].productVersion, "19.1");
  EXPECT_EQ(hosts[0].foundAt,
            (std::vector<HostPlace>{{PlaceKind::Registry32, release19.substr(0, release19.size() - 1), "110.0"}}));
  EXPECT_EQ(hosts[1].exe, cc2017 + "/photoshop.exe");  // the name as the folder lists it
  EXPECT_EQ(hosts[1].productVersion, "18.0.0");
  EXPECT_EQ(hosts[1].foundAt,
            (std::vector<HostPlace>{{PlaceKind::ProgramFilesX86, prefix.onDriveC("Program Files (x86)"), ""}}));
  EXPECT_EQ(hosts[2].folder, cc2015 + "/");
  EXPECT_EQ(hosts[2].productVersion, "16.1.2");
  EXPECT_EQ(hosts[2].foundAt,
            (std::vector<HostPlace>{{PlaceKind::Registry64, cc2015, "90.0"},
                                    {PlaceKind::ProgramFiles, prefix.onDriveC("Program Files"), ""}}));
}

TEST_F(HostDiscovery, OtherSpellingsOfOneFolderAreOneHost) {
  const std::string cc2015 = prefix.onDriveC("Program Files/Adobe/Adobe Photoshop CC 2015");
  FakeWinePrefix::placeExe(cc2015, stubExe("v16.1.2"));
  std::filesystem::create_directory_symlink(testing::pathFromUtf8(cc2015),
                                            testing::pathFromUtf8(prefix.onDriveC("PS-link")));
  prefix.writeSystemReg(
      applicationPathKey("Software\\Adobe\\Photoshop\\90.0", "c:\\program files\\ADOBE\\adobe photoshop cc 2015") +
      applicationPathKey("Software\\Wow6432Node\\Adobe\\Photoshop\\90.0", "C:\\PS-link\\\\"));
  const std::vector<FoundHost> hosts = discover();
  ASSERT_EQ(hosts.size(), 1u);
  EXPECT_EQ(hosts[0].foundAt.size(), 3u);
  EXPECT_EQ(hosts[0].foundAt[1].kind, PlaceKind::Registry32);
  EXPECT_EQ(hosts[0].foundAt[2].kind, PlaceKind::ProgramFiles);
}

TEST_F(HostDiscovery, PlacesWithoutPhotoshopExeAreSkipped) {
  const std::string adobe = prefix.onDriveC("Program Files/Adobe/");
  std::filesystem::create_directories(testing::pathFromUtf8(adobe + "Adobe Photoshop 2020"));  // uninstalled
  std::filesystem::create_directories(testing::pathFromUtf8(adobe + "Adobe Photoshop 2021/Photoshop.exe"));
  FakeWinePrefix::placeExe(adobe + "Adobe Photoshop Lightroom", stubExe("v18.0.0"), "Lightroom.exe");
  FakeWinePrefix::placeExe(adobe + "Adobe Acrobat", stubExe("v18.0.0"));  // not a Photoshop folder
  FakeWinePrefix::placeExe(adobe + "adobe photoshop beta", stubExe("no-version"));
  prefix.writeSystemReg(
      applicationPathKey("Software\\Adobe\\Photoshop\\100.0", "C:\\Program Files\\Adobe\\Adobe Photoshop 2020\\") +
      applicationPathKey("Software\\Adobe\\Photoshop\\110.0", "Adobe\\Adobe Acrobat\\") +
      applicationPathKey("Software\\Adobe\\Photoshop\\120.0", "C:\\Nowhere\\"));
  const std::vector<FoundHost> hosts = discover();
  ASSERT_EQ(hosts.size(), 1u);
  EXPECT_EQ(hosts[0].folder, adobe + "adobe photoshop beta/");
  EXPECT_EQ(hosts[0].productVersion, "");
}

TEST_F(HostDiscovery, ProgramFilesAsTheRegistryNamesThem) {
  // A prefix whose Program Files folder has another name; without a hive, wine's defaults.
  FakeWinePrefix::placeExe(prefix.onDriveC("Programme/Adobe/Adobe Photoshop CS6"), stubExe("v15.9"));
  FakeWinePrefix::placeExe(prefix.onDriveC("Program Files/Adobe/Adobe Photoshop CC 2015"), stubExe("v16.1.2"));
  std::vector<FoundHost> hosts = discover();
  ASSERT_EQ(hosts.size(), 1u);
  EXPECT_EQ(hosts[0].productVersion, "16.1.2");
  prefix.writeSystemReg(
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1\n\"ProgramFilesDir\"=\"C:\\\\Programme\"\n");
  hosts = discover();
  ASSERT_EQ(hosts.size(), 1u);
  EXPECT_EQ(hosts[0].productVersion, "15.9");
}

TEST_F(HostDiscovery, NoPrefixNoHosts) {
  EXPECT_TRUE(discoverHosts(files, *makeWinePrefixPlaces(files, dir / "missing")).hosts.empty());
  EXPECT_TRUE(discover().empty());
}

// A prefix grown past reason is read only so far, and the search says where it stopped:
// the registry values past the limit are passed over (a host there is not found), and a
// system.reg too large is not read while the Program Files folders still are.
TEST_F(HostDiscovery, LimitsOfThePrefixAreKeptAndTold) {
  const std::string first = prefix.onDriveC("PS/First");
  const std::string last = prefix.onDriveC("PS/Last");
  FakeWinePrefix::placeExe(first, stubExe("v16.1.2"));
  FakeWinePrefix::placeExe(last, stubExe("v18.0.0"));
  std::string keys = applicationPathKey("Software\\Adobe\\Photoshop\\0.0", "C:\\PS\\First\\");
  for (std::size_t i = 1; i < kMaxRegistryPlaces + 3; ++i)
    keys += applicationPathKey("Software\\Adobe\\Photoshop\\" + std::to_string(i) + ".0",
                               "C:\\PS\\Missing" + std::to_string(i) + "\\");
  keys += applicationPathKey("Software\\Adobe\\Photoshop\\999.0", "C:\\PS\\Last\\");
  prefix.writeSystemReg(keys);
  std::unique_ptr<HostPlaces> places = makeWinePrefixPlaces(files, prefix.folder());
  Discovery found = discoverHosts(files, *places);
  ASSERT_EQ(found.hosts.size(), 1u);
  EXPECT_EQ(found.hosts[0].folder, first + "/");
  EXPECT_EQ(found.limits, (std::vector<Report>{{MessageId::RegistryPlacesCut, "", "4"}}));
  EXPECT_EQ(messageFor(found.limits[0]).text,
            "注册表中登记的 Photoshop 位置太多，只查看了前 256 个，另有 4 个未查看。");

  // A file of the limit's size is read; one byte more is not (a sparse file: no disk is used).
  const std::string hive = prefix.folder() + "/system.reg";
  FakeWinePrefix::placeExe(prefix.onDriveC("Program Files/Adobe/Adobe Photoshop CC 2015"), stubExe("v16.1.2"));
  prefix.writeSystemReg("");
  std::filesystem::resize_file(testing::pathFromUtf8(hive), kMaxRegistryFileBytes);
  EXPECT_TRUE(discoverHosts(files, *places).limits.empty());
  std::filesystem::resize_file(testing::pathFromUtf8(hive), kMaxRegistryFileBytes + 1);
  found = discoverHosts(files, *places);
  ASSERT_EQ(found.hosts.size(), 1u);
  EXPECT_EQ(found.hosts[0].foundAt[0].kind, PlaceKind::ProgramFiles);
  EXPECT_EQ(found.limits, (std::vector<Report>{{MessageId::RegistryFileTooLarge, hive, ""}}));
  EXPECT_EQ(messageFor(found.limits[0]).text,
            "wine 的注册表文件超过 64 MiB，没有读取，其中登记的 Photoshop 位置都未查看：" + hive);
}

}  // namespace
}  // namespace lumaset
