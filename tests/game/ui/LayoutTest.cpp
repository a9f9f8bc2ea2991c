// The window as drawn: every panel in turn against a golden picture, which pixel-checks the
// places, sizes, fonts, colours and captions of the controls; and which control a press
// reaches.
#include <QImage>
#include <QPainter>

#include "FormFixture.h"
#include "tests/support/AccessibleTree.h"

namespace {

using testing_support::FormFixture;

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

TEST_F(LayoutTest, EveryPanelTellsAScreenReaderAboutEachControlAndItsPressIsAClick) {
  openForm();
  for (game::Panel panel : {game::Panel::Title, game::Panel::Name, game::Panel::YesNo, game::Panel::Sex,
                            game::Panel::Birthday, game::Panel::Choices, game::Panel::Result}) {
    form->showPanel(panel);
    EXPECT_EQ(testing_support::inputsWithoutRoleOrName(form.get()).join('\n').toStdString(), "") << int(panel);
  }
  form->showPanel(game::Panel::Title);
  steps = {Step::ClickSpeech};
  ASSERT_TRUE(testing_support::pressAccessibly(form->start_box->Image13));
  EXPECT_FALSE(form->name_box->isHidden());
  EXPECT_TRUE(testing_support::findShowing(form.get(), QAccessible::Notification, form->moji_l->caption()));
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
