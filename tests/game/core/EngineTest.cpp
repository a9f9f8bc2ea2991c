// Both readings on the engine alone: from the title to the result and back, the teases and
// reactions of the single reading, the questions of the compatibility reading, and how a
// close ends a conversation at any wait.
#include <algorithm>

#include "EngineFixture.h"
#include "game/core/ProfileFile.h"

namespace {

using testing_support::EngineFixture;
using Step = EngineFixture::Step;
using game::Answer;
using game::Panel;

class EngineTest : public EngineFixture {
 protected:
  game::tmy savedProfile() {
    EXPECT_TRUE(engine->SaveProfile().ok);
    std::ifstream in(root / "dat" / "my.dat", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    game::tmy saved;
    EXPECT_FALSE(game::decodeProfile(bytes, saved).damaged);
    return saved;
  }
};

TEST_F(EngineTest, ASingleReadingFromTheTitleToTheResultAndBack) {
  engine->startSingleReading();  // 7 December 2026: M = 12, D = 7 (odd)
  ASSERT_EQ(view.panel, Panel::Name);
  for (int tile : {0, 6, 8}) engine->letterTile(tile);  // ＡＫＩ
  EXPECT_EQ(view.name, "ＡＫＩ");
  steps = {Step::Yes};
  engine->nameEntered();
  ASSERT_EQ(view.panel, Panel::Sex);
  engine->sexChosen(2);  // ♀, then one click
  ASSERT_EQ(view.panel, Panel::Birthday);
  steps = {Step::Yes};
  for (int v : {5, 5, 0, 12, 99}) random.push(v);  // no teases, then three words
  engine->birthdayEntered(3, 15);
  ASSERT_EQ(view.panel, Panel::Choices);
  EXPECT_EQ(view.choices, (std::array<std::string, 3>{"ねこ", "空", "公園"}));
  EXPECT_EQ(view.line, "んじゃ、君の好きなの選んでニャ");

  random.push(40);  // no reaction
  random.push(7);   // the advice slot
  said.clear();
  cues.cues.clear();
  engine->choose(1);
  EXPECT_EQ(said, (std::vector<std::string>{"よーーし占っちゃうゾー！！！どうなっても知らないゾー！！",
                                            "むむむむむむむむむむ", "ピロピロビクビクポムリーン！！",
                                            "でましたんっ！！"}));
  // basePoints = 6 (ＡＫＩ) + 4 (ねこ) + 4 × (13 − 9) + (32 − 8) = 50, +10 for a woman on an odd day.
  EXPECT_EQ(view.panel, Panel::Result);
  EXPECT_EQ(view.result.resultText,
            "お金 > ★\r勉強 > ★\r恋愛 > ★\r神話 > ★\r\rラッキーアイテムは… > ネットサーフィン");
  EXPECT_EQ(view.result.score, "60");
  EXPECT_EQ(view.result.advice, engine->tables().adviceLines[7]);
  EXPECT_EQ(view.result.pictureStem, "good");
  EXPECT_EQ(profile().readingCount, 1);
  EXPECT_EQ(profile().chosenSlot, 1);
  EXPECT_EQ(profile().chosenWord, "ねこ");
  std::vector<testing_support::CueRecorder::Cue> tail(cues.cues.end() - 3, cues.cues.end());
  EXPECT_EQ(tail, (std::vector<testing_support::CueRecorder::Cue>{
                      {"wave", 1, "good.wav"}, {"wave", 3, "kekka.wav"}, {"music", -1, "not"}}));
  EXPECT_EQ(cues.cues.front(), (testing_support::CueRecorder::Cue{"wave", 0, "1.wav"}));

  boxAnswers = {Answer::No};
  cues.cues.clear();
  EXPECT_EQ(engine->waiting(), game::Wait::Result);
  engine->leaveResult();
  EXPECT_EQ(view.panel, Panel::Title);
  EXPECT_EQ(view.boxes, (std::vector<std::string>{"?ぜんぶウソだけどね！！", "!君いい子ね！"}));
  EXPECT_EQ(cueNames("wave"), (std::vector<std::string>{"6.wav", "1.wav", "1.wav", "guitar.wav"}));
  EXPECT_FALSE(engine->running());

  const game::tmy saved = savedProfile();
  EXPECT_EQ(saved.readingCount, 1);
  EXPECT_EQ(saved.playerName, "ＡＫＩ");
  EXPECT_EQ(saved.playerSex, 2);
  EXPECT_EQ(saved.birthMonth, 3);
  EXPECT_EQ(saved.birthDay, 15);
}

TEST_F(EngineTest, YesOnTheResultSheetClosesAndARefusedCloseLeavesTheSheetUp) {
  for (int v : {5, 5, 0, 1, 2}) random.push(v);
  startAtTheWords();
  random.push(40);
  random.push(0);
  engine->choose(2);
  engine->leaveResult();  // Yes: "フン！！", then the window is asked to close
  EXPECT_EQ(view.boxes.back(), "!フン！！");
  EXPECT_EQ(view.closeRequests, 1);
  EXPECT_EQ(engine->waiting(), game::Wait::Result);  // the close was refused: leave again
  engine->leaveResult();
  EXPECT_EQ(view.closeRequests, 2);
}

TEST_F(EngineTest, ACompatibilityReadingFromTheTitleToItsEnd) {
  engine->startCompatReading();
  ASSERT_EQ(view.panel, Panel::Birthday);
  steps = {Step::Yes, Step::Click};
  engine->birthdayEntered(4, 20);
  ASSERT_EQ(engine->mode(), game::GameMode::CompatPartner);
  // Questions 1 and 2 are drawn and both answered yes; every other draw fails.
  random.push(0);
  random.push(0);
  for (int i = 2; i < 24; ++i) random.push(1);
  said.clear();
  steps = {Step::Yes, Step::Click, Step::Yes, Step::Yes};
  engine->birthdayEntered(9, 20);
  ASSERT_EQ(said.size(), 10u);
  EXPECT_EQ(said[1], "では、質問しますニャ！！");
  EXPECT_EQ(said[2], "相手の人はさびしがりやさんですか？");
  EXPECT_EQ(said[3], "あなたはさびしがりやさんですか？");
  // 2 × ((13 − |4 − 9 − 12|) + (32 − |20 − 20 − 7|)) = 42; mood 2 + 3 = 5; September +10.
  EXPECT_EQ(said[8], "今日のあなたと相手の人との相性度は・・・【42％】です！！");
  EXPECT_EQ(said[9], "さらにあなたと相手の人が今日、ときめきあっちゃう可能性は…【102％】!!");
  EXPECT_EQ(profile().mood, 5);
  EXPECT_EQ(profile().compatCount, 1);
  EXPECT_EQ(view.boxes, (std::vector<std::string>{"?どお、わたくしの占いに満足したかしら！？", "!オホホホホ！！"}));
  EXPECT_EQ(view.panel, Panel::Title);
  EXPECT_EQ(view.faceSide, 64);
  const std::vector<std::string> faces = cueNames("face");
  EXPECT_NE(std::find(faces.begin(), faces.end(), "soso.bmp"), faces.end());
  EXPECT_NE(std::find(faces.begin(), faces.end(), "happy.bmp"), faces.end());
  EXPECT_EQ(faces.back(), "kao.bmp");
  EXPECT_EQ(savedProfile().compatCount, 1);
}

TEST_F(EngineTest, NoToTheSatisfactionQuestionClosesTheWindow) {
  steps = {Step::Click, Step::Yes, Step::Click, Step::Yes};
  engine->startCompatReading();
  engine->birthdayEntered(1, 1);
  for (int i = 0; i < 24; ++i) random.push(1);  // nothing asked
  boxAnswers = {Answer::No};
  engine->birthdayEntered(2, 2);
  EXPECT_EQ(view.boxes.back(), "!うるさいのよ！！");
  EXPECT_EQ(view.closeRequests, 1);
  EXPECT_FALSE(engine->running());
}

TEST_F(EngineTest, AClosedConversationSaysNothingMoreAndTakesNoInput) {
  engine->startCompatReading();
  random.push(0);  // question 1 asked; the window closes during its wait
  for (int i = 1; i < 24; ++i) random.push(1);
  steps = {Step::Yes, Step::Click, Step::Yes};
  engine->birthdayEntered(1, 1);
  steps = {Step::Yes, Step::Click, Step::Close};
  engine->birthdayEntered(2, 2);
  EXPECT_FALSE(engine->running());
  EXPECT_EQ(view.line, "相手の人はさびしがりやさんですか？");
  engine->click();
  engine->answer(Answer::Yes);
  EXPECT_EQ(view.line, "相手の人はさびしがりやさんですか？");
  EXPECT_EQ(profile().compatCount, 0);
  EXPECT_TRUE(view.boxes.empty());

  // At a click wait, and a new reading can start from the title afterwards.
  steps = {Step::Close};
  engine->startSingleReading();
  EXPECT_FALSE(engine->running());
  EXPECT_EQ(view.line, "まず名前をおしえてね");
}

TEST_F(EngineTest, TeasesChangeOrRecallTheProfile) {
  for (int v : {0, 1, 5}) random.push(v);   // name tease: slot 1, not made up
  for (int v : {0, 6, 29}) random.push(v);  // birthday tease: 7月30
  for (int v : {0, 1, 2}) random.push(v);   // the words
  steps = {Step::Yes, Step::Click, Step::Yes, Step::Click};
  startAtTheWords();
  EXPECT_EQ(said, (std::vector<std::string>{"んと、あんたの名前はＭＩＫＡで、♂で3月15生まれ…であってる？",
                                            "ＯＫ、ＭＩＫＡ君ね、変な名前っ",
                                            "えーと、あんたの名前はＭＩＫＡで、7月30生まれ…であってる？",
                                            "ＯＫ、ＯＫ、7月30生まれ…と・・・・"}));
  EXPECT_EQ(profile().playerName, "ＭＩＫＡ");
  EXPECT_EQ(profile().playerSex, 1);
  EXPECT_EQ(profile().birthMonth, 7);
  EXPECT_EQ(profile().birthDay, 30);
  // The birthday tease draws its month from 12 values and then its day from 30 only.
  const auto& limits = random.limits();
  auto month = std::find(limits.begin(), limits.end(), 12);
  ASSERT_NE(month, limits.end());
  ASSERT_NE(month + 1, limits.end());
  EXPECT_EQ(*(month + 1), 30);

  engine->cancel();
  said.clear();
  for (int v : {0, 2, 5, 0, 0, 0, 0, 1, 2}) random.push(v);
  steps = {Step::No, Step::Click, Step::No, Step::Click};
  startAtTheWords();
  ASSERT_EQ(said.size(), 4u);
  EXPECT_EQ(said[1], "ああ、ちがったちがった、ＡＫＩちゃんだった");
  EXPECT_EQ(said[3], "ああ、ちがったちがった、3月15生まれでしょ！");
  EXPECT_EQ(profile().playerName, "ＡＫＩ");
  EXPECT_EQ(profile().birthMonth, 3);
}

struct ReactionCase {
  int r;
  std::vector<Step> answers;  // for the reaction's waits
  std::vector<std::string> lines;
  int mood;
};

class ReactionTest : public EngineTest, public ::testing::WithParamInterface<ReactionCase> {};

TEST_P(ReactionTest, SaysItsLinesAndMovesTheMood) {
  const ReactionCase& c = GetParam();
  for (int v : {5, 5, 0, 1, 99}) random.push(v);  // the third word is 公園
  startAtTheWords();
  const int moodBefore = profile().mood;
  random.push(c.r);
  random.push(0);  // advice
  steps.assign(c.answers.begin(), c.answers.end());
  said.clear();
  engine->choose(3);
  ASSERT_EQ(said.size(), c.lines.size() + 4);  // then the four ritual lines
  for (std::size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(said[i], c.lines[i]);
  EXPECT_EQ(profile().mood - moodBefore, c.mood);
  EXPECT_EQ(profile().chosenSlot, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReactionTest,
    ::testing::Values(
        ReactionCase{0, {}, {"『公園』かーっ、あんたもなかなかセンスがいいね"}, 1},
        ReactionCase{10, {}, {"『公園』？私それだけは選ぶまいと思ってたやつだ"}, -1},
        ReactionCase{20, {Step::Yes, Step::Click}, {"ところで、ルピナちゃん知ってる？", "知ってるんだ！！"}, 1},
        ReactionCase{20, {Step::No, Step::Click}, {"ところで、ルピナちゃん知ってる？", "なんだ、そっか・・・"}, -1},
        ReactionCase{26, {}, {"はっ・・・今、宇宙の謎が全て解けた・・・！！", "ような気がしたけど・・・気のせいだったみたい・・・"}, 0},
        ReactionCase{27, {Step::No, Step::Click}, {"もし一番好きな人が死んだら、あなたも死ぬ？", "そっか・・・"}, -1},
        ReactionCase{34, {}, {"むっ・・・何かとてつもなく悪い予感がする・・・！！"}, -2},
        ReactionCase{35, {}, {}, 0}, ReactionCase{89, {}, {}, 0}));


TEST_F(EngineTest, OnlyTheFirstClickOfAWaitCountsAndTheFaceDoesNotAnswer) {
  engine->click();  // on the title, before any wait: sounds, but is not remembered
  steps = {Step::Ignore};
  engine->startSingleReading();
  EXPECT_EQ(engine->waiting(), game::Wait::Click);
  EXPECT_TRUE(view.clickPrompt);
  engine->faceClicked();
  EXPECT_EQ(view.line, "むきゃっ、顔さわんな！！ウザっ！！");
  EXPECT_EQ(engine->waiting(), game::Wait::Click);
  cues.cues.clear();
  engine->click();
  EXPECT_FALSE(view.clickPrompt);
  EXPECT_EQ(view.panel, Panel::Name);
  engine->click();
  EXPECT_EQ(cueNames("wave"), (std::vector<std::string>{"1.wav"}));
}


TEST(PortraitJitter, DrawsBottomRightTopLeftAndAlwaysCoversTheFace) {
  testing_support::ScriptedRandom ordered{5, 0, 4, 1};
  const game::FaceRect first = game::portraitJitter(ordered);
  EXPECT_EQ(ordered.limits(), (std::deque<int>{6, 6, 5, 5}));
  EXPECT_EQ(first.x, -1);
  EXPECT_EQ(first.y, -4);
  EXPECT_EQ(first.x + first.width, 150);   // right edge: 150 + r
  EXPECT_EQ(first.y + first.height, 155);  // bottom edge: 150 + b
  for (int b = 0; b < 6; ++b)
    for (int r = 0; r < 6; ++r)
      for (int t = 0; t < 5; ++t)
        for (int l = 0; l < 5; ++l) {
          testing_support::ScriptedRandom random{b, r, t, l};
          const game::FaceRect rect = game::portraitJitter(random);
          SCOPED_TRACE(::testing::Message() << b << r << t << l);
          EXPECT_TRUE(rect.x <= 0 && rect.y <= 0 && rect.x >= -4 && rect.y >= -4);
          EXPECT_TRUE(rect.x + rect.width >= 150 && rect.x + rect.width <= 155);
          EXPECT_TRUE(rect.y + rect.height >= 150 && rect.y + rect.height <= 155);
        }
}


struct OpeningCase {
  int readings;                    // single readings done before
  std::vector<std::string> lines;  // said before "まず名前をおしえてね"
};

class OpeningTest : public EngineFixture, public ::testing::WithParamInterface<OpeningCase> {};

TEST_P(OpeningTest, MilestoneChatsSayTheirLinesOneClickEach) {
  profile().readingCount = GetParam().readings;
  engine->startSingleReading();
  std::vector<std::string> expected = GetParam().lines;
  expected.push_back("まず名前をおしえてね");
  EXPECT_EQ(said, expected);
  EXPECT_EQ(engine->mode(), game::GameMode::Single);
  EXPECT_EQ(view.panel, Panel::Name);
  EXPECT_EQ(view.line, "はい、名前を入力してくださいよ！");
  EXPECT_EQ(cues.cues.front(), (testing_support::CueRecorder::Cue{"wave", 2, "start.wav"}));
}

INSTANTIATE_TEST_SUITE_P(
    Counts, OpeningTest,
    ::testing::Values(OpeningCase{0, {}}, OpeningCase{9, {}}, OpeningCase{11, {}}, OpeningCase{101, {}},
                      OpeningCase{10, {"んー、あなたよく見る顔だわ・・・、さすがの私もあなたを覚えたみたい", "さてと・・・"}},
                      OpeningCase{50, {"ゆっとくけどさ・・・私、これでも男だからね！", "なーんちゃって・・・いやマジ、さて・・・"}},
                      OpeningCase{100,
                                  {"ところでさ、あんた何回私に占ってもらってるか知ってる？",
                                   "あ、相性占いは別ね、なんともう100回だよ！！これで101回目になるわけ", "さてと・・・"}}));

TEST_F(OpeningTest, EveryTenthReadingHasAChatAndAClosedChatEndsThere) {
  for (int count = 10; count <= 100; count += 10) {
    SCOPED_TRACE(count);
    said.clear();
    profile().readingCount = count;
    engine->startSingleReading();
    EXPECT_GE(said.size(), 3u);
    EXPECT_EQ(said.back(), "まず名前をおしえてね");
    engine->cancel();
  }
  said.clear();
  profile().readingCount = 20;
  steps = {Step::Click, Step::Close};
  engine->startSingleReading();
  EXPECT_EQ(said.size(), 2u);
  EXPECT_EQ(view.line, "私が言うのもなんだけど、私、占いってぜんぶウソだと思うのよねっ");
  EXPECT_FALSE(view.clickPrompt);
  EXPECT_FALSE(engine->running());
}

TEST_F(OpeningTest, ARememberedPlayerIsAskedAndForgottenOnNo) {
  makeReturning();
  for (int v : {5, 5, 0, 1, 2}) random.push(v);  // no teases, three words
  steps = {Step::Click, Step::Yes, Step::Click};
  engine->startSingleReading();
  ASSERT_EQ(said.size(), 3u);
  EXPECT_EQ(said[1], "…と思ったけど君もしかして3月15産まれのＡＫＩちゃん？");
  EXPECT_EQ(said[2], "やっぱりね、私の見る目に狂いはなかったわ");
  EXPECT_EQ(profile().mood, 1);
  EXPECT_EQ(view.name, "ＡＫＩ");
  EXPECT_EQ(view.panel, Panel::Choices);

  engine->cancel();
  said.clear();
  steps = {Step::Click, Step::No, Step::Click};
  engine->startSingleReading();
  EXPECT_EQ(said.back(), "なんだ、違うのか");
  EXPECT_EQ(view.name, "");
  EXPECT_EQ(profile().playerName, "");
  EXPECT_EQ(profile().playerSex, 0);
  EXPECT_EQ(profile().birthMonth, 0);
  EXPECT_EQ(profile().birthDay, 0);
  EXPECT_EQ(view.panel, Panel::Name);

  // Without any one of name, birthday or sex the player is not recognised.
  for (int missing = 0; missing < 4; ++missing) {
    SCOPED_TRACE(missing);
    engine->cancel();
    makeReturning();
    if (missing == 0) profile().playerName.clear();
    if (missing == 1) profile().birthMonth = 0;
    if (missing == 2) profile().birthDay = 0;
    if (missing == 3) profile().playerSex = 0;
    said.clear();
    engine->startSingleReading();
    EXPECT_EQ(said, std::vector<std::string>{"まず名前をおしえてね"});
    EXPECT_EQ(view.panel, Panel::Name);
  }
}

TEST_F(OpeningTest, TheCompatibilityOpeningGrantsItsItemsAtTheMarkedLine) {
  struct Grant {
    int count;
    std::int32_t game::tmy::*flag;
    std::string line;
  } grants[] = {{30, &game::tmy::ownsUniverse, "なんと【宇宙の全て】を手に入れた！！"},
                {60, &game::tmy::ownsSeekingBrain, "なんと【求める脳】を手に入れた！！"},
                {90, &game::tmy::ownsHappiness, "なんと【幸せ】を手に入れた！！"}};
  for (const Grant& g : grants) {
    SCOPED_TRACE(g.count);
    engine->cancel();
    profile() = game::tmy{};
    profile().compatCount = g.count;
    profile().playerName = "ＡＫＩ";
    profile().birthMonth = 4;
    cues.cues.clear();
    // At each wait: the flag is set from the grant line on, and not before.
    std::vector<std::pair<std::string, int>> seen;
    engine->onWaitBegins = [&](game::Wait kind) {
      if (kind == game::Wait::Click) seen.push_back({view.line, profile().*(g.flag)});
      answer(kind);
    };
    engine->startCompatReading();
    bool granted = false;
    for (const auto& [line, flag] : seen) {
      if (line == g.line) granted = true;
      EXPECT_EQ(flag, granted ? 1 : 0) << line;
    }
    EXPECT_TRUE(granted);
    EXPECT_EQ(seen.back().first, "まずあなたの生年月日を教えてね");
    EXPECT_EQ(std::count(cues.cues.begin(), cues.cues.end(),
                         testing_support::CueRecorder::Cue{"wave", 1, "kekka.wav"}),
              1);
    EXPECT_EQ(engine->mode(), game::GameMode::CompatOwn);
    EXPECT_EQ(profile().playerName, "");  // the player is forgotten
    EXPECT_EQ(profile().birthMonth, 0);
    EXPECT_EQ(view.panel, Panel::Birthday);
  }
}


class QuestionsTest : public EngineFixture {
 protected:
  void typeName(std::initializer_list<int> tiles) {
    engine->startSingleReading();
    for (int tile : tiles) engine->letterTile(tile);
    said.clear();
    cues.cues.clear();
  }
};

TEST_F(QuestionsTest, TheNameIsConfirmedOrAskedAgainAndAnEmptyNameRefused) {
  typeName({});
  engine->nameEntered();
  engine->nameEntered();
  EXPECT_EQ(profile().mood, -2);
  EXPECT_EQ(view.panel, Panel::Name);
  EXPECT_EQ(view.line, "ちょっとまって？名前なし？私を馬鹿にしてるわけ？");
  EXPECT_EQ(cueNames("wave"), (std::vector<std::string>{"no.wav", "no.wav"}));
  EXPECT_TRUE(said.empty());

  for (int tile : {10, 0}) engine->letterTile(tile);  // ＭＡ
  cues.cues.clear();
  steps = {Step::No, Step::Click};
  engine->nameEntered();
  EXPECT_EQ(said, (std::vector<std::string>{"あなたのお名前はー・・・ＭＡちゃんね、フーン",
                                            "え？あなたさっきそう言ったじゃないの！！ちがうっていうの？"}));
  EXPECT_EQ(view.line, "はいっ、２秒で名前を教えて！！");
  EXPECT_EQ(profile().mood, -3);
  EXPECT_EQ(profile().playerName, "ＭＡ");
  EXPECT_EQ(view.name, "ＭＡ");
  EXPECT_EQ(view.panel, Panel::Name);
  EXPECT_EQ(cueNames("face").back(), "kao4.bmp");

  steps = {Step::Yes};
  cues.cues.clear();
  engine->nameEntered();
  EXPECT_EQ(view.panel, Panel::Sex);
  EXPECT_EQ(view.line, "よしっ、で、あなた男の子？女の子？");
  EXPECT_EQ(cueNames("face"), (std::vector<std::string>{"kao2.bmp", "kao.bmp"}));
  EXPECT_EQ(cueNames("wave"), (std::vector<std::string>{"ok.wav", "2.wav"}));
}

TEST_F(QuestionsTest, EachSexHasItsRemarkAndOneClickBeforeTheBirthday) {
  const std::pair<std::int32_t, std::string> cases[] = {{1, "おまえおとこか！！はいおっけ！"},
                                                        {2, "おなごかっっ、はいおっけ！"}};
  for (const auto& [sex, remark] : cases) {
    SCOPED_TRACE(sex);
    engine->cancel();
    typeName({0});
    steps = {Step::Yes};
    engine->nameEntered();
    said.clear();
    cues.cues.clear();
    engine->sexChosen(sex);
    EXPECT_EQ(profile().playerSex, sex);
    EXPECT_EQ(said, std::vector<std::string>{remark});
    EXPECT_EQ(view.line, "次は生年月日だねっ");
    EXPECT_EQ(view.panel, Panel::Birthday);
    EXPECT_EQ(cueNames("wave"), (std::vector<std::string>{"3.wav", "1.wav"}));
    EXPECT_EQ(cueNames("face"), (std::vector<std::string>{"kao2.bmp", "kao4.bmp"}));
  }
}

TEST_F(QuestionsTest, TheCompatibilityPathAsksTheOwnThenThePartnersBirthday) {
  engine->startCompatReading();
  said.clear();
  steps = {Step::Yes, Step::Click};
  engine->birthdayEntered(4, 20);
  EXPECT_EQ(said, (std::vector<std::string>{"ほーほー、生年月日は、4月20日ね？", "次は相手の人の生年月日ね"}));
  EXPECT_EQ(engine->mode(), game::GameMode::CompatPartner);
  EXPECT_EQ(view.panel, Panel::Birthday);
  EXPECT_EQ(profile().birthMonth, 4);
  EXPECT_EQ(profile().birthDay, 20);

  said.clear();
  steps = {Step::No, Step::Click};
  engine->birthdayEntered(9, 20);
  EXPECT_EQ(said, (std::vector<std::string>{"相手の人の生年月日は、9月20日ね？", "なに？君、私の記憶力を疑う気なわけ？"}));
  EXPECT_EQ(view.line, "ムキー！早く教えてよ！！");
  EXPECT_EQ(profile().mood, -1);
  EXPECT_EQ(profile().partnerMonth, 9);  // stored before the question
  EXPECT_EQ(engine->mode(), game::GameMode::CompatPartner);
  EXPECT_EQ(view.panel, Panel::Birthday);
}

}  // namespace
