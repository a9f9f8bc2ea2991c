#pragma once
// Test data for the benchmarks: a RIFF WAVE image of pseudo-random 16-bit stereo samples,
// and noise blocks of 8-bit unsigned samples. Same seed, same bytes, in every run.
#include <cstdint>
#include <filesystem>
#include <vector>

namespace bench {

// A complete WAV file image: 16-bit stereo PCM at `rate` Hz, `seconds` long.
std::vector<std::uint8_t> makeWave16Stereo(std::uint32_t rate, double seconds);
// Writes it to a file in the temporary folder and returns the path.
std::filesystem::path writeTempWave(const std::vector<std::uint8_t>& image, const char* name);
// `count` blocks of `length` 8-bit unsigned samples around 0x80 (moderate level, so that a
// mix of 8 rarely clips and the clipping path is exercised only sometimes).
std::vector<std::vector<std::uint8_t>> makeNoiseBlocks(int count, std::size_t length);

}  // namespace bench
