// The status text in both layouts from a fixed clock, and the status and the trembling
// portrait on the real form.
#include <QImage>

#include "FormFixture.h"
#include "game/view/StatusPanel.h"
#include "platform/Fonts.h"

namespace {

using testing_support::FormFixture;

// The status label's font and width (153 px).
QFont panelFont() { return platform::layoutFont(platform::kProportionalGothic, 12, true); }
const QFontMetrics& panelMetrics() {
  static const QFontMetrics metrics(panelFont());
  return metrics;
}

QString statusText(int mode, const game::tmy& p, const platform::LocalDate& today) {
  return game::statusText(static_cast<game::GameMode>(mode), p, today, panelMetrics(), 153);
}

const platform::LocalDate kMonday7Dec2026{2026, 12, 7, 2};
const platform::LocalDate kSunday1Jan2023{2023, 1, 1, 1};

QString crLines(std::initializer_list<const char*> lines) {
  QString text;
  bool first = true;
  for (const char* line : lines) {
    if (!first) text += QChar('\r');
    text += QString::fromUtf8(line);
    first = false;
  }
  return text;
}

game::tmy player(const char* name, int sex, int month, int day) {
  game::tmy p;
  p.playerName = name;
  p.playerSex = sex;
  p.birthMonth = month;
  p.birthDay = day;
  return p;
}

TEST(StatusText, SingleReadingLayout) {
  EXPECT_EQ(statusText(1, player("ＭＩＫＡ", 2, 3, 9), kMonday7Dec2026),
            crLines({"今日の日付", "    > 2026年12月7日", "       第2曜日", "", "名前 > ＭＩＫＡ", "",
                     "性別 > ♀", "", "生年月日", "    > 3月 9日", "", ""}));
}

TEST(StatusText, SingleReadingWithNoNameNoSexAndNoBirthday) {
  EXPECT_EQ(statusText(1, game::tmy{}, kMonday7Dec2026),
            crLines({"今日の日付", "    > 2026年12月7日", "       第2曜日", "", "名前 > ", "",
                     "性別 > なし", "", "生年月日", "    > 0月 0日", "", ""}));
  EXPECT_TRUE(statusText(1, player("", 1, 0, 0), kMonday7Dec2026).contains(QStringLiteral("性別 > ♂\r")));
}

class CompatLayoutTest : public ::testing::TestWithParam<int> {};

TEST_P(CompatLayoutTest, EveryOtherModeShowsBothBirthdays) {
  game::tmy p = player("ＲＥＮ", 1, 11, 30);
  p.partnerMonth = 4;
  p.partnerDay = 1;
  EXPECT_EQ(statusText(GetParam(), p, kMonday7Dec2026),
            crLines({"今日の日付", "    > 2026年12月7日", "       第2曜日", "", "貴方の生年月日",
                     "    > 11月 30日", "", "相手の生年月日", "    > 4月 1日", "", ""}));
}

INSTANTIATE_TEST_SUITE_P(Modes, CompatLayoutTest, ::testing::Values(0, 2, 3));

TEST(StatusText, UnsetBirthdaysShowZero) {
  EXPECT_TRUE(statusText(0, game::tmy{}, kMonday7Dec2026)
                  .endsWith(crLines({"貴方の生年月日", "    > 0月 0日", "", "相手の生年月日",
                                     "    > 0月 0日", "", ""})));
}

TEST(StatusText, ItemLinesInOrderEachEndingWithCr) {
  struct Case {
    int universe, brain, happiness;
    const char* tail;
  };
  const Case cases[] = {
      {0, 0, 0, "0月 0日\r\r"},
      {1, 1, 1, "0月 0日\r\r【宇宙の全て】所持\r【求める脳】所持\r【幸せ】所持\r"},
      {0, 2, 0, "0月 0日\r\r【求める脳】所持\r"},
      {1, 0, 1, "0月 0日\r\r【宇宙の全て】所持\r【幸せ】所持\r"},
      {-1, 0, 0, "0月 0日\r\r"},
  };
  for (const Case& c : cases) {
    game::tmy p;
    p.ownsUniverse = c.universe;
    p.ownsSeekingBrain = c.brain;
    p.ownsHappiness = c.happiness;
    for (int mode : {0, 1}) {
      const QString text = statusText(mode, p, kMonday7Dec2026);
      EXPECT_TRUE(text.endsWith(QString::fromUtf8(c.tail)))
          << mode << " " << c.universe << c.brain << c.happiness << ": " << text.toStdString();
    }
  }
}

TEST(StatusText, FirstOfJanuaryOnASundayHasNoLeadingZerosAndWeekdayOne) {
  EXPECT_TRUE(statusText(0, game::tmy{}, kSunday1Jan2023)
                  .startsWith(crLines({"今日の日付", "    > 2023年1月1日", "       第1曜日", ""})));
}

TEST(StatusText, BirthdaysTheGameCannotAskForShowNone) {
  struct Case {
    int month, day;
    const char* shown;
  };
  const Case cases[] = {
      {5, 12, "5月 12日"}, {1, 1, "1月 1日"}, {12, 31, "12月 31日"}, {0, 0, "0月 0日"},
      {-3, 12, "なし"},     {13, 12, "なし"},   {5, -100, "なし"},    {5, 32, "なし"},
      {0, 12, "なし"},      {5, 0, "なし"},     {INT32_MIN, INT32_MAX, "なし"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.month << "/" << c.day);
    game::tmy p = player("ＡＫＩ", 1, c.month, c.day);
    p.partnerMonth = c.month;
    p.partnerDay = c.day;
    const QString line = QStringLiteral("    > ") + QString::fromUtf8(c.shown) + QChar('\r');
    EXPECT_TRUE(statusText(1, p, kMonday7Dec2026).contains(line));
    EXPECT_EQ(statusText(0, p, kMonday7Dec2026).count(line), 2);
  }
}

TEST(StatusText, NameIsFittedToItsLine) {
  struct Case {
    std::string stored;
    const char* shown;  // nullptr: cut, ending in "…"
  };
  const Case cases[] = {
      {"ＡＢＣＤＥＦＧＨＩ", "ＡＢＣＤＥＦＧＨＩ"},  // the longest name the entry takes
      {"ＡＢ\rＣＤ\nＥ\tＦ", "ＡＢＣＤＥＦ"},  // control characters would break the line
      {std::string(200, 'W'), nullptr},  // one long word: no line break would save it
  };
  const int lines = statusText(1, player("", 0, 0, 0), kMonday7Dec2026).count(QChar('\r'));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored.substr(0, 20));
    const QString text = statusText(1, player(c.stored.c_str(), 0, 0, 0), kMonday7Dec2026);
    EXPECT_EQ(text.count(QChar('\r')), lines);
    const QString nameLine = text.section(QChar('\r'), 4, 4);
    EXPECT_LE(panelMetrics().horizontalAdvance(nameLine), 153);
    // A screen reader hears the whole name, without the control characters.
    const game::tmy p = player(c.stored.c_str(), 0, 0, 0);
    EXPECT_TRUE(game::statusSpeech(game::GameMode::Single, p, kMonday7Dec2026)
                    .contains(QStringLiteral("\n名前 ") + QString::fromUtf8(c.shown ? c.shown : c.stored.c_str()) + '\n'));
    if (c.shown)
      EXPECT_EQ(nameLine, QStringLiteral("名前 > ") + QString::fromUtf8(c.shown));
    else  // as much of the name as fits, and the mark of the cut
      EXPECT_TRUE(nameLine.size() > 10 && nameLine.endsWith(QChar(0x2026))) << nameLine.toStdString();
  }
}

