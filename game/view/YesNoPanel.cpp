#include "game/view/YesNoPanel.h"

#include "assets/EmbeddedPictures.h"
#include "game/view/Controls.h"

namespace game {

YesNoPanel::YesNoPanel(QWidget* parent, GameEngine& engine)
    : platform::FlatPanel(parent, QColor(0xFF, 0x80, 0xC0)), engine_(engine) {
  setGeometry(4, 208, 297, 137);
  auto yes = [this] { engine_.answer(Answer::Yes); };
  auto no = [this] { engine_.answer(Answer::No); };
  Image5 = picture(this, {0, 0, 297, 137});
  Image5->setPicture(assets::embeddedPicture("P5"));
  Label1 = answerLabel(this, {236, 28, 225, 33}, QStringLiteral("あいっ！"));
  Label1->onMouseDown = yes;
  Label2 = answerLabel(this, {232, 72, 225, 33}, QStringLiteral("ちがうよ"));
  Label2->onMouseDown = no;
  Image6 = new platform::Hotspot(this, {56, 16, 165, 45}, false);
  Image6->onMouseDown = yes;
  Image7 = new platform::Hotspot(this, {56, 76, 165, 45}, false);
  Image7->onMouseDown = no;
  reachable(Image6, Label1->caption());
  reachable(Image7, Label2->caption());
}

void YesNoPanel::mark(int choice) {
  marked_ = choice;
  Image6->setHighlighted(choice == 1);
  Image7->setHighlighted(choice == 2);
}

bool YesNoPanel::playKey(int key) {
  if (key == Qt::Key_Y) {
    engine_.answer(Answer::Yes);
  } else if (key == Qt::Key_N) {
    engine_.answer(Answer::No);
  } else if (key == Qt::Key_Left || key == Qt::Key_Right) {
    mark(key == Qt::Key_Left ? 1 : 2);
  } else if (isReturn(key) && marked_ != 0) {
    engine_.answer(marked_ == 1 ? Answer::Yes : Answer::No);
  } else {
    return false;
  }
  return true;
}

}  // namespace game
