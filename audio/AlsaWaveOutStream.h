#pragma once
// An open ALSA playback PCM driven by one writer thread.
//
// Threads: the control calls (write, pause, restart, reset, position) come from the GUI
// thread; the writer thread feeds written blocks to the PCM in order and, once the PCM
// reports a block's last frame as played (frames written − snd_pcm_delay), sets its done
// flag and posts the done message. Every ALSA call on the PCM is made under mutex_, and
// the PCM is non-blocking, so a control call never waits behind a write; the writer sleeps
// on a condition variable with a timeout of one period or until the next block is due.
//
// Quiet when idle: once the last written block has been played, the PCM is stopped
// (snd_pcm_drop: a sound server's plug-in lets go of its stream) and left unprepared; the
// next write prepares and starts it. The writer then waits without a timeout.
//
// The writer asks for real-time scheduling (SCHED_FIFO) and carries on at normal priority
// when refused.
//
// Recovery stays inside: an underrun (-EPIPE) is recovered with snd_pcm_recover (unless
// underruns have followed each other for 300 ms without a frame accepted: see
// kUnderrunLoopMs), a
// suspend (-ESTRPIPE) with snd_pcm_resume (retried while it says -EAGAIN) or a re-prepare,
// -EAGAIN is retried after a wait. Any other failure (the sound server went away, the
// card was unplugged) makes the stream "lost": what was at the PCM is reported done, and
// from then on blocks are paced by the clock like the null device, so the caller keeps its
// timing and never hangs. Reopening a device is not this class's business: FallbackWaveOut
// sees lost() and decides.
#include <alsa/asoundlib.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "audio/ClockPacedQueue.h"
#include "audio/WaveOutDevice.h"
#include "platform/core/Clock.h"

namespace platform {

class AlsaWaveOutStream final : public WaveOutStream {
 public:
  // Takes ownership of pcm, configured for format (interleaved access), non-blocking; an
  // 8-bit format's PCM is configured for signed 16-bit samples instead, and widened here.
  // periodFrames: the PCM's period, used as the writer's polling interval when it is full.
  // clock: read from the writer thread, so it must be thread-safe (systemClock()).
  // bufferFrames: the PCM's ring buffer size.
  AlsaWaveOutStream(snd_pcm_t* pcm, const PcmFormat& format, snd_pcm_uframes_t periodFrames,
                    snd_pcm_uframes_t bufferFrames, bool canPause,
                    Clock& clock, MessageLoop& loop, WindowHandle window);
  ~AlsaWaveOutStream() override;

  DeviceResult prepareHeader(WaveHeader& header) override;
  DeviceResult unprepareHeader(WaveHeader& header) override;
  DeviceResult write(WaveHeader& header) override;
  DeviceResult pause() override;
  DeviceResult restart() override;
  DeviceResult reset() override;
  DeviceResult position(std::uint32_t& bytes) override;

  // True once the PCM has failed beyond recovery and the stream paces itself by the clock.
  bool lost() const override;
  // True while the PCM is started (playing, or waiting for the next block without having
  // run dry). False once everything written has been played and the PCM was stopped.
  bool pcmRunning() const;

 private:
  struct Entry {
    WaveHeader* header;
    std::uint64_t endFrame;  // exclusive, counted in frames written since the last reset
  };

  void writerThreadMain();
  // One round of the writer: feed, retire, and how long to sleep (nullopt: until woken).
  std::optional<std::uint32_t> serviceLocked();
  // Writes queued frames while the PCM has room. True when it stopped for lack of room.
  bool feedLocked();
  // Returns the played position it read (the last one known when nothing is queued).
  std::uint64_t retirePlayedLocked();
  // Stops the PCM once nothing is queued and everything written has been played.
  void stopWhenPlayedOutLocked();
  std::uint64_t playedFramesLocked();
  // Handles a negative ALSA result: true when the stream can go on (possibly after a wait).
  bool recoverLocked(int error);
  void becomeLostLocked();
  void resetLocked();

  snd_pcm_t* pcm_;
  const std::uint32_t frameBytes_;
  const std::uint32_t rate_;
  const std::uint32_t periodMs_;
  const snd_pcm_sframes_t bufferFrames_;
  const bool canPause_;
  const bool widen_;                    // 8-bit blocks, written to a 16-bit PCM
  std::vector<std::int16_t> widened_;   // writer's scratch for one widened chunk
  Clock& clock_;
  MessageLoop& loop_;
  const WindowHandle window_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Entry> entries_;       // written by the caller, not yet done, in order
  std::size_t feedIndex_ = 0;       // first entry not completely handed to the PCM
  std::uint32_t feedOffset_ = 0;    // bytes of entries_[feedIndex_] already handed over
  std::uint64_t queuedFrames_ = 0;  // end of the last entry
  std::uint64_t framesWritten_ = 0;
  std::uint64_t framesPlayed_ = 0;
  bool paused_ = false;
  bool hardwarePaused_ = false;
  bool stopping_ = false;
  bool lost_ = false;
  // Clock time of the first underrun since a frame was last accepted (see recoverLocked).
  std::optional<std::uint32_t> underrunSinceMs_;
  // Once lost: blocks are paced here; lostBaseBytes_ is the position at the moment of loss.
  std::optional<ClockPacedQueue> pacer_;
  std::uint64_t lostBaseBytes_ = 0;
  std::thread writerThread_;
};

}  // namespace platform
