// Start-up, the name guard, the status timer, the title animation and the data reset, on the
// real form.
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
