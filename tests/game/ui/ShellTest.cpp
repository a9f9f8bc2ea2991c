// Start-up, the openings of both readings, the waits, the name guard, the data reset and
// closing, on the real form.
#include "FormFixture.h"
#include "game/core/Tables.h"

namespace {

using testing_support::FormFixture;
using testing_support::pressOn;
using Step = FormFixture::Step;

class ShellTest : public FormFixture {};

TEST_F(ShellTest, StartUpReportsEachMissingTitleFrameAndStillLaysOutTheWindow) {
  openForm();
  // No pictures in cg/: three frame failures, each reported, and start-up went on.
  EXPECT_EQ(dialogs.texts("error").size(), 3u);
  EXPECT_EQ(form->start_box->title_cg->geometry(), QRect(0, 0, 481, 357));
  EXPECT_EQ(form->bak->size(), QSize(64, 64));
  EXPECT_EQ(cueNames("wave"), std::vector<std::string>{"guitar.wav"});
  EXPECT_EQ(cueNames("music"), std::vector<std::string>{"gos.mid"});
  EXPECT_EQ(form->engine().tables().nameList[1], "ＭＩＫＡ");
  EXPECT_EQ(form->engine().tables().choiceWords[0], "ねこ");
}

TEST_F(ShellTest, AMissingNameListIsReportedAndTheTablesAreStillFilled) {
  std::filesystem::remove(root / "dat" / "name.dat");
  openForm();
  auto errors = dialogs.texts("error");
  ASSERT_FALSE(errors.empty());
  EXPECT_TRUE(errors.front().contains(QStringLiteral("name.dat")));
  EXPECT_EQ(form->engine().tables().adviceLines[100], "んーん、ハネアリ");
  EXPECT_EQ(form->start_box->title_cg->geometry(), QRect(0, 0, 481, 357));
}

struct MilestoneCase {
  int count;
  std::vector<QString> lines;  // before "まず名前をおしえてね"
};

class SingleMilestoneTest : public FormFixture,
                            public ::testing::WithParamInterface<MilestoneCase> {};

TEST_P(SingleMilestoneTest, SaysItsLinesOneClickEach) {
  game::tmy p;
  p.readingCount = GetParam().count;
  openFormWith(p);
  pressOn(form->start_box->Image13);
  std::vector<QString> expected = GetParam().lines;
  expected.push_back(QStringLiteral("まず名前をおしえてね"));
  EXPECT_EQ(lines(), expected);
  EXPECT_EQ(form->engine().mode(), game::GameMode::Single);
  EXPECT_TRUE(form->start_box->isHidden());
  EXPECT_FALSE(form->name_box->isHidden());
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("はい、名前を入力してくださいよ！"));
  EXPECT_EQ(cues.cues.at(2), (testing_support::CueRecorder::Cue{"wave", 2, "start.wav"}));
}

INSTANTIATE_TEST_SUITE_P(
    Counts, SingleMilestoneTest,
    ::testing::Values(
        MilestoneCase{0, {}}, MilestoneCase{9, {}}, MilestoneCase{11, {}}, MilestoneCase{101, {}},
        MilestoneCase{10,
                      {QStringLiteral("んー、あなたよく見る顔だわ・・・、さすがの私もあなたを覚えたみたい"),
                       QStringLiteral("さてと・・・")}},
        MilestoneCase{50,
                      {QStringLiteral("ゆっとくけどさ・・・私、これでも男だからね！"),
                       QStringLiteral("なーんちゃって・・・いやマジ、さて・・・")}},
        MilestoneCase{100,
                      {QStringLiteral("ところでさ、あんた何回私に占ってもらってるか知ってる？"),
                       QStringLiteral("あ、相性占いは別ね、なんともう100回だよ！！これで101回目になるわけ"),
                       QStringLiteral("さてと・・・")}}));

TEST_F(ShellTest, EveryTenthSingleReadingHasAChat) {
  for (int count = 10; count <= 100; count += 10) {
    SCOPED_TRACE(count);
    waits.clear();
    openForm();
    profile().readingCount = count;
    form->name_box->hide();
    form->start_box->show();
    pressOn(form->start_box->Image13);
    ASSERT_GE(waits.size(), 3u);
    EXPECT_EQ(lines().back(), QStringLiteral("まず名前をおしえてね"));
  }
}

