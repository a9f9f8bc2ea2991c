#include "ToneWave.h"

#include <cmath>
#include <numbers>

namespace {

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

std::vector<std::uint8_t> makeToneWave(int hertz, int milliseconds) {
  constexpr std::uint32_t kRate = 22050;
  const std::uint32_t samples = kRate * static_cast<std::uint32_t>(milliseconds) / 1000;
  std::vector<std::uint8_t> wave;
  putTag(wave, "RIFF");
  putLittleEndian(wave, 36 + samples, 4);
  putTag(wave, "WAVE");
  putTag(wave, "fmt ");
  putLittleEndian(wave, 16, 4);
  putLittleEndian(wave, 1, 2);      // PCM
  putLittleEndian(wave, 1, 2);      // mono
  putLittleEndian(wave, kRate, 4);  // samples per second
  putLittleEndian(wave, kRate, 4);  // bytes per second
  putLittleEndian(wave, 1, 2);      // block alignment
  putLittleEndian(wave, 8, 2);      // bits per sample
  putTag(wave, "data");
  putLittleEndian(wave, samples, 4);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double fade = 1.0 - static_cast<double>(i) / samples;
    const double value = std::sin(2 * std::numbers::pi * hertz * i / kRate) * 90 * fade;
    wave.push_back(static_cast<std::uint8_t>(128 + std::lround(value)));
  }
  return wave;
}
