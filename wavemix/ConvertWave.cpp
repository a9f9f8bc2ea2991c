#include "wavemix/ConvertWave.h"

#include <cstddef>
#include <cstring>
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

// The loops below read and write through distinct pointers and index with size_t, so that
// the vectorizer can widen them.

// 16-bit samples to 8 bits (as ConvertBits).
void narrowSamples(const std::uint8_t* __restrict in, std::uint8_t* __restrict out,
                   std::size_t samples) {
  for (std::size_t i = 0; i < samples; ++i) out[i] = static_cast<std::uint8_t>(in[2 * i + 1] ^ 0x80);
}

// 16-bit stereo frames to 8-bit mono (ConvertBits, then ConvertChannels).
void narrowStereoToMono(const std::uint8_t* __restrict in, std::uint8_t* __restrict out,
                        std::size_t frames) {
  for (std::size_t f = 0; f < frames; ++f) {
    const unsigned left = in[4 * f + 1] ^ 0x80u;
    const unsigned right = in[4 * f + 3] ^ 0x80u;
    out[f] = static_cast<std::uint8_t>((left + right) / 2);
  }
}

// 16-bit mono samples to 8-bit stereo (ConvertBits, then ConvertChannels).
void narrowMonoToStereo(const std::uint8_t* __restrict in, std::uint8_t* __restrict out,
                        std::size_t samples) {
  for (std::size_t i = 0; i < samples; ++i) {
    const auto sample = static_cast<std::uint8_t>(in[2 * i + 1] ^ 0x80);
    out[2 * i] = sample;
    out[2 * i + 1] = sample;
  }
}

// 8-bit stereo to mono and mono to stereo (as ConvertChannels).
void stereoToMono(const std::uint8_t* __restrict in, std::uint8_t* __restrict out,
                  std::size_t frames) {
  for (std::size_t f = 0; f < frames; ++f) {
    out[f] = static_cast<std::uint8_t>((unsigned{in[2 * f]} + in[2 * f + 1]) / 2);
  }
}

void monoToStereo(const std::uint8_t* __restrict in, std::uint8_t* __restrict out,
                  std::size_t samples) {
  for (std::size_t i = 0; i < samples; ++i) {
    out[2 * i] = in[i];
    out[2 * i + 1] = in[i];
  }
}

// The length ConvertBits (to 8 bits) and then ConvertChannels give for `length` bytes.
std::uint32_t bitsAndChannelsLength(std::uint32_t length, std::uint16_t sourceBits,
                                    std::uint16_t sourceChannels, std::uint16_t targetChannels) {
  const std::uint32_t samples = sourceBits == 16 ? length / 2 : length;
  if (sourceChannels == targetChannels) return samples;
  return samples / sourceChannels * targetChannels;
}

// ConvertBits (to 8 bits) and then ConvertChannels in one pass: writes the
// bitsAndChannelsLength bytes they would give. Not for 8 bits with the channels agreeing,
// which is the data itself.
void bitsAndChannels(const std::uint8_t* in, std::uint32_t length, std::uint16_t sourceBits,
                     std::uint16_t sourceChannels, std::uint16_t targetChannels,
                     std::uint8_t* out) {
  const std::uint32_t samples = sourceBits == 16 ? length / 2 : length;
  if (sourceBits == 16) {
    if (sourceChannels == targetChannels) {
      narrowSamples(in, out, samples);
    } else if (sourceChannels == 2) {
      narrowStereoToMono(in, out, samples / 2);
    } else {
      narrowMonoToStereo(in, out, samples);
    }
  } else if (sourceChannels == 2) {
    stereoToMono(in, out, samples / 2);
  } else {
    monoToStereo(in, out, samples);
  }
}

