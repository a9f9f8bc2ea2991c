#pragma once
// The compatibility reading, from the title to the satisfaction question.
#include "game/core/Conversation.h"

namespace game {

class CompatReadingScript : public Conversation {
 public:
  using Conversation::Conversation;

  // The whole reading; ends back on the title screen or with the window closing.
  Task<void> BeginCompatReading();

 private:
  void grantItem(std::int32_t& flag);
  Task<void> CompatReading();
};

}  // namespace game
