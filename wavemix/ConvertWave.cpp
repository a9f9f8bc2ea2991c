#include "wavemix/ConvertWave.h"

#include <new>
#include <utility>

#include "wavemix/EWaveMixError.h"
#include "wavemix/WaveMixMessages.h"

namespace wavemix {

namespace {

SampleBuffer allocate(std::uint32_t bytes) {
  // At least one byte so that an empty result is still a valid, distinct buffer.
  SampleBuffer buffer(new (std::nothrow) std::uint8_t[bytes == 0 ? 1 : bytes]);
  if (!buffer) throw EWaveMixError(messages::kNoMemory);
  return buffer;
}

}  // namespace

SampleBuffer ConvertBits(std::uint16_t sourceBits, std::uint16_t targetBits, SampleBuffer data,
                         std::uint32_t& length) {
  if (sourceBits == targetBits) return data;
  if ((sourceBits != 8 && sourceBits != 16) || (targetBits != 8 && targetBits != 16)) {
    data.reset();
    throw EWaveMixError(messages::kFormatNotSupported);
  }
  if (targetBits == 16) {
    // The session format is always 8-bit; widening is here for completeness only.
    SampleBuffer wide = allocate(length * 2);
    for (std::uint32_t i = 0; i < length; ++i) {
      wide[2 * i] = 0;
      wide[2 * i + 1] = static_cast<std::uint8_t>(data[i] ^ 0x80);
    }
    length *= 2;
    return wide;
  }
  const std::uint32_t samples = length / 2;
  SampleBuffer narrow = allocate(samples);
  // Little-endian signed 16-bit: the high byte with its sign bit flipped is the 8-bit
  // unsigned sample (s >> 8) + 128.
  for (std::uint32_t i = 0; i < samples; ++i) {
    narrow[i] = static_cast<std::uint8_t>(data[2 * i + 1] ^ 0x80);
  }
  length = samples;
  return narrow;
}

SampleBuffer ConvertChannels(std::uint16_t sourceChannels, std::uint16_t targetChannels,
                             SampleBuffer data, std::uint32_t& length) {
  if (sourceChannels == targetChannels) return data;
  if (sourceChannels < 1 || sourceChannels > 2 || targetChannels < 1 || targetChannels > 2) {
    data.reset();
    throw EWaveMixError(messages::kFormatNotSupported);
  }
  const std::uint32_t frames = length / sourceChannels;
  SampleBuffer converted = allocate(frames * targetChannels);
  if (sourceChannels == 1) {
    for (std::uint32_t f = 0; f < frames; ++f) {
      converted[2 * f] = data[f];
      converted[2 * f + 1] = data[f];
    }
  } else {
    for (std::uint32_t f = 0; f < frames; ++f) {
      converted[f] = static_cast<std::uint8_t>((data[2 * f] + data[2 * f + 1]) / 2);
    }
  }
  length = frames * targetChannels;
  return converted;
}

SampleBuffer ConvertRate(std::uint32_t sourceRate, std::uint32_t targetRate,
                         std::uint16_t frameSize, SampleBuffer data, std::uint32_t& length) {
  if (sourceRate == targetRate) return data;
  if (sourceRate == 0 || targetRate == 0 || frameSize == 0) {
    data.reset();
    throw EWaveMixError(messages::kFormatNotSupported);
  }
  const std::uint32_t frames = length / frameSize;
  if (sourceRate < targetRate) {
    // The ratio is truncated: a rate that does not divide the target plays slightly fast.
    const std::uint32_t factor = targetRate / sourceRate;
    const std::uint64_t outBytes = std::uint64_t{frames} * factor * frameSize;
    if (outBytes > 0x7FFFFFFF) {
      data.reset();
      throw EWaveMixError(messages::kNoMemory);
    }
    SampleBuffer out = allocate(static_cast<std::uint32_t>(outBytes));
    std::uint8_t* dst = out.get();
    for (std::uint32_t f = 0; f < frames; ++f) {
      const std::uint8_t* cur = &data[std::size_t{f} * frameSize];
      if (f + 1 < frames) {
        const std::uint8_t* next = cur + frameSize;
        for (std::uint32_t k = 0; k < factor; ++k) {
          for (std::uint16_t c = 0; c < frameSize; ++c) {
            // Truncating division toward zero, as C++ integer division does.
            const int step = (int{next[c]} - int{cur[c]}) / static_cast<int>(factor);
            *dst++ = static_cast<std::uint8_t>(cur[c] + static_cast<int>(k) * step);
          }
        }
      } else {
        for (std::uint32_t k = 0; k < factor; ++k) {
          for (std::uint16_t c = 0; c < frameSize; ++c) *dst++ = cur[c];
        }
      }
    }
    length = static_cast<std::uint32_t>(outBytes);
    return out;
  }
  // Rounded ratio, summed in 64 bits: a rate near 2^32 must not wrap to a zero divisor.
  const std::uint64_t divisor = (std::uint64_t{sourceRate} + targetRate / 2) / targetRate;
  const auto groups = static_cast<std::uint32_t>(frames / divisor);
  SampleBuffer out = allocate(groups * frameSize);
  for (std::uint32_t g = 0; g < groups; ++g) {
    const std::uint8_t* group = &data[std::size_t{g} * divisor * frameSize];
    std::uint8_t* dst = &out[std::size_t{g} * frameSize];
    for (std::uint16_t c = 0; c < frameSize; ++c) {
      if (g + 1 == groups) {
        dst[c] = group[c];  // the last output frame copies the first input frame of its group
        continue;
      }
      int sum = 0;
      for (std::uint64_t i = 0; i < divisor; ++i) sum += int{group[i * frameSize + c]} - 128;
      dst[c] = static_cast<std::uint8_t>(128 + sum / static_cast<int>(divisor));
    }
  }
  length = groups * frameSize;
  return out;
}

SampleBuffer ConvertWave(const platform::PcmFormat& session, const platform::PcmFormat& source,
                         SampleBuffer data, std::uint32_t& length) {
  if (session.channels == source.channels && session.samplesPerSec == source.samplesPerSec &&
      session.bitsPerSample == source.bitsPerSample) {
    return data;
  }
  data = ConvertBits(source.bitsPerSample, session.bitsPerSample, std::move(data), length);
  data = ConvertChannels(source.channels, session.channels, std::move(data), length);
  data = ConvertRate(source.samplesPerSec, session.samplesPerSec, session.channels,
                     std::move(data), length);
  return data;
}

}  // namespace wavemix
