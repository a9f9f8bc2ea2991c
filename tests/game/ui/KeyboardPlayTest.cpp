// A reading played from the keyboard alone, from the title to the result and back: keys
// go where a desktop sends them (the focus widget), no mouse press reaches the application,
// and the counters are saved at close.
#include "FormFixture.h"
#include "tests/support/AccessibleTree.h"

namespace {


class KeyboardPlayTest : public testing_support::FormFixture, public QObject {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    openForm();
    qApp->installEventFilter(this);
    // A click wait takes Space; a question takes the next queued keys.
    form->engine().onWaitBegins = [this](game::Wait kind) {
      if (kind != game::Wait::Click && kind != game::Wait::YesNo) return;  // panels and boxes
      waits.push_back({kind, form->moji_l->caption()});
      ASSERT_TRUE(kind == game::Wait::Click || !answers.empty());
      std::vector<Qt::Key> next{Qt::Key_Space};
      if (kind == game::Wait::YesNo) next = answers.front(), answers.pop_front();
      for (Qt::Key k : next) {
        key(k);
        if (k == Qt::Key_Left) markedYes = form->yes_click_box->Image6->highlighted();
      }
    };
  }
  void TearDown() override {
    qApp->removeEventFilter(this);
    EXPECT_EQ(mousePresses, 0);
    FormFixture::TearDown();
  }
  bool eventFilter(QObject*, QEvent* event) override {
    mousePresses += event->type() == QEvent::MouseButtonPress;
    return false;
  }
  QWidget* focus() { return QApplication::focusWidget() ? QApplication::focusWidget() : form.get(); }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(focus(), k, m); }
  void type(const QString& text) {
    for (QChar c : text) QTest::keyClicks(focus(), QString(c));
  }
  game::tmy savedProfile() {
    std::ifstream in(root / "dat" / "my.dat", std::ios::binary);
    game::tmy saved;
    game::decodeProfile(std::string(std::istreambuf_iterator<char>(in), {}), saved);
    return saved;
  }

  std::deque<std::vector<Qt::Key>> answers;
  int mousePresses = 0;
  bool markedYes = false;
};

TEST_F(KeyboardPlayTest, ASingleReadingFromTheTitleToTheResultAndBack) {
  key(Qt::Key_Return);          // NEW GAME, one line
  type(QStringLiteral("akbo"));  // B has no tile; O says its remark
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("ビクビクリン！！"));
  key(Qt::Key_Backspace);  // the erase tile
  EXPECT_EQ(form->name_box->name_l->text(), QStringLiteral("ＡＫ"));
  answers = {{Qt::Key_Y}};
  key(Qt::Key_Return);  // OK, yes
  key(Qt::Key_F);       // ♀, one line; the month field has the keyboard
  // so a screen reader says the panel's prompt as the field's context, and only so
  EXPECT_FALSE(testing_support::findShowing(form.get(), QAccessible::Notification, form->umare_box->accessibleName()));
  for (Qt::Key k : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Up,
                    Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down})
    key(k);
  EXPECT_EQ(form->umare_box->umare_v2->value(), 5);
  key(Qt::Key_Backspace);
  type(QStringLiteral("15"));  // the day field keeps its digits
  for (int v : {5, 5, 0, 12, 99, 40, 7}) random.push(v);  // no teases, words, no reaction, advice
  answers = {{Qt::Key_Left, Qt::Key_Return}};  // Left marks yes, Return answers it
  key(Qt::Key_Return);  // OK, yes: the words
  EXPECT_TRUE(markedYes);
  key(Qt::Key_2);       // the second word; the ritual clicked through
  ASSERT_FALSE(form->kekka_box->isHidden());
  EXPECT_EQ(profile().playerName, "ＡＫ");
  EXPECT_EQ(profile().playerSex, 2);
  EXPECT_EQ(profile().birthMonth, 3);
  EXPECT_EQ(profile().birthDay, 15);
  EXPECT_EQ(profile().chosenSlot, 2);
  dialogs.answers = {platform::Answer::No};
  key(Qt::Key_Return);  // leave the sheet for the title
  EXPECT_FALSE(form->start_box->isHidden());
  ASSERT_TRUE(form->engine().SaveProfile().ok);  // as a close now would: the next reading forgets the player
  EXPECT_EQ(std::pair(savedProfile().birthMonth, savedProfile().birthDay), std::pair(3, 15));
  key(Qt::Key_C);  // the compatibility reading, one line
  EXPECT_FALSE(form->umare_box->isHidden());
  form->close();
  EXPECT_EQ(savedProfile().readingCount, 1);
}

}  // namespace
