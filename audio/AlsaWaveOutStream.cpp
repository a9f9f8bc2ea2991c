#include "audio/AlsaWaveOutStream.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "audio/RealtimePriority.h"
#include "audio/WaveHeaderFlags.h"

namespace platform {
namespace {

// Re-reads the PCM's delay at least this often while blocks are playing, so that a
// stretched or shortened play-out (sound servers resample) does not delay a done message.
constexpr std::uint32_t kMaxRetireWaitMs = 20;
// An underrun is mended by one prepare and the next write goes through. A PCM that answers
// every write with an underrun for this long, although each recovery succeeded, has lost
// its server: PipeWire's plug-in does exactly this once its daemon has gone (prepare
// returns 0, the next call -EPIPE again, forever), and never reconnects by itself.
constexpr std::uint32_t kUnderrunLoopMs = 300;
// Frames of an 8-bit block widened per write (the scratch buffer's size).
constexpr snd_pcm_uframes_t kWidenFrames = 1024;

}  // namespace

AlsaWaveOutStream::AlsaWaveOutStream(snd_pcm_t* pcm, const PcmFormat& format, snd_pcm_uframes_t periodFrames,
                                     snd_pcm_uframes_t bufferFrames, bool canPause, Clock& clock, MessageLoop& loop, WindowHandle window)
    : pcm_(pcm),
      frameBytes_(format.blockAlign),
      rate_(format.samplesPerSec),
      periodMs_(std::max<std::uint32_t>(1, static_cast<std::uint32_t>(periodFrames * 1000 / format.samplesPerSec))),
      bufferFrames_(static_cast<snd_pcm_sframes_t>(bufferFrames)),
      canPause_(canPause),
      widen_(format.bitsPerSample == 8),
      clock_(clock),
      loop_(loop),
      window_(window) {
  writerThread_ = std::thread([this] { writerThreadMain(); });
}

AlsaWaveOutStream::~AlsaWaveOutStream() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    resetLocked();
  }
  wake_.notify_all();
  writerThread_.join();
  snd_pcm_close(pcm_);
}

DeviceResult AlsaWaveOutStream::prepareHeader(WaveHeader& header) { return prepareWaveHeader(header); }

DeviceResult AlsaWaveOutStream::unprepareHeader(WaveHeader& header) { return unprepareWaveHeader(header); }

DeviceResult AlsaWaveOutStream::write(WaveHeader& header) {
  {
    std::lock_guard lock(mutex_);
    if (DeviceResult result = acceptWrittenHeader(header); result != kDeviceOk) return result;
    if (lost_) {
      pacer_->write(header, clock_.milliseconds());
    } else {
      queuedFrames_ += header.bufferLength / frameBytes_;
      entries_.push_back(Entry{&header, queuedFrames_});
    }
  }
  wake_.notify_all();
  return kDeviceOk;
}

DeviceResult AlsaWaveOutStream::pause() {
  std::lock_guard lock(mutex_);
  if (paused_) return kDeviceOk;
  paused_ = true;
  if (lost_) {
    pacer_->pause(clock_.milliseconds());
  } else if (canPause_ && snd_pcm_state(pcm_) == SND_PCM_STATE_RUNNING) {
    hardwarePaused_ = snd_pcm_pause(pcm_, 1) == 0;
  }
  // Without a hardware pause the writer simply stops feeding; what is buffered plays out.
  return kDeviceOk;
}

DeviceResult AlsaWaveOutStream::restart() {
  {
    std::lock_guard lock(mutex_);
    if (!paused_) return kDeviceOk;
    paused_ = false;
    if (lost_) {
      pacer_->restart(clock_.milliseconds());
    } else if (hardwarePaused_) {
      hardwarePaused_ = false;
      if (int error = snd_pcm_pause(pcm_, 0); error < 0) recoverLocked(error);
    }
  }
  wake_.notify_all();
  return kDeviceOk;
}

DeviceResult AlsaWaveOutStream::reset() {
  {
    std::lock_guard lock(mutex_);
    resetLocked();
  }
  wake_.notify_all();
  return kDeviceOk;
}

void AlsaWaveOutStream::resetLocked() {
  if (lost_) {
    for (WaveHeader* header : pacer_->reset(clock_.milliseconds()).dropped) finishWaveHeader(*header, loop_, window_);
    lostBaseBytes_ = 0;
    return;
  }
  snd_pcm_drop(pcm_);
  if (snd_pcm_prepare(pcm_) < 0) becomeLostLocked();
  hardwarePaused_ = false;
  for (const Entry& entry : entries_) finishWaveHeader(*entry.header, loop_, window_);
  entries_.clear();
  feedIndex_ = 0;
  feedOffset_ = 0;
  queuedFrames_ = 0;
  framesWritten_ = 0;
  framesPlayed_ = 0;
  underrunSinceMs_.reset();
  if (lost_) {
    pacer_->reset(clock_.milliseconds());
    lostBaseBytes_ = 0;
  }
}

