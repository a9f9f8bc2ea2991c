// The null and file devices driven by a manual clock: the caller moves time and asks the
// stream to finish what is due, exactly as the pacing thread does with the real clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <vector>

#include <unistd.h>

#include "audio/ClockPacedStream.h"
#include "audio/FileWaveOut.h"
#include "audio/NullWaveOut.h"
#include "tests/audio/RecordingMessageLoop.h"

namespace platform {
namespace {

PcmFormat monoFormat(std::uint32_t rate = 11025) {
  return PcmFormat{1, 1, rate, rate, 1, 8};
}

// Blocks with recognisable contents: block i holds bytes i*16, i*16+1, …
struct TestBlocks {
  std::vector<std::vector<std::uint8_t>> data;
  std::vector<WaveHeader> headers;
  TestBlocks(std::size_t count, std::uint32_t length) : data(count), headers(count) {
    for (std::size_t i = 0; i < count; ++i) {
      data[i].resize(length);
      for (std::uint32_t b = 0; b < length; ++b) data[i][b] = static_cast<std::uint8_t>(i * 16 + b);
      headers[i].data = data[i].data();
      headers[i].bufferLength = length;
    }
  }
};

class PacedDeviceTest : public testing::Test {
 protected:
  ManualClock clock;
  test::RecordingMessageLoop loop;
  WindowHandle window = loop.createWindow({});

