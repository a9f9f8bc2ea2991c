#include "game/view/ProgramObjects.h"

#include <memory>

#include "platform/core/Clock.h"
#include "platform/music/FluidMidiSynth.h"

namespace game {

ProgramObjects::ProgramObjects(const std::filesystem::path& assetRoot,
                               std::optional<std::uint64_t> seed)
    : random_(seed ? *seed : static_cast<std::uint64_t>(platform::systemClock().wallMilliseconds())),
      cues_(assetRoot / "dat", std::make_unique<platform::FluidMidiSynth>()) {}

GameDevices ProgramObjects::devices() {
  return {platform::systemClock(), random_.readings, random_.tremble, cues_};
}

}  // namespace game
