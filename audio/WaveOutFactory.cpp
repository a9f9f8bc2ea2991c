#include "audio/WaveOutFactory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "audio/AlsaWaveOut.h"
#include "audio/FallbackWaveOut.h"
#include "audio/FileWaveOut.h"
#include "audio/NullWaveOut.h"

namespace platform {

WaveOutChoice parseWaveOutChoice(const char* value) {
  WaveOutChoice choice;
  if (value == nullptr || *value == '\0' || std::strcmp(value, "alsa") == 0) return choice;
  if (std::strcmp(value, "null") == 0) {
    choice.kind = WaveOutChoice::Kind::Null;
    return choice;
  }
  if (std::strncmp(value, "file:", 5) == 0 && value[5] != '\0') {
    choice.kind = WaveOutChoice::Kind::File;
    choice.filePath = value + 5;
    return choice;
  }
  choice.warning = std::string("WAVEMIX_OUTPUT=") + value + " is not alsa, null or file:PATH; using alsa";
  return choice;
}

std::unique_ptr<WaveOutSystem> createWaveOutSystem(const WaveOutChoice& choice, Clock& clock) {
  switch (choice.kind) {
    case WaveOutChoice::Kind::Null:
      return std::make_unique<NullWaveOut>(clock);
    case WaveOutChoice::Kind::File:
      return std::make_unique<FileWaveOut>(choice.filePath, clock);
    case WaveOutChoice::Kind::Alsa:
      break;
  }
  // Also when no PCM opens now: the streams then play silently and try again at most once
  // a second while they play, so a sound server started after the program is found.
  return std::make_unique<FallbackWaveOut>(std::make_unique<AlsaWaveOut>(clock), std::make_unique<NullWaveOut>(clock), clock);
}

std::unique_ptr<WaveOutSystem> createWaveOutSystem(Clock& clock) {
  const WaveOutChoice choice = parseWaveOutChoice(std::getenv("WAVEMIX_OUTPUT"));
  if (!choice.warning.empty()) std::fprintf(stderr, "wave output: %s\n", choice.warning.c_str());
  return createWaveOutSystem(choice, clock);
}

}  // namespace platform
