#include "platform/audio/FallbackWaveOut.h"

#include <cstdio>

namespace platform {

FallbackWaveOut::FallbackWaveOut(std::unique_ptr<WaveOutSystem> primary, std::unique_ptr<WaveOutSystem> fallback)
    : primary_(std::move(primary)), fallback_(std::move(fallback)) {}

DeviceResult FallbackWaveOut::queryFormat(std::int32_t id, const PcmFormat& format) {
  const DeviceResult result = primary_->queryFormat(id, format);
  // A device that cannot be opened at all is answered for by the stand-in that open would use.
  if (result == kDeviceOk || result == kDeviceBadFormat || result == kDeviceBadId) return result;
  return fallback_->queryFormat(0, format);
}

DeviceResult FallbackWaveOut::open(std::int32_t id, const PcmFormat& format, MessageLoop& loop,
                                   WindowHandle callbackWindow, std::unique_ptr<WaveOutStream>& stream) {
  const DeviceResult result = primary_->open(id, format, loop, callbackWindow, stream);
  if (result == kDeviceOk || result == kDeviceBadFormat || result == kDeviceBadId) return result;
  const DeviceResult fallbackResult = fallback_->open(0, format, loop, callbackWindow, stream);
  if (fallbackResult == kDeviceOk) {
    ++fallbackOpens_;
    std::fprintf(stderr, "wave output: device %d did not open (error %u); playing silently\n", id, result);
  }
  return fallbackResult;
}

}  // namespace platform
