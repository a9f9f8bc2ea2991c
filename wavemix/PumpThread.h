#pragma once
// The mixing pump on a real-time thread of its own, for programs that ask for it
// (WaveMixPlatform::pumpThread).
//
// Why: with the pump on the GUI thread, every block must wait until the GUI thread is
// scheduled; on a busy desktop that is sometimes more than 100 ms, longer than the few
// tens of milliseconds of sound a short block setup keeps queued, and the sound drops out.
// Here the device's done messages go to this object instead of the callback window, and
// the thread runs PumpBlocks with the device lock (see MixerState.h for the locks). It only
// tries that lock: while a WaveMix* call on the GUI thread holds it, the pass is skipped and
// the call wakes the thread again when it lets go. WaveMix* calls stay on the caller's (GUI)
// thread, and end-of-play notifications are still posted to the notify windows, so they
// arrive on the GUI thread as before.
//
// The object is the device's MessageLoop: post() only records that a sweep is due (the pump
// sweeps every block anyway), so a device may post from any thread and under its own lock.
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/core/MessageLoop.h"

namespace wavemix {

class PumpThread final : public platform::MessageLoop {
 public:
  static constexpr platform::WindowHandle kWindow = 1;

  ~PumpThread() override { stop(); }

  // Starts the thread (once; again after stop). GUI thread.
  void start();
  // Stops and joins the thread. Must not be called with the mixer lock held: the thread
  // may be waiting for it. GUI thread.
  void stop();
  // GUI thread.
  bool running() const { return thread_.joinable(); }
  // Asks for a pass, as a done message does. Any thread.
  void wake();

  platform::WindowHandle createWindow(Handler) override { return kWindow; }
  void destroyWindow(platform::WindowHandle) override {}
  bool post(platform::WindowHandle window, const platform::Message& message) override;

 private:
  void run();

  std::mutex mutex_;
  std::condition_variable wake_;
  bool due_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace wavemix
