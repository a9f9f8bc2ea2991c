#pragma once
// A device set that hands every call on to another one. Wrappers that add something to a
// device set (a stand-in device, pacing, a measurement) derive from it and override only
// what they add. The inner set must outlive the wrapper.
#include <cstdint>
#include <memory>

#include "platform/core/MessageLoop.h"
#include "audio/WaveOutDevice.h"

namespace platform {

class ForwardingWaveOut : public WaveOutSystem {
 public:
  explicit ForwardingWaveOut(WaveOutSystem& inner) : inner_(inner) {}

  std::uint32_t deviceCount() override { return inner_.deviceCount(); }
  DeviceResult capabilities(std::int32_t id, WaveOutCaps& caps) override { return inner_.capabilities(id, caps); }
  DeviceResult queryFormat(std::int32_t id, const PcmFormat& format) override {
    return inner_.queryFormat(id, format);
  }
  DeviceResult open(std::int32_t id, const PcmFormat& format, MessageLoop& loop, WindowHandle callbackWindow,
                    std::unique_ptr<WaveOutStream>& stream) override {
    return inner_.open(id, format, loop, callbackWindow, stream);
  }

 protected:
  WaveOutSystem& inner() const { return inner_; }

 private:
  WaveOutSystem& inner_;
};

}  // namespace platform
