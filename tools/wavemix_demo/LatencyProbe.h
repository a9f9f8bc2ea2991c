#pragma once
// Measures, for the demo, the time from a Play call to the moment its first audible byte
// leaves the device. It sits between the mixer and the real device: every block written
// is scanned for the first byte that is not silence (0x80) after the probe was armed, and
// that byte's play time is estimated from the device's own position at the time of the
// write (for ALSA the position already subtracts what the PCM and sound server still hold).
//
// Meaningful when only the probed sound is non-silent; to measure "behind a playing sound"
// play a wave of pure silence first, which keeps the mixer busy without being audible.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "audio/ForwardingWaveOut.h"
#include "audio/WaveOutDevice.h"
#include "platform/core/Clock.h"

namespace demo {

class LatencyProbe final : public platform::ForwardingWaveOut {
 public:
  // Receives the label given to arm() and the measured milliseconds.
  using Report = std::function<void(const std::string& label, double milliseconds)>;

  LatencyProbe(platform::WaveOutSystem& inner, platform::Clock& clock, Report report);
  ~LatencyProbe() override;

  // The next non-silent byte written belongs to a play requested at playMs.
  void arm(std::uint32_t playMs, std::string label);

  platform::DeviceResult open(std::int32_t id, const platform::PcmFormat& format, platform::MessageLoop& loop,
                              platform::WindowHandle callbackWindow,
                              std::unique_ptr<platform::WaveOutStream>& stream) override;

 private:
  class ProbedStream;
  struct Armed;

  platform::Clock& clock_;
  Report report_;
  std::unique_ptr<Armed> armed_;
};

}  // namespace demo
