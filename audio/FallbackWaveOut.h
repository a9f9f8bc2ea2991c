#pragma once
// The one layer that owns a lost output device: loss, recovery and the silent fallback.
//
// A device set that plays on its primary system (ALSA). A stream opened here is always a
// FallbackWaveOutStream around the device actually in use:
//   - the primary device refuses to open for a reason other than the format or the number
//     (no sound server, busy hardware): the stream plays silently on the fallback system's
//     device 0 (the null device), which keeps time, so the mixer never notices;
//   - an open primary stream reports itself lost() (the sound server went away, the card was
//     unplugged): the next write() closes it and goes on on the fallback device;
//   - while silent, every write() first tries to open the primary device again, at once on
//     the first write after a loss and then at most every retryMs. When it opens, the
//     blocks still queued at the silent stream are dropped (reported done) and playing goes
//     on with the written block on the new primary stream. The byte position carries on
//     from everything written before, so the mixer's positions stay monotonic.
// Nothing is shown to the user; a line on stderr marks each change between sound and silence.
//
// Threading: like every WaveOutStream control call, one thread at a time (GUI or pump
// thread); a reopen after a loss happens inside write(), so on the pump thread when the
// mixer runs one.
#include <memory>

#include "audio/ForwardingWaveOut.h"
#include "audio/WaveOutDevice.h"
#include "platform/core/Clock.h"

namespace platform {

// Device count and capabilities are the primary set's.
class FallbackWaveOut final : public ForwardingWaveOut {
 public:
  static constexpr std::uint32_t kRetryMs = 1000;

  // fallback must have at least one device; its device 0 stands in for every primary one.
  // clock: read by the thread that writes (GUI or pump thread), to time the retries.
  FallbackWaveOut(std::unique_ptr<WaveOutSystem> primary, std::unique_ptr<WaveOutSystem> fallback,
                  Clock& clock = systemClock(), std::uint32_t retryMs = kRetryMs);

  DeviceResult queryFormat(std::int32_t id, const PcmFormat& format) override;
  DeviceResult open(std::int32_t id, const PcmFormat& format, MessageLoop& loop, WindowHandle callbackWindow,
                    std::unique_ptr<WaveOutStream>& stream) override;

  // How many opens (first opens and recoveries) were served by the fallback, and how many
  // times a silent stream got its primary device back.
  std::uint32_t fallbackOpens() const { return fallbackOpens_; }
  std::uint32_t recoveries() const { return recoveries_; }

 private:
  friend class FallbackWaveOutStream;
  // Opens the primary device; any failure leaves stream empty.
  bool openPrimary(std::int32_t id, const PcmFormat& format, MessageLoop& loop, WindowHandle window,
                   std::unique_ptr<WaveOutStream>& stream);

  std::unique_ptr<WaveOutSystem> primary_;
  std::unique_ptr<WaveOutSystem> fallback_;
  Clock& clock_;
  std::uint32_t retryMs_;
  std::uint32_t fallbackOpens_ = 0;
  std::uint32_t recoveries_ = 0;
};

class FallbackWaveOutStream final : public WaveOutStream {
 public:
  FallbackWaveOutStream(FallbackWaveOut& system, std::int32_t id, const PcmFormat& format, MessageLoop& loop,
                        WindowHandle window, std::unique_ptr<WaveOutStream> inner, bool silent);
  ~FallbackWaveOutStream() override;

  DeviceResult prepareHeader(WaveHeader& header) override { return inner_->prepareHeader(header); }
  DeviceResult unprepareHeader(WaveHeader& header) override { return inner_->unprepareHeader(header); }
  DeviceResult write(WaveHeader& header) override;
  DeviceResult pause() override;
  DeviceResult restart() override;
  DeviceResult reset() override;
  DeviceResult position(std::uint32_t& bytes) override;
  // True while no sound is heard (fallback device, or a primary stream that was lost).
  bool lost() const override;

 private:
  void tryToRecover();
  void switchTo(std::unique_ptr<WaveOutStream> next);

  FallbackWaveOut& system_;
  const std::int32_t id_;
  const PcmFormat format_;
  MessageLoop& loop_;
  const WindowHandle window_;
  std::unique_ptr<WaveOutStream> inner_;
  bool silent_;                    // inner_ is the fallback device
  std::uint32_t nextRetryMs_ = 0;  // clock time of the next attempt while silent
  bool paused_ = false;
  std::uint32_t baseBytes_ = 0;     // position at which inner_ started
  std::uint32_t writtenBytes_ = 0;  // written to inner_ since it started or was reset
};

}  // namespace platform