DeviceResult AlsaWaveOutStream::position(std::uint32_t& bytes) {
  std::lock_guard lock(mutex_);
  if (lost_) {
    bytes = static_cast<std::uint32_t>(lostBaseBytes_ + pacer_->position(clock_.milliseconds()));
  } else {
    bytes = static_cast<std::uint32_t>(playedFramesLocked() * frameBytes_);
  }
  return kDeviceOk;
}

bool AlsaWaveOutStream::pcmRunning() const {
  std::lock_guard lock(mutex_);
  return !lost_ && snd_pcm_state(pcm_) == SND_PCM_STATE_RUNNING;
}

bool AlsaWaveOutStream::lost() const {
  std::lock_guard lock(mutex_);
  return lost_;
}

void AlsaWaveOutStream::writerThreadMain() {
  // The writer only copies finished blocks into the PCM and never waits on another thread
  // for long, so it may run ahead of ordinary threads.
  requestRealtimePriority();
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    const std::optional<std::uint32_t> waitMs = serviceLocked();
    if (stopping_) break;
    if (waitMs) {
      wake_.wait_for(lock, std::chrono::milliseconds(*waitMs));
    } else {
      wake_.wait(lock);
    }
  }
}

std::optional<std::uint32_t> AlsaWaveOutStream::serviceLocked() {
  if (!lost_) {
    const bool full = !paused_ && feedLocked();
    if (!lost_) {
      // One position query per wake-up: through a sound server's plug-in each one takes its
      // client's lock and several calls, and the position cannot move far in between.
      const std::uint64_t played = retirePlayedLocked();
      if (!lost_) {
        if (full) return periodMs_;
        if (entries_.empty() || hardwarePaused_) return std::nullopt;
        if (played >= framesWritten_) {
          // Nothing buffered: either paused before anything was fed, or waiting for the
          // caller. Written blocks are fed as soon as a write or restart wakes us.
          return paused_ ? std::nullopt : std::optional<std::uint32_t>(periodMs_);
        }
        const std::uint64_t framesLeft = entries_.front().endFrame - std::min(played, entries_.front().endFrame);
        const std::uint64_t dueMs = (framesLeft * 1000 + rate_ - 1) / rate_;
        return static_cast<std::uint32_t>(std::clamp<std::uint64_t>(dueMs, 1, kMaxRetireWaitMs));
      }
    }
  }
  for (WaveHeader* header : pacer_->takeFinished(clock_.milliseconds())) finishWaveHeader(*header, loop_, window_);
  return pacer_->msUntilNextFinish(clock_.milliseconds());
}

bool AlsaWaveOutStream::feedLocked() {
  bool wroteSomething = false;
  bool full = false;
  // A PCM that fails again right after each recovery is given a period before the next try.
  int recoveries = 0;
  if (feedIndex_ < entries_.size() && snd_pcm_state(pcm_) == SND_PCM_STATE_SETUP) {
    if (int error = snd_pcm_prepare(pcm_); error < 0) {
      recoverLocked(error);
      return false;
    }
  }
  while (feedIndex_ < entries_.size() && !full) {
    if (recoveries > 3) {
      full = true;
      break;
    }
    // A block written out is passed before the PCM is asked for room, so that the last
    // block's write is not followed by a query that has nothing left to feed.
    if ((entries_[feedIndex_].header->bufferLength - feedOffset_) / frameBytes_ == 0) {
      ++feedIndex_;
      feedOffset_ = 0;
      continue;
    }
    const snd_pcm_sframes_t avail = snd_pcm_avail_update(pcm_);
    if (avail < 0) {
      if (!recoverLocked(static_cast<int>(avail))) return false;
      // Still suspended, or nothing to do but wait: try again after a period.
      full = avail == -EAGAIN || snd_pcm_state(pcm_) == SND_PCM_STATE_SUSPENDED;
      ++recoveries;
      continue;
    }
    if (avail == 0) {
      full = true;
      break;
    }
    WaveHeader& header = *entries_[feedIndex_].header;
    const std::uint32_t framesLeft = (header.bufferLength - feedOffset_) / frameBytes_;
    snd_pcm_uframes_t frames = std::min<snd_pcm_uframes_t>(framesLeft, static_cast<snd_pcm_uframes_t>(avail));
    const void* samples = header.data + feedOffset_;
    if (widen_) {
      frames = std::min<snd_pcm_uframes_t>(frames, kWidenFrames);
      const std::uint32_t count = static_cast<std::uint32_t>(frames) * frameBytes_;
      widened_.resize(count);
      for (std::uint32_t i = 0; i < count; ++i)
        widened_[i] = static_cast<std::int16_t>((header.data[feedOffset_ + i] - 128) * 256);
      samples = widened_.data();
    }
    const snd_pcm_sframes_t written = snd_pcm_writei(pcm_, samples, frames);
    if (written < 0) {
      if (written == -EAGAIN) {
        full = true;
        break;
      }
      if (!recoverLocked(static_cast<int>(written))) return false;
      full = snd_pcm_state(pcm_) == SND_PCM_STATE_SUSPENDED;
      ++recoveries;
      continue;
    }
    wroteSomething = wroteSomething || written > 0;
    if (written > 0) underrunSinceMs_.reset();
    framesWritten_ += static_cast<std::uint64_t>(written);
    feedOffset_ += static_cast<std::uint32_t>(written) * frameBytes_;
  }
  // The start threshold is one frame, so a write normally starts the PCM; a PCM that is
  // still only prepared (after a recovery, or a plugin that waits) is started here.
  if (wroteSomething && snd_pcm_state(pcm_) == SND_PCM_STATE_PREPARED) {
    if (int error = snd_pcm_start(pcm_); error < 0 && !recoverLocked(error)) return false;
  }
  return full;
}

