// Scheduling and mixing, checked against the bytes the device is given and plays.
#include <algorithm>

#include "MixerTestSupport.h"

namespace wavemix::testing {
namespace {

std::vector<std::uint8_t> pattern(std::size_t length, unsigned seed) {
  std::vector<std::uint8_t> bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>((i * 7 + seed * 31 + (i >> 3)) & 0xFF);
  return bytes;
}

std::uint8_t clip(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

std::vector<std::uint8_t> silence(std::size_t length) { return std::vector<std::uint8_t>(length, 128); }

std::vector<std::uint8_t> concat(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to) {
  return std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                   bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

class MixingTest : public MixerTest {
 protected:
  std::vector<std::string> eventsSince(std::size_t from) {
    const auto& all = device().events();
    return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(from), all.end());
  }
};

using Events = std::vector<std::string>;

TEST_F(MixingTest, SingleSourceIsCopiedAndThePlayFromQuietStartsAtZeroWhilePaused) {
  startPlaying(512, 3);
  const auto samples = pattern(700, 1);
  WaveMixWave* wave = loadSamples(samples);
  play(wave, 0);
  // Paused until everything mixed is queued, so the device starts with all of it.
  EXPECT_EQ(device().events(), (Events{"pause", "write", "write", "restart"}));
  EXPECT_EQ(WaveMixInspect(session_).chains[0].at(0).startPos, 0);
  completeBlocks(2);
  EXPECT_EQ(device().played(), concat({samples, silence(1024 - 700)}));
  EXPECT_EQ(device().queuedCount(), 0u) << "the device runs dry when nothing sounds";
  EXPECT_TRUE(WaveMixInspect(session_).chains[0].empty());
  EXPECT_EQ(WaveMixInspect(session_).freePlayRecords, 100u);
}

TEST_F(MixingTest, ThreeFullScaleSourcesClip) {
  startPlaying(512, 2);
  WaveMixWave* a = loadSamples({255, 0, 200, 10, 255});
  WaveMixWave* b = loadSamples({255, 0, 200, 10});
  WaveMixWave* c = loadSamples({255, 0, 100, 128});
  play(a, 0, mixWait);
  play(b, 1, mixWait);
  play(c, 2);
  completeBlock();
  // 128+3·127 → 255; 128−3·128 → 0; 128+72+72−28 = 244; 128−118−118+0 → 0; one source left: 255.
  EXPECT_EQ(device().played(), concat({{255, 0, 244, 0, 255}, silence(507)}));
}

TEST_F(MixingTest, TwoLoopsSoundThreeLengthsAndNotifyOnceAfterTheDevicePlayedThem) {
  startPlaying(512, 3);
  const auto samples = pattern(300, 2);
  WaveMixWave* wave = loadSamples(samples);
  play(wave, 5, 0, 2, notifyWindow());
  EXPECT_EQ(WaveMixInspect(session_).chains[5].at(0).endPos, 900);
  completeBlock();
  EXPECT_TRUE(notices_.empty()) << "at 512 bytes the third repetition has not been played";
  completeBlock();
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0].id, kMessageWaveDone);
  EXPECT_EQ(notices_[0].wParam, 5u);
  EXPECT_EQ(notices_[0].lParam, reinterpret_cast<std::uintptr_t>(wave));
  EXPECT_EQ(device().played(), concat({samples, samples, samples, silence(1024 - 900)}));
  loop_.pumpAll();
  EXPECT_EQ(notices_.size(), 1u);
}

TEST_F(MixingTest, EndlessLoopPlaysUntilFlushedAndFlushingStopsAtOnce) {
  startPlaying(512, 3);
  const auto samples = pattern(300, 3);
  WaveMixWave* wave = loadSamples(samples);
  play(wave, 0, 0, kLoopForever, notifyWindow());
  EXPECT_EQ(WaveMixInspect(session_).chains[0].at(0).endPos, kNeverEnds);
  completeBlocks(10);
  std::vector<std::uint8_t> expected;
  while (expected.size() < 5120) expected.insert(expected.end(), samples.begin(), samples.end());
  expected.resize(5120);
  EXPECT_EQ(device().played(), expected);
  EXPECT_EQ(device().queuedCount(), 3u);

  const std::size_t writes = device().writes().size();
  WaveMixFlushChannel(session_, 0, 0);
  EXPECT_EQ(device().queuedCount(), 0u) << "queued audio of the flushed channel is dropped";
  EXPECT_EQ(device().writes().size(), writes);
  EXPECT_FALSE(device().paused());
  loop_.pumpAll();
  EXPECT_FALSE(device().completeNext());
  EXPECT_TRUE(notices_.empty()) << "a flushed play is not reported as finished";
  EXPECT_EQ(WaveMixInspect(session_).freePlayRecords, 100u);
}

TEST_F(MixingTest, FlushKeepsOtherChannelsAndRemixesFromThePlayPosition) {
  startPlaying(512, 3);
  const auto a = pattern(4000, 4);
  const auto b = pattern(4000, 5);
  WaveMixWave* wa = loadSamples(a);
  WaveMixWave* wb = loadSamples(b);
  play(wa, 0, mixWait);
  play(wb, 1);
  ASSERT_EQ(device().playBytes(100), 100u);
  WaveMixFlushChannel(session_, 0, 0);
  completeBlocks(3);
  std::vector<std::uint8_t> expected;
  for (int x = 0; x < 100; ++x) expected.push_back(clip(a[x] + b[x] - 128));
  for (int x = 100; x < 100 + 1536; ++x) expected.push_back(b[x]);
  EXPECT_EQ(device().played(), expected);
}

TEST_F(MixingTest, SecondPlayOnAChannelFollowsTheFirstWithoutAGap) {
  startPlaying(512, 3);
  const auto first = pattern(2000, 6);
  const auto second = pattern(200, 7);
  WaveMixWave* w1 = loadSamples(first);
  WaveMixWave* w2 = loadSamples(second);
  play(w1, 3);
  play(w2, 3);
  EXPECT_EQ(WaveMixInspect(session_).chains[3].at(1).startPos, 2000);
  for (int i = 0; i < 5; ++i) completeBlock();
  EXPECT_EQ(device().played(), concat({first, second, silence(2560 - 2200)}));
}

TEST_F(MixingTest, PlayAfterTheMixedAudioNeverRemixes) {
  startPlaying(512, 3);
  const auto first = pattern(200, 8);
  const auto second = pattern(100, 9);
  play(loadSamples(first), 0);
  play(loadSamples(second), 1);
  // The first block ends at 512; the second sound starts there, behind the mixed audio.
  EXPECT_EQ(device().events(), (Events{"pause", "write", "restart", "write"}));
  completeBlocks(2);
  EXPECT_EQ(device().played(), concat({first, silence(312), second, silence(412)}));
}

TEST_F(MixingTest, AHundredPlaysUseThePoolAndTheNextIsRefused) {
  startPlaying(512, 2);
  WaveMixWave* wave = loadSamples(pattern(64, 1));
  for (int i = 0; i < 100; ++i) play(wave, i % 8);
  EXPECT_EQ(WaveMixInspect(session_).freePlayRecords, 0u);
  EXPECT_WAVEMIX_ERROR(play(wave, 0), "Not enough memory");
  EXPECT_WAVEMIX_ERROR(play(wave, 0, mixWait), "Not enough memory");
  WaveMixFlushChannel(session_, 0, allChannels);
  EXPECT_EQ(WaveMixInspect(session_).freePlayRecords, 100u);
  EXPECT_NO_THROW(play(wave, 0));
}

TEST_F(MixingTest, LeastRecentlyUsedChannelWhenAllAreBusy) {
  startPlaying(512, 2);
  WaveMixWave* wave = loadSamples(pattern(5000, 1));
  WaveMixCloseChannel(session_, 0, allChannels);
  WaveMixOpenChannel(session_, 4, kOpenFirstChannels);
  for (int c = 0; c < 4; ++c) play(wave, c);
  play(wave, 0);
  play(wave, 0, mixUseLruChannel);
  EXPECT_EQ(lastChannel_, 1);
  play(wave, 0, mixUseLruChannel);
  EXPECT_EQ(lastChannel_, 2);
  play(wave, 0, mixUseLruChannel);
  EXPECT_EQ(lastChannel_, 3);
  play(wave, 0, mixUseLruChannel);
  EXPECT_EQ(lastChannel_, 0);
  EXPECT_EQ(WaveMixInspect(session_).chains[0].size(), 3u);
}

TEST_F(MixingTest, LeastRecentlyUsedTakesAnIdleFirstChannel) {
  startPlaying(512, 2);
  WaveMixWave* wave = loadSamples(pattern(5000, 1));
  play(wave, 1);
  play(wave, 2);
  play(wave, 3, mixUseLruChannel);
  EXPECT_EQ(lastChannel_, 0);
  // Channel 0 is busy now; channel 3 (stamp 0, never used) is the oldest.
  play(wave, 7, mixUseLruChannel);
  EXPECT_EQ(lastChannel_, 3);
}

TEST_F(MixingTest, LeastRecentlyUsedSkipsAClosedChannelZero) {
  startPlaying(512, 2);
  WaveMixWave* wave = loadSamples(pattern(100, 1));
  WaveMixCloseChannel(session_, 0, 0);
  play(wave, 0, mixUseLruChannel);
  EXPECT_EQ(lastChannel_, 1);
}

TEST_F(MixingTest, StartNowSplicesInAtThePlayPositionByRemixing) {
  startPlaying(512, 3);
  const auto a = pattern(5000, 10);
  const auto b = pattern(300, 11);
  play(loadSamples(a), 0);
  ASSERT_EQ(device().playBytes(100), 100u);
  const std::size_t before = device().events().size();
  play(loadSamples(b), 1, mixStartNow);
  EXPECT_EQ(eventsSince(before), (Events{"reset", "pause", "write", "write", "write", "restart"}));
  EXPECT_EQ(WaveMixInspect(session_).chains[1].at(0).startPos, 100);
  loop_.pumpAll();  // the reset's stale done messages change nothing
  EXPECT_EQ(device().queuedCount(), 3u);
  completeBlocks(3);
  std::vector<std::uint8_t> expected = slice(a, 0, 1636);
  for (int x = 100; x < 400; ++x) expected[static_cast<std::size_t>(x)] = clip(a[x] + b[x - 100] - 128);
  EXPECT_EQ(device().played(), expected);
  EXPECT_EQ(WaveMixPlayPosition(session_), 1636);
}

TEST_F(MixingTest, ClearChannelReplacesTheChannelsSoundAtThePlayPosition) {
  startPlaying(512, 3);
  const auto a = pattern(5000, 12);
  const auto b = pattern(5000, 13);
  const auto c = pattern(3000, 14);
  play(loadSamples(a), 0, mixWait);
  play(loadSamples(c), 1);
  ASSERT_EQ(device().playBytes(100), 100u);
  play(loadSamples(b), 0, mixClearChannel | mixStartNow);
  ASSERT_EQ(WaveMixInspect(session_).chains[0].size(), 1u);
  completeBlocks(3);
  std::vector<std::uint8_t> expected;
  for (int x = 0; x < 100; ++x) expected.push_back(clip(a[x] + c[x] - 128));
  for (int x = 100; x < 1636; ++x) expected.push_back(clip(b[x - 100] + c[x] - 128));
  EXPECT_EQ(device().played(), expected);
}

TEST_F(MixingTest, ClearChannelWithoutStartNowStartsBehindTheMixedAudio) {
  startPlaying(512, 3);
  const auto a = pattern(5000, 15);
  const auto b = pattern(600, 16);
  play(loadSamples(a), 0);
  ASSERT_EQ(device().playBytes(100), 100u);
  play(loadSamples(b), 0, mixClearChannel);
  EXPECT_EQ(WaveMixInspect(session_).chains[0].at(0).startPos, 1536);
  completeBlocks(4);
  // The old sound stops at the play position; the new one begins where mixing had reached,
  // and the device position stays in step with the audio: remixed blocks start at 100.
  EXPECT_EQ(device().played(), concat({slice(a, 0, 100), silence(1436), slice(b, 0, 600), silence(12)}));
  EXPECT_EQ(WaveMixPlayPosition(session_), 100 + 4 * 512);
}

TEST_F(MixingTest, ShiftToMixPositionMovesTheNewPlayBehindTheMixedAudio) {
  startPlaying(512, 3, /*remix=*/2);
  const auto a = pattern(5000, 17);
  const auto b = pattern(300, 18);
  play(loadSamples(a), 0);
  ASSERT_EQ(device().playBytes(100), 100u);
  const std::size_t before = device().events().size();
  play(loadSamples(b), 1, mixStartNow);
  EXPECT_TRUE(eventsSince(before).empty()) << "no reset, no rewrite";
  const ScheduledPlay shifted = WaveMixInspect(session_).chains[1].at(0);
  EXPECT_EQ(shifted.startPos, 1536);
  EXPECT_EQ(shifted.endPos, 1836);
  completeBlocks(4);
  std::vector<std::uint8_t> expected = slice(a, 0, 2048);
  for (int x = 1536; x < 1836; ++x) expected[static_cast<std::size_t>(x)] = clip(a[x] + b[x - 1536] - 128);
  EXPECT_EQ(device().played(), expected);
}

TEST_F(MixingTest, ShiftKeepsAnEndlessPlayEndless) {
  startPlaying(512, 3, 2);
  play(loadSamples(pattern(5000, 1)), 0);
  ASSERT_EQ(device().playBytes(10), 10u);
  play(loadSamples(pattern(50, 2)), 1, mixStartNow, kLoopForever);
  const ScheduledPlay shifted = WaveMixInspect(session_).chains[1].at(0);
  EXPECT_EQ(shifted.startPos, 1536);
  EXPECT_EQ(shifted.endPos, kNeverEnds);
}

TEST_F(MixingTest, ClosingAChannelLetsMixedAudioPlayOut) {
  startPlaying(512, 3);
  const auto a = pattern(2000, 19);
  play(loadSamples(a), 2, 0, 0, notifyWindow());
  const std::size_t before = device().events().size();
  WaveMixCloseChannel(session_, 2, 0);
  EXPECT_TRUE(eventsSince(before).empty());
  completeBlocks(3);
  EXPECT_EQ(device().played(), slice(a, 0, 1536));
  EXPECT_FALSE(device().completeNext());
  EXPECT_TRUE(notices_.empty());
  EXPECT_FALSE(WaveMixInspect(session_).channelOpen[2]);
  EXPECT_WAVEMIX_ERROR(play(loadSamples({1}), 2), "The specified channel was not open");
}

TEST_F(MixingTest, FreeingAWaveMidPlayDropsItsPlaysButNotItsQueuedAudio) {
  startPlaying(512, 3);
  const auto a = pattern(300, 20);
  const auto b = pattern(4000, 21);
  WaveMixWave* wa = loadSamples(a);
  WaveMixWave* wb = loadSamples(b);
  play(wa, 0, mixWait, kLoopForever);
  play(wb, 1);
  play(wa, 2, mixWait);
  freeWave(wa);
  MixerSnapshot snapshot = WaveMixInspect(session_);
  EXPECT_TRUE(snapshot.chains[0].empty());
  EXPECT_EQ(snapshot.pendingPlays, 0u) << "a collected request of the freed wave is dropped too";
  EXPECT_EQ(snapshot.freePlayRecords, 99u);
  play(wb, 3, 0);
  EXPECT_TRUE(WaveMixInspect(session_).chains[2].empty());
  completeBlocks(4);
  std::vector<std::uint8_t> expected;
  for (int x = 0; x < 1536; ++x) expected.push_back(clip(a[x % 300] + b[x] - 128));
  for (int x = 1536; x < 2048; ++x) expected.push_back(clip(b[x] + b[x - 1536] - 128));
  EXPECT_EQ(device().played(), expected);
}

TEST_F(MixingTest, CollectedRequestsStartTogether) {
  startPlaying(512, 2);
  WaveMixWave* wave = loadSamples(pattern(100, 1));
  play(wave, 0, mixWait);
  play(wave, 1, mixWait);
  EXPECT_TRUE(device().writes().empty());
  EXPECT_EQ(WaveMixInspect(session_).pendingPlays, 2u);
  play(wave, 2);
  MixerSnapshot snapshot = WaveMixInspect(session_);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(snapshot.chains[c].at(0).startPos, 0) << c;
  EXPECT_EQ(snapshot.pendingPlays, 0u);
}

TEST_F(MixingTest, PositionsRestartFromZeroOnceTheMixerIsQuiet) {
  startPlaying(512, 2);
  WaveMixWave* wave = loadSamples(pattern(600, 1));
  play(wave, 0);
  completeBlocks(2);
  EXPECT_EQ(WaveMixPlayPosition(session_), 1024);
  play(wave, 4);
  EXPECT_EQ(WaveMixInspect(session_).chains[4].at(0).startPos, 0);
  EXPECT_EQ(WaveMixPlayPosition(session_), 0);
}

TEST_F(MixingTest, ClockPositionsWhenTheDeviceIsNotTrusted) {
  profile_.set("default", "WaveBlockLen", 512);
  init();
  WaveMixActivate(session_, true);
  WaveMixOpenChannel(session_, 0, kOpenAllChannels);
  play(loadSamples(pattern(5000, 1)), 0);
  clock_.advance(100);  // 100 ms at 11025 bytes per second
  EXPECT_EQ(WaveMixPlayPosition(session_), 1102);
  play(loadSamples(pattern(10, 2)), 1, mixStartNow);
  EXPECT_EQ(WaveMixInspect(session_).chains[1].at(0).startPos, 1102);
}

TEST_F(MixingTest, DeactivationResumesWherePlayingStopped) {
  startPlaying(512, 2);
  const auto a = pattern(3000, 22);
  play(loadSamples(a), 0);
  completeBlock();
  WaveMixActivate(session_, false);
  WaveMixActivate(session_, true);
  completeBlocks(2);
  EXPECT_EQ(device().played(), slice(a, 512, 1536));
}

TEST_F(MixingTest, PlayChecksInOrder) {
  init();
  WaveMixWave* wave = loadSamples({1, 2});
  PlayParams params;
  params.session = session_;
  EXPECT_WAVEMIX_ERROR(WaveMixPlay(nullptr), "nil parameters pointer passed to WaveMixPlay");
  EXPECT_WAVEMIX_ERROR(WaveMixPlay(&params), "nil wave pointer passed to WaveMixPlay!");
  params.wave = wave;
  EXPECT_WAVEMIX_ERROR(WaveMixPlay(&params), "Wave device not allocated, call WaveMixActivate(hMixSession,TRUE)");
  WaveMixActivate(session_, true);
  EXPECT_WAVEMIX_ERROR(WaveMixPlay(&params), "You must open a channel before you can play a wave");
  WaveMixOpenChannel(session_, 1, kOpenOneChannel);
  EXPECT_WAVEMIX_ERROR(WaveMixPlay(&params), "The specified channel was not open");
  for (std::int32_t bad : {8, -1, 1 << 20}) {
    params.channel = bad;
    EXPECT_WAVEMIX_ERROR(WaveMixPlay(&params), "Invalid channel number");
  }
  EXPECT_EQ(session_->playCounter, 1) << "only the closed-channel refusal counted as a play";
}

TEST_F(MixingTest, ChannelOpeningAndFlushingChecks) {
  init();
  EXPECT_WAVEMIX_ERROR(WaveMixOpenChannel(session_, 0, 3), "Invalid Flags");
  EXPECT_WAVEMIX_ERROR(WaveMixOpenChannel(session_, 8, 0), "Invalid channel number");
  EXPECT_WAVEMIX_ERROR(WaveMixOpenChannel(session_, -1, 0), "Invalid channel number");
  EXPECT_WAVEMIX_ERROR(WaveMixOpenChannel(session_, 9, 2), "Invalid number of channels");
  EXPECT_WAVEMIX_ERROR(WaveMixOpenChannel(session_, 0, 2), "Invalid number of channels");
  EXPECT_WAVEMIX_ERROR(WaveMixOpenChannel(session_, 0, -1), "Invalid flag");
  WaveMixOpenChannel(session_, 3, 0);
  EXPECT_WAVEMIX_ERROR(WaveMixOpenChannel(session_, 3, 0), "The channel has already been opened");
  EXPECT_NO_THROW(WaveMixOpenChannel(session_, 5, kOpenFirstChannels));
  EXPECT_NO_THROW(WaveMixOpenChannel(session_, 0, kOpenAllChannels));
  EXPECT_EQ(session_->openChannelCount, 8);
  WaveMixCloseChannel(session_, 6, 0);
  EXPECT_EQ(session_->openChannelCount, 7);
  EXPECT_WAVEMIX_ERROR(WaveMixFlushChannel(session_, 8, 0), "Invalid channel number");
  EXPECT_WAVEMIX_ERROR(WaveMixFlushChannel(session_, 6, 0), "The specified channel was not open");
  EXPECT_WAVEMIX_ERROR(WaveMixCloseChannel(session_, 6, 0), "The specified channel was not open");
  EXPECT_NO_THROW(WaveMixFlushChannel(session_, 99, allChannels));
  WaveMixCloseChannel(session_, 0, allChannels);
  EXPECT_EQ(session_->openChannelCount, 0);
}

TEST_F(MixingTest, RefusedWriteFromPlayIsReportedAndTheDeviceNotLeftPaused) {
  startPlaying(512, 3);
  WaveMixWave* wave = loadSamples(pattern(2000, 1));
  device().failWrites(platform::kDeviceError);
  EXPECT_WAVEMIX_ERROR(play(wave, 0), "Failed to write block to device");
  EXPECT_FALSE(device().paused());
  EXPECT_EQ(WaveMixInspect(session_).queuedBlocks, 0u);
  completeBlocks(0);
  WaveMixFlushChannel(session_, 0, 0);
  play(wave, 0);
  EXPECT_EQ(device().queuedCount(), 3u) << "the refused block was given back";
}

TEST_F(MixingTest, RefusedWriteInsideThePumpMarksTheDeviceLost) {
  startPlaying(512, 2);
  WaveMixWave* wave = loadSamples(pattern(5000, 1));
  play(wave, 0);
  device().failWrites(platform::kDeviceError, /*sticky=*/true);
  ASSERT_TRUE(device().completeNext());
  EXPECT_NO_THROW(loop_.pumpAll()) << "nothing escapes into the message loop";
  EXPECT_TRUE(session_->deviceLost);
  EXPECT_WAVEMIX_ERROR(play(wave, 1), "Failed to write block to device");
  device().failWrites(platform::kDeviceOk);
  WaveMixActivate(session_, false);
  WaveMixActivate(session_, true);
  EXPECT_FALSE(session_->deviceLost);
  EXPECT_NO_THROW(play(wave, 1));
}

TEST_F(MixingTest, ShiftNeverPullsALaterRequestForwardOverItsPredecessor) {
  startPlaying(512, 3, 2);
  play(loadSamples(pattern(5000, 1)), 0);
  ASSERT_EQ(device().playBytes(100), 100u);
  WaveMixWave* x = loadSamples(pattern(2000, 2));
  WaveMixWave* y = loadSamples(pattern(300, 3));
  play(x, 1, mixWait | mixStartNow);  // starts at the play position: behind the mixed audio
  play(y, 1);                         // follows x at 2100, after everything mixed
  const auto chain = WaveMixInspect(session_).chains[1];
  ASSERT_EQ(chain.size(), 2u);
  EXPECT_EQ(chain[0].startPos, 100);
  EXPECT_EQ(chain[0].endPos, 2100);
  EXPECT_EQ(chain[1].startPos, 2100);
  EXPECT_EQ(chain[1].endPos, 2400);
}

TEST_F(MixingTest, RefusedWriteWhileRemixingLeavesNoBlockStranded) {
  startPlaying(512, 3);
  WaveMixWave* wave = loadSamples(pattern(5000, 1));
  play(wave, 0);
  ASSERT_EQ(device().playBytes(100), 100u);
  device().failWrites(platform::kDeviceError);
  EXPECT_WAVEMIX_ERROR(play(wave, 1, mixStartNow), "Failed to write block to device");
  EXPECT_FALSE(device().paused());
  EXPECT_EQ(WaveMixInspect(session_).queuedBlocks, 0u);
  play(wave, 2);
  EXPECT_EQ(device().queuedCount(), 3u) << "every block is free for mixing again";
}

TEST_F(MixingTest, CollectedRequestForAChannelClosedMeanwhileIsDropped) {
  startPlaying(512, 2);
  WaveMixWave* wave = loadSamples(pattern(100, 1));
  play(wave, 2, mixWait);
  WaveMixCloseChannel(session_, 2, 0);
  play(wave, 3);
  MixerSnapshot snapshot = WaveMixInspect(session_);
  EXPECT_FALSE(snapshot.channelOpen[2]);
  EXPECT_TRUE(snapshot.chains[2].empty());
  EXPECT_EQ(snapshot.pendingPlays, 0u);
  EXPECT_EQ(snapshot.freePlayRecords, 99u);
  EXPECT_EQ(session_->openChannelCount, 7);
}

TEST_F(MixingTest, StereoSessionMixesFramesAndKeepsPositionsOnFrames) {
  profile_.set("default", "WaveBlockLen", 512);
  WaveMixConfig config;
  config.flags = kConfigUseChannels;
  config.channels = 2;
  init(&config);
  ASSERT_EQ(session_->format.channels, 2);
  WaveMixActivate(session_, true);
  WaveMixOpenChannel(session_, 0, kOpenAllChannels);
  WaveMixWave* mono = loadSamples({10, 20, 30});
  WaveMixWave* stereo = loadMemory(RiffBuilder::wave(2, 11025, 8, {200, 100, 250, 0}));
  play(mono, 0, mixWait);
  play(stereo, 1);
  completeBlock();
  // (10,10)+(200,100) → (82,0); (20,20)+(250,0) → (142,0); then (30,30) alone.
  EXPECT_EQ(slice(device().played(), 0, 8), (std::vector<std::uint8_t>{82, 0, 142, 0, 30, 30, 128, 128}));
  clock_.advance(20);  // 441 bytes at 22050 per second: lowered to the frame boundary
  EXPECT_EQ(WaveMixPlayPosition(session_), 440);
}

TEST_F(MixingTest, StereoRemixSplicesInOnAFrameAtTheClockPosition) {
  profile_.set("default", "WaveBlockLen", 512);  // play positions from the clock, as shipped
  WaveMixConfig config;
  config.flags = kConfigUseChannels;
  config.channels = 2;
  init(&config);
  ASSERT_EQ(session_->format.channels, 2);
  WaveMixActivate(session_, true);
  WaveMixOpenChannel(session_, 0, kOpenAllChannels);
  const auto a = pattern(3000, 30);  // 1500 frames (L, R)
  const auto b = pattern(300, 31);
  play(loadMemory(RiffBuilder::wave(2, 11025, 8, a)), 0);
  ASSERT_EQ(device().playBytes(440), 440u);
  clock_.advance(20);  // 441 bytes at 22050 per second: frame 220 starts at byte 440
  const std::size_t before = device().events().size();
  play(loadMemory(RiffBuilder::wave(2, 11025, 8, b)), 1, mixStartNow);
  EXPECT_EQ(eventsSince(before), (Events{"reset", "pause", "write", "write", "write", "restart"}));
  EXPECT_EQ(WaveMixInspect(session_).chains[1].at(0).startPos, 440);
  loop_.pumpAll();
  completeBlocks(3);
  // The remix restarts at byte 440, so each channel of b meets the same channel of a.
  std::vector<std::uint8_t> expected = slice(a, 0, 440 + 3 * 512);
  for (std::size_t x = 440; x < 740; ++x) expected[x] = clip(a[x] + b[x - 440] - 128);
  EXPECT_EQ(device().played(), expected);
}

}  // namespace
}  // namespace wavemix::testing
