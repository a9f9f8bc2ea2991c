// The window and its controls against the layout tables.
#include <QPushButton>

#include "FormFixture.h"
#include "platform/Fonts.h"

namespace {

using testing_support::FormFixture;
using testing_support::pressOn;

class LayoutTest : public FormFixture {};

struct Placement {
  const char* name;
  QWidget* (*get)(game::TForm1&);
  QRect geometry;
  bool visibleToParent;
};

#define CONTROL(member) #member, [](game::TForm1& f) -> QWidget* { return f.member; }

TEST_F(LayoutTest, EveryControlHasItsPlaceSizeAndVisibility) {
  openForm();
  const Placement table[] = {
      {CONTROL(Image2), {300, 4, 181, 345}, true},
      {CONTROL(Image17), {-2, 201, 310, 150}, true},
      {CONTROL(Image1), {0, 152, 301, 53}, true},
      {CONTROL(moji_l), {12, 161, 277, 40}, true},
      {CONTROL(bak), {504, 32, 64, 64}, true},
      {CONTROL(state_l), {316, 20, 153, 217}, true},
      {CONTROL(cg), {0, 0, 150, 150}, true},
      {CONTROL(t1), {564, 12, 37, 41}, false},
      {CONTROL(t2), {556, 40, 37, 41}, false},
      {CONTROL(t3), {564, 72, 37, 41}, false},
      {CONTROL(click_l), {104, 320, 99, 16}, false},
      {CONTROL(name_box), {4, 208, 297, 137}, false},
      {CONTROL(yes_click_box), {4, 208, 297, 137}, false},
      {CONTROL(sex_box), {4, 208, 297, 137}, false},
      {CONTROL(umare_box), {4, 208, 297, 137}, false},
      {CONTROL(kekka_box), {0, 0, 485, 357}, false},
      {CONTROL(start_box), {0, 0, 481, 357}, true},
      {CONTROL(item_box), {4, 208, 297, 137}, false},
      {CONTROL(title_cg), {0, 0, 481, 357}, true},
      {CONTROL(Image13), {232, 288, 121, 33}, true},
      {CONTROL(Image14), {232, 324, 121, 33}, true},
      {CONTROL(Button1), {92, 236, 113, 29}, false},
      {CONTROL(Image3), {0, 0, 297, 137}, true},
      {CONTROL(Image4), {220, 104, 73, 29}, true},
      {CONTROL(name_l), {24, 112, 129, 17}, true},
      {CONTROL(Image5), {0, 0, 297, 137}, true},
      {CONTROL(Label1), {236, 28, 225, 33}, false},
      {CONTROL(Label2), {232, 72, 225, 33}, false},
      {CONTROL(Image6), {56, 16, 165, 45}, true},
      {CONTROL(Image7), {56, 76, 165, 45}, true},
      {CONTROL(Image10), {0, 0, 297, 137}, true},
      {CONTROL(Label3), {264, 28, 225, 33}, false},
      {CONTROL(Label4), {248, 84, 225, 33}, false},
      {CONTROL(Image11), {32, 12, 85, 109}, true},
      {CONTROL(Image12), {156, 8, 105, 109}, true},
      {CONTROL(Label6), {92, 48, 19, 17}, true},
      {CONTROL(Label7), {196, 48, 19, 17}, true},
      {CONTROL(Image8), {0, 0, 297, 137}, true},
      {CONTROL(Image9), {212, 84, 85, 57}, true},
      {CONTROL(umare_v), {24, 48, 45, 30}, true},
      {CONTROL(umare_v2), {116, 48, 45, 30}, true},
      {CONTROL(Image15), {0, 0, 485, 357}, true},
      {CONTROL(end_l), {40, 56, 421, 121}, true},
      {CONTROL(end_l3), {40, 248, 421, 89}, true},
      {CONTROL(Image16), {364, 308, 113, 49}, true},
      {CONTROL(end_Cg), {360, 12, 112, 97}, true},
      {CONTROL(item_l1), {96, 52, 197, 20}, true},
      {CONTROL(item_l2), {96, 80, 197, 20}, true},
      {CONTROL(item_l3), {96, 108, 197, 20}, true},
  };
  for (const Placement& row : table) {
    SCOPED_TRACE(row.name);
    QWidget* w = row.get(*form);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), row.geometry);
    EXPECT_EQ(!w->isHidden(), row.visibleToParent);
  }
}

TEST_F(LayoutTest, TheNameTilesLieWhereTheLettersAre) {
  openForm();
  const QRect expected[19] = {
      {8, 4, 37, 29},   {48, 4, 33, 29},   {84, 4, 29, 29},   {116, 8, 29, 29},
      {148, 4, 29, 29}, {176, 4, 37, 29},  {220, 4, 37, 33},  {260, 8, 29, 29},
      {4, 40, 37, 29},  {44, 40, 37, 29},  {84, 40, 37, 29},  {128, 44, 37, 29},
      {168, 40, 29, 29}, {204, 40, 37, 37}, {248, 40, 37, 37}, {8, 72, 33, 33},
      {48, 72, 33, 33}, {92, 80, 33, 33},  {132, 76, 41, 29}};
  for (int i = 0; i < 19; ++i) {
    SCOPED_TRACE(i + 18);
    EXPECT_EQ(form->nameTiles[i]->geometry(), expected[i]);
    EXPECT_EQ(form->nameTiles[i]->parentWidget(), form->name_box);
    EXPECT_EQ(form->nameTiles[i]->cursor().shape(), Qt::PointingHandCursor);
  }
}

