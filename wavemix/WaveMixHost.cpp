#include "wavemix/WaveMixHost.h"

#include "audio/IniFileProfile.h"
#include "audio/WaveOutFactory.h"
#include "wavemix/MixerState.h"
#include "wavemix/WaveMix.h"

namespace wavemix {

WaveMixHost::WaveMixHost() : clock_(platform::systemClock()) {
  devices_ = platform::createWaveOutSystem(clock_);
  install();
}

WaveMixHost::WaveMixHost(std::unique_ptr<platform::WaveOutSystem> devices, platform::Clock& clock)
    : clock_(clock), devices_(std::move(devices)) {
  install();
}

void WaveMixHost::install() {
  profile_ = platform::loadWaveMixIni();
  machine_ = {.waveOut = devices_.get(), .messageLoop = &loop_, .clock = &clock_, .profile = profile_.get()};
  notify_ = loop_.createWindow([this](const platform::Message& message) {
    if (message.id != kMessageWaveDone) return;
    ++ended_;
    if (onEnded_) onEnded_(static_cast<std::int32_t>(message.wParam));
  });
  WaveMixSetPlatform(machine_);
}

WaveMixHost::~WaveMixHost() {
  if (WaveMixSession* left = currentSession()) {
    try {
      WaveMixCloseSession(left);
    } catch (...) {
      // A destructor reports nothing; the device is closed either way.
    }
  }
  loop_.destroyWindow(notify_);
  WaveMixSetPlatform(WaveMixPlatform{});
}

void WaveMixHost::waitForEnds(int count) {
  loop_.runUntil([&] { return ended_ >= count; });
}

}  // namespace wavemix
