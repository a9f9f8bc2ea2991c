#pragma once
// A device set that plays on its primary system and, when a primary device refuses to open
// for any reason other than the format, opens the same device number on the fallback
// instead (the null device), so the caller always gets a stream that keeps time.
// Device list, capabilities and format queries are the primary's.
#include <memory>

#include "platform/audio/WaveOutDevice.h"

namespace platform {

class FallbackWaveOut final : public WaveOutSystem {
 public:
  // fallback must have at least one device; its device 0 stands in for every primary one.
  FallbackWaveOut(std::unique_ptr<WaveOutSystem> primary, std::unique_ptr<WaveOutSystem> fallback);

  std::uint32_t deviceCount() override { return primary_->deviceCount(); }
  DeviceResult capabilities(std::int32_t id, WaveOutCaps& caps) override { return primary_->capabilities(id, caps); }
  DeviceResult queryFormat(std::int32_t id, const PcmFormat& format) override;
  DeviceResult open(std::int32_t id, const PcmFormat& format, MessageLoop& loop, WindowHandle callbackWindow,
                    std::unique_ptr<WaveOutStream>& stream) override;

  // How many opens were served by the fallback.
  std::uint32_t fallbackOpens() const { return fallbackOpens_; }

 private:
  std::unique_ptr<WaveOutSystem> primary_;
  std::unique_ptr<WaveOutSystem> fallback_;
  std::uint32_t fallbackOpens_ = 0;
};

}  // namespace platform
