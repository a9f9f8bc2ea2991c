#pragma once
// Renders a sound recipe to interleaved samples in -1..1.
#include "tools/assetgen/SoundRecipe.h"

#include <vector>

namespace assetgen {

class SoundSynth {
 public:
  // Deterministic: noise and plucked strings draw from a generator seeded by the voice's
  // position in the recipe. The mix is scaled so its peak magnitude is recipe.peak (a silent
  // mix stays silent).
  static std::vector<float> render(const SoundRecipe& recipe);
};

}  // namespace assetgen
