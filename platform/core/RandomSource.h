#pragma once
// The game's one random generator. Random(k) is a uniform integer in 0 … k−1.
#include <cstdint>
#include <deque>
#include <random>
#include <stdexcept>

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
  void reseed(std::uint64_t seed) { engine_.seed(seed); }

 private:
  std::mt19937_64 engine_;
};

// Gives back the values it was told, in order; for tests. Running dry, or a value outside
// 0 … k−1, throws std::logic_error so a test notices a draw it did not expect.
class ScriptedRandom final : public RandomSource {
 public:
  ScriptedRandom() = default;
  ScriptedRandom(std::initializer_list<int> values) : values_(values) {}
  void push(int value) { values_.push_back(value); }
  // Values to give before everything queued so far (for draws that interleave, such as a
  // status refresh caused by a click in the middle of a scripted sequence).
  void prepend(std::initializer_list<int> values) { values_.insert(values_.begin(), values); }
  int Random(int k) override;
  std::size_t remaining() const { return values_.size(); }
  // Limits seen by each draw so far, in order.
  const std::deque<int>& limits() const { return limits_; }

 private:
  std::deque<int> values_;
  std::deque<int> limits_;
};

}  // namespace platform