TEST_F(ShellTest, ARememberedPlayerAnsweringYesGoesToTheChoices) {
  openForm();
  profile().playerName = "ＭＩＫＡ";
  profile().birthMonth = 3;
  profile().birthDay = 15;
  profile().playerSex = 2;
  steps = {Step::ClickSpeech, Step::Yes, Step::ClickSpeech};
  random.push(5);  // no name tease
  random.push(5);  // no birthday tease
  for (int i = 0; i < 3; ++i) random.push(i);  // the three words
  pressOn(form->start_box->Image13);
  ASSERT_EQ(waits.size(), 3u);
  EXPECT_EQ(waits[1].kind, game::Wait::YesNo);
  EXPECT_EQ(waits[1].line, QStringLiteral("…と思ったけど君もしかして3月15産まれのＭＩＫＡちゃん？"));
  EXPECT_EQ(waits[2].line, QStringLiteral("やっぱりね、私の見る目に狂いはなかったわ"));
  EXPECT_EQ(profile().mood, 1);
  EXPECT_EQ(form->name_box->name_l->text(), QStringLiteral("ＭＩＫＡ"));
  EXPECT_FALSE(form->item_box->isHidden());
  EXPECT_EQ(form->item_box->item_l1->caption(), QStringLiteral("ねこ"));
  EXPECT_EQ(form->item_box->item_l3->caption(), QStringLiteral("島"));
  EXPECT_EQ(profile().playerName, "ＭＩＫＡ");
}

TEST_F(ShellTest, ARememberedPlayerAnsweringNoIsForgotten) {
  openForm();
  profile().playerName = "ＭＩＫＡ";
  profile().birthMonth = 3;
  profile().birthDay = 15;
  profile().playerSex = 2;
  form->name_box->name_l->setText(QStringLiteral("ＯＬＤ"));
  steps = {Step::ClickSpeech, Step::No, Step::ClickSpeech};
  pressOn(form->start_box->Image13);
  EXPECT_EQ(lines().back(), QStringLiteral("なんだ、違うのか"));
  EXPECT_EQ(form->name_box->name_l->text(), QString());
  EXPECT_EQ(profile().playerName, "");
  EXPECT_EQ(profile().playerSex, 0);
  EXPECT_EQ(profile().birthMonth, 0);
  EXPECT_EQ(profile().birthDay, 0);
  EXPECT_FALSE(form->name_box->isHidden());
}

TEST_F(ShellTest, AnIncompleteProfileIsNotRecognised) {
  for (int missing = 0; missing < 4; ++missing) {
    SCOPED_TRACE(missing);
    openForm();
    profile().playerName = missing == 0 ? "" : "ＭＩＫＡ";
    profile().birthMonth = missing == 1 ? 0 : 3;
    profile().birthDay = missing == 2 ? 0 : 15;
    profile().playerSex = missing == 3 ? 0 : 1;
    waits.clear();
    form->name_box->hide();
    form->start_box->show();
    pressOn(form->start_box->Image13);
    ASSERT_EQ(waits.size(), 1u);  // only "まず名前をおしえてね", then straight to the name panel
    EXPECT_FALSE(form->name_box->isHidden());
  }
}

TEST_F(ShellTest, TheCompatibilityOpeningGrantsItsItemsAtTheMarkedLine) {
  struct Grant {
    int count;
    std::int32_t game::tmy::*flag;
    QString line;
  } grants[] = {{30, &game::tmy::ownsUniverse, QStringLiteral("なんと【宇宙の全て】を手に入れた！！")},
                {60, &game::tmy::ownsSeekingBrain, QStringLiteral("なんと【求める脳】を手に入れた！！")},
                {90, &game::tmy::ownsHappiness, QStringLiteral("なんと【幸せ】を手に入れた！！")}};
  for (const Grant& g : grants) {
    SCOPED_TRACE(g.count);
    openForm();
    profile().compatCount = g.count;
    profile().playerName = "ＡＫＩ";
    profile().birthMonth = 4;
    waits.clear();
    cues.cues.clear();
    form->umare_box->hide();
    form->start_box->show();
    // At each wait: the flag is set from the grant line on, and not before.
    std::vector<std::pair<QString, int>> seen;
    form->engine().onWaitBegins = [&](game::Wait kind) {
      seen.push_back({form->moji_l->caption(), profile().*(g.flag)});
      answerWait(kind);
    };
    pressOn(form->start_box->Image14);
    form->engine().onWaitBegins = [this](game::Wait kind) { answerWait(kind); };
    bool granted = false;
    for (const auto& [line, flag] : seen) {
      if (line == g.line) granted = true;
      EXPECT_EQ(flag, granted ? 1 : 0) << line.toStdString();
    }
    EXPECT_TRUE(granted);
    EXPECT_EQ(seen.back().first, QStringLiteral("まずあなたの生年月日を教えてね"));
    EXPECT_EQ(std::count(cues.cues.begin(), cues.cues.end(),
                         testing_support::CueRecorder::Cue{"wave", 1, "kekka.wav"}),
              1);
    EXPECT_EQ(form->engine().mode(), game::GameMode::CompatOwn);
    EXPECT_EQ(profile().playerName, "");  // the player is forgotten
    EXPECT_EQ(profile().birthMonth, 0);
    EXPECT_FALSE(form->umare_box->isHidden());
  }
}

