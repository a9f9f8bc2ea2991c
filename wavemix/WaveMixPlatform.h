#pragma once
// Everything the mixer needs from the machine, injected before WaveMixInit: the output
// devices, the loop that delivers window messages on the GUI thread, the millisecond clock,
// the "WAVEMIX.INI" profile and the program's module file name. The program installs the
// real ones; tests install a manual device, a queued loop, a manual clock and an in-memory
// profile. The referenced objects must outlive every session.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/core/MessageLoop.h"
#include "audio/ProfileIni.h"
#include "audio/WaveOutDevice.h"
#include "platform/core/Clock.h"

namespace wavemix {

struct WaveMixPlatform {
  platform::WaveOutSystem* waveOut = nullptr;
  platform::MessageLoop* messageLoop = nullptr;
  platform::Clock* clock = nullptr;
  platform::ProfileIni* profile = nullptr;
  // Fills the program's own file name; returns 0 or the system's error number. Unset means
  // the name is always obtainable.
  std::function<std::uint32_t(std::string& fileName)> moduleFileName = nullptr;
  // Run the mixing pump on a real-time thread of the mixer's own (see PumpThread.h) rather
  // than on the thread of the callback window. WaveMix* calls and notifications stay on the
  // caller's thread either way. Programs set it; tests leave it off and pump by hand.
  bool pumpThread = false;
};

// GUI thread; not while a session exists.
void WaveMixSetPlatform(const WaveMixPlatform& platform);
const WaveMixPlatform& WaveMixGetPlatform();

}  // namespace wavemix