void AlsaWaveOutStream::stopWhenPlayedOutLocked() {
  const snd_pcm_state_t state = snd_pcm_state(pcm_);
  if (state != SND_PCM_STATE_RUNNING && state != SND_PCM_STATE_XRUN) return;
  if (playedFramesLocked() < framesWritten_) return;
  // Everything written has been heard. Left running, the PCM would underrun and the sound
  // server would keep asking for data that never comes (a client thread waking every few
  // milliseconds); stopped, it costs nothing until the next block starts it again. The
  // frame counters carry on, so the byte position does not move.
  // It is prepared again only for the next write: a sound server's plug-in reconnects its
  // stream on prepare, and a prepared stream is a running one at the server.
  snd_pcm_drop(pcm_);
}

std::uint64_t AlsaWaveOutStream::playedFramesLocked() {
  // Frames still to be heard: snd_pcm_delay where the plugin reports it, but never less
  // than what still sits in the ring buffer (some plugins, the PulseAudio one among them,
  // report a delay of 0 while their buffer is full).
  snd_pcm_sframes_t delay = 0;
  const int delayError = snd_pcm_delay(pcm_, &delay);
  const snd_pcm_sframes_t avail = snd_pcm_avail(pcm_);
  std::uint64_t played = framesPlayed_;
  if (avail == -EPIPE || avail == -ESTRPIPE || delayError == -EPIPE || delayError == -ESTRPIPE) {
    // The PCM ran dry or was suspended: nothing of what was written is still to come.
    played = framesWritten_;
  } else if (avail >= 0) {
    const snd_pcm_sframes_t inRing = std::max<snd_pcm_sframes_t>(
        0, static_cast<snd_pcm_sframes_t>(bufferFrames_) - std::min<snd_pcm_sframes_t>(avail, bufferFrames_));
    const snd_pcm_sframes_t buffered = std::max(delayError == 0 ? delay : 0, inRing);
    played = framesWritten_ - std::min<std::uint64_t>(static_cast<std::uint64_t>(buffered), framesWritten_);
  }
  // The position never runs backwards, even if the reported delay jitters.
  framesPlayed_ = std::max(framesPlayed_, played);
  return framesPlayed_;
}

std::uint64_t AlsaWaveOutStream::retirePlayedLocked() {
  if (entries_.empty()) return framesPlayed_;
  const std::uint64_t played = playedFramesLocked();
  while (!entries_.empty() && feedIndex_ > 0 && entries_.front().endFrame <= played) {
    WaveHeader& header = *entries_.front().header;
    entries_.pop_front();
    --feedIndex_;
    // Stopped before the last block is reported: whoever sees its done message finds the
    // PCM idle already.
    if (entries_.empty()) stopWhenPlayedOutLocked();
    finishWaveHeader(header, loop_, window_);
  }
  return played;
}

bool AlsaWaveOutStream::recoverLocked(int error) {
  if (error == -EAGAIN) return true;
  if (error == -EPIPE) {
    // Underrun: the buffer ran empty, so everything written has been played.
    framesPlayed_ = framesWritten_;
    const std::uint32_t now = clock_.milliseconds();
    if (!underrunSinceMs_) underrunSinceMs_ = now;
    if (now - *underrunSinceMs_ < kUnderrunLoopMs && snd_pcm_recover(pcm_, error, 1) == 0) return true;
  } else if (error == -ESTRPIPE) {
    framesPlayed_ = framesWritten_;
    const int resumed = snd_pcm_resume(pcm_);
    if (resumed == -EAGAIN) return true;  // still suspended; the writer tries again later
    if (resumed == 0 || snd_pcm_prepare(pcm_) == 0) return true;
  }
  std::fprintf(stderr, "wave output: ALSA device failed (%s); continuing without sound\n", snd_strerror(error));
  becomeLostLocked();
  return false;
}

void AlsaWaveOutStream::becomeLostLocked() {
  if (lost_) return;
  lost_ = true;
  hardwarePaused_ = false;
  const std::uint32_t now = clock_.milliseconds();
  pacer_.emplace(rate_ * frameBytes_, frameBytes_);
  if (paused_) pacer_->pause(now);
  // What reached the PCM counts as played; what did not is paced from now on.
  lostBaseBytes_ = framesWritten_ * frameBytes_;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    WaveHeader& header = *entries_[i].header;
    if (i < feedIndex_) {
      finishWaveHeader(header, loop_, window_);
    } else {
      pacer_->write(header, now);
    }
  }
  entries_.clear();
  feedIndex_ = 0;
  feedOffset_ = 0;
}

}  // namespace platform
