#include "wavemix/MixSamples.h"

#include <cstring>

namespace wavemix {

namespace {

// The sum of up to 8 bytes fits 16-bit lanes, so the compiler can vectorize this loop on
// 16-bit lanes with a saturating narrow at the end; the result is the exact clipped sum.
template <int N>
void mixN(std::uint8_t* __restrict destination, const std::uint8_t* const* sources,
          std::size_t count) {
  const std::uint8_t* __restrict s[N];
  for (int i = 0; i < N; ++i) s[i] = sources[i];
  constexpr std::int16_t kBias = -128 * (N - 1);
  for (std::size_t k = 0; k < count; ++k) {
    std::int16_t sum = kBias;
    for (int i = 0; i < N; ++i) sum = static_cast<std::int16_t>(sum + s[i][k]);
    sum = sum < 0 ? std::int16_t{0} : sum;
    sum = sum > 255 ? std::int16_t{255} : sum;
    destination[k] = static_cast<std::uint8_t>(sum);
  }
}

}  // namespace

void MixSamples(std::uint8_t* destination, const std::uint8_t* const* sources, std::size_t count,
                int sourceCount) {
  switch (sourceCount) {
    case 1: std::memcpy(destination, sources[0], count); return;
    case 2: mixN<2>(destination, sources, count); return;
    case 3: mixN<3>(destination, sources, count); return;
    case 4: mixN<4>(destination, sources, count); return;
    case 5: mixN<5>(destination, sources, count); return;
    case 6: mixN<6>(destination, sources, count); return;
    case 7: mixN<7>(destination, sources, count); return;
    case 8: mixN<8>(destination, sources, count); return;
    default: std::memset(destination, 128, count); return;
  }
}

}  // namespace wavemix
