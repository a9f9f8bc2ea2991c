// A long random sequence of mixer calls and device completions, checked after every step
// against simple models: the pool of play records is conserved, chains stay ordered, new
// plays start where the scheduling rules put them, and every block the device is given
// holds exactly what a byte-by-byte rendering of the scheduled plays gives. Then the same
// calls against the mixer's own pump thread on a paced device (for ThreadSanitizer).
#include <algorithm>
#include <atomic>
#include <iostream>
#include <random>
#include <thread>

#include "MixerTestSupport.h"
#include "audio/ClockPacedStream.h"
#include "audio/IniFileProfile.h"
#include "audio/NullWaveOut.h"
#include "wavemix/OutputBlock.h"
#include "wavemix/WaveMixSession.h"

namespace wavemix::testing {
namespace {

// Where the session's play position comes from (GoodWavePos): the device, the clock, the
// clock by default (no key at all), or whatever the game's shipped WAVEMIX.INI says.
enum class Positions { Device, Clock, Default, Shipped };

struct ModelParam {
  unsigned seed;
  int remix;
  int blockLength;
  int blocks;
  Positions positions = Positions::Device;
};

class MixerModelTest : public MixerTest, public ::testing::WithParamInterface<ModelParam> {
 protected:
  void startSession(const ModelParam& param) {
    if (param.positions == Positions::Shipped) {
      // Every key the shipped file sets, and only those, as the game would read it.
      const auto shipped = platform::IniFileProfile::fromFile(POMURI_SHIPPED_WAVEMIX_INI);
      ASSERT_TRUE(shipped.loaded());
      for (const char* key : {"Remix", "GoodWavePos", "WaveBlocks", "WaveBlockLen", "SamplesPerSec"}) {
        const int value = shipped.getInt("default", key, INT32_MIN);
        if (value != INT32_MIN) profile_.set("default", key, value);
      }
    } else {
      if (param.positions != Positions::Default)
        profile_.set("default", "GoodWavePos", param.positions == Positions::Device ? 1 : 0);
      profile_.set("default", "WaveBlockLen", param.blockLength);
      profile_.set("default", "WaveBlocks", param.blocks);
      profile_.set("default", "Remix", param.remix);
    }
    init();
    ASSERT_EQ(session_->goodWavePos == 1, param.positions == Positions::Device);
    WaveMixActivate(session_, true);
    WaveMixOpenChannel(session_, 0, kOpenAllChannels);
  }

  std::uint8_t renderAt(const MixerSnapshot& snapshot, std::int32_t x) {
    int sum = 128;
    int sources = 0;
    int single = 0;
    for (int c = 0; c < kChannelCount; ++c) {
      for (const ScheduledPlay& play : snapshot.chains[c]) {
        if (play.endPos <= x) continue;
        if (play.startPos <= x) {
          const auto length = static_cast<std::int32_t>(play.wave->header.bufferLength);
          std::int32_t offset = x - play.startPos;
          if (play.loops != 0) offset %= length;
          single = play.wave->header.data[offset];
          sum += single - 128;
          ++sources;
        }
        break;  // only the first unfinished play of a chain can sound
      }
    }
    if (sources == 1) return static_cast<std::uint8_t>(single);
    return static_cast<std::uint8_t>(std::clamp(sum, 0, 255));
  }

  void checkInvariants(const MixerSnapshot& snapshot) {
    std::size_t scheduled = 0;
    for (int c = 0; c < kChannelCount; ++c) {
      scheduled += snapshot.chains[c].size();
      if (!snapshot.channelOpen[c]) {
        ASSERT_TRUE(snapshot.chains[c].empty());
      }
      for (std::size_t i = 0; i < snapshot.chains[c].size(); ++i) {
        const ScheduledPlay& play = snapshot.chains[c][i];
        // Behind an endless play a play waits forever: it starts and ends at kNeverEnds.
        if (play.startPos != kNeverEnds) {
          ASSERT_LT(play.startPos, play.endPos) << "channel " << c;
        } else {
          ASSERT_EQ(play.endPos, kNeverEnds);
        }
        if (i > 0) {
          ASSERT_GE(play.startPos, snapshot.chains[c][i - 1].endPos) << "channel " << c;
        }
      }
    }
    ASSERT_EQ(snapshot.freePlayRecords + scheduled + snapshot.pendingPlays, 100u) << "a play record was lost";
    ASSERT_LE(snapshot.queuedBlocks, static_cast<std::size_t>(session_->blockCount));
  }

