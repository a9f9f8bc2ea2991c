#include "BenchWaveFile.h"

#include <fstream>
#include <random>

namespace bench {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

}  // namespace

std::vector<std::uint8_t> makeWave16Stereo(std::uint32_t rate, double seconds) {
  const auto frames = static_cast<std::uint32_t>(rate * seconds);
  const std::uint32_t dataBytes = frames * 4;
  std::vector<std::uint8_t> image;
  image.reserve(44 + dataBytes);
  putTag(image, "RIFF");
  put32(image, 36 + dataBytes);
  putTag(image, "WAVE");
  putTag(image, "fmt ");
  put32(image, 16);
  put16(image, 1);
  put16(image, 2);
  put32(image, rate);
  put32(image, rate * 4);
  put16(image, 4);
  put16(image, 16);
  putTag(image, "data");
  put32(image, dataBytes);
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> sample(-12000, 12000);
  for (std::uint32_t i = 0; i < frames * 2; ++i) put16(image, static_cast<std::uint16_t>(sample(random)));
  return image;
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
