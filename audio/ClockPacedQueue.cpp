#include "audio/ClockPacedQueue.h"

#include <algorithm>

namespace platform {

ClockPacedQueue::ClockPacedQueue(std::uint32_t bytesPerSecond, std::uint32_t frameBytes)
    : bytesPerSecond_(bytesPerSecond == 0 ? 1 : bytesPerSecond), frameBytes_(frameBytes == 0 ? 1 : frameBytes) {}

std::uint64_t ClockPacedQueue::playedAt(std::uint32_t nowMs) const {
  if (!running_) return anchorBytes_;
  // Unsigned difference: the clock wraps modulo 2^32.
  const std::uint64_t elapsedMs = static_cast<std::uint32_t>(nowMs - anchorMs_);
  std::uint64_t played = anchorBytes_ + elapsedMs * bytesPerSecond_ / 1000;
  played -= played % frameBytes_;
  return std::min(played, queuedEnd_);
}

void ClockPacedQueue::write(WaveHeader& header, std::uint32_t nowMs) {
  if (running_ && playedAt(nowMs) >= queuedEnd_) {
    // Ran dry earlier: this block starts now, not at the moment the device went quiet.
    anchorBytes_ = queuedEnd_;
    anchorMs_ = nowMs;
  } else if (!running_ && !paused_) {
    anchorMs_ = nowMs;
    running_ = true;
  }
  queuedEnd_ += header.bufferLength;
  blocks_.push_back(Block{&header, queuedEnd_});
}

void ClockPacedQueue::pause(std::uint32_t nowMs) {
  if (paused_) return;
  anchorBytes_ = playedAt(nowMs);
  running_ = false;
  paused_ = true;
}

void ClockPacedQueue::restart(std::uint32_t nowMs) {
  if (!paused_) return;
  paused_ = false;
  anchorMs_ = nowMs;
  running_ = anchorBytes_ < queuedEnd_;
}

std::vector<WaveHeader*> ClockPacedQueue::takeFinished(std::uint32_t nowMs) {
  const std::uint64_t played = playedAt(nowMs);
  std::vector<WaveHeader*> finished;
  while (!blocks_.empty() && blocks_.front().endByte <= played) {
    finished.push_back(blocks_.front().header);
    blocks_.pop_front();
  }
  if (running_ && played >= queuedEnd_) {
    // Everything played: stop the clock so that the position stays put while idle.
    anchorBytes_ = played;
    running_ = false;
  }
  return finished;
}

ClockPacedQueue::ResetResult ClockPacedQueue::reset(std::uint32_t nowMs) {
  ResetResult result;
  const std::uint64_t played = playedAt(nowMs);
  for (const Block& block : blocks_) {
    if (result.dropped.empty()) {
      const std::uint64_t start = block.endByte - block.header->bufferLength;
      if (played > start) result.headPlayedBytes = static_cast<std::uint32_t>(std::min(played, block.endByte) - start);
    }
    result.dropped.push_back(block.header);
  }
  blocks_.clear();
  queuedEnd_ = 0;
  anchorBytes_ = 0;
  anchorMs_ = nowMs;
  running_ = false;
  return result;
}

std::uint32_t ClockPacedQueue::position(std::uint32_t nowMs) const {
  return static_cast<std::uint32_t>(playedAt(nowMs));
}

std::optional<std::uint32_t> ClockPacedQueue::msUntilNextFinish(std::uint32_t nowMs) const {
  if (blocks_.empty()) return std::nullopt;
  const std::uint64_t played = playedAt(nowMs);
  if (blocks_.front().endByte <= played) return 0;
  if (!running_) return std::nullopt;
  // The first millisecond (since the anchor) at which playedAt, which counts whole frames,
  // covers the block's end. At least 1 ms: the block is known not to be finished yet.
  std::uint64_t need = blocks_.front().endByte;
  need += (frameBytes_ - need % frameBytes_) % frameBytes_;
  const std::uint64_t dueMs = ((need - anchorBytes_) * 1000 + bytesPerSecond_ - 1) / bytesPerSecond_;
  const std::uint64_t elapsedMs = static_cast<std::uint32_t>(nowMs - anchorMs_);
  return static_cast<std::uint32_t>(dueMs > elapsedMs ? dueMs - elapsedMs : 1);
}

}  // namespace platform
