// Conversion to the session format: exact bytes of each step, worked out by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "wavemix/ConvertWave.h"
#include "wavemix/EWaveMixError.h"
#include "wavemix/WaveMixMessages.h"

namespace wavemix {
namespace {

SampleBuffer bufferOf(const std::vector<std::uint8_t>& bytes) {
  SampleBuffer buffer(new std::uint8_t[bytes.size()]);
  std::memcpy(buffer.get(), bytes.data(), bytes.size());
  return buffer;
}

std::vector<std::uint8_t> bytesOf(const SampleBuffer& buffer, std::uint32_t length) {
  return std::vector<std::uint8_t>(buffer.get(), buffer.get() + length);
}

std::vector<std::uint8_t> le16(const std::vector<std::int16_t>& samples) {
  std::vector<std::uint8_t> out;
  for (std::int16_t s : samples) {
    out.push_back(static_cast<std::uint8_t>(s & 0xFF));
    out.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
  }
  return out;
}

platform::PcmFormat pcm(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
  return platform::PcmFormat{1, channels, rate, rate * channels * bits / 8,
                             static_cast<std::uint16_t>(channels * bits / 8), bits};
}

TEST(ConvertBitsTest, SixteenBitSamplesKeepTheirHighByteWithTheSignFlipped) {
  std::vector<std::uint8_t> in = le16({0, 32767, -32768, -1, 0x1234, -0x1234});
  in.push_back(0x55);  // an odd trailing byte is no sample
  std::uint32_t length = static_cast<std::uint32_t>(in.size());
  SampleBuffer out = ConvertBits(16, 8, bufferOf(in), length);
  EXPECT_EQ(length, 6u);
  EXPECT_EQ(bytesOf(out, length), (std::vector<std::uint8_t>{0x80, 0xFF, 0x00, 0x7F, 0x92, 0x6D}));
}

TEST(ConvertBitsTest, OnlyEightAndSixteenBitsAreSupported) {
  for (std::uint16_t bits : {4, 12, 24, 32}) {
    std::uint32_t length = 6;
    try {
      ConvertBits(bits, 8, bufferOf({1, 2, 3, 4, 5, 6}), length);
      ADD_FAILURE() << bits << " bits accepted";
    } catch (const EWaveMixError& error) {
      EXPECT_STREQ(error.what(), "File format not supported");
    }
  }
}

TEST(ConvertChannelsTest, StereoToMonoAveragesRoundingDown) {
  std::uint32_t length = 9;  // the odd byte is half a frame and is dropped
  SampleBuffer out = ConvertChannels(2, 1, bufferOf({10, 20, 255, 254, 1, 2, 0, 255, 77}), length);
  EXPECT_EQ(bytesOf(out, length), (std::vector<std::uint8_t>{15, 254, 1, 127}));
}

TEST(ConvertChannelsTest, MonoToStereoWritesEachByteTwice) {
  std::uint32_t length = 3;
  SampleBuffer out = ConvertChannels(1, 2, bufferOf({1, 2, 3}), length);
  EXPECT_EQ(bytesOf(out, length), (std::vector<std::uint8_t>{1, 1, 2, 2, 3, 3}));
}

TEST(ConvertChannelsTest, AnOutputOver2GBIsRefusedBeforeAnythingIsWritten) {
  // The buffer is short on purpose: the size check must come before any byte is read or
  // written, or the doubled size would wrap and the copy would run past the buffer.
  for (std::uint32_t claimed : {0x80000000u, 0xFFFFFFFFu}) {
    std::uint32_t length = claimed;
    try {
      ConvertChannels(1, 2, bufferOf({1, 2, 3}), length);
      ADD_FAILURE() << claimed << " bytes doubled without complaint";
    } catch (const EWaveMixError& error) {
      EXPECT_STREQ(error.what(), EWaveMixError(messages::kNoMemory).what());
    }
  }
  std::uint32_t length = 0x40000000u;
  EXPECT_THROW(ConvertBits(8, 16, bufferOf({1, 2, 3}), length), EWaveMixError);
}

struct RateCase {
  const char* name;
  std::uint32_t sourceRate;
  std::uint32_t targetRate;
  std::uint16_t frameSize;
  std::vector<std::uint8_t> input;
  std::vector<std::uint8_t> expected;
};

class ConvertRateTest : public ::testing::TestWithParam<RateCase> {};

TEST_P(ConvertRateTest, GivesTheHandWorkedBytes) {
  const RateCase& c = GetParam();
  std::uint32_t length = static_cast<std::uint32_t>(c.input.size());
  SampleBuffer out = ConvertRate(c.sourceRate, c.targetRate, c.frameSize, bufferOf(c.input), length);
  EXPECT_EQ(bytesOf(out, length), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertRateTest,
    ::testing::Values(
        // Up by 2: linear steps between frames, the last frame repeated.
        RateCase{"Double", 11025, 22050, 1, {100, 110, 90}, {100, 105, 110, 100, 90, 90}},
        // Up by 4: the step is truncated toward zero (-10/4 = -2, not -3).
        RateCase{"Quadruple", 11025, 44100, 1, {10, 0, 255}, {10, 8, 6, 4, 0, 63, 126, 189, 255, 255, 255, 255}},
        // 44100/16000 = 2.75 is truncated to 2: the sound plays faster.
        RateCase{"TruncatedRatio", 16000, 44100, 1, {0, 100}, {0, 50, 100, 100}},
        // Stereo frames step each channel on its own.
        RateCase{"StereoUp", 22050, 44100, 2, {10, 200, 20, 100}, {10, 200, 15, 150, 20, 100, 20, 100}},
        // Down by 2: averages of (sample - 128) truncated toward zero ((-28-37)/2 = -32), the
        // last output frame copies the first frame of its group, the tail is dropped.
        RateCase{"Half", 22050, 11025, 1, {130, 140, 100, 91, 128, 129, 7, 8, 9}, {135, 96, 128, 7}},
        // 48000/11025 rounds to 4.
        RateCase{"RoundedDivisor", 48000, 11025, 1, {128, 132, 136, 140, 9, 1, 2, 3, 4}, {134, 9}},
        RateCase{"StereoDown", 44100, 22050, 2, {130, 120, 134, 110, 50, 60, 0, 0}, {132, 115, 50, 60}}),
    [](const ::testing::TestParamInfo<RateCase>& info) { return std::string(info.param.name); });

// Down-conversions from the rates a player's files really have, worked by hand. Each group of
// `divisor` frames averages (sample − 128) per channel with the quotient truncated toward zero;
// the last group gives a copy of its first frame; frames past the last whole group are dropped.
// Both the step-by-step conversion and the loader's one-pass conversion must give them.
struct DownCase {
  const char* name;
  platform::PcmFormat session;
  platform::PcmFormat source;
  std::vector<std::uint8_t> input;
  std::vector<std::uint8_t> expected;
};

class HandWorkedDownConversion : public ::testing::TestWithParam<DownCase> {};

TEST_P(HandWorkedDownConversion, StepsAndOnePassGiveTheseBytes) {
  const DownCase& c = GetParam();
  std::uint32_t length = static_cast<std::uint32_t>(c.input.size());
  SampleBuffer out = ConvertWave(c.session, c.source, bufferOf(c.input), length);
  EXPECT_EQ(bytesOf(out, length), c.expected) << "step by step";
  length = static_cast<std::uint32_t>(c.input.size());
  out = ConvertWaveFrom(c.session, c.source, c.input.data(), length);
  EXPECT_EQ(bytesOf(out, length), c.expected) << "in one pass";
}

INSTANTIATE_TEST_SUITE_P(
    Rates, HandWorkedDownConversion,
    ::testing::Values(
        // ÷4, frames (L, R). Group 1: L −128 −128 −128 −127 → −511/4 = −127 → 1 (not −128 → 0);
        // R 127 127 127 126 → 507/4 = 126 → 254 (not 127 → 255). Group 2: L −28 −18 −8 3 →
        // −51/4 = −12 → 116; R 72 −118 −68 −38 → −152/4 = −38 → 90. Group 3 is the last: its
        // first frame (7, 250). Three frames are left over.
        DownCase{"Stereo44100IntoStereo11025", pcm(2, 11025, 8), pcm(2, 44100, 8),
                 {0, 255, 0, 255, 0, 255, 1, 254,         //
                  100, 200, 110, 10, 120, 60, 131, 90,    //
                  7, 250, 9, 1, 11, 2, 13, 3,             //
                  40, 41, 42, 43, 44, 45},
                 {1, 254, 116, 90, 7, 250}},
        // ÷3. Group 1: L −128 −128 −127 → −383/3 = −127 → 1; R 0 1 3 → 4/3 = 1 → 129.
        // Group 2: L 127 126 122 → 375/3 = 125 → 253; R −78 −68 −57 → −203/3 = −67 → 61.
        // Group 3 is the last: (90, 91). Two frames are left over.
        DownCase{"Stereo33075IntoStereo11025", pcm(2, 11025, 8), pcm(2, 33075, 8),
                 {0, 128, 0, 129, 1, 131,       //
                  255, 50, 254, 60, 250, 71,    //
                  90, 91, 1, 2, 3, 4,           //
                  200, 201, 202, 203},
                 {1, 129, 253, 61, 90, 91}},
        // 96000/11025 = 8.7 rounds to ÷9. Group 1: 8 × −128 − 123 = −1147/9 = −127 → 1.
        // Group 2: 8 × 72 − 128 = 448/9 = 49 → 177. Group 3 is the last: 33. Eight left over.
        DownCase{"Mono96000IntoMono11025", pcm(1, 11025, 8), pcm(1, 96000, 8),
                 {0, 0, 0, 0, 0, 0, 0, 0, 5,                  //
                  200, 200, 200, 200, 200, 200, 200, 200, 0,  //
                  33, 250, 250, 250, 250, 250, 250, 250, 250, //
                  77, 77, 77, 77, 77, 77, 77, 77},
                 {1, 177, 33}}),
    [](const ::testing::TestParamInfo<DownCase>& info) { return std::string(info.param.name); });

TEST(ConvertWaveTest, SameFormatIsUsedWithoutACopy) {
  SampleBuffer in = bufferOf({1, 2, 3, 4, 5});
  const std::uint8_t* original = in.get();
  std::uint32_t length = 5;
  SampleBuffer out = ConvertWave(pcm(1, 11025, 8), pcm(1, 11025, 8), std::move(in), length);
  EXPECT_EQ(out.get(), original);
  EXPECT_EQ(length, 5u);
}

TEST(ConvertWaveTest, SixteenBitStereo22050GivesOneByteForEveryEightInput) {
  // Frames (L, R): (0x1000, 0x3000) (-0x1000, 0) (0x7F00, 0x7F00) (0x0100, 0x0100).
  // 8-bit: (0x90, 0xB0) (0x70, 0x80) (0xFF, 0xFF) (0x81, 0x81); mono: 0xA0 0x78 0xFF 0x81;
  // halved: 128 + (32 - 8) / 2 = 140, then the copy 0xFF.
  std::vector<std::uint8_t> in = le16({0x1000, 0x3000, -0x1000, 0, 0x7F00, 0x7F00, 0x0100, 0x0100});
  std::uint32_t length = static_cast<std::uint32_t>(in.size());
  SampleBuffer out = ConvertWave(pcm(1, 11025, 8), pcm(2, 22050, 16), bufferOf(in), length);
  EXPECT_EQ(length, 16u / 8);
  EXPECT_EQ(bytesOf(out, length), (std::vector<std::uint8_t>{140, 255}));

  std::vector<std::uint8_t> second(800, 0x40);
  length = 800;
  out = ConvertWave(pcm(1, 11025, 8), pcm(2, 22050, 16), bufferOf(second), length);
  EXPECT_EQ(length, 100u);
}

TEST(ConvertWaveTest, MonoEightBitIntoAStereoSession) {
  std::uint32_t length = 2;
  SampleBuffer out = ConvertWave(pcm(2, 22050, 8), pcm(1, 11025, 8), bufferOf({100, 120}), length);
  // Doubled channels, then each channel stepped up by 2.
  EXPECT_EQ(bytesOf(out, length), (std::vector<std::uint8_t>{100, 100, 110, 110, 120, 120, 120, 120}));
}

}  // namespace
}  // namespace wavemix
