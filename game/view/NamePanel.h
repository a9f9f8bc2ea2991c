#pragma once
// The name panel: nineteen letter tiles (one erases), the name field and OK.
#include <array>

#include "game/core/GameEngine.h"
#include "platform/FlatPanel.h"
#include "platform/Hotspot.h"
#include "platform/PictureBox.h"
#include "platform/ReadOnlyEdit.h"

namespace game {

class NamePanel : public platform::FlatPanel {
 public:
  NamePanel(QWidget* parent, GameEngine& engine);

  platform::PictureBox* Image3;
  platform::Hotspot* Image4;                       // OK
  std::array<platform::Hotspot*, 19> nameTiles{};  // Image18 … Image36 in order
  platform::ReadOnlyEdit* name_l;

  void Image4MouseDown() { engine_.nameEntered(); }
  // Return: OK; Backspace: erase; the letters A … Y: their tiles.
  bool playKey(int key);

 private:
  GameEngine& engine_;
};

}  // namespace game
