#pragma once
// The yes/no panel, shown while a conversation waits for a yes or a no.
#include "game/core/GameEngine.h"
#include "platform/FlatPanel.h"
#include "platform/Hotspot.h"
#include "platform/PictureBox.h"
#include "platform/TextLabel.h"

namespace game {

class YesNoPanel : public platform::FlatPanel {
 public:
  YesNoPanel(QWidget* parent, GameEngine& engine);

  platform::PictureBox* Image5;
  platform::TextLabel* Label1;
  platform::TextLabel* Label2;
  platform::Hotspot* Image6;  // yes
  platform::Hotspot* Image7;  // no

  // Y and N answer; Left and Right mark yes or no, which Return then gives.
  bool playKey(int key);
  // Clears the keyboard's mark; as the panel is shown and hidden.
  void clearMark() { mark(0); }

 private:
  void mark(int choice);  // 0 none, 1 yes, 2 no

  GameEngine& engine_;
  int marked_ = 0;
};

}  // namespace game
