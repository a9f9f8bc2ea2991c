#include "game/core/ReadingEngine.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/core/Cp932.h"
#include "tests/support/ScriptedRandom.h"

namespace {

using game::Band;
using game::StarRating;
using platform::LocalDate;
using testing_support::ScriptedRandom;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

LocalDate june(int day) { return {2026, 6, day, platform::weekdayOf(2026, 6, day)}; }

TEST(StarRating, RemaindersZeroToFive) {
  struct Case {
    std::int64_t value;
    int day;
    const char* text;
  };
  const Case cases[] = {
      {6, 0, "Bad...."},   {1, 0, "★"},          {2, 6, "★★"},
      {10, 5, "★★★"},     {0, 4, "★★★★"},      {29, 30, "★★★★★Excerent!"},
      {100, 20, "Bad...."}, {-1, 0, "★★★★★Excerent!"},  // a negative value still rates 0–5
  };
  for (const auto& c : cases) EXPECT_EQ(StarRating(c.value, c.day), c.text) << c.value << "+" << c.day;
}

TEST(StarRating, ExtremeValuesDoNotOverflow) {
  // 2^63 − 1 ≡ 1 (mod 6), −2^63 ≡ 4 (mod 6): reduced before adding the day.
  EXPECT_EQ(StarRating(std::numeric_limits<std::int64_t>::max(), 31), "★★");
  EXPECT_EQ(StarRating(std::numeric_limits<std::int64_t>::min(), 31), "★★★★★Excerent!");
}

class Pickers : public ::testing::Test {
 protected:
  game::Tables tables;
};

TEST_F(Pickers, RandomWordDrawsAgainOverEmptySlots) {
  ScriptedRandom rng{150, 225, 3};
  EXPECT_EQ(game::RandomWord(rng, tables.choiceWords), "風");
  EXPECT_EQ(rng.remaining(), 0u);
  EXPECT_EQ(rng.limits(), (std::deque<int>{226, 226, 226}));
}

TEST_F(Pickers, PickersGiveEmptyWithoutDrawingWhenNothingIsFilled) {
  game::StringTable empty;
  ScriptedRandom rng;  // any draw would throw
  EXPECT_EQ(game::RandomWord(rng, empty), "");
  game::StringTable onlyOutOfRange;
  onlyOutOfRange[230] = "never drawn";
  EXPECT_EQ(game::RandomWord(rng, onlyOutOfRange), "");
  EXPECT_TRUE(rng.limits().empty());
}

// A generator stuck on an empty slot must not hang the picker.
TEST_F(Pickers, StuckRandomSourceStillEnds) {
  class AlwaysZero : public platform::RandomSource {
   public:
    int Random(int) override {
      ++draws;
      return 0;
    }
    int draws = 0;
  } rng;
  game::StringTable table;
  table[7] = "seven";
  EXPECT_EQ(game::RandomWord(rng, table), "seven");
  EXPECT_GT(rng.draws, 1);
}

TEST_F(Pickers, RandomNameTakesTheListSlot) {
  game::StringTable names;
  names[5] = "ＢＥＮ";
  ScriptedRandom rng{5, 0, 225, 99, 6, 1, 0, 0, 0, 0};
  EXPECT_EQ(game::RandomName(rng, names), "ＢＥＮ");
  EXPECT_EQ(game::RandomName(rng, names), "");  // empty slot: an empty guess, no redraw
  EXPECT_EQ(game::RandomName(rng, names), "アアアア");  // made-up even though slot 6 is empty
  EXPECT_EQ(rng.limits(), (std::deque<int>{226, 100, 226, 100, 226, 100, 96, 96, 96, 96}));
}

TEST_F(Pickers, MadeUpNameMixesFullAndHalfWidthUnitsAndSkipsDrawsPastTheTable) {
  game::StringTable names;
  names[5] = "ＢＥＮ";
  ScriptedRandom rng{5, 1, 0, 66, 92, 5};
  const std::string name = game::RandomName(rng, names);
  EXPECT_EQ(name, "アﾁｬカ");  // 92 is past the 92 units: an empty piece
  EXPECT_EQ(platform::cp932Length(name), 6u);
  EXPECT_EQ(rng.remaining(), 0u);

  ScriptedRandom allPast{0, 1, 92, 93, 94, 95};
  EXPECT_EQ(game::RandomName(allPast, names), "");
}

struct HandWorked {
  const char* what;
  int sex;
  int day;
  std::int64_t basePoints;
  const char *money, *study, *love, *fourth, *fourthStars, *lucky;
  int score;
  Band band;
};

class SingleReadingTest : public ::testing::Test {
 protected:
  game::Tables tables;

  // Name "ＡＣＥ" (6 bytes), born 15 March; word "ねこ" (4 bytes); readings in June.
  // a = 13 − |6 − 3| = 10, b = 32 − |D − 15|: basePoints = 6 + 4 + 40 + b ± 10.
  game::tmy player(int sex) {
    game::tmy p;
    p.playerName = "ＡＣＥ";
    p.birthMonth = 3;
    p.birthDay = 15;
    p.playerSex = sex;
    p.readingCount = 4;
    return p;
  }

