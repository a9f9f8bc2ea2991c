#pragma once
// A silent output device: one device, "Null Wave Out", that accepts any plain PCM format
// and finishes blocks at the pace a real device would play them, measured on the clock.
// Used when no sound device can be opened, so the mixer keeps its timing on any machine.
#include "audio/ClockPacedStream.h"
#include "audio/WaveOutDevice.h"
#include "platform/core/Clock.h"

namespace platform {

class NullWaveOut final : public WaveOutSystem {
 public:
  static constexpr const char* kProductName = "Null Wave Out";

  // clock must outlive every stream opened here.
  explicit NullWaveOut(Clock& clock, PacingDriver driver = PacingDriver::OwnThread);

  std::uint32_t deviceCount() override { return 1; }
  DeviceResult capabilities(std::int32_t id, WaveOutCaps& caps) override;
  DeviceResult queryFormat(std::int32_t id, const PcmFormat& format) override;
  DeviceResult open(std::int32_t id, const PcmFormat& format, MessageLoop& loop, WindowHandle callbackWindow,
                    std::unique_ptr<WaveOutStream>& stream) override;

 private:
  Clock& clock_;
  PacingDriver driver_;
};

}  // namespace platform
