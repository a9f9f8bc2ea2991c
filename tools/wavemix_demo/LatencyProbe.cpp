#include "LatencyProbe.h"

#include <optional>

namespace demo {

struct LatencyProbe::Armed {
  std::uint32_t playMs;
  std::string label;
};

// Forwards everything to the device; counts bytes written since open or reset.
class LatencyProbe::ProbedStream final : public platform::WaveOutStream {
 public:
  ProbedStream(LatencyProbe& probe, std::unique_ptr<platform::WaveOutStream> inner, const platform::PcmFormat& format)
      : probe_(probe), inner_(std::move(inner)), format_(format) {}

  platform::DeviceResult prepareHeader(platform::WaveHeader& header) override { return inner_->prepareHeader(header); }
  platform::DeviceResult unprepareHeader(platform::WaveHeader& header) override {
    return inner_->unprepareHeader(header);
  }
  platform::DeviceResult pause() override { return inner_->pause(); }
  platform::DeviceResult restart() override { return inner_->restart(); }
  platform::DeviceResult position(std::uint32_t& bytes) override { return inner_->position(bytes); }
  platform::DeviceResult reset() override {
    written_ = 0;
    return inner_->reset();
  }

  platform::DeviceResult write(platform::WaveHeader& header) override {
    if (probe_.armed_ && format_.bitsPerSample == 8) measure(header);
    const platform::DeviceResult result = inner_->write(header);
    if (result == platform::kDeviceOk) written_ += header.bufferLength;
    return result;
  }

 private:
  void measure(const platform::WaveHeader& header) {
    std::optional<std::uint32_t> first;
    for (std::uint32_t i = 0; i < header.bufferLength; ++i) {
      if (header.data[i] != 0x80) {
        first = i;
        break;
      }
    }
    if (!first) return;
    std::uint32_t played = 0;
    inner_->position(played);
    const std::uint32_t nowMs = probe_.clock_.milliseconds();
    const double aheadBytes = static_cast<double>(written_ + *first) - played;
    const double latency = static_cast<double>(nowMs - probe_.armed_->playMs) + aheadBytes * 1000.0 / format_.avgBytesPerSec;
    const std::unique_ptr<Armed> armed = std::move(probe_.armed_);
    probe_.report_(armed->label, latency);
  }

  LatencyProbe& probe_;
  std::unique_ptr<platform::WaveOutStream> inner_;
  platform::PcmFormat format_;
  std::uint64_t written_ = 0;
};

LatencyProbe::LatencyProbe(platform::WaveOutSystem& inner, platform::Clock& clock, Report report)
    : ForwardingWaveOut(inner), clock_(clock), report_(std::move(report)) {}

LatencyProbe::~LatencyProbe() = default;

void LatencyProbe::arm(std::uint32_t playMs, std::string label) {
  armed_ = std::make_unique<Armed>(Armed{playMs, std::move(label)});
}

platform::DeviceResult LatencyProbe::open(std::int32_t id, const platform::PcmFormat& format,
                                          platform::MessageLoop& loop, platform::WindowHandle callbackWindow,
                                          std::unique_ptr<platform::WaveOutStream>& stream) {
  std::unique_ptr<platform::WaveOutStream> inner;
  const platform::DeviceResult result = this->inner().open(id, format, loop, callbackWindow, inner);
  if (result == platform::kDeviceOk) stream = std::make_unique<ProbedStream>(*this, std::move(inner), format);
  return result;
}

}  // namespace demo
