#pragma once
// A recording output device: one device, "WAV File Output", paced on the clock like the
// null device, that appends every byte it plays to a WAV file in the opened format. Each
// open creates the file anew; the file is complete and valid once the stream is closed
// (its header is also brought up to date every 64 KiB of audio).
#include <filesystem>

#include "audio/ClockPacedStream.h"
#include "audio/WaveOutDevice.h"
#include "platform/core/Clock.h"

namespace platform {

class FileWaveOut final : public WaveOutSystem {
 public:
  static constexpr const char* kProductName = "WAV File Output";

  // clock must outlive every stream opened here.
  FileWaveOut(std::filesystem::path path, Clock& clock, PacingDriver driver = PacingDriver::OwnThread);

  const std::filesystem::path& path() const { return path_; }

  std::uint32_t deviceCount() override { return 1; }
  DeviceResult capabilities(std::int32_t id, WaveOutCaps& caps) override;
  DeviceResult queryFormat(std::int32_t id, const PcmFormat& format) override;
  // Fails with kDeviceError when the file cannot be created.
  DeviceResult open(std::int32_t id, const PcmFormat& format, MessageLoop& loop, WindowHandle callbackWindow,
                    std::unique_ptr<WaveOutStream>& stream) override;

 private:
  std::filesystem::path path_;
  Clock& clock_;
  PacingDriver driver_;
};

}  // namespace platform
