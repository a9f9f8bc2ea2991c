// MixSamples against the per-byte definition, for every source count and many lengths and
// alignments (the vectorized loops have head and tail cases).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "wavemix/MixSamples.h"

namespace wavemix {
namespace {

std::uint8_t reference(const std::vector<const std::uint8_t*>& sources, std::size_t k) {
  if (sources.size() == 1) return sources[0][k];
  int sum = 128;
  for (const std::uint8_t* source : sources) sum += source[k] - 128;
  return static_cast<std::uint8_t>(std::clamp(sum, 0, 255));
}

TEST(MixSamplesTest, AgreesWithTheDefinitionForEverySourceCount) {
  std::mt19937 random(20261207);
  std::vector<std::vector<std::uint8_t>> data(8, std::vector<std::uint8_t>(4096 + 64));
  for (int round = 0; round < 200; ++round) {
    for (auto& source : data) {
      // Mostly extreme values so that clipping happens on both sides.
      for (auto& byte : source) byte = static_cast<std::uint8_t>(random() % 3 == 0 ? random() : (random() & 1) * 255);
    }
    const int count = 1 + static_cast<int>(random() % 8);
    const std::size_t length = round < 8 ? 4096 : random() % 4097;
    std::vector<const std::uint8_t*> sources;
    for (int i = 0; i < count; ++i) sources.push_back(data[static_cast<std::size_t>(i)].data() + random() % 64);
    std::vector<std::uint8_t> out(length + 2, 0x5A);
    MixSamples(out.data() + 1, sources.data(), length, count);
    ASSERT_EQ(out.front(), 0x5A);
    ASSERT_EQ(out.back(), 0x5A) << "wrote past the count";
    for (std::size_t k = 0; k < length; ++k) {
      ASSERT_EQ(out[k + 1], reference(sources, k)) << count << " sources, byte " << k;
    }
  }
}

TEST(MixSamplesTest, ExactClippingAtTheEdges) {
  const std::uint8_t high[] = {255, 255, 255, 128, 129};
  const std::uint8_t low[] = {0, 0, 1, 127, 127};
  const std::uint8_t mid[] = {128, 255, 0, 128, 128};
  const std::uint8_t* sources[] = {high, low, mid};
  std::uint8_t out[5];
  MixSamples(out, sources, 5, 3);
  // 128+127−128+0 = 127; 128+127−128+127 = 254; 128+127−127−128 = 0; 127; 128+1−1 = 128.
  EXPECT_EQ(std::vector<std::uint8_t>(out, out + 5), (std::vector<std::uint8_t>{127, 254, 0, 127, 128}));
}

}  // namespace
}  // namespace wavemix
