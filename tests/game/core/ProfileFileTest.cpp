#include "game/core/ProfileFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "ProfilePrinter.h"
#include "TempFolder.h"
#include "platform/core/Cp932.h"

namespace {

using game::decodeProfile;
using game::encodeProfile;
using game::tmy;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::string cp932(const std::string& utf8) { return platform::utf8ToCp932(utf8).value(); }

// my.dat text from 22 lines, each ended by CR LF.
std::string fileOf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

std::vector<std::string> linesOf(const tmy& p) {
  std::vector<std::string> lines;
  std::string bytes = encodeProfile(p);
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find("\r\n", start);
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

tmy sampleProfile() {
  tmy p;
  for (std::size_t i = 0; i < p.reserved.size(); ++i) p.reserved[i] = static_cast<std::int32_t>(101 + i);
  p.playerName = "ＡＣＥ";
  p.birthMonth = 3;
  p.birthDay = 15;
  p.playerSex = 2;
  p.readingCount = 7;
  p.compatCount = 9;
  return p;
}

TEST(ProfileEncoding, WritesTheTwentyTwoLinesInFileOrder) {
  std::vector<std::string> expected = {"101", "102", cp932("ＡＣＥ")};
  for (int r = 103; r <= 116; ++r) expected.push_back(std::to_string(r));
  for (const char* v : {"3", "15", "2", "7", "9"}) expected.push_back(v);
  EXPECT_EQ(encodeProfile(sampleProfile()), fileOf(expected));
}

TEST(ProfileEncoding, RoundTripIsByteIdentical) {
  struct Case {
    const char* what;
    std::function<void(tmy&)> change;
  };
  const Case cases[] = {
      {"sample", [](tmy&) {}},
      {"empty name", [](tmy& p) { p.playerName.clear(); }},
      {"zeros", [](tmy& p) { p = tmy{}; }},
      {"negative numbers", [](tmy& p) {
         p.birthMonth = -1;
         p.readingCount = kMin;
         p.reserved[0] = -42;
         p.reserved[15] = kMin + 1;
       }},
      {"largest numbers", [](tmy& p) {
         p.compatCount = kMax;
         p.reserved[7] = kMax;
       }},
      {"half-width name", [](tmy& p) { p.playerName = "ﾁｬﾐｰアｱ"; }},
      {"nine letters", [](tmy& p) { p.playerName = "ＡＢＣＤＥＦＧＨＩ"; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tmy original = sampleProfile();
    c.change(original);
    const std::string bytes = encodeProfile(original);

    tmy loaded;
    auto result = decodeProfile(bytes, loaded);
    EXPECT_FALSE(result.damaged);
    EXPECT_TRUE(result.problems.empty());
    EXPECT_EQ(loaded, original);
    EXPECT_EQ(encodeProfile(loaded), bytes);
    EXPECT_EQ(linesOf(loaded).size(), 22u);
  }
}

TEST(ProfileEncoding, NameLosesOnlyWhatCannotBeWrittenOnItsLine) {
  tmy p;
  p.playerName = "Ａ\r\nＢ\xF0\x9F\x98\x80Ｃ";  // a line break and a character with no CP932 form
  EXPECT_EQ(linesOf(p).at(2), cp932("ＡＢＣ"));
  EXPECT_EQ(linesOf(p).size(), 22u);

  p.playerName = std::string(800, 'a') + "ＡＢＣ" + std::string(300, 'b');
  const std::string line = linesOf(p).at(2);
  EXPECT_EQ(line.size(), game::kMaxProfileLineBytes);
  EXPECT_EQ(line.substr(800, 6), cp932("ＡＢＣ"));
}

TEST(ProfileDecoding, ReadsIntegersLeniently) {
  std::vector<std::string> lines = linesOf(sampleProfile());
  lines[17] = "  \t12 months";  // blanks first, then anything after the number
  lines[18] = "-7x";
  lines[20] = "0005";
  std::string lfOnly;
  for (const auto& l : lines) lfOnly += l + "\n";
  lfOnly.pop_back();  // the last line may lack its line end

  tmy p;
  auto result = decodeProfile(lfOnly, p);
  EXPECT_FALSE(result.damaged);
  EXPECT_EQ(p.birthMonth, 12);
  EXPECT_EQ(p.birthDay, -7);
  EXPECT_EQ(p.readingCount, 5);
  EXPECT_EQ(p.playerName, "ＡＣＥ");
  EXPECT_EQ(p.compatCount, 9);
}

TEST(ProfileDecoding, TouchesOnlyTheSavedFields) {
  tmy p;
  p.chosenWord = "ねこ";
  p.partnerMonth = 9;
  p.partnerDay = 3;
  p.ownsUniverse = p.ownsSeekingBrain = p.ownsHappiness = 1;
  p.mood = -4;
  p.chosenSlot = 2;
  tmy expected = sampleProfile();
  expected.chosenWord = p.chosenWord;
  expected.partnerMonth = 9;
  expected.partnerDay = 3;
  expected.ownsUniverse = expected.ownsSeekingBrain = expected.ownsHappiness = 1;
  expected.mood = -4;
  expected.chosenSlot = 2;

  decodeProfile(encodeProfile(sampleProfile()), p);
  EXPECT_EQ(p, expected);
}

// Each kind of damage: the file is marked damaged, what can be read is kept, the rest is 0.
TEST(ProfileDecoding, DamageLoadsWhatItCanAndZeroesTheRest) {
  struct Case {
    const char* what;
    std::function<std::string()> bytes;
    std::function<void(tmy&)> expect;  // applied to sampleProfile() to give the expected fields
  };
  auto withLine = [](std::size_t index, std::string text) {
    std::vector<std::string> lines = linesOf(sampleProfile());
    lines.at(index) = std::move(text);
    return fileOf(lines);
  };
  const Case cases[] = {
      {"empty file", [] { return std::string(); }, [](tmy& p) {
         p.playerName.clear();
         p.reserved.fill(0);
         p.birthMonth = p.birthDay = p.playerSex = p.readingCount = p.compatCount = 0;
       }},
      {"cut after 19 lines", [] {
         std::vector<std::string> lines = linesOf(sampleProfile());
         lines.resize(19);
         return fileOf(lines);
       }, [](tmy& p) { p.playerSex = p.readingCount = p.compatCount = 0; }},
      {"cut inside line 21", [] {
         std::string bytes = encodeProfile(sampleProfile());
         return bytes.substr(0, bytes.rfind("7\r\n") + 1);  // "7" without its line end
       }, [](tmy& p) { p.compatCount = 0; }},
      {"word on line 5", [&] { return withLine(4, "abc"); }, [](tmy& p) { p.reserved[3] = 0; }},
      {"empty line 18", [&] { return withLine(17, ""); }, [](tmy& p) { p.birthMonth = 0; }},
      {"sign without digits", [&] { return withLine(18, "-"); }, [](tmy& p) { p.birthDay = 0; }},
      {"plus sign", [&] { return withLine(19, "+2"); }, [](tmy& p) { p.playerSex = 0; }},
      {"above int32", [&] { return withLine(20, "2147483648"); }, [](tmy& p) { p.readingCount = 0; }},
      {"below int32", [&] { return withLine(21, "-2147483649"); }, [](tmy& p) { p.compatCount = 0; }},
      {"forty digits", [&] { return withLine(0, std::string(40, '9')); }, [](tmy& p) { p.reserved[0] = 0; }},
      {"overlong name", [&] { return withLine(2, std::string(2000, 'x')); },
       [](tmy& p) { p.playerName.clear(); }},
      {"overlong number line", [&] { return withLine(1, "5" + std::string(1100, ' ')); },
       [](tmy& p) { p.reserved[1] = 0; }},
      {"name not CP932", [&] { return withLine(2, "\x82\x60\x82"); }, [](tmy& p) { p.playerName.clear(); }},
      {"number line not CP932", [&] { return withLine(17, "4\x82"); }, [](tmy& p) { p.birthMonth = 4; }},
      {"more lines after 22", [] { return encodeProfile(sampleProfile()) + "5\r\n"; }, [](tmy&) {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tmy expected = sampleProfile();
    c.expect(expected);
    tmy loaded = sampleProfile();
    loaded.playerName = "stale";  // the decoder must overwrite, not keep, what was there
    loaded.compatCount = 1234;
    auto result = decodeProfile(c.bytes(), loaded);
    EXPECT_TRUE(result.damaged);
    EXPECT_FALSE(result.problems.empty());
    EXPECT_EQ(loaded, expected);
  }
}

TEST(ProfileDecoding, LimitsOfInt32AndTrailingBlankLinesAreNotDamage) {
  std::vector<std::string> lines = linesOf(sampleProfile());
  lines[20] = "2147483647";
  lines[21] = "-2147483648";
  tmy p;
  auto result = decodeProfile(fileOf(lines) + "\r\n  \r\n", p);
  EXPECT_FALSE(result.damaged);
  EXPECT_EQ(p.readingCount, kMax);
  EXPECT_EQ(p.compatCount, kMin);
}

class NameListFile : public ::testing::Test {
 protected:
  gametest::TempFolder folder;
  std::filesystem::path file = folder / "name.dat";
  game::StringTable names;
};

TEST_F(NameListFile, LinesGoToSlotsInOrder) {
  names.fill("old");
  gametest::writeBytes(file, cp932("ＡＬＩＣＥ") + "\r\n" + cp932("ﾁｬｺ") + "\n" + "\r\n" +
                                 "\x82\x60\x82\r\n" + cp932("ＺＯＥ"));
  auto result = game::readNameList(file, names);
  EXPECT_TRUE(result.opened);
  EXPECT_EQ(result.namesRead, 3);
  EXPECT_EQ(names[0], "ＡＬＩＣＥ");
  EXPECT_EQ(names[1], "ﾁｬｺ");
  EXPECT_EQ(names[2], "");  // an empty line
  EXPECT_EQ(names[3], "");  // not CP932
  EXPECT_EQ(names[4], "ＺＯＥ");
  for (std::size_t i = 5; i < names.size(); ++i) EXPECT_EQ(names[i], "") << i;
}

TEST_F(NameListFile, ReadsAtMost255Lines) {
  std::string bytes;
  for (int i = 1; i <= 300; ++i) bytes += "n" + std::to_string(i) + "\r\n";
  gametest::writeBytes(file, bytes);
  auto result = game::readNameList(file, names);
  EXPECT_EQ(result.namesRead, 255);
  EXPECT_EQ(names[0], "n1");
  EXPECT_EQ(names[254], "n255");
  EXPECT_EQ(names[255], "");
}

TEST_F(NameListFile, MissingFileLeavesEverySlotEmpty) {
  names.fill("old");
  auto result = game::readNameList(folder / "absent.dat", names);
  EXPECT_FALSE(result.opened);
  EXPECT_EQ(result.namesRead, 0);
  EXPECT_EQ(game::filledSlotCount(names), 0u);
}

}  // namespace
