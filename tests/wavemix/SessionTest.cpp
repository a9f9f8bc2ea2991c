// Session creation from "WAVEMIX.INI", device checks, activation and their error texts.
#include <cstring>

#include "MixerTestSupport.h"
#include "wavemix/MixerState.h"
#include "wavemix/SessionSettings.h"
#include "wavemix/WaveMixMessages.h"

namespace wavemix::testing {
namespace {

using platform::ManualDeviceSpec;

class SessionTest : public MixerTest {};

TEST_F(SessionTest, WithoutAnyProfileEntryUsesTheDefaults) {
  HMixSession session = init();
  EXPECT_EQ(session->remixProc, &RemixFromPosition);
  EXPECT_EQ(session->goodWavePos, 0);
  EXPECT_EQ(session->blockCount, 3);
  EXPECT_EQ(session->blockLength, 2048);
  EXPECT_EQ(session->format.formatTag, 1);
  EXPECT_EQ(session->format.channels, 1);
  EXPECT_EQ(session->format.samplesPerSec, 11025u);
  EXPECT_EQ(session->format.avgBytesPerSec, 11025u);
  EXPECT_EQ(session->format.blockAlign, 1);
  EXPECT_EQ(session->format.bitsPerSample, 8);
  EXPECT_EQ(session->deviceId, 0);
  EXPECT_STREQ(session->deviceName, "Manual Wave Out");
  EXPECT_EQ(session->magic, kSessionMagic);
  EXPECT_EQ(session->magic2, kSessionMagic);
  EXPECT_FALSE(session->active);
  EXPECT_EQ(session->waveOut, nullptr);
  MixerSnapshot snapshot = WaveMixInspect(session);
  for (bool open : snapshot.channelOpen) EXPECT_FALSE(open);
  EXPECT_EQ(snapshot.freePlayRecords, 100u);
}

TEST_F(SessionTest, RemixKeyChoosesTheSpliceMethod) {
  profile_.set("Manual Wave Out", "Remix", 2);
  EXPECT_EQ(init()->remixProc, &ShiftToMixPosition);
  closeSession();
  profile_.set("Manual Wave Out", "Remix", 3);
  profile_.set("default", "Remix", 2);
  EXPECT_EQ(init()->remixProc, &RemixFromPosition) << "the device section overrides \"default\"";
  closeSession();
  profile_.set("Manual Wave Out", "Remix", 2);
  profile_.set("default", "Remix", 1);
  EXPECT_EQ(init()->remixProc, &ShiftToMixPosition);
}

struct BlockCase {
  const char* section;
  const char* key;
  int value;
  std::int32_t blockCount;
  std::int32_t blockLength;
  std::uint32_t rate;
};

class BlockConfigTest : public MixerTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(BlockConfigTest, ProfileValueIsClampedOrRounded) {
  const BlockCase& c = GetParam();
  profile_.set(c.section, c.key, c.value);
  HMixSession session = init();
  EXPECT_EQ(session->blockCount, c.blockCount);
  EXPECT_EQ(session->blockLength, c.blockLength);
  EXPECT_EQ(session->format.samplesPerSec, c.rate);
  EXPECT_EQ(session->format.avgBytesPerSec, c.rate);
}

INSTANTIATE_TEST_SUITE_P(
    Profile, BlockConfigTest,
    ::testing::Values(BlockCase{"Manual Wave Out", "WaveBlocks", 1, 2, 2048, 11025},
                      BlockCase{"Manual Wave Out", "WaveBlocks", 9, 6, 2048, 11025},
                      BlockCase{"default", "WaveBlocks", 5, 5, 2048, 11025},
                      BlockCase{"Manual Wave Out", "WaveBlockLen", 100, 3, 512, 11025},
                      BlockCase{"Manual Wave Out", "WaveBlockLen", 10000, 3, 4096, 11025},
                      BlockCase{"Manual Wave Out", "WaveBlockLen", 1026, 3, 1024, 11025},
                      BlockCase{"default", "WaveBlockLen", 1026, 3, 1024, 11025},
                      BlockCase{"default", "WaveBlockLen", 3, 3, 2048, 11025},
                      BlockCase{"Manual Wave Out", "SamplesPerSec", 44, 3, 4096, 44100},
                      BlockCase{"Manual Wave Out", "SamplesPerSec", 22, 3, 4096, 22050},
                      BlockCase{"default", "SamplesPerSec", 44, 3, 4096, 44100},
                      BlockCase{"Manual Wave Out", "SamplesPerSec", 48, 3, 2048, 11025}));

TEST_F(SessionTest, GoodWavePosKeepsItsLowByte) {
  profile_.set("Manual Wave Out", "GoodWavePos", 0x101);
  EXPECT_EQ(init()->goodWavePos, 1);
}

TEST_F(SessionTest, ConfigurationRecordAsksForStereoAndRate) {
  WaveMixConfig config;
  config.flags = kConfigUseChannels | kConfigUseRate;
  config.channels = 2;
  config.samplingRate = 22;
  HMixSession session = init(&config);
  EXPECT_EQ(session->format.channels, 2);
  EXPECT_EQ(session->format.blockAlign, 2);
  EXPECT_EQ(session->format.samplesPerSec, 22050u);
  EXPECT_EQ(session->format.avgBytesPerSec, 44100u);
  EXPECT_EQ(session->blockLength, 4096);
}

TEST_F(SessionTest, ConfigurationRecordOfTheWrongSizeIsIgnored) {
  WaveMixConfig config;
  config.size = 12;
  config.flags = kConfigUseChannels | kConfigUseRate;
  config.channels = 2;
  config.samplingRate = 44;
  HMixSession session = init(&config);
  EXPECT_EQ(session->format.channels, 1);
  EXPECT_EQ(session->format.samplesPerSec, 11025u);
}

TEST_F(SessionTest, ConfigurationRateOtherThanTheThreeClassesKeepsTheProfile) {
  profile_.set("default", "SamplesPerSec", 22);
  WaveMixConfig config;
  config.flags = kConfigUseRate;
  config.samplingRate = 16;
  EXPECT_EQ(init(&config)->format.samplesPerSec, 22050u);
}

TEST(ReadSettingsTest, DeviceNumberOutsideTheDevicesMeansTheMapper) {
  MemoryProfile ini;
  ini.set("general", "WaveOutDevice", 1);
  EXPECT_EQ(chooseDevice(ini, 2), 1);
  EXPECT_EQ(chooseDevice(ini, 1), platform::kWaveMapper);
  ini.set("general", "WaveOutDevice", -2);
  EXPECT_EQ(chooseDevice(ini, 2), platform::kWaveMapper);
}

class MonoDeviceTest : public MixerTest {
 protected:
  MonoDeviceTest() : MixerTest({ManualDeviceSpec{"Mono Card", 1, false}}) {}
};

TEST_F(MonoDeviceTest, StereoIsOnlyUsedWhenTheDeviceHasTwoChannels) {
  WaveMixConfig config;
  config.flags = kConfigUseChannels;
  config.channels = 2;
  EXPECT_EQ(init(&config)->format.channels, 1);
  closeSession();
  devices_.setCapabilitiesResult(platform::kDeviceError);
  EXPECT_EQ(init(&config)->format.channels, 1) << "a device that does not say its channels gets mono";
}

class TwoDeviceTest : public MixerTest {
 protected:
  TwoDeviceTest() : MixerTest({ManualDeviceSpec{"First", 2, false}, ManualDeviceSpec{"Second", 2, false}}) {}
};

TEST_F(TwoDeviceTest, DeviceNumberBeyondTheDeviceCountMeansTheMapper) {
  profile_.set("general", "WaveOutDevice", 7);
  HMixSession session = init();
  EXPECT_EQ(session->deviceId, platform::kWaveMapper);
  EXPECT_STREQ(session->deviceName, "Manual Wave Mapper");
  WaveMixActivate(session, true);
  EXPECT_EQ(device().deviceId(), platform::kWaveMapper);
}

TEST_F(TwoDeviceTest, DeviceNumberPicksTheDeviceAndItsSection) {
  profile_.set("general", "WaveOutDevice", 1);
  profile_.set("Second", "WaveBlocks", 4);
  profile_.set("First", "WaveBlocks", 6);
  HMixSession session = init();
  EXPECT_EQ(session->deviceId, 1);
  EXPECT_STREQ(session->deviceName, "Second");
  EXPECT_EQ(session->blockCount, 4);
}

TEST_F(SessionTest, DeviceListedAsNotCompatibleIsRefusedAndLeavesNoSession) {
  profile_.set("not compatible", "Manual Wave Out", 1);
  EXPECT_WAVEMIX_ERROR(init(), "Manual Wave Out is not compatible with the realtime wavemixer");
  profile_.set("not compatible", "Manual Wave Out", 0);
  EXPECT_NO_THROW(init());
}

TEST_F(SessionTest, UnknownDeviceNameWhenCapabilitiesFail) {
  devices_.setCapabilitiesResult(platform::kDeviceError);
  profile_.set("not compatible", "Unknown Device", 1);
  EXPECT_WAVEMIX_ERROR(init(), "Unknown Device is not compatible with the realtime wavemixer");
}

class SyncDeviceTest : public MixerTest {
 protected:
  SyncDeviceTest() : MixerTest({ManualDeviceSpec{"Blocking Card", 2, true}}) {}
};

TEST_F(SyncDeviceTest, SynchronousDeviceIsRefusedAndLeavesNoSession) {
  EXPECT_WAVEMIX_ERROR(init(),
                       "Blocking Card is a syncronous (blocking) wave output device.  This will not "
                       "permit audio to play while other applications are running");
  // No session is left behind: a new init fails the same way instead of "already initialized".
  EXPECT_WAVEMIX_ERROR(init(),
                       "Blocking Card is a syncronous (blocking) wave output device.  This will not "
                       "permit audio to play while other applications are running");
}

class NoDeviceTest : public MixerTest {
 protected:
  NoDeviceTest() : MixerTest({}) {}
};

TEST_F(NoDeviceTest, NoOutputDevices) {
  EXPECT_WAVEMIX_ERROR(init(), "No wave output devices available");
}

TEST_F(SessionTest, SecondInitWhileASessionExists) {
  init();
  HMixSession first = session_;
  EXPECT_WAVEMIX_ERROR(WaveMixInit(nullptr), "Session already initialized");
  session_ = first;
}

TEST_F(SessionTest, SecondInitLeavesTheFirstSessionsPlaysAlone) {
  startPlaying();
  WaveMixWave* wave = loadSamples(std::vector<std::uint8_t>(2000, 200));
  play(wave, 0);
  EXPECT_THROW(WaveMixInit(nullptr), EWaveMixError);
  EXPECT_EQ(WaveMixInspect(session_).freePlayRecords, 99u);
  EXPECT_EQ(WaveMixInspect(session_).chains[0].size(), 1u);
}

TEST_F(SessionTest, ModuleFileNameFailureReportsTheErrorNumber) {
  WaveMixPlatform platform = WaveMixGetPlatform();
  platform.moduleFileName = [](std::string&) -> std::uint32_t { return 122; };
  WaveMixSetPlatform(platform);
  EXPECT_WAVEMIX_ERROR(init(), "GetModuleFileName error #122");
  platform.moduleFileName = [](std::string& name) -> std::uint32_t {
    name = "/opt/pomuri/pomuri";
    return 0;
  };
  WaveMixSetPlatform(platform);
  EXPECT_NO_THROW(init());
}

TEST_F(SessionTest, SessionHandleValidation) {
  init();
  WaveMixSession forged;
  forged.magic = kSessionMagic;
  forged.magic2 = 0;
  EXPECT_WAVEMIX_ERROR(WaveMixActivate(nullptr, true), "Invalid Session handle");
  EXPECT_WAVEMIX_ERROR(WaveMixActivate(&forged, true), "Invalid Session handle");
  EXPECT_WAVEMIX_ERROR(WaveMixOpenChannel(&forged, 0, 0), "Invalid Session handle");
  EXPECT_WAVEMIX_ERROR(WaveMixOpenWave(&forged, "x.wav", nullptr, 1), "Invalid Session handle");
  EXPECT_WAVEMIX_ERROR(WaveMixFreeWave(&forged, nullptr), "Invalid Session handle");
  EXPECT_WAVEMIX_ERROR(WaveMixFlushChannel(&forged, 0, 0), "Invalid Session handle");
  EXPECT_WAVEMIX_ERROR(WaveMixCloseChannel(&forged, 0, 0), "Invalid Session handle");
  EXPECT_WAVEMIX_ERROR(WaveMixCloseSession(&forged), "Invalid Session handle");
  PlayParams params;
  params.session = &forged;
  EXPECT_WAVEMIX_ERROR(WaveMixPlay(&params), "Invalid Session handle");
  HMixSession closed = session_;
  closeSession();
  EXPECT_WAVEMIX_ERROR(WaveMixActivate(closed, true), "Invalid Session handle");
}

TEST_F(SessionTest, ActivationOpensTheDeviceOnceAndDeactivationClosesIt) {
  HMixSession session = init();
  WaveMixActivate(session, true);
  WaveMixActivate(session, true);
  EXPECT_EQ(devices_.openCount(), 1);
  EXPECT_TRUE(session->active);
  EXPECT_NE(session->callbackWindow, 0u);
  EXPECT_EQ(loop_.windowCount(), 1u);
  EXPECT_EQ(device().format().samplesPerSec, 11025u);
  EXPECT_TRUE(device().writes().empty()) << "nothing is written while nothing plays";
  WaveMixActivate(session, false);
  EXPECT_EQ(devices_.stream(), nullptr);
  EXPECT_FALSE(session->active);
  EXPECT_EQ(session->callbackWindow, 0u);
  EXPECT_EQ(loop_.windowCount(), 0u);
  WaveMixActivate(session, true);
  EXPECT_EQ(devices_.openCount(), 2);
}

TEST_F(SessionTest, DeviceOpenFailureReportsTheCodeAndCanBeRetried) {
  HMixSession session = init();
  devices_.setOpenResult(platform::kDeviceAllocated);
  EXPECT_WAVEMIX_ERROR(WaveMixActivate(session, true), "Failed to open waveform output device #4");
  EXPECT_FALSE(session->active);
  EXPECT_EQ(session->waveOut, nullptr);
  EXPECT_EQ(session->callbackWindow, 0u);
  EXPECT_EQ(loop_.windowCount(), 0u);
  devices_.setOpenResult(platform::kDeviceOk);
  WaveMixActivate(session, true);
  EXPECT_TRUE(session->active);
  EXPECT_NE(devices_.stream(), nullptr) << "the failed activation must not keep the device";
}

TEST_F(SessionTest, HeaderPreparationFailureClosesTheDevice) {
  HMixSession session = init();
  devices_.failPrepareAfter(4, platform::kDeviceNoMemory);
  EXPECT_WAVEMIX_ERROR(WaveMixActivate(session, true), "Unable to prepare wave header #7");
  EXPECT_FALSE(session->active);
  EXPECT_EQ(devices_.stream(), nullptr);
  EXPECT_EQ(loop_.windowCount(), 0u);
  devices_.failPrepareAfter(-1, platform::kDeviceOk);
  WaveMixActivate(session, true);
  EXPECT_TRUE(session->active);
}

TEST_F(SessionTest, CallbackWindowFailure) {
  HMixSession session = init();
  loop_.failNextCreateWindow();
  EXPECT_WAVEMIX_ERROR(WaveMixActivate(session, true), "Failed to create callback window");
  EXPECT_EQ(devices_.openCount(), 0);
  WaveMixActivate(session, true);
  EXPECT_TRUE(session->active);
}

TEST_F(SessionTest, PlatformMustBeInstalled) {
  WaveMixSetPlatform(WaveMixPlatform{});
  EXPECT_WAVEMIX_ERROR(WaveMixInit(nullptr), messages::kPlatformNotSet);
  install();
}

TEST_F(SessionTest, CloseSessionLetsANewSessionStart) {
  startPlaying();
  WaveMixWave* wave = loadSamples(std::vector<std::uint8_t>(3000, 90));
  play(wave, 2, 0, kLoopForever);
  play(wave, 3, mixWait);
  closeSession();
  EXPECT_EQ(devices_.stream(), nullptr);
  HMixSession session = init();
  EXPECT_EQ(WaveMixInspect(session).freePlayRecords, 100u);
}

}  // namespace
}  // namespace wavemix::testing
