// The Windows command line's standard streams under wine: UTF-8 given in pieces reaches a
// console as whole characters, and a file or a pipe gets the bytes as they are.
#include "platform/win32_console.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/win32_scoped.h"
#include "platform/win32_text.h"
#include "support/temp_dir.h"

namespace lumaset {
namespace {

// An entry and a theme's name, with a character of each UTF-8 length ("é", "😀").
const std::string kConsoleText = "[当前]\n墨竹 é😀\r\n";

TEST(ConsoleText, PiecesCutInsideACharacterGiveTheWholeTextWithoutReplacements) {
  const std::wstring whole = toWide(kConsoleText);
  ASSERT_EQ(whole.find(L'\xFFFD'), std::wstring::npos);
  for (std::size_t first = 0; first <= kConsoleText.size(); ++first) {
    for (std::size_t second = first; second <= kConsoleText.size(); ++second) {
      win32::WidePieces pieces;
      std::wstring out = pieces.take(kConsoleText.substr(0, first));
      out += pieces.take(kConsoleText.substr(first, second - first));
      out += pieces.take(kConsoleText.substr(second));
      out += pieces.rest();
      EXPECT_EQ(out, whole) << first << " " << second;
    }
  }
  // A character that no piece finishes is one replacement at the end.
  win32::WidePieces pieces;
  EXPECT_EQ(pieces.take("a\xE5\xBD"), L"a");
  EXPECT_EQ(pieces.rest(), L"\xFFFD");
}

TEST(ConsoleText, AStreamRedirectedToAFileGetsTheBytesUnchanged) {
  testing::TempDir dir;
  const std::string path = dir / "out.txt";
  HANDLE saved = GetStdHandle(STD_OUTPUT_HANDLE);
  {
    win32::Handle file(CreateFileW(toWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file.ok());
    SetStdHandle(STD_OUTPUT_HANDLE, file.get());
    win32::StandardStream stream(win32::StandardStream::Which::Output);
    SetStdHandle(STD_OUTPUT_HANDLE, saved);
    EXPECT_FALSE(stream.console());
    // Cut inside "当" and inside "😀": a file takes the bytes as they come.
    EXPECT_TRUE(stream.write(kConsoleText.substr(0, 2)));
    EXPECT_TRUE(stream.write(kConsoleText.substr(2, 14)));
    EXPECT_TRUE(stream.write(kConsoleText.substr(16)));
    stream.flush();
  }
  std::ifstream in(testing::pathFromUtf8(path), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), kConsoleText);
}

}  // namespace
}  // namespace lumaset
