#include "audio/ClockPacedStream.h"

#include <chrono>

#include "audio/WaveHeaderFlags.h"

namespace platform {

ClockPacedStream::ClockPacedStream(const PcmFormat& format, Clock& clock, MessageLoop& loop,
                                   WindowHandle window, PacingDriver driver, PlayedSink sink)
    : clock_(clock),
      loop_(loop),
      window_(window),
      sink_(std::move(sink)),
      queue_(format.avgBytesPerSec, format.blockAlign) {
  if (driver == PacingDriver::OwnThread) pacingThread_ = std::thread([this] { pacingThreadMain(); });
}

ClockPacedStream::~ClockPacedStream() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    resetLocked();
  }
  wake_.notify_all();
  if (pacingThread_.joinable()) pacingThread_.join();
}

DeviceResult ClockPacedStream::prepareHeader(WaveHeader& header) { return prepareWaveHeader(header); }

DeviceResult ClockPacedStream::unprepareHeader(WaveHeader& header) { return unprepareWaveHeader(header); }

DeviceResult ClockPacedStream::write(WaveHeader& header) {
  {
    std::lock_guard lock(mutex_);
    if (DeviceResult result = acceptWrittenHeader(header); result != kDeviceOk) return result;
    queue_.write(header, clock_.milliseconds());
  }
  wake_.notify_all();
  return kDeviceOk;
}

DeviceResult ClockPacedStream::pause() {
  std::lock_guard lock(mutex_);
  queue_.pause(clock_.milliseconds());
  return kDeviceOk;
}

DeviceResult ClockPacedStream::restart() {
  {
    std::lock_guard lock(mutex_);
    queue_.restart(clock_.milliseconds());
  }
  wake_.notify_all();
  return kDeviceOk;
}

DeviceResult ClockPacedStream::reset() {
  {
    std::lock_guard lock(mutex_);
    resetLocked();
  }
  wake_.notify_all();
  return kDeviceOk;
}

void ClockPacedStream::resetLocked() {
  // Blocks that finished before the reset keep their place in the output, in order.
  finishDueBlocksLocked();
  ClockPacedQueue::ResetResult dropped = queue_.reset(clock_.milliseconds());
  if (sink_ && !dropped.dropped.empty() && dropped.headPlayedBytes > 0)
    sink_(dropped.dropped.front()->data, dropped.headPlayedBytes);
  for (WaveHeader* header : dropped.dropped) finishWaveHeader(*header, loop_, window_);
}

DeviceResult ClockPacedStream::position(std::uint32_t& bytes) {
  std::lock_guard lock(mutex_);
  bytes = queue_.position(clock_.milliseconds());
  return kDeviceOk;
}

std::size_t ClockPacedStream::finishDueBlocks() {
  std::lock_guard lock(mutex_);
  return finishDueBlocksLocked();
}

std::size_t ClockPacedStream::finishDueBlocksLocked() {
  const std::vector<WaveHeader*> finished = queue_.takeFinished(clock_.milliseconds());
  for (WaveHeader* header : finished) {
    if (sink_) sink_(header->data, header->bufferLength);
    finishWaveHeader(*header, loop_, window_);
  }
  return finished.size();
}

void ClockPacedStream::pacingThreadMain() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    finishDueBlocksLocked();
    const std::optional<std::uint32_t> waitMs = queue_.msUntilNextFinish(clock_.milliseconds());
    if (waitMs) {
      wake_.wait_for(lock, std::chrono::milliseconds(*waitMs));
    } else {
      wake_.wait(lock);
    }
  }
}

}  // namespace platform