  game::SingleReading read(game::tmy& p, const std::string& word, const LocalDate& today) {
    ScriptedRandom rng{17};
    auto r = game::computeSingleReading(p, word, today, rng, tables.choiceWords, tables.luckyItems,
                                        tables.adviceLines);
    EXPECT_EQ(rng.remaining(), 0u);
    return r;
  }
};

// Worked by hand: D = 10 gives b = 27 (77 before the sex term), D = 11 gives b = 28 (78).
TEST_F(SingleReadingTest, HandWorkedReadingsForEachSexOnEvenAndOddDays) {
  const HandWorked cases[] = {
      // e.g. 87: money (87+6+10) mod 6 = 1, study (870+10) mod 6 = 4, love 97 mod 6 = 1,
      // fourth: word 87, (87·6·10+10) mod 6 = 4; lucky item 87 mod 50 = 37.
      {"male, even day", 1, 10, 87, "★", "★★★★", "★", "幸せ", "★★★★", "光射し込むカーテン", 87, Band::Happy},
      {"female, even day", 2, 10, 67, "★★★★★Excerent!", "★★", "★★★★★Excerent!", "傷つける", "★★★★",
       "くしゃくしゃなハンカチ", 67, Band::Good},
      {"no sex, even day", 0, 10, 77, "★★★", "Bad....", "★★★", "土", "★★★★", "空きペットボトル", 77, Band::Good},
      {"male, odd day", 1, 11, 68, "★", "★★★", "★", "ものしり", "★★★★★Excerent!", "大昔に買ったきり読み終わっていない本", 68,
       Band::Good},
      {"female, odd day", 2, 11, 88, "★★★", "★", "★★★", "不幸", "★★★★★Excerent!", "ゲームセンターの両替機", 88, Band::Happy},
      {"no sex, odd day", 0, 11, 78, "★★★★★Excerent!", "★★★★★Excerent!", "★★★★★Excerent!", "火", "★★★★★Excerent!", "下着",
       78, Band::Good},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    game::tmy p = player(c.sex);
    const auto r = read(p, "ねこ", june(c.day));
    EXPECT_EQ(r.basePoints, c.basePoints);
    EXPECT_EQ(r.moneyLine, std::string("お金 > ") + c.money);
    EXPECT_EQ(r.studyLine, std::string("勉強 > ") + c.study);
    EXPECT_EQ(r.loveLine, std::string("恋愛 > ") + c.love);
    EXPECT_EQ(r.fourthLine, std::string(c.fourth) + " > " + c.fourthStars);
    EXPECT_EQ(r.luckyItem, c.lucky);
    EXPECT_EQ(r.resultScore, c.score);
    EXPECT_EQ(r.band, c.band);
    EXPECT_EQ(r.advice, "おほしさま、きーらきら！");
  }
}

TEST_F(SingleReadingTest, ResultTextJoinsTheLinesWithCarriageReturns) {
  game::tmy p = player(1);
  const auto r = read(p, "ねこ", june(10));
  EXPECT_EQ(r.resultText, "お金 > ★\r勉強 > ★★★★\r恋愛 > ★\r幸せ > ★★★★\r\rラッキーアイテムは… > 光射し込むカーテン");
  // As a screen reader says it: the stars counted out of five (the hand-worked cases above).
  game::tmy noSex = player(0), female = player(2);
  EXPECT_EQ(read(noSex, "ねこ", june(10)).spokenText,
            "お金 3/5\r勉強 0/5 Bad....\r恋愛 3/5\r土 4/5\r\rラッキーアイテムは… > 空きペットボトル");
  EXPECT_TRUE(read(female, "ねこ", june(10)).spokenText.starts_with("お金 5/5 Excerent!\r勉強 2/5\r"));
}

TEST_F(SingleReadingTest, CountsTheReadingAndRemembersTheWord) {
  game::tmy p = player(0);
  read(p, "公園", june(10));
  EXPECT_EQ(p.readingCount, 5);
  EXPECT_EQ(p.chosenWord, "公園");
  p.readingCount = kMax;  // from a damaged or hand-edited file
  read(p, "公園", june(10));
  EXPECT_EQ(p.readingCount, kMax);
}

TEST_F(SingleReadingTest, ScoreIsClampedButItemAndWordIgnoreMood) {
  struct Case {
    std::int32_t mood;
    int score;
    Band band;
  };
  const Case cases[] = {{0, 87, Band::Happy}, {2, 100, Band::Happy}, {-5, 42, Band::Soso},
                        {-10, 0, Band::Blue}, {1000, 100, Band::Happy}, {-1000, 0, Band::Blue},
                        {kMax, 100, Band::Happy}, {kMin, 0, Band::Blue}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mood);
    game::tmy p = player(1);
    p.mood = c.mood;
    const auto r = read(p, "ねこ", june(10));
    EXPECT_EQ(r.basePoints, 87);
    EXPECT_EQ(r.resultScore, c.score);
    EXPECT_EQ(r.band, c.band);
    EXPECT_EQ(r.luckyItem, "光射し込むカーテン");
    EXPECT_EQ(r.fourthLine.substr(0, r.fourthLine.find(' ')), "幸せ");
  }
}

