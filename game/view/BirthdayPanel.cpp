#include "game/view/BirthdayPanel.h"

#include "assets/EmbeddedPictures.h"
#include "assets/PictureWords.h"
#include "game/view/Controls.h"
#include "platform/KeyboardFocusMark.h"

namespace game {

BirthdayPanel::BirthdayPanel(QWidget* parent, GameEngine& engine)
    : platform::FlatPanel(parent, QColor(0xAE, 0x00, 0x3D)), engine_(engine) {
  setGeometry(4, 208, 297, 137);
  setAccessibleName(assets::words::birthdayPrompt());  // drawn on the background picture
  const QFont mark = platform::layoutFont(platform::kProportionalGothic, 17, true);
  Label6 = label(this, {92, 48, 19, 17}, QStringLiteral("月"), mark, kFuchsia);
  Label6->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label7 = label(this, {196, 48, 19, 17}, QStringLiteral("日"), mark, kFuchsia);
  Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Image8 = picture(this, {0, 0, 297, 137});
  Image8->setPicture(assets::embeddedPicture("P7"));
  Image9 = new platform::Hotspot(this, {212, 84, 85, 57}, false);
  Image9->onMouseDown = [this] { Image9MouseDown(); };
  reachable(Image9, QStringLiteral("OK"));

  const QFont digits = platform::layoutFont(platform::kProportionalGothic, 20, true);
  auto makeSpin = [&](QRect geometry, int maximum) {
    auto* spin = new platform::SpinField(this, 1, maximum, 1);
    spin->setGeometry(geometry);
    spin->setFont(digits);
    spin->setFrame(false);
    spin->setFocusPolicy(Qt::StrongFocus);
    QPalette p = spin->palette();
    p.setColor(QPalette::Base, QColor(0xFF, 0x80, 0xFF));
    p.setColor(QPalette::Button, QColor(0xFF, 0x80, 0xFF));
    spin->setPalette(p);
    spin->onChange = [this] { umare_v2Change(); };
    // Narrow arrows and no padding, so two bold 20 px digits fit in the 45 px field.
    spin->setStyleSheet(QStringLiteral(
        "QAbstractSpinBox { border: none; padding: 0px; background: #FF80FF; color: black; }"
        "QAbstractSpinBox::up-button, QAbstractSpinBox::down-button { width: 11px; }"));
    return spin;
  };
  umare_v = makeSpin({24, 48, 45, 30}, 12);
  umare_v2 = makeSpin({116, 48, 45, 30}, 31);
  // Each field is named by the mark after it.
  umare_v->setLabel(Label6);
  umare_v2->setLabel(Label7);
}

void BirthdayPanel::takeKeyboard() {
  // Only for a keyboard player: a mouse player would see the field's caret appear unasked.
  if (platform::KeyboardFocusMark::keyboardInUse()) umare_v->setFocus(Qt::OtherFocusReason);
}

bool BirthdayPanel::playKey(int key) {
  if (!isReturn(key)) return false;
  Image9MouseDown();
  return true;
}
}  // namespace game
