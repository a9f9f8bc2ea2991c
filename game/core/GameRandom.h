#pragma once
// The game's two generators, both of one seed.
#include <cstdint>

#include "platform/core/RandomSource.h"

namespace game {

// The readings draw from `readings`. The portrait's tremble, drawn at timer-driven moments,
// draws from `tremble`, a stream of its own, so that the readings depend only on the seed,
// the date and the player's input, never on how many timer ticks happened in between.
struct GameRandom {
  explicit GameRandom(std::uint64_t seed) : readings(seed), tremble(seed ^ 0x9E3779B97F4A7C15ull) {}
  platform::SeededRandom readings;
  platform::SeededRandom tremble;
};

}  // namespace game
