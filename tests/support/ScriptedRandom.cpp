#include "tests/support/ScriptedRandom.h"

#include <stdexcept>
#include <string>

namespace testing_support {

int ScriptedRandom::Random(int k) {
  limits_.push_back(k);
  if (values_.empty())
    throw std::logic_error("ScriptedRandom: no value left for Random(" + std::to_string(k) + ")");
  int v = values_.front();
  values_.pop_front();
  if (v < 0 || v >= k)
    throw std::logic_error("ScriptedRandom: " + std::to_string(v) + " is outside Random(" +
                           std::to_string(k) + ")");
  return v;
}

}  // namespace testing_support