  ClockPacedStream& openNull(std::unique_ptr<WaveOutStream>& stream, const PcmFormat& format = monoFormat()) {
    NullWaveOut device(clock, PacingDriver::Caller);
    EXPECT_EQ(device.open(0, format, loop, window, stream), kDeviceOk);
    return static_cast<ClockPacedStream&>(*stream);
  }
};

TEST_F(PacedDeviceTest, NullDeviceListsOneDeviceAndTheMapper) {
  NullWaveOut device(clock, PacingDriver::Caller);
  EXPECT_EQ(device.deviceCount(), 1u);
  for (std::int32_t id : {0, kWaveMapper}) {
    WaveOutCaps caps;
    ASSERT_EQ(device.capabilities(id, caps), kDeviceOk);
    EXPECT_EQ(caps.productName, NullWaveOut::kProductName);
    EXPECT_LE(caps.productName.size(), 31u);
    EXPECT_EQ(caps.support & kCapsSync, 0u);
  }
  WaveOutCaps caps;
  EXPECT_EQ(device.capabilities(1, caps), kDeviceBadId);
  EXPECT_EQ(device.capabilities(-2, caps), kDeviceBadId);
}

TEST_F(PacedDeviceTest, FormatQueryAcceptsOnlyConsistentPcm) {
  NullWaveOut device(clock, PacingDriver::Caller);
  struct Case {
    PcmFormat format;
    DeviceResult expected;
  };
  const Case cases[] = {
      {monoFormat(), kDeviceOk},
      {PcmFormat{1, 2, 22050, 44100, 2, 8}, kDeviceOk},
      {PcmFormat{1, 2, 44100, 176400, 4, 16}, kDeviceOk},
      {PcmFormat{2, 1, 11025, 11025, 1, 8}, kDeviceBadFormat},   // not PCM
      {PcmFormat{1, 3, 11025, 33075, 3, 8}, kDeviceBadFormat},   // three channels
      {PcmFormat{1, 1, 11025, 11025, 2, 8}, kDeviceBadFormat},   // block alignment wrong
      {PcmFormat{1, 1, 11025, 22050, 1, 8}, kDeviceBadFormat},   // bytes per second wrong
      {PcmFormat{1, 1, 0, 0, 1, 8}, kDeviceBadFormat},           // no rate
      {PcmFormat{1, 1, 11025, 11025 * 3, 3, 24}, kDeviceBadFormat},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.format.channels << "ch " << c.format.samplesPerSec << " Hz "
                                    << c.format.bitsPerSample << " bit");
    EXPECT_EQ(device.queryFormat(0, c.format), c.expected);
    std::unique_ptr<WaveOutStream> stream;
    EXPECT_EQ(device.open(0, c.format, loop, window, stream), c.expected);
    EXPECT_EQ(stream != nullptr, c.expected == kDeviceOk);
  }
}

TEST_F(PacedDeviceTest, HeaderFlagsFollowPrepareWriteDoneUnprepare) {
  TestBlocks blocks(1, 512);
  std::unique_ptr<WaveOutStream> stream;
  ClockPacedStream& device = openNull(stream);
  WaveHeader& header = blocks.headers[0];

  EXPECT_EQ(device.write(header), kDeviceUnprepared);
  ASSERT_EQ(device.prepareHeader(header), kDeviceOk);
  EXPECT_TRUE(header.flags & kHeaderPrepared);
  header.flags |= kHeaderDone;  // as left by an earlier round
  ASSERT_EQ(device.write(header), kDeviceOk);
  EXPECT_EQ(header.flags & (kHeaderDone | kHeaderInQueue), kHeaderInQueue);
  EXPECT_EQ(device.write(header), kDeviceStillPlaying);
  EXPECT_EQ(device.unprepareHeader(header), kDeviceStillPlaying);

  clock.advance(47);  // 512 bytes at 11025 Hz = 46.4 ms
  EXPECT_EQ(device.finishDueBlocks(), 1u);
  EXPECT_EQ(header.flags & (kHeaderDone | kHeaderInQueue), kHeaderDone);
  EXPECT_EQ(device.unprepareHeader(header), kDeviceOk);
  EXPECT_FALSE(header.flags & kHeaderPrepared);
}

TEST_F(PacedDeviceTest, DoneMessagesFollowTheClockInWriteOrder) {
  TestBlocks blocks(3, 2048);  // 185.8 ms each
  std::unique_ptr<WaveOutStream> stream;
  ClockPacedStream& device = openNull(stream);
  for (auto& header : blocks.headers) {
    device.prepareHeader(header);
    device.write(header);
  }
  const std::pair<std::uint32_t, std::vector<std::size_t>> steps[] = {
      {185, {}}, {1, {0}}, {186, {1}}, {185, {}}, {1, {2}}, {1000, {}}};
  for (const auto& [advanceMs, expected] : steps) {
    clock.advance(advanceMs);
    device.finishDueBlocks();
    std::vector<WaveHeader*> expectedHeaders;
    for (std::size_t i : expected) expectedHeaders.push_back(&blocks.headers[i]);
    EXPECT_EQ(loop.takeDoneHeaders(), expectedHeaders) << "at " << clock.milliseconds() << " ms";
  }
  std::uint32_t position = 0;
  device.position(position);
  EXPECT_EQ(position, 3u * 2048u);
}

TEST_F(PacedDeviceTest, PausedDeviceHoldsItsBlocksUntilRestart) {
  TestBlocks blocks(2, 1024);
  std::unique_ptr<WaveOutStream> stream;
  ClockPacedStream& device = openNull(stream);
  device.pause();
  for (auto& header : blocks.headers) {
    device.prepareHeader(header);
    device.write(header);
  }
  clock.advance(5000);
  EXPECT_EQ(device.finishDueBlocks(), 0u);
  std::uint32_t position = 1;
  device.position(position);
  EXPECT_EQ(position, 0u);
  device.restart();
  clock.advance(93);  // 1024 bytes = 92.9 ms
  EXPECT_EQ(device.finishDueBlocks(), 1u);
  device.position(position);
  EXPECT_EQ(position, 1025u);
}

TEST_F(PacedDeviceTest, ResetReportsEveryQueuedBlockDoneAndZeroesThePosition) {
  TestBlocks blocks(3, 1024);
  std::unique_ptr<WaveOutStream> stream;
  ClockPacedStream& device = openNull(stream);
  for (auto& header : blocks.headers) {
    device.prepareHeader(header);
    device.write(header);
  }
  clock.advance(100);  // block 0 played, not yet collected
  ASSERT_EQ(device.reset(), kDeviceOk);
  const std::vector<WaveHeader*> done = loop.takeDoneHeaders();
  ASSERT_EQ(done.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(done[i], &blocks.headers[i]);
    EXPECT_EQ(blocks.headers[i].flags & (kHeaderDone | kHeaderInQueue), kHeaderDone);
  }
  std::uint32_t position = 1;
  device.position(position);
  EXPECT_EQ(position, 0u);
  clock.advance(1000);
  device.position(position);
  EXPECT_EQ(position, 0u) << "an empty device must not advance";
}

TEST_F(PacedDeviceTest, ClosingTheStreamReportsQueuedBlocksDone) {
  TestBlocks blocks(2, 1024);
  {
    std::unique_ptr<WaveOutStream> stream;
    ClockPacedStream& device = openNull(stream);
    for (auto& header : blocks.headers) {
      device.prepareHeader(header);
      device.write(header);
    }
  }
  EXPECT_EQ(loop.takeDoneHeaders().size(), 2u);
  for (auto& header : blocks.headers) EXPECT_TRUE(header.flags & kHeaderDone);
}

TEST_F(PacedDeviceTest, OwnThreadFinishesBlocksOnTheSystemClock) {
  // Real time, but nothing here waits on time: the stream is closed at once, which must
  // stop the thread and report the block done without its play time having passed.
  TestBlocks blocks(1, 4096);
  NullWaveOut device(systemClock());
  std::unique_ptr<WaveOutStream> stream;
  ASSERT_EQ(device.open(0, monoFormat(), loop, window, stream), kDeviceOk);
  stream->prepareHeader(blocks.headers[0]);
  stream->write(blocks.headers[0]);
  stream.reset();
  EXPECT_EQ(loop.takeDoneHeaders(), std::vector<WaveHeader*>{&blocks.headers[0]});
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

class FileDeviceTest : public PacedDeviceTest {
 protected:
  std::filesystem::path path = std::filesystem::temp_directory_path() /
                               ("paced-file-" + std::to_string(::getpid()) + "-" +
                                testing::UnitTest::GetInstance()->current_test_info()->name() + ".wav");
  void TearDown() override { std::filesystem::remove(path); }
};

TEST_F(FileDeviceTest, RecordsPlayedBlocksWithAValidHeader) {
  const PcmFormat format{1, 2, 22050, 44100, 2, 8};
  TestBlocks blocks(3, 882);  // 441 frames = 20 ms each
  {
    FileWaveOut device(path, clock, PacingDriver::Caller);
    std::unique_ptr<WaveOutStream> stream;
    ASSERT_EQ(device.open(kWaveMapper, format, loop, window, stream), kDeviceOk);
    auto& paced = static_cast<ClockPacedStream&>(*stream);
    for (auto& header : blocks.headers) {
      paced.prepareHeader(header);
      paced.write(header);
    }
    clock.advance(40);
    EXPECT_EQ(paced.finishDueBlocks(), 2u);
    clock.advance(20);
    EXPECT_EQ(paced.finishDueBlocks(), 1u);
  }
  const std::vector<std::uint8_t> file = readFile(path);
  ASSERT_EQ(file.size(), 44u + 3 * 882);
  const std::string tags = std::string(file.begin(), file.begin() + 4) + std::string(file.begin() + 8, file.begin() + 16) +
                           std::string(file.begin() + 36, file.begin() + 40);
  EXPECT_EQ(tags, "RIFFWAVEfmt data");
  EXPECT_EQ(le32(file, 4), 36u + 3 * 882);
  EXPECT_EQ(le32(file, 16), 16u);
  EXPECT_EQ(file[20] | file[21] << 8, 1);      // PCM
  EXPECT_EQ(file[22] | file[23] << 8, 2);      // channels
  EXPECT_EQ(le32(file, 24), 22050u);
  EXPECT_EQ(le32(file, 28), 44100u);
  EXPECT_EQ(file[32] | file[33] << 8, 2);      // block alignment
  EXPECT_EQ(file[34] | file[35] << 8, 8);      // bits
  EXPECT_EQ(le32(file, 40), 3u * 882);
  std::vector<std::uint8_t> expected;
  for (const auto& block : blocks.data) expected.insert(expected.end(), block.begin(), block.end());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), file.begin() + 44));
}

