#include "game/Tables.h"

#include <gtest/gtest.h>

#include <set>

#include "game/GameState.h"
#include "platform/core/Cp932.h"

namespace {

using game::StringTable;

struct TableCase {
  const char* name;
  const StringTable* table;
  std::size_t filled;  // slots 0 … filled−1 hold entries, the rest are empty
};

class BuiltInTables : public ::testing::Test {
 protected:
  void SetUp() override { game::resetGameState(); }
};

TEST_F(BuiltInTables, FillTheirLeadingSlotsAndLeaveTheRestEmpty) {
  const TableCase cases[] = {
      {"choiceWords", &game::choiceWords, 100},
      {"luckyItems", &game::luckyItems, 50},
      {"adviceLines", &game::adviceLines, 101},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(game::filledSlotCount(*c.table), c.filled);
    for (std::size_t i = 0; i < c.table->size(); ++i)
      EXPECT_EQ((*c.table)[i].empty(), i >= c.filled) << "slot " << i;
  }
}

TEST_F(BuiltInTables, HoldTheExactEntries) {
  struct Entry {
    const StringTable* table;
    std::size_t slot;
    const char* text;
  };
  const Entry samples[] = {
      {&game::choiceWords, 0, "ねこ"},
      {&game::choiceWords, 15, "なんにもない部屋"},
      {&game::choiceWords, 39, "お○にぃ"},
      {&game::choiceWords, 40, "７７２１"},
      {&game::choiceWords, 47, "ポムリー君"},
      {&game::choiceWords, 87, "幸せ"},
      {&game::choiceWords, 91, "ＡＭＰＭ"},
      {&game::choiceWords, 99, "公園"},
      {&game::luckyItems, 0, "古いベルト"},
      {&game::luckyItems, 18, "大昔に買ったきり読み終わっていない本"},
      {&game::luckyItems, 33, "普段聴いていないＣＤの３曲目"},
      {&game::luckyItems, 41, "ＥＳＣキー"},
      {&game::luckyItems, 49, "ずいぶんボロボロになった辞書"},
      {&game::adviceLines, 0, "その部屋、くさいからファブリーズしたほうがいいよ。"},
      {&game::adviceLines, 4,
       "ご存知と思いますが、2ヶ月以上ガス代が未納となっております。ご入金無き場合はガスを一旦止めさせて頂きますので宜しくお願いします。"},
      {&game::adviceLines, 17, "おほしさま、きーらきら！"},
      {&game::adviceLines, 20, "ティンティロリーン♪あめりかんほーみゅだいれくと！！げーいみふめー☆"},
      {&game::adviceLines, 50, "・・・・・・ねむいの、ぐーぐー・・・"},
      {&game::adviceLines, 62, "目をとじて、１０年前の今日を思い出してごらんよ。そうするととても・・は・・これ以上は言えません"},
      {&game::adviceLines, 100, "んーん、ハネアリ"},
  };
  for (const auto& s : samples) EXPECT_EQ((*s.table)[s.slot], s.text) << "slot " << s.slot;
}

TEST_F(BuiltInTables, EveryEntryHasACp932Form) {
  for (const StringTable* table : {&game::choiceWords, &game::luckyItems, &game::adviceLines})
    for (const std::string& entry : *table)
      EXPECT_TRUE(platform::utf8ToCp932(entry).has_value()) << entry;
}

TEST_F(BuiltInTables, FillingAgainRestoresChangedSlots) {
  game::choiceWords[3] = "changed";
  game::luckyItems[200] = "stray";
  game::fillBuiltInTables();
  EXPECT_EQ(game::choiceWords[3], "風");
  EXPECT_EQ(game::luckyItems[200], "");
}

TEST(SyllableUnits, Are66FullWidthThen26HalfWidthPairsOfTwoBytes) {
  const auto& units = game::syllableUnits();
  ASSERT_EQ(units.size(), 92u);
  for (std::size_t i = 0; i < units.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(platform::cp932Length(units[i]), 2u);
    // A full-width katakana is one 3-byte UTF-8 character; a pair is two.
    EXPECT_EQ(units[i].size(), i < 66 ? 3u : 6u);
  }
  EXPECT_EQ(units[0], "ア");
  EXPECT_EQ(units[40], "ン");
  EXPECT_EQ(units[65], "ポ");
  EXPECT_EQ(units[66], "ﾁｬ");
  EXPECT_EQ(units[81], "ｱｯ");
  EXPECT_EQ(units[91], "ﾐｰ");
  EXPECT_EQ(std::set<std::string>(units.begin(), units.end()).size(), 92u);
}

}  // namespace
