#pragma once
// The title screen: its animation canvas, NEW GAME and the compatibility reading.
#include <QPushButton>

#include "game/core/GameEngine.h"
#include "platform/FlatPanel.h"
#include "platform/Hotspot.h"
#include "platform/PictureBox.h"

namespace game {

class TitlePanel : public platform::FlatPanel {
 public:
  TitlePanel(QWidget* parent, GameEngine& engine);

  platform::PictureBox* title_cg;
  platform::Hotspot* Image13;  // NEW GAME
  platform::Hotspot* Image14;  // compatibility reading
  QPushButton* Button1;        // hidden "NEW GAME" button

  void Button1Click() { engine_.startSingleReading(); }
  void Image14Click() { engine_.startCompatReading(); }
  // Return, Space or N: NEW GAME; C: the compatibility reading. True when the key was used.
  bool playKey(int key);

 private:
  GameEngine& engine_;
};

}  // namespace game
