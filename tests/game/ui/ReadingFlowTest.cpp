// Both readings end to end on the real form: from the title screen to the result and back,
// with the counts saved at close; the teases and reactions of the single reading.
#include <fstream>
#include <iterator>

#include "FormFixture.h"
#include "game/ProfileFile.h"
#include "game/Tables.h"

namespace {

using testing_support::FormFixture;
using testing_support::pressOn;
using Step = FormFixture::Step;
using game::profile;

class ReadingFlowTest : public FormFixture {
 protected:
  game::tmy savedProfile() {
    std::ifstream in(root / "dat" / "my.dat", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    game::tmy saved;
    EXPECT_FALSE(game::decodeProfile(bytes, saved).damaged);
    return saved;
  }

  void spellOnTiles(std::initializer_list<int> tiles) {
    for (int t : tiles) pressOn(form->nameTiles[t]);
  }

  void setBirthday(int month, int day) {
    form->umare_v->setValue(month);
    form->umare_v2->setValue(day);
  }

  // Answers for OfferChoices without teases: two failed tease draws, then three words.
  void noTeasesThenWords(int a, int b, int c) {
    for (int v : {5, 5, a, b, c}) random.push(v);
  }
};

TEST_F(ReadingFlowTest, ASingleReadingFromTheTitleToTheResultAndBack) {
  openForm();  // 7 December 2026: M = 12, D = 7 (odd)
  pressOn(form->Image13);
  ASSERT_FALSE(form->name_box->isHidden());
  spellOnTiles({0, 6, 8});  // ＡＫＩ
  steps = {Step::Yes};
  pressOn(form->Image4);
  ASSERT_FALSE(form->sex_box->isHidden());
  pressOn(form->Image12);  // ♀, then one click
  ASSERT_FALSE(form->umare_box->isHidden());
  setBirthday(3, 15);
  steps = {Step::Yes};
  noTeasesThenWords(0, 12, 99);
  pressOn(form->Image9);
  ASSERT_FALSE(form->item_box->isHidden());
  EXPECT_EQ(form->item_l1->caption(), QStringLiteral("ねこ"));
  EXPECT_EQ(form->item_l2->caption(), QStringLiteral("空"));
  EXPECT_EQ(form->item_l3->caption(), QStringLiteral("公園"));
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("んじゃ、君の好きなの選んでニャ"));

  random.push(40);  // no reaction
  random.push(7);   // the advice slot
  waits.clear();
  cues.cues.clear();
  pressOn(form->item_l1);
  EXPECT_EQ(lines(), (std::vector<QString>{
                         QStringLiteral("よーーし占っちゃうゾー！！！どうなっても知らないゾー！！"),
                         QStringLiteral("むむむむむむむむむむ"), QStringLiteral("ピロピロビクビクポムリーン！！"),
                         QStringLiteral("でましたんっ！！")}));
  // basePoints = 6 (ＡＫＩ) + 4 (ねこ) + 4 × (13 − 9) + (32 − 8) = 50, +10 for a woman on an odd day.
  EXPECT_FALSE(form->kekka_box->isHidden());
  EXPECT_TRUE(form->item_box->isHidden());
  EXPECT_EQ(form->end_l->caption(),
            QStringLiteral("お金 > ★\r勉強 > ★\r恋愛 > ★\r神話 > ★\r\rラッキーアイテムは… > ネットサーフィン"));
  EXPECT_EQ(form->end_l2->caption(), QStringLiteral("60"));
  EXPECT_EQ(form->end_l3->caption(), QString::fromStdString(game::adviceLines[7]));
  EXPECT_EQ(profile.readingCount, 1);
  EXPECT_EQ(profile.chosenSlot, 1);
  EXPECT_EQ(profile.chosenWord, "ねこ");
  // No result picture in this asset folder: the sheet still shows, the rest of the step runs.
  EXPECT_FALSE(form->end_Cg->hasPicture());
  std::vector<testing_support::CueRecorder::Cue> tail(cues.cues.end() - 3, cues.cues.end());
  EXPECT_EQ(tail, (std::vector<testing_support::CueRecorder::Cue>{{"wave", 1, "good.wav"},
                                                       {"wave", 3, "kekka.wav"},
                                                       {"music", -1, "not"}}));
  EXPECT_EQ(cues.cues.front(), (testing_support::CueRecorder::Cue{"wave", 0, "1.wav"}));

  dialogs.answers = {platform::Answer::No};
  cues.cues.clear();
  pressOn(form->Image16);
  EXPECT_TRUE(form->kekka_box->isHidden());
  EXPECT_FALSE(form->start_box->isHidden());
  EXPECT_EQ(dialogs.texts("confirm").back(), QStringLiteral("ぜんぶウソだけどね！！"));
  EXPECT_EQ(dialogs.texts("inform").back(), QStringLiteral("君いい子ね！"));
  EXPECT_EQ(cueNames("wave"), (std::vector<std::string>{"6.wav", "1.wav", "1.wav", "guitar.wav"}));