class StatusPanelFormTest : public FormFixture {};

TEST_F(StatusPanelFormTest, RefreshShowsTheTextAndStretchesTheFaceOverThePortrait) {
  clock.setToday(kSunday1Jan2023);
  testing_support::ScriptedRandom jitter;  // the tremble's own generator
  trembleSource = &jitter;
  openFormWith(player("ＡＫＩ", 1, 5, 6));
  form->engine().setMode(game::GameMode::Single);
  QImage face(64, 64, QImage::Format_RGB32);
  face.fill(Qt::white);
  for (int y = 0; y < 64; ++y) face.setPixel(63, y, qRgb(255, 0, 0));  // a red right edge
  form->bak->setPicture(face);
  while (form->engine().tickCount() != 999) form->engine().nextTick();
  jitter.push(0);  // b
  jitter.push(5);  // r: the red column is stretched off the right edge by 5 px
  jitter.push(0);
  jitter.push(0);
  form->engine().RefreshStatus();
  EXPECT_EQ(form->engine().tickCount(), 0);
  EXPECT_EQ(form->state_l->caption(), statusText(1, profile(), kSunday1Jan2023));
  EXPECT_EQ(form->state_l->font(), panelFont()) << "the tests measure in the panel's font";
  const QImage shown = form->cg->picture();
  ASSERT_FALSE(shown.isNull());
  EXPECT_EQ(QColor(shown.pixel(149, 75)), QColor(Qt::white)) << "the red edge lies beyond 150";
  jitter.push(0);
  jitter.push(0);
  jitter.push(0);
  jitter.push(0);
  form->engine().RefreshStatus();
  EXPECT_EQ(form->engine().tickCount(), 1);
  EXPECT_EQ(QColor(form->cg->picture().pixel(149, 75)), QColor(Qt::red));
  EXPECT_EQ(jitter.remaining(), 0u);
  EXPECT_EQ(random.limits().size(), 0u) << "the readings' generator is not drawn from";
}

}  // namespace
