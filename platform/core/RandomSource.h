#pragma once
// The game's one random generator. Random(k) is a uniform integer in 0 … k−1.
#include <cstdint>
#include <random>

namespace platform {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Uniform in 0 … k−1; k must be at least 1.
  virtual int Random(int k) = 0;
};

// Mersenne twister seeded once. Seed from the clock for play, from --seed for a replay.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  int Random(int k) override;

 private:
  std::mt19937_64 engine_;
};

}  // namespace platform