  form->close();
  game::tmy saved = savedProfile();
  EXPECT_EQ(saved.readingCount, 1);
  EXPECT_EQ(saved.playerName, "ＡＫＩ");
  EXPECT_EQ(saved.playerSex, 2);
  EXPECT_EQ(saved.birthMonth, 3);
  EXPECT_EQ(saved.birthDay, 15);
}

TEST_F(ReadingFlowTest, YesOnTheResultSheetEndsTheGame) {
  openForm();
  profile.playerName = "ＡＫＩ";
  form->start_box->hide();
  form->item_l2->setCaption(QStringLiteral("夢"));
  form->item_box->show();
  random.push(40);
  random.push(0);
  pressOn(form->item_l2);
  dialogs.answers = {platform::Answer::Yes};
  pressOn(form->Image16);
  EXPECT_EQ(dialogs.texts("inform").back(), QStringLiteral("フン！！"));
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(savedProfile().readingCount, 1);
}

TEST_F(ReadingFlowTest, ACompatibilityReadingFromTheTitleToItsEnd) {
  openForm();
  pressOn(form->Image14);
  ASSERT_FALSE(form->umare_box->isHidden());
  setBirthday(4, 20);
  steps = {Step::Yes, Step::ClickSpeech};
  pressOn(form->Image9);
  ASSERT_EQ(form->gameMode, 3);
  setBirthday(9, 20);
  // Questions 1 and 2 are drawn and both answered yes; every other draw fails.
  random.push(0);
  random.push(0);
  for (int i = 2; i < 24; ++i) random.push(1);
  waits.clear();
  cues.cues.clear();
  steps = {Step::Yes, Step::ClickSpeech, Step::Yes, Step::Yes};
  pressOn(form->Image9);
  std::vector<QString> said = lines();
  ASSERT_EQ(said.size(), 10u);
  EXPECT_EQ(said[1], QStringLiteral("では、質問しますニャ！！"));
  EXPECT_EQ(said[2], QStringLiteral("相手の人はさびしがりやさんですか？"));
  EXPECT_EQ(said[3], QStringLiteral("あなたはさびしがりやさんですか？"));
  EXPECT_EQ(said[6], QString(23, QChar(u'ム')));
  // 2 × ((13 − |4 − 9 − 12|) + (32 − |20 − 20 − 7|)) = 42; mood 2 + 3 = 5; September +10.
  EXPECT_EQ(said[8], QStringLiteral("今日のあなたと相手の人との相性度は・・・【42％】です！！"));
  EXPECT_EQ(said[9], QStringLiteral("さらにあなたと相手の人が今日、ときめきあっちゃう可能性は…【102％】!!"));
  EXPECT_EQ(profile.mood, 5);
  EXPECT_EQ(profile.compatCount, 1);
  EXPECT_EQ(dialogs.texts("confirm").back(), QStringLiteral("どお、わたくしの占いに満足したかしら！？"));
  EXPECT_EQ(dialogs.texts("inform").back(), QStringLiteral("オホホホホ！！"));
  EXPECT_FALSE(form->start_box->isHidden());
  EXPECT_EQ(form->bak->size(), QSize(64, 64));
  auto faces = cueNames("face");
  EXPECT_NE(std::find(faces.begin(), faces.end(), "soso.bmp"), faces.end());
  EXPECT_NE(std::find(faces.begin(), faces.end(), "happy.bmp"), faces.end());
  EXPECT_EQ(faces.back(), "kao.bmp");
  auto sounds = cues.cues;
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), testing_support::CueRecorder::Cue{"wave", 1, "happy.wav"}),
            sounds.end());
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), testing_support::CueRecorder::Cue{"wave", 3, "kekka.wav"}),
            sounds.end());
  form->close();
  EXPECT_EQ(savedProfile().compatCount, 1);
}

TEST_F(ReadingFlowTest, NoToTheSatisfactionQuestionClosesTheWindow) {
  openForm();
  form->start_box->hide();
  form->gameMode = 3;
  for (int i = 0; i < 24; ++i) random.push(1);  // nothing asked
  dialogs.answers = {platform::Answer::No};
  form->CompatReading();
  EXPECT_EQ(dialogs.texts("inform").back(), QStringLiteral("うるさいのよ！！"));
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(savedProfile().compatCount, 1);
}

TEST_F(ReadingFlowTest, ClosingDuringTheQuestionsCountsThemAsNoAndSaysNothingMore) {
  openForm();
  form->start_box->hide();
  form->gameMode = 3;
  random.push(0);  // question 1 asked, then the window closes during its wait
  for (int i = 1; i < 24; ++i) random.push(1);
  steps = {Step::ClickSpeech, Step::Close};
  form->CompatReading();
  EXPECT_EQ(profile.mood, -2);  // question 1's no
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("相手の人はさびしがりやさんですか？"));
  EXPECT_TRUE(dialogs.texts("confirm").empty());  // no question after the window closed
  EXPECT_EQ(profile.compatCount, 1);
}

