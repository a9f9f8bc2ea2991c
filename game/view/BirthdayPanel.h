#pragma once
// The birthday panel: month and day fields and OK.
#include "game/core/GameEngine.h"
#include "platform/FlatPanel.h"
#include "platform/Hotspot.h"
#include "platform/PictureBox.h"
#include "platform/SpinField.h"
#include "platform/TextLabel.h"

namespace game {

class BirthdayPanel : public platform::FlatPanel {
 public:
  BirthdayPanel(QWidget* parent, GameEngine& engine);

  platform::TextLabel* Label6;
  platform::TextLabel* Label7;
  platform::PictureBox* Image8;
  platform::Hotspot* Image9;  // OK
  platform::SpinField* umare_v;   // month
  platform::SpinField* umare_v2;  // day

  // value() limits the number to the field's range even while the field keeps the focus.
  void Image9MouseDown() { engine_.birthdayEntered(umare_v->value(), umare_v2->value()); }
  void umare_v2Change() { engine_.birthdayChanged(); }
  bool playKey(int key);  // Return: OK
  // While the keyboard is in use, the month field takes it as the panel opens, so that arrows
  // and digits work at once.
  void takeKeyboard();

 private:
  GameEngine& engine_;
};

}  // namespace game