TEST_F(SingleReadingTest, AdviceDrawSkipsEmptySlots) {
  game::tmy p = player(1);
  ScriptedRandom rng{200, 101, 254, 4};
  const auto r = game::computeSingleReading(p, "ねこ", june(10), rng, tables.choiceWords, tables.luckyItems,
                                            tables.adviceLines);
  EXPECT_EQ(r.advice, tables.adviceLines[4]);
  EXPECT_EQ(rng.limits(), (std::deque<int>{255, 255, 255, 255}));
}

TEST_F(SingleReadingTest, LengthsCountCp932BytesSoHalfWidthCountsOne) {
  game::tmy fullWidth = player(1);
  game::tmy madeUp = player(1);
  game::StringTable names;
  ScriptedRandom rng{0, 1, 0, 66, 92, 5};
  madeUp.playerName = game::RandomName(rng, names);  // "アﾁｬカ": 12 bytes of UTF-8, 6 of CP932
  ASSERT_EQ(madeUp.playerName.size(), 12u);
  EXPECT_EQ(read(madeUp, "ねこ", june(10)).basePoints, read(fullWidth, "ねこ", june(10)).basePoints);
  game::tmy halfWord = player(1);
  EXPECT_EQ(read(halfWord, "ﾈｺ", june(10)).basePoints, 85);  // the word counts 2, not 4
}

TEST_F(SingleReadingTest, NegativeBasePointsStillIndexTheTables) {
  // No name, no birthday, female, 30 December (even): a = 13 − 12 = 1, b = 32 − 30 = 2,
  // basePoints = 0 + 2 + 4 + 2 − 10 = −2 → word slot 98, item slot 48.
  game::tmy p;
  p.playerSex = 2;
  const auto r = read(p, "鳥", {2026, 12, 30, 4});
  EXPECT_EQ(r.basePoints, -2);
  EXPECT_EQ(r.fourthLine, "ふうせん > Bad....");
  EXPECT_EQ(r.luckyItem, "新聞紙の匂い");
  EXPECT_EQ(r.loveLine, "恋愛 > ★★★★");
  EXPECT_EQ(r.resultScore, 0);
  EXPECT_EQ(r.band, Band::Blue);
}

TEST_F(SingleReadingTest, AnyProfileAndEmptyTablesAreSafe) {
  const game::StringTable empty;
  const std::int32_t extremes[] = {kMin, -1, 0, 13, kMax};
  for (std::int32_t v : extremes) {
    SCOPED_TRACE(v);
    game::tmy p;
    p.birthMonth = p.birthDay = p.mood = v;
    p.playerSex = 1;
    ScriptedRandom rng;  // empty advice: no draw
    const auto r = game::computeSingleReading(p, "", {2026, 1, 31, 7}, rng, empty, empty, empty);
    EXPECT_GE(r.resultScore, 0);
    EXPECT_LE(r.resultScore, 100);
    EXPECT_EQ(r.luckyItem, "");
    EXPECT_EQ(r.advice, "");
    EXPECT_EQ(r.fourthLine.substr(0, 3), " > ");
  }
}

TEST(Bands, EdgesOfBothReadings) {
  struct Case {
    std::int64_t value;
    Band single, compat;
  };
  const Case cases[] = {
      {-1000, Band::None, Band::None}, {-999, Band::None, Band::Blue}, {-1, Band::None, Band::Blue},
      {0, Band::Blue, Band::Blue},     {19, Band::Blue, Band::Blue},   {20, Band::Bad, Band::Bad},
      {35, Band::Bad, Band::Bad},      {36, Band::Bad, Band::Soso},    {39, Band::Bad, Band::Soso},
      {40, Band::Soso, Band::Soso},    {55, Band::Soso, Band::Soso},   {56, Band::Soso, Band::Good},
      {59, Band::Soso, Band::Good},    {60, Band::Good, Band::Good},   {79, Band::Good, Band::Good},
      {80, Band::Happy, Band::Happy},  {100, Band::Happy, Band::Happy}, {101, Band::None, Band::Happy},
      {999, Band::None, Band::Happy},  {1000, Band::None, Band::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(game::singleReadingBand(static_cast<int>(c.value)), c.single);
    EXPECT_EQ(game::compatBand(static_cast<int>(c.value)), c.compat);
    EXPECT_EQ(game::compatBand(c.value), c.compat);
  }
  EXPECT_EQ(game::compatBand(std::int64_t{1} << 40), Band::None);
  EXPECT_STREQ(game::bandStem(Band::Blue), "blue");
  EXPECT_STREQ(game::bandStem(Band::Bad), "bad");
  EXPECT_STREQ(game::bandStem(Band::Soso), "soso");
  EXPECT_STREQ(game::bandStem(Band::Good), "good");
  EXPECT_STREQ(game::bandStem(Band::Happy), "happy");
  EXPECT_STREQ(game::bandStem(Band::None), "");
}

}  // namespace
