#pragma once
// A random source that gives back the values it was told, in order. Running dry, or a value
// outside 0 … k−1, throws std::logic_error so that a test notices a draw it did not expect.
#include <cstddef>
#include <deque>
#include <initializer_list>

#include "platform/core/RandomSource.h"

namespace testing_support {

class ScriptedRandom final : public platform::RandomSource {
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

}  // namespace testing_support
