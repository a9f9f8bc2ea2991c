#pragma once
// A RIFF WAVE image made in memory: a short 8-bit mono tone that fades out.
#include <cstdint>
#include <vector>

// `milliseconds` of a `hertz` sine at 22050 samples per second, 8-bit unsigned mono.
std::vector<std::uint8_t> makeToneWave(int hertz, int milliseconds);