  // Every block written since `from` must be the rendering of the current plays.
  void checkWrites(std::size_t from, const MixerSnapshot& snapshot) {
    if (devices_.stream() == nullptr) return;
    const auto& writes = device().writes();
    for (std::size_t w = from; w < writes.size(); ++w) {
      const auto* block = reinterpret_cast<const OutputBlock*>(writes[w].header);
      const std::vector<std::uint8_t>& bytes = writes[w].bytes;
      ASSERT_EQ(bytes.size(), static_cast<std::size_t>(session_->blockLength));
      for (std::size_t k = 0; k < bytes.size(); ++k) {
        ASSERT_EQ(bytes[k], renderAt(snapshot, block->startPos + static_cast<std::int32_t>(k)))
            << "write " << w << " at position " << block->startPos + static_cast<std::int32_t>(k);
      }
    }
  }

  // What a step starts from, for the position checks.
  struct StepStart {
    platform::ManualWaveOutStream* stream = nullptr;  // the open device; nullptr when inactive
    std::size_t events = 0;
    std::size_t played = 0;
    std::uint32_t ms = 0;
    std::int32_t position = 0;  // the play position as the mixer reads it
  };
  StepStart stepStart() {
    StepStart start;
    start.stream = devices_.stream();
    start.ms = clock_.milliseconds();
    if (start.stream == nullptr || !session_->active) return start;
    start.events = start.stream->events().size();
    start.played = start.stream->played().size();
    start.position = WaveMixPlayPosition(session_);
    return start;
  }

  // The play position moves only with its source: the bytes the device played, or the clock
  // at avgBytesPerSec (a re-based clock may lose the part of a millisecond it rounds off). A
  // play from quiet starts it again at 0. A remix restarts the device's audio exactly there.
  void checkPlayPosition(const StepStart& start, bool playedFromQuietAllowed, bool remixResets) {
    platform::ManualWaveOutStream* stream = devices_.stream();
    if (start.stream == nullptr || stream != start.stream || !session_->active) return;
    const std::int32_t now = WaveMixPlayPosition(session_);
    const std::vector<std::string>& events = stream->events();
    const auto reset = std::find(events.begin() + static_cast<std::ptrdiff_t>(start.events), events.end(), "reset");
    if (!(playedFromQuietAllowed && now == 0)) {
      if (session_->goodWavePos == 1) {
        ASSERT_EQ(now, start.position + static_cast<std::int32_t>(stream->played().size() - start.played));
      } else {
        const std::int32_t perMs = static_cast<std::int32_t>(session_->format.avgBytesPerSec / 1000);
        const std::int32_t advanced = static_cast<std::int32_t>(
            std::int64_t{clock_.milliseconds() - start.ms} * session_->format.avgBytesPerSec / 1000);
        ASSERT_GE(now, start.position + advanced - (reset != events.end() ? perMs + 1 : 0));
        ASSERT_LE(now, start.position + advanced + 1);
      }
    }
    if (reset == events.end() || !remixResets) return;
    const auto firstWrite = std::find(reset, events.end(), "write");
    if (firstWrite == events.end()) return;
    const auto index = static_cast<std::size_t>(std::count(events.begin(), firstWrite, "write"));
    const auto* block = reinterpret_cast<const OutputBlock*>(stream->writes().at(index).header);
    ASSERT_EQ(block->startPos, start.position) << "the remix restarted somewhere else";
  }
};

TEST_P(MixerModelTest, RandomCallsKeepEveryInvariant) {
  const ModelParam& param = GetParam();
  std::mt19937 random(param.seed);
  auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  ASSERT_NO_FATAL_FAILURE(startSession(param));
  const int blockLength = session_->blockLength;
  const platform::WindowHandle notify = loop_.createWindow([](const platform::Message&) {});
  struct WindowCloser {
    platform::QueuedMessageLoop& loop;
    platform::WindowHandle window;
    ~WindowCloser() { loop.destroyWindow(window); }
  } closer{loop_, notify};

  std::vector<WaveMixWave*> waves;
  auto newWave = [&] {
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(20 + pick(2500)));
    const int base = pick(256);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::uint8_t>(base + i * (1 + pick(3)));
    return loadSamples(samples);
  };
  for (int i = 0; i < 4; ++i) waves.push_back(newWave());
  bool active = true;
  std::size_t writesSeen = 0;
  int accepted = 0;
  int refused = 0;

