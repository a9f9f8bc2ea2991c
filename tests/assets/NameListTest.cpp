// dat/name.dat: 255 names of 2 to 9 full-width letters from the name tiles, CP932, CR LF.
#include "GeneratedFiles.h"

#include "platform/core/Cp932.h"

#include <gtest/gtest.h>
#include <set>

namespace assettest {
namespace {

TEST(NameList, HasTwoHundredFiftyFiveCrLfLines) {
  const std::string bytes = readBytes(datFile("name.dat"));
  ASSERT_FALSE(bytes.empty());
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "the last line is ended too";
  int lines = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ++lines;
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
    } else if (bytes[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
    }
  }
  EXPECT_EQ(lines, 255);
}

TEST(NameList, NamesUseOnlyTheTileLettersFullWidthInCp932) {
  const std::string bytes = readBytes(datFile("name.dat"));
  const std::u16string tiles = u"ＡＣＤＥＧＩＫＬＭＮＯＰＱＲＳＴＵＹ";
  std::set<std::string> distinct;
  std::size_t start = 0;
  int checked = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    ASSERT_NE(end, std::string::npos);
    const std::string cp932 = bytes.substr(start, end - start);
    start = end + 2;
    ++checked;
    // Each full-width capital is two bytes, 0x82 then 0x60 + letter.
    ASSERT_EQ(cp932.size() % 2, 0u) << "line " << checked;
    const std::size_t letters = cp932.size() / 2;
    EXPECT_GE(letters, 2u) << "line " << checked;
    EXPECT_LE(letters, 9u) << "line " << checked;
    for (std::size_t i = 0; i < cp932.size(); i += 2) {
      EXPECT_EQ(static_cast<std::uint8_t>(cp932[i]), 0x82) << "line " << checked;
      const char16_t letter = static_cast<char16_t>(u'Ａ' + (static_cast<std::uint8_t>(cp932[i + 1]) - 0x60));
      EXPECT_NE(tiles.find(letter), std::u16string::npos) << "line " << checked << " byte " << i;
    }
    // The platform's own converter reads it back as the same letters.
    const auto utf8 = platform::cp932ToUtf8(cp932);
    ASSERT_TRUE(utf8.has_value()) << "line " << checked;
    EXPECT_EQ(platform::cp932Length(*utf8), cp932.size());
    distinct.insert(cp932);
  }
  EXPECT_EQ(checked, 255);
  EXPECT_EQ(distinct.size(), 255u) << "no name is listed twice";
}

}  // namespace
}  // namespace assettest
