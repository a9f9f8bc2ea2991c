#include "tools/assetgen/WavWriter.h"

#include "tools/assetgen/ByteSink.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen {

std::string WavWriter::encode(const PcmFormat& format, const std::vector<float>& interleaved) {
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) throw std::invalid_argument("PCM bits must be 8 or 16");
  if (format.channels != 1 && format.channels != 2) throw std::invalid_argument("PCM channels must be 1 or 2");
  if (interleaved.size() % format.channels != 0) throw std::invalid_argument("sample count is not a whole number of frames");
  const std::uint16_t blockAlign = static_cast<std::uint16_t>(format.channels * format.bitsPerSample / 8);
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(interleaved.size() * (format.bitsPerSample / 8));
  ByteSink out;
  out.text("RIFF");
  out.u32le(4 + 8 + 16 + 8 + dataBytes + (dataBytes & 1));
  out.text("WAVE");
  out.text("fmt ");
  out.u32le(16);
  out.u16le(1);  // PCM
  out.u16le(static_cast<std::uint16_t>(format.channels));
  out.u32le(static_cast<std::uint32_t>(format.sampleRate));
  out.u32le(static_cast<std::uint32_t>(format.sampleRate) * blockAlign);
  out.u16le(blockAlign);
  out.u16le(static_cast<std::uint16_t>(format.bitsPerSample));
  out.text("data");
  out.u32le(dataBytes);
  for (float s : interleaved) {
    const double v = std::clamp(static_cast<double>(s), -1.0, 1.0);
    if (format.bitsPerSample == 8) {
      out.u8(static_cast<std::uint8_t>(std::clamp<long>(std::lround(128.0 + v * 127.0), 0, 255)));
    } else {
      out.u16le(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767.0))));
    }
  }
  if (dataBytes & 1) out.u8(0);  // chunks are padded to an even size
  return out.take();
}

}  // namespace assetgen
