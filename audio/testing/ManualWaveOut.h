#pragma once
// Output devices for tests: nothing plays until the test says so. Blocks complete in write
// order when the test calls completeNext()/completeAll()/playBytes(), the byte position grows
// by exactly what was completed, and every block written and every byte played is kept so
// that a test can compare the mixer's output with expected bytes.
//
// Threading: single-threaded, like the mixer. Done messages are posted through the loop given
// to open(), so they arrive when the test pumps that loop.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "audio/WaveOutDevice.h"

namespace platform {

struct ManualDeviceSpec {
  std::string name = "Manual Wave Out";
  std::uint16_t channels = 2;
  bool synchronous = false;
};

class ManualWaveOutSystem;

class ManualWaveOutStream final : public WaveOutStream {
 public:
  struct Written {
    const WaveHeader* header;
    std::vector<std::uint8_t> bytes;  // copy of the block at write time
  };

  ManualWaveOutStream(ManualWaveOutSystem& system, std::int32_t id, const PcmFormat& format,
                      MessageLoop& loop, WindowHandle callbackWindow);
  ~ManualWaveOutStream() override;

  DeviceResult prepareHeader(WaveHeader& header) override;
  DeviceResult unprepareHeader(WaveHeader& header) override;
  DeviceResult write(WaveHeader& header) override;
  DeviceResult pause() override;
  DeviceResult restart() override;
  DeviceResult reset() override;
  DeviceResult position(std::uint32_t& bytes) override;

  // Plays the rest of the oldest queued block. False when paused or nothing is queued.
  bool completeNext();
  // Plays every block queued now (not those written in response). Returns how many.
  std::size_t completeAll();
  // Plays up to `bytes` bytes; blocks finished on the way are marked done. Returns bytes
  // actually played (less when the queue runs dry; 0 while paused).
  std::uint32_t playBytes(std::uint32_t bytes);

  const std::vector<std::uint8_t>& played() const { return played_; }
  const std::vector<Written>& writes() const { return writes_; }
  // "write", "pause", "restart", "reset" in call order.
  const std::vector<std::string>& events() const { return events_; }
  std::size_t queuedCount() const { return queue_.size(); }
  bool paused() const { return paused_; }
  std::int32_t deviceId() const { return id_; }
  const PcmFormat& format() const { return format_; }
  // Forgets what was played and written so far (long runs that check nothing afterwards).
  void clearRecords();
  // The next write fails with `result` (and every later one too when `sticky`).
  void failWrites(DeviceResult result, bool sticky = false);
  // From now on the stream reports itself lost (it goes on keeping blocks as before).
  void loseDevice() { lost_ = true; }
  bool lost() const override { return lost_; }

 private:
  void markDone(WaveHeader& header);

  ManualWaveOutSystem& system_;
  std::int32_t id_;
  PcmFormat format_;
  MessageLoop& loop_;
  WindowHandle window_;
  std::deque<WaveHeader*> queue_;
  std::uint32_t headPlayed_ = 0;  // bytes of queue_.front() already played
  std::uint32_t position_ = 0;
  bool paused_ = false;
  std::vector<std::uint8_t> played_;
  std::vector<Written> writes_;
  std::vector<std::string> events_;
  DeviceResult writeFailure_ = kDeviceOk;
  bool writeFailureSticky_ = false;
  bool lost_ = false;
};

class ManualWaveOutSystem final : public WaveOutSystem {
 public:
  explicit ManualWaveOutSystem(std::vector<ManualDeviceSpec> devices = {ManualDeviceSpec{}});

  std::uint32_t deviceCount() override;
  DeviceResult capabilities(std::int32_t id, WaveOutCaps& caps) override;
  DeviceResult queryFormat(std::int32_t id, const PcmFormat& format) override;
  DeviceResult open(std::int32_t id, const PcmFormat& format, MessageLoop& loop,
                    WindowHandle callbackWindow, std::unique_ptr<WaveOutStream>& stream) override;

  // Failure injection; kDeviceOk restores normal behaviour.
  void setCapabilitiesResult(DeviceResult result) { capsResult_ = result; }
  void setQueryFormatResult(DeviceResult result) { queryResult_ = result; }
  void setOpenResult(DeviceResult result) { openResult_ = result; }
  // prepareHeader fails with `result` once `successes` more headers have been prepared.
  void failPrepareAfter(int successes, DeviceResult result);
  // Every stream's write fails with `result` once `successes` more blocks have been written
  // (-1: never), for faults that come before a test can reach the stream.
  void failWritesAfter(int successes, DeviceResult result);

  // The stream currently open (null when none).
  ManualWaveOutStream* stream() const { return stream_; }
  int openCount() const { return openCount_; }
  int queryCount() const { return queryCount_; }
  std::int32_t lastQueriedId() const { return lastQueriedId_; }

 private:
  friend class ManualWaveOutStream;
  std::vector<ManualDeviceSpec> devices_;
  ManualWaveOutStream* stream_ = nullptr;
  DeviceResult capsResult_ = kDeviceOk;
  DeviceResult queryResult_ = kDeviceOk;
  DeviceResult openResult_ = kDeviceOk;
  int prepareSuccessesLeft_ = -1;  // -1: never fail
  DeviceResult prepareFailure_ = kDeviceOk;
  int writeSuccessesLeft_ = -1;  // -1: never fail
  DeviceResult writesFailure_ = kDeviceOk;
  int openCount_ = 0;
  int queryCount_ = 0;
  std::int32_t lastQueriedId_ = 0;
};

}  // namespace platform
