#include "audio/NullWaveOut.h"

#include "audio/WaveHeaderFlags.h"

namespace platform {

NullWaveOut::NullWaveOut(Clock& clock, PacingDriver driver) : clock_(clock), driver_(driver) {}

DeviceResult NullWaveOut::capabilities(std::int32_t id, WaveOutCaps& caps) {
  return singleDeviceCapabilities(id, kProductName, caps);
}

DeviceResult NullWaveOut::queryFormat(std::int32_t id, const PcmFormat& format) {
  return singleDeviceQueryFormat(id, format);
}

DeviceResult NullWaveOut::open(std::int32_t id, const PcmFormat& format, MessageLoop& loop,
                               WindowHandle callbackWindow, std::unique_ptr<WaveOutStream>& stream) {
  if (DeviceResult result = queryFormat(id, format); result != kDeviceOk) return result;
  stream = std::make_unique<ClockPacedStream>(format, clock_, loop, callbackWindow, driver_);
  return kDeviceOk;
}

}  // namespace platform
