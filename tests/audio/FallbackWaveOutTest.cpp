// Loss and recovery of the output device, driven by manual devices and a manual clock.
#include "audio/FallbackWaveOut.h"

#include <gtest/gtest.h>

#include <array>

#include "RecordingMessageLoop.h"
#include "audio/testing/ManualWaveOut.h"

namespace platform {
namespace {

class FallbackWaveOutTest : public ::testing::Test {
 protected:
  FallbackWaveOutTest() {
    auto primary = std::make_unique<ManualWaveOutSystem>();
    auto fallback = std::make_unique<ManualWaveOutSystem>();
    primary_ = primary.get();
    fallback_ = fallback.get();
    system_ = std::make_unique<FallbackWaveOut>(std::move(primary), std::move(fallback), clock_, 1000);
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
      data_[i].fill(static_cast<std::uint8_t>(i));
      blocks_[i].data = data_[i].data();
      blocks_[i].bufferLength = 100;
    }
  }
  void open() {
    ASSERT_EQ(system_->open(0, PcmFormat{}, loop_, 1, stream_), kDeviceOk);
    for (WaveHeader& block : blocks_) stream_->prepareHeader(block);
  }
  void write(std::size_t block) { ASSERT_EQ(stream_->write(blocks_.at(block)), kDeviceOk); }
  std::uint32_t position() {
    std::uint32_t bytes = 0;
    stream_->position(bytes);
    return bytes;
  }

  ManualClock clock_;
  test::RecordingMessageLoop loop_;
  ManualWaveOutSystem* primary_ = nullptr;
  ManualWaveOutSystem* fallback_ = nullptr;
  std::unique_ptr<FallbackWaveOut> system_;
  std::unique_ptr<WaveOutStream> stream_;
  std::array<std::array<std::uint8_t, 100>, 4> data_{};
  std::array<WaveHeader, 4> blocks_{};
};

TEST_F(FallbackWaveOutTest, ADeviceMissingAtOpenIsSilentUntilItOpensOnALaterWrite) {
  primary_->setOpenResult(kDeviceError);
  open();
  EXPECT_TRUE(stream_->lost());
  write(0);
  ASSERT_NE(fallback_->stream(), nullptr);
  EXPECT_EQ(fallback_->stream()->queuedCount(), 1u);

  primary_->setOpenResult(kDeviceOk);
  clock_.advance(999);
  write(1);
  EXPECT_EQ(primary_->stream(), nullptr);
  fallback_->stream()->completeNext();
  EXPECT_EQ(position(), 100u);

  clock_.advance(1);
  write(2);
  ASSERT_NE(primary_->stream(), nullptr) << "the device is opened again after a second";
  EXPECT_FALSE(stream_->lost());
  EXPECT_EQ(primary_->stream()->writes().size(), 1u);
  EXPECT_EQ(primary_->stream()->writes()[0].header, &blocks_[2]);
  EXPECT_EQ(loop_.takeDoneHeaders(), (std::vector<WaveHeader*>{&blocks_[0], &blocks_[1]}))
      << "what the silent device still held is given back";
  EXPECT_EQ(position(), 200u) << "the new device's first byte follows everything written before";
  primary_->stream()->completeNext();
  EXPECT_EQ(position(), 300u);
  EXPECT_EQ(system_->recoveries(), 1u);
}

TEST_F(FallbackWaveOutTest, ALostStreamIsReplacedOnTheNextWriteKeepingThePause) {
  open();
  write(0);
  primary_->stream()->completeNext();
  primary_->stream()->loseDevice();
  EXPECT_TRUE(stream_->lost());
  stream_->pause();
  // A server restarted while nothing played: the next write finds the device back at once.
  write(1);
  ManualWaveOutStream* second = primary_->stream();
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(stream_->lost());
  EXPECT_EQ(second->writes().size(), 1u);
  EXPECT_TRUE(second->paused()) << "a pause in force carries over to the new device";
  EXPECT_EQ(position(), 100u);
  stream_->restart();
  EXPECT_TRUE(second->completeNext());
  EXPECT_EQ(second->played(), std::vector<std::uint8_t>(100, 1));
  EXPECT_EQ(position(), 200u);

  // Lost again with the device gone for good: silent on the fallback, retried every second.
  second->loseDevice();
  primary_->setOpenResult(kDeviceError);
  write(2);
  EXPECT_EQ(primary_->stream(), nullptr);
  ASSERT_NE(fallback_->stream(), nullptr);
  primary_->setOpenResult(kDeviceOk);
  clock_.advance(999);
  write(3);
  EXPECT_EQ(primary_->stream(), nullptr);
  clock_.advance(1);
  write(0);
  ASSERT_NE(primary_->stream(), nullptr);
  EXPECT_EQ(position(), 400u);
  EXPECT_EQ(system_->recoveries(), 2u);
  stream_->reset();
  EXPECT_EQ(position(), 0u);
}

}  // namespace
}  // namespace platform
