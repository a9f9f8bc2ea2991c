#include "platform/core/RandomSource.h"

namespace platform {

int SeededRandom::Random(int k) {
  if (k <= 1) return 0;
  std::uniform_int_distribution<int> dist(0, k - 1);
  return dist(engine_);
}

}  // namespace platform
