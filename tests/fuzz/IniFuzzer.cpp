// The mixer's settings reader (WAVEMIX.INI) on arbitrary bytes, then every lookup the mixer
// makes. Run with -close_fd_mask=2: each broken input writes its one line to stderr.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "audio/IniFileProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const platform::IniFileProfile profile = platform::IniFileProfile::fromBytes(
      std::string_view(reinterpret_cast<const char*>(data), size), "WAVEMIX.INI");
  for (const char* section : {"general", "default", "ALSA default", "not compatible"}) {
    for (const char* key : {"WaveOutDevice", "Remix", "WaveBlocks", "WaveBlockLen", "SamplesPerSec",
                            "GoodWavePos", "ShowDevices", "Channels"}) {
      profile.getInt(section, key, 7);
    }
  }
  return 0;
}
