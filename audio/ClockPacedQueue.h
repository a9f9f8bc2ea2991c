#pragma once
// The play-out schedule of a device that has no hardware: written blocks "play" at the
// format's byte rate, measured on a millisecond clock. Pure bookkeeping with no thread and
// no clock of its own: every call takes the current time, so tests move time by hand.
//
// Not thread-safe: the owning stream serialises calls.
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "audio/WaveOutDevice.h"

namespace platform {

class ClockPacedQueue {
 public:
  // bytesPerSecond > 0; positions are rounded down to whole frames of frameBytes.
  ClockPacedQueue(std::uint32_t bytesPerSecond, std::uint32_t frameBytes);

  // Queues a block behind the others. A device that had run dry starts again at nowMs.
  void write(WaveHeader& header, std::uint32_t nowMs);
  void pause(std::uint32_t nowMs);
  void restart(std::uint32_t nowMs);
  bool paused() const { return paused_; }

  // Removes and returns, in write order, the blocks that have been played completely.
  std::vector<WaveHeader*> takeFinished(std::uint32_t nowMs);

  struct ResetResult {
    std::vector<WaveHeader*> dropped;  // every block still queued, in write order
    std::uint32_t headPlayedBytes = 0; // how much of dropped.front() had been played
  };
  // Drops every queued block and sets the position back to 0. The pause state is kept.
  ResetResult reset(std::uint32_t nowMs);

  // Bytes played since construction or the last reset (modulo 2^32).
  std::uint32_t position(std::uint32_t nowMs) const;

  // Milliseconds until the next block is played completely; nullopt when nothing will
  // finish without a further call (empty, or paused).
  std::optional<std::uint32_t> msUntilNextFinish(std::uint32_t nowMs) const;

  bool empty() const { return blocks_.empty(); }

 private:
  struct Block {
    WaveHeader* header;
    std::uint64_t endByte;  // exclusive, counted from the last reset
  };
  std::uint64_t playedAt(std::uint32_t nowMs) const;

  std::uint32_t bytesPerSecond_;
  std::uint32_t frameBytes_;
  std::deque<Block> blocks_;
  std::uint64_t queuedEnd_ = 0;    // end of the last written block
  std::uint64_t anchorBytes_ = 0;  // bytes played at anchorMs_
  std::uint32_t anchorMs_ = 0;
  bool running_ = false;  // time advances the position
  bool paused_ = false;
};

}  // namespace platform
