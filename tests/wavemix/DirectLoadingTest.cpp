// Loading converts straight from the file's or memory file's bytes: the same results as the
// conversion steps run one by one on a copy, for every format pair, and every byte of a
// file read whole.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "MixerTestSupport.h"
#include "wavemix/ConvertWave.h"

namespace wavemix::testing {
namespace {

using B = RiffBuilder;

platform::PcmFormat pcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
  return platform::PcmFormat{1, channels, rate, rate * channels * bits / 8u,
                             static_cast<std::uint16_t>(channels * bits / 8u), bits};
}

// What a conversion gave: its bytes, or the text of its failure.
struct Outcome {
  std::vector<std::uint8_t> bytes;
  std::string failure;
  bool operator==(const Outcome&) const = default;
};

Outcome stepByStep(const platform::PcmFormat& session, const platform::PcmFormat& source,
                   const std::vector<std::uint8_t>& data) {
  try {
    SampleBuffer copy(new std::uint8_t[data.empty() ? 1 : data.size()]);
    std::copy(data.begin(), data.end(), copy.get());
    auto length = static_cast<std::uint32_t>(data.size());
    SampleBuffer out = ConvertWave(session, source, std::move(copy), length);
    return Outcome{std::vector<std::uint8_t>(out.get(), out.get() + length), ""};
  } catch (const EWaveMixError& error) {
    return Outcome{{}, error.what()};
  }
}

Outcome direct(const platform::PcmFormat& session, const platform::PcmFormat& source,
               const std::vector<std::uint8_t>& data) {
  try {
    auto length = static_cast<std::uint32_t>(data.size());
    SampleBuffer out = ConvertWaveFrom(session, source, data.data(), length);
    return Outcome{std::vector<std::uint8_t>(out.get(), out.get() + length), ""};
  } catch (const EWaveMixError& error) {
    return Outcome{{}, error.what()};
  }
}

TEST(ConvertWaveFromTest, GivesWhatTheStepsGiveForEveryFormatPair) {
  std::mt19937 random(20261207);
  std::vector<std::vector<std::uint8_t>> inputs;
  for (std::size_t length : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 15, 16, 17, 31, 33, 64, 1001, 4099}) {
    std::vector<std::uint8_t> bytes(length);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    inputs.push_back(bytes);
  }
  // Extremes, where a sum or a step could overflow or round the wrong way.
  inputs.push_back(std::vector<std::uint8_t>(40, 0x00));
  inputs.push_back(std::vector<std::uint8_t>(40, 0xFF));
  std::vector<std::uint8_t> alternating(40);
  for (std::size_t i = 0; i < alternating.size(); ++i) alternating[i] = (i / 2) % 2 ? 0x00 : 0xFF;
  inputs.push_back(alternating);

  const std::uint32_t rates[] = {0, 5512, 8000, 11025, 22050, 44100, 48000, 96000};
  int cases = 0;
  for (std::uint16_t targetBits : {8, 16}) {
    for (std::uint16_t targetChannels : {0, 1, 2, 3}) {
      for (std::uint32_t targetRate : {0u, 11025u, 22050u, 44100u}) {
        for (std::uint16_t sourceBits : {8, 12, 16}) {
          for (std::uint16_t sourceChannels : {1, 2, 3}) {
            for (std::uint32_t sourceRate : rates) {
              const platform::PcmFormat session = pcmFormat(targetChannels, targetRate, targetBits);
              const platform::PcmFormat source = pcmFormat(sourceChannels, sourceRate, sourceBits);
              for (const std::vector<std::uint8_t>& input : inputs) {
                const std::vector<std::uint8_t> before = input;
                ASSERT_EQ(direct(session, source, input), stepByStep(session, source, input))
                    << "session " << targetChannels << " ch " << targetRate << " Hz " << targetBits
                    << " bits, source " << sourceChannels << " ch " << sourceRate << " Hz "
                    << sourceBits << " bits, " << input.size() << " bytes";
                ASSERT_EQ(input, before) << "the source bytes were written to";
                ++cases;
              }
            }
          }
        }
      }
    }
  }
  EXPECT_EQ(cases, 2 * 4 * 4 * 3 * 3 * 8 * 23);
}

TEST(ConvertWaveFromTest, StretchTooLargeToHoldIsAnAllocationFailure) {
  const std::vector<std::uint8_t> input(50000, 7);
  const Outcome outcome = direct(pcmFormat(2, 44100, 8), pcmFormat(1, 1, 8), input);
  EXPECT_EQ(outcome, stepByStep(pcmFormat(2, 44100, 8), pcmFormat(1, 1, 8), input));
  EXPECT_EQ(outcome.failure.rfind("Unable to allocate memory for waveform data.", 0), 0u) << outcome.failure;
}

TEST(ConvertWaveFromTest, SameFormatGivesACopy) {
  const std::vector<std::uint8_t> input = {1, 2, 3};
  std::uint32_t length = 3;
  SampleBuffer out = ConvertWaveFrom(pcmFormat(1, 11025, 8), pcmFormat(1, 11025, 8), input.data(), length);
  ASSERT_EQ(length, 3u);
  EXPECT_NE(out.get(), input.data());
  EXPECT_EQ(std::vector<std::uint8_t>(out.get(), out.get() + 3), input);
}

class FileReadingTest : public MixerTest {
 protected:
  void SetUp() override {
    MixerTest::SetUp();
    init();
    folder_ = std::filesystem::temp_directory_path() /
              ("wavemix-direct-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    MixerTest::TearDown();
  }
  std::vector<std::uint8_t> dataOf(const WaveMixWave* wave) {
    return std::vector<std::uint8_t>(wave->header.data, wave->header.data + wave->header.bufferLength);
  }
  // A 16-bit stereo 44100 Hz image of `frames` frames of changing samples.
  static std::vector<std::uint8_t> longImage(std::size_t frames) {
    std::vector<std::int16_t> samples;
    for (std::size_t f = 0; f < frames; ++f) {
      samples.push_back(static_cast<std::int16_t>(f * 97));
      samples.push_back(static_cast<std::int16_t>(-static_cast<int>(f * 31)));
    }
    return B::wave(2, 44100, 16, pcm16(samples));
  }
  std::filesystem::path folder_;
};

TEST_F(FileReadingTest, LongFileGivesWhatTheSameImageInMemoryGives) {
  const std::vector<std::uint8_t> image = longImage(30000);  // 120 kB, many pages
  const std::string path = (folder_ / "long.wav").string();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  WaveMixWave* fromFile = WaveMixOpenWave(session_, path.c_str(), nullptr, kOpenFromFile);
  waves_.push_back(fromFile);
  WaveMixWave* fromMemory = loadMemory(image);
  EXPECT_EQ(fromFile->header.bufferLength, 30000u / 4);
  EXPECT_EQ(dataOf(fromFile), dataOf(fromMemory));
}

}  // namespace
}  // namespace wavemix::testing
