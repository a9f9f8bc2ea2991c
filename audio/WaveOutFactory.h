#pragma once
// Chooses the wave output devices from WAVEMIX_OUTPUT:
//   unset, empty or "alsa"  ALSA (AlsaWaveOut) behind FallbackWaveOut: a device that does
//                           not open (even at the start, with no sound server yet) plays
//                           silently on the null device until it opens
//   "null"                  the silent, clock-paced device (NullWaveOut)
//   "file:PATH"             the clock-paced device that records to the WAV file PATH
// Any other value (including "file:" with no path) is reported on stderr and treated as
// "alsa": a typo must not silence the program or create a file nobody asked for.
#include <memory>
#include <string>

#include "audio/WaveOutDevice.h"
#include "platform/core/Clock.h"

namespace platform {

struct WaveOutChoice {
  enum class Kind { Alsa, Null, File };
  Kind kind = Kind::Alsa;
  std::string filePath;  // for Kind::File
  std::string warning;   // non-empty when the value was not understood
};

// Reads a WAVEMIX_OUTPUT value (nullptr = unset).
WaveOutChoice parseWaveOutChoice(const char* value);

// clock: thread-safe (systemClock()) and outliving the system; device threads read it.
std::unique_ptr<WaveOutSystem> createWaveOutSystem(const WaveOutChoice& choice, Clock& clock);
// The same, with the choice read from the environment; a warning goes to stderr.
std::unique_ptr<WaveOutSystem> createWaveOutSystem(Clock& clock);

}  // namespace platform
