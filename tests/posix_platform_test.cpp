// What only the POSIX platform does: profile files in the encodings Windows writes them
// in, the on-disk spelling of paths, and the names of its temporary files.
#include <gtest/gtest.h>

#include <fstream>

#include "formats/utf.h"
#include "formats/work_names.h"
#include "platform/posix_file_io.h"
#include "platform/posix_files.h"
#include "support/temp_dir.h"

namespace lumaset {
namespace {

class PosixPlatform : public ::testing::Test {
 protected:
  PosixFiles files;
  testing::TempDir dir;
  void put(const std::string& name, const std::string& bytes) {
    std::ofstream(dir.path() / name, std::ios::binary) << bytes;
  }
};

TEST_F(PosixPlatform, ReadsProfilesInUtf16AndKeepsThatEncodingWhenWriting) {
  put("u16.ini", "\xFF\xFE" + utf8ToUtf16le("[lumaset]\r\nphotoshop=D:\\软件\\PS\\\r\n"));
  std::string ini = dir / "u16.ini";
  EXPECT_EQ(files.readProfileString(ini, "lumaset", "photoshop", ""), "D:\\软件\\PS\\");
  ASSERT_TRUE(files.writeProfileString(ini, "lumaset", "photoshop_var", "16.1"));
  Bytes raw = files.readFile(ini);
  EXPECT_EQ(raw.substr(0, 2), "\xFF\xFE");
  EXPECT_NE(utf16leToUtf8(raw.substr(2)).find("photoshop=D:\\软件\\PS\\"), std::string::npos);
}

TEST_F(PosixPlatform, ReadsProfilesInTheChineseCodePage) {
  // "作者=小明" in GBK, as a theme's info.ini from a Chinese Windows system.
  put("gbk.ini", "[info]\r\nauthor=\xD0\xA1\xC3\xF7\r\n");
  EXPECT_EQ(files.readProfileString(dir / "gbk.ini", "info", "author", ""), "小明");
}

TEST_F(PosixPlatform, ProfileValuesLoseSurroundingQuotesAndSpaces) {
  put("q.ini", "[s]\r\n  key =  \"quoted value\"  \r\nplain= x y \r\n");
  EXPECT_EQ(files.readProfileString(dir / "q.ini", "s", "key", ""), "quoted value");
  EXPECT_EQ(files.readProfileString(dir / "q.ini", "s", "plain", ""), "x y");
}

TEST_F(PosixPlatform, ResolvesTheOnDiskSpellingOfAPath) {
  std::filesystem::create_directories(dir.path() / "Host" / "Locales" / "zh_CN");
  put("Host/Photoshop.exe", "MZ");
  EXPECT_EQ(resolveExistingPath(dir / "host/PHOTOSHOP.exe"), dir / "Host/Photoshop.exe");
  EXPECT_EQ(resolveExistingPath(dir / "host/missing.exe"), "");
  EXPECT_EQ(resolvePathForWrite(dir / "HOST/locales/ZH_CN/new.dat"), dir / "Host/Locales/zh_CN/new.dat");
  EXPECT_EQ(resolvePathForWrite(dir / "nope/new.dat"), dir / "nope/new.dat");
}

TEST_F(PosixPlatform, TemporaryFilesBearTheNameALaterRunRemoves) {
  put("IconResources.idx", "old");
  std::vector<std::string> names;
  {
    posix::TempFile temporary(dir / "IconResources.idx");
    ASSERT_TRUE(temporary.ok());
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
  }
  ASSERT_EQ(names.size(), 2u);
  const std::string made = names[0] == "IconResources.idx" ? names[1] : names[0];
  EXPECT_EQ(made.rfind(temporaryNamePrefix("IconResources.idx"), 0), 0u) << made;
  EXPECT_TRUE(isTemporaryName(made)) << made;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / made));  // removed, never moved into place
}

}  // namespace
}  // namespace lumaset
