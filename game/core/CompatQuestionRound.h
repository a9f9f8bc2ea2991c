#pragma once
// The question phase of the compatibility reading, one question at a time. Every question
// draws rng.Random(k) first (when next() passes it); it is asked when the draw is 0 and the
// budget so far is at most 5. Own effects treat anything but yes as no; the pair rules look
// at the partner question's memo: yes & yes +3, no & no +2, yes & no −3, no & yes −2,
// nothing when the partner was not asked. mood saturates at the int32 limits.
#include <array>
#include <cstdint>
#include <vector>

#include "game/core/PlayState.h"
#include "game/core/ReadingEngine.h"
#include "platform/core/RandomSource.h"

namespace game {

class CompatQuestionRound {
 public:
  explicit CompatQuestionRound(platform::RandomSource& rng) : rng_(rng) {}

  // The next question to ask, drawing for it and for every question passed over; nullptr
  // when the round is over. Each question given must be answered before the next call.
  const CompatQuestion* next();
  void answer(Answer a, std::int32_t& mood);

  // The 0-based indices of the questions asked so far.
  const std::vector<int>& asked() const { return asked_; }

 private:
  platform::RandomSource& rng_;
  int index_ = 0;  // the next question to draw for
  int budget_ = 0;
  std::array<int, 4> memos_{};  // indexed by Memo; 0 = partner question not asked
  std::vector<int> asked_;
};

}  // namespace game
