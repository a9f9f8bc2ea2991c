#include "wavemix/PumpThread.h"

#include "audio/RealtimePriority.h"
#include "wavemix/MixerState.h"

namespace wavemix {

void PumpThread::start() {
  if (thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = false;
    due_ = true;  // a first sweep, for anything finished before the thread ran
  }
  thread_ = std::thread([this] { run(); });
}

void PumpThread::stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

bool PumpThread::post(platform::WindowHandle window, const platform::Message& message) {
  if (window != kWindow) return false;
  if (message.id != kMessageWaveDone) return true;
  {
    std::lock_guard lock(mutex_);
    due_ = true;
  }
  wake_.notify_one();
  return true;
}

void PumpThread::run() {
  // Mixing a block takes microseconds and nothing here waits on the GUI thread for longer
  // than one WaveMix* call, so the pump may run ahead of ordinary threads.
  platform::requestRealtimePriority();
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return due_ || stopping_; });
    if (stopping_) return;
    due_ = false;
    lock.unlock();
    {
      std::lock_guard mixer(mixerLock());
      try {
        PumpBlocks();
      } catch (...) {
        // As on the callback window: a block the device refuses means it is gone.
        if (WaveMixSession* owner = mixerState().deviceOwner) owner->deviceLost = true;
      }
    }
    lock.lock();
  }
}

}  // namespace wavemix
