// The sex and birthday questions and their hand-over to the readings.
#include <QLineEdit>

#include "FormFixture.h"

namespace {

using testing_support::FormFixture;
using testing_support::pressOn;
using Step = FormFixture::Step;

class QuestionsTest : public FormFixture {
 protected:
  void openBirthday(bool compat) { openAt(game::Panel::Birthday, compat); }
};

TEST_F(QuestionsTest, EachSexHasItsRemarkAndOneClickBeforeTheBirthday) {
  struct Case {
    QWidget* (*hotspot)(game::TForm1&);
    int sex;
    QString remark;
  } cases[] = {{[](game::TForm1& f) -> QWidget* { return f.sex_box->Image11; }, 1,
                QStringLiteral("おまえおとこか！！はいおっけ！")},
               {[](game::TForm1& f) -> QWidget* { return f.sex_box->Image12; }, 2,
                QStringLiteral("おなごかっっ、はいおっけ！")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sex);
    openAt(game::Panel::Sex);
    pressOn(c.hotspot(*form));
    EXPECT_EQ(profile().playerSex, c.sex);
    ASSERT_EQ(waits.size(), 1u);
    EXPECT_EQ(waits[0].line, c.remark);
    EXPECT_EQ(form->moji_l->caption(), QStringLiteral("次は生年月日だねっ"));
    EXPECT_TRUE(form->sex_box->isHidden());
    EXPECT_FALSE(form->umare_box->isHidden());
    auto sounds = cueNames("wave");
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "3.wav"), 1);
    EXPECT_EQ(cueNames("face"), (std::vector<std::string>{"kao2.bmp", "kao4.bmp"}));
  }
}

TEST_F(QuestionsTest, UntouchedFieldsGiveTheFirstOfJanuary) {
  openBirthday(false);
  steps = {Step::Close};
  pressOn(form->umare_box->Image9);
  EXPECT_EQ(waits.at(0).line, QStringLiteral("ほーほー、生年月日は、1月1日ね？"));
  EXPECT_EQ(profile().birthMonth, 1);
  EXPECT_EQ(profile().birthDay, 1);
  EXPECT_EQ(cues.cues.at(0), (testing_support::CueRecorder::Cue{"wave", 0, "ok.wav"}));
}

TEST_F(QuestionsTest, TypedValuesAreLimitedToTheRange) {
  openBirthday(false);
  int beeps = 0;
  form->umare_box->umare_v->onBeep = [&] { ++beeps; };
  form->umare_box->umare_v->setFocus();
  form->umare_box->umare_v->findChild<QLineEdit*>()->selectAll();
  QTest::keyClicks(form->umare_box->umare_v, QStringLiteral("45"));
  QTest::keyClick(form->umare_box->umare_v, Qt::Key_X);       // refused with a beep
  QTest::keyClick(form->umare_box->umare_v, Qt::Key_A);       // refused with a beep
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(form->umare_box->umare_v->text(), QStringLiteral("45"));
  form->umare_box->umare_v2->findChild<QLineEdit*>()->setText(QStringLiteral("31"));
  steps = {Step::Close};
  pressOn(form->umare_box->Image9);  // the month field still has the focus
  EXPECT_EQ(profile().birthMonth, 12);
  EXPECT_EQ(profile().birthDay, 31);
}

TEST_F(QuestionsTest, AnEmptiedFieldReadsOneAndImpossibleDatesAreAccepted) {
  openBirthday(false);
  form->umare_box->umare_v->findChild<QLineEdit*>()->setText(QStringLiteral("2"));
  form->umare_box->umare_v2->findChild<QLineEdit*>()->setText(QStringLiteral("31"));
  steps = {Step::Close};
  pressOn(form->umare_box->Image9);
  EXPECT_EQ(waits.at(0).line, QStringLiteral("ほーほー、生年月日は、2月31日ね？"));
  form->umare_box->umare_v2->findChild<QLineEdit*>()->clear();
  EXPECT_EQ(form->umare_box->umare_v2->value(), 1);
}

TEST_F(QuestionsTest, ArrowKeysStepWithinTheRangeAndEachStepClicks) {
  openBirthday(false);
  form->umare_box->umare_v->setFocus();
  QTest::keyClick(form->umare_box->umare_v, Qt::Key_Down);  // stays at 1
  QTest::keyClick(form->umare_box->umare_v, Qt::Key_Up);
  QTest::keyClick(form->umare_box->umare_v, Qt::Key_Up);
  EXPECT_EQ(form->umare_box->umare_v->value(), 3);
  auto keys = cueNames("wave");
  EXPECT_EQ(std::count(keys.begin(), keys.end(), "key.wav"), 2);
  for (const auto& c : cues.cues) EXPECT_EQ(c.channel, 1);
  form->umare_box->umare_v->findChild<QLineEdit*>()->setText(QStringLiteral("99"));
  form->umare_box->umare_v2->setFocus();  // focus loss clamps
  QApplication::processEvents();
  EXPECT_EQ(form->umare_box->umare_v->text(), QStringLiteral("12"));
}

TEST_F(QuestionsTest, TheCompatibilityPathAsksTheOwnThenThePartnersBirthday) {
  openBirthday(true);
  form->umare_box->umare_v->setValue(4);
  form->umare_box->umare_v2->setValue(20);
  steps = {Step::Yes, Step::ClickSpeech};
  pressOn(form->umare_box->Image9);
  EXPECT_EQ(waits.at(0).line, QStringLiteral("ほーほー、生年月日は、4月20日ね？"));
  EXPECT_EQ(waits.at(1).line, QStringLiteral("次は相手の人の生年月日ね"));
  EXPECT_EQ(form->engine().mode(), game::GameMode::CompatPartner);
  EXPECT_FALSE(form->umare_box->isHidden());
  EXPECT_EQ(form->umare_box->umare_v->value(), 4);  // the fields keep the player's values
  EXPECT_EQ(profile().birthMonth, 4);
  EXPECT_EQ(profile().birthDay, 20);

  waits.clear();
  form->umare_box->umare_v->setValue(9);
  steps = {Step::No, Step::ClickSpeech};
  pressOn(form->umare_box->Image9);
  EXPECT_EQ(waits.at(0).line, QStringLiteral("相手の人の生年月日は、9月20日ね？"));
  EXPECT_EQ(waits.at(1).line, QStringLiteral("なに？君、私の記憶力を疑う気なわけ？"));
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("ムキー！早く教えてよ！！"));
  EXPECT_EQ(profile().mood, -1);
  EXPECT_EQ(profile().partnerMonth, 9);  // stored before the question
  EXPECT_EQ(form->engine().mode(), game::GameMode::CompatPartner);
  EXPECT_FALSE(form->umare_box->isHidden());
}

TEST_F(QuestionsTest, AConfirmationEndedByClosingTakesNeitherPath) {
  openBirthday(true);
  steps = {Step::Close};
  pressOn(form->umare_box->Image9);
  EXPECT_EQ(form->engine().mode(), game::GameMode::CompatOwn);
  EXPECT_EQ(profile().mood, 0);
  EXPECT_TRUE(form->umare_box->isHidden());
}

}  // namespace
