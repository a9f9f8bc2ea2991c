// Block lengths that split frames, plays queued behind an endless loop whose wave is freed,
// and a device that refuses a block in the middle of an activation.
#include "MixerTestSupport.h"
#include "wavemix/WaveMixMessages.h"

namespace wavemix::testing {
namespace {

using MixerFaultsTest = MixerTest;

TEST_F(MixerFaultsTest, DeviceBlockLengthKeepsWholeStereoFramesInEveryBlock) {
  profile_.set("Manual Wave Out", "WaveBlockLen", 1027);
  profile_.set("default", "WaveBlocks", 2);
  const WaveMixConfig stereo{kWaveMixConfigSize, kConfigUseChannels, 2, 0};
  init(&stereo);
  WaveMixActivate(session_, true);
  WaveMixOpenChannel(session_, 0, kOpenAllChannels);
  // Left 0x10, right 0xF0 in every frame: a block boundary inside a frame shows as a swap.
  std::vector<std::uint8_t> frames;
  for (int i = 0; i < 1500; ++i) frames.insert(frames.end(), {0x10, 0xF0});
  play(loadMemory(RiffBuilder::wave(2, 11025, 8, frames)), 0);
  ASSERT_EQ(device().writes().size(), 2u);
  for (const auto& written : device().writes()) {
    EXPECT_EQ(written.bytes.size(), 1024u);
    EXPECT_EQ(written.bytes.at(0), 0x10) << "each block starts with a left sample";
  }
}

TEST_F(MixerFaultsTest, PlaysQueuedBehindAFreedEndlessLoopPlayAndEnd) {
  startPlaying(512, 3);
  const std::vector<std::uint8_t> hum(300, 0x90);
  const std::vector<std::uint8_t> chime(200, 0x30);
  WaveMixWave* loop = loadSamples(hum);
  WaveMixWave* first = loadSamples(chime);
  WaveMixWave* second = loadSamples(std::vector<std::uint8_t>(100, 0x40));
  play(loop, 2, 0, kLoopForever);
  play(first, 2, 0, 0, notifyWindow());
  play(second, 2, 0, 1, notifyWindow());
  completeBlocks(2);
  const std::int32_t mixed = WaveMixInspect(session_).mixPosition;
  freeWave(loop);

  const auto chain = WaveMixInspect(session_).chains[2];
  ASSERT_EQ(chain.size(), 2u);
  EXPECT_EQ(chain[0].startPos, mixed) << "the first waiting play follows the audio already mixed";
  EXPECT_EQ(chain[0].endPos, mixed + 200);
  EXPECT_EQ(chain[1].startPos, mixed + 200);
  EXPECT_EQ(chain[1].endPos, mixed + 400);

  device().clearRecords();
  while (device().completeNext()) loop_.pumpAll();
  ASSERT_EQ(notices_.size(), 2u);
  EXPECT_EQ(notices_[0].lParam, reinterpret_cast<std::uintptr_t>(first));
  EXPECT_EQ(notices_[1].lParam, reinterpret_cast<std::uintptr_t>(second));
  const auto& played = device().played();
  // The loop's blocks still queued at the device play first (two blocks were played before).
  const auto start = static_cast<std::ptrdiff_t>(mixed - 2 * 512);
  ASSERT_GE(played.size(), static_cast<std::size_t>(start + 400));
  EXPECT_EQ(std::count(played.begin() + start, played.begin() + start + 200, 0x30), 200);
  EXPECT_EQ(std::count(played.begin() + start + 200, played.begin() + start + 400, 0x40), 200);
  EXPECT_TRUE(WaveMixInspect(session_).chains[2].empty());
  EXPECT_EQ(device().queuedCount(), 0u) << "the channel goes quiet instead of writing silence";
}

// The first block is at the device when the second is refused: the failed activation must
// take it back before freeing it (AddressSanitizer sees the device touch a freed block).
TEST_F(MixerFaultsTest, ActivationRefusedAfterItsFirstBlockFreesNoBlockTheDeviceHolds) {
  startPlaying(512, 3);
  play(loadSamples(std::vector<std::uint8_t>(300, 0x90)), 0, 0, kLoopForever);
  WaveMixActivate(session_, false);
  devices_.failWritesAfter(1, platform::kDeviceError);
  EXPECT_WAVEMIX_ERROR(WaveMixActivate(session_, true), messages::kWriteBlock);
  EXPECT_EQ(devices_.stream(), nullptr);
  devices_.failWritesAfter(-1, platform::kDeviceOk);
  WaveMixActivate(session_, true);
  EXPECT_EQ(device().writes().size(), 3u) << "a later activation plays again";
}

}  // namespace
}  // namespace wavemix::testing
