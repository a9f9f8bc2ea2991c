#pragma once
// The session record: the mixer's output format, configuration, channels and its connection
// to one output device. At most one exists per process (see WaveMixInit).
#include <cstdint>
#include <memory>

#include "platform/core/MessageLoop.h"
#include "audio/WaveOutDevice.h"
#include "wavemix/WaveMixTypes.h"

namespace wavemix {

struct PlayRecord;
inline constexpr std::uint16_t kSessionMagic = 21554;  // 0x5432
inline constexpr std::int32_t kNeverEnds = 0x7FFFFFFF;

// RemixFromPosition or ShiftToMixPosition, chosen by the "Remix" profile key.
using RemixProc = void (*)(WaveMixSession& session, std::int32_t position, PlayRecord* record);

struct WaveMixSession {
  std::uint16_t magic = 0;
  platform::WindowHandle callbackWindow = 0;      // 0 while inactive
  std::unique_ptr<platform::WaveOutStream> waveOut;  // null while inactive
  bool active = false;
  std::int32_t deviceId = 0;   // platform::kWaveMapper for the default device
  char deviceName[32] = {};    // also the per-device profile section
  // Per channel: kClosedChannel, null (open and idle) or the first play of the chain.
  PlayRecord* channelHead[kChannelCount] = {};
  std::int32_t openChannelCount = 0;
  std::int32_t channelStamp[kChannelCount] = {};  // playCounter at the channel's last play
  std::int32_t playCounter = 0;
  platform::PcmFormat format;
  std::int32_t blockLength = 0;  // bytes per output block, 512..4096
  std::int32_t blockCount = 0;   // output blocks kept at the device, 2..6
  std::int32_t mixPosition = 0;  // bytes mixed into blocks so far
  std::uint32_t baseTime = 0;    // clock milliseconds at which the play position was 0
  std::uint8_t goodWavePos = 0;  // 1: play position from the device, else from the clock
  std::int32_t positionOffset = 0;  // added to the device's byte position
  RemixProc remixProc = nullptr;
  PlayRecord* pendingTail = nullptr;  // circular list of mixWait requests (tail->next = head)
  // Set when a block could not be written from the pump: the device is treated as gone until
  // the session is deactivated.
  bool deviceLost = false;
  std::uint16_t magic2 = 0;
};

PlayRecord* closedChannelMark();

}  // namespace wavemix
