#include "game/view/SexPanel.h"

#include "assets/EmbeddedPictures.h"
#include "game/view/Controls.h"

namespace game {

SexPanel::SexPanel(QWidget* parent, GameEngine& engine)
    : platform::FlatPanel(parent, QColor(0xAE, 0x00, 0x3D)), engine_(engine) {
  setGeometry(4, 208, 297, 137);
  Image10 = picture(this, {0, 0, 297, 137});
  Image10->setPicture(assets::embeddedPicture("P6"));
  Label3 = answerLabel(this, {264, 28, 225, 33}, QStringLiteral("♂"));
  Label3->onMouseDown = [this] { Label3MouseDown(); };
  Label4 = answerLabel(this, {248, 84, 225, 33}, QStringLiteral("♀"));
  Label4->onMouseDown = [this] { Label4MouseDown(); };
  Image11 = new platform::Hotspot(this, {32, 12, 85, 109}, false);
  Image11->onMouseDown = [this] { engine_.sexChosen(1); };
  Image12 = new platform::Hotspot(this, {156, 8, 105, 109}, false);
  Image12->onMouseDown = [this] { engine_.sexChosen(2); };
  reachable(Image11, Label3->caption());
  reachable(Image12, Label4->caption());
}

bool SexPanel::playKey(int key) {
  if (key == Qt::Key_M) {
    Label3MouseDown();
  } else if (key == Qt::Key_F) {
    Label4MouseDown();
  } else {
    return false;
  }
  return true;
}

}  // namespace game