TEST_F(ShellTest, ClosingDuringTheOpeningChatRunsItOutSilently) {
  game::tmy p;
  p.readingCount = 20;
  openFormWith(p);
  steps = {Step::ClickSpeech, Step::Close};
  pressOn(form->start_box->Image13);
  EXPECT_EQ(waits.size(), 2u);
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("私が言うのもなんだけど、私、占いってぜんぶウソだと思うのよねっ"));
  EXPECT_TRUE(form->click_l->isHidden());
  EXPECT_TRUE(std::filesystem::exists(root / "dat" / "my.dat"));
}

TEST_F(ShellTest, TheNameGuardCutsATenthLetterWithinOneTick) {
  openForm();
  form->start_box->hide();
  form->name_box->show();
  for (int i = 0; i < 10; ++i) pressOn(form->name_box->nameTiles[0]);  // Ａ × 10
  EXPECT_EQ(form->name_box->name_l->text().size(), 10);
  cues.cues.clear();
  clock.advance(50);
  form->Timer1Timer();
  EXPECT_EQ(form->name_box->name_l->text(), QString(9, QChar(u'Ａ')));
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("それ以上書いたらはみでるんだよ！！"));
  ASSERT_GE(cues.cues.size(), 2u);
  EXPECT_EQ(cues.cues[0], (testing_support::CueRecorder::Cue{"wave", 0, "no.wav"}));
  EXPECT_EQ(cues.cues[1], (testing_support::CueRecorder::Cue{"face", -1, "kao3.bmp"}));
  // Nine letters (18 bytes) are left alone.
  cues.cues.clear();
  form->Timer1Timer();
  EXPECT_TRUE(cueNames("wave").empty());
}

TEST_F(ShellTest, TheStatusIsRefreshedAtMostEvery80Milliseconds) {
  openForm();
  int before = form->engine().tickCount();
  form->Timer1Timer();  // first beat: refresh
  form->Timer1Timer();  // same instant: none
  clock.advance(50);
  form->Timer1Timer();  // 50 ms later: none
  clock.advance(50);
  form->Timer1Timer();  // 100 ms after the first: refresh
  EXPECT_EQ(form->engine().tickCount(), before + 2);
}

TEST_F(ShellTest, TheTitleAnimatesOnlyWhileTheTitleIsShown) {
  openForm();
  form->Timer2Timer();
  EXPECT_EQ(form->engine().tickCount(), 1);
  form->start_box->hide();
  form->Timer2Timer();
  EXPECT_EQ(form->engine().tickCount(), 1);
  while (form->engine().tickCount() != 999) form->engine().nextTick();
  form->start_box->show();
  form->Timer2Timer();
  EXPECT_EQ(form->engine().tickCount(), 0);
}

TEST_F(ShellTest, F1ClearsTheCountersNameBirthdayAndItemsButNotTheSex) {
  game::tmy p;
  p.readingCount = 12;
  p.compatCount = 31;
  p.playerName = "ＭＩＫＡ";
  p.birthMonth = 3;
  p.birthDay = 15;
  p.playerSex = 2;
  p.partnerMonth = 9;
  p.partnerDay = 9;
  p.ownsUniverse = p.ownsSeekingBrain = p.ownsHappiness = 1;
  p.reserved[4] = 77;
  openFormWith(p);
  game::tmy expected = p;
  expected.readingCount = expected.compatCount = 0;
  expected.playerName.clear();
  expected.birthMonth = expected.birthDay = 0;
  expected.ownsUniverse = expected.ownsSeekingBrain = expected.ownsHappiness = 0;

  dialogs.answers = {platform::Answer::No};
  game::tmy untouched = profile();
  QTest::keyClick(form.get(), Qt::Key_F1);
  EXPECT_EQ(profile(), untouched);

  dialogs.answers = {platform::Answer::Dismissed};  // anything but No is consent
  QTest::keyClick(form.get(), Qt::Key_F1);
  EXPECT_EQ(profile(), expected);
  EXPECT_EQ(dialogs.texts("inform").back(), QStringLiteral("Done...."));
  EXPECT_EQ(dialogs.texts("confirm").back(),
            QStringLiteral("データを初期化してしまいます。よろしいですか？普通はいいえを押して下さい"));
}

TEST_F(ShellTest, F1InAnInputFieldIsNotAReset) {
  game::tmy p;
  p.readingCount = 12;
  openFormWith(p);
  form->start_box->hide();
  form->umare_box->show();
  form->umare_box->umare_v->setFocus();
  QTest::keyClick(form->umare_box->umare_v, Qt::Key_F1);
  EXPECT_EQ(profile().readingCount, 12);
  EXPECT_TRUE(dialogs.texts("confirm").empty());
}

}  // namespace
