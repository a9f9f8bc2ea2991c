#pragma once
// An open device without hardware: blocks are finished when the clock says they have been
// played (ClockPacedQueue), optionally handing every played byte to a sink (the WAV file
// device). The null and file devices are this stream with different sinks.
//
// Pacing: with PacingDriver::OwnThread a thread waits (condition variable, timed) until the
// next block is due and finishes it; the clock must then be safe to read from any thread
// (systemClock()). With PacingDriver::Caller nothing runs by itself: the owner calls
// finishDueBlocks() after moving its (manual) clock, which is how tests drive the device.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "audio/ClockPacedQueue.h"
#include "audio/WaveOutDevice.h"
#include "platform/core/Clock.h"

namespace platform {

enum class PacingDriver { OwnThread, Caller };

class ClockPacedStream final : public WaveOutStream {
 public:
  // Receives the bytes of a block as it is played: whole blocks when finished, the played
  // head of a block dropped by reset. Called on the pacing thread, under the stream's lock.
  using PlayedSink = std::function<void(const std::uint8_t* data, std::size_t bytes)>;

  // format must be plain PCM (isPlainPcm).
  ClockPacedStream(const PcmFormat& format, Clock& clock, MessageLoop& loop, WindowHandle window,
                   PacingDriver driver, PlayedSink sink = {});
  ~ClockPacedStream() override;

  DeviceResult prepareHeader(WaveHeader& header) override;
  DeviceResult unprepareHeader(WaveHeader& header) override;
  DeviceResult write(WaveHeader& header) override;
  DeviceResult pause() override;
  DeviceResult restart() override;
  DeviceResult reset() override;
  DeviceResult position(std::uint32_t& bytes) override;

  // Finishes (done flag, done message, sink) every block played by the clock's now.
  // Returns how many were finished.
  std::size_t finishDueBlocks();

 private:
  std::size_t finishDueBlocksLocked();
  void resetLocked();
  void pacingThreadMain();

  Clock& clock_;
  MessageLoop& loop_;
  WindowHandle window_;
  PlayedSink sink_;
  std::mutex mutex_;
  std::condition_variable wake_;
  ClockPacedQueue queue_;
  bool stopping_ = false;
  std::thread pacingThread_;
};

}  // namespace platform
