#include "audio/FileWaveOut.h"

#include "audio/WavFileWriter.h"
#include "audio/WaveHeaderFlags.h"

namespace platform {

FileWaveOut::FileWaveOut(std::filesystem::path path, Clock& clock, PacingDriver driver)
    : path_(std::move(path)), clock_(clock), driver_(driver) {}

DeviceResult FileWaveOut::capabilities(std::int32_t id, WaveOutCaps& caps) {
  return singleDeviceCapabilities(id, kProductName, caps);
}

DeviceResult FileWaveOut::queryFormat(std::int32_t id, const PcmFormat& format) {
  return singleDeviceQueryFormat(id, format);
}

DeviceResult FileWaveOut::open(std::int32_t id, const PcmFormat& format, MessageLoop& loop,
                               WindowHandle callbackWindow, std::unique_ptr<WaveOutStream>& stream) {
  if (DeviceResult result = queryFormat(id, format); result != kDeviceOk) return result;
  // Shared with the stream's sink; the file is closed when the stream has stopped.
  auto writer = std::make_shared<WavFileWriter>();
  if (!writer->open(path_, format)) return kDeviceError;
  auto sink = [writer](const std::uint8_t* data, std::size_t bytes) { writer->append(data, bytes); };
  stream = std::make_unique<ClockPacedStream>(format, clock_, loop, callbackWindow, driver_, sink);
  return kDeviceOk;
}

}  // namespace platform
