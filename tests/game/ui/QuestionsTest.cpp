// The birthday panel's fields on the real form: what they give, type and step.
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

}  // namespace