TEST_F(FileDeviceTest, ResetKeepsOnlyWhatWasHeard) {
  TestBlocks blocks(2, 1000);
  {
    FileWaveOut device(path, clock, PacingDriver::Caller);
    std::unique_ptr<WaveOutStream> stream;
    ASSERT_EQ(device.open(0, monoFormat(), loop, window, stream), kDeviceOk);
    for (auto& header : blocks.headers) {
      stream->prepareHeader(header);
      stream->write(header);
    }
    clock.advance(100);  // 1102 bytes: block 0 and 102 bytes of block 1
    stream->reset();
    // Played after the reset: block 0 again, in full.
    stream->write(blocks.headers[0]);
    clock.advance(91);
    static_cast<ClockPacedStream&>(*stream).finishDueBlocks();
  }
  const std::vector<std::uint8_t> file = readFile(path);
  std::vector<std::uint8_t> expected = blocks.data[0];
  expected.insert(expected.end(), blocks.data[1].begin(), blocks.data[1].begin() + 102);
  expected.insert(expected.end(), blocks.data[0].begin(), blocks.data[0].end());
  ASSERT_EQ(file.size(), 44u + expected.size());
  EXPECT_EQ(le32(file, 40), expected.size());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), file.begin() + 44));
}

TEST_F(FileDeviceTest, OpenFailsCleanlyWhenTheFileCannotBeCreated) {
  FileWaveOut device(path / "no-such-folder" / "out.wav", clock, PacingDriver::Caller);
  std::unique_ptr<WaveOutStream> stream;
  EXPECT_EQ(device.open(0, monoFormat(), loop, window, stream), kDeviceError);
  EXPECT_EQ(stream, nullptr);
}

}  // namespace
}  // namespace platform
