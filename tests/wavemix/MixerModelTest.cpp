// A long random sequence of mixer calls and device completions, checked after every step
// against simple models: the pool of play records is conserved, chains stay ordered, new
// plays start where the scheduling rules put them, and every block the device is given
// holds exactly what a byte-by-byte rendering of the scheduled plays gives.
#include <algorithm>
#include <random>

#include "MixerTestSupport.h"
#include "wavemix/OutputBlock.h"

namespace wavemix::testing {
namespace {

struct ModelParam {
  unsigned seed;
  int remix;
  int blockLength;
  int blocks;
};

class MixerModelTest : public MixerTest, public ::testing::WithParamInterface<ModelParam> {
 protected:
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
    ASSERT_LE(snapshot.queuedBlocks, static_cast<std::size_t>(GetParam().blocks));
  }

  // Every block written since `from` must be the rendering of the current plays.
  void checkWrites(std::size_t from, const MixerSnapshot& snapshot) {
    if (devices_.stream() == nullptr) return;
    const auto& writes = device().writes();
    for (std::size_t w = from; w < writes.size(); ++w) {
      const auto* block = reinterpret_cast<const OutputBlock*>(writes[w].header);
      const std::vector<std::uint8_t>& bytes = writes[w].bytes;
      ASSERT_EQ(bytes.size(), static_cast<std::size_t>(GetParam().blockLength));
      for (std::size_t k = 0; k < bytes.size(); ++k) {
        ASSERT_EQ(bytes[k], renderAt(snapshot, block->startPos + static_cast<std::int32_t>(k)))
            << "write " << w << " at position " << block->startPos + static_cast<std::int32_t>(k);
      }
    }
  }
};

TEST_P(MixerModelTest, RandomCallsKeepEveryInvariant) {
  const ModelParam& param = GetParam();
  std::mt19937 random(param.seed);
  auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  startPlaying(param.blockLength, param.blocks, param.remix);
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

  for (int step = 0; step < 3000; ++step) {
    const MixerSnapshot before = WaveMixInspect(session_);
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
        if (active) device().playBytes(static_cast<std::uint32_t>(1 + pick(2 * param.blockLength)));
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
    if (devices_.stream() != nullptr) writesSeen = device().writes().size();
  }
  EXPECT_GT(accepted, 200);
  EXPECT_GT(refused, 0) << "the sequence should also exercise refusals";
}

INSTANTIATE_TEST_SUITE_P(Seeds, MixerModelTest,
                         ::testing::Values(ModelParam{1, 1, 512, 3}, ModelParam{2, 2, 512, 3},
                                           ModelParam{3, 1, 1024, 6}, ModelParam{4, 2, 600, 2},
                                           ModelParam{5, 1, 512, 2}, ModelParam{6, 2, 2048, 4}));

}  // namespace
}  // namespace wavemix::testing
