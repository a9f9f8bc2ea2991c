#pragma once
// The result sheet of a single reading, covering the window.
#include "game/core/GameEngine.h"
#include "platform/FlatPanel.h"
#include "platform/Hotspot.h"
#include "platform/PictureBox.h"
#include "platform/TextLabel.h"

namespace game {

class ResultPanel : public platform::FlatPanel {
 public:
  ResultPanel(QWidget* parent, GameEngine& engine);

  platform::PictureBox* Image15;
  platform::TextLabel* end_l;
  platform::TextLabel* end_l2;
  platform::TextLabel* end_l3;
  platform::Hotspot* Image16;  // leave the result
  platform::PictureBox* end_Cg;

  void Image16MouseDown() { engine_.leaveResult(); }
  // The sheet's texts, shown and as a screen reader reads them (the picture aside).
  void showSheet(const ResultSheet& sheet);
  bool playKey(int key);  // Return: leave

 private:
  GameEngine& engine_;
};

}  // namespace game
