// The channel-mask dialog: its layout and the mask it takes and gives back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "wavemix/qt/TfChannels.h"

namespace {

constexpr int kLeft[8] = {6, 19, 31, 44, 57, 69, 82, 95};

TEST(TfChannelsTest, LayoutFollowsTheForm) {
  TfChannels dialog;
  EXPECT_EQ(dialog.windowTitle(), "Channels");
  EXPECT_EQ(dialog.size(), QSize(116, 72));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  auto* bevel = dialog.findChild<QFrame*>("Bevel1");
  ASSERT_NE(bevel, nullptr);
  EXPECT_EQ(bevel->geometry(), QRect(1, 1, 110, 70));
  EXPECT_EQ(bevel->frameShadow(), QFrame::Raised);

  const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 8);
  for (int i = 0; i < 8; ++i) {
    QCheckBox* box = dialog.box(i);
    EXPECT_EQ(box->property("Tag").toInt(), 7 - i);
    EXPECT_EQ(box->x(), kLeft[i]);
    EXPECT_EQ(box->y(), i == 2 ? 16 : 17);
    EXPECT_EQ(box->height(), 24);
    EXPECT_GE(box->width(), 13);
    EXPECT_LE(box->width(), 20);
    EXPECT_EQ(box->objectName(), i == 0 ? QString("C1") : QString("c%1").arg(i + 1));
    EXPECT_EQ(box->text(), i == 0 ? QString() : QString("c%1").arg(i + 1));
    // The label over each box shows its Tag.
    const QLabel* above = nullptr;
    for (const QLabel* label : labels) {
      if (label->x() == kLeft[i]) above = label;
    }
    ASSERT_NE(above, nullptr) << i;
    EXPECT_EQ(above->text(), QString::number(7 - i));
    EXPECT_EQ(above->y(), 7);
    EXPECT_EQ(above->height(), 11);
    EXPECT_TRUE(above->alignment() & Qt::AlignHCenter);
  }
  EXPECT_EQ(dialog.okButton()->text(), "OK");
  EXPECT_EQ(dialog.okButton()->geometry(), QRect(34, 47, 42, 17));
  EXPECT_EQ(dialog.box(7)->nextInFocusChain(), dialog.okButton());
}

TEST(TfChannelsTest, BoxesShowTheMaskAndOkGivesTheEditedMaskBack) {
  TfChannels dialog;
  dialog.setMask(0b10100101);
  dialog.show();
  for (int i = 0; i < 8; ++i) {
    const int tag = 7 - i;
    EXPECT_EQ(dialog.box(i)->isChecked(), ((0b10100101 >> tag) & 1) != 0) << "Tag " << tag;
  }
  QTest::mouseClick(dialog.box(6), Qt::LeftButton);  // Tag 1 on
  QTest::mouseClick(dialog.box(0), Qt::LeftButton);  // Tag 7 off
  EXPECT_EQ(dialog.mask(), 0b10100101) << "nothing changes before OK";
  QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.mask(), 0b00100111);
}

TEST(TfChannelsTest, EditMaskReturnsTheConfirmedMask) {
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TfChannels*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->box(7), Qt::LeftButton);  // Tag 0
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
  });
  EXPECT_EQ(TfChannels::editMask(nullptr, 31), 30);
}

TEST(TfChannelsTest, EditMaskKeepsTheMaskWhenCancelled) {
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TfChannels*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->box(0), Qt::LeftButton);
    dialog->reject();
  });
  EXPECT_EQ(TfChannels::editMask(nullptr, 6), 6);
}

}  // namespace
