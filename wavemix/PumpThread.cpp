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
  if (message.id == kMessageWaveDone) wake();
  return true;
}

void PumpThread::wake() {
  {
    std::lock_guard lock(mutex_);
    due_ = true;
  }
  wake_.notify_one();
}

void PumpThread::run() {
  // Mixing a block takes microseconds, and the only lock this thread waits for (the mixer
  // lock) is held for no longer and inherits priority, so the pump may run ahead of
  // ordinary threads.
  platform::requestRealtimePriority();
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return due_ || stopping_; });
    if (stopping_) return;
    due_ = false;
    lock.unlock();
    // Never waits for the GUI thread's device calls: a held device lock means a WaveMix*
    // call is at the device, and it wakes this thread again when it is done.
    if (deviceLock().try_lock()) {
      const std::lock_guard device(deviceLock(), std::adopt_lock);
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