  // RemixFromPosition restarts the device; ShiftToMixPosition (Remix 2) never does.
  const bool remixResets = profile_.getInt("default", "Remix", 1) != 2;
  for (int step = 0; step < 3000; ++step) {
    const MixerSnapshot before = WaveMixInspect(session_);
    const StepStart start = stepStart();
    bool playedFromQuietAllowed = false;
    const int action = pick(100);
    try {
      if (action < 35) {
        const int channel = pick(8);
        const std::uint32_t flags = static_cast<std::uint32_t>(pick(16)) & (pick(3) == 0 ? 15u : 2u);
        static constexpr std::uint16_t kLoops[] = {0, 0, 0, 1, 2, kLoopForever};
        const std::uint16_t loops = kLoops[pick(pick(10) == 0 ? 6 : 5)];
        WaveMixWave* wave = waves[static_cast<std::size_t>(pick(static_cast<int>(waves.size())))];
        const bool quiet = before.queuedBlocks == 0 &&
                           std::all_of(std::begin(before.chains), std::end(before.chains),
                                       [](const auto& chain) { return chain.empty(); });
        play(wave, channel, flags, loops, notify);
        ++accepted;
        playedFromQuietAllowed = (flags & mixWait) == 0;
        if ((flags & ~mixUseLruChannel) == 0 && before.pendingPlays == 0) {
          // A plain play starts behind everything mixed and behind the channel's last play.
          const auto& chain = WaveMixInspect(session_).chains[lastChannel_];
          ASSERT_FALSE(chain.empty());
          const std::int32_t mixed = quiet ? 0 : before.mixPosition;
          const std::int32_t previousEnd = before.chains[lastChannel_].empty() ? 0 : before.chains[lastChannel_].back().endPos;
          if (previousEnd != kNeverEnds) {
            ASSERT_EQ(chain.back().startPos, std::max(mixed, previousEnd)) << "step " << step;
            ASSERT_EQ(chain.back().endPos, loops == kLoopForever ? kNeverEnds
                                                                  : chain.back().startPos + (loops + 1) * static_cast<std::int32_t>(wave->header.bufferLength));
          }
        }
      } else if (action < 60) {
        if (active) device().playBytes(static_cast<std::uint32_t>(1 + pick(2 * blockLength)));
        loop_.pumpAll();
      } else if (action < 68) {
        if (active) device().completeNext();
        loop_.pumpAll();
      } else if (action < 74) {
        WaveMixOpenChannel(session_, pick(8), kOpenOneChannel);
      } else if (action < 79) {
        WaveMixCloseChannel(session_, pick(8), pick(8) == 0 ? allChannels : 0);
      } else if (action < 86) {
        WaveMixFlushChannel(session_, pick(8), (pick(6) == 0 ? allChannels : 0) | (pick(4) == 0 ? noRemix : 0));
      } else if (action < 90) {
        const std::size_t index = static_cast<std::size_t>(pick(static_cast<int>(waves.size())));
        freeWave(waves[index]);
        waves[index] = newWave();
      } else if (action < 92) {
        active = !active;
        if (active) writesSeen = 0;
        WaveMixActivate(session_, active);
      } else {
        clock_.advance(static_cast<std::uint32_t>(pick(50)));
      }
    } catch (const EWaveMixError&) {
      ++refused;
    }
    const MixerSnapshot after = WaveMixInspect(session_);
    ASSERT_NO_FATAL_FAILURE(checkInvariants(after)) << "step " << step << " action " << action;
    ASSERT_NO_FATAL_FAILURE(checkWrites(writesSeen, after)) << "step " << step << " action " << action;
    ASSERT_NO_FATAL_FAILURE(checkPlayPosition(start, playedFromQuietAllowed, remixResets))
        << "step " << step << " action " << action;
    if (devices_.stream() != nullptr) writesSeen = device().writes().size();
  }
  EXPECT_GT(accepted, 200);
  EXPECT_GT(refused, 0) << "the sequence should also exercise refusals";
}

INSTANTIATE_TEST_SUITE_P(Seeds, MixerModelTest,
                         ::testing::Values(ModelParam{1, 1, 512, 3}, ModelParam{2, 2, 512, 3},
                                           ModelParam{3, 1, 1024, 6}, ModelParam{4, 2, 600, 2},
                                           ModelParam{5, 1, 512, 2}, ModelParam{6, 2, 2048, 4},
                                           ModelParam{7, 1, 512, 3, Positions::Clock},
                                           ModelParam{8, 2, 600, 2, Positions::Clock},
                                           ModelParam{9, 1, 1024, 6, Positions::Default},
                                           ModelParam{10, 2, 512, 4, Positions::Default},
                                           ModelParam{11, 0, 0, 0, Positions::Shipped},
                                           ModelParam{12, 0, 0, 0, Positions::Shipped}));

// A clock the test moves by hand that the pump thread may read meanwhile.
class SharedManualClock final : public platform::Clock {
 public:
  std::uint32_t milliseconds() const override { return ms_.load(); }
  std::int64_t wallMilliseconds() const override { return ms_.load(); }
  platform::LocalDate today() const override { return {}; }
  void advance(std::uint32_t ms) { ms_ += ms; }

