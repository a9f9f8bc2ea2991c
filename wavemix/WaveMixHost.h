#pragma once
// Everything a program without a GUI toolkit sets up before WaveMixInit, in one object:
// the output devices chosen by WAVEMIX_OUTPUT, the "WAVEMIX.INI" profile, the system clock
// and a blocking message loop on the constructing thread, installed with WaveMixSetPlatform.
// It also owns one notification window that counts the plays that have ended.
//
//   wavemix::WaveMixHost host;
//   ... WaveMixInit, WaveMixOpenChannel, WaveMixOpenWave, WaveMixActivate ...
//   play.notifyWindow = host.notifyWindow();
//   wavemix::WaveMixPlay(&play);
//   host.waitForEnds(1);
//
// Threading: construct, use and destroy it on one thread; that thread calls every WaveMix
// function and receives every notification. At most one host exists at a time.
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/core/BlockingMessageLoop.h"
#include "audio/ProfileIni.h"
#include "audio/WaveOutDevice.h"
#include "platform/core/Clock.h"
#include "wavemix/WaveMixPlatform.h"

namespace wavemix {

class WaveMixHost {
 public:
  // Devices from the environment (a bad WAVEMIX_OUTPUT is reported on stderr and read as
  // "alsa"), the profile from locateWaveMixIni(), the system clock.
  WaveMixHost();
  // The given devices (which must outlive nothing but the host) and clock instead.
  WaveMixHost(std::unique_ptr<platform::WaveOutSystem> devices, platform::Clock& clock);
  // Closes a session that is still open (its failures are swallowed), then uninstalls the
  // platform, so that an early return or an exception cannot leave a device thread running
  // on freed devices.
  ~WaveMixHost();
  WaveMixHost(const WaveMixHost&) = delete;
  WaveMixHost& operator=(const WaveMixHost&) = delete;

  // The window to give as PlayParams::notifyWindow.
  platform::WindowHandle notifyWindow() const { return notify_; }
  // Plays that have ended so far with notifyWindow().
  int endedCount() const { return ended_; }
  // Called on this thread with the channel of each play that ends (after counting it).
  void onEnded(std::function<void(std::int32_t channel)> callback) { onEnded_ = std::move(callback); }
  // Runs the message loop, sleeping between messages, until `count` plays in all have ended
  // since the host was made. Returns at once when they already have.
  void waitForEnds(int count);

  platform::BlockingMessageLoop& loop() { return loop_; }
  const WaveMixPlatform& machine() const { return machine_; }

 private:
  void install();

  platform::Clock& clock_;
  std::unique_ptr<platform::WaveOutSystem> devices_;
  std::unique_ptr<platform::ProfileIni> profile_;
  platform::BlockingMessageLoop loop_;
  WaveMixPlatform machine_;
  platform::WindowHandle notify_ = 0;
  int ended_ = 0;
  std::function<void(std::int32_t)> onEnded_;
};

}  // namespace wavemix
