#pragma once
// Conversion of loaded sample data to the session's output format (8-bit unsigned PCM, the
// session's channel count and rate), done once at load so that mixing never converts.
//
// Every step takes ownership of `data` (allocated with new[]) and returns the buffer that
// replaces it, updating `length` (bytes). A step whose two values agree returns `data` itself.
// Failures raise EWaveMixError; the data is freed first.
#include <cstdint>
#include <memory>

#include "audio/WaveOutDevice.h"

namespace wavemix {

using SampleBuffer = std::unique_ptr<std::uint8_t[]>;

// The most bytes a conversion gives: 64 MiB, over 12 minutes of 8-bit stereo at 44.1 kHz.
// A step whose output would pass it (a 10 KB wave claiming 1 Hz would become hundreds of
// MB at 44.1 kHz) is refused with the allocation message before anything is allocated.
inline constexpr std::uint64_t kMaxConvertedBytes = std::uint64_t{64} << 20;

// 8 or 16 bits to 8: a 16-bit sample keeps its high byte with the top bit inverted.
SampleBuffer ConvertBits(std::uint16_t sourceBits, std::uint16_t targetBits, SampleBuffer data,
                         std::uint32_t& length);
// 1 or 2 channels of 1-byte samples: mono doubles each byte, stereo averages rounding down.
SampleBuffer ConvertChannels(std::uint16_t sourceChannels, std::uint16_t targetChannels,
                             SampleBuffer data, std::uint32_t& length);
// Whole-ratio resampling of 1-byte samples in frames of `frameSize` bytes: upward by linear
// steps with the ratio truncated, downward by averaging groups with the ratio rounded.
SampleBuffer ConvertRate(std::uint32_t sourceRate, std::uint32_t targetRate,
                         std::uint16_t frameSize, SampleBuffer data, std::uint32_t& length);
// All three in that order; the data is returned untouched when channels, rate and bits agree.
SampleBuffer ConvertWave(const platform::PcmFormat& session, const platform::PcmFormat& source,
                         SampleBuffer data, std::uint32_t& length);
// The same conversion read straight from `data` (`length` bytes, not owned, left untouched):
// the same bytes, length and failures as ConvertWave on a new[] copy of them, but without
// that copy or the buffers between the steps. The result is always a new buffer.
SampleBuffer ConvertWaveFrom(const platform::PcmFormat& session, const platform::PcmFormat& source,
                             const std::uint8_t* data, std::uint32_t& length);

}  // namespace wavemix
