// Writes the fuzzer's seed corpus: small RIFF images, a few well-formed in each supported
// format and many broken in one particular way each. Usage: wavemix_fuzz_seeds DIRECTORY
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/RiffBuilder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

using B = testing_support::RiffBuilder;

Bytes samples(std::size_t n, unsigned seed) {
  Bytes out(n);
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(i * 13 + seed);
  return out;
}

Bytes wave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::size_t n) {
  return B::wave(channels, rate, bits, samples(n, channels + bits));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wavemix_fuzz_seeds DIRECTORY\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  std::vector<std::pair<std::string, Bytes>> seeds = {
      {"mono8_11025", wave(1, 11025, 8, 300)},
      {"stereo16_22050", wave(2, 22050, 16, 400)},
      {"mono16_44100", wave(1, 44100, 16, 512)},
      {"stereo8_8000", wave(2, 8000, 8, 64)},
      {"mono8_48000", wave(1, 48000, 8, 97)},
      {"odd_chunks", B::riff("WAVE", {B::chunk("junk", {1, 2, 3}), B::fmt(1, 1, 22050, 8),
                                   B::chunk("LIST", samples(5, 1)), B::chunk("data", samples(33, 2))})},
      {"not_wave", B::riff("AVI ", {B::fmt(1, 1, 11025, 8), B::chunk("data", samples(8, 3))})},
      {"no_fmt", B::riff("WAVE", {B::chunk("data", samples(8, 4))})},
      {"fmt_14", B::riff("WAVE", {B::chunk("fmt ", Bytes(14, 1)), B::chunk("data", samples(8, 5))})},
      {"adpcm", B::riff("WAVE", {B::fmt(2, 1, 11025, 4), B::chunk("data", samples(8, 6))})},
      {"no_data", B::riff("WAVE", {B::fmt(1, 1, 11025, 8)})},
      {"data_first", B::riff("WAVE", {B::chunk("data", samples(8, 7)), B::fmt(1, 1, 11025, 8)})},
      {"empty_data", B::riff("WAVE", {B::fmt(1, 1, 11025, 8), B::chunk("data", {})})},
      {"data_lies", B::riff("WAVE", {B::fmt(1, 2, 11025, 16), B::chunk("data", samples(8, 8), 0x7FFFFFF0)})},
      {"riff_lies", B::chunk("RIFF", Bytes{'W', 'A', 'V', 'E'}, 0xFFFFFFFF)},
      {"three_channels", wave(3, 11025, 8, 30)},
      {"bits24", wave(1, 11025, 24, 30)},
      {"rate0", wave(1, 0, 8, 30)},
      {"half_frame", wave(2, 11025, 16, 3)},
      {"tiny_44100", wave(1, 44100, 8, 3)},
      {"slow_rate", wave(1, 100, 8, 40)},
      {"truncated", []() { Bytes b = wave(1, 22050, 16, 200); b.resize(60); return b; }()},
  };
  for (const auto& [name, bytes] : seeds) {
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::printf("%zu seeds written to %s\n", seeds.size(), folder.string().c_str());
  return 0;
}
