// The window as drawn: every panel in turn against a golden picture, which pixel-checks the
// places, sizes, fonts, colours and captions of the controls; and which control a press
// reaches.
#include <QImage>
#include <QPainter>
#include <set>
#include <utility>

#include "game/core/GameRandom.h"

#include "FormFixture.h"
#include "tests/support/AccessibleTree.h"

namespace {

using testing_support::FormFixture;
using testing_support::pressOn;

class LayoutTest : public FormFixture {};

// The window with nothing but the speech line and the status, then with each panel alone.
QImage drawnStates(game::TForm1& form) {
  const game::Panel states[] = {game::Panel::Title,    game::Panel::None,   game::Panel::Name,
                                game::Panel::YesNo,    game::Panel::Sex,    game::Panel::Birthday,
                                game::Panel::Choices,  game::Panel::Result};
  const QSize size = form.size();
  QImage sheet(size.width(), size.height() * static_cast<int>(std::size(states)), QImage::Format_RGB32);
  QPainter painter(&sheet);
  int row = 0;
  for (game::Panel panel : states) {
    form.showPanel(panel);
    form.showClickPrompt(panel == game::Panel::None);
    painter.drawImage(0, size.height() * row++, form.grab().toImage().convertToFormat(QImage::Format_RGB32));
  }
  return sheet;
}

TEST_F(LayoutTest, TheWindowIsDrawnAsTheGoldenPicture) {
  openForm();
  form->engine().Say("まず名前をおしえてね");
  form->engine().RefreshStatus();
  const QImage drawn = drawnStates(*form);
  const QString golden = QStringLiteral(POMURI_SOURCE_DIR "/tests/golden/window.png");
  const QImage expected(golden);
  const bool same = !expected.isNull() && expected.convertToFormat(QImage::Format_RGB32) == drawn;
  if (!same) drawn.save(QStringLiteral(POMURI_SOURCE_DIR "/tests/golden/window.actual.png"));
  EXPECT_TRUE(same) << "drawn window differs from " << golden.toStdString()
                    << "; see window.actual.png beside it";
}

// A single and then a compatibility reading, played by accessible presses: at the title and
// at every wait, each control of the shown panel is found showing and named, and no showing
// input lacks a role or a name. The result sheet reads its actual score and stars.
TEST_F(LayoutTest, EveryPanelOfBothReadingsTellsAScreenReaderAboutEachControl) {
  game::GameRandom seeded(1);  // as in the program: teases, reactions and questions may come
  randomSource = &seeded.readings;
  openForm();
  QStringList faults;
  std::set<std::pair<bool, QWidget*>> seen;  // (in a compatibility reading, panel shown)
  auto check = [&] {
    faults += testing_support::inputsWithoutRoleOrName(form.get());
    faults += testing_support::tabStopsNotFoundNamed(form.get());
    const game::GameMode mode = form->engine().mode();
    for (QWidget* panel : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (dynamic_cast<platform::FlatPanel*>(panel) && panel->isVisible())
        seen.insert({mode == game::GameMode::CompatOwn || mode == game::GameMode::CompatPartner, panel});
  };
  form->engine().onWaitBegins = [&](game::Wait kind) {
    check();
    if (kind == game::Wait::YesNo) testing_support::pressAccessibly(form->yes_click_box->Image6);
    if (kind == game::Wait::Click) pressOn(form->moji_l);
  };
  check();
  dialogs.answers = {platform::Answer::No};  // the sheet's question: back to the title
  for (QWidget* control : std::initializer_list<QWidget*>{
           form->start_box->Image13, form->name_box->nameTiles[0], form->name_box->Image4,
           form->sex_box->Image12, form->umare_box->Image9, form->item_box->item_l2}) {
    ASSERT_TRUE(testing_support::pressAccessibly(control));
  }
  ASSERT_TRUE(form->kekka_box->isVisible());
  const game::ResultPanel& sheet = *form->kekka_box;
  EXPECT_EQ(sheet.end_l2->spokenText().toStdString(), "きょうのうんせい " + sheet.end_l2->text().toStdString() + "てん");
  const QStringList shown = sheet.end_l->text().split('\n'), spoken = sheet.end_l->spokenText().split('\n');
  for (int area = 0; area < 4; ++area)  // "お金 > ★★★" reads "お金 3/5"
    EXPECT_TRUE(spoken[area].startsWith(shown[area].section(QStringLiteral(" > "), 0, 0) + ' ' +
                                        QString::number(shown[area].count(QChar(0x2605))) + "/5"))
        << spoken[area].toStdString();
  EXPECT_TRUE(testing_support::findShowing(form.get(), QAccessible::Notification,
                                           sheet.accessibleName() + ' ' + sheet.end_l2->spokenText()));
  for (QWidget* control : std::initializer_list<QWidget*>{form->kekka_box->Image16, form->start_box->Image14,
                                                           form->umare_box->Image9, form->umare_box->Image9})
    ASSERT_TRUE(testing_support::pressAccessibly(control));
  EXPECT_TRUE(form->start_box->isVisible());  // after the compatibility reading's last box
  check();
  EXPECT_EQ(faults.join('\n').toStdString(), "");
  EXPECT_EQ(seen.size(), 10u) << "the 7 panels of a single reading; the title, birthday and yes/no of the other";
}

TEST_F(LayoutTest, WindowFrameAndCaption) {
  openForm();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("ネオ・ポムリーくん占いステッキ　ver1.0"));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());  // not resizable
  Qt::WindowFlags flags = form->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST_F(LayoutTest, PanelsLieAbovePicturesAndTheTitleCoversEverything) {
  openForm();
  // Which control a press at a point reaches, with only the title panel showing.
  EXPECT_EQ(form->childAt(QPoint(10, 10)), form->start_box->title_cg);
  EXPECT_EQ(form->childAt(QPoint(240, 300)), form->start_box->Image13);
  EXPECT_EQ(form->childAt(QPoint(240, 330)), form->start_box->Image14);
  form->start_box->hide();
  EXPECT_EQ(form->childAt(QPoint(10, 10)), form->cg);
  EXPECT_EQ(form->childAt(QPoint(20, 170)), form->moji_l);
  EXPECT_EQ(form->childAt(QPoint(400, 300)), form->Image2);
  form->name_box->show();
  EXPECT_EQ(form->childAt(QPoint(4 + 20, 208 + 10)), form->name_box->nameTiles[0]);
  EXPECT_EQ(form->childAt(QPoint(4 + 30, 208 + 115)), form->name_box->name_l);
  for (platform::Hotspot* tile : form->name_box->nameTiles)
    EXPECT_EQ(tile->cursor().shape(), Qt::PointingHandCursor);
}

}  // namespace
