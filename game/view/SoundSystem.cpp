#include "game/view/SoundSystem.h"

#include <memory>

#include "platform/QtMessageLoop.h"
#include "audio/IniFileProfile.h"
#include "audio/WaveOutFactory.h"
#include "platform/core/Clock.h"
#include "wavemix/WaveMixPlatform.h"

namespace game {
namespace {

// Lives until the process ends: device threads and the mixer session may still reach it
// while static objects are destroyed, so it is deliberately never deleted.
struct SoundMachine {
  std::unique_ptr<platform::WaveOutSystem> devices;
  platform::QtMessageLoop loop;
  std::unique_ptr<platform::ProfileIni> profile;
};

}  // namespace

std::filesystem::path mixerSettingsFile(const std::filesystem::path& shippedIni) {
  std::filesystem::path own = platform::locateWaveMixIni();
  if (!own.empty()) return own;
  std::error_code error;
  if (!shippedIni.empty() && std::filesystem::is_regular_file(shippedIni, error)) return shippedIni;
  return {};
}

bool startSound(const std::filesystem::path& shippedIni) {
  try {
    static SoundMachine* machine = nullptr;
    if (machine) return true;
    auto fresh = std::make_unique<SoundMachine>();
    fresh->devices = platform::createWaveOutSystem(platform::systemClock());
    const std::filesystem::path settings = mixerSettingsFile(shippedIni);
    fresh->profile = settings.empty() ? std::make_unique<platform::IniFileProfile>()
                                      : std::make_unique<platform::IniFileProfile>(
                                            platform::IniFileProfile::fromFile(settings));
    if (!fresh->devices || !fresh->profile) return false;
    wavemix::WaveMixSetPlatform({.waveOut = fresh->devices.get(),
                                 .messageLoop = &fresh->loop,
                                 .clock = &platform::systemClock(),
                                 .profile = fresh->profile.get(),
                                 // blocks keep coming while the GUI thread is busy
                                 .pumpThread = true});
    machine = fresh.release();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace game