TEST_F(ReadingFlowTest, AcceptingBothTeasesChangesTheProfile) {
  openForm();
  form->start_box->hide();
  profile.playerName = "ＡＫＩ";
  profile.playerSex = 2;
  profile.birthMonth = 3;
  profile.birthDay = 15;
  for (int v : {0, 1, 5}) random.push(v);  // name tease: slot 1, not made up
  for (int v : {0, 6, 29}) random.push(v);  // birthday tease: 7月30
  for (int v : {0, 1, 2}) random.push(v);  // the words
  steps = {Step::Yes, Step::ClickSpeech, Step::Yes, Step::ClickSpeech};
  form->OfferChoices();
  std::vector<QString> said = lines();
  ASSERT_EQ(said.size(), 4u);
  EXPECT_EQ(said[0], QStringLiteral("んと、あんたの名前はＭＩＫＡで、♂で3月15生まれ…であってる？"));
  EXPECT_EQ(said[1], QStringLiteral("ＯＫ、ＭＩＫＡ君ね、変な名前っ"));
  EXPECT_EQ(said[2], QStringLiteral("えーと、あんたの名前はＭＩＫＡで、7月30生まれ…であってる？"));
  EXPECT_EQ(said[3], QStringLiteral("ＯＫ、ＯＫ、7月30生まれ…と・・・・"));
  EXPECT_EQ(profile.playerName, "ＭＩＫＡ");
  EXPECT_EQ(profile.playerSex, 1);
  EXPECT_EQ(profile.birthMonth, 7);
  EXPECT_EQ(profile.birthDay, 30);
  // The birthday tease draws its month from 12 values and then its day from 30 only.
  const auto& limits = random.limits();
  auto month = std::find(limits.begin(), limits.end(), 12);
  ASSERT_NE(month, limits.end());
  ASSERT_NE(month + 1, limits.end());
  EXPECT_EQ(*(month + 1), 30);
}

TEST_F(ReadingFlowTest, RefusedTeasesRecallTheProfile) {
  openForm();
  form->start_box->hide();
  profile.playerName = "ＡＫＩ";
  profile.birthMonth = 3;
  profile.birthDay = 15;
  for (int v : {0, 2, 5, 0, 0, 0, 0, 1, 2}) random.push(v);
  steps = {Step::No, Step::ClickSpeech, Step::No, Step::ClickSpeech};
  form->OfferChoices();
  std::vector<QString> said = lines();
  ASSERT_EQ(said.size(), 4u);
  EXPECT_EQ(said[1], QStringLiteral("ああ、ちがったちがった、ＡＫＩちゃんだった"));
  EXPECT_EQ(said[3], QStringLiteral("ああ、ちがったちがった、3月15生まれでしょ！"));
  EXPECT_EQ(profile.playerName, "ＡＫＩ");
  EXPECT_EQ(profile.birthMonth, 3);
}

struct ReactionCase {
  int r;
  std::vector<Step> answers;  // for the reaction's waits
  std::vector<QString> lines;
  int mood;
};

class ReactionTest : public ReadingFlowTest, public ::testing::WithParamInterface<ReactionCase> {};

TEST_P(ReactionTest, SaysItsLinesAndMovesTheMood) {
  const ReactionCase& c = GetParam();
  openForm();
  form->start_box->hide();
  profile.playerName = "ＡＫＩ";
  form->item_l3->setCaption(QStringLiteral("傘"));
  form->item_box->show();
  random.push(c.r);
  random.push(0);  // advice
  steps.assign(c.answers.begin(), c.answers.end());
  pressOn(form->item_l3);
  std::vector<QString> said = lines();
  ASSERT_EQ(said.size(), c.lines.size() + 4);  // then the four ritual lines
  for (std::size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(said[i], c.lines[i]);
  EXPECT_EQ(profile.mood, c.mood);
  EXPECT_EQ(profile.chosenSlot, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReactionTest,
    ::testing::Values(
        ReactionCase{0, {}, {QStringLiteral("『傘』かーっ、あんたもなかなかセンスがいいね")}, 1},
        ReactionCase{10, {}, {QStringLiteral("『傘』？私それだけは選ぶまいと思ってたやつだ")}, -1},
        ReactionCase{20, {Step::Yes, Step::ClickSpeech},
                     {QStringLiteral("ところで、ルピナちゃん知ってる？"), QStringLiteral("知ってるんだ！！")}, 1},
        ReactionCase{20, {Step::No, Step::ClickSpeech},
                     {QStringLiteral("ところで、ルピナちゃん知ってる？"), QStringLiteral("なんだ、そっか・・・")}, -1},
        ReactionCase{26, {},
                     {QStringLiteral("はっ・・・今、宇宙の謎が全て解けた・・・！！"),
                      QStringLiteral("ような気がしたけど・・・気のせいだったみたい・・・")}, 0},
        ReactionCase{27, {Step::No, Step::ClickSpeech},
                     {QStringLiteral("もし一番好きな人が死んだら、あなたも死ぬ？"), QStringLiteral("そっか・・・")}, -1},
        ReactionCase{34, {}, {QStringLiteral("むっ・・・何かとてつもなく悪い予感がする・・・！！")}, -2},
        ReactionCase{35, {}, {}, 0}, ReactionCase{89, {}, {}, 0}));

}  // namespace
