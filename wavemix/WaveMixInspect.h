#pragma once
// A read-only view of the mixer's scheduling state, for tests and diagnostic tools.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "wavemix/WaveMixTypes.h"

namespace wavemix {

struct ScheduledPlay {
  WaveMixWave* wave = nullptr;
  std::int32_t startPos = 0;
  std::int32_t endPos = 0;
  std::uint16_t loops = 0;
  platform::WindowHandle notifyWindow = 0;
};

struct MixerSnapshot {
  bool channelOpen[kChannelCount] = {};
  std::vector<ScheduledPlay> chains[kChannelCount];
  std::size_t pendingPlays = 0;
  std::size_t freePlayRecords = 0;
  std::size_t queuedBlocks = 0;  // blocks in the playing queue
  std::int32_t mixPosition = 0;
};

// The session must be valid (raises otherwise).
MixerSnapshot WaveMixInspect(HMixSession session);
// The play position as the mixer reads it (device or clock, per goodWavePos).
std::int32_t WaveMixPlayPosition(HMixSession session);

}  // namespace wavemix