TEST_F(LayoutTest, WindowFrameCaptionAndColours) {
  openForm();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("ネオ・ポムリーくん占いステッキ　ver1.0"));
  EXPECT_EQ(form->size(), QSize(481, 349));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());  // not resizable
  Qt::WindowFlags flags = form->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form->palette().color(QPalette::Window), QColor(0xFF, 0x00, 0xFF));

  struct PanelColour {
    QWidget* panel;
    QColor colour;
  } panels[] = {{form->name_box, QColor(0xAE, 0x00, 0x3D)},
                {form->yes_click_box, QColor(0xFF, 0x80, 0xC0)},
                {form->sex_box, QColor(0xAE, 0x00, 0x3D)},
                {form->umare_box, QColor(0xAE, 0x00, 0x3D)},
                {form->kekka_box, QColor(0xFF, 0x80, 0xFF)},
                {form->start_box, QColor(0, 0, 0)},
                {form->item_box, QColor(0xFF, 0x80, 0xC0)}};
  for (const PanelColour& p : panels) {
    SCOPED_TRACE(p.panel->geometry().x());
    EXPECT_EQ(p.panel->palette().color(QPalette::Window), p.colour);
    EXPECT_TRUE(p.panel->autoFillBackground());
  }
}

TEST_F(LayoutTest, LabelsHaveTheirFontsColoursAndCaptions) {
  openForm();
  struct LabelLook {
    platform::TextLabel* label;
    int pixelSize;
    bool bold;
    bool italic;
    QColor text;
    QString caption;
  } looks[] = {
      {form->moji_l, 12, true, false, Qt::white, QString()},
      {form->state_l, 12, true, false, Qt::white, QString()},
      {form->click_l, 16, true, true, QColor(0xFF, 0x00, 0x80), QStringLiteral("CLICK HERE")},
      {form->Label1, 17, true, false, QColor(0xFF, 0x00, 0xFF), QStringLiteral("あいっ！")},
      {form->Label2, 17, true, false, QColor(0xFF, 0x00, 0xFF), QStringLiteral("ちがうよ")},
      {form->Label3, 17, true, false, QColor(0xFF, 0x00, 0xFF), QStringLiteral("♂")},
      {form->Label4, 17, true, false, QColor(0xFF, 0x00, 0xFF), QStringLiteral("♀")},
      {form->Label6, 17, true, false, QColor(0xFF, 0x00, 0xFF), QStringLiteral("月")},
      {form->Label7, 17, true, false, QColor(0xFF, 0x00, 0xFF), QStringLiteral("日")},
      {form->end_l, 15, true, false, QColor(0xC4, 0x00, 0x62), QString()},
      {form->end_l2, 40, true, false, QColor(0xFF, 0xFF, 0x00), QString()},
      {form->end_l3, 17, true, true, QColor(0xFF, 0xBB, 0xFF), QString()},
      {form->item_l1, 20, true, true, QColor(0xEC, 0x00, 0x76), QString()},
  };
  for (const LabelLook& l : looks) {
    SCOPED_TRACE(l.label->caption().toStdString());
    EXPECT_EQ(l.label->font().pixelSize(), l.pixelSize);
    EXPECT_EQ(l.label->font().bold(), l.bold);
    EXPECT_EQ(l.label->font().italic(), l.italic);
    EXPECT_EQ(l.label->palette().color(QPalette::WindowText), l.text);
    if (!l.caption.isEmpty()) {
      EXPECT_EQ(l.label->caption(), l.caption);
    }
  }
  EXPECT_EQ(form->moji_l->font().family(), platform::kFixedGothic);
  EXPECT_EQ(form->state_l->font().family(), platform::kProportionalGothic);
  EXPECT_TRUE(form->moji_l->wordWrap());
  EXPECT_TRUE(form->Label1->autoFillBackground());   // white behind the hidden answers
  EXPECT_FALSE(form->moji_l->autoFillBackground());  // transparent over the speech bar
  EXPECT_EQ(form->item_l1->palette().color(QPalette::Window), QColor(0xFF, 0xB5, 0xFF));
  EXPECT_TRUE(form->name_l->isReadOnly());
  EXPECT_EQ(form->name_l->palette().color(QPalette::Base), QColor(0x99, 0x00, 0x4D));
  EXPECT_EQ(form->name_l->font().pixelSize(), 16);
  EXPECT_EQ(form->umare_v->font().pixelSize(), 20);
  EXPECT_EQ(form->umare_v->palette().color(QPalette::Base), QColor(0xFF, 0x80, 0xFF));
  EXPECT_EQ(form->umare_v->value(), 1);
  EXPECT_EQ(form->umare_v2->value(), 1);
  EXPECT_EQ(form->umare_v->maximum(), 12);
  EXPECT_EQ(form->umare_v2->maximum(), 31);
}

TEST_F(LayoutTest, PanelsLieAbovePicturesAndTheTitleCoversEverything) {
  openForm();
  // Which control a press at a point reaches, with only the title panel showing.
  EXPECT_EQ(form->childAt(QPoint(10, 10)), form->title_cg);
  EXPECT_EQ(form->childAt(QPoint(240, 300)), form->Image13);
  EXPECT_EQ(form->childAt(QPoint(240, 330)), form->Image14);
  form->start_box->hide();
  EXPECT_EQ(form->childAt(QPoint(10, 10)), form->cg);
  EXPECT_EQ(form->childAt(QPoint(20, 170)), form->moji_l);
  EXPECT_EQ(form->childAt(QPoint(400, 300)), form->Image2);
  form->name_box->show();
  EXPECT_EQ(form->childAt(QPoint(4 + 20, 208 + 10)), form->nameTiles[0]);
  EXPECT_EQ(form->childAt(QPoint(4 + 30, 208 + 115)), form->name_l);
}

}  // namespace
