#pragma once
// One output block: a device header over the block's own data area plus the mixer's fields.
// Six exist while the device is open; only the first blockCount are used.
#include <cstdint>

#include "audio/WaveOutDevice.h"

namespace wavemix {

struct WaveMixSession;

struct OutputBlock {
  static constexpr std::int32_t kCapacity = 4096;
  static constexpr int kBlocks = 6;

  platform::WaveHeader header;
  bool available = true;
  std::int32_t startPos = 0;  // mixPosition at which this block's audio begins
  WaveMixSession* session = nullptr;
  OutputBlock* next = nullptr;  // next block of the playing queue
  std::uint8_t data[kCapacity] = {};
};

}  // namespace wavemix
