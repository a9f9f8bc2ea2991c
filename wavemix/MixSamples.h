#pragma once
// Mixes `sourceCount` (1..8) streams of 8-bit unsigned samples: each output byte is
// 128 + Σ(source[k] − 128), clipped to 0..255. With one source the bytes are copied.
// `count` ≤ 4096. The destination may not overlap a source.
#include <cstddef>
#include <cstdint>

namespace wavemix {

void MixSamples(std::uint8_t* destination, const std::uint8_t* const* sources, std::size_t count,
                int sourceCount);

}  // namespace wavemix
