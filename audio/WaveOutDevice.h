#pragma once
// The wave audio output device the mixer plays through, shaped like a classic block-queue
// device: the caller prepares headers for its own buffers, writes them in order, and is told
// when each has been played by a done message posted to a callback window.
//
// Loss, recovery and silence have one owner: FallbackWaveOut (FallbackWaveOut.h), the layer
// every real stream is opened through. A device stream only reports lost() and keeps its
// blocks finishing on time; FallbackWaveOut decides what happens next (play silently on the
// null device, reopen the real device at intervals, switch back when it opens). The mixer
// above sees only a stream that keeps time, whether it is heard or not.
//
// Quiet when idle: a stream with no block queued has nothing running: no silence is
// written, no thread wakes up periodically (ALSA stops the PCM once its last block played).
//
// Threading: the member functions are called from one thread at a time: the GUI thread,
// or the mixer's pump thread when the program runs one, the two serialised by the mixer's
// device lock. An implementation that plays on a thread of its own (ALSA) touches a written header
// only to set its done flag, and tells the caller only by posting through the MessageLoop
// (which may run the pump on the pump thread instead of a GUI window).
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/MessageLoop.h"

namespace platform {

// PCM format record: 16 bytes, as stored in a RIFF "fmt " chunk.
struct PcmFormat {
  std::uint16_t formatTag = 1;  // 1 = PCM
  std::uint16_t channels = 1;
  std::uint32_t samplesPerSec = 11025;
  std::uint32_t avgBytesPerSec = 11025;
  std::uint16_t blockAlign = 1;
  std::uint16_t bitsPerSample = 8;
};
static_assert(sizeof(PcmFormat) == 16);

// Header flags (bit values).
inline constexpr std::uint32_t kHeaderDone = 0x01;      // the device has finished with the block
inline constexpr std::uint32_t kHeaderPrepared = 0x02;  // prepared with prepareHeader
inline constexpr std::uint32_t kHeaderInQueue = 0x10;   // written and not yet done

// One buffer handed to the device. The caller owns the header and its data; both must stay
// valid from write until the done flag is seen (or until reset/close).
struct WaveHeader {
  std::uint8_t* data = nullptr;
  std::uint32_t bufferLength = 0;  // bytes
  std::uint32_t flags = 0;         // kHeader* bits; kHeaderDone is set by the device
};

inline constexpr std::uint32_t kCapsSync = 0x0002;  // a synchronous (blocking) device

struct WaveOutCaps {
  std::string productName;  // at most 31 characters
  std::uint16_t channels = 2;
  std::uint32_t support = 0;  // kCaps* bits
};

// Result codes: 0 = success, otherwise a platform error number (shown in error texts).
using DeviceResult = std::uint32_t;
inline constexpr DeviceResult kDeviceOk = 0;
inline constexpr DeviceResult kDeviceError = 1;       // unspecified error
inline constexpr DeviceResult kDeviceBadId = 2;       // no such device
inline constexpr DeviceResult kDeviceAllocated = 4;   // already open
inline constexpr DeviceResult kDeviceNoMemory = 7;
inline constexpr DeviceResult kDeviceBadFormat = 32;  // format not supported
inline constexpr DeviceResult kDeviceStillPlaying = 33;
inline constexpr DeviceResult kDeviceUnprepared = 34;

inline constexpr std::int32_t kWaveMapper = -1;  // "the system's default device"

// The done message a device posts to its callback window for every finished block:
// wParam = 0, lParam = the WaveHeader pointer.
inline constexpr std::uint32_t kMessageWaveDone = 0x3BD;

// An opened device. Destroying it closes it (after an implicit reset).
class WaveOutStream {
 public:
  virtual ~WaveOutStream() = default;
  virtual DeviceResult prepareHeader(WaveHeader& header) = 0;
  virtual DeviceResult unprepareHeader(WaveHeader& header) = 0;
  // Queues a prepared header behind the ones already written. Playback starts at once
  // unless the stream is paused.
  virtual DeviceResult write(WaveHeader& header) = 0;
  virtual DeviceResult pause() = 0;
  virtual DeviceResult restart() = 0;
  // Stops playback, marks every queued header done (posting a done message for each) and
  // sets the position back to 0.
  virtual DeviceResult reset() = 0;
  // Bytes played since open or the last reset.
  virtual DeviceResult position(std::uint32_t& bytes) = 0;
  // True once the device behind the stream has gone away. A lost stream still keeps time
  // (its blocks finish at the pace they would have played) but is heard by nobody.
  virtual bool lost() const { return false; }
};

// The set of output devices of the machine (or of a test).
class WaveOutSystem {
 public:
  virtual ~WaveOutSystem() = default;
  virtual std::uint32_t deviceCount() = 0;
  // id: 0 … deviceCount()−1, or kWaveMapper.
  virtual DeviceResult capabilities(std::int32_t id, WaveOutCaps& caps) = 0;
  // Can the device play this format? Opens nothing.
  virtual DeviceResult queryFormat(std::int32_t id, const PcmFormat& format) = 0;
  // Opens the device; done messages go to callbackWindow through loop.
  virtual DeviceResult open(std::int32_t id, const PcmFormat& format, MessageLoop& loop,
                            WindowHandle callbackWindow,
                            std::unique_ptr<WaveOutStream>& stream) = 0;
};

}  // namespace platform
