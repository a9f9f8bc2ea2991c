#include "audio/WaveOutFactory.h"

#include <gtest/gtest.h>

#include "audio/AlsaWaveOut.h"
#include "audio/FallbackWaveOut.h"
#include "audio/FileWaveOut.h"
#include "audio/NullWaveOut.h"
#include "tests/audio/RecordingMessageLoop.h"

namespace platform {
namespace {

TEST(WaveOutFactoryTest, ParsesTheOutputChoice) {
  using Kind = WaveOutChoice::Kind;
  struct Case {
    const char* value;
    Kind kind;
    const char* path;
    bool warns;
  };
  const Case cases[] = {
      {nullptr, Kind::Alsa, "", false},
      {"", Kind::Alsa, "", false},
      {"alsa", Kind::Alsa, "", false},
      {"null", Kind::Null, "", false},
      {"file:/tmp/out.wav", Kind::File, "/tmp/out.wav", false},
      {"file:relative dir/x.wav", Kind::File, "relative dir/x.wav", false},
      {"file:", Kind::Alsa, "", true},
      {"NULL", Kind::Alsa, "", true},
      {"pulse", Kind::Alsa, "", true},
      {"nullx", Kind::Alsa, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(unset)");
    const WaveOutChoice choice = parseWaveOutChoice(c.value);
    EXPECT_EQ(choice.kind, c.kind);
    EXPECT_EQ(choice.filePath, c.path);
    EXPECT_EQ(!choice.warning.empty(), c.warns);
  }
}

TEST(WaveOutFactoryTest, BuildsTheChosenSystem) {
  ManualClock clock;
  auto null = createWaveOutSystem(parseWaveOutChoice("null"), clock);
  EXPECT_NE(dynamic_cast<NullWaveOut*>(null.get()), nullptr);

  auto file = createWaveOutSystem(parseWaveOutChoice("file:/tmp/x.wav"), clock);
  auto* fileSystem = dynamic_cast<FileWaveOut*>(file.get());
  ASSERT_NE(fileSystem, nullptr);
  EXPECT_EQ(fileSystem->path(), "/tmp/x.wav");

  // ALSA behind the null stand-in, even where nothing opens yet (as here without a sound
  // server): a server started later must still be found.
  auto alsa = createWaveOutSystem(parseWaveOutChoice("alsa"), clock);
  EXPECT_NE(dynamic_cast<FallbackWaveOut*>(alsa.get()), nullptr);
  EXPECT_GE(alsa->deviceCount(), 1u);
}

// A primary that lists two devices and fails to open with a chosen result.
class RefusingSystem final : public WaveOutSystem {
 public:
  explicit RefusingSystem(DeviceResult openResult) : openResult_(openResult) {}
  std::uint32_t deviceCount() override { return 2; }
  DeviceResult capabilities(std::int32_t, WaveOutCaps& caps) override {
    caps.productName = "primary";
    return kDeviceOk;
  }
  DeviceResult queryFormat(std::int32_t, const PcmFormat&) override { return openResult_; }
  DeviceResult open(std::int32_t, const PcmFormat&, MessageLoop&, WindowHandle,
                    std::unique_ptr<WaveOutStream>&) override {
    return openResult_;
  }

 private:
  DeviceResult openResult_;
};

TEST(WaveOutFactoryTest, FallbackStandsInOnlyForDevicesThatCannotOpen) {
  ManualClock clock;
  test::RecordingMessageLoop loop;
  const PcmFormat format{};
  struct Case {
    DeviceResult primaryResult;
    DeviceResult expected;
    bool streamExpected;
  };
  const Case cases[] = {
      {kDeviceError, kDeviceOk, true},          // e.g. the sound server is gone
      {kDeviceAllocated, kDeviceOk, true},      // busy hardware
      {kDeviceBadFormat, kDeviceBadFormat, false},
      {kDeviceBadId, kDeviceBadId, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.primaryResult);
    FallbackWaveOut system(std::make_unique<RefusingSystem>(c.primaryResult),
                           std::make_unique<NullWaveOut>(clock, PacingDriver::Caller));
    EXPECT_EQ(system.deviceCount(), 2u);
    WaveOutCaps caps;
    system.capabilities(1, caps);
    EXPECT_EQ(caps.productName, "primary");
    EXPECT_EQ(system.queryFormat(1, format), c.expected);
    std::unique_ptr<WaveOutStream> stream;
    EXPECT_EQ(system.open(1, format, loop, 1, stream), c.expected);
    EXPECT_EQ(stream != nullptr, c.streamExpected);
    EXPECT_EQ(system.fallbackOpens(), c.streamExpected ? 1u : 0u);
  }
}

}  // namespace
}  // namespace platform
