// The name panel on the real form: tiles, erase and the remarks of some letters.
#include "FormFixture.h"

namespace {

using testing_support::FormFixture;
using testing_support::pressOn;
using Step = FormFixture::Step;

class NameEntryTest : public FormFixture {
 protected:
  void openNamePanel() { openAt(game::Panel::Name); }
};

TEST_F(NameEntryTest, EachTileAddsItsLetterWithItsSound) {
  openNamePanel();
  struct Tile {
    const char* letter;
    const char* sound;
  } tiles[19] = {{"Ａ", "8.wav"}, {nullptr, "erace.wav"}, {"Ｃ", "8.wav"}, {"Ｄ", "4.wav"},
                 {"Ｅ", "7.wav"}, {"Ｇ", "8.wav"},       {"Ｋ", "8.wav"}, {"Ｌ", "4.wav"},
                 {"Ｉ", "7.wav"}, {"Ｎ", "7.wav"},       {"Ｍ", "4.wav"}, {"Ｏ", "6.wav"},
                 {"Ｐ", "7.wav"}, {"Ｑ", "5.wav"},       {"Ｒ", "4.wav"}, {"Ｓ", "6.wav"},
                 {"Ｔ", "4.wav"}, {"Ｕ", "7.wav"},       {"Ｙ", "5.wav"}};
  for (int i = 0; i < 19; ++i) {
    if (!tiles[i].letter) continue;
    SCOPED_TRACE(tiles[i].letter);
    form->engine().setTypedName("");
    cues.cues.clear();
    pressOn(form->name_box->nameTiles[i]);
    EXPECT_EQ(form->name_box->name_l->text(), QString::fromUtf8(tiles[i].letter));
    ASSERT_FALSE(cues.cues.empty());
    EXPECT_EQ(cues.cues[0], (testing_support::CueRecorder::Cue{"wave", 0, tiles[i].sound}));
  }
}

TEST_F(NameEntryTest, EraseDropsTheLastLetterAndSoundsEvenWhenEmpty) {
  openNamePanel();
  pressOn(form->name_box->nameTiles[0]);   // Ａ
  pressOn(form->name_box->nameTiles[16]);  // Ｔ
  pressOn(form->name_box->nameTiles[1]);   // erase
  EXPECT_EQ(form->name_box->name_l->text(), QStringLiteral("Ａ"));
  pressOn(form->name_box->nameTiles[1]);
  pressOn(form->name_box->nameTiles[1]);
  EXPECT_EQ(form->name_box->name_l->text(), QString());
  auto sounds = cueNames("wave");
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "erace.wav"), 3);
}

TEST_F(NameEntryTest, TilesOQAndSHaveTheirRemarks) {
  openNamePanel();
  pressOn(form->name_box->nameTiles[11]);  // Ｏ
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("ビクビクリン！！"));
  EXPECT_EQ(cueNames("face"), std::vector<std::string>{"kao5.bmp"});
  pressOn(form->name_box->nameTiles[13]);  // Ｑ
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("キューーティーーーー！！！"));
  EXPECT_EQ(cueNames("face").back(), "kao4.bmp");
  pressOn(form->name_box->nameTiles[15]);  // Ｓ: the line only
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("スゥイーティー死んじゃいやー！"));
  EXPECT_EQ(cueNames("face").size(), 2u);
  EXPECT_EQ(form->name_box->name_l->text(), QStringLiteral("ＯＱＳ"));
}

}  // namespace
