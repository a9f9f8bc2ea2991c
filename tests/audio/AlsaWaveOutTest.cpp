// The ALSA device on ALSA's own "null" PCM, which every installation has and which takes
// data as fast as it is written: blocks are done as soon as the writer thread has handed
// them over, so these tests wait for the writer's done messages (blocking, with a bound
// only against a hang), never for time to pass.
#include "audio/AlsaWaveOut.h"
#include "audio/AlsaWaveOutStream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/audio/RecordingMessageLoop.h"

namespace platform {
namespace {

const PcmFormat kMono11k{1, 1, 11025, 11025, 1, 8};

struct Blocks {
  std::vector<std::vector<std::uint8_t>> data;
  std::vector<WaveHeader> headers;
  Blocks(std::size_t count, std::uint32_t length) : data(count, std::vector<std::uint8_t>(length, 0x80)), headers(count) {
    for (std::size_t i = 0; i < count; ++i) {
      headers[i].data = data[i].data();
      headers[i].bufferLength = length;
    }
  }
};

class AlsaNullPcmTest : public testing::Test {
 protected:
  void SetUp() override {
    std::unique_ptr<WaveOutStream> probe;
    if (devices.open(0, kMono11k, loop, window, probe) != kDeviceOk) GTEST_SKIP() << "ALSA has no \"null\" PCM here";
  }
  test::RecordingMessageLoop loop;
  WindowHandle window = loop.createWindow({});
  AlsaWaveOut devices{systemClock(), {"null"}};
};

TEST(AlsaWaveOutTest, DeviceZeroAndTheMapperAreTheDefaultPcm) {
  AlsaWaveOut devices(systemClock());
  ASSERT_GE(devices.deviceCount(), 1u);
  EXPECT_EQ(devices.pcmName(0), "default");
  EXPECT_EQ(devices.pcmName(kWaveMapper), "default");
  EXPECT_EQ(devices.pcmName(static_cast<std::int32_t>(devices.deviceCount())), "");
  for (std::int32_t id = -1; id < static_cast<std::int32_t>(devices.deviceCount()); ++id) {
    WaveOutCaps caps;
    ASSERT_EQ(devices.capabilities(id, caps), kDeviceOk) << id;
    EXPECT_FALSE(caps.productName.empty());
    EXPECT_LE(caps.productName.size(), 31u);
    EXPECT_EQ(caps.channels, 2);
    EXPECT_EQ(caps.support & kCapsSync, 0u);
    if (id <= 0) {
      EXPECT_EQ(caps.productName, "ALSA default");
    }
  }
  WaveOutCaps caps;
  EXPECT_EQ(devices.capabilities(static_cast<std::int32_t>(devices.deviceCount()), caps), kDeviceBadId);
  EXPECT_EQ(devices.capabilities(-2, caps), kDeviceBadId);
}

TEST(AlsaWaveOutTest, AMissingPcmFailsCleanly) {
  test::RecordingMessageLoop loop;
  AlsaWaveOut devices(systemClock(), {"no_such_pcm_for_this_test"});
  std::unique_ptr<WaveOutStream> stream;
  EXPECT_NE(devices.open(0, kMono11k, loop, 1, stream), kDeviceOk);
  EXPECT_EQ(stream, nullptr);
  EXPECT_NE(devices.queryFormat(0, kMono11k), kDeviceOk);
}

// A desktop whose ALSA configuration knows no "default" but a "pipewire" PCM (here a null
// one): device 0 plays through "pipewire" instead of staying silent.
TEST(AlsaWaveOutTest, DeviceZeroFallsThroughToTheDesktopPcmThatOpens) {
  const std::string config = testing::TempDir() + "alsa-without-default.conf";
  std::FILE* file = std::fopen(config.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("pcm.pipewire { type null }\n", file);
  std::fclose(file);
  const char* saved = std::getenv("ALSA_CONFIG_PATH");
  const std::string savedPath = saved ? saved : "";
  setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
  test::RecordingMessageLoop loop;
  AlsaWaveOut devices(systemClock());
  std::unique_ptr<WaveOutStream> stream;
  EXPECT_EQ(devices.open(0, kMono11k, loop, 1, stream), kDeviceOk);
  EXPECT_EQ(devices.queryFormat(kWaveMapper, kMono11k), kDeviceOk);
  stream.reset();
  if (saved) setenv("ALSA_CONFIG_PATH", savedPath.c_str(), 1); else unsetenv("ALSA_CONFIG_PATH");
}

TEST_F(AlsaNullPcmTest, FormatQueryRefusesWhatIsNotPlainPcm) {
  EXPECT_EQ(devices.queryFormat(0, kMono11k), kDeviceOk);
  EXPECT_EQ(devices.queryFormat(0, PcmFormat{1, 2, 44100, 88200, 2, 8}), kDeviceOk);
  EXPECT_EQ(devices.queryFormat(0, PcmFormat{1, 3, 11025, 33075, 3, 8}), kDeviceBadFormat);
  EXPECT_EQ(devices.queryFormat(0, PcmFormat{1, 1, 11025, 22050, 1, 8}), kDeviceBadFormat);
  EXPECT_EQ(devices.queryFormat(1, kMono11k), kDeviceBadId);
}

TEST_F(AlsaNullPcmTest, EveryWrittenBlockIsReportedDoneOnceInOrder) {
  Blocks blocks(6, 2048);
  std::unique_ptr<WaveOutStream> stream;
  ASSERT_EQ(devices.open(0, kMono11k, loop, window, stream), kDeviceOk);
  for (auto& header : blocks.headers) {
    ASSERT_EQ(stream->prepareHeader(header), kDeviceOk);
    ASSERT_EQ(stream->write(header), kDeviceOk);
  }
  ASSERT_TRUE(loop.waitForDoneMessages(6));
  std::vector<WaveHeader*> expected;
  for (auto& header : blocks.headers) expected.push_back(&header);
  EXPECT_EQ(loop.takeDoneHeaders(), expected);
  for (auto& header : blocks.headers) {
    EXPECT_EQ(header.flags & (kHeaderDone | kHeaderInQueue), kHeaderDone);
    EXPECT_EQ(stream->unprepareHeader(header), kDeviceOk);
  }
  std::uint32_t position = 0;
  ASSERT_EQ(stream->position(position), kDeviceOk);
  EXPECT_EQ(position, 6u * 2048u) << "a block is done only once all of it has been played";
}

TEST_F(AlsaNullPcmTest, ThePcmStopsOncePlayedOutAndTheNextBlockStartsItWhole) {
  Blocks blocks(2, 512);
  std::unique_ptr<WaveOutStream> stream;
  ASSERT_EQ(devices.open(0, kMono11k, loop, window, stream), kDeviceOk);
  auto& alsa = dynamic_cast<AlsaWaveOutStream&>(*stream);
  for (std::size_t i = 0; i < 2; ++i) {
    ASSERT_EQ(stream->prepareHeader(blocks.headers[i]), kDeviceOk);
    ASSERT_EQ(stream->write(blocks.headers[i]), kDeviceOk);
    ASSERT_TRUE(loop.waitForDoneMessages(i + 1));
    EXPECT_FALSE(alsa.pcmRunning()) << "nothing queued: no stream left running at the server";
    std::uint32_t position = 0;
    ASSERT_EQ(stream->position(position), kDeviceOk);
    EXPECT_EQ(position, (i + 1) * 512u) << "every byte of each block is played, the first after a stop too";
  }
}

TEST_F(AlsaNullPcmTest, PausedStreamHoldsBlocksUntilRestartAndResetReturnsThemAll) {
  Blocks blocks(3, 1024);
  std::unique_ptr<WaveOutStream> stream;
  ASSERT_EQ(devices.open(0, kMono11k, loop, window, stream), kDeviceOk);
  ASSERT_EQ(stream->pause(), kDeviceOk);
  for (auto& header : blocks.headers) {
    stream->prepareHeader(header);
    stream->write(header);
  }
  // Nothing is fed while paused, so reset finds all three still queued.
  ASSERT_EQ(stream->reset(), kDeviceOk);
  EXPECT_EQ(loop.takeDoneHeaders().size(), 3u);
  std::uint32_t position = 1;
  stream->position(position);
  EXPECT_EQ(position, 0u);
  // Written again while still paused, then released: they play and are reported.
  for (auto& header : blocks.headers) ASSERT_EQ(stream->write(header), kDeviceOk);
  ASSERT_EQ(stream->restart(), kDeviceOk);
  ASSERT_TRUE(loop.waitForDoneMessages(3));
  EXPECT_EQ(loop.takeDoneHeaders().size(), 3u);
  stream->position(position);
  EXPECT_EQ(position, 3u * 1024u);
}

TEST_F(AlsaNullPcmTest, ClosingWithBlocksQueuedReportsThemDone) {
  Blocks blocks(4, 4096);
  {
    std::unique_ptr<WaveOutStream> stream;
    ASSERT_EQ(devices.open(0, kMono11k, loop, window, stream), kDeviceOk);
    stream->pause();
    for (auto& header : blocks.headers) {
      stream->prepareHeader(header);
      stream->write(header);
    }
  }
  EXPECT_EQ(loop.takeDoneHeaders().size(), 4u);
  for (auto& header : blocks.headers) EXPECT_TRUE(header.flags & kHeaderDone);
}

}  // namespace
}  // namespace platform
