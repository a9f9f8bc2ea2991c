// Both readings played from the keyboard alone, from the title to the result and back: every
// key goes where a desktop sends it (the widget with the keyboard focus), no mouse event
// reaches the application, and the counters are saved at close.
#include <QEvent>
#include <fstream>
#include <iterator>

#include "FormFixture.h"
#include "game/ProfileFile.h"

namespace {

using testing_support::FormFixture;
using game::profile;

// Counts every mouse press that reaches any object of the application.
class MousePressCounter : public QObject {
 public:
  MousePressCounter() { qApp->installEventFilter(this); }
  ~MousePressCounter() override { qApp->removeEventFilter(this); }
  int presses = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) ++presses;
    return false;
  }
};

class KeyboardPlayTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    openForm();
    // Waits are answered by keys: Space for a click, the next queued keys for a question.
    form->onWaitBegins = [this](game::WaitKind kind) {
      waits.push_back({kind, form->moji_l->caption()});
      if (kind == game::WaitKind::Click) {
        key(Qt::Key_Space);
        return;
      }
      ASSERT_FALSE(answers.empty()) << "unexpected question: " << form->moji_l->caption().toStdString();
      std::vector<Qt::Key> keys = answers.front();
      answers.pop_front();
      for (Qt::Key k : keys) key(k);
    };
  }

  // Where a desktop sends a key: to the widget with the keyboard focus.
  void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : form.get(), k, modifiers);
  }
  void type(const QString& text) {
    for (QChar c : text) {
      QWidget* focus = QApplication::focusWidget();
      QTest::keyClicks(focus ? focus : form.get(), QString(c));
    }
  }

  game::tmy savedProfile() {
    std::ifstream in(root / "dat" / "my.dat", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    game::tmy saved;
    EXPECT_FALSE(game::decodeProfile(bytes, saved).damaged);
    return saved;
  }

  std::deque<std::vector<Qt::Key>> answers;
  MousePressCounter mouse;
};

TEST_F(KeyboardPlayTest, ASingleReadingFromTheTitleToTheResultAndBack) {
  key(Qt::Key_Return);  // NEW GAME
  ASSERT_FALSE(form->name_box->isHidden());
  EXPECT_EQ(lines(), std::vector<QString>{QStringLiteral("まず名前をおしえてね")});

  type(QStringLiteral("akbi"));  // B has no tile: nothing
  EXPECT_EQ(form->name_l->text(), QStringLiteral("ＡＫＩ"));
  key(Qt::Key_O);  // a tile with a remark says it
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("ビクビクリン！！"));
  key(Qt::Key_Backspace);  // the erase tile
  EXPECT_EQ(form->name_l->text(), QStringLiteral("ＡＫＩ"));
  EXPECT_EQ(cueNames("wave").back(), "erace.wav");

  answers = {{Qt::Key_Y}};
  key(Qt::Key_Return);  // OK, then yes
  ASSERT_FALSE(form->sex_box->isHidden());
  EXPECT_EQ(profile.playerName, "ＡＫＩ");
  key(Qt::Key_F);  // ♀, then one line to click away
  ASSERT_FALSE(form->umare_box->isHidden());
  EXPECT_EQ(profile.playerSex, 2);

  key(Qt::Key_Tab);  // the month field
  key(Qt::Key_Up);
  key(Qt::Key_Up);
  key(Qt::Key_Tab);  // the day field: the digits stay in it
  key(Qt::Key_A, Qt::ControlModifier);
  type(QStringLiteral("15"));
  EXPECT_EQ(form->umare_v->value(), 3);
  EXPECT_EQ(form->umare_v2->value(), 15);
  for (int v : {5, 5, 0, 12, 99}) random.push(v);  // no teases, three words
  answers = {{Qt::Key_Y}};
  key(Qt::Key_Return);  // OK, then yes
  ASSERT_FALSE(form->item_box->isHidden());
  EXPECT_EQ(profile.birthMonth, 3);
  EXPECT_EQ(profile.birthDay, 15);

  random.push(40);  // no reaction
  random.push(7);   // the advice
  waits.clear();
  key(Qt::Key_2);  // the second word, then the ritual clicked through
  EXPECT_EQ(waits.size(), 4u);
  ASSERT_FALSE(form->kekka_box->isHidden());
  EXPECT_EQ(profile.chosenSlot, 2);
  EXPECT_EQ(profile.readingCount, 1);

  dialogs.answers = {platform::Answer::No};
  key(Qt::Key_Return);  // leave the sheet: back to the title
  EXPECT_EQ(dialogs.texts("confirm").back(), QStringLiteral("ぜんぶウソだけどね！！"));
  EXPECT_TRUE(form->kekka_box->isHidden());
  EXPECT_FALSE(form->start_box->isHidden());

  form->close();
  EXPECT_EQ(savedProfile().readingCount, 1);
  EXPECT_EQ(mouse.presses, 0);
}

TEST_F(KeyboardPlayTest, ACompatibilityReadingFromTheTitleToItsEnd) {
  key(Qt::Key_C);  // 相性占い
  ASSERT_FALSE(form->umare_box->isHidden());
  key(Qt::Key_Tab);
  for (int i = 0; i < 3; ++i) key(Qt::Key_Up);  // April
  key(Qt::Key_Tab);
  key(Qt::Key_A, Qt::ControlModifier);
  type(QStringLiteral("20"));
  // Left marks yes (and only marks it); Return answers what is marked.
  bool markedYes = false;
  form->onWaitBegins = [&, next = form->onWaitBegins](game::WaitKind kind) {
    if (kind == game::WaitKind::YesNo && answers.front().front() == Qt::Key_Left) {
      key(Qt::Key_Left);
      markedYes = form->Image6->highlighted() && !form->Image7->highlighted() && form->yesNoAnswer == 0;
    }
    next(kind);
  };
  answers = {{Qt::Key_Left, Qt::Key_Return}};
  key(Qt::Key_Return);  // OK, yes, one line
  EXPECT_TRUE(markedYes);
  ASSERT_EQ(form->gameMode, 3);
  ASSERT_FALSE(form->umare_box->isHidden());
  EXPECT_EQ(profile.birthMonth, 4);
  EXPECT_EQ(profile.birthDay, 20);

  key(Qt::Key_Tab);
  key(Qt::Key_A, Qt::ControlModifier);
  type(QStringLiteral("9"));
  random.push(0);  // questions 1 and 2 are drawn; every other draw fails
  random.push(0);
  for (int i = 2; i < 24; ++i) random.push(1);
  dialogs.answers = {platform::Answer::Yes};
  answers = {{Qt::Key_Y}, {Qt::Key_Right, Qt::Key_Return}, {Qt::Key_N}};
  key(Qt::Key_Return);  // OK, yes; the reading: the first question no, the second no
  EXPECT_EQ(profile.partnerMonth, 9);
  EXPECT_EQ(profile.compatCount, 1);
  EXPECT_EQ(profile.mood, -2 + 2);  // no to question 1 (−2), no to its pair (+2)
  EXPECT_EQ(dialogs.texts("confirm").back(), QStringLiteral("どお、わたくしの占いに満足したかしら！？"));
  EXPECT_FALSE(form->start_box->isHidden());

  form->close();
  EXPECT_EQ(savedProfile().compatCount, 1);
  EXPECT_EQ(mouse.presses, 0);
}

}  // namespace
