#pragma once
// Header bookkeeping shared by every output device: the prepare/write/done flag rules and
// the one way a device tells the caller that a block is finished.
//
// A device thread may set the done flag while the GUI thread reads the flags, so the
// device side always writes them through std::atomic_ref.
#include <atomic>

#include "platform/core/MessageLoop.h"
#include "audio/WaveOutDevice.h"

namespace platform {

inline DeviceResult prepareWaveHeader(WaveHeader& header) {
  std::atomic_ref<std::uint32_t>(header.flags).fetch_or(kHeaderPrepared);
  return kDeviceOk;
}

// A header still queued at the device cannot be unprepared.
inline DeviceResult unprepareWaveHeader(WaveHeader& header) {
  std::atomic_ref<std::uint32_t> flags(header.flags);
  if (flags.load() & kHeaderInQueue) return kDeviceStillPlaying;
  flags.fetch_and(~kHeaderPrepared);
  return kDeviceOk;
}

// Checks a header handed to write and marks it queued (done cleared).
inline DeviceResult acceptWrittenHeader(WaveHeader& header) {
  std::atomic_ref<std::uint32_t> flags(header.flags);
  const std::uint32_t now = flags.load();
  if (!(now & kHeaderPrepared)) return kDeviceUnprepared;
  if (now & kHeaderInQueue) return kDeviceStillPlaying;
  flags.store((now & ~kHeaderDone) | kHeaderInQueue);
  return kDeviceOk;
}

// Marks the header finished and posts the done message (lParam = header) to the window.
// Safe from any thread; the header must not be touched by the device afterwards.
inline void finishWaveHeader(WaveHeader& header, MessageLoop& loop, WindowHandle window) {
  std::atomic_ref<std::uint32_t> flags(header.flags);
  std::uint32_t expected = flags.load();
  while (!flags.compare_exchange_weak(expected, (expected & ~kHeaderInQueue) | kHeaderDone)) {
  }
  loop.post(window, Message{kMessageWaveDone, 0, reinterpret_cast<std::uintptr_t>(&header)});
}

// Bytes per frame and bytes per second, as a device trusts them: derived from channels and
// bits rather than from the caller's blockAlign / avgBytesPerSec.
inline bool isPlainPcm(const PcmFormat& format) {
  if (format.formatTag != 1) return false;
  if (format.channels < 1 || format.channels > 2) return false;
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return false;
  if (format.samplesPerSec < 1000 || format.samplesPerSec > 192000) return false;
  const std::uint32_t frameBytes = format.channels * format.bitsPerSample / 8u;
  return format.blockAlign == frameBytes && format.avgBytesPerSec == frameBytes * format.samplesPerSec;
}

// The clock-paced devices (null, file) are one device, number 0 or the mapper, stereo
// capable, never synchronous, and take any plain PCM format.
inline DeviceResult singleDeviceCapabilities(std::int32_t id, const char* productName,
                                             WaveOutCaps& caps) {
  if (id != 0 && id != kWaveMapper) return kDeviceBadId;
  caps = WaveOutCaps{productName, 2, 0};
  return kDeviceOk;
}

inline DeviceResult singleDeviceQueryFormat(std::int32_t id, const PcmFormat& format) {
  if (id != 0 && id != kWaveMapper) return kDeviceBadId;
  return isPlainPcm(format) ? kDeviceOk : kDeviceBadFormat;
}

}  // namespace platform
