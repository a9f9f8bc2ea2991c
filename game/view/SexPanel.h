#pragma once
// The sex panel of the single reading.
#include "game/core/GameEngine.h"
#include "platform/FlatPanel.h"
#include "platform/Hotspot.h"
#include "platform/PictureBox.h"
#include "platform/TextLabel.h"

namespace game {

class SexPanel : public platform::FlatPanel {
 public:
  SexPanel(QWidget* parent, GameEngine& engine);

  platform::PictureBox* Image10;
  platform::TextLabel* Label3;
  platform::TextLabel* Label4;
  platform::Hotspot* Image11;  // male
  platform::Hotspot* Image12;  // female

  void Label3MouseDown() { engine_.sexChosen(1); }
  void Label4MouseDown() { engine_.sexChosen(2); }
  bool playKey(int key);  // M and F

 private:
  GameEngine& engine_;
};

}  // namespace game
