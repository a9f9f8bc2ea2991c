#pragma once
// Integer helpers for arithmetic on values that may come from a damaged file.
#include <cstdint>
#include <limits>

namespace game {

// v mod m in 0 … m−1 for any v (m > 0): a table index or a star count, never negative.
constexpr std::int64_t nonNegativeRemainder(std::int64_t v, std::int64_t m) {
  std::int64_t r = v % m;
  return r < 0 ? r + m : r;
}

// a + b held to the int32 range instead of overflowing.
constexpr std::int32_t saturatingAdd(std::int32_t a, std::int64_t b) {
  // b is small in the game; clamp it first so the 64-bit sum itself cannot overflow.
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  if (b > hi - lo) b = hi - lo;
  if (b < lo - hi) b = lo - hi;
  std::int64_t sum = std::int64_t{a} + b;
  return static_cast<std::int32_t>(sum < lo ? lo : sum > hi ? hi : sum);
}

}  // namespace game
