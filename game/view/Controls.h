#pragma once
// How the window's pictures and labels are made: geometry, font and colour in one call.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/TextLabel.h"

namespace game {

inline const QColor kFuchsia(0xFF, 0x00, 0xFF);
inline const QColor kWhite(0xFF, 0xFF, 0xFF);
inline const QColor kYellow(0xFF, 0xFF, 0x00);

inline platform::PictureBox* picture(QWidget* parent, QRect geometry) {
  auto* box = new platform::PictureBox(parent);
  box->setGeometry(geometry);
  return box;
}

inline platform::TextLabel* label(QWidget* parent, QRect geometry, const QString& caption,
                                  const QFont& font, const QColor& color) {
  auto* l = new platform::TextLabel(parent);
  l->setGeometry(geometry);
  l->setFont(font);
  l->setTextColor(color);
  l->setCaption(caption);
  return l;
}

// The hidden answer labels of the yes/no and sex panels: fuchsia bold text on white.
inline platform::TextLabel* answerLabel(QWidget* parent, QRect geometry, const QString& caption) {
  auto* l = label(parent, geometry, caption,
                  platform::layoutFont(platform::kProportionalGothic, 17, true), kFuchsia);
  l->setTransparent(false, kWhite);
  l->setAlignment(Qt::AlignCenter);
  l->hide();
  return l;
}

// A control a keyboard or screen reader player reaches: named, and a tab stop of its panel.
inline void reachable(QWidget* control, const QString& name) {
  control->setAccessibleName(name);
  control->setFocusPolicy(Qt::TabFocus);
}

inline bool isReturn(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace game
