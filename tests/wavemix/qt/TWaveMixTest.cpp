// The component: property setters in stored order, design state, plays and their notices.
#include <QCoreApplication>
#include <QEvent>
#include <QVariant>
#include <QObject>
#include <memory>

#include "../MixerTestSupport.h"
#include "platform/QtMessageLoop.h"
#include "wavemix/qt/TWaveMix.h"
#include "wavemix/qt/TWaveMixDoneEvent.h"

namespace wavemix::testing {
namespace {

// Stands for a form control that wants to hear when a play ends.
class NoticeRecorder : public QObject {
 public:
  struct Notice {
    std::int32_t channel;
    WaveMixWave* wave;
  };
  std::vector<Notice> notices;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == TWaveMixDoneEvent::eventType()) {
      auto* done = static_cast<TWaveMixDoneEvent*>(event);
      notices.push_back({done->channel(), done->wave()});
      return true;
    }
    return QObject::event(event);
  }
};

class TWaveMixTest : public MixerTest {
 protected:
  void SetUp() override {
    MixerTest::SetUp();
    profile_.set("default", "GoodWavePos", 1);
    profile_.set("default", "WaveBlockLen", 512);
    mix_ = std::make_unique<TWaveMix>();
  }
  void TearDown() override {
    for (WaveMixWave* wave : componentWaves_) mix_->FreeWave(wave);
    mix_.reset();
    MixerTest::TearDown();
  }
  std::vector<bool> openChannels() {
    MixerSnapshot snapshot = WaveMixInspect(mix_->session());
    return std::vector<bool>(std::begin(snapshot.channelOpen), std::end(snapshot.channelOpen));
  }
  WaveMixWave* componentWave(const std::vector<std::uint8_t>& samples) {
    const auto image = RiffBuilder::wave(1, 11025, 8, samples);
    MemoryFileInfo info;
    info.buffer = image.data();
    info.bufferSize = static_cast<std::int32_t>(image.size());
    WaveMixWave* wave = WaveMixOpenWave(mix_->session(), WaveMixMemorySource(&info), nullptr, kOpenFromMemory);
    componentWaves_.push_back(wave);
    return wave;
  }

  std::unique_ptr<TWaveMix> mix_;
  std::vector<WaveMixWave*> componentWaves_;
};

TEST_F(TWaveMixTest, StartsInactiveWithNoChannels) {
  EXPECT_FALSE(mix_->Activated());
  EXPECT_EQ(mix_->Channels(), 0);
  EXPECT_EQ(mix_->playParams().size, 24);
  EXPECT_EQ(mix_->playParams().session, mix_->session());
  EXPECT_EQ(openChannels(), std::vector<bool>(8, false));
}

TEST_F(TWaveMixTest, StoredPropertiesOpenTheDeviceThenChannelsZeroToFour) {
  ASSERT_TRUE(mix_->setProperty("Activated", true));
  ASSERT_TRUE(mix_->setProperty("Channels", QVariant::fromValue<quint8>(31)));
  EXPECT_EQ(devices_.openCount(), 1);
  EXPECT_EQ(openChannels(), (std::vector<bool>{true, true, true, true, true, false, false, false}));
  EXPECT_TRUE(device().writes().empty()) << "nothing is played yet";
}

TEST_F(TWaveMixTest, ChannelsFrom31To6ClosesZeroThreeAndFourOnly) {
  mix_->SetChannels(31);
  mix_->SetChannels(6);  // reopening 1 or 2 would raise "already opened"
  EXPECT_EQ(mix_->Channels(), 6);
  EXPECT_EQ(openChannels(), (std::vector<bool>{false, true, true, false, false, false, false, false}));
  EXPECT_EQ(mix_->session()->openChannelCount, 2);
}

TEST_F(TWaveMixTest, Channels255OpensTheRestWithoutError) {
  mix_->SetChannels(31);
  EXPECT_NO_THROW(mix_->SetChannels(255));
  EXPECT_EQ(openChannels(), std::vector<bool>(8, true));
  EXPECT_EQ(mix_->session()->openChannelCount, 8);
  mix_->SetChannels(0);
  EXPECT_EQ(openChannels(), std::vector<bool>(8, false));
}

TEST_F(TWaveMixTest, ActivatedTwiceOpensTheDeviceOnce) {
  mix_->SetActivated(true);
  mix_->SetActivated(true);
  EXPECT_EQ(devices_.openCount(), 1);
  mix_->SetActivated(false);
  EXPECT_EQ(devices_.stream(), nullptr);
}

TEST_F(TWaveMixTest, DesignStateOnlyRecordsActivatedButStillAppliesChannels) {
  mix_->SetDesignState(true);
  mix_->SetActivated(true);
  EXPECT_TRUE(mix_->Activated());
  EXPECT_EQ(devices_.openCount(), 0);
  EXPECT_FALSE(mix_->session()->active);
  mix_->SetChannels(3);
  EXPECT_EQ(mix_->session()->openChannelCount, 2);
}

