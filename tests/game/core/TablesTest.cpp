#include "game/core/Tables.h"

#include <gtest/gtest.h>

#include <set>

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
  game::Tables tables;
};

TEST_F(BuiltInTables, FillTheirLeadingSlotsAndLeaveTheRestEmpty) {
  const TableCase cases[] = {
      {"choiceWords", &tables.choiceWords, 100},
      {"luckyItems", &tables.luckyItems, 50},
      {"adviceLines", &tables.adviceLines, 101},
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
      {&tables.choiceWords, 0, "ねこ"},
      {&tables.choiceWords, 15, "なんにもない部屋"},
      {&tables.choiceWords, 39, "お○にぃ"},
      {&tables.choiceWords, 40, "７７２１"},
      {&tables.choiceWords, 47, "ポムリー君"},
      {&tables.choiceWords, 87, "幸せ"},
      {&tables.choiceWords, 91, "ＡＭＰＭ"},
      {&tables.choiceWords, 99, "公園"},
      {&tables.luckyItems, 0, "古いベルト"},
      {&tables.luckyItems, 18, "大昔に買ったきり読み終わっていない本"},
      {&tables.luckyItems, 33, "普段聴いていないＣＤの３曲目"},
      {&tables.luckyItems, 41, "ＥＳＣキー"},
      {&tables.luckyItems, 49, "ずいぶんボロボロになった辞書"},
      {&tables.adviceLines, 0, "その部屋、くさいからファブリーズしたほうがいいよ。"},
      {&tables.adviceLines, 4,
       "ご存知と思いますが、2ヶ月以上ガス代が未納となっております。ご入金無き場合はガスを一旦止めさせて頂きますので宜しくお願いします。"},
      {&tables.adviceLines, 17, "おほしさま、きーらきら！"},
      {&tables.adviceLines, 20, "ティンティロリーン♪あめりかんほーみゅだいれくと！！げーいみふめー☆"},
      {&tables.adviceLines, 50, "・・・・・・ねむいの、ぐーぐー・・・"},
      {&tables.adviceLines, 62, "目をとじて、１０年前の今日を思い出してごらんよ。そうするととても・・は・・これ以上は言えません"},
      {&tables.adviceLines, 100, "んーん、ハネアリ"},
  };
  for (const auto& s : samples) EXPECT_EQ((*s.table)[s.slot], s.text) << "slot " << s.slot;
}

TEST_F(BuiltInTables, EveryEntryHasACp932Form) {
  for (const StringTable* table : {&tables.choiceWords, &tables.luckyItems, &tables.adviceLines})
    for (const std::string& entry : *table)
      EXPECT_TRUE(platform::utf8ToCp932(entry).has_value()) << entry;
}

TEST_F(BuiltInTables, FillingAgainRestoresChangedSlots) {
  tables.choiceWords[3] = "changed";
  tables.luckyItems[200] = "stray";
  game::fillBuiltInTables(tables);
  EXPECT_EQ(tables.choiceWords[3], "風");
  EXPECT_EQ(tables.luckyItems[200], "");
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
