#pragma once
// The program's real objects for the window: the system clock, the two generators and the
// cues on the mixer and the synthesizer.
#include <cstdint>
#include <filesystem>
#include <optional>

#include "game/core/GameRandom.h"
#include "game/view/MixerCues.h"
#include "game/view/TForm1.h"

namespace game {

class ProgramObjects {
 public:
  // seed: --seed N for a replay; none: the system clock's milliseconds. Make it after
  // startSound (the mixer's machine) on the GUI thread, and keep it longer than the window.
  ProgramObjects(const std::filesystem::path& assetRoot, std::optional<std::uint64_t> seed);

  GameDevices devices();

 private:
  GameRandom random_;
  MixerCues cues_;
};

}  // namespace game
