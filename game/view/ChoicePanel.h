#pragma once
// The three offered words of a single reading.
#include "game/core/GameEngine.h"
#include "platform/FlatPanel.h"
#include "platform/TextLabel.h"

namespace game {

class ChoicePanel : public platform::FlatPanel {
 public:
  ChoicePanel(QWidget* parent, GameEngine& engine);

  platform::TextLabel* item_l1;
  platform::TextLabel* item_l2;
  platform::TextLabel* item_l3;

  void item_l1MouseDown() { engine_.choose(1); }
  void item_l2MouseDown() { engine_.choose(2); }
  void item_l3MouseDown() { engine_.choose(3); }
  bool playKey(int key);  // 1, 2, 3

 private:
  GameEngine& engine_;
};

}  // namespace game
