#pragma once
// What the profile ("WAVEMIX.INI") and the caller's configuration choose for a new session.
// Reading them is pure, apart from the profile itself, so tests call it with a profile of
// their own.
#include <cstdint>
#include <string>

#include "audio/ProfileIni.h"
#include "audio/WaveOutDevice.h"
#include "wavemix/WaveMixTypes.h"

namespace wavemix {

struct SessionSettings {
  bool shiftToMixPosition = false;  // "Remix" = 2; otherwise remixing from the play position
  std::uint8_t goodWavePos = 0;     // 1: play position from the device, else from the clock
  std::int32_t blockCount = 0;      // output blocks kept at the device, 2..6
  platform::PcmFormat format;       // 8-bit PCM, mono or stereo, 11025, 22050 or 44100 Hz
  std::int32_t blockLength = 0;     // bytes per output block, whole frames, 512..4096
};

// `section` is the device's name, under which its own keys override [default];
// `deviceChannels` is what the device says it can play (0 when it did not say). A config of
// another size than kWaveMixConfigSize is ignored.
SessionSettings readSettings(const platform::ProfileIni& ini, const WaveMixConfig* config,
                             const std::string& section, std::uint16_t deviceChannels);

// The device the [general] "WaveOutDevice" key names; any number that names no device,
// negative ones included, gives platform::kWaveMapper (the default device).
std::int32_t chooseDevice(const platform::ProfileIni& ini, std::uint32_t deviceCount);

}  // namespace wavemix
