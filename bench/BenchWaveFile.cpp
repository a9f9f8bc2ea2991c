#include "BenchWaveFile.h"

#include <fstream>
#include <random>

#include "tests/support/RiffBuilder.h"

namespace bench {

std::vector<std::uint8_t> makeWave16Stereo(std::uint32_t rate, double seconds) {
  const auto frames = static_cast<std::uint32_t>(rate * seconds);
  std::vector<std::uint8_t> samples;
  samples.reserve(std::size_t{frames} * 4);
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> sample(-12000, 12000);
  for (std::uint32_t i = 0; i < frames * 2; ++i)
    testing_support::RiffBuilder::put16(samples, static_cast<std::uint16_t>(sample(random)));
  return testing_support::RiffBuilder::wave(2, rate, 16, samples);
}

std::filesystem::path writeTempWave(const std::vector<std::uint8_t>& image, const char* name) {
  const auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  return path;
}

std::vector<std::vector<std::uint8_t>> makeNoiseBlocks(int count, std::size_t length) {
  std::mt19937 random(777);
  std::uniform_int_distribution<int> sample(128 - 40, 128 + 40);
  std::vector<std::vector<std::uint8_t>> blocks(static_cast<std::size_t>(count));
  for (auto& block : blocks) {
    block.resize(length);
    for (auto& byte : block) byte = static_cast<std::uint8_t>(sample(random));
  }
  return blocks;
}

}  // namespace bench