// ConvertRate's upward steps, from `in` into `out`.
void stepUp(const std::uint8_t* __restrict in, std::uint8_t* __restrict out, std::uint32_t frames,
            std::uint32_t factor, std::uint16_t frameSize) {
  std::uint8_t* dst = out;
  for (std::uint32_t f = 0; f < frames; ++f) {
    const std::uint8_t* cur = &in[std::size_t{f} * frameSize];
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
}

// ConvertRate's group averages for all groups but the last, with the group size and the
// frame size known to the compiler.
template <unsigned kDivisor, unsigned kFrameSize>
void averageGroupsOf(const std::uint8_t* __restrict in, std::uint8_t* __restrict out,
                     std::size_t groups) {
  for (std::size_t g = 0; g < groups; ++g) {
    for (unsigned c = 0; c < kFrameSize; ++c) {
      int sum = 0;
      for (unsigned i = 0; i < kDivisor; ++i) sum += int{in[(g * kDivisor + i) * kFrameSize + c]} - 128;
      out[g * kFrameSize + c] = static_cast<std::uint8_t>(128 + sum / static_cast<int>(kDivisor));
    }
  }
}

// ConvertRate's downward steps: `groups` output frames from `in` into `out`.
void averageGroups(const std::uint8_t* __restrict in, std::uint8_t* __restrict out,
                   std::uint32_t groups, std::uint64_t divisor, std::uint16_t frameSize) {
  if (groups == 0) return;
  const std::size_t averaged = groups - 1;
  if (divisor == 4 && frameSize == 1) {
    averageGroupsOf<4, 1>(in, out, averaged);
  } else if (divisor == 2 && frameSize == 1) {
    averageGroupsOf<2, 1>(in, out, averaged);
  } else if (divisor == 4 && frameSize == 2) {
    averageGroupsOf<4, 2>(in, out, averaged);
  } else if (divisor == 2 && frameSize == 2) {
    averageGroupsOf<2, 2>(in, out, averaged);
  } else {
    for (std::size_t g = 0; g < averaged; ++g) {
      const std::uint8_t* group = &in[g * divisor * frameSize];
      std::uint8_t* dst = &out[g * frameSize];
      for (std::uint16_t c = 0; c < frameSize; ++c) {
        int sum = 0;
        for (std::uint64_t i = 0; i < divisor; ++i) sum += int{group[i * frameSize + c]} - 128;
        dst[c] = static_cast<std::uint8_t>(128 + sum / static_cast<int>(divisor));
      }
    }
  }
  // The last output frame copies the first input frame of its group.
  std::memcpy(&out[averaged * frameSize], &in[averaged * divisor * frameSize], frameSize);
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
    if (std::uint64_t{length} * 2 > kMaxConvertedBytes) {
      data.reset();
      throw EWaveMixError(messages::kNoMemory);
    }
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
  // Counted in 64 bits: a mono image over 2 GB doubled would wrap a 32-bit size and the
  // loop below would write past the end of a short buffer.
  const std::uint64_t outBytes = std::uint64_t{frames} * targetChannels;
  if (outBytes > kMaxConvertedBytes) {
    data.reset();
    throw EWaveMixError(messages::kNoMemory);
  }
  SampleBuffer converted = allocate(static_cast<std::uint32_t>(outBytes));
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
    if (outBytes > kMaxConvertedBytes) {
      data.reset();
      throw EWaveMixError(messages::kNoMemory);
    }
    SampleBuffer out = allocate(static_cast<std::uint32_t>(outBytes));
    stepUp(data.get(), out.get(), frames, factor, frameSize);
    length = static_cast<std::uint32_t>(outBytes);
    return out;
  }
  // Rounded ratio, summed in 64 bits: a rate near 2^32 must not wrap to a zero divisor.
  const std::uint64_t divisor = (std::uint64_t{sourceRate} + targetRate / 2) / targetRate;
  const auto groups = static_cast<std::uint32_t>(frames / divisor);
  SampleBuffer out = allocate(groups * frameSize);
  averageGroups(data.get(), out.get(), groups, divisor, frameSize);
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

namespace {

// The direct path covers every format the steps accept (an 8-bit target, 8 or 16 bits, 1 or
// 2 channels, real rates) at sizes whose arithmetic fits.
bool directPathCovers(const platform::PcmFormat& session, const platform::PcmFormat& source,
                      std::uint32_t length) {
  const bool sameFormat = session.channels == source.channels && session.samplesPerSec == source.samplesPerSec &&
                          session.bitsPerSample == source.bitsPerSample;
  return !sameFormat && session.bitsPerSample == 8 && (source.bitsPerSample == 8 || source.bitsPerSample == 16) &&
         source.channels >= 1 && source.channels <= 2 && session.channels >= 1 && session.channels <= 2 &&
         source.samplesPerSec != 0 && session.samplesPerSec != 0 && length <= 0x7FFFFFFF;
}

// Rate, as ConvertRate does it with the frame size of the session's channels, from `in`
// (`inLength` bytes already in the session's bits and channels) into a new buffer.
SampleBuffer convertRateFrom(const std::uint8_t* in, std::uint32_t inLength, std::uint32_t sourceRate,
                             std::uint32_t targetRate, std::uint16_t frameSize, std::uint32_t& length) {
  const std::uint32_t frames = inLength / frameSize;
  if (sourceRate < targetRate) {
    const std::uint32_t factor = targetRate / sourceRate;
    const std::uint64_t outBytes = std::uint64_t{frames} * factor * frameSize;
    if (outBytes > kMaxConvertedBytes) throw EWaveMixError(messages::kNoMemory);
    SampleBuffer out = allocate(static_cast<std::uint32_t>(outBytes));
    stepUp(in, out.get(), frames, factor, frameSize);
    length = static_cast<std::uint32_t>(outBytes);
    return out;
  }
  const std::uint64_t divisor = (std::uint64_t{sourceRate} + targetRate / 2) / targetRate;
  const auto groups = static_cast<std::uint32_t>(frames / divisor);
  SampleBuffer out = allocate(groups * frameSize);
  averageGroups(in, out.get(), groups, divisor, frameSize);
  length = groups * frameSize;
  return out;
}

}  // namespace

SampleBuffer ConvertWaveFrom(const platform::PcmFormat& session, const platform::PcmFormat& source,
                             const std::uint8_t* data, std::uint32_t& length) {
  if (!directPathCovers(session, source, length)) {
    // The steps themselves on a copy, which gives the same bytes and the same failures.
    SampleBuffer copy = allocate(length);
    if (length != 0) std::memcpy(copy.get(), data, length);
    return ConvertWave(session, source, std::move(copy), length);
  }
  const std::uint16_t sourceBits = source.bitsPerSample;
  const std::uint16_t sourceChannels = source.channels;
  const std::uint16_t targetChannels = session.channels;
  const std::uint32_t sourceRate = source.samplesPerSec;
  const std::uint32_t targetRate = session.samplesPerSec;

  // Bits and channels: the data itself when nothing changes there, else one pass.
  const bool mixed = sourceBits != 8 || sourceChannels != targetChannels;
  const std::uint32_t mixedLength = bitsAndChannelsLength(length, sourceBits, sourceChannels, targetChannels);
  if (sourceRate == targetRate) {
    // Only bits or channels change (the formats differ), so there is one pass to make.
    if (mixedLength > kMaxConvertedBytes) throw EWaveMixError(messages::kNoMemory);
    SampleBuffer out = allocate(mixedLength);
    bitsAndChannels(data, length, sourceBits, sourceChannels, targetChannels, out.get());
    length = mixedLength;
    return out;
  }
  // An upward step's size is known before anything is allocated.
  if (sourceRate < targetRate &&
      std::uint64_t{mixedLength / targetChannels} * (targetRate / sourceRate) * targetChannels > kMaxConvertedBytes) {
    throw EWaveMixError(messages::kNoMemory);
  }
  SampleBuffer between;
  const std::uint8_t* in = data;
  if (mixed) {
    between = allocate(mixedLength);
    bitsAndChannels(data, length, sourceBits, sourceChannels, targetChannels, between.get());
    in = between.get();
  }
  return convertRateFrom(in, mixedLength, sourceRate, targetRate, targetChannels, length);
}

}  // namespace wavemix
