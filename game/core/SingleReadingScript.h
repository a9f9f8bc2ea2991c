#pragma once
// The single reading, from the title's NEW GAME to leaving the result sheet.
#include <string>

#include "game/core/Conversation.h"

namespace game {

class SingleReadingScript : public Conversation {
 public:
  using Conversation::Conversation;

  // The whole reading; ends back on the title screen or with the window closing.
  Task<void> BeginSingleReading();

 private:
  Task<void> AskName();
  Task<void> SexChosen();
  Task<void> OfferChoices();
  Task<void> SingleReading(const std::string& word);
  Task<void> LeaveResult();
};

}  // namespace game
