#include "platform/audio/NullWaveOut.h"

#include "platform/audio/WaveHeaderFlags.h"

namespace platform {

NullWaveOut::NullWaveOut(Clock& clock, PacingDriver driver) : clock_(clock), driver_(driver) {}

DeviceResult NullWaveOut::capabilities(std::int32_t id, WaveOutCaps& caps) {
  if (id != 0 && id != kWaveMapper) return kDeviceBadId;
  caps = WaveOutCaps{kProductName, 2, 0};
  return kDeviceOk;
}

DeviceResult NullWaveOut::queryFormat(std::int32_t id, const PcmFormat& format) {
  if (id != 0 && id != kWaveMapper) return kDeviceBadId;
  return isPlainPcm(format) ? kDeviceOk : kDeviceBadFormat;
}

DeviceResult NullWaveOut::open(std::int32_t id, const PcmFormat& format, MessageLoop& loop,
                               WindowHandle callbackWindow, std::unique_ptr<WaveOutStream>& stream) {
  if (DeviceResult result = queryFormat(id, format); result != kDeviceOk) return result;
  stream = std::make_unique<ClockPacedStream>(format, clock_, loop, callbackWindow, driver_);
  return kDeviceOk;
}

}  // namespace platform