 private:
  std::atomic<std::uint32_t> ms_{0};
};

// The pump on its own thread while this (GUI) thread makes every WaveMix* call in random
// order and finishes the device's blocks by moving the clock. Bounded by a count of calls.
class MixerPumpThreadTest : public MixerModelTest {
 protected:
  void SetUp() override {
    WaveMixSetPlatform({.waveOut = &paced_, .messageLoop = &loop_, .clock = &sharedClock_, .profile = &profile_,
                        .pumpThread = true});
  }
  void restart() {
    init();
    WaveMixActivate(session_, true);
    WaveMixOpenChannel(session_, 0, kOpenAllChannels);
  }

  SharedManualClock sharedClock_;
  platform::NullWaveOut paced_{sharedClock_, platform::PacingDriver::Caller};
};

TEST_F(MixerPumpThreadTest, EveryCallInRandomOrderBesideThePumpKeepsEveryInvariant) {
  constexpr int kOperations = 6000;
  std::mt19937 random(19);
  auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  profile_.set("default", "GoodWavePos", 1);
  profile_.set("default", "WaveBlockLen", 512);
  restart();
  bool active = true;
  auto newWave = [&] { loadSamples(std::vector<std::uint8_t>(static_cast<std::size_t>(20 + pick(1500)), 100)); };
  int refused = 0;
  for (int op = 0; op < kOperations; ++op) {
    const int action = pick(14);
    try {
      if (waves_.size() < 3 || action == 0) {
        newWave();
      } else if (action == 1) {
        freeWave(waves_[static_cast<std::size_t>(pick(static_cast<int>(waves_.size())))]);
      } else if (action <= 4) {
        static constexpr std::uint32_t kFlags[] = {0, 0, mixWait, mixClearChannel, mixStartNow, mixUseLruChannel};
        static constexpr std::uint16_t kLoops[] = {0, 0, 0, 0, 1, 2, 0, kLoopForever};
        play(waves_[static_cast<std::size_t>(pick(static_cast<int>(waves_.size())))], pick(8), kFlags[pick(6)],
             kLoops[pick(8)], notifyWindow());
      } else if (action == 5) {
        WaveMixFlushChannel(session_, pick(8), (pick(4) == 0 ? allChannels : 0) | (pick(3) == 0 ? noRemix : 0));
      } else if (action == 6) {
        WaveMixCloseChannel(session_, pick(8), pick(8) == 0 ? allChannels : 0);
      } else if (action == 7) {
        WaveMixOpenChannel(session_, pick(8), pick(2) == 0 ? kOpenOneChannel : kOpenAllChannels);
      } else if (action == 8) {
        active = pick(4) != 0;
        WaveMixActivate(session_, active);
      } else if (action <= 11) {
        // The device plays what the clock says; the pump thread hears of it, not this one.
        sharedClock_.advance(static_cast<std::uint32_t>(pick(80)));
        if (active) static_cast<platform::ClockPacedStream&>(*session_->waveOut).finishDueBlocks();
        std::this_thread::yield();  // a chance, not a wait: the checks hold whoever runs first
        loop_.pumpAll();
      } else if (action == 12) {
        ASSERT_NO_FATAL_FAILURE(checkInvariants(WaveMixInspect(session_))) << "operation " << op;
      } else if (pick(20) == 0) {
        closeSession();
        restart();
        active = true;
      }
    } catch (const EWaveMixError&) {
      ++refused;
    }
  }
  WaveMixActivate(session_, false);
  ASSERT_NO_FATAL_FAILURE(checkInvariants(WaveMixInspect(session_)));
  std::cout << "[ pump     ] " << kOperations << " operations, " << refused << " refused, " << notices_.size()
            << " end notices from the pump thread\n";
}

}  // namespace
}  // namespace wavemix::testing
