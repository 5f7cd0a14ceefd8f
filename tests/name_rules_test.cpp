// Names and stored paths from outside the program: what may become one folder of the
// theme library or a stored host path, and what may not.
#include <gtest/gtest.h>

#include "run/name_rules.h"

namespace lumaset {
namespace {

TEST(PlainName, OrdinaryThemeNamesPass) {
  for (const char* name : {"Ink", "Sakura.blue", "墨竹", "a b", ".hidden", "COM10", "LPT", "CONSOLE", "NULL",
                           "AUXILIARY", "COM¹0", "con-x", "[默认]", "..a"}) {
    EXPECT_TRUE(isPlainName(name)) << name;
  }
}

TEST(PlainName, NamesThatLeaveTheirFolderOrThatWindowsRefuses) {
  for (const char* name : {"",   ".",   "..",  "...", "a/b",  "a\\b",      "/",     "C:",    "a:b",   "a*",
                           "a?", "a|b", "a<b", "a>b", "a\"b", "tab\there", "ends.", "ends ", "..\\x", "../x"}) {
    EXPECT_FALSE(isPlainName(name)) << name;
  }
}

TEST(PlainName, ReservedDeviceNamesInAnyCaseAndWithAnyExtension) {
  for (const char* name : {"CON", "con", "Prn", "AUX", "nul", "NUL.txt", "nul .zip", "COM1", "com9.dll", "COM0", "LPT1",
                           "lpt9", "LPT0.x.y", "COM¹", "com²", "LPT³", "lpt¹.txt", "CONIN$", "conout$.x"}) {
    EXPECT_FALSE(isPlainName(name)) << name;
  }
}

TEST(AbsolutePath, WindowsDrivesAndSharesWithoutDottedParts) {
  for (const char* path : {"C:\\", "D:\\PS\\", "D:\\Program Files\\Adobe\\Photoshop CC 2015\\",
                           "D:\\PS\\Locales\\zh_CN\\Support Files", "\\\\nas\\apps\\PS\\", "e:/PS/"}) {
    EXPECT_TRUE(isAbsolutePath(path, '\\')) << path;
  }
  for (const char* path : {"", "\\", "PS\\", "..\\..\\x", "C:", "C:PS\\", "\\PS\\", "\\\\nas", "\\\\nas\\",
                           "D:\\PS\\..\\..\\Windows\\", "D:\\PS\\.\\", "\\\\?\\C:\\PS\\", "D:\\P<S\\", "/usr/local/"}) {
    EXPECT_FALSE(isAbsolutePath(path, '\\')) << path;
  }
}

TEST(AbsolutePath, PosixRootedWithoutDottedParts) {
  for (const char* path : {"/", "/opt/PS/", "/home/u/.wine/drive_c/Program Files/Adobe/", "//PS//Locales//x"}) {
    EXPECT_TRUE(isAbsolutePath(path, '/')) << path;
  }
  for (const char* path : {"", "PS/", "../../victim", "./PS", "/opt/PS/../../etc", "/opt/./PS", "C:\\PS\\"}) {
    EXPECT_FALSE(isAbsolutePath(path, '/')) << path;
  }
}

TEST(PartWindowsRenames, NamesThePathUpToTheFirstPartEndingInADotOrASpace) {
  EXPECT_EQ(partWindowsRenames("D:\\PS..\\Photoshop\\", '\\'), "D:\\PS..");
  EXPECT_EQ(partWindowsRenames("D:\\Adobe \\PS.\\", '\\'), "D:\\Adobe ");
  EXPECT_EQ(partWindowsRenames("D:/Adobe/PS./", '\\'), "D:/Adobe/PS.");  // either slash separates on Windows
  EXPECT_EQ(partWindowsRenames("\\\\nas\\apps.\\PS", '\\'), "\\\\nas\\apps.");
  EXPECT_EQ(partWindowsRenames("/home/u/.wine/drive_c/PS../", '/'), "/home/u/.wine/drive_c/PS..");
  EXPECT_EQ(partWindowsRenames("/opt/PS /x", '/'), "/opt/PS ");
}

TEST(PartWindowsRenames, NamesThatKeepTheirEndsPass) {
  for (const char* path :
       {"D:\\PS\\", "D:\\.hidden\\..\\PS\\.\\", "D:\\Photoshop CC 2015.5\\x", "C:\\", "", "\\\\nas\\apps\\PS\\"}) {
    EXPECT_EQ(partWindowsRenames(path, '\\'), "") << path;
  }
  // On POSIX a backslash is part of a name, and only what ends a part counts.
  EXPECT_EQ(partWindowsRenames("/opt/a.\\b/", '/'), "");
  EXPECT_EQ(partWindowsRenames("/opt/./PS/../x/", '/'), "");
  EXPECT_EQ(partWindowsRenames("/opt/PS.x/x", '/'), "");
}

}  // namespace
}  // namespace lumaset
