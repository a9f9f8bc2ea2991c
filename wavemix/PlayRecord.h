#pragma once
// One scheduled play: a node of a channel's chain, of the pending list or of the free pool.
#include <cstdint>

#include "wavemix/WaveMixTypes.h"

namespace wavemix {

struct PlayRecord {
  PlayRecord* next = nullptr;
  PlayParams params;  // channel holds the channel actually used
  WaveMixWave* wave = nullptr;
  std::int32_t length = 0;    // bytes of wave data
  std::int32_t startPos = 0;  // bytes, session format
  std::int32_t endPos = 0;    // exclusive; kNeverEnds = never
  const std::uint8_t* data = nullptr;
};

}  // namespace wavemix
