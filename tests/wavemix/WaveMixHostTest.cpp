#include "wavemix/WaveMixHost.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "MixerTestSupport.h"
#include "audio/WaveOutFactory.h"

namespace wavemix {
namespace {

using testing::RiffBuilder;

// The host on the real clock with the file device: every play takes its real length.
class WaveMixHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("WAVEMIX_INI", "/nonexistent/WAVEMIX.INI", 1);  // every default: 11025 Hz mono 8-bit
    path_ = std::filesystem::temp_directory_path() /
            ("wavemix-host-" + std::to_string(::getpid()) + ".wav");
  }
  void TearDown() override {
    ::unsetenv("WAVEMIX_INI");
    std::filesystem::remove(path_);
  }
  std::unique_ptr<platform::WaveOutSystem> recorder() {
    platform::WaveOutChoice choice;
    choice.kind = platform::WaveOutChoice::Kind::File;
    choice.filePath = path_.string();
    return platform::createWaveOutSystem(choice, platform::systemClock());
  }
  // `bytes` samples of 8-bit mono at 11025 Hz: a ramp, so the recording is not silence.
  static std::vector<std::uint8_t> wave(std::size_t bytes) {
    std::vector<std::uint8_t> samples(bytes);
    for (std::size_t i = 0; i < bytes; ++i) samples[i] = static_cast<std::uint8_t>(64 + i % 128);
    return RiffBuilder::wave(1, 11025, 8, samples);
  }
  WaveMixWave* open(HMixSession session, const std::vector<std::uint8_t>& image) {
    MemoryFileInfo info;
    info.buffer = image.data();
    info.bufferSize = static_cast<std::int32_t>(image.size());
    return WaveMixOpenWave(session, WaveMixMemorySource(&info), nullptr, kOpenFromMemory);
  }
  std::filesystem::path path_;
};

TEST_F(WaveMixHostTest, WaitsUntilEveryPlayHasEndedAndReportsEachChannel) {
  std::vector<std::int32_t> channels;
  {
    WaveMixHost host(recorder(), platform::systemClock());
    host.onEnded([&](std::int32_t channel) { channels.push_back(channel); });
    HMixSession session = WaveMixInit(nullptr);
    WaveMixOpenChannel(session, 0, kOpenAllChannels);
    WaveMixWave* shorter = open(session, wave(1100));  // 0.1 s
    WaveMixWave* longer = open(session, wave(2200));   // 0.2 s
    WaveMixActivate(session, true);
    PlayParams play{.session = session, .channel = 3, .wave = longer, .notifyWindow = host.notifyWindow()};
    WaveMixPlay(&play);
    play.channel = 5;
    play.wave = shorter;
    WaveMixPlay(&play);
    host.waitForEnds(2);
    EXPECT_EQ(host.endedCount(), 2);
    host.waitForEnds(1);  // already reached: returns at once
    WaveMixFreeWave(session, shorter);
    WaveMixFreeWave(session, longer);
    WaveMixCloseSession(session);
  }
  std::sort(channels.begin(), channels.end());  // both may end in one pump, in channel order
  EXPECT_EQ(channels, (std::vector<std::int32_t>{3, 5}));
  // The longer wave was recorded whole before the wait ended and the device was closed.
  EXPECT_GE(std::filesystem::file_size(path_), 44u + 2200u);
}

TEST_F(WaveMixHostTest, ClosesASessionLeftOpenSoTheNextHostCanStartOne) {
  WaveMixWave* playing = nullptr;
  {
    WaveMixHost host(recorder(), platform::systemClock());
    HMixSession session = WaveMixInit(nullptr);
    WaveMixOpenChannel(session, 0, kOpenAllChannels);
    WaveMixActivate(session, true);
    playing = open(session, wave(11025));
    PlayParams play{.session = session, .wave = playing, .notifyWindow = host.notifyWindow()};
    WaveMixPlay(&play);  // still playing when the host goes
  }
  WaveMixHost next(recorder(), platform::systemClock());
  HMixSession session = WaveMixInit(nullptr);  // raises "Session already initialized" if not
  WaveMixFreeWave(session, playing);  // waves outlive their session
  WaveMixCloseSession(session);
}

}  // namespace
}  // namespace wavemix
