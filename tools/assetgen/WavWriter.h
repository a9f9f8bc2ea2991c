#pragma once
// Writes RIFF WAVE files with PCM samples.
#include <string>
#include <vector>

namespace assetgen {

struct PcmFormat {
  int bitsPerSample = 16;  // 8 (unsigned) or 16 (signed little-endian)
  int channels = 1;        // 1 or 2, interleaved
  int sampleRate = 22050;  // frames per second
};

class WavWriter {
 public:
  // frames: interleaved samples in -1..1 (channels values per frame); values outside are
  // clipped. Rounding is deterministic (round half away from zero).
  static std::string encode(const PcmFormat& format, const std::vector<float>& interleaved);
};

}  // namespace assetgen