TEST_F(TWaveMixTest, FailedActivationLeavesThePropertyUnchanged) {
  devices_.setOpenResult(platform::kDeviceAllocated);
  EXPECT_WAVEMIX_ERROR(mix_->SetActivated(true), "Failed to open waveform output device #4");
  EXPECT_FALSE(mix_->Activated());
  devices_.setOpenResult(platform::kDeviceOk);
  mix_->SetActivated(true);
  EXPECT_TRUE(mix_->Activated());
}

TEST_F(TWaveMixTest, PlayWithANotifyControlDeliversChannelAndWave) {
  mix_->SetActivated(true);
  mix_->SetChannels(31);
  NoticeRecorder control;
  WaveMixWave* wave = componentWave(std::vector<std::uint8_t>(700, 40));
  mix_->Play(3, wave, &control, 0, 0);
  EXPECT_EQ(mix_->playParams().notifyWindow, WaveMixInspect(mix_->session()).chains[3].at(0).notifyWindow);
  completeBlock();
  EXPECT_TRUE(control.notices.empty());
  completeBlock();
  ASSERT_EQ(control.notices.size(), 1u);
  EXPECT_EQ(control.notices[0].channel, 3);
  EXPECT_EQ(control.notices[0].wave, wave);
}

TEST_F(TWaveMixTest, NoticeForADestroyedControlIsDropped) {
  mix_->SetActivated(true);
  mix_->SetChannels(1);
  auto control = std::make_unique<NoticeRecorder>();
  mix_->Play(0, componentWave(std::vector<std::uint8_t>(100, 40)), control.get(), 0, 0);
  const std::size_t windows = loop_.windowCount();
  control.reset();
  EXPECT_EQ(loop_.windowCount(), windows - 1);
  EXPECT_NO_THROW(completeBlock());
}

TEST_F(TWaveMixTest, PlayWithoutControlAndTheLruChannelIsReported) {
  mix_->SetActivated(true);
  mix_->SetChannels(6);
  mix_->Play(7, componentWave({1, 2, 3}), nullptr, mixUseLruChannel, 0);
  EXPECT_EQ(mix_->playParams().channel, 1);
  EXPECT_EQ(mix_->playParams().notifyWindow, 0u);
}

TEST_F(TWaveMixTest, OpenWaveReadsAFileAndReportsAMissingOne) {
  EXPECT_WAVEMIX_ERROR(mix_->OpenWave("/nonexistent/dat/start.wav"),
                       "Failed to open wave file /nonexistent/dat/start.wav");
}

TEST_F(TWaveMixTest, ASecondComponentCannotStartASession) {
  EXPECT_WAVEMIX_ERROR(TWaveMix second, "Session already initialized");
}

TEST_F(TWaveMixTest, DestructionClosesChannelsDeviceAndSession) {
  mix_->SetActivated(true);
  mix_->SetChannels(31);
  mix_.reset();
  EXPECT_EQ(devices_.stream(), nullptr);
  EXPECT_EQ(loop_.windowCount(), 0u);
  mix_ = std::make_unique<TWaveMix>();
  EXPECT_EQ(WaveMixInspect(mix_->session()).freePlayRecords, 100u);
}

// In the program, device notifications and play notices travel through Qt's event queue.
TEST(TWaveMixOnQtTest, NoticeArrivesThroughTheQtEventQueue) {
  platform::ManualWaveOutSystem devices;
  platform::QtMessageLoop loop;
  platform::ManualClock clock;
  MemoryProfile profile;
  profile.set("default", "GoodWavePos", 1);
  profile.set("default", "WaveBlockLen", 512);
  WaveMixSetPlatform({.waveOut = &devices, .messageLoop = &loop, .clock = &clock, .profile = &profile});
  {
    TWaveMix mix;
    mix.SetActivated(true);
    mix.SetChannels(31);
    const auto image = RiffBuilder::wave(1, 11025, 8, std::vector<std::uint8_t>(300, 60));
    MemoryFileInfo info;
    info.buffer = image.data();
    info.bufferSize = static_cast<std::int32_t>(image.size());
    WaveMixWave* wave = WaveMixOpenWave(mix.session(), WaveMixMemorySource(&info), nullptr, kOpenFromMemory);
    NoticeRecorder control;
    mix.Play(4, wave, &control, 0, 0);
    ASSERT_TRUE(devices.stream()->completeNext());
    QCoreApplication::sendPostedEvents();  // the block-done message: the pump retires the play
    QCoreApplication::sendPostedEvents();  // the notice it posted
    ASSERT_EQ(control.notices.size(), 1u);
    EXPECT_EQ(control.notices[0].channel, 4);
    EXPECT_EQ(control.notices[0].wave, wave);
    mix.FreeWave(wave);
  }
  WaveMixSetPlatform(WaveMixPlatform{});
}

}  // namespace
}  // namespace wavemix::testing
