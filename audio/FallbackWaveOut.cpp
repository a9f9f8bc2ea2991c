#include "audio/FallbackWaveOut.h"

#include <cstdio>

namespace platform {
namespace {

// Errors that another device cannot mend: the caller asked for something impossible.
bool refusesRequest(DeviceResult result) { return result == kDeviceBadFormat || result == kDeviceBadId; }

}  // namespace

FallbackWaveOut::FallbackWaveOut(std::unique_ptr<WaveOutSystem> primary, std::unique_ptr<WaveOutSystem> fallback,
                                 Clock& clock, std::uint32_t retryMs)
    : ForwardingWaveOut(*primary), primary_(std::move(primary)), fallback_(std::move(fallback)), clock_(clock), retryMs_(retryMs) {}

DeviceResult FallbackWaveOut::queryFormat(std::int32_t id, const PcmFormat& format) {
  const DeviceResult result = primary_->queryFormat(id, format);
  // A device that cannot be opened at all is answered for by the stand-in that open would use.
  if (result == kDeviceOk || refusesRequest(result)) return result;
  return fallback_->queryFormat(0, format);
}

bool FallbackWaveOut::openPrimary(std::int32_t id, const PcmFormat& format, MessageLoop& loop, WindowHandle window,
                                  std::unique_ptr<WaveOutStream>& stream) {
  if (primary_->open(id, format, loop, window, stream) == kDeviceOk && stream) return true;
  stream.reset();
  return false;
}

DeviceResult FallbackWaveOut::open(std::int32_t id, const PcmFormat& format, MessageLoop& loop,
                                   WindowHandle callbackWindow, std::unique_ptr<WaveOutStream>& stream) {
  std::unique_ptr<WaveOutStream> inner;
  const DeviceResult result = primary_->open(id, format, loop, callbackWindow, inner);
  if (result == kDeviceOk && inner) {
    stream = std::make_unique<FallbackWaveOutStream>(*this, id, format, loop, callbackWindow, std::move(inner), false);
    return kDeviceOk;
  }
  if (refusesRequest(result)) return result;
  const DeviceResult fallbackResult = fallback_->open(0, format, loop, callbackWindow, inner);
  if (fallbackResult != kDeviceOk) return fallbackResult;
  ++fallbackOpens_;
  std::fprintf(stderr, "wave output: device %d did not open (error %u); playing silently\n", id, result);
  stream = std::make_unique<FallbackWaveOutStream>(*this, id, format, loop, callbackWindow, std::move(inner), true);
  return kDeviceOk;
}

FallbackWaveOutStream::FallbackWaveOutStream(FallbackWaveOut& system, std::int32_t id, const PcmFormat& format,
                                             MessageLoop& loop, WindowHandle window,
                                             std::unique_ptr<WaveOutStream> inner, bool silent)
    : system_(system), id_(id), format_(format), loop_(loop), window_(window), inner_(std::move(inner)),
      silent_(silent), nextRetryMs_(system.clock_.milliseconds() + system.retryMs_) {}

FallbackWaveOutStream::~FallbackWaveOutStream() = default;

bool FallbackWaveOutStream::lost() const { return silent_ || inner_->lost(); }

DeviceResult FallbackWaveOutStream::write(WaveHeader& header) {
  if (lost()) tryToRecover();
  const DeviceResult result = inner_->write(header);
  if (result == kDeviceOk) writtenBytes_ += header.bufferLength;
  return result;
}

void FallbackWaveOutStream::switchTo(std::unique_ptr<WaveOutStream> next) {
  // Blocks still queued at the old stream are given back as done; their time counts as
  // played, so the next stream's first byte is the one written next.
  inner_->reset();
  inner_ = std::move(next);
  baseBytes_ += writtenBytes_;
  writtenBytes_ = 0;
  if (paused_) inner_->pause();
}

void FallbackWaveOutStream::tryToRecover() {
  const std::uint32_t now = system_.clock_.milliseconds();
  if (!silent_) {
    // The primary stream was lost since the last write. It is closed (a device may allow
    // one open stream only) and the null device keeps time instead; the device may already
    // be back (a server restarted while nothing played), so it is tried at once.
    std::fprintf(stderr, "wave output: the sound device was lost; playing silently and trying again\n");
    std::unique_ptr<WaveOutStream> stand;
    if (system_.fallback_->open(0, format_, loop_, window_, stand) == kDeviceOk && stand) {
      switchTo(std::move(stand));
      silent_ = true;
      ++system_.fallbackOpens_;
    }
  } else if (static_cast<std::int32_t>(now - nextRetryMs_) < 0) {
    return;
  }
  nextRetryMs_ = now + system_.retryMs_;
  std::unique_ptr<WaveOutStream> fresh;
  if (!system_.openPrimary(id_, format_, loop_, window_, fresh)) return;
  switchTo(std::move(fresh));
  silent_ = false;
  ++system_.recoveries_;
  std::fprintf(stderr, "wave output: the sound device is back\n");
}

DeviceResult FallbackWaveOutStream::pause() {
  paused_ = true;
  return inner_->pause();
}

DeviceResult FallbackWaveOutStream::restart() {
  paused_ = false;
  return inner_->restart();
}

DeviceResult FallbackWaveOutStream::reset() {
  baseBytes_ = 0;
  writtenBytes_ = 0;
  return inner_->reset();
}

DeviceResult FallbackWaveOutStream::position(std::uint32_t& bytes) {
  std::uint32_t played = 0;
  const DeviceResult result = inner_->position(played);
  bytes = baseBytes_ + played;
  return result;
}

}  // namespace platform
