#pragma once
// Shared pieces of the mixer tests: an in-memory profile, a RIFF WAVE image builder and a
// fixture that installs a manual device, a queued message loop and a manual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "audio/testing/ManualWaveOut.h"
#include "platform/testing/QueuedMessageLoop.h"
#include "tests/support/RiffBuilder.h"
#include "wavemix/WaveMix.h"
#include "wavemix/WaveMixInspect.h"

namespace wavemix::testing {

// "WAVEMIX.INI" held in memory, with the profile's case-insensitive names.
class MemoryProfile final : public platform::ProfileIni {
 public:
  void set(const std::string& section, const std::string& key, int value) {
    values_[lower(section) + "\n" + lower(key)] = value;
  }
  int getInt(const std::string& section, const std::string& key, int defaultValue) const override {
    auto it = values_.find(lower(section) + "\n" + lower(key));
    return it == values_.end() ? defaultValue : it->second;
  }

 private:
  static std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }
  std::map<std::string, int> values_;
};

using testing_support::RiffBuilder;

inline std::vector<std::uint8_t> pcm16(const std::vector<std::int16_t>& samples) {
  std::vector<std::uint8_t> out;
  for (std::int16_t s : samples) RiffBuilder::put16(out, static_cast<std::uint16_t>(s));
  return out;
}

class MixerTest : public ::testing::Test {
 protected:
  explicit MixerTest(std::vector<platform::ManualDeviceSpec> devices = {platform::ManualDeviceSpec{}})
      : devices_(std::move(devices)) {}

  void SetUp() override { install(); }

  void TearDown() override {
    if (notify_ != 0) loop_.destroyWindow(notify_);
    if (session_ != nullptr) {
      for (WaveMixWave* wave : waves_) WaveMixFreeWave(session_, wave);
      WaveMixCloseSession(session_);
    }
    EXPECT_EQ(loop_.windowCount(), 0u) << "a callback window outlived its session";
  }

  // A window that records what it is told, like a caller's notify control.
  platform::WindowHandle notifyWindow() {
    if (notify_ == 0) notify_ = loop_.createWindow([this](const platform::Message& m) { notices_.push_back(m); });
    return notify_;
  }

  void install() {
    WaveMixSetPlatform(
        {.waveOut = &devices_, .messageLoop = &loop_, .clock = &clock_, .profile = &profile_});
  }

  HMixSession init(const WaveMixConfig* config = nullptr) {
    session_ = WaveMixInit(config);
    return session_;
  }
  // A session with device positions (GoodWavePos 1) and the given block setup, active, with
  // all channels open.
  HMixSession startPlaying(int blockLength = 512, int blocks = 3, int remix = 1) {
    profile_.set("default", "GoodWavePos", 1);
    profile_.set("default", "WaveBlockLen", blockLength);
    profile_.set("default", "WaveBlocks", blocks);
    profile_.set("default", "Remix", remix);
    init();
    WaveMixActivate(session_, true);
    WaveMixOpenChannel(session_, 0, kOpenAllChannels);
    return session_;
  }

  WaveMixWave* loadMemory(const std::vector<std::uint8_t>& image) {
    MemoryFileInfo info;
    info.buffer = image.data();
    info.bufferSize = static_cast<std::int32_t>(image.size());
    WaveMixWave* wave = WaveMixOpenWave(session_, WaveMixMemorySource(&info), nullptr, kOpenFromMemory);
    waves_.push_back(wave);
    return wave;
  }
  // An 8-bit mono 11025 Hz wave holding exactly `samples`.
  WaveMixWave* loadSamples(const std::vector<std::uint8_t>& samples) {
    return loadMemory(RiffBuilder::wave(1, 11025, 8, samples));
  }
  void freeWave(WaveMixWave* wave) {
    waves_.erase(std::remove(waves_.begin(), waves_.end(), wave), waves_.end());
    WaveMixFreeWave(session_, wave);
  }
  void closeSession() {
    for (WaveMixWave* wave : waves_) WaveMixFreeWave(session_, wave);
    waves_.clear();
    WaveMixCloseSession(session_);
    session_ = nullptr;
  }

  void play(WaveMixWave* wave, int channel, std::uint32_t flags = 0, std::uint16_t loops = 0,
            platform::WindowHandle notify = 0) {
    PlayParams params;
    params.session = session_;
    params.channel = channel;
    params.wave = wave;
    params.flags = flags;
    params.loops = loops;
    params.notifyWindow = notify;
    WaveMixPlay(&params);
    lastChannel_ = params.channel;
  }

  platform::ManualWaveOutStream& device() {
    platform::ManualWaveOutStream* stream = devices_.stream();
    if (stream == nullptr) throw std::logic_error("no device open");
    return *stream;
  }
  // Plays one queued block and lets the mixer react to the done message.
  void completeBlock() {
    ASSERT_TRUE(device().completeNext());
    loop_.pumpAll();
  }
  void completeBlocks(int count) {
    for (int i = 0; i < count; ++i) completeBlock();
  }

  platform::ManualWaveOutSystem devices_;
  platform::QueuedMessageLoop loop_;
  platform::ManualClock clock_;
  MemoryProfile profile_;
  HMixSession session_ = nullptr;
  std::vector<WaveMixWave*> waves_;
  int lastChannel_ = -1;
  platform::WindowHandle notify_ = 0;
  std::vector<platform::Message> notices_;
};

// Expects `statement` to raise EWaveMixError with exactly `text`.
#define EXPECT_WAVEMIX_ERROR(statement, text)                                  \
  do {                                                                         \
    try {                                                                      \
      statement;                                                               \
      ADD_FAILURE() << "no EWaveMixError from " #statement;                    \
    } catch (const ::wavemix::EWaveMixError& error) {                          \
      EXPECT_EQ(std::string(error.what()), std::string(text));                 \
    }                                                                          \
  } while (false)

}  // namespace wavemix::testing
